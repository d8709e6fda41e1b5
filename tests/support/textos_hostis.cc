#include "support/textos_hostis.h"

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

#include "support/banco_teste.h"

namespace teste {

namespace {

void anexar_utf8(std::string& saida, unsigned long c)
{
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (c >> 18));
        saida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool desescapar(const std::string& e, std::string& saida, std::string& erro)
{
    saida.clear();
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (e[i] != '\\') {
            saida += e[i];
            continue;
        }
        if (++i >= e.size()) {
            erro = "a backslash ends the line";
            return false;
        }
        switch (e[i]) {
        case 'n': saida += '\n'; break;
        case 'r': saida += '\r'; break;
        case 't': saida += '\t'; break;
        case 's': saida += ' '; break;
        case '\\': saida += '\\'; break;
        case 'u': {
            std::size_t fim = e.find('}', i);
            if (i + 1 >= e.size() || e[i + 1] != '{' || fim == std::string::npos) {
                erro = "\\u needs {HEX}";
                return false;
            }
            unsigned long c = std::strtoul(e.substr(i + 2, fim - i - 2).c_str(), nullptr, 16);
            if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
                erro = "bad code point";
                return false;
            }
            anexar_utf8(saida, c);
            i = fim;
            break;
        }
        default:
            erro = std::string("unknown escape \\") + e[i];
            return false;
        }
    }
    return true;
}

// Length in bytes of the UTF-8 character starting at i (1 for a stray byte).
std::size_t tamanho(const std::string& t, std::size_t i)
{
    unsigned char c = static_cast<unsigned char>(t[i]);
    std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return i + n <= t.size() ? n : 1;
}

bool casa(const std::string& t, std::size_t i, const std::string& p, std::size_t j)
{
    while (j < p.size()) {
        if (p[j] == '%') {
            while (j < p.size() && p[j] == '%')
                ++j;
            if (j == p.size())
                return true;
            for (std::size_t k = i; k <= t.size(); k += k < t.size() ? tamanho(t, k) : 1) {
                if (casa(t, k, p, j))
                    return true;
                if (k == t.size())
                    break;
            }
            return false;
        }
        if (i >= t.size())
            return false;
        if (p[j] == '_') {
            i += tamanho(t, i);
            ++j;
            continue;
        }
        if (p[j] == '\\' && j + 1 < p.size())
            ++j;
        std::size_t n = tamanho(p, j);
        if (t.compare(i, n, p, j, n) != 0)
            return false;
        i += n;
        j += n;
    }
    return i == t.size();
}

} // namespace

bool decodificar_linha(const std::string& linha, std::string& texto, std::string& erro)
{
    erro.clear();
    texto.clear();
    if (linha.empty() || linha[0] == '#')
        return false;
    if (linha[0] == '=') {
        texto = linha.substr(1);
        return true;
    }
    if (linha[0] == '~')
        return desescapar(linha.substr(1), texto, erro);
    if (linha[0] == '@') {
        if (linha == "@vazio")
            return true;
        const std::string repetir = "@repetir ";
        if (linha.compare(0, repetir.size(), repetir) == 0) {
            std::size_t espaco = linha.find(' ', repetir.size());
            long n = std::strtol(linha.substr(repetir.size()).c_str(), nullptr, 10);
            std::string unidade;
            if (espaco == std::string::npos || n <= 0 || espaco + 1 >= linha.size()) {
                erro = "@repetir needs a count and a text";
                return false;
            }
            if (!desescapar(linha.substr(espaco + 1), unidade, erro))
                return false;
            for (long k = 0; k < n; ++k)
                texto += unidade;
            return true;
        }
        erro = "unknown directive";
        return false;
    }
    texto = linha;
    return true;
}

std::vector<std::string> ler_textos(const std::string& caminho)
{
    std::vector<std::string> textos;
    std::ifstream f(caminho.c_str(), std::ios::binary);
    if (!f) {
        ADD_FAILURE() << "cannot read " << caminho;
        return textos;
    }
    std::string linha, texto, erro;
    for (int n = 1; std::getline(f, linha); ++n) {
        if (decodificar_linha(linha, texto, erro))
            textos.push_back(texto);
        else if (!erro.empty())
            ADD_FAILURE() << caminho << ":" << n << ": " << erro;
    }
    return textos;
}

const std::vector<std::string>& corpus_hostil()
{
    static const std::vector<std::string> textos =
        ler_textos(ambiente("ZUMBREL_SOURCE_DIR") + "/tests/dados/textos_hostis.txt");
    return textos;
}

bool casa_like(const std::string& texto, const std::string& padrao)
{
    return casa(texto, 0, padrao, 0);
}

std::string cifrao(const std::string& texto)
{
    std::string marca = "$zq$";
    for (int n = 0; texto.find(marca) != std::string::npos; ++n)
        marca = "$zq" + std::to_string(n) + "$";
    return marca + texto + marca;
}

std::string mostrar(const std::string& texto)
{
    std::string s;
    for (unsigned char c : texto) {
        if (c == '\n')
            s += "\\n";
        else if (c < 0x20)
            s += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        else
            s += static_cast<char>(c);
        if (s.size() > 60) {
            s += "... (" + std::to_string(texto.size()) + " bytes)";
            break;
        }
    }
    return "[" + s + "]";
}

} // namespace teste
