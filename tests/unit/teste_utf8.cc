// Texts that are not valid UTF-8 (a server that passes bytes on as they
// are): told apart from valid ones, and mended into valid UTF-8 with each
// bad sequence as U+FFFD and every valid character kept.
#include <string>

#include <gtest/gtest.h>
#include <glib.h>

#include "util/utf8.h"

namespace {

const std::string FFFD = "\xEF\xBF\xBD";

} // namespace

TEST(Utf8, ValidosFicamComoEstao)
{
    for (const std::string& t : { std::string(""), std::string("Dourados"), std::string("Itaporã, Ponta Porã"),
                                 std::string("🐝 mel"), std::string("עברית") }) {
        EXPECT_TRUE(utf8_valido(t)) << t;
        EXPECT_EQ(utf8_reparado(t), t);
    }
}

TEST(Utf8, InvalidosViramFffdSemPerderOResto)
{
    struct Caso { std::string entrada, esperado; };
    const Caso casos[] = {
        { "Jos\xE9", "Jos" + FFFD },                          // LATIN1 é
        { "Jos\xE9 da Silva", "Jos" + FFFD + " da Silva" },
        { "abc\xF0", "abc" + FFFD },                          // a four-byte lead at the very end
        { "\xF0\x9F\x90", FFFD + FFFD + FFFD },               // a character cut short
        { "\xC3", FFFD },
        { "\xC0\xAF", FFFD + FFFD },                          // overlong
        { "\xED\xA0\x80", FFFD + FFFD + FFFD },               // a surrogate
        { std::string("a\0b", 3), "a" + FFFD + "b" },         // a NUL inside
        { "\xFF\xFE", FFFD + FFFD },
        { "ção\xE7\xE3o", "ção" + FFFD + FFFD + "o" },
    };
    for (const Caso& c : casos) {
        EXPECT_FALSE(utf8_valido(c.entrada)) << c.esperado;
        const std::string r = utf8_reparado(c.entrada);
        EXPECT_EQ(r, c.esperado);
        EXPECT_TRUE(g_utf8_validate(r.data(), static_cast<gssize>(r.size()), nullptr));
    }
}

// Every byte sequence of up to three bytes comes out valid, and valid ones
// come out unchanged.
TEST(Utf8, TodaSequenciaCurtaSaiValida)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; b += 3) {
            for (int c : { 0x00, 0x41, 0x80, 0xBF, 0xC3, 0xF0 }) {
                const std::string t = { static_cast<char>(a), static_cast<char>(b), static_cast<char>(c) };
                const std::string r = utf8_reparado(t);
                ASSERT_TRUE(g_utf8_validate(r.data(), static_cast<gssize>(r.size()), nullptr));
                if (utf8_valido(t)) {
                    ASSERT_EQ(r, t);
                }
            }
        }
    }
}
