#pragma once
// The compile's own problems as diagnostics: identifier, meaning and usual
// fix from the table of codes, and the place, pointed at the field the
// problem is about where the compile's own place is not.

#include <string>

#include "base/codici.h"
#include "compiler/lettura_controllata.h"
#include "compiler/problemi.h"
#include "verifica/diagnostica.h"

namespace scenario::verifica {

// The kind of code a problem is.
Famiglia famiglia(Problema::Tipo t);

// "P25" for a recorded problem, "E1250" for a numbered error, "G61" for a
// run-time failure.
std::string identificatore(const Codice& c);
std::string identificatore(const Problema& p);

// The file a problem is about: its place's, or for a recorded problem with
// no place the text its code concerns.
File file_del_problema(const Problema& p);

// A failure inside a record that falls on a later line than the record's
// keyword: the record ran out of values. Its place is then the record's
// keyword, and this says so ("stazione: 15 valori invece di 17; il record
// continua sulla riga seguente"). Empty otherwise.
std::string record_senza_valori(const Problema& p, const RecordInCorso& record);

// Where a stop at dove inside the record is about: the record's keyword
// when dove falls on a later line (the record ran out of values), else dove.
Origine luogo_nel_record(const Origine& dove, const RecordInCorso& record);

// record: the record the compile was reading when the problem was met
// (for a run-time failure while reading), or none.
Diagnostica da_problema(const Problema& p, const RecordInCorso& record);

}  // namespace scenario::verifica
