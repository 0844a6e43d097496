// The real disk's file operations on Windows.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Opens for writing and writes every piece. A link under the name is
// refused, never written through.
Maniglia scrivi_in(DWORD disposizione, const Percorso& p, const Pezzi& produci) {
  Maniglia m(apri(p, GENERIC_WRITE, condivisa, disposizione));
  if (!m.valida()) fallisci(GetLastError(), p);
  if (e_un_collegamento(m.h())) fallisci(ERROR_ACCESS_DENIED, p);
  produci([&](std::string_view pezzo) { win32::scrivi_tutto(m.h(), pezzo, p); });
  return m;
}

}  // namespace

std::string DiscoFile::leggi(const Percorso& p) {
  Maniglia m(CreateFileW(p.c_str(), GENERIC_READ, condivisa, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!m.valida()) fallisci(GetLastError(), p);
  // Read straight into the text, sized for the file as it stands and one
  // byte more, so that the read that finds the end needs no other buffer; a
  // file that grows meanwhile is read to its new end.
  LARGE_INTEGER dimensione{};
  const size_t atteso =
      GetFileSizeEx(m.h(), &dimensione) && dimensione.QuadPart > 0 ? static_cast<size_t>(dimensione.QuadPart) : 0;
  std::string testo(atteso + 1, '\0');
  size_t letti = 0;
  for (;;) {
    if (letti == testo.size()) testo.resize(testo.size() * 2);
    const DWORD chiesti = static_cast<DWORD>(std::min<size_t>(testo.size() - letti, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(m.h(), testo.data() + letti, chiesti, &n, nullptr))
      throw ErroreEsecuzione(Guasto::errore_accesso, nome_nel_messaggio(p));
    if (n == 0) break;
    letti += n;
  }
  testo.resize(letti);
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
  Maniglia m = scrivi_in(CREATE_ALWAYS, p, produci);
  win32::chiudi(m, p);
}

void DiscoFile::scrivi_durevole(const Percorso& p, const Pezzi& produci) {
  const Scrittura s[] = {{p, produci}};
  scrivi_durevoli(s);
}

void DiscoFile::scrivi_durevoli(std::span<const Scrittura> file) {
  std::vector<Maniglia> aperti;
  aperti.reserve(file.size());
  for (const Scrittura& f : file) aperti.push_back(scrivi_in(TRUNCATE_EXISTING, f.percorso, f.produci));
  for (size_t i = 0; i < file.size(); ++i) {
    if (!FlushFileBuffers(aperti[i].h())) fallisci(GetLastError(), file[i].percorso);
    win32::chiudi(aperti[i], file[i].percorso);
  }
}

Percorso DiscoFile::sposta_da_parte(const Percorso& p) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails where the name is
  // taken, by anything (a file, a link, another run's file): passed over.
  for (int tentativi = 0; tentativi < 1000; ++tentativi) {
    const Percorso q = nome_provvisorio(p, GetCurrentProcessId(), contatore_++);
    if (MoveFileExW(p.c_str(), q.c_str(), MOVEFILE_WRITE_THROUGH)) return q;
    const DWORD e = GetLastError();
    if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) fallisci(e, p);
  }
  fallisci(ERROR_FILE_EXISTS, p);
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
