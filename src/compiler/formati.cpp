// The table of the two description formats (formati.h): each record kind
// with its keyword test and its values in reading order.

#include "compiler/formati.h"

#include <algorithm>
#include <limits>

#include "base/codici.h"
#include "compiler/lettura_campi.h"
#include "compiler/records.h"

namespace scenario::formato {
namespace {

constexpr int64_t min32 = std::numeric_limits<int32_t>::min();
constexpr int64_t max32 = std::numeric_limits<int32_t>::max();
constexpr int64_t min16 = std::numeric_limits<int16_t>::min();
constexpr int64_t max16 = std::numeric_limits<int16_t>::max();

using enum Tipo;
using enum Ruolo;
using namespace problema;

// The values of each record, in reading order.

constexpr Valore v_lunghezza[] = {
    {"lunghezza",
     "lunghezza della linea; le celle e il profilo arrivano 7000 m oltre",
     "m",
     numero,
     0,
     1'000'000,
     0,
     valore,
     {slot::treno, "fine_zona"}},
};
constexpr Valore v_progressiva[] = {
    {"inizio", "primo valore della progressiva chilometrica", "m", numero, min32, max32, 50},
    {"fine", "secondo valore; con terzo valore 1 cresce di 100 m", "m", numero, min32, max32, 50},
    {"terzo", "terzo valore: 1 allunga la fine di 100 m", "", numero, min32, max32},
};
constexpr Valore v_sfondo_uno[] = {
    {"sfondo", "primo sfondo della linea", "", numero, min32, max32, 0, valore, {slot::linea, "inizio_zona"}},
};
constexpr Valore v_sfondo_due[] = {
    {"sfondo", "secondo sfondo della linea", "", numero, min32, max32, 0, valore, {slot::linea, "posizione_stazione"}},
};
constexpr Valore v_sfondo_tre[] = {
    {"sfondo", "terzo sfondo della linea", "", numero, min32, max32, 0, valore, {slot::linea, "fine_zona"}},
};
constexpr Valore v_ripetizione[] = {
    {"inizio",
     "inizio del tratto con ripetizione dei segnali",
     "m",
     numero,
     min32,
     max32,
     50,
     valore,
     {slot::globale, "inizio_zona"}},
    {"fine",
     "fine del tratto; 0 toglie la ripetizione",
     "m",
     numero,
     min32,
     max32,
     50,
     valore,
     {slot::globale, "fine_zona"}},
};

constexpr Valore v_pendenza[] = {
    {"posizione", "da dove vale la pendenza (fino al record seguente)", "m", numero, 0, max32, 0, inizio_tratto},
    {"pendenza", "pendenza; la cella tiene pendenza + 100 in un byte: fuori da -100..155 si avvolge", "per mille",
     numero, -100, 155},
};
constexpr Valore v_curva[] = {
    {"posizione", "dove inizia la curva; il profilo va diritto fin qui", "m", numero, 0, max32, 0, metro},
    {"lunghezza", "lunghezza della curva", "m", numero, 0, max32, 0, estensione},
};
constexpr Valore v_montagna[] = {
    {"inizio", "inizio del tratto di montagna", "m", numero, 0, max32, 0, inizio_tratto},
    {"fine", "fine del tratto di montagna", "m", numero, 0, max32, 0, fine_tratto},
    {"tipo", "tipo del tratto; oltre 10 e' il tipo meno 10 con un marcatore ogni quattro celle", "", numero, min32,
     max32},
};
constexpr Valore v_indicatori[] = {
    {"posizione", "dove stanno gli indicatori", "m", numero, 0, max32, 0, punto},
    {"vas", "velocita' A, prima parte (per 20 nella cella)", "km/h", numero, min32, max32},
    {"vbs", "velocita' B, prima parte (per 20 nella cella)", "km/h", numero, min32, max32},
    {"vcs", "velocita' C, prima parte (per 20 nella cella)", "km/h", numero, min32, max32},
    {"strisces", "strisce, prima parte (per 10 nella cella)", "", numero, min32, max32},
    {"vad", "velocita' A, seconda parte (diviso 5 nella cella)", "km/h", numero, min32, max32},
    {"vbd", "velocita' B, seconda parte (diviso 5 nella cella)", "km/h", numero, min32, max32},
    {"vcd", "velocita' C, seconda parte (diviso 5 nella cella)", "km/h", numero, min32, max32},
    {"strisced", "strisce, seconda parte", "", numero, min32, max32},
};
constexpr Valore v_cartello[] = {
    {"posizione", "dove sta il cartello", "m", numero, 0, max32, 0, punto},
    {"scritta", "il testo del cartello, fino alla virgola o alla fine della riga", "", testo, 0, 65535},
};

constexpr Valore v_massa[] = {
    {"percentuale", "percentuale di massa frenata", "%", numero, min32, max32, 0, valore, {slot::treno, "inizio_zona"}},
};
constexpr Valore v_vetture[] = {
    {"vetture", "numero delle vetture", "", numero, min32, max32, 0, valore, {slot::treno, "posizione_stazione"}},
};
constexpr Valore v_velocita[] = {
    {"posizione", "da dove vale la velocita' (fino al record seguente)", "m", numero, 0, max32, 0, inizio_tratto},
    {"velocita", "velocita' massima della linea; la cella ne tiene un quinto, arrotondato", "km/h", numero, -2, 1277},
};
constexpr Valore v_aderenza[] = {
    {"posizione", "da dove vale l'aderenza (fino al record seguente)", "m", numero, 0, max32, 0, inizio_tratto},
    {"aderenza", "aderenza; la cella la tiene in un byte: fuori da 0..255 si avvolge", "", numero, 0, 255},
};
constexpr Valore v_orologio[] = {
    {"ore", "ora di partenza dell'orologio", "h", intero, min16, max16, 0, valore, {slot::globale, "campo10"}},
    {"minuti", "minuti", "min", intero, min16, max16, 0, valore, {slot::globale, "campo11"}},
    {"secondi", "secondi", "s", intero, min16, max16, 0, valore, {slot::globale, "campo12"}},
};
constexpr Valore v_sabbia[] = {
    {"sabbia", "sabbia a bordo", "", intero, min16, max16, 0, valore, {slot::globale, "campo7"}},
};
constexpr Valore v_segnale[] = {
    {"posizione", "dove sta il segnale; i suoi segni di avvicinamento arrivano 8 celle prima", "m", numero, 0, max32, 0,
     punto},
    {"sx", "tipo della parte sinistra; 2 usa il tempo", "", numero, min32, max32},
    {"s1", "primo aspetto a sinistra", "", numero, min32, max32},
    {"s2", "secondo aspetto a sinistra", "", numero, min32, max32},
    {"s3", "terzo aspetto a sinistra", "", numero, min32, max32},
    {"rapp", "rappresentazione del segnale", "", numero, min32, max32},
    {"dx", "tipo della parte destra", "", numero, min32, max32},
    {"d1", "primo aspetto a destra", "", numero, min32, max32},
    {"d2", "secondo aspetto a destra", "", numero, min32, max32},
    {"d3", "terzo aspetto a destra", "", numero, min32, max32},
    {"tempo", "tempo del segnale con sx 2; da 1 a 100 diventa 101", "s", numero, min32, max32},
};
constexpr Valore v_rallentamento[] = {
    {"posizione", "inizio del rallentamento; l'avviso sta 1200 m prima (oltre 1500 m)", "m", numero, 0, max32, 0,
     punto},
    {"velocita", "velocita' del rallentamento", "km/h", numero, min32, max32},
    {"lunghezza", "lunghezza del rallentamento", "m", numero, min32, max32, 0, estensione},
    {"f_tt", "terzo valore delle celle di inizio e fine", "", numero, min32, max32},
    {"f_ta", "non zero: preavviso nelle quattro celle prima dell'avviso", "", numero, min32, max32},
    {"d_v", "secondo valore delle celle del rallentamento", "", numero, min32, max32},
};
constexpr Valore v_abbattimento[] = {
    {"posizione", "dove sta l'abbattimento", "m", numero, 0, max32, 0, punto},
    {"velocita", "velocita' dell'abbattimento; 0 o meno: abbattimento nullo", "km/h", numero, min32, max32},
};
constexpr Valore v_stazione[] = {
    {"posizione", "posizione della stazione", "m", numero, 0, max32, 50, posizione_stazione},
    {"tipo",
     "tipo: 5 e 6 zona fino a 150 m oltre, 7 e 8 zona di tutto il marciapiede per parte, 25 e oltre senza "
     "fermata",
     "", byte, 0, 255},
    {"marciapiede", "lunghezza del marciapiede; sotto 600 m campo5 si azzera", "m", numero, min32, max32, 100},
    {"campo4", "campo4 dello slot", "", byte, 0, 255},
    {"campo5", "campo5 dello slot (0 per la prima stazione)", "", byte, 0, 255},
    {"campo6", "non zero: la zona e la cella di fermata finiscono una cella piu' avanti", "", byte, 0, 255},
    {"campo7", "campo7 dello slot", "", intero, min16, max16},
    {"campo8", "campo8 dello slot", "", intero, min16, max16},
    {"campo9", "campo9 dello slot", "", byte, 0, 255},
    {"campo10", "campo10 dello slot", "", intero, min16, max16},
    {"campo11", "campo11 dello slot", "", intero, min16, max16},
    {"campo12", "campo12 dello slot", "", intero, min16, max16},
    {"sosta", "sosta: i secondi tra arrivo e partenza (campo13)", "s", byte, 0, 255},
    {"ore", "ora di partenza", "h", numero, min32, max32},
    {"minuti", "minuti", "min", numero, min32, max32},
    {"secondi", "secondi", "s", numero, min32, max32},
    {"nome", "nome della stazione, fino alla virgola o alla fine della riga", "", testo, 0, 65535},
};

constexpr int32_t c_lunghezza[] = {lunghezza_eccessiva, errore_esecuzione};
constexpr int32_t c_progressiva[] = {progressiva_non_multipla, errore_esecuzione};
constexpr int32_t c_valore[] = {errore_esecuzione};
constexpr int32_t c_ripetizione[] = {ripetizione_inizio, ripetizione_fine, ripetizione_codici, errore_esecuzione};
constexpr int32_t c_riempimento[] = {fuori_linea, errore_esecuzione};
constexpr int32_t c_curva[] = {fuori_linea, curva_non_valida, errore_esecuzione};
constexpr int32_t c_montagna[] = {fuori_linea, fuori_celle, troppe_montagne, errore_esecuzione};
constexpr int32_t c_indicatori[] = {fuori_linea, indicatori_occupati, fuori_celle, errore_esecuzione};
constexpr int32_t c_cartello[] = {fuori_linea, cartello_occupato, fuori_celle, troppi_cartelli, errore_esecuzione};
constexpr int32_t c_segnale[] = {fuori_linea,    segnale_occupato,   fuori_celle,
                                 regola_segnale, regola_ripetizione, errore_esecuzione};
constexpr int32_t c_rallentamento[] = {fuori_linea,   avviso_occupato,    inizio_occupato,
                                       fine_occupata, preavviso_occupato, fuori_celle,
                                       regola_inizio, regola_ripetizione, errore_esecuzione};
constexpr int32_t c_abbattimento[] = {fuori_linea, abbattimento_occupato, fuori_celle, errore_esecuzione};
constexpr int32_t c_stazione[] = {fuori_linea,   stazione_non_multipla, marciapiede_non_multiplo,
                                  tabella_piena, stazioni_vicine,       fermata_iniziale,
                                  fuori_celle,   errore_esecuzione};

constexpr std::string_view sezioni_linea[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                              "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view sezioni_treno[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                              "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

}  // namespace

// The records, in the readers' order within each part.
constexpr Record lunghezza_percorso{"lunghezza_percorso", "lunghezza percorso", {"percorso", "lunghezza"},
                                    Parte::generale,      "[generale]",         "lunghezza della linea",
                                    v_lunghezza,          c_lunghezza};
constexpr Record progressiva_tre{"progressiva_tre",
                                 "progressiva chilometrica tre",
                                 {"tre", "progressiva", true},
                                 Parte::generale,
                                 "[generale]",
                                 "terza progressiva chilometrica (gli slot 81-83 le tengono ordinate)",
                                 v_progressiva,
                                 c_progressiva};
constexpr Record progressiva_due{"progressiva_due",
                                 "progressiva chilometrica due",
                                 {"due", "progressiva", true},
                                 Parte::generale,
                                 "[generale]",
                                 "seconda progressiva chilometrica",
                                 v_progressiva,
                                 c_progressiva};
constexpr Record progressiva_uno{"progressiva_uno",
                                 "progressiva chilometrica uno",
                                 {"uno", "progressiva", true},
                                 Parte::generale,
                                 "[generale]",
                                 "prima progressiva chilometrica",
                                 v_progressiva,
                                 c_progressiva};
constexpr Record sfondo_uno{"sfondo_uno",    "sfondo uno", {"sfondo", "uno", true},
                            Parte::generale, "[generale]", "primo sfondo",
                            v_sfondo_uno,    c_valore};
constexpr Record sfondo_due{"sfondo_due",    "sfondo due", {"sfondo", "due", true},
                            Parte::generale, "[generale]", "secondo sfondo",
                            v_sfondo_due,    c_valore};
constexpr Record sfondo_tre{"sfondo_tre",    "sfondo tre", {"sfondo", "tre", true},
                            Parte::generale, "[generale]", "terzo sfondo",
                            v_sfondo_tre,    c_valore};
constexpr Record ripetizione_segnali{"ripetizione_segnali",
                                     "ripetizione segnali 4 codici",
                                     {"segnali", "ripetizione", true},
                                     Parte::generale,
                                     "[generale]",
                                     "tratto con ripetizione dei segnali in cabina; la chiave dice 4 o 9 codici",
                                     v_ripetizione,
                                     c_ripetizione};

constexpr Record pendenza{"pendenza",     "pendenza",    {"pendenza", ""},
                          Parte::sezioni, "[pendenze]",  "pendenza della linea da una posizione in poi",
                          v_pendenza,     c_riempimento, 100};
constexpr Record curva{"curva",        "curvad3", {"curva", ""},
                       Parte::sezioni, "[curve]", "curva: d o s e il grado da 1 a 6 nella chiave (curvad3, curvas1)",
                       v_curva,        c_curva,   100};
constexpr Record montagna{"montagna",     "montagna",   {"montagna", ""},
                          Parte::sezioni, "[montagne]", "tratto di montagna",
                          v_montagna,     c_montagna,   100};
constexpr Record indicatori_vmax{"indicatori_vmax", "indicatori_vmax", {"indicatori_v", ""},
                                 Parte::sezioni,    "[cartelli]",      "indicatori di velocita' massima",
                                 v_indicatori,      c_indicatori,      100};
constexpr Record cartello_indicatore{"cartello_indicatore",
                                     "cartello indicatore",
                                     {"indicat", "cartello"},
                                     Parte::sezioni,
                                     "[indicazioni]",
                                     "cartello indicatore con la sua scritta (al massimo 80)",
                                     v_cartello,
                                     c_cartello,
                                     100};

constexpr Record massa_frenata{"massa_frenata",
                               "percentuale massa frenata",
                               {"frenata", "massa"},
                               Parte::sezioni,
                               "[generale]",
                               "massa frenata del treno",
                               v_massa,
                               c_valore};
constexpr Record numero_vetture{"numero_vetture", "numero vetture",    {"vetture", ""}, Parte::sezioni,
                                "[generale]",     "vetture del treno", v_vetture,       c_valore};
constexpr Record velocita{"velocita",     "velocita",     {"velocit", ""},
                          Parte::sezioni, "[vel_limite]", "velocita' massima della linea da una posizione in poi",
                          v_velocita,     c_riempimento,  100};
constexpr Record aderenza{"aderenza",     "aderenza",    {"aderenza", ""},
                          Parte::sezioni, "[aderenze]",  "aderenza da una posizione in poi",
                          v_aderenza,     c_riempimento, 100};
constexpr Record orologio{"orologio",   "orologio",        {"orologio", ""}, Parte::sezioni,
                          "[generale]", "ora di partenza", v_orologio,       c_valore};
constexpr Record sabbia{"sabbia",     "sabbia",         {"sabbia", ""}, Parte::sezioni,
                        "[generale]", "sabbia a bordo", v_sabbia,       c_valore};
constexpr Record segnale{"segnale", "segnale", {"segnale", ""}, Parte::sezioni, "[segnali]", "segnale", v_segnale,
                         c_segnale, 100};
constexpr Record rallentamento{"rallentamento", "rallentamento",   {"rallentamento", ""},
                               Parte::sezioni,  "[rallentamenti]", "rallentamento",
                               v_rallentamento, c_rallentamento,   100};
constexpr Record abbattimento{"abbattimento", "abbattimento", {"abbattimento", ""},
                              Parte::sezioni, "[codici]",     "abbattimento di velocita'",
                              v_abbattimento, c_abbattimento, 100};
constexpr Record stazione{
    "stazione",     "stazione",   {"stazione", ""},
    Parte::sezioni, "[stazioni]", "stazione: la sua zona, la cella di fermata e lo slot dalla 1 in su",
    v_stazione,     c_stazione,   800};

namespace {

constexpr const Record* record_linea[] = {&lunghezza_percorso, &progressiva_tre, &progressiva_due, &progressiva_uno,
                                          &sfondo_uno,         &sfondo_due,      &sfondo_tre,      &ripetizione_segnali,
                                          &pendenza,           &curva,           &montagna,        &indicatori_vmax,
                                          &cartello_indicatore};
constexpr const Record* record_treno[] = {&massa_frenata, &numero_vetture, &velocita,      &aderenza,     &orologio,
                                          &sabbia,        &segnale,        &rallentamento, &abbattimento, &stazione};

constexpr Testo testo_linea{Sorgente::linea, "descrizione della linea", "R_linea.txt", "linea.txt", record_linea,
                            sezioni_linea};
constexpr Testo testo_treno{Sorgente::treno, "descrizione del treno", "R_T-.txt", "treno.txt", record_treno,
                            sezioni_treno};

}  // namespace

bool Chiave::corrisponde(std::string_view campo) const {
  if (maiuscole_contano) return contiene(campo, parola) && contiene(campo, altra);
  return contiene_ci(campo, parola) && contiene_ci(campo, altra);
}

size_t Record::indice(std::string_view nome_valore) const {
  const auto it = std::ranges::find(valori, nome_valore, &Valore::nome);
  return static_cast<size_t>(it - valori.begin());
}

const Testo& linea() { return testo_linea; }
const Testo& treno() { return testo_treno; }
const Testo& di(Sorgente sorgente) { return sorgente == Sorgente::treno ? testo_treno : testo_linea; }

const Record* primo_che_corrisponde(const Testo& testo, std::string_view campo) {
  for (const Record* r : testo.record)
    if (r->chiave.corrisponde(campo)) return r;
  return nullptr;
}

bool intestazione(std::string_view campo) {
  const size_t primo = campo.find_first_not_of(' ');
  const bool trattino = primo != std::string_view::npos && campo[primo] == '-';
  return !trattino && contiene(campo, "[") && contiene(campo, "]");
}

}  // namespace scenario::formato
