// Runs the authors' tool on a console of its own, as an author at a Windows
// prompt would, and reads the console back: the UTF-8 messages shown as the
// letters they are (« », accented letters), the colour sequences taken by
// the console (never shown as text; coloured cells with colours, none with
// NO_COLOR), and the console's code page and mode as they were once the tool
// has ended.
//
//   prova_console <scenario.exe> <cartella di uno scenario con avvisi>

#include <windows.h>

#include <string>

#include "scatola_messaggio.h"
#include "verifica.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace {

// An Italian prompt's code page: not UTF-8.
constexpr UINT pagina_prompt = 850;

struct Schermo {
  std::wstring testo;
  int celle_colorate = 0;  // cells whose attributes differ from the first cell's
};

// Clears the console, runs the tool on it and reads back what it shows.
Schermo esegui_sulla_console(HANDLE console, const std::wstring& programma, const std::wstring& cartella) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(console, &info);
  const DWORD celle = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  DWORD scritte = 0;
  FillConsoleOutputCharacterW(console, L' ', celle, {0, 0}, &scritte);
  FillConsoleOutputAttribute(console, info.wAttributes, celle, {0, 0}, &scritte);
  SetConsoleCursorPosition(console, {0, 0});

  std::wstring riga = L"\"" + programma + L"\" check \"" + cartella + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(programma.c_str(), riga.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    prove::verifica(false, "CreateProcess: errore " + std::to_string(GetLastError()));
    return {};
  }
  prove::verifica(WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0, "lo strumento non finisce");
  DWORD uscita = 99;
  GetExitCodeProcess(pi.hProcess, &uscita);
  prove::uguale(uscita, DWORD{0}, "stato d'uscita dello strumento");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);

  GetConsoleScreenBufferInfo(console, &info);
  const DWORD mostrate = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwCursorPosition.Y + 1);
  Schermo s;
  s.testo.assign(mostrate, L' ');
  DWORD lette = 0;
  ReadConsoleOutputCharacterW(console, s.testo.data(), mostrate, {0, 0}, &lette);
  s.testo.resize(lette);
  std::basic_string<WORD> a(mostrate, 0);
  ReadConsoleOutputAttribute(console, a.data(), mostrate, {0, 0}, &lette);
  for (DWORD i = 0; i < lette; ++i)
    if (a[i] != a[0]) ++s.celle_colorate;
  return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("uso: prova_console <scenario.exe> <cartella>\n", stderr);
    return 2;
  }
  FreeConsole();
  if (!AllocConsole()) {
    std::fprintf(stderr, "AllocConsole: errore %lu\n", GetLastError());
    return 2;
  }
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  SetConsoleOutputCP(pagina_prompt);
  DWORD modo = 0;
  GetConsoleMode(console, &modo);
  // Off, so that the tool has to turn it on.
  SetConsoleMode(console, modo & ~DWORD{ENABLE_VIRTUAL_TERMINAL_PROCESSING});
  GetConsoleMode(console, &modo);

  // Whether this console takes colour sequences at all (wine's shows them
  // as text, though it accepts the mode): the colours are checked only there.
  SetConsoleMode(console, modo | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  DWORD scritti = 0;
  SetConsoleCursorPosition(console, {0, 0});
  WriteConsoleW(console, L"\x1b[0m", 4, &scritti, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(console, &info);
  const bool sequenze = info.dwCursorPosition.X == 0;
  SetConsoleMode(console, modo);
  if (!sequenze) std::puts("questa console mostra le sequenze di colore come testo: colori non verificati");

  for (const bool colori : {true, false}) {
    SetEnvironmentVariableW(L"NO_COLOR", colori ? nullptr : L"1");
    const std::string caso = colori ? "con i colori: " : "con NO_COLOR: ";
    const Schermo s = esegui_sulla_console(console, argv[1], argv[2]);
    prove::verifica(s.testo.find(L"\u00abpendeza\u00bb") != std::wstring::npos,
                    caso + "\u00ab \u00bb e lettere accentate sulla console:\n" + prove::utf8(s.testo));
    if (sequenze || !colori) {
      prove::verifica(s.testo.find(L'\x1b') == std::wstring::npos && s.testo.find(L"[0m") == std::wstring::npos,
                      caso + "sequenze di colore mostrate come testo:\n" + prove::utf8(s.testo));
      prove::verifica(colori == (s.celle_colorate > 0), caso + std::to_string(s.celle_colorate) + " celle colorate");
    }
    prove::uguale(GetConsoleOutputCP(), pagina_prompt, caso + "code page della console dopo lo strumento");
    DWORD dopo = 0;
    GetConsoleMode(console, &dopo);
    prove::uguale(dopo, modo, caso + "modo della console dopo lo strumento");
  }
  return prove::esito("prova_console");
}
