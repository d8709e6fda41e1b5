// Captures the program's trace while it lives.
#ifndef ZUMBREL_TESTS_SUPPORT_CAPTURA_H
#define ZUMBREL_TESTS_SUPPORT_CAPTURA_H

#include <string>

#include "db/rastro.h"

namespace teste {

class CapturaSaida
{
public:
    CapturaSaida()
        : antes_(rastro::desviar([this](const char* dados, std::size_t n) { texto_.append(dados, n); }))
    {
    }
    ~CapturaSaida() { rastro::desviar(std::move(antes_)); }
    CapturaSaida(const CapturaSaida&) = delete;
    CapturaSaida& operator=(const CapturaSaida&) = delete;

    std::string texto() const { return texto_; }
    // Returns what was captured so far and starts over.
    std::string tomar()
    {
        std::string t;
        t.swap(texto_);
        return t;
    }

private:
    std::string texto_;
    rastro::Destino antes_;
};

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_CAPTURA_H
