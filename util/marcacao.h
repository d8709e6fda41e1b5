// The marking colour of a queen bee: the international colour of her birth
// year's last digit (1 or 6 white, 2 or 7 yellow, 3 or 8 red, 4 or 9 green,
// 5 or 0 blue), or a colour the user chose when hers differs. Pure
// functions, no windows.
#ifndef ZUMBREL_UTIL_MARCACAO_H
#define ZUMBREL_UTIL_MARCACAO_H

#include <string>

// The five colours, in the order the lists show them (years ending 1 to 5).
extern const char* const CORES_MARCACAO[5];

// Whether the text is one of the five colours.
bool cor_de_marcacao(const std::string& texto);

// The colour of a year (any year from 1 on; "" for 0 or less).
const char* cor_do_ano(int ano);

// The year of a date written "DD/MM/YYYY" (0 when it is no such date).
int ano_da_data(const std::string& data);

// The colour a queen wears: the one chosen when there is one, else her
// birth year's ("" when neither is known).
std::string cor_da_rainha(const std::string& nascimento, const std::string& escolhida);

// What is kept of a colour chosen for a queen born on that date: nothing
// ("") when it is her year's, so that the colour follows a birth date set
// right later; the colour itself when it differs.
std::string cor_a_guardar(const std::string& nascimento, const std::string& escolhida);

// How the mark is drawn: its colour as "#rrggbb" ("" for no colour).
const char* rgb_da_cor(const std::string& cor);

#endif // ZUMBREL_UTIL_MARCACAO_H
