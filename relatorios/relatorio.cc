#include "relatorios/relatorio.h"

#include <cstdlib>
#include <utility>

#include "db/linhas.h"
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

void LINHAS_RELATORIO::ler(std::shared_ptr<const LINHAS> linhas, std::vector<int> casas_, bool destaque_,
                           int coluna_destaque_, std::string valor_destaque_)
{
    if (!linhas)
        return;
    if (fonte || !proprias.empty()) {
        // Only one result is kept as it is: another one's rows are made now.
        LINHAS_RELATORIO outra;
        outra.ler(std::move(linhas), std::move(casas_), destaque_, coluna_destaque_, std::move(valor_destaque_));
        for (std::size_t i = 0; i < outra.size(); ++i)
            proprias.push_back(outra[i]);
        return;
    }
    fonte = std::move(linhas);
    casas = std::move(casas_);
    destaque = destaque_;
    coluna_destaque = coluna_destaque_;
    valor_destaque = std::move(valor_destaque_);
}

std::size_t LINHAS_RELATORIO::lidas() const
{
    return fonte ? static_cast<std::size_t>(fonte->ntuples()) : 0;
}

LINHA_RELATORIO LINHAS_RELATORIO::lida(std::size_t i) const
{
    const int linha = static_cast<int>(i);
    const int colunas = fonte->nfields();
    LINHA_RELATORIO l;
    l.celulas.reserve(static_cast<std::size_t>(colunas));
    for (int c = 0; c < colunas; ++c) {
        const char* v = fonte->valor(linha, c);
        const std::size_t k = static_cast<std::size_t>(c);
        const int n = k < casas.size() ? casas[k] : TEXTO;
        if (n == 0)
            l.celulas.push_back(CELULA::de_numero(std::atoi(v), 0));
        else if (n > 0)
            l.celulas.push_back(CELULA::de_numero(ler_numero(v), n));
        else
            l.celulas.push_back(CELULA::de_texto(std::string(v, static_cast<std::size_t>(fonte->tamanho(linha, c)))));
    }
    l.destaque = destaque || (coluna_destaque >= 0 && coluna_destaque < colunas &&
                              fonte->valor(linha, coluna_destaque) == valor_destaque);
    return l;
}

LINHA_RELATORIO LINHAS_RELATORIO::operator[](std::size_t i) const
{
    const std::size_t n = lidas();
    return i < n ? lida(i) : proprias[i - n];
}

bool RELATORIO::vazio() const
{
    for (const TABELA_RELATORIO& t : tabelas) {
        if (!t.linhas.empty())
            return false;
    }
    return grafico.vazio();
}
