#pragma once
// The waiting window Form1 and its label Label1, built with plain Win32 calls.
// Kept apart from the platform layer so that a test program can create the
// same window and inspect it.

#include <windows.h>

#include <string>

namespace scenario {

// Geometry and font, in the units the window is designed in: logical units,
// turned into pixels at the DPI of the monitor the window is on.
inline constexpr int form1_larghezza_twip = 4200;  // client area
inline constexpr int form1_altezza_twip = 2688;
inline constexpr int label1_sinistra_twip = 960;
inline constexpr int label1_alto_twip = 960;
inline constexpr int label1_larghezza_twip = 2652;
inline constexpr int label1_altezza_twip = 792;
inline constexpr int label1_punti = 24;
inline constexpr int label1_peso = FW_BOLD;
inline constexpr wchar_t label1_carattere[] = L"MS Sans Serif";
inline constexpr wchar_t label1_testo[] = L"Attendere";
inline constexpr int label1_id = 1;
inline constexpr wchar_t form1_classe[] = L"Form1";

// Twips (1/1440 inch) to pixels at dpi, rounded to nearest.
inline int pixel_da_twip(int twip, int dpi) { return MulDiv(twip, dpi, 1440); }

struct FinestraForm1 {
  HWND form = nullptr;
  HWND label1 = nullptr;
  HFONT carattere = nullptr;
};

// Creates Form1 with Label1, hidden, with the given caption and the program's
// icon; sizes and font follow the DPI of the monitor it is on (the screen's
// where Windows cannot tell). Throws std::system_error when Windows refuses.
FinestraForm1 crea_form1(const std::wstring& titolo);

// Shows the window without an owner and paints it and its label at once,
// since no message loop will run afterwards.
void mostra_e_dipingi(const FinestraForm1& f);

// Destroys the window and its font; leaves f empty.
void distruggi_form1(FinestraForm1& f);

}  // namespace scenario
