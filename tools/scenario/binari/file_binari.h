#pragma once
// Reading back the three binary files the compiler writes: the line profile
// (_linea.dat), the station table (.sim) and the track cells (.dat).

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/records.h"
#include "compiler/variante.h"

namespace scenario::strumenti {

enum class TipoFile { profilo, stazioni, celle };

struct ProfiloLetto {
  std::vector<Variante> x, y;  // one per metre
};

// The metre of a point feature that goes into cell i (the inverse of the
// stamping's cell round(p / 50 + 1)).
inline int64_t metro_di_cella(size_t i) { return (static_cast<int64_t>(i) - 1) * metri_cella; }

// What the name says the file is: "_linea.dat", ".sim" or ".dat".
std::optional<TipoFile> tipo_da_nome(std::string_view nome);
// What the bytes are, when the name does not tell; ErroreStrumento if none.
TipoFile tipo_da_contenuto(std::string_view byte, const std::string& nome);

// Each refuses (ErroreStrumento) a file that is truncated or not of its kind.
std::array<stazione, slot::numero> leggi_stazioni(std::string_view byte, const std::string& nome);
std::vector<cella> leggi_celle(std::string_view byte, const std::string& nome);
ProfiloLetto leggi_profilo(std::string_view byte, const std::string& nome);

// The line profile as a stream of metres, x and y together, in constant
// memory. The file is read three times: whole, to refuse a bad one before
// anything is given; to where column y starts; and both columns together.
class FlussoProfilo {
 public:
  // A fresh stream of the file from its start.
  using Apri = std::function<std::unique_ptr<std::istream>()>;

  // Refuses (ErroreStrumento) a file that is truncated or no profile.
  FlussoProfilo(Apri apri, std::string nome);

  size_t metri() const { return metri_; }
  void per_ogni_metro(const std::function<void(size_t metro, const Variante& x, const Variante& y)>& f) const;

 private:
  Apri apri_;
  std::string nome_;
  size_t dimensione_ = 0;
  size_t metri_ = 0;
};

}  // namespace scenario::strumenti
