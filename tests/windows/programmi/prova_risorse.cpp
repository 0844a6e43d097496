// The installer's resources, read back from its .exe as Windows reads them:
// the version information Explorer's Properties -> Details shows, the
// application manifest the loader applies, the icon Explorer draws.
//
//   prova_risorse <installatore.exe>
//
// The expected route, train and version come from the build (UTF-8); the
// product name's em dash is written here on its own.

#include <windows.h>
#include <winver.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scatola_messaggio.h"
#include "verifica.h"

using prove::uguale;
using prove::verifica;

namespace {

std::wstring da_utf8(const char* s) {
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s, -1, nullptr, 0);
  if (n <= 0) return L"?";
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s, -1, w.data(), n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

const std::wstring percorso = da_utf8(ATTESO_PERCORSO);
const std::wstring treno = da_utf8(ATTESO_TRENO);
const std::wstring versione = da_utf8(ATTESA_VERSIONE);

void verifica_testo(const std::wstring& ottenuto, const std::wstring& atteso, const std::string& cosa) {
  verifica(ottenuto == atteso, cosa + ": \"" + prove::utf8(ottenuto) + "\", atteso \"" + prove::utf8(atteso) + "\"");
}

void prova_versione(const std::wstring& exe) {
  DWORD inutile = 0;
  const DWORD n = GetFileVersionInfoSizeW(exe.c_str(), &inutile);
  verifica(n > 0, "nessuna informazione di versione (errore " + std::to_string(GetLastError()) + ")");
  if (n == 0) return;
  std::vector<unsigned char> blocco(n);
  if (!GetFileVersionInfoW(exe.c_str(), 0, n, blocco.data())) {
    verifica(false, "GetFileVersionInfoW fallita");
    return;
  }

  void* p = nullptr;
  UINT lunghezza = 0;
  if (VerQueryValueW(blocco.data(), L"\\", &p, &lunghezza) && lunghezza >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fisse = static_cast<const VS_FIXEDFILEINFO*>(p);
    uguale<unsigned long>(fisse->dwSignature, 0xFEEF04BDul, "firma di VS_FIXEDFILEINFO");
    const unsigned long ms = MAKELONG(ATTESA_VERSIONE_MINORE, ATTESA_VERSIONE_MAGGIORE);
    const unsigned long ls = MAKELONG(0, ATTESA_VERSIONE_CORREZIONE);
    uguale<unsigned long>(fisse->dwFileVersionMS, ms, "FILEVERSION (parte alta)");
    uguale<unsigned long>(fisse->dwFileVersionLS, ls, "FILEVERSION (parte bassa)");
    uguale<unsigned long>(fisse->dwProductVersionMS, ms, "PRODUCTVERSION (parte alta)");
    uguale<unsigned long>(fisse->dwProductVersionLS, ls, "PRODUCTVERSION (parte bassa)");
    uguale<unsigned long>(fisse->dwFileOS, VOS_NT_WINDOWS32, "FILEOS");
    uguale<unsigned long>(fisse->dwFileType, VFT_APP, "FILETYPE");
  } else {
    verifica(false, "VS_FIXEDFILEINFO mancante");
  }

  // The language and code page of the only string block.
  if (VerQueryValueW(blocco.data(), L"\\VarFileInfo\\Translation", &p, &lunghezza) && lunghezza >= 4) {
    const auto* coppia = static_cast<const WORD*>(p);
    uguale<unsigned>(lunghezza, 4u, "byte di Translation (una sola lingua)");
    uguale<unsigned>(coppia[0], 0x0410u, "lingua di Translation");
    uguale<unsigned>(coppia[1], 1252u, "code page di Translation");
  } else {
    verifica(false, "Translation mancante");
  }

  auto stringa = [&](const wchar_t* nome) -> std::wstring {
    const std::wstring chiave = std::wstring(L"\\StringFileInfo\\041004E4\\") + nome;
    void* testo = nullptr;
    UINT caratteri = 0;
    if (!VerQueryValueW(blocco.data(), chiave.c_str(), &testo, &caratteri)) {
      verifica(false, prove::utf8(nome) + " mancante nel blocco 041004E4");
      return {};
    }
    std::wstring s(static_cast<const wchar_t*>(testo), caratteri);
    while (!s.empty() && s.back() == L'\0') s.pop_back();
    return s;
  };
  const std::wstring prodotto = stringa(L"ProductName");
  verifica_testo(prodotto, L"Installatore scenario " + percorso + L" \u2014 treno " + treno, "ProductName");
  verifica(prodotto.find(L'\u2014') != std::wstring::npos, "ProductName senza la lineetta U+2014");
  const std::wstring descrizione = stringa(L"FileDescription");
  verifica(descrizione.find(percorso) != std::wstring::npos && descrizione.find(treno) != std::wstring::npos,
           "FileDescription \"" + prove::utf8(descrizione) + "\" senza percorso e treno");
  verifica_testo(stringa(L"FileVersion"), versione, "FileVersion");
  verifica_testo(stringa(L"ProductVersion"), versione, "ProductVersion");
  verifica_testo(stringa(L"OriginalFilename"), percorso + L"_" + treno + L".exe", "OriginalFilename");
  verifica_testo(stringa(L"InternalName"), percorso + L"_" + treno, "InternalName");
}

// The resource types, as wide-character identifiers (RT_MANIFEST and the
// others follow UNICODE, which these programs do not define).
const LPCWSTR tipo_manifesto = MAKEINTRESOURCEW(24);     // RT_MANIFEST
const LPCWSTR tipo_gruppo_icone = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const LPCWSTR tipo_icona = MAKEINTRESOURCEW(3);          // RT_ICON

std::string testo_risorsa(HMODULE modulo, LPCWSTR nome, LPCWSTR tipo) {
  HRSRC r = FindResourceW(modulo, nome, tipo);
  if (!r) return {};
  HGLOBAL g = LoadResource(modulo, r);
  const auto* dati = g ? static_cast<const char*>(LockResource(g)) : nullptr;
  return dati ? std::string(dati, SizeofResource(modulo, r)) : std::string{};
}

void prova_manifesto(HMODULE modulo, const std::wstring& exe) {
  const std::string m = testo_risorsa(modulo, MAKEINTRESOURCEW(1), tipo_manifesto);
  verifica(!m.empty(), "RT_MANIFEST 1 mancante");
  if (m.empty()) return;
  // The text as stored; the activation context below is what the loader
  // makes of it.
  for (const char* atteso : {"level=\"asInvoker\"", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
    verifica(m.find(atteso) != std::string::npos, std::string("il manifesto non contiene ") + atteso);

  // As the loader reads it: an activation context from the .exe's manifest,
  // which fails on malformed XML or a dependency that cannot be found.
  ACTCTXW a{};
  a.cbSize = sizeof a;
  a.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  a.lpSource = exe.c_str();
  a.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE contesto = CreateActCtxW(&a);
  verifica(contesto != INVALID_HANDLE_VALUE, "CreateActCtxW sul manifesto: errore " + std::to_string(GetLastError()));
  if (contesto == INVALID_HANDLE_VALUE) return;

  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION livello{};
  if (QueryActCtxW(0, contesto, nullptr, RunlevelInformationInActivationContext, &livello, sizeof livello, nullptr)) {
    uguale<int>(livello.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER, "livello d'esecuzione");
    uguale<unsigned long>(livello.UiAccess, 0, "uiAccess");
  } else {
    verifica(false, "QueryActCtxW RunlevelInformation: errore " + std::to_string(GetLastError()));
  }

  // The supportedOS GUIDs the loader took in, looked for as bytes: the layout
  // of the elements after the count differs between SDKs.
  alignas(8) unsigned char buf[1024] = {};
  SIZE_T scritti = 0;
  if (QueryActCtxW(0, contesto, nullptr, CompatibilityInformationInActivationContext, buf, sizeof buf, &scritti)) {
    DWORD quanti = 0;
    std::memcpy(&quanti, buf, sizeof quanti);
    uguale<unsigned long>(quanti, 4, "elementi di compatibilita'");
    const GUID sistemi[] = {{0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},   // 7
                            {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},   // 8
                            {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},   // 8.1
                            {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}};  // 10, 11
    const char* nomi[] = {"7", "8", "8.1", "10/11"};
    const size_t n = scritti < sizeof buf ? scritti : sizeof buf;
    for (size_t k = 0; k < 4; ++k) {
      bool trovato = false;
      for (size_t i = 0; !trovato && i + sizeof(GUID) <= n; i += 4)
        trovato = std::memcmp(buf + i, &sistemi[k], sizeof(GUID)) == 0;
      verifica(trovato, std::string("supportedOS di Windows ") + nomi[k] + " non nel contesto d'attivazione");
    }
  } else {
    verifica(false, "QueryActCtxW CompatibilityInformation: errore " + std::to_string(GetLastError()));
  }

  auto impostazione = [&](const wchar_t* spazio, const wchar_t* nome) -> std::wstring {
    wchar_t valore[64] = {};
    SIZE_T caratteri = 0;
    if (!QueryActCtxSettingsW(0, contesto, spazio, nome, valore, 64, &caratteri)) return L"(mancante)";
    return valore;
  };
  verifica_testo(impostazione(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm",
                 "dpiAware");
  verifica_testo(impostazione(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
                 L"PerMonitorV2, PerMonitor", "dpiAwareness");
  ReleaseActCtx(contesto);
}

#pragma pack(push, 2)
struct VoceGruppo {  // GRPICONDIRENTRY
  BYTE larghezza, altezza, colori, riservato;
  WORD piani, bit;
  DWORD byte;
  WORD id;
};
#pragma pack(pop)

void prova_icona(HMODULE modulo) {
  HRSRC r = FindResourceW(modulo, MAKEINTRESOURCEW(1), tipo_gruppo_icone);
  verifica(r != nullptr, "RT_GROUP_ICON 1 mancante");
  if (!r) return;
  const auto* gruppo = static_cast<const BYTE*>(LockResource(LoadResource(modulo, r)));
  const DWORD lunghezza = SizeofResource(modulo, r);
  WORD quante = 0;
  if (gruppo && lunghezza >= 6) std::memcpy(&quante, gruppo + 4, 2);
  uguale<unsigned>(quante, 4u, "immagini dell'icona");
  if (!gruppo || lunghezza < 6 + quante * sizeof(VoceGruppo)) return;
  std::string lati;
  for (WORD i = 0; i < quante; ++i) {
    VoceGruppo v;
    std::memcpy(&v, gruppo + 6 + i * sizeof v, sizeof v);
    const int lato = v.larghezza == 0 ? 256 : v.larghezza;
    if (!lati.empty()) lati += ' ';
    lati += std::to_string(lato);
    uguale<unsigned>(v.bit, 32u, "bit per pixel dell'immagine da " + std::to_string(lato));
  }
  verifica(lati == "16 32 48 256", "lati delle immagini: " + lati + ", attesi 16 32 48 256");

  // Each image as Windows picks and decodes it.
  for (int lato : {16, 32, 48, 256}) {
    const std::string cosa = "immagine da " + std::to_string(lato) + " px";
    const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(gruppo), TRUE, lato, lato, LR_DEFAULTCOLOR);
    HRSRC ri = id ? FindResourceW(modulo, MAKEINTRESOURCEW(id), tipo_icona) : nullptr;
    verifica(ri != nullptr, cosa + " non trovata");
    if (!ri) continue;
    auto* bit = static_cast<BYTE*>(LockResource(LoadResource(modulo, ri)));
    HICON h =
        bit ? CreateIconFromResourceEx(bit, SizeofResource(modulo, ri), TRUE, 0x00030000, lato, lato, LR_DEFAULTCOLOR)
            : nullptr;
    verifica(h != nullptr, cosa + " non si decodifica");
    if (!h) continue;
    ICONINFO info{};
    BITMAP bm{};
    if (GetIconInfo(h, &info)) {
      if (GetObjectW(info.hbmColor, sizeof bm, &bm)) {
        uguale<long>(bm.bmWidth, lato, cosa + ": larghezza");
        uguale<long>(bm.bmHeight, lato, cosa + ": altezza");
      }
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    DestroyIcon(h);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("uso: prova_risorse <installatore.exe>\n", stderr);
    return 2;
  }
  const std::wstring exe = argv[1];
  prova_versione(exe);
  HMODULE modulo = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  verifica(modulo != nullptr, "LoadLibraryExW " + prove::utf8(exe) + ": errore " + std::to_string(GetLastError()));
  if (modulo) {
    prova_manifesto(modulo, exe);
    prova_icona(modulo);
    FreeLibrary(modulo);
  }
  return prove::esito("prova_risorse");
}
