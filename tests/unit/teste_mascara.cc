// The entry masks and the digits filter as pure steps: typing key by key,
// deleting, moving between fields, rejected characters, the cases where the
// plain steps would never settle, and random key sequences.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "util/mascara.h"

namespace {

int comprimento(const std::string& texto)
{
    int n = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string sem_ultimo(const std::string& texto)
{
    std::size_t fim = texto.size();
    while (fim > 0 && (static_cast<unsigned char>(texto[fim - 1]) & 0xC0) == 0x80)
        --fim;
    return fim > 0 ? texto.substr(0, fim - 1) : std::string();
}

// One masked entry: each change of its text runs the mask, as the "changed"
// signal does, and the entry then holds what the mask wrote.
struct Campo
{
    const Mascara& mascara;
    int tag;
    EstadoMascara& estado;
    std::string texto;
    PassoMascara ultimo;

    Campo(const Mascara& m, int t, EstadoMascara& e) : mascara(m), tag(t), estado(e) {}

    const std::string& mudar(const std::string& novo)
    {
        texto = novo;
        ultimo = passo_mascara(mascara, texto, tag, estado);
        texto = ultimo.texto;
        return texto;
    }
    const std::string& teclar(const std::string& tecla) { return mudar(texto + tecla); }
    const std::string& apagar() { return mudar(sem_ultimo(texto)); }
    void digitar(const std::string& teclas)
    {
        for (char c : teclas)
            teclar(std::string(1, c));
    }
};

} // namespace

TEST(Mascara, DataDigitoADigito)
{
    EstadoMascara estado;
    Campo data(MASCARA_DATA, 1, estado);
    const char* esperado[] = {"0", "01/", "01/0", "01/02/", "01/02/2", "01/02/20", "01/02/201", "01/02/2010"};
    const std::string digitos = "01022010";
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        EXPECT_EQ(data.teclar(digitos.substr(i, 1)), esperado[i]) << "after digit " << i + 1;
        EXPECT_FALSE(data.ultimo.limite_atingido);
    }
    // The run that appended "/" leaves the cursor and the remembered length
    // one past the digit, not where the nested run put them.
    data.mudar("");
    data.teclar("1");
    data.teclar("2");
    EXPECT_EQ(data.texto, "12/");
    EXPECT_EQ(data.ultimo.aninhamento, 1);
    EXPECT_EQ(data.ultimo.posicao, 3);
    EXPECT_TRUE(data.ultimo.posicionar);
    EXPECT_EQ(estado.ultimo_tamanho, 3);
}

TEST(Mascara, DataBarraDobradaEApagar)
{
    EstadoMascara estado;
    Campo data(MASCARA_DATA, 1, estado);
    data.digitar("12");
    EXPECT_EQ(data.teclar("/"), "12/");
    EXPECT_EQ(data.ultimo.aninhamento, 1);
    EXPECT_EQ(data.ultimo.posicao, 5);   // the outer run counted a place for the dropped "/"

    data.mudar("");
    data.digitar("12");
    EXPECT_EQ(data.apagar(), "12");
    EXPECT_EQ(data.teclar("3"), "123");
    EXPECT_EQ(data.teclar("4"), "1234");

    // Backspace from a full date removes one character at a time, nothing
    // comes back, and an empty field starts afresh.
    data.mudar("");
    data.digitar("01022010");
    const char* apagando[] = {"01/02/201", "01/02/20", "01/02/2", "01/02/", "01/02", "01/0",
                              "01/", "01", "0", ""};
    for (const char* esperado : apagando)
        EXPECT_EQ(data.apagar(), esperado);
    EXPECT_EQ(estado.ultimo_tamanho, 0);
    EXPECT_FALSE(data.ultimo.posicionar);
    data.digitar("31");
    EXPECT_EQ(data.texto, "31/");
}

TEST(Mascara, CpfECep)
{
    EstadoMascara estado;
    Campo cpf(MASCARA_CPF, 1, estado);
    cpf.digitar("123");
    EXPECT_EQ(cpf.texto, "123.");
    cpf.digitar("4567");
    EXPECT_EQ(cpf.texto, "123.456.7");
    cpf.digitar("8901");
    EXPECT_EQ(cpf.texto, "123.456.789-01");
    EXPECT_EQ(estado.ultimo_tamanho, 14);
    // A twelfth digit into an entry without a maximum length is cut away.
    EXPECT_EQ(cpf.teclar("2"), "123.456.789-01");

    Campo cep(MASCARA_CEP, 2, estado);
    cep.digitar("12345");
    EXPECT_EQ(cep.texto, "12345-");
    cep.digitar("678");
    EXPECT_EQ(cep.texto, "12345-678");

    // Typed separators: "." doubled after the automatic one is dropped, "-"
    // where the pattern has "." stays with the pattern's "." after it.
    Campo cpf2(MASCARA_CPF, 3, estado);
    cpf2.digitar("123");
    EXPECT_EQ(cpf2.teclar("."), "123.");
    cpf2.mudar("");
    cpf2.digitar("12");
    EXPECT_EQ(cpf2.teclar("-"), "12-.");
}

TEST(Mascara, LetrasENaoAsciiRejeitados)
{
    const Mascara* mascaras[] = {&MASCARA_DATA, &MASCARA_CPF, &MASCARA_CEP};
    const char* ruins[] = {"a", "Z", " ", "+", ",", "ç", "€", "\xF0\x9F\x90\x9D", "\xFF"};
    for (const Mascara* m : mascaras) {
        EstadoMascara estado;
        Campo campo(*m, 1, estado);
        for (const char* ruim : ruins) {
            EXPECT_EQ(campo.teclar(ruim), "") << m->padrao << " " << ruim;
            campo.digitar("12");
            const std::string antes = campo.texto;
            EXPECT_EQ(campo.teclar(ruim), antes) << m->padrao << " " << ruim;
            campo.mudar("");
        }
    }
}

TEST(Mascara, TrocaDeCampoPelaTag)
{
    EstadoMascara estado;
    Campo data(MASCARA_DATA, 1, estado);
    Campo outra(MASCARA_DATA, 2, estado);
    data.digitar("01022010");
    EXPECT_EQ(estado.ultimo_tamanho, 10);
    // The new field's own length counts first: a normal first step.
    EXPECT_EQ(outra.teclar("5"), "5");
    EXPECT_EQ(outra.ultimo.posicao, 2);
    EXPECT_EQ(estado.ultimo_tamanho, 2);
    EXPECT_EQ(estado.ultimo_campo, 2);

    // Back to the first field and then to the second holding "5": the
    // separator comes as if the user had never left.
    data.teclar("0");
    EXPECT_EQ(outra.teclar("6"), "56/");

    // Two fields sharing a tag share the remembered length: the long date
    // makes the short field look as if the user were deleting.
    EstadoMascara mesmo;
    Campo a(MASCARA_DATA, 1, mesmo);
    Campo b(MASCARA_DATA, 1, mesmo);
    b.teclar("1");
    a.digitar("01022010");
    EXPECT_EQ(b.teclar("2"), "12");
}

TEST(Mascara, SeparadorAntesDoSeparadorDoPadraoEstabiliza)
{
    struct Caso
    {
        const Mascara* mascara;
        const char* antes;
        const char* tecla;
    } casos[] = {
        {&MASCARA_DATA, "1", "/"},   {&MASCARA_DATA, "12/3", "/"},   {&MASCARA_CPF, "12", "."},
        {&MASCARA_CPF, "123.45", "."}, {&MASCARA_CPF, "123.456.78", "-"}, {&MASCARA_CEP, "1234", "-"},
    };
    for (const Caso& caso : casos) {
        EstadoMascara estado;
        Campo campo(*caso.mascara, 1, estado);
        campo.digitar(caso.antes);
        ASSERT_EQ(campo.texto, caso.antes);
        EXPECT_EQ(campo.teclar(caso.tecla), caso.antes) << caso.mascara->padrao << " " << caso.antes;
        EXPECT_FALSE(campo.ultimo.limite_atingido);
        EXPECT_LE(campo.ultimo.aninhamento, 2);
        // and typing goes on normally
        campo.teclar("9");
        EXPECT_EQ(campo.texto.substr(0, std::strlen(caso.antes)), caso.antes);
        EXPECT_NE(campo.texto.find('9'), std::string::npos);
    }
    // Deleting down to such a text keeps it: only typing drops it.
    EstadoMascara estado;
    Campo data(MASCARA_DATA, 1, estado);
    data.digitar("123");
    ASSERT_EQ(data.texto, "12/3");
    EXPECT_EQ(data.mudar("1/"), "1/");
}

TEST(Mascara, TextoColadoNuncaPassaDoPadrao)
{
    EstadoMascara estado;
    Campo data(MASCARA_DATA, 3, estado);
    EXPECT_EQ(data.mudar("01/02/2010 e mais"), "01/02/2010");
    EXPECT_EQ(data.mudar("12345678901234"), "1234567890");
    EXPECT_EQ(data.mudar(""), "");
    // a long paste with letters at the end loses them one by one
    EXPECT_EQ(data.mudar("12abcdefgh"), "12/");
    EXPECT_FALSE(data.ultimo.limite_atingido);

    std::string enorme(1000000, 'x');
    EXPECT_EQ(data.mudar(enorme), "");
    EXPECT_FALSE(data.ultimo.limite_atingido);
    std::string ruim;
    for (int i = 0; i < 100000; ++i)
        ruim += "ç";
    EXPECT_EQ(data.mudar(ruim), "");
    EXPECT_LE(data.ultimo.aninhamento, 10);
}

TEST(Mascara, FiltroDeDigitos)
{
    EXPECT_EQ(filtrar_digitos("12x", 2), "12");
    EXPECT_EQ(filtrar_digitos("", 2), "");
    EXPECT_EQ(filtrar_digitos("1x2", 2), "1x2");   // only the end is looked at
    EXPECT_EQ(filtrar_digitos("12xy", 2), "12");   // each removal runs the filter again
    EXPECT_EQ(filtrar_digitos("12,", 2), "12");
    EXPECT_EQ(filtrar_digitos("12ç", 2), "12");
    EXPECT_EQ(filtrar_digitos("x", 2), "");
    EXPECT_EQ(filtrar_digitos("12,", 1), "12,");
    EXPECT_EQ(filtrar_digitos("12,a", 1), "12,");
    EXPECT_EQ(filtrar_digitos("12€", 1), "12");
    EXPECT_EQ(filtrar_digitos("12x", 3), "12x");
    EXPECT_EQ(filtrar_digitos("12x", 0), "12x");
}

// Random key sequences through two fields sharing one state: every run ends
// well before the guard, no text grows past its pattern, and a field only
// typed into key by key from empty holds nothing but digits and separators.
TEST(Mascara, SequenciasAleatorias)
{
    const Mascara* mascaras[] = {&MASCARA_DATA, &MASCARA_CPF, &MASCARA_CEP};
    const std::vector<std::string> outros = {"a", "Q", " ", "ç", "€", "\xF0\x9F\x90\x9D", "/", ".", "-", ","};
    std::mt19937 gerador(20100201);
    auto sorteio = [&](int n) { return static_cast<int>(gerador() % static_cast<unsigned>(n)); };
    auto colagem = [&]() {
        std::string t;
        const int n = 1 + sorteio(40);
        for (int i = 0; i < n; ++i)
            t += sorteio(2) ? std::string(1, static_cast<char>('0' + sorteio(10))) : outros[sorteio(outros.size())];
        return t;
    };

    // The sanitizer run, many times slower, asks for fewer sequences.
    const char* pedidas = std::getenv("ZUMBREL_SEQUENCIAS_MASCARA");
    const int sequencias = pedidas && std::atoi(pedidas) > 0 ? std::atoi(pedidas) : 200000;

    int maior_aninhamento = 0;
    for (const Mascara* m : mascaras) {
        const int L = static_cast<int>(std::strlen(m->padrao));
        for (int sequencia = 0; sequencia < sequencias; ++sequencia) {
            EstadoMascara estado;
            Campo campos[2] = {Campo(*m, 1, estado),
                               Campo(*mascaras[sorteio(3)], 1 + sorteio(2), estado)};
            bool colado[2] = {false, false};
            const int teclas = 1 + sorteio(30);
            for (int k = 0; k < teclas; ++k) {
                const int c = sorteio(5) == 0 ? 1 : 0;
                Campo& campo = campos[c];
                const int tipo = sorteio(100);
                if (tipo < 50) {
                    campo.teclar(std::string(1, static_cast<char>('0' + sorteio(10))));
                } else if (tipo < 65) {
                    campo.teclar(std::string(1, "/.-"[sorteio(3)]));
                } else if (tipo < 72) {
                    campo.teclar(outros[sorteio(outros.size())]);
                } else if (tipo < 85) {
                    campo.apagar();
                } else if (tipo < 90 && !campo.texto.empty()) {
                    // delete in the middle (the cursor was moved back)
                    const std::string t = campo.texto;
                    std::size_t i = sorteio(t.size());
                    while (i > 0 && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80)
                        --i;
                    std::size_t fim = i + 1;
                    while (fim < t.size() && (static_cast<unsigned char>(t[fim]) & 0xC0) == 0x80)
                        ++fim;
                    campo.mudar(t.substr(0, i) + t.substr(fim));
                } else if (tipo < 95) {
                    campo.teclar(colagem());
                    colado[c] = true;
                } else {
                    campo.mudar(colagem());
                    colado[c] = true;
                }

                const PassoMascara& p = campo.ultimo;
                ASSERT_FALSE(p.limite_atingido) << campo.mascara.padrao << " seq " << sequencia;
                if (p.aninhamento > maior_aninhamento)
                    maior_aninhamento = p.aninhamento;
                const int Lc = static_cast<int>(std::strlen(campo.mascara.padrao));
                ASSERT_LE(comprimento(campo.texto), Lc) << campo.texto;
                ASSERT_GE(p.posicao, 0);
                ASSERT_LE(p.posicao, Lc);
                if (!colado[c]) {
                    for (char ch : campo.texto) {
                        const bool ok = (ch >= '0' && ch <= '9') ||
                                        (ch != '\0' && std::strchr(campo.mascara.separadores, ch) != nullptr);
                        ASSERT_TRUE(ok) << campo.mascara.padrao << " \"" << campo.texto << "\"";
                    }
                }
            }
            ASSERT_LE(comprimento(campos[0].texto), L);
        }
    }
    // The chains stay short: at most a cascade of removed characters plus one
    // appended separator.
    EXPECT_LE(maior_aninhamento, 15);
    EXPECT_LT(maior_aninhamento, LIMITE_ANINHAMENTO);
    std::cout << "deepest chain of nested runs: " << maior_aninhamento << "\n";
}
