#include "file_binari.h"

#include "errore_strumento.h"
#include "lettore_binario.h"

namespace scenario::strumenti {
namespace {

constexpr size_t byte_cella = 15;

bool finisce_con(std::string_view s, std::string_view fine) {
  return s.size() >= fine.size() && s.substr(s.size() - fine.size()) == fine;
}

// The profile's elements: a 16-bit tag and its value.
Variante leggi_variante(LettoreBinario& l, const std::string& nome) {
  const size_t dove = l.posizione();
  switch (l.u16()) {
    case 0: return {};
    case 2: return Variante::da_intero(l.i16());
    case 5: return Variante::da_doppio(l.f64());
    default:
      throw ErroreStrumento(nome + ": tipo di valore sconosciuto all'offset " + std::to_string(dove) +
                            ": non e' un profilo di linea");
  }
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
  for (stazione& s : stazioni) {
    s.tipo_stazione = l.u8();
    s.inizio_zona = l.i32();
    s.fine_zona = l.i32();
    s.posizione_stazione = l.i32();
    s.campo4 = l.u8();
    s.nome = l.testo(l.u16());
    s.campo7 = l.i16();
    s.campo8 = l.i16();
    s.campo10 = l.i16();
    s.campo11 = l.i16();
    s.campo12 = l.i16();
    s.campo9 = l.u8();
    s.campo13 = l.u8();
    s.campo6 = l.u8();
    s.campo5 = l.u8();
    s.orario = l.i32();
  }
  if (!l.alla_fine())
    throw ErroreStrumento(nome + ": " + std::to_string(l.restanti()) +
                          " byte oltre gli 87 slot: non e' una tabella delle stazioni");
  return stazioni;
}

std::vector<cella> leggi_celle(std::string_view byte, const std::string& nome) {
  if (byte.empty() || byte.size() % byte_cella != 0)
    throw ErroreStrumento(nome + ": " + std::to_string(byte.size()) +
                          " byte, non un multiplo di 15: file troncato o non e' un file di celle");
  LettoreBinario l(byte, nome);
  std::vector<cella> celle(byte.size() / byte_cella);
  for (cella& c : celle) {
    c.codice = l.u8();
    c.valore1 = l.i16();
    c.valore2 = l.i16();
    c.valore3 = l.i16();
    c.valore4 = l.i16();
    c.tempo_segnale = l.u8();
    c.avvicinamento = l.u8();
    c.tipo_montagna = l.u8();
    c.velocita_max = l.u8();
    c.pendenza = l.u8();
    c.aderenza = l.u8();
  }
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
