#include "comandi.h"

#include <memory>
#include <ostream>

#include "base/errori.h"
#include "coerenza.h"
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

// A file decoded, with inconsistencies to tell.
constexpr int uscita_avvisi = 1;

std::string json_testo(const nlohmann::json& j) {
  return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

int esegui_compile(const ArgomentiCompile& a, Disco& disco, std::ostream& out, std::ostream& err) {
  return protetto(
      err,
      [&] {
        const TestiAutore t = trova_testi(disco, percorso_utf8(a.ingresso), a.linea, a.treno);
        RichiestaCompilazione r;
        r.nome_linea = t.nome_linea;
        r.numero_treno = t.numero_treno;
        r.ingresso = percorso_utf8(a.ingresso);
        r.uscita = percorso_utf8(a.uscita.empty() ? a.ingresso : a.uscita);
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
    const Percorso p = percorso_utf8(a.file);
    const std::string nome = testo_utf8(p.filename());
    if (!disco.esiste(p)) throw ErroreStrumento("file mancante: " + testo_utf8(p));
    // Read from the file as it is decoded: a long profile is never held whole.
    const FileDaDecodificare f{nome, apri_file_autore(disco, p)};
    const auto dal_nome = tipo_da_nome(nome);
    const TipoFile tipo = dal_nome ? *dal_nome : tipo_da_contenuto(leggi_file_autore(disco, p), nome);
    // What no compile writes is decoded all the same, and told after it.
    OpzioniDump o{a.tutti, a.json};
    o.avvisi = tipo == TipoFile::profilo ? incoerenze_profilo(FlussoProfilo(f.apri, nome), nome)
                                         : incoerenze_file(tipo, leggi_file_autore(disco, p), nome);
    scrivi_dump(tipo, f, o, out);
    if (o.avvisi.empty()) return 0;
    if (!a.json) err << "scenario: attenzione, " << testo_incoerenze(o.avvisi) << "\n";
    return uscita_avvisi;
  });
}

}  // namespace scenario::strumenti
