#pragma once
// The reading skeleton both description readers stand on: the line's
// (parser_linea.cpp) and the train's (parser_treno.cpp, stazione_treno.cpp).
// Each reader holds only its record tables and their handlers; this class
// holds, once, what they share:
//
// - the text, its field reader and where it came from;
// - typed field reads, each returning the value with the place of its field;
// - the search for "[generale]" and the record loop of a section, driven by a
//   table of (record format, handler): the keyword tests are the format
//   table's (formati.h);
// - the position check, the refusal that stops the reading and deletes the
//   text, and the test after a stamping operation;
// - for a checking reading (lettura_controllata.h), the listener told of
//   every record and stop, and the reading on: where the installer's reading
//   stops, the failure is recorded, the text is kept and the loop
//   resynchronises at the next line that opens a record or a section.
//
// Places. Every problem a reader records is given the field it is about.
// Besides, Stato::origine_corrente is where the compile stands: every field
// read moves it to that field (also when the read fails), and a record says
// with riferisci_a() what its remaining work is about. The problems of the
// stamping operations and any run-time failure point there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/disco.h"
#include "base/errori.h"
#include "compiler/formati.h"
#include "compiler/lettura_campi.h"
#include "compiler/lettura_controllata.h"
#include "compiler/problemi.h"
#include "compiler/stato.h"

namespace scenario {

// The margin of the position check: a record must leave this many metres of
// cells after its position.
inline constexpr int32_t margine_posizione = 100;

// A field read, with where it stands in its text. It reads as its value.
template <typename T>
struct Letto {
  T valore;
  Origine campo;

  operator const T&() const { return valore; }
};

class LetturaDescrizione {
 public:
  // How a record, or a whole section, leaves the reading.
  enum class Esito {
    avanti,  // on to the next record
    fine,    // stop reading; the reader's completion still runs
    uscita,  // the text is deleted and the problem recorded: return at once
  };

  // One record of a section: its format, whose keyword test finds it, and
  // gestisci, which reads the record's own values.
  template <typename Lettura>
  struct Record {
    const formato::Record* formato;
    Esito (Lettura::*gestisci)();

    bool corrisponde(std::string_view chiave) const { return formato->chiave.corrisponde(chiave); }
  };

  // How a section reads its keywords.
  struct Sezione {
    // Up to this many fields holding a "-" are skipped before a keyword...
    int trattini;
    // ...and after each one the end of the text is tested, or not.
    bool fine_tra_i_trattini;
    // A keyword that ends the section once its own record is read; none
    // when null: the section then runs to the end of the text.
    bool (*chiude)(std::string_view chiave) = nullptr;
    formato::Parte parte = formato::Parte::sezioni;
  };

 protected:
  LetturaDescrizione(Stato& stato, Disco& disco, const Percorso& percorso, std::string_view testo, Sorgente sorgente);

  // Typed field reads (LetturaCampi): text, 32, 16 and 8 bits.
  Letto<std::string> testo();
  Letto<int32_t> numero();
  Letto<int16_t> intero();
  Letto<uint8_t> byte();

  // Reads fields into riga until one contains "[generale]" (any case).
  // False when the text ends first: the field that ends it is never tested.
  bool cerca_generale();

  // Reads the records of a section: each keyword goes into riga, and every
  // record of the table whose test it passes acts, in table order, until one
  // does not go on. Ends with fine at the end of the text, with avanti after
  // a keyword that closes the section, or with a handler's own outcome.
  template <typename Lettura, size_t N>
  Esito leggi_sezione(const Record<Lettura> (&tabella)[N], const Sezione& sezione);

  // The rest of the record's work (its checks, its stamping and a run-time
  // failure) points at dove, until the next field is read.
  void riferisci_a(const Origine& dove) { stato.origine_corrente = dove; }

  // The position check of a record: false, with problem 15 at the position's
  // field, when n < (p + margine) / 50, n being the last cell. Needs the cells.
  bool ammessa(const Letto<int32_t>& posizione, int32_t margine = margine_posizione);

  // Stops the reading: the compile moves to dove, the text is deleted and the
  // problem recorded there.
  Esito rifiuta(int32_t codice, const Origine& dove, std::optional<int32_t> posizione = std::nullopt);

  // Runs a stamping operation (stampaggio.h) for the record at posizione. A
  // problem code it left, or one left before, stops the reading: the text
  // is deleted and posizione goes with the problems the operation recorded.
  template <typename Operazione>
  Esito stampa(int32_t posizione, Operazione&& operazione) {
    const size_t prima = stato.problemi.size();
    operazione();
    return dopo_stampaggio(prima, posizione);
  }

  // The completion deletes the text it has read.
  void elimina_testo() { disco_.elimina(percorso_); }

  // Work of the reader outside its records (between the sections, the
  // completion). Reading on, a run-time failure in it is recorded as in a
  // record and the reading goes on; otherwise it ends the reading.
  template <typename F>
  void fuori_dai_record(F&& lavoro) {
    try {
      lavoro();
    } catch (const ErroreEsecuzione& e) {
      if (!guasto(e)) throw;
    }
  }

  Stato& stato;
  Letto<std::string> riga{};  // the keyword of the record being read

 private:
  template <typename T>
  Letto<T> leggi(T (LetturaCampi::*lettura)());
  Origine campo_letto() const;
  // False when the text ends on a skipped field and the section tests for it.
  bool salta_trattini(const Sezione& sezione);
  Esito dopo_stampaggio(size_t prima, int32_t posizione);
  bool fine_testo() const { return lettore_.fine_file(); }

  // One record's handler, with what a checking reading is told around it.
  template <typename F>
  Esito leggi_record(const formato::Record& f, F&& gestisci) {
    inizia_record(f);
    try {
      return chiudi_record(gestisci());
    } catch (const ErroreEsecuzione& e) {
      if (!guasto(e)) throw;
      return Esito::uscita;
    }
  }
  void inizia_record(const formato::Record& f);
  Esito chiudi_record(Esito esito);
  // Tells the listener of a run-time failure; reading on, records it as the
  // compile does (problem 25) and returns true: the reading goes on.
  bool guasto(const ErroreEsecuzione& e);
  void segnala_arresto(bool con_problema, const Origine& dove);
  void ignorato(const Sezione& sezione);
  // Reading on after a stop: to the first line after the keyword's that
  // opens a record of this text or a section.
  void risincronizza();
  bool apre_un_record() const;

  Disco& disco_;
  const Percorso& percorso_;
  LetturaCampi lettore_;
  Sorgente sorgente_;
  OsservatoreLettura* osservatore_;
  LetturaCampi prima_della_chiave_;
  RecordLetto record_;  // what the listener is told of the record being read
  size_t problemi_prima_ = 0;
};

template <typename Lettura, size_t N>
LetturaDescrizione::Esito LetturaDescrizione::leggi_sezione(const Record<Lettura> (&tabella)[N],
                                                            const Sezione& sezione) {
  Lettura& lettura = static_cast<Lettura&>(*this);
  for (;;) {
    if (fine_testo()) return Esito::fine;
    prima_della_chiave_ = lettore_;
    riga = testo();
    if (fine_testo()) return Esito::fine;
    bool trattini = false;
    try {
      trattini = salta_trattini(sezione);
    } catch (const ErroreEsecuzione& e) {
      if (!guasto(e)) throw;
    }
    if (!trattini) return Esito::fine;
    bool letto = false;
    for (const Record<Lettura>& record : tabella) {
      if (!record.corrisponde(riga.valore)) continue;
      letto = true;
      const Esito esito = leggi_record(*record.formato, [&] { return (lettura.*record.gestisci)(); });
      if (esito == Esito::avanti) continue;
      if (!stato.prosegui) return esito;
      risincronizza();
      break;
    }
    if (!letto) ignorato(sezione);
    if (sezione.chiude && sezione.chiude(riga.valore)) return Esito::avanti;
  }
}

}  // namespace scenario
