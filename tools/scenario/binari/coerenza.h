#pragma once
// Whether the binary files of one scenario belong together. Each reader
// checks its own file's shape; what the shapes alone cannot tell is checked
// here: the profile and the cells sized for the route length of slot 84
// (L + 7001 metres of profile, round((L + 7000) / 50) + 1 cells), that
// length one the compiler writes files for, and every coordinate a finite
// number within 1e9 m. Any of the three may be absent: what is there is
// checked, alone and against the others.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "binari/file_binari.h"
#include "compiler/records.h"

namespace scenario::strumenti {

struct FileLetti {
  const ProfiloLetto* profilo = nullptr;
  const std::array<stazione, slot::numero>* stazioni = nullptr;
  const std::vector<cella>* celle = nullptr;
  // The files' names, for the messages.
  std::string nome_profilo = "profilo", nome_stazioni = "tabella delle stazioni", nome_celle = "celle";
};

// Every inconsistency found, one Italian sentence each; empty when none.
std::vector<std::string> incoerenze(const FileLetti& f);

// A profile alone, read as a stream in constant memory.
std::vector<std::string> incoerenze_profilo(const FlussoProfilo& profilo, const std::string& nome);

// One file alone, read as its kind (the reader's ErroreStrumento escapes).
std::vector<std::string> incoerenze_file(TipoFile tipo, std::string_view byte, const std::string& nome);

// The same as one message for ErroreStrumento or a warning: a line per
// inconsistency after the first line.
std::string testo_incoerenze(const std::vector<std::string>& elenco);

}  // namespace scenario::strumenti
