// The producer's CPF or CNPJ: check digits (right, wrong, all digits equal),
// the form it is written in, what the user is told, the CNPJ mask typed
// digit by digit, and which e-mail addresses are taken.
#include <string>

#include <gtest/gtest.h>

#include "model/empresa.h"
#include "util/documento.h"
#include "util/mascara.h"

TEST(Documento, DigitosVerificadoresDoCpfEDoCnpj)
{
    struct Caso
    {
        const char* texto;
        bool cpf;
        bool cnpj;
    };
    const Caso casos[] = {
        { "123.456.789-09", true, false },
        { "12345678909", true, false },
        { "529.982.247-25", true, false },
        { "529.982.247-24", false, false },     // last digit wrong
        { "529.982.247-15", false, false },     // first check digit wrong
        { "111.111.111-11", false, false },     // passes the sums, no one's
        { "000.000.000-00", false, false },
        { "123.456.78909", false, false },      // a separator missing
        { "123-456-789.09", false, false },     // separators in the wrong places
        { "123.456.789-0", false, false },
        { "12.345.678/0001-95", false, true },
        { "12345678000195", false, true },
        { "11.222.333/0001-81", false, true },
        { "11.222.333/0001-80", false, false },
        { "11.222.333/0001-71", false, false },
        { "11.111.111/1111-11", false, false },
        { "00000000000000", false, false },
        { "12.345.678/000195", false, false },
        { "", false, false },
        { "abc.def.ghi-jk", false, false },
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(cpf_valido(c.texto), c.cpf) << c.texto;
        EXPECT_EQ(cnpj_valido(c.texto), c.cnpj) << c.texto;
    }
}

TEST(Documento, OQueOUsuarioOuve)
{
    const std::string forma =
        "Digite o CPF inteiro, como 123.456.789-09, ou o CNPJ inteiro, como 12.345.678/0001-95.";
    const std::pair<const char*, std::string> casos[] = {
        { "", "" },
        { "123.456.789-09", "" },
        { "12.345.678/0001-95", "" },
        { "123.456.789-08", "O CPF 123.456.789-08 não confere com os seus dígitos verificadores: confira-o." },
        { "12.345.678/0001-96", "O CNPJ 12.345.678/0001-96 não confere com os seus dígitos verificadores: confira-o." },
        { "222.222.222-22", "Um CPF de onze algarismos iguais não existe: digite o CPF do produtor." },
        { "33.333.333/3333-33", "Um CNPJ de catorze algarismos iguais não existe: digite o CNPJ da empresa." },
        { "123.456.7", forma },
        { "1234567890", forma },
        { "123.456.789-09 ", forma },
        { "x'; drop table cadastro.empresa; --", forma },
    };
    for (const auto& c : casos)
        EXPECT_EQ(problema_documento(c.first), c.second) << c.first;
}

TEST(Documento, DigitosSoltosGanhamAMascara)
{
    const std::pair<const char*, const char*> casos[] = {
        { "12345678909", "123.456.789-09" },
        { "12345678000195", "12.345.678/0001-95" },
        { "123.456.789-09", "123.456.789-09" },
        { "1234567890", "1234567890" },
        { "", "" },
    };
    for (const auto& c : casos)
        EXPECT_EQ(documento_mascarado(c.first), c.second) << c.first;
}

TEST(Documento, MascaraDoCnpjDigitoADigito)
{
    EstadoMascara estado;
    std::string texto;
    const std::string digitos = "123456780001959";
    const char* esperado[] = { "1", "12.", "12.3", "12.34", "12.345.", "12.345.6", "12.345.67", "12.345.678/",
                               "12.345.678/0", "12.345.678/00", "12.345.678/000", "12.345.678/0001-",
                               "12.345.678/0001-9", "12.345.678/0001-95", "12.345.678/0001-95" };
    for (std::size_t i = 0; i < digitos.size(); ++i) {
        const PassoMascara p = passo_mascara(MASCARA_CNPJ, texto + digitos[i], 1, estado);
        texto = p.texto;
        EXPECT_EQ(texto, esperado[i]) << "after digit " << i + 1;
        EXPECT_FALSE(p.limite_atingido);
    }
    EXPECT_TRUE(cnpj_valido(texto));
    // A letter is refused, and deleting takes one character at a time.
    EXPECT_EQ(passo_mascara(MASCARA_CNPJ, "12.3a", 1, estado).texto, "12.3");
    EXPECT_EQ(passo_mascara(MASCARA_CNPJ, "12.345.678/", 1, estado).texto, "12.345.678/");
    EXPECT_EQ(passo_mascara(MASCARA_CNPJ, "12.345.678", 1, estado).texto, "12.345.678");
}

TEST(Documento, EmailAceito)
{
    const std::pair<const char*, bool> casos[] = {
        { "", true },
        { "mel@apiario.com.br", true },
        { "a.b+c@d.org", true },
        { "sem-arroba.com.br", false },
        { "@apiario.com.br", false },
        { "mel@apiario", false },
        { "mel@apiario.", false },
        { "mel@.com", false },
        { "mel@@apiario.com", false },
        { "mel @apiario.com", false },
        { "mel@apiario.com\n", false },
    };
    for (const auto& c : casos)
        EXPECT_EQ(email_aceito(c.first), c.second) << c.first;
}
