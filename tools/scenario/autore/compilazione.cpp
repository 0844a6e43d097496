#include "autore/compilazione.h"

#include <filesystem>

#include "autore/lettura_file.h"
#include "base/cp1252.h"
#include "base/errori.h"
#include "base/nomi_file.h"
#include "cli/errore_strumento.h"
#include "compiler/compilazione.h"
#include "verifica/controllo.h"
#include "verifica/disco_autore.h"

namespace scenario::strumenti {
namespace {

Uscita uscita_di(const Esito& e, const Stato& s) {
  if (!e.completo()) return Uscita::nessun_file;
  return s.problemi.empty() ? Uscita::pulita : Uscita::problemi;
}

}  // namespace

EsitoCompilazione compila(const RichiestaCompilazione& r, Disco& disco) {
  const FileCompilazione file = file_compilazione(r.ingresso, r.uscita, {r.nome_linea, r.numero_treno});
  EsitoCompilazione esito;
  if (r.testi) {
    esito.testo_linea = r.testi->linea;
    esito.testo_treno = r.testi->treno;
    esito.file_linea = r.testi->file_linea;
    esito.file_treno = r.testi->file_treno;
  } else {
    esito.letti = std::make_unique<const std::pair<std::string, std::string>>(leggi_file_autore(disco, file.linea_txt),
                                                                              leggi_file_autore(disco, file.treno_txt));
    esito.testo_linea = esito.letti->first;
    esito.testo_treno = esito.letti->second;
    esito.file_linea = file.linea_txt;
    esito.file_treno = file.treno_txt;
  }
  if (!r.scrivi_binari) {
    // Nothing is written: the check's compile in memory, the one there is.
    Esito e;
    esito.stato = verifica::compila_in_memoria(
        {r.nome_linea, r.numero_treno, esito.testo_linea, esito.testo_treno, std::nullopt, r.scrivi_file},
        r.osservatore, false, &e);
    esito.uscita = uscita_di(e, *esito.stato);
    return esito;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(r.uscita, ec))
    throw ErroreStrumento(std::filesystem::exists(r.uscita, ec)
                              ? "la cartella di uscita non è una cartella ma un file: " + testo_utf8(r.uscita)
                              : "la cartella di uscita non esiste: " + testo_utf8(r.uscita));
  // The output directory is the installer's kind of directory: one run at a
  // time, installer or tool.
  const auto blocco = disco.blocca(r.uscita);

  // The texts are the author's: the compiler reads them as read here, and
  // its deletion of them is only noted.
  verifica::DiscoAutore autore(disco);
  autore.servi(file.linea_txt, esito.testo_linea);
  autore.servi(file.treno_txt, esito.testo_treno);

  esito.stato = std::make_unique<Stato>();
  Stato& stato = *esito.stato;
  stato.nome_linea = r.nome_linea;
  stato.numero_treno = r.numero_treno;
  stato.osservatore = r.osservatore;
  const Esito e = esegui_compilazione(stato, autore, file, r.scrivi_file);
  stato.osservatore = nullptr;
  annota_esito(stato, e);
  esito.file_scritti = e.completo();
  esito.uscita = uscita_di(e, stato);
  return esito;
}

}  // namespace scenario::strumenti
