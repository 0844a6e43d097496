#include "binari/file_binari.h"

#include <sstream>
#include <type_traits>
#include <vector>

#include "binari/lettore_binario.h"
#include "cli/errore_strumento.h"

namespace scenario::strumenti {
namespace {

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

// The profile's elements: a tag and the value it names.
Variante leggi_variante(LettoreBinario& l, const std::string& nome) {
  const size_t dove = l.posizione();
  Variante v;
  v.tipo = static_cast<Variante::Tipo>(l.leggi<EtichettaVariante>());
  const bool nota = per_etichetta(v.tipo, [&](const auto& e) {
    if constexpr (con_valore<decltype(e)>) v.*e.membro = l.leggi<typename std::remove_cvref_t<decltype(e)>::Tipo>();
  });
  if (!nota)
    throw ErroreStrumento(nome + ": tipo di valore sconosciuto all'offset " + std::to_string(dove) +
                          ": non è un profilo di linea");
  return v;
}

template <typename F>
bool si_legge(F&& leggi) {
  try {
    leggi();
    return true;
  } catch (const ErroreStrumento&) {
    return false;
  }
}

}  // namespace

std::optional<TipoFile> tipo_da_nome(std::string_view nome) {
  if (finisce_con(nome, "_linea.dat")) return TipoFile::profilo;
  if (finisce_con(nome, ".sim")) return TipoFile::stazioni;
  if (finisce_con(nome, ".dat")) return TipoFile::celle;
  return std::nullopt;
}

TipoFile tipo_da_contenuto(std::string_view byte, const std::string& nome) {
  // The station table and the profile have strict shapes; cells are tried last.
  if (si_legge([&] { leggi_stazioni(byte, nome); })) return TipoFile::stazioni;
  if (si_legge([&] { leggi_profilo(byte, nome); })) return TipoFile::profilo;
  if (si_legge([&] { leggi_celle(byte, nome); })) return TipoFile::celle;
  throw ErroreStrumento(nome + ": non è un file di scenario (né .sim, né .dat, né _linea.dat)");
}

std::array<stazione, slot::numero> leggi_stazioni(std::string_view byte, const std::string& nome) {
  LettoreBinario l(byte, nome);
  std::array<stazione, slot::numero> stazioni{};
  for (stazione& s : stazioni) l.record(s);
  if (!l.alla_fine())
    throw ErroreStrumento(nome + ": " + std::to_string(l.restanti()) + " byte oltre gli " +
                          std::to_string(slot::numero) + " slot: non è una tabella delle stazioni");
  return stazioni;
}

std::vector<cella> leggi_celle(std::string_view byte, const std::string& nome) {
  if (byte.empty()) throw ErroreStrumento(nome + ": file vuoto: nessuna cella");
  if (byte.size() % byte_fissi<cella> != 0)
    throw ErroreStrumento(nome + ": " + std::to_string(byte.size()) + " byte, non un multiplo di " +
                          std::to_string(byte_fissi<cella>) + ": file troncato o non è un file di celle");
  LettoreBinario l(byte, nome);
  std::vector<cella> celle(byte.size() / byte_fissi<cella>);
  for (cella& c : celle) l.record(c);
  return celle;
}

ProfiloLetto leggi_profilo(std::string_view byte, const std::string& nome) {
  const std::string copia(byte);
  const FlussoProfilo f([&] { return std::make_unique<std::istringstream>(copia); }, nome);
  ProfiloLetto p;
  p.x.reserve(f.metri());
  p.y.reserve(f.metri());
  f.per_ogni_metro([&](size_t, const Variante& x, const Variante& y) {
    p.x.push_back(x);
    p.y.push_back(y);
  });
  return p;
}

FlussoProfilo::FlussoProfilo(Apri apri, std::string nome) : apri_(std::move(apri)), nome_(std::move(nome)) {
  auto in = apri_();
  in->seekg(0, std::ios::end);
  dimensione_ = static_cast<size_t>(in->tellg());
  in->seekg(0);
  // Column x then column y, equally long; each starts with two Integers.
  LettoreBinario l(*in, dimensione_, nome_);
  size_t n = 0;
  bool x_interi = true;  // the first two of column x
  for (; !l.alla_fine(); ++n) {
    const Variante v = leggi_variante(l, nome_);
    if (n < 2 && v.tipo != Variante::Tipo::intero) x_interi = false;
  }
  if (n >= 2 && !x_interi)
    throw ErroreStrumento(nome_ + ": i primi due metri non sono interi: non è un profilo di linea");
  // Whole values missing at the end: column y, found at the half, does not
  // start where it should.
  const std::string troncato = nome_ + ": " + std::to_string(n) + " valori: ";
  if (n < 4 || n % 2 != 0)
    throw ErroreStrumento(troncato +
                          "profilo troncato (due colonne di almeno due metri ciascuna), o non è un profilo di linea");
  metri_ = n / 2;
  in->clear();
  in->seekg(0);
  LettoreBinario y(*in, dimensione_, nome_);
  for (size_t k = 0; k < metri_ + 2; ++k) {
    const Variante v = leggi_variante(y, nome_);
    if (k >= metri_ && v.tipo != Variante::Tipo::intero)
      throw ErroreStrumento(
          troncato + "la colonna y non comincia a meta' dei valori: profilo troncato, o non è un profilo di linea");
  }
}

void FlussoProfilo::per_ogni_metro(const std::function<void(size_t, const Variante&, const Variante&)>& f) const {
  auto in_x = apri_(), in_y = apri_();
  LettoreBinario x(*in_x, dimensione_, nome_), y(*in_y, dimensione_, nome_);
  for (size_t k = 0; k < metri_; ++k) leggi_variante(y, nome_);
  for (size_t m = 0; m < metri_; ++m) {
    const Variante vx = leggi_variante(x, nome_);
    const Variante vy = leggi_variante(y, nome_);
    f(m, vx, vy);
  }
}

}  // namespace scenario::strumenti
