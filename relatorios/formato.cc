#include "relatorios/formato.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// The digits of |valor| rounded to `casas` decimals, as "1234.50", and
// whether it was negative once rounded.
std::string digitos(double valor, int casas, bool& negativo)
{
    if (casas < 0)
        casas = 0;
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.*f", casas, std::fabs(valor));
    std::string t = texto;
    negativo = valor < 0 && t.find_first_not_of("0.") != std::string::npos;
    return t;
}

std::string escrever(double valor, int casas, bool milhares)
{
    if (!std::isfinite(valor))
        return "-";
    bool negativo = false;
    const std::string t = digitos(valor, casas, negativo);
    const std::size_t ponto = t.find('.');
    const std::string inteira = t.substr(0, ponto);
    std::string saida;
    for (std::size_t i = 0; i < inteira.size(); ++i) {
        if (milhares && i > 0 && (inteira.size() - i) % 3 == 0)
            saida += '.';
        saida += inteira[i];
    }
    if (ponto != std::string::npos)
        saida += "," + t.substr(ponto + 1);
    return negativo ? "-" + saida : saida;
}

} // namespace

std::string numero_br(double valor, int casas)
{
    return escrever(valor, casas, true);
}

std::string numero_planilha(double valor, int casas)
{
    return escrever(valor, casas, false);
}

double ler_numero(const std::string& texto)
{
    if (texto.empty())
        return 0;
    char* fim = nullptr;
    const double v = std::strtod(texto.c_str(), &fim);
    return fim && *fim == '\0' && std::isfinite(v) ? v : 0;
}

std::string data_br(const std::string& iso)
{
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return iso;
    return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
}

namespace {

std::string agora_como(const char* formato)
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    char texto[32];
    std::strftime(texto, sizeof texto, formato, &local);
    return texto;
}

} // namespace

std::string hoje_br()
{
    return agora_como("%d/%m/%Y");
}

std::string agora_br()
{
    return agora_como("%d/%m/%Y %H:%M");
}
