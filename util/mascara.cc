#include "util/mascara.h"

#include <cstring>
#include <utility>
#include <vector>

const Mascara MASCARA_DATA = {"##/##/####", "/"};
const Mascara MASCARA_CPF = {"###.###.###-##", ".-"};
const Mascara MASCARA_CEP = {"#####-###", "-"};
const Mascara MASCARA_CNPJ = {"##.###.###/####-##", "./-"};

namespace {

typedef std::vector<std::string> Caracteres;

// Length in bytes of the UTF-8 character that starts at `i`. A byte that
// does not start a well-formed sequence counts as one character of its own.
std::size_t tamanho_caractere(const std::string& texto, std::size_t i)
{
    const unsigned char c = static_cast<unsigned char>(texto[i]);
    std::size_t tamanho = 1;
    if (c >= 0xC2 && c <= 0xDF)
        tamanho = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        tamanho = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        tamanho = 4;
    if (i + tamanho > texto.size())
        return 1;
    for (std::size_t k = 1; k < tamanho; ++k) {
        if ((static_cast<unsigned char>(texto[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return tamanho;
}

int contar(const std::string& texto)
{
    int n = 0;
    for (std::size_t i = 0; i < texto.size(); i += tamanho_caractere(texto, i))
        ++n;
    return n;
}

// Splits UTF-8 text into its characters, so that a rejected last character
// goes away whole; only the first `maximo` are kept.
Caracteres partir(const std::string& texto, std::size_t maximo)
{
    Caracteres saida;
    std::size_t i = 0;
    while (i < texto.size() && saida.size() < maximo) {
        const std::size_t tamanho = tamanho_caractere(texto, i);
        saida.push_back(texto.substr(i, tamanho));
        i += tamanho;
    }
    return saida;
}

std::string juntar(const Caracteres& caracteres)
{
    std::string saida;
    for (const std::string& c : caracteres)
        saida += c;
    return saida;
}

bool digito(const std::string& c)
{
    return c.size() == 1 && c[0] >= '0' && c[0] <= '9';
}

bool separador(const Mascara& mascara, const std::string& c)
{
    return c.size() == 1 && c[0] != '\0' && std::strchr(mascara.separadores, c[0]) != nullptr;
}

bool e_o_separador(const Caracteres& t, int i, char s)
{
    return i >= 0 && i < static_cast<int>(t.size()) && t[i].size() == 1 && t[i][0] == s;
}

struct Corrida
{
    Caracteres texto;
    int n = 0;
    bool vazio = false;   // stopped at an empty text: no cursor, length 0
};

// Steps 2 to 8 of one mask run over `t`. `lembrado` is the remembered
// length as every run of one chain sees it: the runs store theirs only on
// their way back, after the nested ones.
Corrida correr(const Mascara& mascara, Caracteres t, int lembrado)
{
    const int L = static_cast<int>(std::strlen(mascara.padrao));
    Corrida r;

    // A text pasted into an entry without a maximum length must not stay
    // longer than the pattern.
    if (static_cast<int>(t.size()) > L)
        t.resize(L);
    int n = static_cast<int>(t.size());
    if (n == 0) {
        r.vazio = true;
        return r;
    }

    const std::string& ultimo = t.back();
    const bool apagando = lembrado > 0 && lembrado > n;
    bool aceito = digito(ultimo) || separador(mascara, ultimo);
    // A separator typed right where the pattern is about to write the same
    // separator would be written again and cut again for ever: drop it.
    if (aceito && !apagando && separador(mascara, ultimo) && n < L && mascara.padrao[n] == ultimo[0])
        aceito = false;

    if (!aceito) {
        t.pop_back();
        --n;
    } else if (apagando) {
        // the user deleted: nothing comes back
    } else if (n < L) {
        if (mascara.padrao[n] != '#')
            t.push_back(std::string(1, mascara.padrao[n]));
        // A separator typed right after the same one is dropped, with
        // whatever the pattern appended after it.
        for (const char* s = mascara.separadores; *s != '\0'; ++s) {
            if (n >= 2 && e_o_separador(t, n - 1, *s) && e_o_separador(t, n - 2, *s))
                t.resize(n - 1);
        }
        ++n;
    }
    r.texto = std::move(t);
    r.n = n;
    return r;
}

} // namespace

PassoMascara passo_mascara(const Mascara& mascara, const std::string& texto, int tag,
                           EstadoMascara& estado)
{
    if (tag != estado.ultimo_campo) {
        estado.ultimo_campo = tag;
        estado.ultimo_tamanho = contar(texto);
    }
    // Only the pattern's length of the text can survive the first run; one
    // more character keeps the text different, so that it is written back.
    Caracteres atual = partir(texto, std::strlen(mascara.padrao) + 1);
    const int lembrado = estado.ultimo_tamanho;

    // Writing a different text back into the entry runs the mask again on
    // it before this run ends; each pass of the loop is one such nested run.
    PassoMascara passo;
    Corrida externa;
    for (int nivel = 0;; ++nivel) {
        Corrida corrida = correr(mascara, atual, lembrado);
        if (nivel == 0) {
            externa.n = corrida.n;
            externa.vazio = corrida.vazio;
        }
        if (corrida.vazio || corrida.texto == atual)
            break;
        atual = std::move(corrida.texto);
        if (nivel + 1 >= LIMITE_ANINHAMENTO) {
            passo.limite_atingido = true;
            break;
        }
        passo.aninhamento = nivel + 1;
    }

    passo.texto = juntar(atual);
    if (externa.vazio) {
        estado.ultimo_tamanho = 0;
        passo.posicao = 0;
        passo.posicionar = false;
    } else {
        // The outermost run places the cursor last and stores its length last.
        estado.ultimo_tamanho = externa.n;
        passo.posicao = externa.n;
        passo.posicionar = true;
    }
    return passo;
}

std::string filtrar_digitos(const std::string& texto, int modo)
{
    if (modo != 1 && modo != 2)
        return texto;
    // Removing the last character sets a new text, which runs the filter
    // again: every bad character at the end goes, one at a time.
    Caracteres t = partir(texto, texto.size());
    while (!t.empty()) {
        const std::string& ultimo = t.back();
        const bool aceito = digito(ultimo) || (modo == 1 && ultimo == ",");
        if (aceito)
            break;
        t.pop_back();
    }
    return juntar(t);
}
