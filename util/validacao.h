// Checks of what is typed into the beehive, inspection and postal-code
// windows, before anything is sent: dates that exist, weights in kg and
// complete postal codes. Pure functions, no windows.
#ifndef ZUMBREL_UTIL_VALIDACAO_H
#define ZUMBREL_UTIL_VALIDACAO_H

#include <cstddef>
#include <string>

// Whether the text is a day that exists written "DD/MM/YYYY" (31/02/2024
// is not; 29/02/2024 is), year 1 on. When it is and `iso` is given, `iso`
// gets it in the database's form "YYYY-MM-DD".
bool data_valida(const std::string& texto, std::string* iso = nullptr);

// Whether the text is a weight in kg as a person types it: digits, with at
// most one "," or "." followed by up to three decimals, up to seven digits
// before it, blanks around it ignored; the empty text is 0. When it is and
// `numero` is given, `numero` gets it as SQL writes a number ("12.5").
// Negative numbers, exponents, thousands separators and anything else are
// refused.
bool ler_quilos(const std::string& texto, std::string* numero = nullptr);

// A weight as the database gives it ("12.500") the way it is shown: decimal
// comma, no trailing zeros ("12,5"; "3.000" is "3").
std::string mostrar_quilos(const std::string& numero);

// Whether the text is a whole postal code as the mask writes it, "#####-###".
bool cep_completo(const std::string& texto);

// A typed text as the start of a "like" pattern that matches it as it is:
// "%", "_" and "\\" in it are escaped, and "%" follows it.
std::string inicio_de_padrao(const std::string& texto);

// Whether the text is one of those of a fixed list (the kinds, statuses and
// units the windows offer and the database checks).
template <std::size_t N>
bool um_de(const std::string& texto, const char* const (&lista)[N])
{
    for (const char* item : lista) {
        if (texto == item)
            return true;
    }
    return false;
}

#endif // ZUMBREL_UTIL_VALIDACAO_H
