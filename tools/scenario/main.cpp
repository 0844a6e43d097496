// scenario: tools for the people who write scenarios. Compiles a scenario
// with the installer's own compiler and reports every problem, checks it for
// every problem and the usual mistakes at once, decodes the binary files,
// draws the plan and the profile of a line, writes a report page.

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "check_continuo.h"
#include "comandi.h"
#include "comando_check.h"
#include "formati_md.h"
#include "lsp_server.h"
#include "platform/disco_file.h"
#include "rapporto_verifica.h"
#include "riga_di_comando.h"
#include "versione.h"
#ifdef _WIN32
#include "console_windows.h"
#endif

namespace {

using namespace scenario::strumenti;

constexpr std::string_view comandi[] = {"compile", "check", "dump", "plan", "profilo", "report", "lsp", "formati"};

const std::pair<const char*, FormatoRapporto> formati[] = {{"testo", FormatoRapporto::testo},
                                                           {"gcc", FormatoRapporto::gcc},
                                                           {"json", FormatoRapporto::json},
                                                           {"sarif", FormatoRapporto::sarif}};

// Colours only on a terminal, and never with NO_COLOR set and not empty.
bool colori_sul_terminale() {
  const char* no_color = std::getenv("NO_COLOR");
  if (no_color && *no_color) return false;
#ifdef _WIN32
  return console_a_colori();
#else
  return isatty(STDOUT_FILENO);
#endif
}

// Whether the command line asks for a JSON report, read before parsing so
// that a refused command line still answers in JSON.
bool chiede_json(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--json" || a == "--formato=json" ||
        (a == "--formato" && i + 1 < argc && std::string_view(argv[i + 1]) == "json"))
      return true;
  }
  return false;
}

// A refused command line: the reason on stderr, and on stdout the object a
// JSON report would have been (the check's shape for check, else compile's).
int rifiuta_argomenti(const std::string& perche, bool json, bool check) {
  std::cerr << "scenario: " << perche << "\nUsare --help per l'aiuto.\n";
  if (json) {
    const nlohmann::ordered_json j =
        check
            ? verifica_json({}, 2, perche)
            : nlohmann::ordered_json{{"errore", perche}, {"problemi", nlohmann::ordered_json::array()}, {"uscita", 2}};
    std::cout << j.dump(2) << "\n";
  }
  return 2;
}

// The protocol's bytes pass untouched: no CR LF translation on Windows
// (stdout is untranslated for every command).
int esegui_lsp(scenario::Disco& disco) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  return scenario::strumenti::lsp::esegui_lsp(std::cin, std::cout, std::cerr, disco);
}

void aiuto(CLI::App* c) { c->set_help_flag("-h,--help", "Mostra questo aiuto"); }

// The command line in UTF-8.
int esegui(int argc, char** argv) {
  const bool json = chiede_json(argc, argv);
  const bool per_check = argc > 1 && std::string_view(argv[1]) == "check";
  if (argc > 1)
    if (const std::string m = comando_sconosciuto(argv[1], comandi); !m.empty())
      return rifiuta_argomenti(m, json, true);

  CLI::App app{"Strumenti per chi scrive scenari: compila, controlla, decodifica, disegna."};
  app.formatter(formatore_italiano());
  app.require_subcommand(1);
  app.option_defaults()->group("Opzioni");
  aiuto(&app);
  app.set_version_flag("--version", testo_versione(), "Mostra la versione dello strumento");

  ArgomentiCompile c;
  CLI::App* compile = app.add_subcommand(
      "compile",
      "Compila R_linea.txt e R_T-.txt (o linea.txt e treno.txt di una cartella di carico) come fa l'installatore e "
      "riporta ogni problema. Uscita: 0 nessun problema, 1 problemi registrati (file scritti), 2 nessun file binario "
      "scritto.");
  compile->group("Comandi");
  aiuto(compile);
  compile->add_option("--route", c.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
  compile->add_option("--train", c.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
  // The folder as check takes it: positional, or with --in.
  compile->add_option("CARTELLA", c.ingresso, "Cartella dei testi (anche con --in; predefinita: quella corrente)")
      ->type_name("CARTELLA")
      ->excludes(compile->add_option("--in", c.ingresso, "Come CARTELLA")->type_name("CARTELLA"));
  compile->add_option("--out", c.uscita, "Cartella dei file binari (predefinita: quella di --in)")
      ->type_name("CARTELLA");
  compile->add_flag("--no-profile", c.senza_profilo, "Non scrivere il profilo R_linea.dat");
  compile->add_flag("--json", c.json, "Rapporto come un oggetto JSON");

  ArgomentiCheck k;
  std::string formato = "testo";
  bool k_json = false;
  std::vector<std::string> cartelle_in;
  CLI::App* check = app.add_subcommand(
      "check",
      "Controlla uno o piu' scenari: ogni problema che l'installatore registra, quelli che troverebbe dopo il primo "
      "che lo ferma, e gli avvisi sugli errori piu' comuni. Non scrive nulla senza --out. Uscita: 0 nessun errore, "
      "1 errori (con --Werror anche avvisi), 2 scenario non controllabile.");
  check->group("Comandi");
  aiuto(check);
  check->add_option("CARTELLA", k.cartelle, "Cartelle degli scenari (anche con --in)")->type_name("CARTELLA");
  check->add_option("--in", cartelle_in, "Cartella di uno scenario; ripetibile")->type_name("CARTELLA");
  check->add_option("--route", k.linea, "Nome della linea (R; predefinito dai nomi dei file)")->type_name("TESTO");
  check->add_option("--train", k.treno, "Numero del treno (T; predefinito dai nomi dei file)")->type_name("TESTO");
  check->add_option("--out", k.uscita, "Scrive anche i file binari in questa cartella")->type_name("CARTELLA");
  check->add_flag("--no-profile", k.senza_profilo, "Compila senza il profilo della linea");
  check->add_option("--formato", formato, "Forma del rapporto: testo, gcc, json, sarif")
      ->type_name("FORMATO")
      ->check(CLI::IsMember({"testo", "gcc", "json", "sarif"}));
  check->add_flag("--json", k_json, "Come --formato json");
  bool sorveglia = false;
  check->add_flag("--watch", sorveglia,
                  "Ricontrolla a ogni modifica dei testi o della scheda treno, senza uscire (Ctrl-C per finire)");
  check->add_flag("--Werror", k.avvisi_come_errori, "Gli avvisi contano come errori");
  check->add_option("--no-warn", k.senza_avvisi, "Non riportare questo avviso (ad esempio W03); ripetibile")
      ->type_name("AVVISO")
      ->delimiter(',')
      ->check([](const std::string& id) { return avviso_noto(id) ? std::string() : "avviso sconosciuto " + id; });

  ArgomentiDump d;
  CLI::App* dump = app.add_subcommand(
      "dump", "Decodifica un file .sim, .dat o _linea.dat: uno slot, una cella o un metro per riga.");
  dump->group("Comandi");
  aiuto(dump);
  dump->add_option("FILE", d.file, "File da decodificare")->required()->type_name("FILE");
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
  for (Disegno& g : disegni) {
    g.comando = app.add_subcommand(
        g.nome, std::string(g.descrizione) +
                    " Con i testi in --in (R_linea.txt e R_T-.txt, o linea.txt e treno.txt) li compila in memoria "
                    "e mostra dove ogni elemento e' descritto e i problemi; altrimenti legge i file binari.");
    g.comando->group("Comandi");
    aiuto(g.comando);
    g.comando->add_option("--route", g.a.linea, "Nome della linea (R)")->required()->type_name("TESTO");
    g.comando->add_option("--train", g.a.treno, "Numero del treno (T)")->required()->type_name("TESTO");
    g.comando
        ->add_option("CARTELLA", g.a.ingresso, "Cartella dello scenario (anche con --in; predefinita: quella corrente)")
        ->type_name("CARTELLA")
        ->excludes(g.comando->add_option("--in", g.a.ingresso, "Come CARTELLA")->type_name("CARTELLA"));
    g.comando->add_option("-o", g.a.uscita, g.uscita)->required()->type_name("FILE");
  }

  CLI::App* lsp = app.add_subcommand(
      "lsp",
      "Server del Language Server Protocol su stdin e stdout, per le descrizioni della linea e del treno: "
      "diagnostiche del controllo mentre si scrive, significato dei campi, completamento, struttura.");
  lsp->group("Comandi");
  aiuto(lsp);

  CLI::App* formati_doc = app.add_subcommand(
      "formati", "Scrive su stdout il riferimento dei formati delle descrizioni (docs/formati.md), in Markdown.");
  formati_doc->group("Comandi");
  aiuto(formati_doc);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return rifiuta_argomenti(spiega_errore(e), json, per_check);
  }

  scenario::DiscoFile disco;
  if (*compile) return esegui_compile(c, disco, std::cout, std::cerr);
  if (*check) {
    k.cartelle.insert(k.cartelle.begin(), cartelle_in.begin(), cartelle_in.end());
    for (const auto& [nome, f] : formati)
      if (formato == nome) k.formato = f;
    if (k_json) k.formato = FormatoRapporto::json;
    k.colori = k.formato == FormatoRapporto::testo && colori_sul_terminale();
    if (sorveglia) esegui_check_continuo(k, disco, std::cout, std::cerr, {colori_sul_terminale()});
    return esegui_check(k, disco, std::cout, std::cerr);
  }
  if (*dump) return esegui_dump(d, disco, std::cout, std::cerr);
  if (*lsp) return esegui_lsp(disco);
  if (*formati_doc) {
    std::cout << formati_markdown();
    return 0;
  }
  if (*disegni[0].comando) return esegui_plan(disegni[0].a, disco, std::cout, std::cerr);
  if (*disegni[1].comando) return esegui_profilo(disegni[1].a, disco, std::cout, std::cerr);
  return esegui_report(disegni[2].a, disco, std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
// The arguments as Unicode, whatever the system's code page: a folder like
// C:\Utenti\Zoë\Val d'Orcia reaches the commands as UTF-8, like every other
// text of the tool.
int wmain(int argc, wchar_t** argv) {
  const scenario::strumenti::ConsoleWindows console;
  std::vector<std::string> argomenti = scenario::strumenti::argomenti_utf8(argc, argv);
  std::vector<char*> puntatori;
  for (std::string& a : argomenti) puntatori.push_back(a.data());
  puntatori.push_back(nullptr);
  return esegui(argc, puntatori.data());
}
#else
int main(int argc, char** argv) { return esegui(argc, argv); }
#endif
