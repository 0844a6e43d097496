#pragma once
// Every code the program can end or report with, in one table: the problem
// codes a compile records, the numbered errors and the run-time failure
// numbers. Each code has its constant here and, in codici.cpp, its meaning
// and the usual fix, in Italian; the installer, the compiler and the authors'
// tool look them up by constant.

#include <cstdint>
#include <span>

namespace scenario {

// Problem codes a compile records in codice_errore.
namespace problema {
inline constexpr int32_t lunghezza_eccessiva = 1;
inline constexpr int32_t progressiva_non_multipla = 2;
inline constexpr int32_t ripetizione_inizio = 3;
inline constexpr int32_t ripetizione_fine = 4;
inline constexpr int32_t ripetizione_codici = 5;
inline constexpr int32_t cartello_occupato = 6;
inline constexpr int32_t abbattimento_occupato = 7;
inline constexpr int32_t stazione_non_multipla = 8;
inline constexpr int32_t marciapiede_non_multiplo = 9;
inline constexpr int32_t tabella_piena = 10;
inline constexpr int32_t regola_segnale = 11;
inline constexpr int32_t regola_inizio = 12;
inline constexpr int32_t regola_ripetizione = 13;
inline constexpr int32_t fuori_linea = 15;
inline constexpr int32_t segnale_occupato = 16;
inline constexpr int32_t avviso_occupato = 17;
inline constexpr int32_t inizio_occupato = 18;
inline constexpr int32_t fine_occupata = 19;
inline constexpr int32_t preavviso_occupato = 20;
inline constexpr int32_t indicatori_occupati = 21;
inline constexpr int32_t stazioni_vicine = 22;
inline constexpr int32_t fermata_iniziale = 24;
inline constexpr int32_t errore_esecuzione = 25;
// Refusals of input the track model cannot hold.
inline constexpr int32_t fuori_celle = 26;
inline constexpr int32_t troppe_montagne = 27;
inline constexpr int32_t troppi_cartelli = 28;
inline constexpr int32_t manca_linea = 101;
inline constexpr int32_t manca_generale = 102;
inline constexpr int32_t curva_non_valida = 103;
}  // namespace problema

// Numbered errors: the program shows " Errore n. <numero>" and ends.
namespace numerato {
inline constexpr int32_t marcatori_occupati = 1250;
inline constexpr int32_t codici_gara_occupati = 1251;
}  // namespace numerato

// Numbers of the run-time failures the program can raise.
enum class Guasto : int32_t {
  argomento_non_valido = 5,
  overflow = 6,
  memoria_esaurita = 7,
  indice_fuori_intervallo = 9,
  tipo_non_corrispondente = 13,
  file_non_trovato = 53,
  cartella_in_uso = 55,
  file_binari_incompleti = 57,
  disco_pieno = 61,
  input_oltre_fine_file = 62,
  permesso_negato = 70,
  errore_accesso = 75,
};

// The three kinds of code; a number means something only with its kind
// (problem 13 and failure 13 are unrelated).
enum class Famiglia { problema, numerato, guasto };

struct Codice {
  Famiglia famiglia;
  int32_t numero;
  // Plain ASCII, so that it reads the same in Windows-1252 and UTF-8. For a
  // failure, the standard description the installer shows after its number.
  const char* significato;
  const char* suggerimento;  // what an author usually does about it, one line
};

// The whole table: problems, then numbered errors, then failures, each by
// increasing number.
std::span<const Codice> tabella_codici();

// The entry of a code; nullptr for a number that is no code of its kind.
const Codice* cerca_codice(Famiglia famiglia, int32_t numero);
const Codice& cerca_codice(Guasto guasto);

}  // namespace scenario
