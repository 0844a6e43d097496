#include "compiler/compilazione.h"

#include "compiler/binario.h"
#include "compiler/codici_gara.h"
#include "compiler/memorizza_dati.h"
#include "compiler/regole.h"
#include "compiler/stato.h"

namespace scenario {

Esito esegui_compilazione(Stato& stato, Disco& disco, const FileCompilazione& file, int32_t scrivi_file) {
  return esito_di([&] {
    stato.scrivi_file = scrivi_file;
    stato.codice_errore = 0;
    for (stazione& s : stato.stazioni) s = stazione{};
    memorizza_dati(stato, disco, file.linea_txt, file.treno_txt);
    applica_regole(stato);
    timbra_codici(stato);
    scrivi_file_binari(stato, disco, {file.linea_dat, file.sim, file.dat});
  });
}

void annota_esito(Stato& stato, const Esito& esito) {
  switch (esito.tipo) {
    case Esito::Tipo::completo: return;
    case Esito::Tipo::errore_numerato: {
      auto it = stato.origine_cella.find(1);
      const Origine dove = it == stato.origine_cella.end() ? Origine{} : it->second;
      stato.problemi.push_back({Problema::Tipo::numerato, esito.numero, std::nullopt, dove, {}});
      return;
    }
    case Esito::Tipo::guasto:
      stato.problemi.push_back({Problema::Tipo::esecuzione, esito.numero, std::nullopt, Origine{}, esito.testo});
      return;
  }
}

}  // namespace scenario
