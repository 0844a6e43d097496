#pragma once
// The few assertions of the Win32 test programs, which run under wine
// without a test framework: each failed check prints what differs and the
// program's exit status counts them.

#include <cstdio>
#include <string>

namespace prove {

inline int fallimenti = 0;

inline void verifica(bool ok, const std::string& cosa) {
  if (!ok) {
    std::fprintf(stderr, "FALLITO: %s\n", cosa.c_str());
    ++fallimenti;
  }
}

template <class T>
void uguale(const T& ottenuto, const T& atteso, const std::string& cosa) {
  verifica(ottenuto == atteso, cosa + ": " + std::to_string(ottenuto) + ", atteso " + std::to_string(atteso));
}

inline int esito(const char* nome) {
  if (fallimenti == 0) std::printf("%s: tutto a posto\n", nome);
  return fallimenti == 0 ? 0 : 1;
}

}  // namespace prove
