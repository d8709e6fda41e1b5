// Numbers and dates as Brazilian Portuguese writes them, for reports and
// spreadsheets: decimal comma, a dot between thousands, days first. Pure
// functions, no windows.
#ifndef ZUMBREL_RELATORIOS_FORMATO_H
#define ZUMBREL_RELATORIOS_FORMATO_H

#include <string>

// The number with `casas` decimals, rounded, thousands marked: 1234.5 with
// 1 is "1.234,5", -0.04 with 1 is "0,0" (never "-0,0").
std::string numero_br(double valor, int casas);
// The same without the thousands mark, as spreadsheets read a number
// ("1234,5").
std::string numero_planilha(double valor, int casas);
// A number as the database sends it ("12.500", "-3") read as a double; 0
// for "" or a text that is not one.
double ler_numero(const std::string& texto);
// A date of the database's form "YYYY-MM-DD" as "DD/MM/YYYY" (any other
// text comes back unchanged).
std::string data_br(const std::string& iso);
// Today, "DD/MM/YYYY", and now, "DD/MM/YYYY HH:MM", in local time.
std::string hoje_br();
std::string agora_br();

#endif // ZUMBREL_RELATORIOS_FORMATO_H
