#include "db/linha_resultado.h"

#include <algorithm>
#include <cstdlib>

#include "db/linhas.h"

LinhaResultado::LinhaResultado(const LINHAS* linhas, int linha) : linhas_(linhas), linha_(linha), colunas_(0)
{
    if (linhas_ && linha_ >= 0 && linha_ < linhas_->ntuples())
        colunas_ = std::max(0, linhas_->nfields());
}

const char* LinhaResultado::c_str(std::size_t i) const
{
    return i < size() ? linhas_->valor(linha_, static_cast<int>(i)) : "";
}

std::string LinhaResultado::operator[](std::size_t i) const
{
    if (i >= size())
        return std::string();
    const int c = static_cast<int>(i);
    return std::string(linhas_->valor(linha_, c), static_cast<std::size_t>(linhas_->tamanho(linha_, c)));
}

int LinhaResultado::inteiro(std::size_t i) const
{
    return std::atoi(c_str(i));
}
