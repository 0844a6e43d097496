// Win32 platform: a real window and real message boxes.

#include "platform/piattaforma.h"
#include "platform/win32/form1_win32.h"
#include "platform/win32/testo_win32.h"

namespace scenario {

std::filesystem::path cartella_eseguibile() { return percorso_eseguibile().parent_path(); }

namespace {

class FinestraWin32 : public Finestra {
 public:
  FinestraWin32() : f_(crea_form1(titolo_programma())) { mostra_e_dipingi(f_); }
  ~FinestraWin32() override { distruggi_form1(f_); }
  FinestraWin32(const FinestraWin32&) = delete;
  FinestraWin32& operator=(const FinestraWin32&) = delete;

 private:
  FinestraForm1 f_;
};

}  // namespace

std::unique_ptr<Finestra> mostra_finestra() { return std::make_unique<FinestraWin32>(); }

void mostra_messaggio(const std::string& testo) {
  // No owner: task-modal disables the thread's windows instead, Form1 among them.
  MessageBoxW(nullptr, a_utf16(testo).c_str(), titolo_programma().c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace scenario
