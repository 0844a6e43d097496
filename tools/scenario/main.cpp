// scenario: tools for the people who write scenarios. Compiles a scenario
// with the installer's own compiler and reports every problem, decodes the
// binary files, draws the plan of a line.

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

  ArgomentiPlan p;
  CLI::App* plan = app.add_subcommand("plan", "Disegna la pianta della linea in SVG dai file binari installati.");
  plan->group("Comandi");
  plan->set_help_flag("-h,--help", "Mostra questo aiuto");
  plan->add_option("--route", p.linea, "Nome della linea (R)")->required();
  plan->add_option("--train", p.treno, "Numero del treno (T)")->required();
  plan->add_option("--in", p.ingresso, "Cartella dei file binari (predefinita: quella corrente)");
  plan->add_option("-o", p.svg, "File SVG da scrivere")->required();

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
  return esegui_plan(p, disco, std::cout, std::cerr);
}
