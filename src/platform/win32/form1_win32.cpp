#include "platform/win32/form1_win32.h"

#include <system_error>

#include "platform/win32/risorse/risorse.h"

namespace scenario {
namespace {

constexpr DWORD stile_form1 = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

[[noreturn]] void fallisci(const char* cosa) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), cosa);
}

HINSTANCE istanza() { return GetModuleHandleW(nullptr); }

// A function that older versions of Windows lack, looked up at run time so
// that the .exe still starts there; nullptr when missing.
template <class F>
F funzione(HMODULE modulo, const char* nome) {
  if (!modulo) return nullptr;
  // Through void (*)(), the type a function pointer may be cast to and from
  // without a -Wcast-function-type warning.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(modulo, nome)));
}

HMODULE user32() { return GetModuleHandleW(L"user32.dll"); }

// The program's icon at the given size; the system's application icon where
// the module has none.
HICON icona(int lato_x, int lato_y) {
  // Shared: loaded once, freed by the system.
  if (auto h = static_cast<HICON>(LoadImageW(istanza(), MAKEINTRESOURCEW(RISORSA_ICONA), IMAGE_ICON, lato_x, lato_y,
                                             LR_DEFAULTCOLOR | LR_SHARED)))
    return h;
  return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

void registra_classe() {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = istanza();
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  // Title bar and Alt+Tab, taskbar.
  c.hIcon = icona(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  c.hIconSm = icona(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  // The colour static controls paint their background with.
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  c.lpszClassName = form1_classe;
  if (!RegisterClassExW(&c) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) fallisci("RegisterClassExW");
}

struct Dpi {
  int x = 96;
  int y = 96;
  bool operator==(const Dpi&) const = default;
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

// The DPI of the monitor the window is on, which the per-monitor aware
// program (see its manifest) draws at: GetDpiForWindow from Windows 10 1607,
// GetDpiForMonitor from Windows 8.1; else the screen's, the only one Windows
// 7 and 8 know of.
Dpi dpi_finestra(HWND finestra) {
  if (auto per_finestra = funzione<UINT(WINAPI*)(HWND)>(user32(), "GetDpiForWindow")) {
    if (const UINT d = per_finestra(finestra)) return {static_cast<int>(d), static_cast<int>(d)};
  }
  // From the system directory only, never from beside the .exe.
  if (HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    using PerMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int mdt_effective_dpi = 0;
    UINT x = 0;
    UINT y = 0;
    auto per_monitor = funzione<PerMonitor>(shcore, "GetDpiForMonitor");
    const bool ok =
        per_monitor &&
        SUCCEEDED(per_monitor(MonitorFromWindow(finestra, MONITOR_DEFAULTTONEAREST), mdt_effective_dpi, &x, &y)) &&
        x > 0 && y > 0;
    FreeLibrary(shcore);
    if (ok) return {static_cast<int>(x), static_cast<int>(y)};
  }
  return dpi_schermo();
}

// The outer size of Form1 whose client area is the layout's at dpi.
SIZE dimensioni_form1(const Dpi& dpi) {
  RECT r{0, 0, pixel_da_twip(form1_larghezza_twip, dpi.x), pixel_da_twip(form1_altezza_twip, dpi.y)};
  // The frame at that DPI too (Windows 10 1607); else at the system's.
  using PerDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  auto per_dpi = funzione<PerDpi>(user32(), "AdjustWindowRectExForDpi");
  if (!per_dpi || !per_dpi(&r, stile_form1, FALSE, 0, static_cast<UINT>(dpi.y)))
    AdjustWindowRectEx(&r, stile_form1, FALSE, 0);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

FinestraForm1 crea_form1(const std::wstring& titolo) {
  registra_classe();

  // Sized at the screen's DPI, then, once Windows has placed it on a monitor,
  // at that monitor's if it differs. Hidden meanwhile.
  const Dpi schermo = dpi_schermo();
  const SIZE s = dimensioni_form1(schermo);
  FinestraForm1 f;
  f.form = CreateWindowExW(0, form1_classe, titolo.c_str(), stile_form1, CW_USEDEFAULT, CW_USEDEFAULT, s.cx, s.cy,
                           nullptr, nullptr, istanza(), nullptr);
  if (!f.form) fallisci("CreateWindowExW Form1");
  const Dpi dpi = dpi_finestra(f.form);
  if (dpi != schermo) {
    const SIZE m = dimensioni_form1(dpi);
    SetWindowPos(f.form, nullptr, 0, 0, m.cx, m.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

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
