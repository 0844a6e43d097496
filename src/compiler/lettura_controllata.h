#pragma once
// What a checking reading is told while the description readers work: the
// records read with their values and places, the keyword fields no record
// takes, and every point where the installer's reading stops. The authors'
// tool listens through OsservatoreLettura; the installer's compile has no
// listener, and reads exactly as without one.
//
// Reading on (Stato::prosegui): where the installer's reading would stop, the
// readers tell the listener, resynchronise at the next line that starts with
// a keyword of the text or a section header, and go on with the model the
// records before it left.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/problemi.h"

namespace scenario {

namespace formato {
struct Record;
enum class Parte : uint8_t;
}  // namespace formato

// The record a reading is in: a failure inside it is about the record when
// it falls on a later line than the record's keyword.
struct RecordInCorso {
  const formato::Record* formato = nullptr;  // none between records
  Origine chiave;
  int32_t valori_sulla_riga = 0;  // values read on the keyword's line
};

// One value as read: a number, or a text (Windows-1252).
struct ValoreLetto {
  int64_t numero = 0;
  std::string testo;
  Origine campo;
  bool inizio_riga = false;  // the field opens its line
};

struct RecordLetto {
  Sorgente sorgente = Sorgente::nessuna;
  const formato::Record* formato = nullptr;
  std::string chiave;  // the keyword field as written
  Origine campo_chiave;
  std::vector<ValoreLetto> valori;  // those read before the record ended
  bool problema = false;            // a problem was recorded while it was read
  bool guasto = false;              // a run-time failure ended it
};

// A keyword field that no record of its part of the text takes.
struct CampoIgnorato {
  Sorgente sorgente = Sorgente::nessuna;
  formato::Parte parte;
  std::string_view testo;  // the reader's, valid while the listener is told: a field may be megabytes
  Origine campo;
  bool inizio_riga = false;
};

// Where the installer's reading of a text stops.
struct Arresto {
  Sorgente sorgente = Sorgente::nessuna;
  Origine dove;
  // The record that stops it recorded a problem; otherwise an earlier code
  // stops the reading at the first feature stamped into the cells.
  bool con_problema = true;
  int32_t codice_errore = 0;
  RecordInCorso record;  // the record it stops in; none outside records
};

class OsservatoreLettura {
 public:
  virtual ~OsservatoreLettura() = default;
  virtual void inizio_testo(Sorgente) {}
  // The text has no "[generale]": nothing of it is read.
  virtual void senza_generale(Sorgente) {}
  virtual void record_letto(const RecordLetto&) {}
  virtual void campo_ignorato(const CampoIgnorato&) {}
  virtual void arresto(const Arresto&) {}
};

}  // namespace scenario
