// The Windows console for one run of the tool (console_windows.h).

#include "cli/console_windows.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "platform/win32/testo_win32.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace scenario::strumenti {
namespace {

// What the run changed, to put back: one console per process.
struct Cambiato {
  bool pagina = false;
  UINT pagina_prima = 0;
  bool modo = false;
  HANDLE uscita = nullptr;
  DWORD modo_prima = 0;
};
Cambiato cambiato;

void ripristina() {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(stdout);
  std::fflush(stderr);
  if (cambiato.modo) SetConsoleMode(cambiato.uscita, cambiato.modo_prima);
  if (cambiato.pagina) SetConsoleOutputCP(cambiato.pagina_prima);
  cambiato = {};
}

// Ctrl-C or the window closed: the console goes back as it was, then the
// default handler ends the process.
BOOL WINAPI alla_fine(DWORD) {
  ripristina();
  return FALSE;
}

bool e_una_console(HANDLE h) {
  DWORD modo = 0;
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &modo);
}

}  // namespace

std::vector<std::string> argomenti_utf8(int argc, wchar_t** argv) {
  std::vector<std::string> a;
  for (int i = 0; i < argc; ++i) a.push_back(utf8_da_utf16(argv[i]));
  return a;
}

ConsoleWindows::ConsoleWindows() {
  // LF stays LF, into a file or a pipe as on Linux; a console takes a lone
  // LF as a new line.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // On a console the C library writes unbuffered streams a byte at a time,
  // and a console decodes each write alone: a letter of two bytes would come
  // out as two wrong ones. Buffered, each text reaches it whole; flushed
  // after each insertion, as std::cerr is, stdout and stderr keep their
  // order on the screen.
  const bool su_console_uscita = e_una_console(GetStdHandle(STD_OUTPUT_HANDLE));
  const bool su_console_errori = e_una_console(GetStdHandle(STD_ERROR_HANDLE));
  if (su_console_uscita) {
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    std::cout << std::unitbuf;
  }
  if (su_console_errori) std::setvbuf(stderr, nullptr, _IOFBF, 1 << 12);
  // The code page is the console's, not the stream's: bytes into a pipe or
  // a file pass untouched whatever it is.
  if (su_console_uscita || su_console_errori) {
    const UINT prima = GetConsoleOutputCP();
    if (prima != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
      cambiato.pagina = true;
      cambiato.pagina_prima = prima;
    }
  }
  SetConsoleCtrlHandler(alla_fine, TRUE);
}

ConsoleWindows::~ConsoleWindows() {
  ripristina();
  SetConsoleCtrlHandler(alla_fine, FALSE);
}

bool console_a_colori() {
  const HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD modo = 0;
  if (h == nullptr || h == INVALID_HANDLE_VALUE || !GetConsoleMode(h, &modo)) return false;
  if (modo & ENABLE_VIRTUAL_TERMINAL_PROCESSING) return true;
  if (!SetConsoleMode(h, modo | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) return false;
  if (!cambiato.modo) {
    cambiato.modo = true;
    cambiato.uscita = h;
    cambiato.modo_prima = modo;
  }
  return true;
}

}  // namespace scenario::strumenti
