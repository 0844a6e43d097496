#pragma once
// Bounds-checked little-endian reading of a binary file held in memory.
// Reading past the end raises ErroreStrumento naming the offset, so a
// truncated file gives a message, never a read outside the buffer.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "errore_strumento.h"

namespace scenario::strumenti {

class LettoreBinario {
 public:
  LettoreBinario(std::string_view byte, std::string nome) : byte_(byte), nome_(std::move(nome)) {}

  size_t posizione() const { return pos_; }
  size_t restanti() const { return byte_.size() - pos_; }
  bool alla_fine() const { return pos_ == byte_.size(); }

  uint8_t u8() { return static_cast<uint8_t>(prendi(1)[0]); }
  uint16_t u16() { return static_cast<uint16_t>(intero(2)); }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(intero(4))); }
  double f64() { return std::bit_cast<double>(intero(8)); }
  std::string testo(size_t n) { return std::string(prendi(n)); }

 private:
  std::string_view prendi(size_t n) {
    if (n > restanti())
      throw ErroreStrumento(nome_ + ": file troncato: servono " + std::to_string(n) + " byte all'offset " +
                            std::to_string(pos_) + ", il file ne ha " + std::to_string(byte_.size()));
    std::string_view v = byte_.substr(pos_, n);
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
  std::string nome_;
  size_t pos_ = 0;
};

}  // namespace scenario::strumenti
