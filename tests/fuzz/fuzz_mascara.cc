// libFuzzer target over the pure mask step and the digits filter: the input
// bytes are read as a sequence of keys (typed characters, deletions, pastes,
// switches of field) applied to the three masks. Any broken rule aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/mascara.h"

namespace {

const Mascara* const MASCARAS[3] = { &MASCARA_DATA, &MASCARA_CPF, &MASCARA_CEP };

std::size_t caracteres(const std::string& t)
{
    std::size_t n = 0;
    for (unsigned char c : t)
        n += (c & 0xC0) != 0x80;
    return n;
}

bool aceito(const Mascara& m, char c)
{
    if (c >= '0' && c <= '9')
        return true;
    for (const char* s = m.separadores; *s; ++s) {
        if (*s == c)
            return true;
    }
    return false;
}

void conferir(bool condicao)
{
    if (!condicao)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    EstadoMascara estado;
    // Three masked fields and one digits-only field (index 3).
    std::string campos[4];
    bool digitado[4] = { true, true, true, true };   // only typed key by key so far
    std::size_t i = 0;
    while (i < tamanho) {
        uint8_t comando = dados[i++];
        int qual = comando % 4;
        std::string& texto = campos[qual];
        switch ((comando / 4) % 4) {
        case 0:   // one typed byte (possibly the lead of a multi-byte character)
        case 1:
            if (i < tamanho)
                texto += static_cast<char>(dados[i++]);
            break;
        case 2:   // Backspace
            while (!texto.empty() && (static_cast<unsigned char>(texto.back()) & 0xC0) == 0x80)
                texto.pop_back();
            if (!texto.empty())
                texto.pop_back();
            break;
        case 3: { // a paste of the next few bytes
            std::size_t n = i < tamanho ? dados[i++] % 32 : 0;
            for (; n > 0 && i < tamanho; --n)
                texto += static_cast<char>(dados[i++]);
            digitado[qual] = false;
            break;
        }
        }
        if (qual == 3) {
            std::string filtrado = filtrar_digitos(texto, 2);
            conferir(filtrado.size() <= texto.size());
            if (digitado[qual]) {
                for (char c : filtrado)
                    conferir(c >= '0' && c <= '9');
            }
            texto = filtrado;
            continue;
        }
        const Mascara& m = *MASCARAS[qual];
        PassoMascara p = passo_mascara(m, texto, qual + 1, estado);
        conferir(!p.limite_atingido);
        std::size_t limite = std::string(m.padrao).size();
        conferir(caracteres(p.texto) <= limite);
        if (digitado[qual]) {
            for (char c : p.texto)
                conferir(aceito(m, c));
        }
        texto = p.texto;
    }
    return 0;
}
