// The directory lock on Windows: LockFileEx on a file in the directory,
// removed by the holder as it lets go.

#include <windows.h>

#include <algorithm>

#include "platform/disco_file.h"
#include "platform/win32/maniglia.h"

namespace scenario {
namespace {

using win32::Maniglia;

// Every run opens the lock file sharing deletion, so that its holder can
// remove it while others hold it open.
constexpr DWORD condivisa = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class BloccoWin32 : public Blocco {
 public:
  BloccoWin32(HANDLE h, Percorso p) : h_(h), p_(std::move(p)) {}
  ~BloccoWin32() override {
    // The name goes while the lock is still held: a run waiting on this file
    // finds, once it gets the lock, that the name names it no more, and
    // starts again on the name as it stands then.
    DeleteFileW(p_.c_str());
    CloseHandle(h_);
  }
  BloccoWin32(const BloccoWin32&) = delete;
  BloccoWin32& operator=(const BloccoWin32&) = delete;

 private:
  HANDLE h_;
  Percorso p_;
};

bool stesso_file(HANDLE h, const Percorso& p) {
  BY_HANDLE_FILE_INFORMATION aperto{}, nome{};
  if (!GetFileInformationByHandle(h, &aperto)) return false;
  Maniglia m(win32::apri(p, FILE_READ_ATTRIBUTES, condivisa, OPEN_EXISTING));
  return m.valida() && GetFileInformationByHandle(m.h(), &nome) &&
         aperto.dwVolumeSerialNumber == nome.dwVolumeSerialNumber && aperto.nFileIndexHigh == nome.nFileIndexHigh &&
         aperto.nFileIndexLow == nome.nFileIndexLow;
}

// A lock file its holder has removed while others still held it open can
// stand, until they let go, as a name that refuses every open.
bool in_cancellazione(const Percorso& p) {
  return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace

std::unique_ptr<Blocco> DiscoFile::blocca(const Percorso& cartella) {
  const Percorso p = cartella_o_corrente(cartella) / nome_file_blocco;
  const ULONGLONG scadenza = GetTickCount64() + static_cast<ULONGLONG>(attesa_.count());
  DWORD pausa = 2;
  auto scaduto = [&] { return GetTickCount64() >= scadenza; };
  auto attendi = [&] {
    if (scaduto()) throw ErroreEsecuzione(Guasto::cartella_in_uso, dettaglio_cartella_in_uso(attesa_));
    Sleep(pausa);
    pausa = std::min<DWORD>(pausa * 2, 50);
  };
  for (;;) {
    Maniglia m(win32::apri(p, GENERIC_READ | GENERIC_WRITE, condivisa, OPEN_ALWAYS));
    if (!m.valida()) {
      const DWORD e = GetLastError();
      if (e == ERROR_ACCESS_DENIED && in_cancellazione(p)) {
        attendi();
        continue;
      }
      win32::fallisci(e, p);
    }
    OVERLAPPED ov{};
    while (!LockFileEx(m.h(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
      const DWORD e = GetLastError();
      if (e != ERROR_LOCK_VIOLATION && e != ERROR_IO_PENDING) win32::fallisci(e, p);
      attendi();
    }
    if (stesso_file(m.h(), p)) return std::make_unique<BloccoWin32>(m.rilascia(), p);
    // Locked a file whose holder has since removed it.
    if (scaduto()) throw ErroreEsecuzione(Guasto::cartella_in_uso, dettaglio_cartella_in_uso(attesa_));
  }
}

}  // namespace scenario
