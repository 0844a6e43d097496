#include "file_binari.h"

#include <type_traits>

#include "errore_strumento.h"
#include "lettore_binario.h"

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
                          ": non e' un profilo di linea");
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
  throw ErroreStrumento(nome + ": non e' un file di scenario (ne' .sim, ne' .dat, ne' _linea.dat)");
}

std::array<stazione, slot::numero> leggi_stazioni(std::string_view byte, const std::string& nome) {
  LettoreBinario l(byte, nome);
  std::array<stazione, slot::numero> stazioni{};
  for (stazione& s : stazioni) l.record(s);
  if (!l.alla_fine())
    throw ErroreStrumento(nome + ": " + std::to_string(l.restanti()) + " byte oltre gli " +
                          std::to_string(slot::numero) + " slot: non e' una tabella delle stazioni");
  return stazioni;
}

std::vector<cella> leggi_celle(std::string_view byte, const std::string& nome) {
  if (byte.empty() || byte.size() % byte_fissi<cella> != 0)
    throw ErroreStrumento(nome + ": " + std::to_string(byte.size()) + " byte, non un multiplo di " +
                          std::to_string(byte_fissi<cella>) + ": file troncato o non e' un file di celle");
  LettoreBinario l(byte, nome);
  std::vector<cella> celle(byte.size() / byte_fissi<cella>);
  for (cella& c : celle) l.record(c);
  return celle;
}

ProfiloLetto leggi_profilo(std::string_view byte, const std::string& nome) {
  LettoreBinario l(byte, nome);
  ProfiloLetto p;
  // Column x then column y, equally long; each starts with two Integers.
  std::vector<Variante> tutti;
  while (!l.alla_fine()) tutti.push_back(leggi_variante(l, nome));
  if (tutti.size() < 4 || tutti.size() % 2 != 0)
    throw ErroreStrumento(nome + ": numero di valori non valido: non e' un profilo di linea");
  const size_t n = tutti.size() / 2;
  p.x.assign(tutti.begin(), tutti.begin() + static_cast<std::ptrdiff_t>(n));
  p.y.assign(tutti.begin() + static_cast<std::ptrdiff_t>(n), tutti.end());
  for (const auto* colonna : {&p.x, &p.y})
    if ((*colonna)[0].tipo != Variante::Tipo::intero || (*colonna)[1].tipo != Variante::Tipo::intero)
      throw ErroreStrumento(nome + ": i primi due metri non sono interi: non e' un profilo di linea");
  return p;
}

}  // namespace scenario::strumenti
