#pragma once
// The Windows console for one run of the tool: messages in UTF-8, the
// standard streams untranslated (the same bytes as on every platform), and
// colours through the console's virtual-terminal mode; the console is put
// back as it was when the tool ends, Ctrl-C included. Windows only.

#include <string>
#include <vector>

namespace scenario::strumenti {

// The command line as the system gives it (UTF-16), in UTF-8.
std::vector<std::string> argomenti_utf8(int argc, wchar_t** argv);

// Sets the console up while it lives.
class ConsoleWindows {
 public:
  ConsoleWindows();
  ~ConsoleWindows();
  ConsoleWindows(const ConsoleWindows&) = delete;
  ConsoleWindows& operator=(const ConsoleWindows&) = delete;
};

// Whether stdout is a console that shows colours, its virtual-terminal mode
// turned on where it was off. False into a pipe, a file or NUL, and on a
// console without that mode.
bool console_a_colori();

}  // namespace scenario::strumenti
