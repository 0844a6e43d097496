// Runs a program, answers each of its message boxes with OK as a user would,
// and ends with the program's exit status.
//
//   esegui_e_chiudi <program.exe>
//
// Prints the text of each box on standard output, one line each. A box that
// is not "OK only, no icon, titled after the program" is reported on standard
// error and makes the exit status 125; 124 when the program is still running
// after two minutes.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "scatola_messaggio.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("uso: esegui_e_chiudi <programma.exe>\n", stderr);
    return 2;
  }
  const std::wstring programma = argv[1];
  const std::wstring titolo = std::filesystem::path(programma).stem().wstring();
  std::wstring riga = L"\"" + programma + L"\"";

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(programma.c_str(), riga.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fprintf(stderr, "CreateProcess %s: errore %lu\n", prove::utf8(programma).c_str(), GetLastError());
    return 2;
  }

  bool difettosa = false;
  const ULONGLONG fine = GetTickCount64() + 120000;
  while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
    if (GetTickCount64() > fine) {
      std::fputs("il programma non finisce: terminato\n", stderr);
      TerminateProcess(pi.hProcess, 124);
      return 124;
    }
    HWND h = prove::trova_scatola(pi.dwProcessId);
    if (!h) continue;
    prove::ScatolaMessaggio s = prove::leggi_scatola(h);
    std::printf("%s\n", prove::utf8(s.testo).c_str());
    std::fflush(stdout);
    std::string d = prove::difetti(s, titolo);
    if (!d.empty()) {
      std::fprintf(stderr, "scatola \"%s\": %s\n", prove::utf8(s.testo).c_str(), d.c_str());
      difettosa = true;
    }
    if (!prove::premi_ok(s)) {
      std::fputs("la scatola non si chiude con OK\n", stderr);
      TerminateProcess(pi.hProcess, 125);
      return 125;
    }
  }
  DWORD uscita = 0;
  GetExitCodeProcess(pi.hProcess, &uscita);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return difettosa ? 125 : static_cast<int>(uscita);
}
