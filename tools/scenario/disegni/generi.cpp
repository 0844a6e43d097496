#include "disegni/generi.h"

#include <array>

namespace scenario::strumenti {
namespace {

// In the order of Genere.
constexpr std::array<Aspetto, 13> tabella{{
    {Genere::stazione, "stazione", "stazione", "#000000", Forma::anello},
    {Genere::segnale, "segnale", "segnale", "#d62728", Forma::punto},
    {Genere::indicatori, "indicatori", "indicatori di velocita' massima", "#1f77b4", Forma::quadrato},
    {Genere::cartello, "cartello", "cartello indicatore", "#2ca02c", Forma::rombo},
    {Genere::avviso, "avviso", "avviso di rallentamento", "#ff7f0e", Forma::triangolo},
    {Genere::rallentamento, "rallentamento", "rallentamento (inizio-fine, km/h)", "#ff7f0e", Forma::fascia},
    {Genere::abbattimento, "abbattimento", "abbattimento", "#9467bd", Forma::puntino},
    {Genere::montagna, "montagna", "tratto di montagna", "#8c564b", Forma::barra},
    {Genere::pendenza, "pendenza", "pendenza (per mille)", "#7f7f7f", Forma::area},
    {Genere::velocita, "velocita", "velocita' massima del treno (km/h)", "#17becf", Forma::gradini},
    {Genere::fine_linea, "fine_linea", "fine della linea e oltre", "#444444", Forma::barra},
    {Genere::problema, "problema", "problema della compilazione", "#e377c2", Forma::croce},
    {Genere::avvertimento, "avvertimento", "avvertimento", "#bcbd22", Forma::punto_esclamativo},
}};

}  // namespace

const Aspetto& aspetto(Genere g) { return tabella[static_cast<size_t>(g)]; }

std::span<const Aspetto> aspetti() { return tabella; }

}  // namespace scenario::strumenti
