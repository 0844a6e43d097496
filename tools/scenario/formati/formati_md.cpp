// docs/formati.md from the formats table (formati_md.h). The page is
// generated, never edited by hand: a test holds it equal to this output.

#include "formati/formati_md.h"

#include <string_view>

#include "base/codici.h"

namespace scenario::strumenti {
namespace {

using namespace formato;

constexpr std::string_view nomi_tipo[] = {"numero di 32 bit", "numero di 16 bit", "numero di 8 bit", "testo"};

// What a value is along the line, as the page tells it; empty for none.
constexpr std::string_view nomi_ruolo[] = {
    "",
    "punto: la cella è round(p / 50 + 1)",
    "vale dalla cella round(p / 50) in poi",
    "l'ultima cella è round(p / 50 - 1)",
    "metro per metro, senza arrotondare alla cella",
    "posizione di stazione, multipla di 50",
    "lunghezza dalla posizione del record",
};

std::string_view nome_tipo(Tipo t) { return nomi_tipo[static_cast<size_t>(t)]; }

std::string intero(int64_t n) { return std::to_string(n); }

// A table cell: a bar would split it.
std::string cella(std::string_view s) {
  std::string t;
  for (char c : s) t += c == '|' ? std::string("\\|") : std::string(1, c);
  return t;
}

}  // namespace

std::string record_markdown(const Record& r) {
  std::string out;
  out += "### " + std::string(r.nome) + "\n\n";
  out += std::string(r.significato) + ".\n\n";
  out += "- si scrive: `" + std::string(r.esempio) + "`\n";
  out += "- chiave: il primo campo " + prova_chiave(r.chiave) + "\n";
  out += "- dove: " +
         std::string(r.parte == Parte::generale ? "nella sezione [generale] della linea"
                                                : "dopo la sezione [generale], di solito sotto ") +
         (r.parte == Parte::generale ? "" : "`" + std::string(r.sezione) + "`") + "\n";
  if (r.margine > 0)
    out += "- la posizione deve restare almeno " + intero(r.margine) + " m prima della fine delle celle\n";
  out += "- problemi che può dare: ";
  for (size_t i = 0; i < r.codici.size(); ++i) {
    const Codice* c = cerca_codice(Famiglia::problema, r.codici[i]);
    out += (i ? "; " : "") + intero(r.codici[i]) + (c ? std::string(" (") + c->significato + ")" : "");
  }
  out += "\n\n| N. | Valore | Significato | Unità | Limiti | Lungo la linea | Slot |\n";
  out += "|---|---|---|---|---|---|---|\n";
  for (size_t i = 0; i < r.valori.size(); ++i) {
    const Valore& v = r.valori[i];
    const std::string slot = v.destinazione.slot < 0
                                 ? std::string()
                                 : intero(v.destinazione.slot) + ", `" + std::string(v.destinazione.campo) + "`";
    out += "| " + intero(static_cast<int64_t>(i) + 1) + " | `" + std::string(v.nome) + "` | " + cella(v.significato) +
           " | " + std::string(v.unita) + " | " + limiti(v) + " | " +
           std::string(nomi_ruolo[static_cast<size_t>(v.ruolo)]) + " | " + slot + " |\n";
  }
  out += "\n";
  return out;
}

namespace {

void pagina_testo(std::string& out, const Testo& t) {
  out += "## " + std::string(t.nome) + "\n\n";
  out += "Installata come `" + std::string(t.file) + "` (R e T sono i nomi della linea e del treno), `" +
         std::string(t.carico) + "` in una cartella di carico. Intestazioni di sezione: ";
  for (size_t i = 0; i < t.sezioni.size(); ++i) out += (i ? ", `" : "`") + std::string(t.sezioni[i]) + "`";
  out +=
      ".\n\nI record nell'ordine in cui il lettore prova le chiavi: il primo la cui prova riesce prende il "
      "campo.\n\n";
  for (const Record* r : t.record) out += record_markdown(*r);
}

}  // namespace

std::string limiti(const Valore& v, bool con_passo) {
  std::string t(nome_tipo(v.tipo));
  if (v.tipo == Tipo::testo)
    t += ", fino a " + intero(v.massimo) + " caratteri";
  else
    t += ", da " + intero(v.minimo) + " a " + intero(v.massimo);
  if (con_passo && v.passo > 0) t += ", multiplo di " + intero(v.passo);
  return t;
}

std::string prova_chiave(const Chiave& c) {
  std::string t = "contiene \xC2\xAB" + std::string(c.parola) + "\xC2\xBB";
  if (!c.altra.empty()) t += " e \xC2\xAB" + std::string(c.altra) + "\xC2\xBB";
  return t + (c.maiuscole_contano ? " (maiuscole e minuscole distinte)" : " (maiuscole o minuscole)");
}

std::string formati_markdown() {
  std::string out =
      "<!-- Generato da `scenario formati` dalla tabella src/compiler/formati.cpp: non modificare a mano. -->\n\n"
      "# I formati delle descrizioni\n\n"
      "Ogni tipo di record della descrizione della linea e di quella del treno, con la prova della sua chiave e "
      "i suoi valori nell'ordine di lettura: nome, significato, unità, limiti e i codici di problema che può "
      "dare. Le regole di lettura dei campi sono nel README (\"The description texts\"); i codici, nella tabella "
      "dei codici di problema.\n\n"
      "Un valore fuori dal campo in cui va (un numero di 8 bit negativo, per esempio) ferma la lettura con il "
      "problema 25; dentro il campo ma fuori dai limiti detti qui viene conservato avvolto o rifiutato, come dice "
      "il suo significato.\n\n";
  pagina_testo(out, linea());
  pagina_testo(out, treno());
  return out;
}

}  // namespace scenario::strumenti
