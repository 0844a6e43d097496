#pragma once
// Finding, reading and answering message boxes from outside, the way a user
// would see them: the test programs use it on their own boxes and on those of
// the installer.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace prove {

struct Pulsante {
  int id = 0;
  std::wstring testo;
};

struct ScatolaMessaggio {
  HWND finestra = nullptr;
  std::wstring titolo;
  std::wstring testo;              // the message, from the box's visible text controls
  std::vector<Pulsante> pulsanti;  // visible buttons only
  bool icona = false;
};

// The first visible message box that belongs to the process, or nullptr.
HWND trova_scatola(DWORD processo);

// Waits up to `millisecondi` for a box of the process.
HWND attendi_scatola(DWORD processo, DWORD millisecondi);

ScatolaMessaggio leggi_scatola(HWND scatola);

// Clicks OK and waits up to 5 s for the box to go; false if it stays.
bool premi_ok(const ScatolaMessaggio& s);

// "OK only, no icon, this title": empty when it is so, else what differs.
std::string difetti(const ScatolaMessaggio& s, std::wstring_view titolo_atteso);

std::string utf8(std::wstring_view w);

}  // namespace prove
