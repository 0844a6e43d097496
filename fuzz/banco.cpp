#include "banco.h"

#include <cstdio>
#include <cstdlib>

#include "compiler/binario.h"
#include "compiler/compilazione.h"
#include "compiler/memorizza_dati.h"

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

}  // namespace

void violazione(const char* cosa) {
  std::fprintf(stderr, "invariante violata: %s\n", cosa);
  std::abort();
}

void compila_tutto(Compilazione& c, std::string_view linea, std::string_view treno, int32_t scrivi_file) {
  c.file = prepara(c.stato, c.disco, linea, treno);
  c.esito = esegui_compilazione(c.stato, c.disco, c.file, scrivi_file);
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
  serializza_stazioni(stato.stazioni);
}

}  // namespace scenario::fuzz
