// The program's running trace: the connection message, every statement sent,
// the state changes and progress lines of the windows. Everything the program
// traces goes through here, to standard output unless it is sent elsewhere
// (a test that reads it).
#ifndef ZUMBREL_DB_RASTRO_H
#define ZUMBREL_DB_RASTRO_H

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>

namespace rastro {

// Writes the bytes as they are.
void escrever(const char* dados, std::size_t n);
inline void escrever(const std::string& texto) { escrever(texto.data(), texto.size()); }

// A warning for whoever started the program, on standard error (never in
// the trace).
void avisar(const std::string& texto);

// Where the trace goes; an empty one sends it back to standard output.
// Gives back where it went until then.
using Destino = std::function<void(const char*, std::size_t)>;
Destino desviar(Destino destino);

} // namespace rastro

// One piece of the trace, put together with << and written at once when it
// ends: rastrear() << id << " - " << estado << '\n';
class Rastreio
{
public:
    Rastreio() = default;
    ~Rastreio() { rastro::escrever(texto_); }
    Rastreio(const Rastreio&) = delete;
    Rastreio& operator=(const Rastreio&) = delete;

    Rastreio& operator<<(const std::string& s)
    {
        texto_ += s;
        return *this;
    }
    Rastreio& operator<<(const char* s)
    {
        texto_ += s;
        return *this;
    }
    Rastreio& operator<<(char c)
    {
        texto_ += c;
        return *this;
    }
    template <class N, class = std::enable_if_t<std::is_integral<N>::value>>
    Rastreio& operator<<(N n)
    {
        texto_ += std::to_string(n);
        return *this;
    }

private:
    std::string texto_;
};

inline Rastreio rastrear() { return Rastreio(); }

#endif // ZUMBREL_DB_RASTRO_H
