#include "disegni/quadro.h"

#include <cstdio>
#include <set>

#include "base/cp1252.h"
#include "binari/file_binari.h"

namespace scenario::strumenti {
namespace {

// A slowdown's warning board stands 1200 m, that is 24 cells, before its start.
constexpr int32_t celle_avviso = 24;

std::string metri(int64_t m) { return std::to_string(m) + " m"; }

std::string valori_cella(const cella& c) {
  return "valore1 " + std::to_string(c.valore1) + ", valore2 " + std::to_string(c.valore2) + ", valore3 " +
         std::to_string(c.valore3) + ", valore4 " + std::to_string(c.valore4);
}

class Costruzione {
 public:
  explicit Costruzione(const DatiScenario& d) : d_(d), c_(d.celle) {
    for (const cella& c : c_)
      if (c.codice == codice_cella::cartello) slot_cartelli_.insert(c.valore1);
  }

  Quadro quadro() {
    q_.titolo = d_.titolo;
    q_.lunghezza = d_.stazioni[slot::treno].fine_zona;
    q_.ultimo_metro = c_.empty() ? 0 : static_cast<int32_t>(c_.size() - 1) * metri_cella;
    stazioni();
    celle_puntuali();
    rallentamenti();
    montagne();
    q_.pendenze = tratti([](const cella& c) { return c.pendenza; }, [](uint8_t v) { return int32_t{v} - 100; });
    q_.velocita = tratti([](const cella& c) { return c.velocita_max; }, [](uint8_t v) { return int32_t{v} * 5; });
    if (!c_.empty()) {
      Elemento e = elemento(Genere::fine_linea, q_.lunghezza, 0);
      e.fine = q_.ultimo_metro;
      e.etichetta = "fine linea";
      e.descrizione = "fine della linea a " + metri(q_.lunghezza) + " (" + chilometri(q_.lunghezza) +
                      "); le celle proseguono fino a " + metri(q_.ultimo_metro);
      q_.elementi.push_back(std::move(e));
    }
    diagnostiche();
    return std::move(q_);
  }

 private:
  Elemento elemento(Genere g, int32_t metro, int32_t indice, const std::map<int32_t, Luogo>* luoghi = nullptr) {
    Elemento e;
    e.genere = g;
    e.metro = e.fine = metro;
    e.indice = indice;
    if (luoghi) {
      auto it = luoghi->find(indice);
      if (it != luoghi->end()) e.luogo = it->second;
    }
    return e;
  }

  void aggiungi(Elemento e, std::string descrizione) {
    if (e.luogo) descrizione += " - " + e.luogo->testo();
    e.descrizione = std::move(descrizione);
    q_.elementi.push_back(std::move(e));
  }

  // Stations fill the slots from 1 upward; the indicator signs' texts take
  // slots from 80 downward and are named by the cells that show them.
  void stazioni() {
    for (int32_t s = slot::prima_stazione; s <= slot::primo_cartello; ++s) {
      const stazione& st = d_.stazioni[static_cast<size_t>(s)];
      if (slot_cartelli_.count(s) || st == stazione{}) continue;
      Elemento e = elemento(Genere::stazione, st.posizione_stazione, s, &d_.luoghi_slot);
      e.valore = st.orario;
      e.etichetta = a_utf8(st.nome);
      aggiungi(std::move(e), "stazione " + a_utf8(st.nome) + " a " + metri(st.posizione_stazione) + " (" +
                                 chilometri(st.posizione_stazione) + "), orario " + orario_hms(st.orario) + ", tipo " +
                                 std::to_string(st.tipo_stazione) + ", zona " + std::to_string(st.inizio_zona) + "-" +
                                 std::to_string(st.fine_zona) + " m, slot " + std::to_string(s));
    }
  }

  void celle_puntuali() {
    // One pass per kind keeps each kind in order of position.
    for (Genere g : {Genere::segnale, Genere::indicatori, Genere::cartello, Genere::avviso, Genere::abbattimento}) {
      for (size_t i = 0; i < c_.size(); ++i) {
        const cella& c = c_[i];
        const auto indice = static_cast<int32_t>(i);
        const auto m = static_cast<int32_t>(metro_di_cella(i));
        const std::string dove = " a " + metri(m);
        switch (g) {
          case Genere::segnale:
            if (c.codice == codice_cella::segnale)
              aggiungi(
                  elemento(g, m, indice, &d_.luoghi_celle),
                  "segnale" + dove + ": " + valori_cella(c) + ", tempo_segnale " + std::to_string(c.tempo_segnale));
            break;
          case Genere::indicatori:
            if (c.codice == codice_cella::indicatori_vmax) {
              Elemento e = elemento(g, m, indice, &d_.luoghi_celle);
              e.etichetta =
                  std::to_string(c.valore1) + "/" + std::to_string(c.valore2) + "/" + std::to_string(c.valore3);
              aggiungi(std::move(e), "indicatori di velocita' massima" + dove + ": " + valori_cella(c));
            }
            break;
          case Genere::cartello:
            if (c.codice == codice_cella::cartello) {
              Elemento e = elemento(g, m, indice, &d_.luoghi_celle);
              const int16_t s = c.valore1;
              e.etichetta = s >= 0 && s < slot::numero ? a_utf8(d_.stazioni[static_cast<size_t>(s)].nome) : "";
              std::string descrizione =
                  "cartello indicatore" + dove + ": " + e.etichetta + " (slot " + std::to_string(s) + ")";
              aggiungi(std::move(e), std::move(descrizione));
            }
            break;
          case Genere::avviso:
            if (c.codice == codice_cella::avviso_rallentamento) {
              // The board belongs to the slowdown that starts 24 cells on.
              Elemento e = elemento(g, m, indice + celle_avviso, &d_.luoghi_celle);
              e.indice = indice;
              e.valore = c.valore1;
              e.etichetta = std::to_string(c.valore1);
              aggiungi(std::move(e), "avviso di rallentamento" + dove + ": " + std::to_string(c.valore1) + " km/h");
            }
            break;
          case Genere::abbattimento:
            if (c.codice == codice_cella::abbattimento || c.codice == codice_cella::abbattimento_nullo) {
              Elemento e = elemento(g, m, indice, &d_.luoghi_celle);
              const bool nullo = c.codice == codice_cella::abbattimento_nullo;
              e.valore = nullo ? 0 : c.valore1;
              aggiungi(std::move(e),
                       nullo ? "abbattimento nullo" + dove : "abbattimento" + dove + ": " + std::to_string(c.valore1));
            }
            break;
          default: break;
        }
      }
    }
  }

  // From a start cell to the next end cell; a start with no end is drawn as
  // a point.
  void rallentamenti() {
    for (size_t i = 0; i < c_.size(); ++i) {
      if (c_[i].codice != codice_cella::inizio_rallentamento) continue;
      size_t j = i + 1;
      while (j < c_.size() && c_[j].codice != codice_cella::fine_rallentamento &&
             c_[j].codice != codice_cella::inizio_rallentamento)
        ++j;
      if (j == c_.size() || c_[j].codice != codice_cella::fine_rallentamento) j = i;
      const auto indice = static_cast<int32_t>(i);
      const auto da = static_cast<int32_t>(metro_di_cella(i));
      Elemento e = elemento(Genere::rallentamento, da, indice, &d_.luoghi_celle);
      e.fine = static_cast<int32_t>(metro_di_cella(j));
      e.valore = c_[i].valore1;
      e.etichetta = std::to_string(c_[i].valore1);
      const std::string fine = j == i ? " (senza fine)" : " a " + metri(e.fine);
      aggiungi(std::move(e), "rallentamento da " + metri(da) + fine + ": " + std::to_string(c_[i].valore1) + " km/h");
    }
  }

  // Runs of cells with the same montagna type; cell k covers k*50 to (k+1)*50.
  void montagne() {
    for (size_t i = 0; i < c_.size();) {
      const uint8_t tipo = c_[i].tipo_montagna;
      size_t j = i + 1;
      while (j < c_.size() && c_[j].tipo_montagna == tipo) ++j;
      if (tipo != 0) {
        Elemento e = elemento(Genere::montagna, static_cast<int32_t>(i) * metri_cella, static_cast<int32_t>(i));
        e.fine = static_cast<int32_t>(j) * metri_cella;
        e.valore = tipo;
        aggiungi(std::move(e), "tratto di montagna da " + metri(static_cast<int64_t>(i) * metri_cella) + " a " +
                                   metri(static_cast<int64_t>(j) * metri_cella) + ", tipo " + std::to_string(tipo));
      }
      i = j;
    }
  }

  // A per-cell value over cell k's 50 m. The compiler leaves the last cells
  // unset (0): they end the profile rather than read as values.
  template <typename Campo, typename Valore>
  std::vector<Tratto> tratti(Campo campo, Valore valore) const {
    size_t n = c_.size();
    while (n > 0 && campo(c_[n - 1]) == 0) --n;
    std::vector<Tratto> t;
    for (size_t i = 0; i < n; ++i) {
      const int32_t v = valore(campo(c_[i]));
      const auto da = static_cast<int32_t>(i) * metri_cella;
      if (!t.empty() && t.back().valore == v)
        t.back().a = da + metri_cella;
      else
        t.push_back({da, da + metri_cella, v});
    }
    return t;
  }

  // Every diagnostic with a place on the line: errors in the problems'
  // lane, warnings and notes in theirs. One with no position of its own
  // stands where the record it points at put its feature.
  void diagnostiche() {
    std::map<std::pair<std::string, int32_t>, int32_t> metri_dei_record;
    for (const Elemento& e : q_.elementi)
      if (e.luogo && e.luogo->riga > 0) metri_dei_record.emplace(std::pair{e.luogo->file, e.luogo->riga}, e.metro);
    const ScenarioVerificato& v = d_.verificato;
    for (size_t k = 0; k < v.diagnostiche.size(); ++k) {
      const verifica::Diagnostica& g = v.diagnostiche[k];
      std::optional<Luogo> luogo;
      if (g.file != verifica::File::nessuno) luogo = Luogo{nome_file(v, g.file), g.riga, g.colonna};
      std::optional<int32_t> metro = g.posizione;
      if (!metro && luogo && luogo->riga > 0)
        if (auto it = metri_dei_record.find({luogo->file, luogo->riga}); it != metri_dei_record.end())
          metro = it->second;
      if (!metro) continue;
      const bool errore = g.gravita == verifica::Gravita::errore;
      Elemento e = elemento(errore ? Genere::problema : Genere::avvertimento, *metro, static_cast<int32_t>(k));
      e.luogo = luogo;
      e.etichetta = g.id;
      std::string d = std::string(nomi(g.gravita).italiano) + " " + g.id + " a " + metri(*metro) + ": " + g.messaggio;
      if (e.luogo && e.luogo->colonna > 0)
        d += " - " + e.luogo->testo() + ":" + std::to_string(e.luogo->colonna);
      else if (e.luogo)
        d += " - " + e.luogo->testo();
      e.descrizione = std::move(d);
      q_.elementi.push_back(std::move(e));
    }
  }

  const DatiScenario& d_;
  const std::vector<cella>& c_;
  std::set<int32_t> slot_cartelli_;
  Quadro q_;
};

}  // namespace

std::string Luogo::testo() const { return riga > 0 ? file + ":" + std::to_string(riga) : file; }

std::string chilometri(int64_t m) {
  const char* segno = m < 0 ? "-" : "";
  const int64_t a = m < 0 ? -m : m;
  char buf[40];
  std::snprintf(buf, sizeof buf, "km %s%lld.%03lld", segno, static_cast<long long>(a / 1000),
                static_cast<long long>(a % 1000));
  return buf;
}

std::string orario_hms(int32_t secondi) {
  const char* segno = secondi < 0 ? "-" : "";
  const int64_t s = secondi < 0 ? -int64_t{secondi} : secondi;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%s%lld:%02lld:%02lld", segno, static_cast<long long>(s / 3600),
                static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  return buf;
}

Quadro quadro_linea(const DatiScenario& dati) { return Costruzione(dati).quadro(); }

}  // namespace scenario::strumenti
