#pragma once
// The problem codes a compile can record, with what each means in plain
// words. Codes 26 to 28 are refusals of input the track model cannot hold.

#include <cstdint>

namespace scenario {

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
inline constexpr int32_t fuori_celle = 26;
inline constexpr int32_t troppe_montagne = 27;
inline constexpr int32_t troppi_cartelli = 28;
inline constexpr int32_t manca_linea = 101;
inline constexpr int32_t manca_generale = 102;
inline constexpr int32_t curva_non_valida = 103;
}  // namespace problema

// What a code means, in Italian; nullptr for a number that is no code.
const char* significato_problema(int32_t codice);

}  // namespace scenario
