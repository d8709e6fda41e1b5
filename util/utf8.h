// Texts from a server that does not guarantee UTF-8 (a SQL_ASCII database
// passes its bytes on as they are): everything the windows measure and show
// must be valid UTF-8, or the toolkit's character walks run past its end.
#ifndef ZUMBREL_UTIL_UTF8_H
#define ZUMBREL_UTIL_UTF8_H

#include <cstddef>
#include <string>

// Whether the `n` bytes at `texto` are valid UTF-8 without a NUL.
bool utf8_valido(const char* texto, std::size_t n);
inline bool utf8_valido(const std::string& texto) { return utf8_valido(texto.data(), texto.size()); }

// The `n` bytes at `texto` as valid UTF-8: what is valid stays, each
// invalid sequence (and a NUL) becomes U+FFFD.
std::string utf8_reparado(const char* texto, std::size_t n);
inline std::string utf8_reparado(const std::string& texto) { return utf8_reparado(texto.data(), texto.size()); }

#endif // ZUMBREL_UTIL_UTF8_H
