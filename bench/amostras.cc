#include "bench/amostras.h"

#include <cstdio>

namespace bench {

void Amostras::juntar(const std::string& nome, double ms)
{
    auto it = valores_.find(nome);
    if (it == valores_.end()) {
        ordem_.push_back(nome);
        it = valores_.emplace(nome, std::vector<double>()).first;
    }
    it->second.push_back(ms);
    std::fprintf(stderr, "  %-52s run %2zu: %10.1f ms\n", nome.c_str(), it->second.size(), ms);
}

const std::vector<double>& Amostras::de(const std::string& nome) const
{
    static const std::vector<double> vazio;
    auto it = valores_.find(nome);
    return it == valores_.end() ? vazio : it->second;
}

double Amostras::total(const std::string& nome) const
{
    double soma = 0;
    for (double v : de(nome))
        soma += v;
    return soma;
}

} // namespace bench
