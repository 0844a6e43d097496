#include "compilazione.h"

#include <filesystem>
#include <new>

#include "compiler/cp1252.h"
#include "compiler/errori.h"
#include "disco_autore.h"
#include "driver/memorizza_percorso.h"
#include "driver/nomi_file.h"
#include "errore_strumento.h"

namespace scenario::strumenti {
namespace {

std::string leggi_testo(Disco& disco, const Percorso& p) {
  const std::string nome = p.filename().string();
  if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + p.string());
  try {
    return disco.leggi(p);
  } catch (const ErroreEsecuzione& e) {
    throw ErroreStrumento("impossibile leggere " + p.string() + ": " + e.descrizione());
  }
}

// Where a numbered error comes from: the feature stamped into cell 1, when
// the compile knows where it was described.
Origine origine_cella_riservata(const Stato& stato) {
  auto it = stato.origine_cella.find(1);
  return it == stato.origine_cella.end() ? Origine{} : it->second;
}

}  // namespace

EsitoCompilazione compila(const RichiestaCompilazione& r, Disco& disco) {
  const Percorso linea = percorso_file(r.ingresso, FileScenario::linea_txt, r.nome_linea, r.numero_treno);
  const Percorso treno = percorso_file(r.ingresso, FileScenario::treno_txt, r.nome_linea, r.numero_treno);
  EsitoCompilazione esito;
  esito.testo_linea = leggi_testo(disco, linea);
  esito.testo_treno = leggi_testo(disco, treno);
  std::error_code ec;
  if (!std::filesystem::is_directory(r.uscita, ec))
    throw ErroreStrumento("la cartella di uscita non esiste: " + r.uscita.string());

  // The compiler looks for its texts beside the files it writes.
  DiscoAutore autore(disco);
  autore.servi(percorso_file(r.uscita, FileScenario::linea_txt, r.nome_linea, r.numero_treno), esito.testo_linea);
  autore.servi(percorso_file(r.uscita, FileScenario::treno_txt, r.nome_linea, r.numero_treno), esito.testo_treno);

  esito.stato = std::make_unique<Stato>();
  Stato& stato = *esito.stato;
  stato.nome_linea = r.nome_linea;
  stato.numero_treno = r.numero_treno;
  try {
    memorizza_percorso(stato, autore, r.uscita, r.scrivi_file);
    esito.file_scritti = true;
  } catch (const ErroreNumerato& e) {
    stato.problemi.push_back({Problema::Tipo::numerato, e.numero(), std::nullopt, origine_cella_riservata(stato), {}});
  } catch (const ErroreEsecuzione& e) {
    stato.problemi.push_back({Problema::Tipo::esecuzione, e.numero(), std::nullopt, Origine{}, e.what()});
  } catch (const std::bad_alloc&) {
    stato.problemi.push_back({Problema::Tipo::esecuzione, 7, std::nullopt, Origine{}, "Memoria esaurita"});
  }
  if (!esito.file_scritti)
    esito.uscita = Uscita::nessun_file;
  else
    esito.uscita = stato.problemi.empty() ? Uscita::pulita : Uscita::problemi;
  return esito;
}

}  // namespace scenario::strumenti
