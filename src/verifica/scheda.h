#pragma once
// The table of a timetable card, as the embedded card lays it out: rows of
// cells between vertical bars, the speed limit and the marked speed, the
// kilometre ("12+350"), the place and the time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::verifica {

struct Orario {
  enum class Forma { nessuna, partenza, transito, fermata, arrivo };
  Forma forma = Forma::nessuna;
  std::vector<int64_t> secondi;  // each time of the cell, "+" adding 30 s
};

struct RigaScheda {
  int32_t riga = 0;                       // line of the card, from 1
  std::optional<int64_t> limite, marcia;  // km/h
  int64_t metri = 0;
  std::string localita;  // Windows-1252, trailing blanks trimmed
  Orario orario;
  // Columns (from 1) of the cells, for pointing at them.
  int32_t colonna_limite = 0, colonna_km = 0, colonna_localita = 0, colonna_orario = 0;

  enum class Tipo { stazione, deviatoio, cartello, protezione };
  Tipo tipo() const;
  // For a protection signal row, the station it names.
  std::string_view protegge() const;
};

// Every table row: seven cells, of which the third is a kilometre.
std::vector<RigaScheda> righe_scheda(std::string_view testo);

}  // namespace scenario::verifica
