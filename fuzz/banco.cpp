#include "banco.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "base/errori.h"
#include "compiler/binario.h"
#include "compiler/compilazione.h"
#include "compiler/memorizza_dati.h"
#include "compiler/profilo.h"

namespace scenario::fuzz {
namespace {

// The texts on the disk under the names the compiler reads.
FileCompilazione prepara(Stato& stato, test::DiscoMemoria& disco, std::string_view linea, std::string_view treno) {
  stato.nome_linea = "Belmora_Solvenzia";
  stato.numero_treno = "4816-4817";
  const FileCompilazione file = file_compilazione("/scenario", "/scenario", {stato.nome_linea, stato.numero_treno});
  disco.file[file.linea_txt.generic_string()] = std::string(linea);
  disco.file[file.treno_txt.generic_string()] = std::string(treno);
  return file;
}

// The profile as the file writer walks it holds the tags conteggio() counts,
// one element per metre; and an element read alone is the one the walk
// gives, its value to the bit where the tag carries one: at the start rows
// and the first and last step. Each element read alone walks the profile up
// to it, so only these few are: a long route costs a few walks, not more.
void verifica_profilo(const Profilo& p) {
  // Outside the profile, or before it is sized, an element is a run-time
  // failure, never a read past its end.
  auto fuori = [&](int64_t m) {
    try {
      (void)p(m, 0);
    } catch (const ErroreEsecuzione&) {
      return true;
    }
    return false;
  };
  if (!p.allocato()) {
    if (!fuori(0)) violazione("elemento di un profilo non dimensionato");
    return;
  }
  const int64_t ultimo = p.ultimo_metro();
  if (!fuori(-1) || !fuori(ultimo + 1)) violazione("elemento fuori dal profilo");
  const Profilo::Conteggio n = p.conteggio();
  const int64_t campioni[] = {0, 1, 2, n.interi + n.doppi - 1};
  for (int k = 0; k < Profilo::colonne; ++k) {
    Profilo::Conteggio visti;
    int64_t m = 0;
    p.percorri(k, [&](Variante::Tipo t, std::span<const double> valori) {
      const int64_t da = m;
      m += static_cast<int64_t>(valori.size());
      (t == Variante::Tipo::intero   ? visti.interi
       : t == Variante::Tipo::doppio ? visti.doppi
                                     : visti.vuoti) += static_cast<int64_t>(valori.size());
      for (const int64_t c : campioni) {
        if (c < da || c >= m) continue;
        const Variante solo = p(c, k);
        const double v = valori[static_cast<size_t>(c - da)];
        if (solo.tipo != t ||
            (t != Variante::Tipo::vuoto && std::bit_cast<uint64_t>(solo.valore()) != std::bit_cast<uint64_t>(v)))
          violazione("elemento del profilo diverso da quello del percorso");
      }
    });
    if (m != ultimo + 1 || visti.interi != n.interi || visti.doppi != n.doppi || visti.vuoti != n.vuoti)
      violazione("conteggio del profilo diverso dal percorso");
  }
}

}  // namespace

void violazione(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

void compila_tutto(Compilazione& c, std::string_view linea, std::string_view treno, int32_t scrivi_file) {
  c.file = prepara(c.stato, c.disco, linea, treno);
  c.esito = esegui_compilazione(c.stato, c.disco, c.file, scrivi_file);
  verifica_profilo(c.stato.profilo_linea);
  // The outcome as the tool's check and compile report it: one problem more
  // for a compile that did not complete.
  const size_t prima = c.stato.problemi.size();
  annota_esito(c.stato, c.esito);
  if (c.stato.problemi.size() != prima + (c.esito.completo() ? 0 : 1)) violazione("esito non annotato");
  if (!c.esito.completo()) return;
  if (c.disco.file.at(c.file.dat.generic_string()).size() != c.stato.celle.tutte().size() * 15)
    violazione("file del binario incompleto");
}

void compila(std::string_view linea, std::string_view treno, int32_t scrivi_file, bool intero) {
  if (intero) {
    Compilazione c;
    compila_tutto(c, linea, treno, scrivi_file);
    return;
  }
  Stato stato;
  test::DiscoMemoria disco;
  const FileCompilazione file = prepara(stato, disco, linea, treno);
  stato.scrivi_file = scrivi_file;
  memorizza_dati(stato, disco, file.linea_txt, file.treno_txt);
  // The line description is always read, so always deleted.
  if (disco.esiste(file.linea_txt)) violazione("descrizione della linea non eliminata");
  // Whatever the reader left must be writable.
  if (stato.celle.allocate()) {
    if (serializza_celle(stato.celle).size() != stato.celle.tutte().size() * 15)
      violazione("dimensione del file del binario");
  }
  if (scrivi_file != 0) serializza_profilo(stato.profilo_linea);
  verifica_profilo(stato.profilo_linea);
  serializza_stazioni(stato.stazioni);
}

}  // namespace scenario::fuzz
