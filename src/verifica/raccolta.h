#pragma once
// The listener of a checking reading: keeps, in reading order, what the
// readers tell (lettura_controllata.h), for the check's rules.

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "compiler/lettura_controllata.h"
#include "verifica/tenuti.h"

namespace scenario::verifica {

// A keyword field no record takes, with what came before it on its line.
struct Ignorato {
  CampoIgnorato campo;
  bool dopo_record = false;             // a record's values end on the same line before it
  bool dopo_ignorato = false;           // another ignored field stands before it on the line
  const RecordLetto* record = nullptr;  // with dopo_record, that record
};

class Raccolta : public OsservatoreLettura {
 public:
  void inizio_testo(Sorgente s) override;
  void senza_generale(Sorgente s) override;
  void record_letto(const RecordLetto& r) override;
  void campo_ignorato(const CampoIgnorato& c) override;
  void arresto(const Arresto& a) override { arresti.push_back(a); }

  bool iniziato(Sorgente s) const { return s == Sorgente::linea ? linea_iniziata : treno_iniziato; }
  // The first stop of the text, or nullptr when its reading ran to the end.
  const Arresto* primo_arresto(Sorgente s) const;

  // Records of both texts, the line's first; references stay valid.
  std::vector<const RecordLetto*> record;
  // The warnings of the ignored fields, told as each is read: a text of a
  // million unknown keywords keeps no more than the bound of them.
  Tenuti avvisi_dei_campi;
  // The ignored fields themselves, kept only with tieni_ignorati (for tests);
  // their texts in testi_ignorati, whose elements stay in place.
  bool tieni_ignorati = false;
  std::vector<Ignorato> ignorati;
  std::deque<std::string> testi_ignorati;
  // For each text, the line of its first record or ignored field; and the
  // lines opened by an ignored field that may be a comment (; # ' //).
  std::map<Sorgente, int32_t> prima_riga;
  std::map<Sorgente, std::set<int32_t>> saltate;
  std::vector<Arresto> arresti;
  bool linea_iniziata = false, treno_iniziato = false;
  bool treno_senza_generale = false;

 private:
  void prima(Sorgente s, int32_t riga);
  // The last event of the text being read: its line, and the record if it was one.
  Sorgente sorgente_ultimo_ = Sorgente::nessuna;
  int32_t riga_ultimo_ = 0;
  const RecordLetto* record_ultimo_ = nullptr;
  std::vector<std::unique_ptr<RecordLetto>> tenuti_;
};

}  // namespace scenario::verifica
