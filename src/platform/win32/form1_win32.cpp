#include "platform/win32/form1_win32.h"

#include <system_error>

namespace scenario {
namespace {

constexpr DWORD stile_form1 = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

[[noreturn]] void fallisci(const char* cosa) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), cosa);
}

HINSTANCE istanza() { return GetModuleHandleW(nullptr); }

void registra_classe() {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = istanza();
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  // The colour static controls paint their background with.
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  c.lpszClassName = form1_classe;
  if (!RegisterClassExW(&c) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) fallisci("RegisterClassExW");
}

struct Dpi {
  int x = 96;
  int y = 96;
};

Dpi dpi_schermo() {
  Dpi d;
  if (HDC dc = GetDC(nullptr)) {
    d.x = GetDeviceCaps(dc, LOGPIXELSX);
    d.y = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
  }
  return d;
}

}  // namespace

FinestraForm1 crea_form1(const std::wstring& titolo) {
  registra_classe();
  const Dpi dpi = dpi_schermo();

  RECT r{0, 0, pixel_da_twip(form1_larghezza_twip, dpi.x), pixel_da_twip(form1_altezza_twip, dpi.y)};
  AdjustWindowRectEx(&r, stile_form1, FALSE, 0);

  FinestraForm1 f;
  f.form = CreateWindowExW(0, form1_classe, titolo.c_str(), stile_form1, CW_USEDEFAULT, CW_USEDEFAULT,
                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, istanza(), nullptr);
  if (!f.form) fallisci("CreateWindowExW Form1");

  f.carattere = CreateFontW(-MulDiv(label1_punti, dpi.y, 72), 0, 0, 0, label1_peso, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, label1_carattere);
  f.label1 = CreateWindowExW(0, L"STATIC", label1_testo, WS_CHILD | WS_VISIBLE | SS_LEFT,
                             pixel_da_twip(label1_sinistra_twip, dpi.x), pixel_da_twip(label1_alto_twip, dpi.y),
                             pixel_da_twip(label1_larghezza_twip, dpi.x), pixel_da_twip(label1_altezza_twip, dpi.y),
                             f.form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(label1_id)), istanza(), nullptr);
  if (!f.carattere || !f.label1) {
    DWORD e = GetLastError();
    distruggi_form1(f);
    SetLastError(e);
    fallisci("CreateWindowExW Label1");
  }
  SendMessageW(f.label1, WM_SETFONT, reinterpret_cast<WPARAM>(f.carattere), FALSE);
  return f;
}

void mostra_e_dipingi(const FinestraForm1& f) {
  ShowWindow(f.form, SW_SHOWNORMAL);
  // UpdateWindow alone paints the form but not the label inside it.
  RedrawWindow(f.form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void distruggi_form1(FinestraForm1& f) {
  if (f.form) DestroyWindow(f.form);  // takes the label with it
  if (f.carattere) DeleteObject(f.carattere);
  f = FinestraForm1{};
}

}  // namespace scenario
