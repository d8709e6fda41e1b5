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

void rastro::avisar(const std::string& texto)
{
    std::cerr << texto << std::endl;
}

rastro::Destino rastro::desviar(Destino d)
{
    std::cout.flush();
    Destino antes = std::move(destino());
    destino() = std::move(d);
    return antes;
}
