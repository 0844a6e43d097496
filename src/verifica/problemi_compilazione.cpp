// The compile's problems turned into the check's diagnostics.

#include "verifica/problemi_compilazione.h"

#include <algorithm>

#include "base/codici.h"
#include "base/cp1252.h"
#include "compiler/formati.h"

namespace scenario::verifica {
namespace {

// Codes that concern the line description when the problem carries no place.
constexpr int32_t codici_linea[] = {
    problema::lunghezza_eccessiva, problema::progressiva_non_multipla, problema::ripetizione_inizio,
    problema::ripetizione_fine,    problema::ripetizione_codici,       problema::cartello_occupato,
    problema::troppe_montagne,     problema::troppi_cartelli,          problema::manca_linea,
    problema::manca_generale,      problema::curva_non_valida,
};

std::string nome_record(const formato::Record& r) {
  std::string n(r.nome);
  std::ranges::replace(n, '_', ' ');
  return n;
}

}  // namespace

Famiglia famiglia(Problema::Tipo t) {
  switch (t) {
    case Problema::Tipo::registrato: return Famiglia::problema;
    case Problema::Tipo::numerato: return Famiglia::numerato;
    case Problema::Tipo::esecuzione: break;
  }
  return Famiglia::guasto;
}

std::string identificatore(const Codice& c) {
  const char* prefisso = c.famiglia == Famiglia::problema ? "P" : c.famiglia == Famiglia::numerato ? "E" : "G";
  return prefisso + std::to_string(c.numero);
}

std::string identificatore(const Problema& p) {
  return identificatore(Codice{famiglia(p.tipo), p.codice, nullptr, nullptr});
}

File file_del_problema(const Problema& p) {
  switch (p.origine.sorgente) {
    case Sorgente::linea: return File::linea;
    case Sorgente::treno: return File::treno;
    case Sorgente::nessuna: break;
  }
  if (p.tipo != Problema::Tipo::registrato) return File::nessuno;
  return std::ranges::count(codici_linea, p.codice) ? File::linea : File::treno;
}

std::string record_senza_valori(const Problema& p, const RecordInCorso& record) {
  if (p.tipo != Problema::Tipo::registrato || p.codice != problema::errore_esecuzione || !record.formato ||
      record.chiave.sorgente != p.origine.sorgente || p.origine.riga <= record.chiave.riga)
    return {};
  return nome_record(*record.formato) + ": " + std::to_string(record.valori_sulla_riga) + " valori invece di " +
         std::to_string(record.formato->valori.size()) + "; il record continua sulla riga seguente";
}

Origine luogo_nel_record(const Origine& dove, const RecordInCorso& record) {
  if (record.formato && record.chiave.sorgente == dove.sorgente && dove.riga > record.chiave.riga) return record.chiave;
  return dove;
}

Diagnostica da_problema(const Problema& p, const RecordInCorso& record) {
  Diagnostica d;
  d.gravita = Gravita::errore;
  d.id = identificatore(p);
  const Codice* c = cerca_codice(famiglia(p.tipo), p.codice);
  if (c) d.suggerimento = c->suggerimento;
  // A failure says itself, with its number and what it concerns.
  if (p.tipo == Problema::Tipo::esecuzione) {
    d.messaggio = a_utf8(p.dettaglio);
  } else {
    d.messaggio = c ? c->significato : "codice sconosciuto";
    if (!p.dettaglio.empty()) d.messaggio += ": " + a_utf8(p.dettaglio);
  }
  d.posizione = p.posizione;
  d.file = file_del_problema(p);
  d.riga = p.origine.riga;
  d.colonna = p.origine.riga > 0 ? p.origine.colonna : 0;
  if (const std::string corto = record_senza_valori(p, record); !corto.empty()) {
    d.messaggio = std::string(c->significato) + ": " + corto + " (" + a_utf8(p.dettaglio) + ")";
    d.riga = record.chiave.riga;
    d.colonna = record.chiave.colonna;
  }
  return d;
}

}  // namespace scenario::verifica
