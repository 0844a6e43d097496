// scenario spiega: what a code, a warning, a note or a record kind means,
// from the tables the compile and the check use, so that the format can be
// learnt from the tool itself.

#include <CLI/CLI.hpp>
#include <cctype>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "base/codici.h"
#include "cli/errore_strumento.h"
#include "cli/esecuzione_comando.h"
#include "comandi/comandi.h"
#include "compiler/formati.h"
#include "formati/formati_md.h"
#include "verifica/avvisi.h"
#include "verifica/problemi_compilazione.h"
#include "verifica/somiglianza.h"

namespace scenario::strumenti {
namespace {

std::string maiuscole(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string minuscole(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const char* gravita_codice(Famiglia f) {
  return f == Famiglia::problema   ? "problema registrato dall'installatore (i file binari vengono scritti)"
         : f == Famiglia::numerato ? "errore numerato: l'installatore si ferma e non scrive i file binari"
                                   : "errore di esecuzione: l'installatore si ferma e non scrive i file binari";
}

// The record kinds of both texts, in the readers' order.
std::vector<std::pair<const formato::Testo*, const formato::Record*>> tutti_i_record() {
  std::vector<std::pair<const formato::Testo*, const formato::Record*>> v;
  for (const formato::Testo* t : {&formato::linea(), &formato::treno()})
    for (const formato::Record* r : t->record) v.emplace_back(t, r);
  return v;
}

std::string spiega_codice(const Codice& c) {
  std::string out = verifica::identificatore(c) + ": " + c.significato + "\n  " + gravita_codice(c.famiglia) +
                    "\n  suggerimento: " + c.suggerimento + "\n";
  std::string record;
  for (const auto& [t, r] : tutti_i_record())
    for (int32_t n : r->codici)
      if (c.famiglia == Famiglia::problema && n == c.numero)
        record += "\n  - " + std::string(r->nome) + " (" + std::string(t->nome) + "), si scrive `" +
                  std::string(r->esempio) + "`";
  if (!record.empty()) out += "  record che possono darlo:" + record + "\n";
  return out;
}

std::string spiega_regola(const verifica::Regola& r) {
  return verifica::identificatore(r) + ": " + r.significato + "\n  " +
         (r.gravita == verifica::Gravita::avviso
              ? "avviso del controllo: l'installatore non lo segnala, ma quasi sempre è un errore"
              : "nota del controllo: dice che cosa fa l'installatore dove potrebbe sorprendere") +
         "\n  suggerimento: " + r.suggerimento + "\n";
}

// Every entry, one a line: what spiega without a word lists.
std::string elenco() {
  std::string out = "Codici dell'installatore (scenario spiega P25):\n";
  for (const Codice& c : tabella_codici()) out += "  " + verifica::identificatore(c) + "  " + c.significato + "\n";
  out += "\nAvvisi e note del controllo (scenario spiega W01):\n";
  for (const verifica::Regola& r : verifica::tabella_regole())
    out += "  " + verifica::identificatore(r) + "  " + r.significato + "\n";
  out += "\nRecord delle descrizioni (scenario spiega segnale):\n";
  for (const auto& [t, r] : tutti_i_record())
    out += "  " + std::string(r->nome) + "  (" + std::string(t->nome) + ") " + std::string(r->significato) + "\n";
  return out;
}

class Spiega : public Comando {
 public:
  void opzioni(CLI::App& c) override {
    c.add_option("VOCE", voce_,
                 "Un codice (P25, E1250, G9), un avviso o una nota del controllo (W01, N03), o un tipo di record "
                 "(segnale, stazione); senza, l'elenco di tutti")
        ->type_name("VOCE");
  }

  int esegui(Disco&, std::ostream& out, std::ostream& err) override {
    return protetto(err, [&] {
      if (voce_.empty()) {
        out << elenco();
        return 0;
      }
      const std::string id = maiuscole(voce_);
      for (const Codice& c : tabella_codici())
        if (verifica::identificatore(c) == id) return (out << spiega_codice(c), 0);
      for (const verifica::Regola& r : verifica::tabella_regole())
        if (verifica::identificatore(r) == id) return (out << spiega_regola(r), 0);
      const std::string nome = minuscole(voce_);
      bool trovato = false;
      std::vector<std::string_view> voci;
      for (const auto& [t, r] : tutti_i_record()) {
        voci.push_back(r->nome);
        if (r->nome == nome || minuscole(std::string(r->esempio)) == nome) {
          out << record_markdown(*r);
          trovato = true;
        }
      }
      if (trovato) return 0;
      for (const Codice& c : tabella_codici()) voci.push_back(identificatore_(c));
      const auto vicina = verifica::piu_vicina(voce_, voci);
      throw ErroreStrumento("voce sconosciuta \xC2\xAB" + voce_ + "\xC2\xBB" +
                            (vicina ? ": forse intendevi \xC2\xAB" + std::string(*vicina) + "\xC2\xBB?" : "") +
                            " (scenario spiega, senza voce, le elenca tutte)");
    });
  }

 private:
  // The identifiers as strings that outlive the lookup.
  std::string_view identificatore_(const Codice& c) {
    return identificatori_.emplace_back(verifica::identificatore(c));
  }

  std::string voce_;
  std::deque<std::string> identificatori_;  // a deque: the views stay put as it grows
};

}  // namespace

std::unique_ptr<Comando> crea_spiega() { return std::make_unique<Spiega>(); }

}  // namespace scenario::strumenti
