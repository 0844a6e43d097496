#pragma once
// The Win32 calls the real disk is made of: an owned file handle, and the
// error of a failure turned into the program's failure numbers.

#include <windows.h>

#include <string_view>

#include "base/disco.h"
#include "base/errori.h"

namespace scenario::win32 {

Guasto guasto_da(DWORD err);

[[noreturn]] inline void fallisci(DWORD err, const Percorso& p) {
  throw ErroreEsecuzione(guasto_da(err), nome_nel_messaggio(p));
}

// Closed with the object unless handed on.
class Maniglia {
 public:
  explicit Maniglia(HANDLE h) : h_(h) {}
  ~Maniglia() {
    if (valida()) CloseHandle(h_);
  }
  Maniglia(Maniglia&& altra) noexcept : h_(altra.rilascia()) {}
  Maniglia(const Maniglia&) = delete;
  Maniglia& operator=(const Maniglia&) = delete;

  HANDLE h() const { return h_; }
  bool valida() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE rilascia() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

// CreateFileW, never through a link at the name: a link is opened as
// itself.
HANDLE apri(const Percorso& p, DWORD accesso, DWORD condivisione, DWORD disposizione);
// Every byte, however many calls it takes.
void scrivi_tutto(HANDLE h, std::string_view byte, const Percorso& p);
// CloseHandle, whose failure is a failure.
void chiudi(Maniglia& m, const Percorso& p);

}  // namespace scenario::win32
