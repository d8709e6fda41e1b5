#include "util/senha.h"

#include <cctype>
#include <vector>

#include <glib.h>
#include <sodium.h>

namespace senha {

namespace {

// libsodium picks its fastest routines once, before the first use.
bool iniciar()
{
    static const bool pronto = sodium_init() >= 0;
    return pronto;
}

} // namespace

std::string argon2id(const std::string& senha)
{
    if (!iniciar())
        return std::string();
    std::vector<char> saida(crypto_pwhash_STRBYTES);
    if (crypto_pwhash_str_alg(saida.data(), senha.data(), senha.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::string();
    return std::string(saida.data());
}

std::string md5(const std::string& senha)
{
    gchar* hex = g_compute_checksum_for_data(G_CHECKSUM_MD5, reinterpret_cast<const guchar*>(senha.data()),
                                             senha.size());
    std::string saida(hex);
    g_free(hex);
    return saida;
}

bool e_md5(const std::string& guardada)
{
    if (guardada.size() != 32)
        return false;
    for (unsigned char c : guardada) {
        if (!std::isxdigit(c))
            return false;
    }
    return true;
}

bool confere(const std::string& senha, const std::string& guardada)
{
    if (e_md5(guardada)) {
        std::string minusculas = guardada;
        for (char& c : minusculas)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::string calculada = md5(senha);
        return sodium_memcmp(calculada.data(), minusculas.data(), calculada.size()) == 0;
    }
    // An argon2 string is text: one holding a NUL was not made by us.
    if (!iniciar() || guardada.empty() || guardada.size() >= crypto_pwhash_STRBYTES ||
        guardada.find('\0') != std::string::npos)
        return false;
    return crypto_pwhash_str_verify(guardada.c_str(), senha.data(), senha.size()) == 0;
}

} // namespace senha
