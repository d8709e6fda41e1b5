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

// How much of a long trace (a line per row of a list) is gathered before it
// is written: a few writes for 100,000 lines, from a buffer that stays small.
constexpr std::size_t BLOCO = 64 * 1024;
inline void escrever(const std::string& texto) { escrever(texto.data(), texto.size()); }

// A warning for whoever started the program, on standard error (never in
// the trace).
void avisar(const std::string& texto);

// Where the trace goes; an empty one sends it back to standard output.
// Gives back where it went until then.
using Destino = std::function<void(const char*, std::size_t)>;
Destino desviar(Destino destino);

} // namespace rastro

namespace rastro {

// The pieces of a line of the trace, texts and numbers, written at once:
// rastrear(id, " - ", estado, '\n').
inline void juntar(std::string& t, const std::string& s) { t += s; }
inline void juntar(std::string& t, const char* s) { t += s; }
inline void juntar(std::string& t, char c) { t += c; }
template <class N, class = std::enable_if_t<std::is_integral<N>::value>>
void juntar(std::string& t, N n) { t += std::to_string(n); }

} // namespace rastro

template <class... Partes>
void rastrear(const Partes&... partes)
{
    std::string texto;
    (rastro::juntar(texto, partes), ...);
    rastro::escrever(texto);
}

#endif // ZUMBREL_DB_RASTRO_H
