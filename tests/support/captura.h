// Captures what the program writes to std::cout while it lives.
#ifndef ZUMBREL_TESTS_SUPPORT_CAPTURA_H
#define ZUMBREL_TESTS_SUPPORT_CAPTURA_H

#include <iostream>
#include <sstream>
#include <string>

namespace teste {

class CapturaSaida
{
public:
    CapturaSaida() : antigo_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CapturaSaida() { std::cout.rdbuf(antigo_); }
    CapturaSaida(const CapturaSaida&) = delete;
    CapturaSaida& operator=(const CapturaSaida&) = delete;

    std::string texto() const { return buffer_.str(); }
    // Returns what was captured so far and starts over.
    std::string tomar()
    {
        std::string t = buffer_.str();
        buffer_.str(std::string());
        return t;
    }

private:
    std::ostringstream buffer_;
    std::streambuf* antigo_;
};

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_CAPTURA_H
