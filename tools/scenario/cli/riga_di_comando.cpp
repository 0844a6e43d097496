// The Italian help labels, the translation of CLI11's error messages and
// the nearest command for a misspelt one.

#include "cli/riga_di_comando.h"

#include <regex>
#include <utility>

#include "verifica/somiglianza.h"

namespace scenario::strumenti {
namespace {

constexpr std::pair<const char*, const char*> etichette[] = {
    {"Usage", "Uso"},           {"OPTIONS", "OPZIONI"},       {"SUBCOMMAND", "COMANDO"},
    {"SUBCOMMANDS", "COMANDI"}, {"Positionals", "Argomenti"}, {"REQUIRED", "OBBLIGATORIO"},
    {"Env", "Ambiente"},        {"Needs", "Richiede"},        {"Excludes", "Esclude"},
    {"TEXT", "TESTO"},
};

// A message of CLI11's, the parts of it worth keeping, and the Italian for it.
struct Traduzione {
  const char* modello;
  const char* italiano;  // $1, $2, $3: the parts
};

constexpr Traduzione traduzioni[] = {
    {"A subcommand is required", "manca il comando"},
    {"(.+) is required", "manca l'argomento obbligatorio $1"},
    {"The following argument was not expected: (.+)", "argomento non previsto: $1"},
    {"The following arguments were not expected: (.+)", "argomenti non previsti: $1"},
    {"(\\S+): [0-9]+ required .* missing", "manca il valore di $1"},
    {"Could not convert: (\\S+) = (.*)", "valore non valido per $1: $2"},
    {"(\\S+) excludes (\\S+)", "$1 e $2 insieme: la cartella si da' in uno dei due modi"},
    {"(\\S+): (.*) not in \\{(.*)\\}", "valore non valido per $1: $2 (ammessi: $3)"},
    // The tool's own checks answer in Italian already.
    {"(\\S+): (avviso sconosciuto .*)", "$1: $2"},
    {"(\\S+): (.*)", "argomento non valido: $1"},
};

}  // namespace

std::shared_ptr<CLI::Formatter> formatore_italiano() {
  auto f = std::make_shared<CLI::Formatter>();
  for (const auto& [chiave, testo] : etichette) f->label(chiave, testo);
  return f;
}

std::string spiega_errore(const CLI::ParseError& e) {
  const std::string messaggio = e.what();
  for (const Traduzione& t : traduzioni) {
    const std::regex r(t.modello);
    if (std::regex_match(messaggio, r)) return std::regex_replace(messaggio, r, t.italiano);
  }
  return "argomenti non validi";
}

std::string comando_sconosciuto(std::string_view primo, std::span<const std::string_view> comandi) {
  if (primo.empty() || primo.front() == '-') return {};
  for (std::string_view c : comandi)
    if (c == primo) return {};
  std::string m = "comando sconosciuto \xC2\xAB" + std::string(primo) + "\xC2\xBB";
  if (const auto vicino = verifica::piu_vicina(primo, comandi))
    m += ": forse intendevi \xC2\xAB" + std::string(*vicino) + "\xC2\xBB?";
  else {
    m += "; i comandi sono";
    for (std::string_view c : comandi) m += " " + std::string(c);
  }
  return m;
}

}  // namespace scenario::strumenti
