#include "util/utf8.h"

#include <glib.h>

bool utf8_valido(const char* texto, std::size_t n)
{
    return g_utf8_validate_len(texto, n, nullptr);
}

std::string utf8_reparado(const char* texto, std::size_t n)
{
    if (utf8_valido(texto, n))
        return std::string(texto, n);
    // A NUL inside the length counts as invalid there: none is left.
    gchar* valido = g_utf8_make_valid(texto, static_cast<gssize>(n));
    std::string saida(valido);
    g_free(valido);
    return saida;
}
