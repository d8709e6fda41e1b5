// The producer's identification: a CPF (a person, 11 digits) or a CNPJ (a
// company, 14 digits), each closed by two check digits. Pure functions, no
// windows.
#ifndef ZUMBREL_UTIL_DOCUMENTO_H
#define ZUMBREL_UTIL_DOCUMENTO_H

#include <string>

// The digits of the text, in order, everything else left out.
std::string so_digitos(const std::string& texto);

// Whether the text is a CPF whose check digits are right, written as the
// mask writes it ("###.###.###-##") or as 11 bare digits. Eleven equal
// digits ("111.111.111-11") pass the check but are no one's: refused.
bool cpf_valido(const std::string& texto);
// The same for a CNPJ ("##.###.###/####-##" or 14 bare digits).
bool cnpj_valido(const std::string& texto);

// What is wrong with a CPF or CNPJ as typed, said for the person who typed
// it; "" when it is right or empty (the field is not required).
std::string problema_documento(const std::string& texto);

// A CPF or CNPJ as the mask writes it, from its digits (11 or 14); any
// other text comes back unchanged.
std::string documento_mascarado(const std::string& texto);

#endif // ZUMBREL_UTIL_DOCUMENTO_H
