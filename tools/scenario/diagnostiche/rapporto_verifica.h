#pragma once
// The report of a check, in four forms: for people (with the source line, a
// caret and the usual fix; colours on a terminal), in the form of GCC's
// messages (which editors' and CI's problem matchers read), as one JSON
// object of a documented, versioned shape, and as SARIF 2.1.0.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "autore/ingressi.h"
#include "autore/scenario_autore.h"
#include "verifica/diagnostica.h"

namespace scenario::strumenti {

struct ScenarioVerificato {
  Percorso cartella;
  // What the tool could not do (missing or ambiguous texts): then nothing
  // else is set, and the scenario counts with exit status 2.
  std::string errore;
  TestiAutore testi;
  std::vector<verifica::Diagnostica> diagnostiche;
  std::vector<verifica::Omesse> omesse;             // left out of diagnostiche, in the counts
  int32_t codice_errore = 0, posizione_errore = 0;  // as the installer leaves them
  bool proseguita = false;
  // With --out: whether the binary files were written, and where.
  std::optional<Percorso> uscita_binari;
  bool file_scritti = false;
  int uscita = 0;  // this scenario's exit status
};

// An author's scenario as the reports take it: its texts, diagnostics and
// the compile's figures (esito's quotes of the texts are left behind); the
// exit status is the command's to set.
ScenarioVerificato verificato(const Percorso& cartella, ScenarioAutore&& sa, const std::optional<Percorso>& uscita);

struct Conteggi {
  size_t errori = 0, avvisi = 0, note = 0;
};
// Every diagnostic, those left out past the bound too.
Conteggi conta(const ScenarioVerificato& s);

// The version of the JSON shape; it grows when a field changes meaning or goes.
inline constexpr int versione_json = 1;

struct OpzioniTesto {
  bool colori = false;
};

std::string verifica_testo(const std::vector<ScenarioVerificato>& scenari, OpzioniTesto opzioni);
// Each diagnostic of one scenario as the text form shows it: place,
// severity, identifier and message, the source line with a caret under the
// field, the usual fix.
std::string diagnostiche_testo(const ScenarioVerificato& s, OpzioniTesto opzioni);
std::string verifica_gcc(const std::vector<ScenarioVerificato>& scenari);
// errore: why the tool could not run at all (bad arguments), or empty.
nlohmann::ordered_json verifica_json(const std::vector<ScenarioVerificato>& scenari, int uscita,
                                     const std::string& errore);
nlohmann::ordered_json verifica_sarif(const std::vector<ScenarioVerificato>& scenari);

// The diagnostics of one scenario as the JSON form lists them (for
// nlohmann::ordered_json and nlohmann::json).
template <typename Json>
Json diagnostiche_json(const ScenarioVerificato& s);

// A diagnostic's first line as the text form writes it: "FILE:LINE:COL:
// severity [ID] message".
std::string intestazione(const ScenarioVerificato& s, const verifica::Diagnostica& d);

// The file a diagnostic is about, as the report names it.
std::string nome_file(const ScenarioVerificato& s, verifica::File f);
// Its text, for quoting lines; nullptr when there is none.
const std::string* testo_di(const ScenarioVerificato& s, verifica::File f);

// The message with its position, "(posizione 99000 m)", where it has one.
std::string messaggio_con_posizione(const verifica::Diagnostica& d);
// The message with what goes with it on its line: the position, whether it
// was found reading on.
std::string testo_messaggio(const verifica::Diagnostica& d);

// "1 nota", "2 note".
std::string plurale(size_t n, const char* uno, const char* molti);

// A severity in each form's words.
struct NomiGravita {
  const char* italiano;  // the human report's and the JSON's
  const char* gcc;       // GCC's and SARIF's level
  const char* colore;    // the terminal's
};
const NomiGravita& nomi(verifica::Gravita g);

}  // namespace scenario::strumenti
