#include "scatola_messaggio.h"

namespace prove {
namespace {

std::wstring classe(HWND h) {
  wchar_t buf[64] = {};
  GetClassNameW(h, buf, 64);
  return buf;
}

std::wstring testo_di(HWND h) {
  std::wstring t(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  t.resize(static_cast<size_t>(GetWindowTextW(h, t.data(), static_cast<int>(t.size()))));
  return t;
}

struct Ricerca {
  DWORD processo;
  HWND trovata;
};

BOOL CALLBACK esamina(HWND h, LPARAM p) {
  auto* r = reinterpret_cast<Ricerca*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == r->processo && IsWindowVisible(h) && classe(h) == L"#32770") {
    r->trovata = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK raccogli(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ScatolaMessaggio*>(p);
  if (!IsWindowVisible(h)) return TRUE;
  std::wstring c = classe(h);
  LONG stile = GetWindowLongW(h, GWL_STYLE);
  if (_wcsicmp(c.c_str(), L"Button") == 0) {
    s->pulsanti.push_back({GetDlgCtrlID(h), testo_di(h)});
  } else if (_wcsicmp(c.c_str(), L"Static") == 0) {
    if ((stile & SS_TYPEMASK) == SS_ICON) {
      if (SendMessageW(h, STM_GETICON, 0, 0)) s->icona = true;
    } else {
      std::wstring t = testo_di(h);
      if (!t.empty()) s->testo += t;
    }
  }
  return TRUE;
}

}  // namespace

HWND trova_scatola(DWORD processo) {
  Ricerca r{processo, nullptr};
  EnumWindows(esamina, reinterpret_cast<LPARAM>(&r));
  return r.trovata;
}

HWND attendi_scatola(DWORD processo, DWORD millisecondi) {
  const ULONGLONG fine = GetTickCount64() + millisecondi;
  do {
    if (HWND h = trova_scatola(processo)) return h;
    Sleep(50);
  } while (GetTickCount64() < fine);
  return nullptr;
}

ScatolaMessaggio leggi_scatola(HWND scatola) {
  ScatolaMessaggio s;
  s.finestra = scatola;
  s.titolo = testo_di(scatola);
  EnumChildWindows(scatola, raccogli, reinterpret_cast<LPARAM>(&s));
  return s;
}

bool premi_ok(const ScatolaMessaggio& s) {
  HWND ok = GetDlgItem(s.finestra, IDOK);
  PostMessageW(s.finestra, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  for (int i = 0; i < 100 && IsWindow(s.finestra); ++i) Sleep(50);
  return !IsWindow(s.finestra);
}

std::string difetti(const ScatolaMessaggio& s, std::wstring_view titolo_atteso) {
  std::string d;
  if (s.titolo != titolo_atteso) d += "titolo \"" + utf8(s.titolo) + "\", atteso \"" + utf8(titolo_atteso) + "\"; ";
  if (s.pulsanti.size() != 1 || s.pulsanti[0].id != IDOK || s.pulsanti[0].testo != L"OK") {
    d += "pulsanti:";
    for (const Pulsante& p : s.pulsanti) d += " " + std::to_string(p.id) + " \"" + utf8(p.testo) + "\"";
    d += " (atteso solo OK); ";
  }
  if (s.icona) d += "ha un'icona; ";
  return d;
}

std::string utf8(std::wstring_view w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace prove
