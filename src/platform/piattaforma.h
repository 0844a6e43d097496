#pragma once
// The few services of the operating system the installer needs beyond files:
// its own directory, the waiting window and the message box. One
// implementation per platform.

#include <filesystem>
#include <memory>
#include <string>

namespace scenario {

// The directory that holds the running executable (not the working directory).
std::filesystem::path cartella_eseguibile();

// The program's only window: caption label "Attendere", shown and painted at
// once, never repainted, destroyed with the object.
class Finestra {
 public:
  virtual ~Finestra() = default;
};
std::unique_ptr<Finestra> mostra_finestra();

// A modal message with an OK button only; returns when the user closes it.
// The text is Windows-1252.
void mostra_messaggio(const std::string& testo);

}  // namespace scenario
