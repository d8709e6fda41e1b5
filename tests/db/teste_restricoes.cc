// Every rule the schema enforces has a reason of its own in plain
// Portuguese: each constraint of schema cadastro (those of sql/schema.sql,
// which sql/migracoes gives older databases too) and each one the schema's
// functions raise by name. A constraint added or renamed without a reason
// fails here.
#include <dirent.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "model/falha.h"
#include "support/banco_teste.h"

namespace {

// The constraint names that the SQL files raise themselves (RAISE ...
// USING CONSTRAINT = 'name'), with the SQLSTATE they raise them with.
std::set<std::pair<std::string, std::string>> levantadas(const std::string& pasta)
{
    static const std::regex nome("ERRCODE = '(\\w+)',\\s*CONSTRAINT = '(\\w+)'");
    static const std::pair<const char*, const char*> codigos[] = { { "check_violation", "23514" },
                                                                   { "unique_violation", "23505" },
                                                                   { "foreign_key_violation", "23503" },
                                                                   { "insufficient_privilege", "42501" } };
    std::set<std::pair<std::string, std::string>> achadas;
    for (const std::string& sub : { std::string(), std::string("/migracoes") }) {
        DIR* d = opendir((pasta + sub).c_str());
        for (dirent* e = d ? readdir(d) : nullptr; e; e = readdir(d)) {
            const std::string arquivo = pasta + sub + "/" + e->d_name;
            if (arquivo.size() < 4 || arquivo.compare(arquivo.size() - 4, 4, ".sql") != 0)
                continue;
            std::ifstream f(arquivo.c_str());
            std::stringstream texto;
            texto << f.rdbuf();
            const std::string s = texto.str();
            for (std::sregex_iterator m(s.begin(), s.end(), nome), fim; m != fim; ++m) {
                std::string estado = (*m)[1];
                for (const auto& c : codigos)
                    if (estado == c.first)
                        estado = c.second;
                achadas.insert({ estado, (*m)[2] });
            }
        }
        if (d)
            closedir(d);
    }
    return achadas;
}

} // namespace

TEST(Restricoes, CadaRegraDoEsquemaTemMotivoProprio)
{
    teste::BancoTeste banco;
    // Each constraint with the SQLSTATE its violation gives, and whether a
    // delete elsewhere can be refused by it (a key others point at without
    // cascading).
    const TABELA restricoes = banco.consultar(
        "select conname, case contype when 'c' then '23514' when 'f' then '23503' when 'x' then '23P01' "
        "else '23505' end, (contype = 'f' and confdeltype in ('a', 'r'))::text "
        "from pg_constraint where connamespace in ('cadastro'::regnamespace, 'seguranca'::regnamespace) "
        "order by conname");
    ASSERT_GT(restricoes.size(), 20u);
    for (const LINHA& r : restricoes) {
        EXPECT_NE(motivo_da_restricao(r[1], r[0], false), nullptr) << r[0] << " has no reason";
        if (r[2] == "true") {
            EXPECT_NE(motivo_da_restricao(r[1], r[0], true), nullptr) << r[0] << " has no reason for a delete";
        }
    }
    const auto proprias = levantadas(teste::ambiente("ZUMBREL_SOURCE_DIR") + "/sql");
    ASSERT_FALSE(proprias.empty());
    for (const auto& p : proprias)
        EXPECT_NE(motivo_da_restricao(p.first, p.second, false), nullptr) << p.second << " has no reason";
}
