#include "relatorios/relatorio.h"

#include "relatorios/formato.h"

CELULA CELULA::de_texto(const std::string& t)
{
    CELULA c;
    c.texto = t;
    return c;
}

CELULA CELULA::de_numero(double v, int casas)
{
    CELULA c;
    c.numero = true;
    c.valor = v;
    c.casas = casas;
    return c;
}

std::string CELULA::mostrado() const
{
    return numero ? numero_br(valor, casas) : texto;
}

bool RELATORIO::vazio() const
{
    for (const TABELA_RELATORIO& t : tabelas) {
        if (!t.linhas.empty())
            return false;
    }
    return grafico.vazio();
}
