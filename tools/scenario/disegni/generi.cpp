#include "disegni/generi.h"

namespace scenario::strumenti {
namespace {

namespace cc = codice_cella;
using enum Posto;
using enum Dato;
using enum Registrazione;

constexpr std::array<Colonna, 3> di_cella{{{"cella", indice}, {"posizione (m)", metro}}};

// In the order of Genere.
constexpr std::array<Aspetto, 13> tabella{{
    {.genere = Genere::stazione,
     .id = "stazione",
     .nome = "stazione",
     .colore = "#000000",
     .forma = Forma::anello,
     .riga = "stazioni",
     .scritta = {11, true},
     .corsia = {0, 4},
     .pianta = {sul_binario, 50},
     .tabella = {"stazioni", "Stazioni (tabella .sim)", {{{"slot", indice}}}, slot, "descritta in"}},
    {.genere = Genere::segnale,
     .id = "segnale",
     .nome = "segnale",
     .colore = "#d62728",
     .forma = Forma::punto,
     .codici = {cc::segnale},
     .riga = "segnali",
     .pianta = {accanto},
     .tabella = {"segnali", "Segnali", di_cella, cella, "descritto in"}},
    {.genere = Genere::indicatori,
     .id = "indicatori",
     .nome = "indicatori di velocita' massima",
     .colore = "#1f77b4",
     .forma = Forma::quadrato,
     .codici = {cc::indicatori_vmax},
     .riga = "indicatori",
     .scritta = {9},
     .corsia = {2, 3},
     .pianta = {accanto},
     .tabella = {"indicatori", "Indicatori di velocita' massima", di_cella, cella, "descritti in"}},
    {.genere = Genere::cartello,
     .id = "cartello",
     .nome = "cartello indicatore",
     .colore = "#2ca02c",
     .forma = Forma::rombo,
     .codici = {cc::cartello},
     .riga = "cartelli",
     .scritta = {9},
     .corsia = {1, 3},
     .pianta = {accanto, 30, true},
     .tabella = {"cartelli",
                 "Cartelli indicatori",
                 {{{"cella", indice}, {"posizione (m)", metro}, {"testo", etichetta}}},
                 cella,
                 "descritto in"}},
    {.genere = Genere::avviso,
     .id = "avviso",
     .nome = "avviso di rallentamento",
     .colore = "#ff7f0e",
     .forma = Forma::triangolo,
     .codici = {cc::avviso_rallentamento},
     .riga = "avvisi",
     .scritta = {9},
     .corsia = {3, 2},
     .pianta = {accanto},
     .tabella = {"avvisi", "Avvisi di rallentamento", di_cella, cella, "del rallentamento descritto in"}},
    {.genere = Genere::rallentamento,
     .id = "rallentamento",
     .nome = "rallentamento (inizio-fine, km/h)",
     .colore = "#ff7f0e",
     .forma = Forma::fascia,
     .codici = {cc::inizio_rallentamento},
     .pianta = {tratto, 20, true},
     .tabella = {"rallentamenti",
                 "Rallentamenti (cella d'inizio)",
                 {{{"cella", indice}, {"da (m)", metro}, {"a (m)", fine}}},
                 cella,
                 "descritto in"}},
    {.genere = Genere::abbattimento,
     .id = "abbattimento",
     .nome = "abbattimento",
     .colore = "#9467bd",
     .forma = Forma::puntino,
     .codici = {cc::abbattimento, cc::abbattimento_nullo},
     .riga = "abbattimenti",
     .pianta = {sul_binario},
     .tabella = {"abbattimenti", "Abbattimenti", di_cella, cella, "dovuto a"}},
    {.genere = Genere::montagna,
     .id = "montagna",
     .nome = "tratto di montagna",
     .colore = "#8c564b",
     .forma = Forma::barra,
     .riga = "montagna",
     .pianta = {tratto},
     .tabella = {"montagne", "Tratti di montagna", {{{"da (m)", metro}, {"a (m)", fine}, {"tipo", valore}}}}},
    {.genere = Genere::pendenza,
     .id = "pendenza",
     .nome = "pendenza (per mille)",
     .colore = "#7f7f7f",
     .forma = Forma::area},
    {.genere = Genere::velocita,
     .id = "velocita",
     .nome = "velocita' massima del treno (km/h)",
     .colore = "#17becf",
     .forma = Forma::gradini},
    {.genere = Genere::fine_linea,
     .id = "fine_linea",
     .nome = "fine della linea e oltre",
     .colore = "#444444",
     .forma = Forma::barra,
     .corsia = {0, 4, 1},
     .pianta = {tratto, 40}},
    {.genere = Genere::problema,
     .id = "problema",
     .nome = "problema della compilazione",
     .colore = "#e377c2",
     .forma = Forma::croce,
     .riga = "problemi",
     .scritta = {10, true},
     .corsia = {4, 3},
     .pianta = {sul_binario, 45, true}},
    {.genere = Genere::avvertimento,
     .id = "avvertimento",
     .nome = "avvertimento",
     .colore = "#bcbd22",
     .forma = Forma::punto_esclamativo,
     .riga = "avvertimenti",
     .scritta = {10, true},
     .corsia = {5, 3},
     .pianta = {sul_binario, 45, true}},
}};

static_assert([] {
  for (size_t i = 0; i < tabella.size(); ++i)
    if (static_cast<size_t>(tabella[i].genere) != i) return false;
  return true;
}());

}  // namespace

const Aspetto& aspetto(Genere g) { return tabella[static_cast<size_t>(g)]; }

std::span<const Aspetto> aspetti() { return tabella; }

}  // namespace scenario::strumenti
