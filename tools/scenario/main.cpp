// scenario: tools for the people who write scenarios. Compiles a scenario
// with the installer's own compiler and reports every problem, decodes the
// binary files, draws the plan and the profile of a line, writes a report
// page.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <utility>

#include "comandi.h"
#include "platform/disco_file.h"

namespace {

constexpr std::pair<const char*, const char*> etichette[] = {
    {"Usage", "Uso"},          {"Options", "Opzioni"},     {"OPTIONS", "OPZIONI"},       {"Subcommands", "Comandi"},
    {"SUBCOMMAND", "COMANDO"}, {"SUBCOMMANDS", "COMANDI"}, {"Positionals", "Argomenti"}, {"REQUIRED", "OBBLIGATORIO"},
    {"TEXT", "TESTO"},
};

// CLI11 explains its errors in English; the kind of error says it in Italian.
constexpr std::pair<const char*, const char*> errori_argomenti[] = {
    {"RequiredError", "argomento obbligatorio mancante"},
    {"ExtrasError", "argomenti in piu'"},
    {"ArgumentMismatch", "numero di valori sbagliato"},
    {"ConversionError", "valore non valido"},
    {"ValidationError", "valore non valido"},
};

int errore_argomenti(const CLI::ParseError& e) {
  std::string spiegazione = "argomenti non validi";
  for (const auto& [nome, testo] : errori_argomenti)
    if (e.get_name() == nome) spiegazione = testo;
  std::cerr << "scenario: " << spiegazione << " (" << e.what() << ")\nUsare --help per l'aiuto.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace scenario::strumenti;
  CLI::App app{"Strumenti per chi scrive scenari: compila, decodifica, disegna."};
  app.require_subcommand(1);
  // Help in Italian; subcommands share the formatter.
  for (const auto& [chiave, testo] : etichette) app.get_formatter()->label(chiave, testo);
  app.option_defaults()->group("Opzioni");
  app.set_help_flag("-h,--help", "Mostra questo aiuto");

  ArgomentiCompile c;
  CLI::App* compile = app.add_subcommand(
      "compile",
      "Compila R_linea.txt e R_T-.txt come fa l'installatore e riporta ogni problema. Uscita: 0 nessun problema, "
      "1 problemi registrati (file scritti), 2 nessun file binario scritto.");
  compile->group("Comandi");
  compile->set_help_flag("-h,--help", "Mostra questo aiuto");
  compile->add_option("--route", c.linea, "Nome della linea (R)")->required();
  compile->add_option("--train", c.treno, "Numero del treno (T)")->required();
  compile->add_option("--in", c.ingresso, "Cartella dei testi (predefinita: quella corrente)");
  compile->add_option("--out", c.uscita, "Cartella dei file binari (predefinita: quella di --in)");
  compile->add_flag("--no-profile", c.senza_profilo, "Non scrivere il profilo R_linea.dat");
  compile->add_flag("--json", c.json, "Rapporto come un oggetto JSON");

  ArgomentiDump d;
  CLI::App* dump = app.add_subcommand(
      "dump", "Decodifica un file .sim, .dat o _linea.dat: uno slot, una cella o un metro per riga.");
  dump->group("Comandi");
  dump->set_help_flag("-h,--help", "Mostra questo aiuto");
  dump->add_option("FILE", d.file, "File da decodificare")->required();
  dump->add_flag("--json", d.json, "Uscita in JSON");
  dump->add_flag("--all", d.tutti, "Anche slot, celle e metri vuoti");

  // The three drawings share their options.
  struct Disegno {
    const char* nome;
    const char* descrizione;
    const char* uscita;
    ArgomentiVista a;
    CLI::App* comando = nullptr;
  };
  Disegno disegni[] = {
      {"plan", "Disegna la pianta della linea in SVG.", "File SVG da scrivere", {}},
      {"profilo",
       "Disegna la linea lungo i km in SVG: pendenza, velocita' massima, rallentamenti, stazioni, segnali, "
       "cartelli, tratti di montagna.",
       "File SVG da scrivere",
       {}},
      {"report",
       "Scrive una pagina HTML autonoma: pianta e profilo navigabili, problemi, tabelle di stazioni, segnali e "
       "cartelli, valori dello scenario.",
       "File HTML da scrivere",
       {}},
  };
  for (Disegno& d : disegni) {
    d.comando = app.add_subcommand(
        d.nome, std::string(d.descrizione) +
                    " Con i testi in --in (R_linea.txt e R_T-.txt, o linea.txt e treno.txt) li compila in memoria "
                    "e mostra dove ogni elemento e' descritto e i problemi; altrimenti legge i file binari.");
    d.comando->group("Comandi");
    d.comando->set_help_flag("-h,--help", "Mostra questo aiuto");
    d.comando->add_option("--route", d.a.linea, "Nome della linea (R)")->required();
    d.comando->add_option("--train", d.a.treno, "Numero del treno (T)")->required();
    d.comando->add_option("--in", d.a.ingresso, "Cartella dello scenario (predefinita: quella corrente)");
    d.comando->add_option("-o", d.a.uscita, d.uscita)->required();
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return errore_argomenti(e);
  }

  scenario::DiscoFile disco;
  if (*compile) return esegui_compile(c, disco, std::cout, std::cerr);
  if (*dump) return esegui_dump(d, disco, std::cout, std::cerr);
  if (*disegni[0].comando) return esegui_plan(disegni[0].a, disco, std::cout, std::cerr);
  if (*disegni[1].comando) return esegui_profilo(disegni[1].a, disco, std::cout, std::cerr);
  return esegui_report(disegni[2].a, disco, std::cout, std::cerr);
}
