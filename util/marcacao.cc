#include "util/marcacao.h"

#include "util/validacao.h"

const char* const CORES_MARCACAO[5] = { "Branca", "Amarela", "Vermelha", "Verde", "Azul" };

bool cor_de_marcacao(const std::string& texto) { return um_de(texto, CORES_MARCACAO); }

const char* cor_do_ano(int ano)
{
    if (ano <= 0)
        return "";
    // Years ending 1 and 6 share the first colour, 5 and 0 the last.
    return CORES_MARCACAO[(ano + 4) % 5];
}

int ano_da_data(const std::string& data)
{
    if (!data_valida(data))
        return 0;
    return std::stoi(data.substr(6, 4));
}

std::string cor_da_rainha(const std::string& nascimento, const std::string& escolhida)
{
    if (cor_de_marcacao(escolhida))
        return escolhida;
    return cor_do_ano(ano_da_data(nascimento));
}

std::string cor_a_guardar(const std::string& nascimento, const std::string& escolhida)
{
    if (!cor_de_marcacao(escolhida) || escolhida == cor_do_ano(ano_da_data(nascimento)))
        return std::string();
    return escolhida;
}

const char* rgb_da_cor(const std::string& cor)
{
    static const char* const rgb[5] = { "#ffffff", "#f5d000", "#d01010", "#10a020", "#1050d0" };
    for (int k = 0; k < 5; ++k) {
        if (cor == CORES_MARCACAO[k])
            return rgb[k];
    }
    return "";
}
