#include "compiler/codici_problema.h"

namespace scenario {
namespace {

struct Voce {
  int32_t codice;
  const char* significato;
};

constexpr Voce voci[] = {
    {1, "lunghezza del percorso oltre 1000000 m"},
    {2, "una progressiva chilometrica non e' multipla di 50"},
    {3, "il primo valore di \"ripetizione segnali\" non e' multiplo di 50"},
    {4, "il secondo valore di \"ripetizione segnali\" non e' multiplo di 50"},
    {5, "\"ripetizione segnali\" non indica 4 ne' 9 codici"},
    {6, "cartello indicatore su una cella gia' occupata"},
    {7, "abbattimento su una cella gia' occupata"},
    {8, "posizione di stazione non multipla di 50"},
    {9, "lunghezza del marciapiede non multipla di 100"},
    {10, "tabella delle stazioni piena"},
    {11, "segnale vicino a un avviso di rallentamento senza cella libera per l'abbattimento"},
    {12, "nessuna cella libera per l'abbattimento prima dell'inizio del rallentamento"},
    {13, "nessuna cella libera per un abbattimento di ripetizione o prima del segnale dopo il rallentamento"},
    {15, "posizione oltre la fine della linea"},
    {16, "segnale su una cella gia' occupata"},
    {17, "avviso di rallentamento su una cella gia' occupata"},
    {18, "inizio del rallentamento su una cella gia' occupata"},
    {19, "fine del rallentamento su una cella gia' occupata"},
    {20, "preavviso di rallentamento su una cella gia' occupata"},
    {21, "indicatori di velocita' massima su una cella gia' occupata"},
    {22, "stazione troppo vicina alla precedente (meno di 350 m tra le zone)"},
    {24, "cella di fermata della stazione troppo vicina all'inizio della linea"},
    {25, "errore durante la lettura delle descrizioni"},
    {26, "elemento che cade fuori dalle celle della linea"},
    {27, "piu' di 80 tratti di montagna"},
    {28, "nessuno spazio libero per il testo del cartello indicatore"},
    {101, "descrizione della linea mancante"},
    {102, "sezione [generale] non trovata nella descrizione della linea"},
    {103, "curva non valida o oltre la fine del profilo"},
};

}  // namespace

const char* significato_problema(int32_t codice) {
  for (const Voce& v : voci)
    if (v.codice == codice) return v.significato;
  return nullptr;
}

}  // namespace scenario
