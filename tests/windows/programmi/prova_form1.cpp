// The waiting window as the platform layer shows it: caption, icon, label
// text, font, geometry at the screen's DPI, painted on return, gone when
// released.
//
//   prova_form1 [DPI]
//
// With DPI, the screen must also be at that DPI (wine.sh --dpi sets it).

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "platform/piattaforma.h"
#include "platform/win32/testo_win32.h"
#include "scatola_messaggio.h"
#include "verifica.h"

using prove::uguale;
using prove::verifica;

namespace {

// Twips to pixels, worked out here independently of the layer.
int pixel(int twip, int dpi) { return static_cast<int>(std::lround(twip * dpi / 1440.0)); }

BOOL CALLBACK conta(HWND, LPARAM p) {
  ++*reinterpret_cast<int*>(p);
  return TRUE;
}

// An icon of the window class: present, not the system's application icon
// (so the program's own, from its resources), of the given size.
void verifica_icona(HWND form, int quale, int lato, const std::string& cosa) {
  auto h = reinterpret_cast<HICON>(GetClassLongPtrW(form, quale));
  verifica(h != nullptr, cosa + " mancante");
  if (!h) return;
  verifica(h != LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)),
           cosa + ": l'icona generica di Windows, non quella del programma");
  ICONINFO info{};
  BITMAP bm{};
  if (GetIconInfo(h, &info)) {
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
      uguale<long>(bm.bmWidth, lato, cosa + ": larghezza");
      uguale<long>(bm.bmHeight, lato, cosa + ": altezza");
    } else {
      verifica(false, cosa + ": senza colori");
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  } else {
    verifica(false, cosa + ": GetIconInfo fallita");
  }
}

}  // namespace

int main(int argc, char** argv) {
  HDC schermo = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
  const int dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
  ReleaseDC(nullptr, schermo);
  std::printf("DPI %d x %d\n", dpi_x, dpi_y);
  if (argc > 1) {
    const int atteso = std::atoi(argv[1]);
    uguale(dpi_x, atteso, "DPI orizzontali dello schermo");
    uguale(dpi_y, atteso, "DPI verticali dello schermo");
  }

  auto finestra = scenario::mostra_finestra();
  HWND form = FindWindowW(L"Form1", scenario::titolo_programma().c_str());
  verifica(form != nullptr, "Form1 con il titolo del programma non trovata");
  if (!form) return prove::esito("prova_form1");

  verifica(IsWindowVisible(form), "Form1 non visibile");
  verifica(GetWindow(form, GW_OWNER) == nullptr, "Form1 ha un proprietario");
  verifica(GetMenu(form) == nullptr, "Form1 ha un menu");
  verifica_icona(form, GCLP_HICON, GetSystemMetrics(SM_CXICON), "icona della classe Form1");
  verifica_icona(form, GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON), "icona piccola della classe Form1");
  RECT da_dipingere;
  verifica(!GetUpdateRect(form, &da_dipingere, FALSE), "Form1 non ancora dipinta");

  RECT client;
  GetClientRect(form, &client);
  uguale<int>(client.right, pixel(4200, dpi_x), "larghezza dell'area client");
  uguale<int>(client.bottom, pixel(2688, dpi_y), "altezza dell'area client");

  int figli = 0;
  EnumChildWindows(form, conta, reinterpret_cast<LPARAM>(&figli));
  uguale(figli, 1, "controlli in Form1");

  HWND label = GetWindow(form, GW_CHILD);
  verifica(label != nullptr, "Label1 mancante");
  if (!label) return prove::esito("prova_form1");
  wchar_t classe[32] = {};
  GetClassNameW(label, classe, 32);
  verifica(_wcsicmp(classe, L"Static") == 0, "Label1 non e' un controllo statico");
  wchar_t testo[64] = {};
  GetWindowTextW(label, testo, 64);
  verifica(std::wstring(testo) == L"Attendere", "testo di Label1: \"" + prove::utf8(testo) + "\"");
  verifica(IsWindowVisible(label), "Label1 non visibile");
  verifica(!GetUpdateRect(label, &da_dipingere, FALSE), "Label1 non ancora dipinta");

  RECT r;
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  uguale<int>(r.left, pixel(960, dpi_x), "sinistra di Label1");
  uguale<int>(r.top, pixel(960, dpi_y), "alto di Label1");
  uguale<int>(r.right - r.left, pixel(2652, dpi_x), "larghezza di Label1");
  uguale<int>(r.bottom - r.top, pixel(792, dpi_y), "altezza di Label1");

  auto carattere = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  verifica(carattere != nullptr, "Label1 senza carattere proprio");
  LOGFONTW lf{};
  if (carattere && GetObjectW(carattere, sizeof lf, &lf) == sizeof lf) {
    verifica(std::wstring(lf.lfFaceName) == L"MS Sans Serif", "carattere \"" + prove::utf8(lf.lfFaceName) + "\"");
    uguale<long>(lf.lfWeight, 700, "peso del carattere");
    // Negative: the height of the characters, not of the cell.
    uguale<long>(lf.lfHeight, -pixel(24 * 20, dpi_y), "altezza del carattere");
    verifica(!lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut, "carattere corsivo, sottolineato o barrato");
  }

  finestra.reset();
  verifica(!IsWindow(form), "Form1 non distrutta con l'oggetto");
  return prove::esito("prova_form1");
}
