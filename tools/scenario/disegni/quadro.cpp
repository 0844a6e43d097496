#include "disegni/quadro.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "base/cp1252.h"
#include "binari/file_binari.h"
#include "formati/valori_celle.h"

namespace scenario::strumenti {
namespace {

// A slowdown's warning board stands 1200 m, that is 24 cells, before its start.
constexpr int32_t celle_avviso = 24;

std::string metri(int64_t m) { return std::to_string(m) + " m"; }

std::string valori_cella(const cella& c) {
  return "valore1 " + std::to_string(c.valore1) + ", valore2 " + std::to_string(c.valore2) + ", valore3 " +
         std::to_string(c.valore3) + ", valore4 " + std::to_string(c.valore4);
}

// A board's speeds as written, A/B/C; the second parts (the record's last
// three speeds), when any is set, after them in brackets.
std::string velocita_indicatori(const std::vector<ValoreScritto>& v) {
  std::vector<int64_t> km_h;
  for (const ValoreScritto& x : v)
    if (!x.unita.empty()) km_h.push_back(x.numero);
  const size_t meta = km_h.size() / 2;
  auto unisci = [&](size_t da, size_t a) {
    std::string t;
    for (size_t i = da; i < a; ++i) t += (t.empty() ? "" : "/") + std::to_string(km_h[i]);
    return t;
  };
  const bool seconde =
      std::any_of(km_h.begin() + static_cast<std::ptrdiff_t>(meta), km_h.end(), [](int64_t x) { return x != 0; });
  return seconde ? unisci(0, meta) + " (" + unisci(meta, km_h.size()) + ")" : unisci(0, meta);
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
    q_.pendenze = tratti("pendenza", &cella::pendenza);
    q_.velocita = tratti("velocita_max", &cella::velocita_max);
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

  // Point features of the cells, by the kinds' table: one pass per kind
  // keeps each kind in order of position.
  void celle_puntuali() {
    for (const Aspetto& a : aspetti()) {
      if (a.pianta.posto != Posto::accanto && a.pianta.posto != Posto::sul_binario) continue;
      for (size_t i = 0; i < c_.size(); ++i)
        if (std::find(a.codici.begin(), a.codici.end(), c_[i].codice) != a.codici.end() && c_[i].codice != 0)
          q_.elementi.push_back(puntuale(a, c_[i], static_cast<int32_t>(i)));
    }
  }

  // A point feature of a cell: its label and its description, with the
  // values as the author wrote them where the cell holds them coded.
  Elemento puntuale(const Aspetto& a, const cella& c, int32_t indice) {
    const auto m = static_cast<int32_t>(metro_di_cella(static_cast<size_t>(indice)));
    const std::string dove = " a " + metri(m);
    Elemento e = elemento(a.genere, m, indice, &d_.luoghi_celle);
    const auto scritti = valori_scritti(c);
    std::string descrizione =
        std::string(a.nome) + dove + ": " + (scritti.empty() ? valori_cella(c) : testo_valori(scritti));
    switch (a.genere) {
      case Genere::segnale: descrizione += ", tempo_segnale " + std::to_string(c.tempo_segnale); break;
      case Genere::indicatori: e.etichetta = velocita_indicatori(scritti); break;
      case Genere::cartello: {
        const int16_t s = c.valore1;
        e.etichetta = s >= 0 && s < slot::numero ? a_utf8(d_.stazioni[static_cast<size_t>(s)].nome) : "";
        descrizione = std::string(a.nome) + dove + ": " + e.etichetta + " (slot " + std::to_string(s) + ")";
        break;
      }
      case Genere::avviso: {
        // The board belongs to the slowdown that starts 24 cells on.
        e.luogo = elemento(a.genere, m, indice + celle_avviso, &d_.luoghi_celle).luogo;
        e.valore = c.valore1;
        e.etichetta = std::to_string(c.valore1);
        descrizione = std::string(a.nome) + dove + ": " + std::to_string(c.valore1) + " km/h";
        break;
      }
      case Genere::abbattimento: {
        const bool nullo = c.codice == codice_cella::abbattimento_nullo;
        e.valore = nullo ? 0 : c.valore1;
        descrizione =
            nullo ? "abbattimento nullo" + dove : std::string(a.nome) + dove + ": " + std::to_string(c.valore1);
        break;
      }
      default: break;
    }
    if (e.luogo) descrizione += " - " + e.luogo->testo();
    e.descrizione = std::move(descrizione);
    return e;
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

  // A per-cell value over cell k's 50 m, as written. The compiler leaves the
  // last cells unset (0): they end the profile rather than read as values.
  std::vector<Tratto> tratti(std::string_view nome, uint8_t cella::*campo) const {
    size_t n = c_.size();
    while (n > 0 && c_[n - 1].*campo == 0) --n;
    std::vector<Tratto> t;
    for (size_t i = 0; i < n; ++i) {
      const auto v = static_cast<int32_t>(valore_di_tratto(nome, c_[i].*campo));
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
