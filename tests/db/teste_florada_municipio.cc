// Floral sources and municipalities: statements to the letter, name order,
// exact (case-sensitive) lookups, only municipalities of MS, and failures.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/florada.h"
#include "model/municipio.h"

namespace {

class Florada : public teste::ModeloTeste {};
class Municipio : public teste::ModeloTeste {};

std::string nomes(const std::vector<FLORADA>& lista)
{
    std::string s;
    for (const FLORADA& f : lista)
        s += std::to_string(f.id_florada) + ":" + f.nome_florada + ";";
    return s;
}

} // namespace

TEST_F(Florada, InserirDevolveAChaveENovaFloradaApareceNaOrdem)
{
    FLORADAS floradas(q.get());
    EXPECT_EQ(nomes(floradas.listar_floradas()),
              "6:Aroeira;1:Assa-peixe;5:Cipó-uva;2:Eucalipto;3:Laranjeira;4:Silvestre;");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada order by nome_florada\n");

    FLORADA f;
    f.nome_florada = "Girassol";
    EXPECT_EQ(floradas.inserir(f), "7");
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.florada ( nome_florada) values ( 'Girassol') returning  id_florada;\n\n");
    EXPECT_EQ(nomes(floradas.listar_floradas()),
              "6:Aroeira;1:Assa-peixe;5:Cipó-uva;2:Eucalipto;7:Girassol;3:Laranjeira;4:Silvestre;");
}

TEST_F(Florada, InserirRecusadoDevolveTextoVazio)
{
    FLORADAS floradas(q.get());
    FLORADA f;
    f.nome_florada = "Eucalipto";   // the name is unique
    EXPECT_EQ(floradas.inserir(f), "");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.florada"), "6");
}

TEST_F(Florada, ListaVaziaOuFalhaEscreveAMensagemEDevolveNada)
{
    FLORADAS floradas(q.get());
    ASSERT_EQ(floradas.listar_floradas().size(), 6u);

    ASSERT_EQ(banco.executar("delete from cadastro.apiario; delete from cadastro.florada"), "");
    saida.tomar();
    EXPECT_TRUE(floradas.listar_floradas().empty());
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada order by nome_florada\n" + q->get_mensagem() + "\n");

    quebrar_tabela("florada");
    EXPECT_TRUE(floradas.listar_floradas().empty());
    EXPECT_NE(q->get_mensagem().find("cadastro.florada"), std::string::npos) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada order by nome_florada\n" + q->get_mensagem() + "\n");
}

TEST_F(Florada, BuscaPeloNomeExatoSemDiferencaDeCaixa)
{
    FLORADAS floradas(q.get());
    FLORADA f = floradas.get_florada("Laranjeira");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada where nome_florada='Laranjeira'\n");
    EXPECT_EQ(f.id_florada, 3);
    EXPECT_EQ(f.nome_florada, "Laranjeira");

    f = floradas.get_florada("laranjeira");
    EXPECT_EQ(f.id_florada, -1);
    EXPECT_EQ(f.nome_florada, q->get_mensagem());

    f = floradas.get_florada("' or '1'='1");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada where nome_florada='laranjeira'\n"
                             "select * from cadastro.florada where nome_florada=''' or ''1''=''1'\n");
    EXPECT_EQ(f.id_florada, -1);

    // A refused lookup keeps the last record.
    f = floradas.get_florada("Eucalipto");
    ASSERT_EQ(f.id_florada, 2);
    quebrar_tabela("florada");
    saida.tomar();
    f = floradas.get_florada("Silvestre");
    EXPECT_EQ(f.id_florada, 2);
    EXPECT_EQ(f.nome_florada, "Eucalipto");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.florada where nome_florada='Silvestre'\n" + q->get_mensagem() + "\n");
}

TEST_F(Florada, NomesHostisSaoGuardadosEAchadosComoDigitados)
{
    FLORADAS floradas(q.get());
    for (const char* const* t = teste::textos_hostis(); *t; ++t) {
        FLORADA f;
        f.nome_florada = *t;
        std::string chave = floradas.inserir(f);
        ASSERT_NE(chave, "") << *t << "\n" << q->get_mensagem();
        EXPECT_EQ(banco.valor("select nome_florada from cadastro.florada where id_florada=" + chave), *t);
        FLORADA achada = floradas.get_florada(*t);
        EXPECT_EQ(std::to_string(achada.id_florada), chave);
        EXPECT_EQ(achada.nome_florada, *t);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "3");
}

TEST_F(Municipio, ListaSoOsDeMSPeloNome)
{
    MUNICIPIO municipio(q.get());
    std::vector<MUNICIPIOS> lista = municipio.listar_municipio();
    EXPECT_EQ(saida.tomar(), "select * from cadastro.municipio where estado='MS' order by nome\n");

    TABELA esperado = banco.consultar("select cod_cid, nome, estado from cadastro.municipio "
                                      "where estado='MS' order by nome");
    ASSERT_EQ(esperado.size(), 79u);
    ASSERT_EQ(lista.size(), esperado.size());
    for (size_t i = 0; i < lista.size(); ++i) {
        EXPECT_EQ(std::to_string(lista[i].cod_cid), esperado[i][0]);
        EXPECT_EQ(lista[i].nome, esperado[i][1]);
        EXPECT_EQ(lista[i].estado, "MS");
        EXPECT_EQ(lista[i].cod_cid / 100000, 50) << lista[i].nome;   // the IBGE codes of MS
    }
    // Dictionary order, accents kept.
    EXPECT_EQ(lista.front().nome, "Água Clara");
    EXPECT_EQ(lista.front().cod_cid, 5000203);
    EXPECT_EQ(lista.back().nome, "Vicentina");
}

TEST_F(Municipio, ListaVaziaOuFalhaEscreveAMensagem)
{
    MUNICIPIO municipio(q.get());
    ASSERT_EQ(municipio.listar_municipio().size(), 79u);
    ASSERT_EQ(banco.executar("update cadastro.municipio set estado='XX' where estado='MS'"), "");
    saida.tomar();
    EXPECT_TRUE(municipio.listar_municipio().empty());
    EXPECT_EQ(saida.tomar(), "select * from cadastro.municipio where estado='MS' order by nome\n" +
                             q->get_mensagem() + "\n");

    quebrar_tabela("municipio");
    EXPECT_TRUE(municipio.listar_municipio().empty());
    EXPECT_NE(q->get_mensagem().find("cadastro.municipio"), std::string::npos) << q->get_mensagem();
}

TEST_F(Municipio, BuscaExataSoEmMS)
{
    MUNICIPIO municipio(q.get());
    MUNICIPIOS m = municipio.get_municipio("Dourados");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.municipio where nome='Dourados' and estado='MS'\n");
    EXPECT_EQ(m.cod_cid, 5003702);
    EXPECT_EQ(m.nome, "Dourados");
    EXPECT_EQ(m.estado, "MS");

    // Same name in another state (Campo Grande of AL, Bonito of PE, PA and
    // BA): the one of MS.
    EXPECT_EQ(municipio.get_municipio("Campo Grande").cod_cid, 5002704);
    EXPECT_EQ(municipio.get_municipio("Bonito").cod_cid, 5002209);
    EXPECT_EQ(municipio.get_municipio("Três Lagoas").cod_cid, 5008305);

    // Case or accents differ, another state only, hostile text: not found;
    // the state of the last record found stays.
    for (const char* nome : { "dourados", "DOURADOS", "Tres Lagoas", "Curitiba", "Londrina", "' or '1'='1",
                              "Dourados' --" }) {
        m = municipio.get_municipio(nome);
        EXPECT_EQ(m.cod_cid, -1) << nome;
        EXPECT_EQ(m.nome, q->get_mensagem()) << nome;
        EXPECT_EQ(m.estado, "MS") << nome;
    }
}

TEST_F(Municipio, BuscaRecusadaGuardaORegistroAnterior)
{
    MUNICIPIO municipio(q.get());
    ASSERT_EQ(municipio.get_municipio("Dourados").cod_cid, 5003702);
    quebrar_tabela("municipio");
    saida.tomar();
    MUNICIPIOS m = municipio.get_municipio("Amambai");
    EXPECT_EQ(m.cod_cid, 5003702);
    EXPECT_EQ(m.nome, "Dourados");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.municipio where nome='Amambai' and estado='MS'\n" +
                             q->get_mensagem() + "\n");
}

TEST_F(Municipio, EstadosEMunicipiosDeCadaUm)
{
    MUNICIPIO municipio(q.get());
    const std::vector<std::string> estados = municipio.listar_estados();
    EXPECT_EQ(saida.tomar(), "select distinct estado from cadastro.municipio order by estado\n");
    ASSERT_EQ(estados.size(), 27u);
    EXPECT_EQ(estados.front(), "AC");
    EXPECT_EQ(estados.back(), "TO");

    std::vector<MUNICIPIOS> sp = municipio.listar_municipio("SP");
    EXPECT_EQ(saida.tomar(), "select * from cadastro.municipio where estado='SP' order by nome\n");
    ASSERT_EQ(sp.size(), 645u);
    for (const MUNICIPIOS& m : sp)
        EXPECT_EQ(m.estado, "SP");
    // The list of MS is the one the apiaries use.
    std::vector<MUNICIPIOS> ms = municipio.listar_municipio("MS");
    std::vector<MUNICIPIOS> de_sempre = municipio.listar_municipio();
    ASSERT_EQ(ms.size(), de_sempre.size());
    for (std::size_t i = 0; i < ms.size(); ++i)
        EXPECT_EQ(ms[i].cod_cid, de_sempre[i].cod_cid);
    EXPECT_TRUE(municipio.listar_municipio("' or ''='").empty());
}
