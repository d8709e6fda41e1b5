#include "util/validacao.h"

#include <cstdio>

namespace {

bool digito(char c) { return c >= '0' && c <= '9'; }

// The number written by the digits texto[inicio, fim).
int numero(const std::string& texto, std::size_t inicio, std::size_t fim)
{
    int n = 0;
    for (std::size_t i = inicio; i < fim; ++i)
        n = n * 10 + (texto[i] - '0');
    return n;
}

bool bissexto(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

} // namespace

bool data_valida(const std::string& texto, std::string* iso)
{
    if (texto.size() != 10 || texto[2] != '/' || texto[5] != '/')
        return false;
    for (std::size_t i : { 0, 1, 3, 4, 6, 7, 8, 9 }) {
        if (!digito(texto[i]))
            return false;
    }
    const int dia = numero(texto, 0, 2);
    const int mes = numero(texto, 3, 5);
    const int ano = numero(texto, 6, 10);
    static const int dias[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (ano < 1 || mes < 1 || mes > 12 || dia < 1)
        return false;
    if (dia > dias[mes - 1] + (mes == 2 && bissexto(ano) ? 1 : 0))
        return false;
    if (iso)
        *iso = texto.substr(6, 4) + "-" + texto.substr(3, 2) + "-" + texto.substr(0, 2);
    return true;
}

bool ler_quilos(const std::string& texto, std::string* saida)
{
    std::size_t inicio = texto.find_first_not_of(" \t");
    if (inicio == std::string::npos) {
        if (saida)
            *saida = "0";
        return true;
    }
    const std::size_t fim = texto.find_last_not_of(" \t") + 1;
    std::string inteiro, decimais;
    bool separador = false;
    for (std::size_t i = inicio; i < fim; ++i) {
        const char c = texto[i];
        if (c == ',' || c == '.') {
            if (separador)
                return false;
            separador = true;
        } else if (!digito(c)) {
            return false;
        } else {
            (separador ? decimais : inteiro) += c;
        }
    }
    // "12," and ",5" read as 12 and 0.5; a lone separator is no number.
    if (inteiro.empty() && decimais.empty())
        return false;
    if (decimais.size() > 3)
        return false;
    const std::size_t zeros = inteiro.find_first_not_of('0');
    inteiro = zeros == std::string::npos ? "0" : inteiro.substr(zeros);
    if (inteiro.size() > 7)
        return false;
    if (saida)
        *saida = decimais.empty() ? inteiro : inteiro + "." + decimais;
    return true;
}

std::string mostrar_quilos(const std::string& numero)
{
    std::string s = numero;
    const std::size_t ponto = s.find('.');
    if (ponto == std::string::npos)
        return s;
    s[ponto] = ',';
    const std::size_t ultimo = s.find_last_not_of('0');
    s.erase(ultimo + 1);
    if (s.back() == ',')
        s.pop_back();
    return s;
}

bool cep_completo(const std::string& texto)
{
    if (texto.size() != 9 || texto[5] != '-')
        return false;
    for (std::size_t i = 0; i < 9; ++i) {
        if (i != 5 && !digito(texto[i]))
            return false;
    }
    return true;
}

std::string inicio_de_padrao(const std::string& texto)
{
    std::string padrao;
    padrao.reserve(texto.size() + 1);
    for (char c : texto) {
        if (c == '\\' || c == '%' || c == '_')
            padrao += '\\';
        padrao += c;
    }
    return padrao + '%';
}
