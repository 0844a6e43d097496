#include "comandi.h"

#include <fstream>
#include <memory>
#include <ostream>

#include "base/errori.h"
#include "compilazione.h"
#include "dump.h"
#include "errore_strumento.h"
#include "esecuzione_comando.h"
#include "ingressi.h"
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
  return protetto(
      err,
      [&] {
        const TestiAutore t = trova_testi(disco, Percorso(a.ingresso), a.linea, a.treno);
        RichiestaCompilazione r;
        r.nome_linea = t.nome_linea;
        r.numero_treno = t.numero_treno;
        r.ingresso = Percorso(a.ingresso);
        r.uscita = Percorso(a.uscita.empty() ? a.ingresso : a.uscita);
        r.scrivi_file = a.senza_profilo ? 0 : 1;
        r.testi = &t;
        const EsitoCompilazione esito = compila(r, disco);
        out << (a.json ? json_testo(rapporto_json(esito, r)) : rapporto_testo(esito, r));
        return static_cast<int>(esito.uscita);
      },
      a.json ? &out : nullptr);
}

int esegui_dump(const ArgomentiDump& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(err, [&] {
    const Percorso p(a.file);
    const std::string nome = p.filename().string();
    if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + p.string());
    // Read from the file as it is decoded: a long profile is never held whole.
    FileDaDecodificare f{nome, [p] {
                           auto in = std::make_unique<std::ifstream>(p, std::ios::binary);
                           if (!*in) throw ErroreStrumento("impossibile leggere " + p.string());
                           return std::unique_ptr<std::istream>(std::move(in));
                         }};
    const auto dal_nome = tipo_da_nome(nome);
    const TipoFile tipo = dal_nome ? *dal_nome : tipo_da_contenuto(leggi_file_autore(disco, p), nome);
    scrivi_dump(tipo, f, {a.tutti, a.json}, out);
    return 0;
  });
}

}  // namespace scenario::strumenti
