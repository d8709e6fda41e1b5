#include "util/documento.h"

#include <cstddef>

namespace {

// The check digit of the first `n` digits: the sum of each times its weight,
// modulo 11; 0 for a remainder under 2, else 11 minus it.
int digito_verificador(const std::string& d, std::size_t n, const int* pesos)
{
    int soma = 0;
    for (std::size_t i = 0; i < n; ++i)
        soma += (d[i] - '0') * pesos[i];
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

bool todos_iguais(const std::string& d)
{
    return d.find_first_not_of(d[0]) == std::string::npos;
}

// Whether the text is exactly the pattern ("#" a digit) or bare digits of
// the pattern's count.
bool na_forma(const std::string& texto, const char* padrao, std::size_t digitos)
{
    const std::string d = so_digitos(texto);
    if (d.size() != digitos)
        return false;
    if (texto == d)
        return true;
    const std::string p(padrao);
    if (texto.size() != p.size())
        return false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const bool e_digito = texto[i] >= '0' && texto[i] <= '9';
        if ((p[i] == '#') != e_digito || (p[i] != '#' && texto[i] != p[i]))
            return false;
    }
    return true;
}

} // namespace

std::string so_digitos(const std::string& texto)
{
    std::string d;
    for (char c : texto) {
        if (c >= '0' && c <= '9')
            d += c;
    }
    return d;
}

bool cpf_valido(const std::string& texto)
{
    if (!na_forma(texto, "###.###.###-##", 11))
        return false;
    const std::string d = so_digitos(texto);
    if (todos_iguais(d))
        return false;
    static const int pesos1[] = { 10, 9, 8, 7, 6, 5, 4, 3, 2 };
    static const int pesos2[] = { 11, 10, 9, 8, 7, 6, 5, 4, 3, 2 };
    return digito_verificador(d, 9, pesos1) == d[9] - '0' && digito_verificador(d, 10, pesos2) == d[10] - '0';
}

bool cnpj_valido(const std::string& texto)
{
    if (!na_forma(texto, "##.###.###/####-##", 14))
        return false;
    const std::string d = so_digitos(texto);
    if (todos_iguais(d))
        return false;
    static const int pesos1[] = { 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2 };
    static const int pesos2[] = { 6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2 };
    return digito_verificador(d, 12, pesos1) == d[12] - '0' && digito_verificador(d, 13, pesos2) == d[13] - '0';
}

std::string problema_documento(const std::string& texto)
{
    if (texto.empty())
        return std::string();
    const std::string d = so_digitos(texto);
    if (d.size() == 11 && na_forma(texto, "###.###.###-##", 11)) {
        if (todos_iguais(d))
            return "Um CPF de onze algarismos iguais não existe: digite o CPF do produtor.";
        return cpf_valido(texto) ? std::string()
                                 : "O CPF " + texto + " não confere com os seus dígitos verificadores: confira-o.";
    }
    if (d.size() == 14 && na_forma(texto, "##.###.###/####-##", 14)) {
        if (todos_iguais(d))
            return "Um CNPJ de catorze algarismos iguais não existe: digite o CNPJ da empresa.";
        return cnpj_valido(texto) ? std::string()
                                  : "O CNPJ " + texto + " não confere com os seus dígitos verificadores: confira-o.";
    }
    return "Digite o CPF inteiro, como 123.456.789-09, ou o CNPJ inteiro, como 12.345.678/0001-95.";
}

std::string documento_mascarado(const std::string& texto)
{
    const char* padrao = nullptr;
    if (texto.size() == 11 && so_digitos(texto) == texto)
        padrao = "###.###.###-##";
    else if (texto.size() == 14 && so_digitos(texto) == texto)
        padrao = "##.###.###/####-##";
    if (!padrao)
        return texto;
    std::string saida;
    std::size_t k = 0;
    for (const char* p = padrao; *p; ++p)
        saida += *p == '#' ? texto[k++] : *p;
    return saida;
}
