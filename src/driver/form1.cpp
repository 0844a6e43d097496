#include "driver/form1.h"

#include <new>
#include <string>
#include <utility>

#include "compiler/errori.h"
#include "driver/memorizza_percorso.h"
#include "sources/scrittori.h"

namespace scenario {
namespace {

// Unwinds the run to its end once errore has shown its message.
struct FineProgramma {};

}  // namespace

Form1::Form1(const Payload& payload, Servizi servizi) : payload_(payload), servizi_(std::move(servizi)) {}

void Form1::errore(const std::string& a) {
  servizi_.messaggio(" Errore n. " + a);
  throw FineProgramma{};
}

Uscita Form1::Form_Load() {
  std::unique_ptr<Finestra> finestra;
  auto fallimento = [&](const std::string& testo, Problema::Tipo tipo, int32_t numero) {
    stato_.annota(tipo, numero, testo);
    servizi_.messaggio(testo);
    return Uscita::errore_esecuzione;
  };
  try {
    stato_.nome_linea = std::string(payload_.nome_linea);
    stato_.numero_treno = std::string(payload_.numero_treno);
    finestra = servizi_.finestra();

    Disco& disco = servizi_.disco;
    const Percorso& cartella = servizi_.cartella;
    dati_linea(stato_, payload_, disco, cartella);
    dati_treno(stato_, payload_, disco, cartella);
    dati_note(stato_, payload_, disco, cartella);
    dati_rallentamenti(stato_, payload_, disco, cartella);
    dati_scheda(stato_, payload_, disco, cartella);

    try {
      memorizza_percorso(stato_, disco, cartella, 1);
    } catch (const ErroreNumerato& e) {
      stato_.annota(Problema::Tipo::numerato, e.numero(), e.what());
      errore(std::to_string(e.numero()));
    }
    return Uscita::ok;
  } catch (const FineProgramma&) {
    return Uscita::errore_numerato;
  } catch (const ErroreEsecuzione& e) {
    return fallimento(e.what(), Problema::Tipo::esecuzione, e.numero());
  } catch (const std::bad_alloc&) {
    const ErroreEsecuzione e(Guasto::memoria_esaurita);
    return fallimento(e.what(), Problema::Tipo::esecuzione, e.numero());
  }
}

}  // namespace scenario
