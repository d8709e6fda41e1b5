// Date conversion both ways (short and odd inputs included), upper case,
// the two text conversions and the registry number.
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "model/abelha.h"
#include "util/conversoes.h"
#include "util/libex.h"

namespace {

// data_formatada as an owned string; the buffer is checked to be a
// NUL-terminated copy and released.
std::string formatar(const char* data, int direcao)
{
    std::unique_ptr<char[]> r(data_formatada(data, direcao));
    EXPECT_NE(r.get(), nullptr);
    if (r && data) {
        EXPECT_NE(static_cast<const void*>(r.get()), static_cast<const void*>(data));
    }
    return r ? std::string(r.get()) : std::string("<nulo>");
}

} // namespace

TEST(DataFormatada, ExibicaoParaBancoEVolta)
{
    EXPECT_EQ(formatar("01/02/2010", 1), "2010-02-01");
    EXPECT_EQ(formatar("2010-02-01", 2), "01/02/2010");
    EXPECT_EQ(formatar("31/12/1999", 1), "1999-12-31");
    EXPECT_EQ(formatar(formatar("15/03/1980", 1).c_str(), 2), "15/03/1980");
}

TEST(DataFormatada, JaNaFormaDeDestinoVoltaCopia)
{
    EXPECT_EQ(formatar("2010-02-01", 1), "2010-02-01");
    EXPECT_EQ(formatar("01/02/2010", 2), "01/02/2010");
    EXPECT_EQ(formatar("01/02-2010", 1), "01/02-2010");
    EXPECT_EQ(formatar("2010/02-01", 2), "2010/02-01");
}

TEST(DataFormatada, SoMoveCaracteres)
{
    // A timestamp loses its time; characters are not checked.
    EXPECT_EQ(formatar("2010-02-01 08:00", 2), "01/02/2010");
    EXPECT_EQ(formatar("ab.cd.efgh", 1), "efgh-cd-ab");
    EXPECT_EQ(formatar("abcd.ef.gh", 2), "gh/ef/abcd");
}

TEST(DataFormatada, TextoCurtoOuNuloVoltaCopiaSemLerAlemDoFim)
{
    for (const char* curto : { "", "2010", "01/02", "2010-02-1", "1/2/2010", "abc" }) {
        EXPECT_EQ(formatar(curto, 1), curto);
        EXPECT_EQ(formatar(curto, 2), curto);
    }
    // A short text in a heap buffer of its exact size: a read past the end
    // shows under the address sanitizer.
    std::unique_ptr<char[]> justo(new char[5]);
    std::memcpy(justo.get(), "2010", 5);
    EXPECT_EQ(formatar(justo.get(), 2), "2010");
    EXPECT_EQ(formatar(nullptr, 1), "");
}

TEST(DataFormatada, OutraDirecaoVoltaCopia)
{
    EXPECT_EQ(formatar("01/02/2010", 0), "01/02/2010");
    EXPECT_EQ(formatar("2010-02-01", 3), "2010-02-01");
}

TEST(ParaMaiusculos, SoLetrasAsciiMudam)
{
    EXPECT_EQ(ParaMaiusculos("apiário 12 b-c"), "APIáRIO 12 B-C");
    EXPECT_EQ(ParaMaiusculos(""), "");
    EXPECT_EQ(ParaMaiusculos("JÁ"), "JÁ");
    std::string com_nulo("a\0b", 3);
    EXPECT_EQ(ParaMaiusculos(com_nulo), std::string("A\0B", 3));
}

TEST(Conversoes, IntToString)
{
    EXPECT_EQ(intToString(-7), "-7");
    EXPECT_EQ(intToString(0), "0");
    EXPECT_EQ(intToString(42), "42");
    EXPECT_EQ(intToString(INT_MAX), "2147483647");
    EXPECT_EQ(intToString(INT_MIN), "-2147483648");
}

TEST(Conversoes, StringToCharCopiaTodosOsBytesComNulFinal)
{
    std::unique_ptr<char[]> c(StringToChar("mel"));
    EXPECT_EQ(std::memcmp(c.get(), "mel", 4), 0);

    std::unique_ptr<char[]> vazio(StringToChar(""));
    EXPECT_EQ(vazio[0], '\0');

    std::string com_nulo("a\0b", 3);
    std::unique_ptr<char[]> n(StringToChar(com_nulo));
    EXPECT_EQ(std::memcmp(n.get(), "a\0b\0", 4), 0);
}

TEST(Rgn, CincoDigitosCadaParteEMaisLongosInteiros)
{
    EXPECT_EQ(formatar_rgn(12, 3), "00012-00003");
    EXPECT_EQ(formatar_rgn(12, 0), "00012-00000");
    EXPECT_EQ(formatar_rgn(1, 0), "00001-00000");
    EXPECT_EQ(formatar_rgn(99999, 99999), "99999-99999");
    EXPECT_EQ(formatar_rgn(100000, 7), "100000-00007");
    EXPECT_EQ(formatar_rgn(7, 1234567), "00007-1234567");
    EXPECT_EQ(formatar_rgn(INT_MAX, INT_MIN), "2147483647--2147483648");
}
