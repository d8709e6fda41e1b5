// Password digests: argon2id strings are salted and check only the password
// they were made from; the MD5 digests of earlier databases still check,
// whatever the case of their hex digits; nothing else stored ever matches.
#include <string>

#include <gtest/gtest.h>

#include "util/senha.h"

TEST(Senha, Argon2idSalgadoEConfereSoAPropria)
{
    const std::string a = senha::argon2id("favo de mel");
    const std::string b = senha::argon2id("favo de mel");
    EXPECT_EQ(a.rfind("$argon2id$", 0), 0u) << a;
    EXPECT_NE(a, b);   // a new salt each time
    EXPECT_FALSE(senha::e_md5(a));
    EXPECT_TRUE(senha::confere("favo de mel", a));
    EXPECT_TRUE(senha::confere("favo de mel", b));
    EXPECT_FALSE(senha::confere("favo de mel ", a));
    EXPECT_FALSE(senha::confere("Favo de mel", a));
    EXPECT_FALSE(senha::confere("", a));
    EXPECT_EQ(a.find("favo"), std::string::npos);

    // Blanks, quotes, accents and the longest password typed all count.
    for (const std::string& s : { std::string(""), std::string("'; --"), std::string("açaí ção"),
                                 std::string(16, 'z'), std::string("a\\b\"c") }) {
        const std::string g = senha::argon2id(s);
        EXPECT_TRUE(senha::confere(s, g)) << s;
        EXPECT_FALSE(senha::confere(s + "x", g)) << s;
    }
}

// What a login replaces: MD5 digests and argon2id strings of other costs
// (the 64 MiB ones of the first argon2id databases), never its own kind,
// nor what it cannot read.
TEST(Senha, DesatualizadaSoMd5EArgon2idDeOutroCusto)
{
    const std::string antiga =
        "$argon2id$v=19$m=65536,t=2,p=1$PxSuJlTTYc6PHt29tHhgDQ$ySMGLCTAmiDlln7JoDm7xqv5ucOKSvrh16wTi1AEBz4";
    EXPECT_TRUE(senha::confere("abelha", antiga));
    EXPECT_TRUE(senha::desatualizada(antiga));
    EXPECT_TRUE(senha::desatualizada(senha::md5("abelha")));
    const std::string nova = senha::argon2id("abelha");
    EXPECT_NE(nova.find("$m=19456,t=2,p=1$"), std::string::npos) << nova;
    EXPECT_FALSE(senha::desatualizada(nova));
    for (const std::string& g : { std::string(""), std::string("x"), std::string(200, '$'),
                                  std::string("$argon2i$v=19$m=19456,t=2,p=1$AAAA$BBBB") })
        EXPECT_FALSE(senha::desatualizada(g)) << g;
}

TEST(Senha, Md5DasVersoesAnterioresAindaConfere)
{
    // What PostgreSQL's md5('admin') stored.
    const std::string admin = "21232f297a57a5a743894a0e4a801fc3";
    EXPECT_EQ(senha::md5("admin"), admin);
    EXPECT_EQ(senha::md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    // The bytes of the UTF-8 text, as PostgreSQL's md5() of a UTF-8 database.
    EXPECT_EQ(senha::md5("açaí"), "c043993beaf396a864c98342edc844bb");
    EXPECT_TRUE(senha::e_md5(admin));
    EXPECT_TRUE(senha::e_md5("21232F297A57A5A743894A0E4A801FC3"));
    EXPECT_TRUE(senha::confere("admin", admin));
    EXPECT_TRUE(senha::confere("admin", "21232F297A57A5A743894A0E4A801FC3"));
    EXPECT_FALSE(senha::confere("Admin", admin));
    EXPECT_FALSE(senha::confere("", admin));
}

TEST(Senha, ValorGuardadoEstranhoNuncaConfere)
{
    const std::string a = senha::argon2id("x");
    const std::string estranhos[] = {
        "", "x", "admin", std::string(31, 'a'), std::string(33, 'a'), "21232f297a57a5a743894a0e4a801fcg",
        a.substr(0, a.size() - 1), a + "A", std::string(200, '$'), std::string("$argon2id$\0x", 12),
    };
    for (const std::string& g : estranhos) {
        EXPECT_FALSE(senha::e_md5(g)) << g;
        EXPECT_FALSE(senha::confere("x", g)) << g;
        EXPECT_FALSE(senha::confere(g, g)) << g;
    }
}
