#include "comandi.h"

#include <ostream>

#include "base/errori.h"
#include "compilazione.h"
#include "dump.h"
#include "errore_strumento.h"
#include "esecuzione_comando.h"
#include "lettura_file.h"
#include "nomi_scenario.h"
#include "rapporto.h"

namespace scenario::strumenti {
namespace {

std::string json_testo(const nlohmann::json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    RichiestaCompilazione r;
    r.nome_linea = nome_da_argomento(a.linea, "--route");
    r.numero_treno = nome_da_argomento(a.treno, "--train");
    r.ingresso = Percorso(a.ingresso);
    r.uscita = Percorso(a.uscita.empty() ? a.ingresso : a.uscita);
    r.scrivi_file = a.senza_profilo ? 0 : 1;
    const EsitoCompilazione esito = compila(r, disco);
    out << (a.json ? json_testo(rapporto_json(esito, r)) : rapporto_testo(esito, r));
    return static_cast<int>(esito.uscita);
  });
}

int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const Percorso p(a.file);
    const std::string byte = leggi_file_autore(disco, p);
    const std::string nome = p.filename().string();
    const TipoFile tipo = riconosci(byte, nome);
    const OpzioniDump o{a.tutti};
    // Decoded whole before anything is printed, so a bad file prints only the error.
    const std::string testo = a.json ? json_testo(dump_json(tipo, byte, nome, o)) : dump_testo(tipo, byte, nome, o);
    out << testo;
    return 0;
  });
}

}  // namespace scenario::strumenti
