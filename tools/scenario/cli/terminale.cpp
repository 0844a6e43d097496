#include "cli/terminale.h"

#include <cstdlib>
#ifdef _WIN32
#include "cli/console_windows.h"
#else
#include <unistd.h>
#endif

namespace scenario::strumenti {

bool colori_sul_terminale() {
  const char* no_color = std::getenv("NO_COLOR");
  if (no_color && *no_color) return false;
#ifdef _WIN32
  return console_a_colori();
#else
  return isatty(STDOUT_FILENO);
#endif
}

}  // namespace scenario::strumenti
