#include "platform/win32/maniglia.h"

#include <algorithm>

namespace scenario::win32 {

Guasto guasto_da(DWORD err) {
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Guasto::file_non_trovato;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return Guasto::permesso_negato;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Guasto::disco_pieno;
    default: return Guasto::errore_accesso;
  }
}

HANDLE apri(const Percorso& p, DWORD accesso, DWORD condivisione, DWORD disposizione) {
  return CreateFileW(p.c_str(), accesso, condivisione, nullptr, disposizione,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

void scrivi_tutto(HANDLE h, std::string_view byte, const Percorso& p) {
  while (!byte.empty()) {
    const DWORD chiesti = static_cast<DWORD>(std::min<size_t>(byte.size(), 1u << 30));
    DWORD scritti = 0;
    if (!WriteFile(h, byte.data(), chiesti, &scritti, nullptr)) fallisci(GetLastError(), p);
    if (scritti == 0) fallisci(ERROR_DISK_FULL, p);
    byte.remove_prefix(scritti);
  }
}

void chiudi(Maniglia& m, const Percorso& p) {
  if (!CloseHandle(m.rilascia())) fallisci(GetLastError(), p);
}

}  // namespace scenario::win32
