#include "db/rastro.h"

#include <iostream>
#include <utility>

namespace {

rastro::Destino& destino()
{
    static rastro::Destino d;
    return d;
}

} // namespace

void rastro::escrever(const char* dados, std::size_t n)
{
    if (destino())
        destino()(dados, n);
    else
        std::cout.write(dados, static_cast<std::streamsize>(n));
}

void rastro::desviar(Destino d)
{
    std::cout.flush();
    destino() = std::move(d);
}
