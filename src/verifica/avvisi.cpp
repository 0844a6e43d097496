// The table of the check's warnings and notes: what each means and the fix
// an author usually makes.

#include "verifica/avvisi.h"

#include <algorithm>
#include <cstdio>

namespace scenario::verifica {
namespace {

constexpr int32_t n(Avviso a) { return static_cast<int32_t>(a); }
constexpr int32_t n(Nota a) { return static_cast<int32_t>(a); }

constexpr Regola tabella[] = {
    {Gravita::avviso, n(Avviso::chiave_sconosciuta),
     "parola chiave che nessun record riconosce: il record viene saltato senza un problema",
     "correggere la parola chiave (la parola più vicina è nel messaggio)"},
    {Gravita::avviso, n(Avviso::sezione_sconosciuta), "intestazione di sezione sconosciuta",
     "correggere l'intestazione: le sezioni non cambiano la lettura, ma un errore qui ne fa temere altri"},
    {Gravita::avviso, n(Avviso::record_dell_altro_testo),
     "record dell'altra descrizione: in questo testo non viene letto",
     "spostare il record nella descrizione a cui appartiene"},
    {Gravita::avviso, n(Avviso::record_fuori_posto),
     "record della sezione [generale] dopo di essa, o delle sezioni seguenti dentro [generale]: non viene letto",
     "spostare il record: quelli di [generale] prima della prima intestazione, gli altri dopo"},
    {Gravita::avviso, n(Avviso::treno_senza_generale),
     "descrizione del treno senza [generale]: nessun record viene letto",
     "aggiungere la riga [generale] prima dei record del treno"},
    {Gravita::avviso, n(Avviso::valore_in_piu), "valori in più dopo il record: non vengono letti",
     "togliere i valori in più, o controllare che il record sia quello voluto"},
    {Gravita::avviso, n(Avviso::record_continua),
     "record con meno valori del dovuto: continua sulla riga seguente e ne prende la parola chiave come valore",
     "completare il record con i valori mancanti"},
    {Gravita::avviso, n(Avviso::oltre_la_linea),
     "elemento oltre la fine della linea, nelle celle che proseguono per 7000 m",
     "correggere la posizione, o la lunghezza del percorso nella sezione [generale]"},
    {Gravita::avviso, n(Avviso::fuori_ordine),
     "pendenza, velocità o aderenza prima di quella che la precede: le celle fino a quella posizione sono già "
     "riempite",
     "elencare i record di quel tipo in ordine di posizione crescente"},
    {Gravita::avviso, n(Avviso::stessa_cella),
     "due pendenze, velocità o aderenze nella stessa cella: la prima vale al più per una cella",
     "togliere uno dei due record, o allontanarli di almeno 50 m"},
    {Gravita::avviso, n(Avviso::curva_sovrapposta),
     "curva che inizia prima della fine della precedente: il profilo gira da dove è arrivato",
     "spostare la curva dopo la fine della precedente, o accorciare la precedente"},
    {Gravita::avviso, n(Avviso::posizione_arrotondata),
     "posizione non multipla di 50: la cella sposta l'elemento alla posizione indicata",
     "portare la posizione a un multiplo di 50 m"},
    {Gravita::avviso, n(Avviso::testo_utf8),
     "testo in UTF-8 letto come Windows-1252: le lettere accentate diventano due caratteri",
     "salvare il testo in Windows-1252, o usare una cartella di carico (linea.txt, treno.txt in UTF-8)"},
    {Gravita::avviso, n(Avviso::scheda_stazioni),
     "la scheda treno e la descrizione del treno non hanno le stesse stazioni, nello stesso ordine e posto",
     "allineare le righe delle stazioni della scheda ai record stazione (nome, maiuscole a parte; ordine; progressiva "
     "entro 500 m)"},
    {Gravita::avviso, n(Avviso::scheda_orari), "orario della scheda treno diverso da quello della stazione",
     "allineare l'orario della scheda a ore, minuti, secondi e sosta del record stazione"},
    {Gravita::avviso, n(Avviso::scheda_velocita),
     "velocità della scheda treno diversa da quella della linea in quel punto",
     "allineare la velocità della scheda ai record velocita e indicatori_vmax"},
    {Gravita::avviso, n(Avviso::scheda_protezione),
     "riga del segnale di protezione della scheda senza segnale o con un'altra stazione",
     "mettere la riga alla posizione del segnale, con il nome della stazione che segue"},
    {Gravita::avviso, n(Avviso::indicatori_e_velocita),
     "indicatori di velocità massima diversi dalla velocità del treno in quel punto",
     "allineare il record velocita al secondo valore degli indicatori (velocità B)"},
    {Gravita::avviso, n(Avviso::riga_di_commento),
     "riga che sembra un commento (comincia con ;, #, // o '): le descrizioni non hanno commenti, e la riga viene "
     "letta come le altre",
     "togliere la riga, o metterla prima di [generale], dove il lettore non legge nulla"},
    {Gravita::avviso, n(Avviso::chilometri),
     "posizione che sembra in chilometri: in metri starebbe tra i record dello stesso tipo che la circondano",
     "scrivere la posizione in metri (il valore per 1000, nel messaggio)"},

    {Gravita::nota, n(Nota::arresto), "qui l'installatore smette di leggere: i record seguenti non vengono letti",
     "correggere questo problema: i problemi trovati dopo sono quelli che l'installatore incontrerebbe poi"},
    {Gravita::nota, n(Nota::treno_non_letto),
     "l'installatore non legge la descrizione del treno: la lettura si è fermata nella descrizione della linea",
     "correggere i problemi della descrizione della linea"},
    {Gravita::nota, n(Nota::senza_celle),
     "la linea non ha celle: senza \"lunghezza percorso\" nessuna posizione si può controllare",
     "dare \"lunghezza percorso\" nella sezione [generale]"},
    {Gravita::nota, n(Nota::scheda_senza_tabella),
     "la scheda treno non ha righe di tabella riconoscibili: non viene confrontata",
     "scrivere le righe della tabella come nella scheda incorporata: celle tra barre verticali, progressiva come "
     "12+350"},
    {Gravita::nota, n(Nota::capolinea_oltre_la_linea),
     "capolinea oltre la fine della linea, nelle celle che proseguono: gli elementi fino al capolinea vi sono voluti e "
     "non danno W08",
     "nessuna correzione se il treno deve arrivare li'; altrimenti portare la stazione dentro la lunghezza del "
     "percorso"},
    {Gravita::nota, n(Nota::scheda_maiuscole),
     "stazione della scheda treno scritta con altre maiuscole che nel record stazione: le righe si accoppiano lo "
     "stesso",
     "nessuna correzione necessaria; per uniformita', scrivere il nome come nel record stazione"},
    {Gravita::nota, n(Nota::omesse),
     "altre diagnostiche con lo stesso identificatore oltre le prime mostrate: contano nel riepilogo e nello stato "
     "di uscita, ma non sono mostrate",
     "correggere quelle mostrate e controllare di nuovo; spesso un solo errore ripetuto su ogni riga"},
};

const Regola& cerca(Gravita g, int32_t numero) {
  return *std::ranges::find_if(tabella, [&](const Regola& r) { return r.gravita == g && r.numero == numero; });
}

}  // namespace

std::span<const Regola> tabella_regole() { return tabella; }

const Regola& regola(Avviso a) { return cerca(Gravita::avviso, n(a)); }
const Regola& regola(Nota a) { return cerca(Gravita::nota, n(a)); }

std::string identificatore(const Regola& r) {
  char t[8];
  std::snprintf(t, sizeof t, "%c%02d", r.gravita == Gravita::nota ? 'N' : 'W', static_cast<int>(r.numero));
  return t;
}

}  // namespace scenario::verifica
