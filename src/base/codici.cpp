// The table of every code: its meaning, as the tool reports it and the
// installer shows a failure, and the fix an author usually makes.

#include "base/codici.h"

#include <algorithm>

namespace scenario {
namespace {

using enum Famiglia;

constexpr int32_t n(Guasto g) { return static_cast<int32_t>(g); }

constexpr Codice tabella[] = {
    {problema, problema::lunghezza_eccessiva, "lunghezza del percorso oltre 1000000 m",
     "ridurre \"lunghezza percorso\" nella sezione [generale] a 1000000 m al massimo"},
    {problema, problema::progressiva_non_multipla,
     "una progressiva chilometrica (uno, due o tre) ha il primo o il secondo valore non multiplo di 50",
     "portare i primi due valori delle righe \"progressiva chilometrica\" a multipli di 50 m"},
    {problema, problema::ripetizione_inizio, "il primo valore di \"ripetizione segnali\" non e' multiplo di 50",
     "portare il primo valore di \"ripetizione segnali\" a un multiplo di 50 m"},
    {problema, problema::ripetizione_fine, "il secondo valore di \"ripetizione segnali\" non e' multiplo di 50",
     "portare il secondo valore di \"ripetizione segnali\" a un multiplo di 50 m"},
    {problema, problema::ripetizione_codici, "\"ripetizione segnali\" non indica 4 ne' 9 codici",
     "scrivere 4 o 9 nella chiave, ad esempio \"ripetizione segnali 4 codici\""},
    {problema, problema::cartello_occupato, "cartello indicatore su una cella gia' occupata",
     "spostare il cartello indicatore di 50 m, fuori dalla cella dell'altro elemento"},
    {problema, problema::abbattimento_occupato, "abbattimento su una cella gia' occupata",
     "spostare l'abbattimento di 50 m, fuori dalla cella dell'altro elemento"},
    {problema, problema::stazione_non_multipla, "posizione di stazione non multipla di 50",
     "portare la posizione della stazione a un multiplo di 50 m"},
    {problema, problema::marciapiede_non_multiplo, "lunghezza del marciapiede non multipla di 100",
     "portare la lunghezza del marciapiede a un multiplo di 100 m"},
    {problema, problema::tabella_piena,
     "tabella delle stazioni piena: le stazioni raggiungono gli slot dei testi dei cartelli indicatori",
     "togliere qualche stazione o qualche cartello indicatore: insieme al massimo 78"},
    {problema, problema::regola_segnale,
     "segnale vicino a un avviso di rallentamento senza cella libera per l'abbattimento",
     "lasciare libera una delle due celle prima del segnale, o spostare il segnale"},
    {problema, problema::regola_inizio, "nessuna cella libera per l'abbattimento prima dell'inizio del rallentamento",
     "lasciare libera una cella a 5-7, 11-13 e 18-20 celle prima dell'inizio del rallentamento"},
    {problema, problema::regola_ripetizione,
     "nessuna cella libera per un abbattimento di ripetizione o prima del segnale dopo il rallentamento",
     "spostare gli elementi che occupano le celle lungo il rallentamento o quelle prima del segnale che lo segue"},
    {problema, problema::fuori_linea,
     "posizione oltre la fine della linea (lunghezza del percorso piu' 7000 m, meno un margine di 100 m; 800 m "
     "per una stazione)",
     "correggere la posizione, o la lunghezza del percorso nella sezione [generale]"},
    {problema, problema::segnale_occupato, "segnale su una cella gia' occupata",
     "spostare il segnale di 50 m, fuori dalla cella dell'altro elemento"},
    {problema, problema::avviso_occupato, "avviso di rallentamento su una cella gia' occupata",
     "spostare il rallentamento: il suo avviso cade 1200 m prima, su una cella occupata"},
    {problema, problema::inizio_occupato, "inizio del rallentamento su una cella gia' occupata",
     "spostare il rallentamento fuori dalla cella dell'altro elemento"},
    {problema, problema::fine_occupata, "fine del rallentamento su una cella gia' occupata",
     "cambiare posizione o lunghezza del rallentamento: la sua fine cade su una cella occupata"},
    {problema, problema::preavviso_occupato,
     "una delle quattro celle del preavviso di rallentamento, prima dell'avviso, e' gia' occupata",
     "liberare le quattro celle prima dell'avviso, o togliere il preavviso dal rallentamento"},
    {problema, problema::indicatori_occupati, "indicatori di velocita' massima su una cella gia' occupata",
     "spostare gli indicatori di velocita' massima di 50 m, fuori dalla cella dell'altro elemento"},
    {problema, problema::stazioni_vicine,
     "stazione troppo vicina alla precedente (meno di 350 m tra la fine di una zona e l'inizio dell'altra)",
     "allontanare la stazione dalla precedente, accorciarne il marciapiede, o elencare le stazioni in ordine"},
    {problema, problema::fermata_iniziale,
     "cella di fermata della stazione troppo vicina all'inizio della linea (fine della zona entro 100 m)",
     "spostare la stazione piu' avanti lungo la linea"},
    {problema, problema::errore_esecuzione, "errore durante la lettura delle descrizioni",
     "correggere il campo indicato: un numero intero che entri nel suo campo, o i campi mancanti del record"},
    {problema, problema::fuori_celle,
     "elemento che cade fuori dalle celle della linea, o che vi marca celle fuori (un segnale prima di 325 m, "
     "la fine o l'avviso di un rallentamento, un tratto di montagna o una stazione oltre la fine, una posizione "
     "negativa)",
     "portare l'elemento, e le celle che marca, dentro la linea"},
    {problema, problema::troppe_montagne, "piu' di 80 tratti di montagna",
     "unire o togliere tratti di montagna: al massimo 80"},
    {problema, problema::troppi_cartelli,
     "nessuno spazio libero per il testo del cartello indicatore (piu' di 80 cartelli)",
     "togliere qualche cartello indicatore: al massimo 80"},
    {problema, problema::manca_linea, "descrizione della linea mancante",
     "mettere il file R_linea.txt accanto a quello del treno"},
    {problema, problema::manca_generale, "sezione [generale] non trovata nella descrizione della linea",
     "aggiungere la riga [generale] in testa alla descrizione della linea"},
    {problema, problema::curva_non_valida,
     "curva senza grado di curvatura (una cifra da 1 a 6 nella chiave) o che va oltre l'ultimo metro del profilo "
     "(lunghezza del percorso piu' 6998 m)",
     "scrivere la chiave come \"curvad3\" o \"curvas3\", o accorciare la curva"},

    {numerato, numerato::marcatori_occupati,
     "il posto riservato ai marcatori 610 e 5121 (cella 1, slot 85) e' gia' occupato; nessun file binario scritto",
     "lasciare libera la cella 1: spostare piu' avanti l'elemento dei primi 75 m della linea che vi cade"},
    {numerato, numerato::codici_gara_occupati,
     "il posto riservato ai codici di gara (cella 1, slot 85) e' gia' occupato; nessun file binario scritto",
     "lasciare libera la cella 1: spostare piu' avanti l'elemento dei primi 75 m della linea che vi cade"},

    {guasto, n(Guasto::argomento_non_valido), "Chiamata di routine o argomento non valido",
     "accorciare il nome indicato: un nome di stazione o di cartello ha al massimo 65535 byte"},
    {guasto, n(Guasto::overflow), "Overflow", "ridurre il valore indicato: non entra nel suo campo"},
    {guasto, n(Guasto::memoria_esaurita), "Memoria esaurita",
     "chiudere altri programmi, o compilare senza profilo (--no-profile)"},
    {guasto, n(Guasto::indice_fuori_intervallo), "Indice non compreso nell'intervallo",
     "dare \"lunghezza percorso\" nella sezione [generale] e tenere le posizioni dentro la linea"},
    {guasto, n(Guasto::tipo_non_corrispondente), "Tipo non corrispondente",
     "scrivere un numero intero nel campo indicato"},
    {guasto, n(Guasto::file_non_trovato), "Impossibile trovare il file",
     "controllare nome e cartella del file indicato"},
    {guasto, n(Guasto::cartella_in_uso), "Cartella in uso da un'altra esecuzione",
     "attendere che l'altra esecuzione finisca, o chiuderla, e ripetere"},
    {guasto, n(Guasto::file_binari_incompleti), "File binari incompleti: eseguire di nuovo",
     "eseguire di nuovo: una sostituzione interrotta non ha potuto rimettere i file precedenti"},
    {guasto, n(Guasto::disco_pieno), "Disco pieno", "liberare spazio sul disco e ripetere"},
    {guasto, n(Guasto::input_oltre_fine_file), "Input oltre la fine del file",
     "completare l'ultimo record: il testo finisce prima dei suoi campi"},
    {guasto, n(Guasto::permesso_negato), "Autorizzazione negata",
     "controllare i permessi della cartella e chiudere i programmi che usano il file"},
    {guasto, n(Guasto::errore_accesso), "Errore di accesso al percorso/file",
     "controllare che il percorso esista e che la cartella sia scrivibile"},
};

}  // namespace

std::span<const Codice> tabella_codici() { return tabella; }

const Codice* cerca_codice(Famiglia famiglia, int32_t numero) {
  const auto it =
      std::ranges::find_if(tabella, [&](const Codice& c) { return c.famiglia == famiglia && c.numero == numero; });
  return it == std::end(tabella) ? nullptr : &*it;
}

// Every failure has its row (a test holds it).
const Codice& cerca_codice(Guasto guasto) { return *cerca_codice(Famiglia::guasto, static_cast<int32_t>(guasto)); }

}  // namespace scenario
