// Apiaries: insert and update to the letter, the municipality fixed at
// creation, listing order and joins, the search filter, bad dates and
// hostile texts.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/apiario.h"

namespace {

const std::string LISTA =
    "2\n2\n"
    "select a.id_apiario, a.nome, a.cod_cid, a.distrito, a.id_florada, to_char(a.data_criacao,'DD/MM/YYYY'), "
    "a.obs, a.endereco, a.latitude, a.longitude, f.*, m.*, a.xmin from  cadastro.apiario as a "
    "INNER JOIN cadastro.municipio as m ON a.cod_cid=m.cod_cid "
    "INNER JOIN cadastro.florada as f ON a.id_florada=f.id_florada  order by a.id_apiario asc\n";

const std::string PESQUISA =
    "2\n2\n"
    "select a.id_apiario, a.nome, a.cod_cid, a.distrito, a.id_florada, to_char(a.data_criacao,'DD/MM/YYYY'), "
    "f.*, m.* from  cadastro.apiario as a "
    "INNER JOIN cadastro.municipio as m ON a.cod_cid=m.cod_cid "
    "INNER JOIN cadastro.florada as f ON a.id_florada=f.id_florada  where ";

const std::string BANNER_CADASTRAR =
    "\n---------------------------- Cadastrar Apiario ----------------------------\n";
const std::string BANNER_ATUALIZAR =
    "\n---------------------------- Atualizar Apiario ----------------------------\n";

class Apiario : public teste::ModeloTeste
{
protected:
    static APIARIOS novo()
    {
        APIARIOS a;
        a.nome = "Apiário Novo";
        a.data_criacao = "01/03/2020";
        a.latitude = "-22.1";
        a.longitude = "-54.8";
        a.florada.id_florada = 6;
        a.florada.nome_florada = "nome da tela";
        a.municipio.cod_cid = 5002704;   // Campo Grande
        a.municipio.nome = "outro nome da tela";
        return a;
    }

    std::string linha(int id)
    {
        return banco.unidos("select nome, endereco, distrito, to_char(data_criacao,'DD/MM/YYYY'), "
                            "latitude, longitude, obs, id_florada, cod_cid from cadastro.apiario "
                            "where id_apiario=" + std::to_string(id));
    }
};

std::string ids(const LISTA_APIARIOS& lista)
{
    std::string s;
    for (const APIARIOS& a : lista)
        s += std::to_string(a.id_apiario) + ";";
    return s;
}

} // namespace

TEST_F(Apiario, CadastrarComTextosVaziosGuardaAChaveESoEla)
{
    APIARIO apiario(q.get());
    APIARIOS a = novo();
    ASSERT_TRUE(apiario.Cadastrar_Apiario(&a)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              BANNER_CADASTRAR +
                  "insert into cadastro.apiario ( nome, endereco, distrito, data_criacao, latitude, longitude, obs,"
                  " id_florada, cod_cid) values ( 'Apiário Novo', '', '', '01/03/2020', '-22.1', '-54.8', '', 6,"
                  " 5002704) returning  id_apiario;\n\n");
    EXPECT_EQ(a.id_apiario, 5);
    EXPECT_EQ(a.florada.nome_florada, "nome da tela");
    EXPECT_EQ(a.municipio.nome, "outro nome da tela");
    EXPECT_EQ(a.municipio.estado, "");
    EXPECT_EQ(linha(5), "Apiário Novo|||01/03/2020|-22.1|-54.8||6|5002704|");
    EXPECT_EQ(banco.valor("select data_criacao from cadastro.apiario where id_apiario=5"), "2020-03-01");
}

TEST_F(Apiario, CadastrarRecusadoNaoMudaORegistroNemOBanco)
{
    APIARIO apiario(q.get());
    std::string antes = banco.despejo();
    for (const char* data : { "31/02/2010", "", "abc" }) {
        APIARIOS a = novo();
        a.data_criacao = data;
        EXPECT_FALSE(apiario.Cadastrar_Apiario(&a)) << data;
        EXPECT_EQ(a.id_apiario, 0);
    }
    APIARIOS a = novo();
    a.florada.id_florada = 99;
    EXPECT_FALSE(apiario.Cadastrar_Apiario(&a));
    a = novo();
    a.municipio.cod_cid = 999;
    EXPECT_FALSE(apiario.Cadastrar_Apiario(&a));
    EXPECT_EQ(a.id_apiario, 0);
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Apiario, AtualizarMudaAFloradaMasNuncaOMunicipio)
{
    APIARIO apiario(q.get());
    APIARIOS a = novo();
    a.id_apiario = 2;
    a.nome = "Santa Luzia II";
    a.endereco = "Rodovia MS-156, km 9";
    a.distrito = "Vila Vargas";
    a.data_criacao = "22/04/2010";
    a.obs = "Mudou de lugar.";
    a.florada.id_florada = 5;
    a.municipio.cod_cid = 5006606;   // Ponta Porã
    ASSERT_TRUE(apiario.Atualizar_Apiario(&a)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              BANNER_ATUALIZAR +
                  "\n SET QUERY 3\n\nUPDATE APIARIO \n"
                  "update cadastro.Apiario set  nome='Santa Luzia II', endereco='Rodovia MS-156, km 9', "
                  "distrito='Vila Vargas', data_criacao='22/04/2010', latitude='-22.1', longitude='-54.8', "
                  "obs='Mudou de lugar.', id_florada=5 WHERE id_apiario=2\n");
    EXPECT_EQ(linha(2),
              "Santa Luzia II|Rodovia MS-156, km 9|Vila Vargas|22/04/2010|-22.1|-54.8|Mudou de lugar.|5|5003702|");
    EXPECT_EQ(linha(1), "Apiário Boa Esperança|Estrada do Panambi, km 12|Panambi|10/09/2008|-22.2211|-54.8056|"
                        "Perto do córrego; acesso difícil em dias de chuva.|2|5003702|");
}

TEST_F(Apiario, AtualizarComDataRuimOuFloradaInexistenteFalha)
{
    APIARIO apiario(q.get());
    std::string antes = banco.despejo();
    for (const char* data : { "31/02/2010", "", "abc" }) {
        APIARIOS a = novo();
        a.id_apiario = 1;
        a.data_criacao = data;
        EXPECT_FALSE(apiario.Atualizar_Apiario(&a)) << data;
    }
    APIARIOS a = novo();
    a.id_apiario = 1;
    a.florada.id_florada = 99;
    EXPECT_FALSE(apiario.Atualizar_Apiario(&a));
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Apiario, ListaEmOrdemComFloradaEMunicipio)
{
    APIARIO apiario(q.get());
    LISTA_APIARIOS lista;
    apiario.Get_Apiarios(&lista);
    EXPECT_EQ(saida.tomar(), LISTA);
    ASSERT_EQ(ids(lista), "1;2;3;4;");

    const APIARIOS& a = lista[0];
    EXPECT_EQ(a.nome, "Apiário Boa Esperança");
    EXPECT_EQ(a.endereco, "Estrada do Panambi, km 12");
    EXPECT_EQ(a.distrito, "Panambi");
    EXPECT_EQ(a.data_criacao, "10/09/2008");
    EXPECT_EQ(a.latitude, "-22.2211");
    EXPECT_EQ(a.longitude, "-54.8056");
    EXPECT_EQ(a.obs, "Perto do córrego; acesso difícil em dias de chuva.");
    EXPECT_EQ(a.florada.id_florada, 2);
    EXPECT_EQ(a.florada.nome_florada, "Eucalipto");
    EXPECT_EQ(a.municipio.cod_cid, 5003702);
    EXPECT_EQ(a.municipio.nome, "Dourados");
    EXPECT_EQ(a.municipio.estado, "");
    EXPECT_EQ(lista[3].municipio.nome, "Ponta Porã");
    EXPECT_EQ(lista[3].florada.nome_florada, "Assa-peixe");
    EXPECT_EQ(lista[3].obs, "");

    // The caller empties the list; a second call appends.
    apiario.Get_Apiarios(&lista);
    EXPECT_EQ(ids(lista), "1;2;3;4;1;2;3;4;");
}

// The list read from the rows of the load holds what the table holds, reads
// empty past its end, and keeps its rows when the builder moves on.
TEST_F(Apiario, ListaLidaDasLinhasIgualATabela)
{
    APIARIO apiario(q.get());
    LISTA_APIARIOS lista;
    apiario.Get_Apiarios(&lista);
    EXPECT_EQ(saida.tomar(), LISTA);
    const TABELA tabela = banco.consultar(
        "select a.id_apiario, a.nome, a.obs, a.longitude, f.nome_florada, m.nome from cadastro.apiario a "
        "join cadastro.florada f using (id_florada) join cadastro.municipio m using (cod_cid) order by 1");
    ASSERT_EQ(lista.size(), tabela.size());
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const APIARIOS a = lista[i];
        EXPECT_EQ(std::to_string(a.id_apiario), tabela[i][0]);
        EXPECT_EQ(lista.id(i), a.id_apiario);
        EXPECT_EQ(a.nome, tabela[i][1]);
        EXPECT_EQ(lista.nome(i), tabela[i][1]);
        EXPECT_EQ(a.obs, tabela[i][2]);
        EXPECT_EQ(a.longitude, tabela[i][3]);
        EXPECT_EQ(a.florada.nome_florada, tabela[i][4]);
        EXPECT_EQ(a.municipio.nome, tabela[i][5]);
        EXPECT_EQ(lista.municipio(i), tabela[i][5]);
    }
    EXPECT_EQ(lista[4].id_apiario, 0);
    EXPECT_STREQ(lista.nome(4), "");
    EXPECT_EQ(lista.id(4), 0);
    EXPECT_STREQ(lista.municipio(4), "");

    // The rows stay with the list when the next statement replaces them.
    q->executar("select 1");
    EXPECT_EQ(lista[3].municipio.nome, "Ponta Porã");

    quebrar_tabela("apiario");
    LISTA_APIARIOS vazia;
    apiario.Get_Apiarios(&vazia);
    EXPECT_TRUE(vazia.empty());
    EXPECT_EQ(lista.size(), 4u);
}

TEST_F(Apiario, ApiarioSemFloradaOuMunicipioNaoApareceETabelaVaziaNaoAcrescenta)
{
    ASSERT_EQ(banco.executar("set session_replication_role = replica;"
                             "insert into cadastro.apiario (id_apiario, nome, data_criacao, id_florada, cod_cid) values"
                             " (10, 'Sem florada', '01/01/2001', 99, 5003702),"
                             " (11, 'Sem municipio', '01/01/2001', 1, 999)"),
              "");
    APIARIO apiario(q.get());
    LISTA_APIARIOS lista;
    apiario.Get_Apiarios(&lista);
    EXPECT_EQ(ids(lista), "1;2;3;4;");

    ASSERT_EQ(banco.executar("delete from cadastro.apiario"), "");
    saida.tomar();
    apiario.Get_Apiarios(&lista);
    EXPECT_EQ(saida.tomar(), LISTA);
    EXPECT_EQ(ids(lista), "1;2;3;4;");
    LISTA_APIARIOS vazia;
    apiario.Get_Apiarios(&vazia);
    EXPECT_TRUE(vazia.empty());

    quebrar_tabela("apiario");
    apiario.Get_Apiarios(&vazia);
    EXPECT_TRUE(vazia.empty());
}

TEST_F(Apiario, PesquisaUsaOFiltroDoChamadorEPreencheSoParte)
{
    APIARIO apiario(q.get());
    LISTA_APIARIOS achados = apiario.Pesquisar_Apiario(" a.nome like 'Apiário S%'");
    EXPECT_EQ(saida.tomar(), PESQUISA + " a.nome like 'Apiário S%'\n\nNOME:Apiário Santa Luzia");
    ASSERT_EQ(ids(achados), "2;");
    const APIARIOS& a = achados[0];
    EXPECT_EQ(a.nome, "Apiário Santa Luzia");
    EXPECT_EQ(a.data_criacao, "21/04/2010");
    EXPECT_EQ(a.florada.id_florada, 3);
    EXPECT_EQ(a.florada.nome_florada, "Laranjeira");
    EXPECT_EQ(a.municipio.cod_cid, 5003702);
    EXPECT_EQ(a.municipio.nome, "Dourados");
    EXPECT_EQ(a.distrito, "");
    EXPECT_EQ(a.endereco, "");
    EXPECT_EQ(a.latitude, "");
    EXPECT_EQ(a.municipio.estado, "");

    achados = apiario.Pesquisar_Apiario(" a.cod_cid=5003702 order by a.id_apiario");
    EXPECT_EQ(ids(achados), "1;2;");
    EXPECT_EQ(saida.tomar(), PESQUISA + " a.cod_cid=5003702 order by a.id_apiario\n"
                                        "\nNOME:Apiário Boa Esperança\nNOME:Apiário Santa Luzia");

    // The summary the search window shows: same statement and lines, only
    // the key, the name and the municipality's name.
    const LISTA_APIARIOS resumo = apiario.Pesquisar_Apiario(" a.cod_cid=5003702 order by a.id_apiario", Detalhe::RESUMO);
    EXPECT_EQ(saida.tomar(), PESQUISA + " a.cod_cid=5003702 order by a.id_apiario\n"
                                        "\nNOME:Apiário Boa Esperança\nNOME:Apiário Santa Luzia");
    ASSERT_EQ(resumo.size(), 2u);
    EXPECT_EQ(resumo[1].id_apiario, 2);
    EXPECT_EQ(resumo.id(1), 2);
    EXPECT_EQ(resumo[1].nome, "Apiário Santa Luzia");
    EXPECT_STREQ(resumo.nome(1), "Apiário Santa Luzia");
    EXPECT_EQ(resumo[1].municipio.nome, "Dourados");
    EXPECT_STREQ(resumo.municipio(1), "Dourados");
    EXPECT_EQ(resumo[1].data_criacao, "");
    EXPECT_EQ(resumo[1].florada.nome_florada, "");

    achados = apiario.Pesquisar_Apiario(" a.nome like 'zz%'");
    EXPECT_TRUE(achados.empty());
    EXPECT_EQ(saida.tomar(), PESQUISA + " a.nome like 'zz%'\n" + q->get_mensagem() + "\n");

    achados = apiario.Pesquisar_Apiario(" a.nome like");
    EXPECT_TRUE(achados.empty());
    EXPECT_EQ(saida.tomar(), PESQUISA + " a.nome like\n" + q->get_mensagem() + "\n");

    // A load appended to what a search found: each part is read as its
    // statement laid it out.
    LISTA_APIARIOS juntas = apiario.Pesquisar_Apiario(" a.nome like 'Apiário S%'", Detalhe::RESUMO);
    apiario.Get_Apiarios(&juntas);
    ASSERT_EQ(juntas.size(), 5u);
    EXPECT_EQ(juntas.id(0), 2);
    EXPECT_STREQ(juntas.municipio(0), "Dourados");
    EXPECT_EQ(juntas[0].florada.nome_florada, "");
    EXPECT_EQ(juntas.id(4), 4);
    EXPECT_STREQ(juntas.municipio(4), "Ponta Porã");
    EXPECT_EQ(juntas[4].florada.nome_florada, "Assa-peixe");
}

TEST_F(Apiario, TextosHostisSaoGuardadosELidosComoDigitados)
{
    APIARIO apiario(q.get());
    int id = 4;
    for (const char* const* t = teste::textos_hostis(); *t; ++t) {
        APIARIOS a = novo();
        a.nome = *t;
        a.endereco = *t;
        a.distrito = *t;
        a.latitude = *t;
        a.longitude = *t;
        a.obs = *t;
        ASSERT_TRUE(apiario.Cadastrar_Apiario(&a)) << *t << "\n" << q->get_mensagem();
        EXPECT_EQ(a.id_apiario, ++id);

        a.obs = std::string(*t) + *t;
        ASSERT_TRUE(apiario.Atualizar_Apiario(&a)) << *t;
    }
    LISTA_APIARIOS lista;
    apiario.Get_Apiarios(&lista);
    ASSERT_EQ(lista.size(), 8u);
    for (size_t i = 0; i < 4; ++i) {
        const std::string t = teste::textos_hostis()[i];
        const APIARIOS& a = lista[4 + i];
        EXPECT_EQ(a.nome, t);
        EXPECT_EQ(a.endereco, t);
        EXPECT_EQ(a.distrito, t);
        EXPECT_EQ(a.latitude, t);
        EXPECT_EQ(a.longitude, t);
        EXPECT_EQ(a.obs, t + t);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "3");
}
