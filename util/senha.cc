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

// The cost of argon2id: passes over the memory, and the memory in bytes.
const unsigned long long PASSADAS = 2;
const std::size_t MEMORIA = 19u * 1024 * 1024;

// Whether a stored value may be handed to libsodium as an argon2 string:
// text, and short enough to be one.
bool texto_argon2(const std::string& guardada)
{
    return !guardada.empty() && guardada.size() < crypto_pwhash_STRBYTES && guardada.find('\0') == std::string::npos;
}

} // namespace

std::string argon2id(const std::string& senha)
{
    if (!iniciar())
        return std::string();
    std::vector<char> saida(crypto_pwhash_STRBYTES);
    if (crypto_pwhash_str_alg(saida.data(), senha.data(), senha.size(), PASSADAS, MEMORIA,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
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
    if (!iniciar() || !texto_argon2(guardada))
        return false;
    return crypto_pwhash_str_verify(guardada.c_str(), senha.data(), senha.size()) == 0;
}

namespace {

// The argon2id key of a password with that salt and cost, raw.
bool chave(const std::string& senha, const unsigned char* sal, unsigned long long passadas, std::size_t memoria,
           unsigned char (&saida)[crypto_hash_sha256_BYTES])
{
    return iniciar() && crypto_pwhash(saida, sizeof saida, senha.data(), senha.size(), sal, passadas, memoria,
                                      crypto_pwhash_ALG_ARGON2ID13) == 0;
}

std::string hex(const unsigned char* dados, std::size_t n)
{
    std::vector<char> texto(n * 2 + 1);
    sodium_bin2hex(texto.data(), texto.size(), dados, n);
    return std::string(texto.data(), n * 2);
}

} // namespace

std::string prova(const std::string& senha, const PARAMETROS& p)
{
    if (p.tipo == "md5")
        return md5(senha);
    unsigned char sal[crypto_pwhash_SALTBYTES];
    std::size_t n = 0;
    if (p.tipo != "argon2id" || !iniciar() ||
        sodium_base642bin(sal, sizeof sal, p.sal.data(), p.sal.size(), nullptr, &n, nullptr,
                          sodium_base64_VARIANT_ORIGINAL_NO_PADDING) != 0 ||
        n != sizeof sal || p.passadas < crypto_pwhash_OPSLIMIT_MIN || p.memoria < 8)
        return std::string();
    unsigned char k[crypto_hash_sha256_BYTES];
    if (!chave(senha, sal, p.passadas, p.memoria * 1024, k))
        return std::string();
    const std::string saida = hex(k, sizeof k);
    sodium_memzero(k, sizeof k);
    return saida;
}

std::string forma_nova(const std::string& senha, std::string* prova)
{
    if (!iniciar())
        return std::string();
    unsigned char sal[crypto_pwhash_SALTBYTES];
    randombytes_buf(sal, sizeof sal);
    unsigned char k[crypto_hash_sha256_BYTES];
    if (!chave(senha, sal, PASSADAS, MEMORIA, k))
        return std::string();
    unsigned char resumo[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(resumo, k, sizeof k);
    if (prova)
        *prova = hex(k, sizeof k);
    sodium_memzero(k, sizeof k);
    char sal64[sodium_base64_ENCODED_LEN(crypto_pwhash_SALTBYTES, sodium_base64_VARIANT_ORIGINAL_NO_PADDING)];
    sodium_bin2base64(sal64, sizeof sal64, sal, sizeof sal, sodium_base64_VARIANT_ORIGINAL_NO_PADDING);
    return "$argon2id+sha256$v=19$m=" + std::to_string(MEMORIA / 1024) + ",t=" + std::to_string(PASSADAS) +
           ",p=1$" + sal64 + "$" + hex(resumo, sizeof resumo);
}

bool desatualizados(const PARAMETROS& p)
{
    return p.tipo != "argon2id" || p.passadas != PASSADAS || p.memoria != MEMORIA / 1024;
}

bool desatualizada(const std::string& guardada)
{
    if (e_md5(guardada))
        return true;
    // Anything else not made by argon2id (unreadable: -1) is left alone.
    return iniciar() && texto_argon2(guardada) && guardada.rfind("$argon2id$", 0) == 0 &&
           crypto_pwhash_str_needs_rehash(guardada.c_str(), PASSADAS, MEMORIA) == 1;
}

} // namespace senha
