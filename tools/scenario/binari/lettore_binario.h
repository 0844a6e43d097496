#pragma once
// Bounds-checked little-endian reading of a binary file, held in memory or
// read from a stream a little at a time (a long profile is never held
// whole). Reading past the end raises ErroreStrumento naming the offset, so
// a truncated file gives a message, never a read outside the buffer.

#include <bit>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "cli/errore_strumento.h"
#include "compiler/tracciati.h"

namespace scenario::strumenti {

class LettoreBinario {
 public:
  LettoreBinario(std::string_view byte, std::string nome)
      : byte_(byte), dimensione_(byte.size()), nome_(std::move(nome)) {}
  // From the stream's current place to its end, dimensione bytes.
  LettoreBinario(std::istream& flusso, size_t dimensione, std::string nome)
      : flusso_(&flusso), dimensione_(dimensione), nome_(std::move(nome)) {}

  size_t posizione() const { return pos_; }
  size_t restanti() const { return dimensione_ - pos_; }
  bool alla_fine() const { return pos_ == dimensione_; }

  // A number from its little-endian bytes, or a text from its byte count
  // and its bytes, as the record layouts store them.
  template <typename T>
  T leggi() {
    if constexpr (std::is_same_v<T, std::string>) {
      return std::string(prendi(leggi<LunghezzaTesto>()));
    } else {
      static_assert(std::is_arithmetic_v<T>);
      return std::bit_cast<T>(static_cast<Parola<T>>(intero(sizeof(T))));
    }
  }
  // Every member of a record, in file order.
  template <typename R>
  void record(R& r) {
    per_ogni_campo(r, [&](const char*, auto& v) { v = leggi<std::remove_cvref_t<decltype(v)>>(); });
  }

 private:
  std::string_view prendi(size_t n) {
    if (n > restanti())
      throw ErroreStrumento(nome_ + ": file troncato: servono " + std::to_string(n) + " byte all'offset " +
                            std::to_string(pos_) + ", il file ne ha " + std::to_string(dimensione_));
    std::string_view v;
    if (flusso_) {
      pezzo_.resize(n);
      if (!flusso_->read(pezzo_.data(), static_cast<std::streamsize>(n)))
        throw ErroreStrumento(nome_ + ": lettura non riuscita all'offset " + std::to_string(pos_));
      v = pezzo_;
    } else {
      v = byte_.substr(pos_, n);
    }
    pos_ += n;
    return v;
  }
  uint64_t intero(size_t n) {
    std::string_view v = prendi(n);
    uint64_t u = 0;
    for (size_t i = 0; i < n; ++i) u |= uint64_t{static_cast<unsigned char>(v[i])} << (8 * i);
    return u;
  }

  std::string_view byte_;
  std::istream* flusso_ = nullptr;
  std::string pezzo_;  // the bytes last taken from the stream
  size_t dimensione_;
  std::string nome_;
  size_t pos_ = 0;
};

}  // namespace scenario::strumenti
