// scenario: tools for the people who write scenarios. Compiles a scenario
// with the installer's own compiler and reports every problem, checks it for
// every problem and the usual mistakes at once, decodes the binary files,
// draws the plan and the profile of a line, writes a report page.

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/riga_di_comando.h"
#include "cli/versione.h"
#include "comandi/comandi.h"
#include "platform/disco_file.h"
#ifdef _WIN32
#include "cli/console_windows.h"
#endif

namespace {

using namespace scenario::strumenti;

// How a command line refused by the parser answers a JSON report: the check's
// shape, or the one compile and the others share.
enum class RifiutoJson { compile, check };

struct VoceComando {
  std::string_view nome;
  std::string descrizione;
  std::unique_ptr<Comando> (*crea)();
  RifiutoJson rifiuto = RifiutoJson::compile;
};

// What the three views add to their descriptions.
std::string vista(const char* cosa) {
  return std::string(cosa) +
         " Con i testi in --in (R_linea.txt e R_T-.txt, o linea.txt e treno.txt) li compila in memoria "
         "e mostra dove ogni elemento è descritto e i problemi; altrimenti legge i file binari.";
}

const std::vector<VoceComando>& comandi() {
  static const std::vector<VoceComando> tabella = {
      {"nuovo",
       "Crea una cartella con uno scenario di partenza (cinque testi, cinque stazioni in 15 km) che il controllo "
       "trova pulito, da cambiare.",
       crea_nuovo},
      {"compile",
       "Compila R_linea.txt e R_T-.txt (o linea.txt e treno.txt di una cartella di carico) come fa l'installatore e "
       "riporta ogni problema. Uscita: 0 nessun problema, 1 problemi registrati (file scritti), 2 nessun file "
       "binario scritto.",
       crea_compile},
      {"check",
       "Controlla uno o più scenari: ogni problema che l'installatore registra, quelli che troverebbe dopo il "
       "primo che lo ferma, e gli avvisi sugli errori più comuni. Non scrive nulla senza --out. Uscita: 0 nessun "
       "errore, 1 errori (con --Werror anche avvisi), 2 scenario non controllabile.",
       crea_check, RifiutoJson::check},
      {"dump", "Decodifica un file .sim, .dat o _linea.dat: uno slot, una cella o un metro per riga.", crea_dump},
      {"plan", vista("Disegna la pianta della linea in SVG."), crea_plan},
      {"profilo",
       vista("Disegna la linea lungo i km in SVG: pendenza, velocità massima, rallentamenti, stazioni, segnali, "
             "cartelli, tratti di montagna."),
       crea_profilo},
      {"report",
       vista("Scrive una pagina HTML autonoma: pianta e profilo navigabili, problemi, tabelle di stazioni, segnali "
             "e cartelli, valori dello scenario."),
       crea_report},
      {"lsp",
       "Server del Language Server Protocol su stdin e stdout, per le descrizioni della linea e del treno: "
       "diagnostiche del controllo mentre si scrive, significato dei campi, completamento, struttura.",
       crea_lsp},
      {"formati", "Scrive su stdout il riferimento dei formati delle descrizioni (docs/formati.md), in Markdown.",
       crea_formati},
      {"spiega",
       "Spiega un codice dell'installatore (P25, E1250, G9), un avviso o una nota del controllo (W01, N03) o un "
       "tipo di record (segnale, stazione): significato, suggerimento, valori; senza voce, l'elenco di tutti.",
       crea_spiega},
  };
  return tabella;
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
// JSON report would have been.
int rifiuta_argomenti(const std::string& perche, bool json, RifiutoJson forma) {
  std::cerr << "scenario: " << perche << "\nUsare --help per l'aiuto.\n";
  if (json) std::cout << rifiuto_json(perche, forma == RifiutoJson::check) << "\n";
  return 2;
}

void aiuto(CLI::App* c) { c->set_help_flag("-h,--help", "Mostra questo aiuto"); }

// The command line in UTF-8.
int esegui(int argc, char** argv) {
  const bool json = chiede_json(argc, argv);
  RifiutoJson forma = RifiutoJson::compile;
  std::vector<std::string_view> nomi;
  for (const VoceComando& v : comandi()) {
    nomi.push_back(v.nome);
    if (argc > 1 && v.nome == argv[1]) forma = v.rifiuto;
  }
  if (argc > 1)
    if (const std::string m = comando_sconosciuto(argv[1], nomi); !m.empty())
      return rifiuta_argomenti(m, json, RifiutoJson::check);

  CLI::App app{"Strumenti per chi scrive scenari: compila, controlla, decodifica, disegna."};
  app.formatter(formatore_italiano());
  app.require_subcommand(1);
  app.option_defaults()->group("Opzioni");
  aiuto(&app);
  app.set_version_flag("--version", testo_versione(), "Mostra la versione dello strumento");

  std::vector<std::pair<CLI::App*, std::unique_ptr<Comando>>> dichiarati;
  for (const VoceComando& v : comandi()) {
    CLI::App* sotto = app.add_subcommand(std::string(v.nome), v.descrizione);
    sotto->group("Comandi");
    aiuto(sotto);
    std::unique_ptr<Comando> c = v.crea();
    c->opzioni(*sotto);
    dichiarati.emplace_back(sotto, std::move(c));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return rifiuta_argomenti(spiega_errore(e), json, forma);
  }

  scenario::DiscoFile disco;
  for (auto& [sotto, c] : dichiarati)
    if (*sotto) return c->esegui(disco, std::cout, std::cerr);
  return 2;
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
