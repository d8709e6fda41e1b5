// Spreadsheet files as a spreadsheet set to Portuguese (Brazil) reads them:
// UTF-8 (marked at the start), ";" between fields, a decimal comma, a text
// quoted when it holds ";", a quote or a line break, and a text that looks
// like a formula (starting with "=", "+", "-", "@", a tab or a carriage
// return) written so that the spreadsheet shows it and never runs it.
#ifndef ZUMBREL_RELATORIOS_CSV_H
#define ZUMBREL_RELATORIOS_CSV_H

#include <string>
#include <vector>

#include "relatorios/relatorio.h"

// Whether a text is written with a leading quote so that a spreadsheet
// shows it and never runs it: it starts with "=", "+", "-", "@", a tab or a
// carriage return and is no plain number, or it starts with a quote followed
// by such a text (so that reading the file back can tell the mark from a
// quote that was typed).
bool parece_formula(const std::string& texto);
// One text field as it is written.
std::string campo_csv(const std::string& texto);
// One value: a number as spreadsheets read it ("-1234,5"), a text as above.
std::string celula_csv(const CELULA& c);
// A row of values, ended by "\r\n".
std::string linha_csv(const std::vector<CELULA>& celulas);

// The report's tables, each with its title row and column titles, one
// after the other with an empty row between them (a report with nothing
// says so in its one row). False, with *erro naming the file, when it
// cannot be written; then nothing is left under that name.
bool exportar_csv(const RELATORIO& r, const std::string& caminho, std::string* erro);

#endif // ZUMBREL_RELATORIOS_CSV_H
