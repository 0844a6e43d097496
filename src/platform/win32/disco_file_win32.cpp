// The real disk's file operations on Windows.

#include <windows.h>

#include <string>

#include "platform/disco_file.h"
#include "platform/win32/maniglia.h"

namespace scenario {
namespace {

using win32::apri;
using win32::fallisci;
using win32::Maniglia;

constexpr DWORD condivisa = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool e_un_collegamento(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION i{};
  return GetFileInformationByHandle(h, &i) && (i.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Opens for writing, writes every piece, puts the bytes on the device when
// asked, and closes. A link under the name is refused, never written through.
void scrivi_con(DWORD disposizione, const Percorso& p, const Pezzi& produci, bool durevole) {
  Maniglia m(apri(p, GENERIC_WRITE, condivisa, disposizione));
  if (!m.valida()) fallisci(GetLastError(), p);
  if (e_un_collegamento(m.h())) fallisci(ERROR_ACCESS_DENIED, p);
  produci([&](std::string_view pezzo) { win32::scrivi_tutto(m.h(), pezzo, p); });
  if (durevole && !FlushFileBuffers(m.h())) fallisci(GetLastError(), p);
  win32::chiudi(m, p);
}

}  // namespace

std::string DiscoFile::leggi(const Percorso& p) {
  Maniglia m(CreateFileW(p.c_str(), GENERIC_READ, condivisa, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!m.valida()) fallisci(GetLastError(), p);
  std::string testo;
  char buf[1 << 16];
  for (;;) {
    DWORD letti = 0;
    if (!ReadFile(m.h(), buf, sizeof buf, &letti, nullptr))
      throw ErroreEsecuzione(Guasto::errore_accesso, nome_nel_messaggio(p));
    if (letti == 0) break;
    testo.append(buf, letti);
  }
  return testo;
}

void DiscoFile::crea(const Percorso& p) {
  // A link under the name is opened as itself: left as it is, and never the
  // way to create a file somewhere else.
  Maniglia m(apri(p, GENERIC_WRITE, condivisa, OPEN_ALWAYS));
  if (!m.valida()) fallisci(GetLastError(), p);
  win32::chiudi(m, p);
}

void DiscoFile::elimina(const Percorso& p) {
  if (!DeleteFileW(p.c_str())) fallisci(GetLastError(), p);
}

void DiscoFile::scrivi_a_pezzi(const Percorso& p, const Pezzi& produci) {
  scrivi_con(CREATE_ALWAYS, p, produci, false);
}

void DiscoFile::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  scrivi_con(TRUNCATE_EXISTING, p, produci, true);
}

void DiscoFile::rinomina(const Percorso& da, const Percorso& a) {
  if (!MoveFileExW(da.c_str(), a.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    fallisci(GetLastError(), a);
}

Percorso DiscoFile::crea_provvisorio(const Percorso& p) {
  // A name taken by anything (a file, a link, another run's file) is passed over.
  for (int tentativi = 0; tentativi < 1000; ++tentativi) {
    const Percorso q = nome_provvisorio(p, GetCurrentProcessId(), contatore_++);
    Maniglia m(apri(q, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW));
    if (m.valida()) {
      win32::chiudi(m, q);
      return q;
    }
    const DWORD e = GetLastError();
    if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) fallisci(e, q);
  }
  fallisci(ERROR_FILE_EXISTS, p);
}

// The renames were written through (MOVEFILE_WRITE_THROUGH): the directory
// holds nothing more to flush.
void DiscoFile::sincronizza_cartella(const Percorso&) {}

}  // namespace scenario
