// Spreadsheet files read back: a CSV as a spreadsheet or this program
// writes it, in UTF-8 or Latin-1 (told apart by the bytes themselves), with
// ";" or "," between fields (told by the first row), quoted fields that may
// hold either, quotes and line breaks, and each text that the writer kept
// from looking like a formula given back as it was typed. Pure functions,
// no windows, no database.
#ifndef ZUMBREL_RELATORIOS_PLANILHA_H
#define ZUMBREL_RELATORIOS_PLANILHA_H

#include <string>
#include <vector>

struct LINHA_PLANILHA
{
    int linha = 0;                     // where it starts in the file, 1 = the first
    std::vector<std::string> campos;   // as many as the titles, "" for those missing
};

struct PLANILHA
{
    std::string codificacao;   // "UTF-8" or "Latin-1"
    char separador = ';';
    std::vector<std::string> titulos;   // the first row
    std::vector<LINHA_PLANILHA> linhas; // the rows after it, blank ones left out
    // A row with more fields than titles, not all of those after the last
    // title empty: the first such line (0 when none).
    int linha_longa = 0;
};

// The file's bytes as text: false, with *erro saying why in Portuguese, for
// a file that is empty, holds no text (a zero byte) or leaves a quote open.
// A file with only its titles reads, with no rows.
bool ler_planilha(const std::string& bytes, PLANILHA* p, std::string* erro);
// The same from a file; *erro also says so when it cannot be read.
bool abrir_planilha(const std::string& caminho, PLANILHA* p, std::string* erro);

// Bytes not valid as UTF-8 taken as Latin-1 (its Windows form, where 0x80
// to 0x9F are the curly quotes, dashes and the euro) and written as UTF-8.
std::string latin1_para_utf8(const std::string& bytes);

// A field as it was typed: the mark the writer put before a text that would
// look like a formula (relatorios/csv.h) taken off.
std::string texto_digitado(const std::string& campo);

// A day as spreadsheets write it, "DD/MM/AAAA" (or "D/M/AAAA"), blanks
// around it ignored: true and *ddmmaaaa in the form the records keep,
// "DD/MM/AAAA", when that day exists.
bool data_da_planilha(const std::string& texto, std::string* ddmmaaaa);

// A yes-or-no cell: "sim", "s", "x", "1", "verdadeiro" and "true" are yes;
// "", "não", "nao", "n", "0", "falso" and "false" no (any case, blanks
// around ignored). False for anything else.
bool sim_ou_nao(const std::string& texto, bool* sim);

// A text with the blanks around it taken off.
std::string aparado(const std::string& texto);
// A title or a name as compared: trimmed, in lower case, accents kept.
std::string comparavel(const std::string& texto);

#endif // ZUMBREL_RELATORIOS_PLANILHA_H
