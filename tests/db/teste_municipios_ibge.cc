// The municipalities of a new database: every Brazilian one with its IBGE
// code and its state, and the sample postal codes, apiaries and users in
// the right ones.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/banco_teste.h"
#include "support/foto_banco.h"

namespace {

class MunicipiosIbge : public ::testing::Test
{
protected:
    // The rows of a query, one "a|b|c" line each.
    std::string linhas(const std::string& sql)
    {
        std::string s;
        for (const LINHA& l : banco.consultar(sql)) {
            for (std::size_t i = 0; i < l.size(); ++i)
                s += (i ? "|" : "") + l[i];
            s += "\n";
        }
        return s;
    }

    teste::BancoTeste banco;
};

// The first two digits of an IBGE municipality code are its state's code.
const char* const ESTADOS_IBGE =
    "(values ('11','RO'),('12','AC'),('13','AM'),('14','RR'),('15','PA'),('16','AP'),('17','TO'),"
    "('21','MA'),('22','PI'),('23','CE'),('24','RN'),('25','PB'),('26','PE'),('27','AL'),('28','SE'),"
    "('29','BA'),('31','MG'),('32','ES'),('33','RJ'),('35','SP'),('41','PR'),('42','SC'),('43','RS'),"
    "('50','MS'),('51','MT'),('52','GO'),('53','DF')) as uf(codigo, sigla)";

} // namespace

TEST_F(MunicipiosIbge, TodosOsMunicipiosComCodigoDeSeteDigitosESigla)
{
    EXPECT_EQ(banco.valor("select count(*) from cadastro.municipio"), "5570");
    EXPECT_EQ(banco.valor("select count(distinct estado) from cadastro.municipio"), "27");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.municipio where cod_cid not between 1000000 and 9999999"),
              "0");
    // Each code in the state its first digits name.
    EXPECT_EQ(banco.valor(std::string("select count(*) from cadastro.municipio m left join ") + ESTADOS_IBGE +
                          " on uf.codigo = left(m.cod_cid::text, 2) where uf.sigla is distinct from m.estado"),
              "0");
    EXPECT_EQ(linhas("select estado, count(*) from cadastro.municipio where estado in ('MS','DF','SP','MG') "
                     "group by estado order by estado"),
              "DF|1\nMG|853\nMS|79\nSP|645\n");

    EXPECT_EQ(linhas("select cod_cid, nome, estado from cadastro.municipio where cod_cid in "
                     "(5003702, 5002704, 1100015, 3550308, 5300108, 2701506) order by cod_cid"),
              "1100015|Alta Floresta D'Oeste|RO\n"
              "2701506|Campo Grande|AL\n"
              "3550308|São Paulo|SP\n"
              "5002704|Campo Grande|MS\n"
              "5003702|Dourados|MS\n"
              "5300108|Brasília|DF\n");
}

TEST_F(MunicipiosIbge, NomesComAcentosSemBrancosSobrandoEUnicosNoEstado)
{
    // Composed UTF-8 as typed (no "SÃ£o" from a wrong decoding), no blanks
    // around, and one name once per state, as the lookup by name expects.
    EXPECT_EQ(banco.valor("select count(*) from cadastro.municipio where nome is not nfc normalized "
                          "or nome <> btrim(nome) or nome = '' or nome like '%Ã%' or nome like '%  %'"),
              "0");
    EXPECT_EQ(banco.valor("select count(*) from (select 1 from cadastro.municipio group by estado, nome "
                          "having count(*) > 1) d"),
              "0");
    EXPECT_EQ(banco.valor("select octet_length(nome) from cadastro.municipio where cod_cid = 5006606"), "11");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.municipio where nome ~ '[^ -~]'"), "2383");
}

TEST_F(MunicipiosIbge, CepsApiariosEUsuariosDeExemploNosMunicipiosCertos)
{
    EXPECT_EQ(linhas("select c.cep, m.cod_cid, m.nome, m.estado from cadastro.ceps c "
                     "join cadastro.municipio m on m.cod_cid = c.cod_cid order by c.id_cep"),
              "79800-001|5003702|Dourados|MS\n"
              "79804-010|5003702|Dourados|MS\n"
              "79824-140|5003702|Dourados|MS\n"
              "79825-070|5003702|Dourados|MS\n"
              "79840-280|5003702|Dourados|MS\n"
              "79002-071|5002704|Campo Grande|MS\n"
              "79002-075|5002704|Campo Grande|MS\n"
              "79020-240|5002704|Campo Grande|MS\n"
              "79070-900|5002704|Campo Grande|MS\n");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.ceps"), "9");

    EXPECT_EQ(linhas("select a.distrito, m.cod_cid, m.nome, m.estado from cadastro.apiario a "
                     "join cadastro.municipio m on m.cod_cid = a.cod_cid order by a.id_apiario"),
              "Panambi|5003702|Dourados|MS\n"
              "Vila Vargas|5003702|Dourados|MS\n"
              "Potreirito|5004502|Itaporã|MS\n"
              "Sanga Puitã|5006606|Ponta Porã|MS\n");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.apiario"), "4");

    EXPECT_EQ(linhas("select u.login, c.cep, m.nome, m.estado from cadastro.usuario u "
                     "join cadastro.ceps c on c.id_cep = u.id_cep join cadastro.municipio m on m.cod_cid = c.cod_cid "
                     "order by u.id_usuario"),
              "admin|79800-001|Dourados|MS\n"
              "maria|79002-071|Campo Grande|MS\n");
}

// The tests' picture of the database keeps the municipalities as one value:
// any write to them must still show.
TEST_F(MunicipiosIbge, FotoDoBancoVeQualquerMudancaNosMunicipios)
{
    teste::Observador obs(banco);
    teste::Foto antes = obs.fotografar();
    EXPECT_TRUE(teste::diferencas(antes, obs.fotografar()).empty());
    for (const char* sql : { "update cadastro.municipio set nome = nome where cod_cid = 5003702",
                             "begin; delete from cadastro.municipio where cod_cid = 5300108; insert into "
                             "cadastro.municipio values (5300108, 'Brasília', 'DF'); commit",
                             "insert into cadastro.municipio values (9999999, 'Novo', 'MS')",
                             "delete from cadastro.municipio where cod_cid = 9999999" }) {
        ASSERT_EQ(obs.erro(sql), "") << sql;
        teste::Foto depois = obs.fotografar();
        EXPECT_EQ(teste::diferencas(antes, depois), std::set<std::string> { "municipio:*" }) << sql;
        antes = depois;
    }
}
