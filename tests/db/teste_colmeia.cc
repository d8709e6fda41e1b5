// Beehives and their inspections through their data-access classes: store,
// read back, edit, search by each criterion, delete with the inspections,
// one hive per queen, the status that follows the newest inspection, and
// every refusal leaving the database as it was.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/colmeia.h"
#include "model/revisao.h"
#include "support/textos_hostis.h"

using teste::mostrar;

namespace {

class Colmeia : public teste::ModeloTeste
{
protected:
    void SetUp() override
    {
        teste::ModeloTeste::SetUp();
        colmeias.reset(new COLMEIA(q.get()));
        revisoes.reset(new REVISAO(q.get()));
    }

    // A hive of the sample data: queen by RGN (or none), apiary by key.
    COLMEIAS nova(const std::string& tipo, const std::string& status, const std::string& rgn, int apiario)
    {
        COLMEIAS c;
        c.tipo = tipo;
        c.status = status;
        c.rgn = rgn;
        c.id_apiario = apiario;
        return c;
    }

    // The stored hive as "tipo|status|queen|apiary|date|obs".
    std::string linha(int id)
    {
        return banco.valor("select tipo || '|' || status || '|' || coalesce(id_abelha::text, 'null') || '|' || "
                           "id_apiario || '|' || coalesce(to_char(data_instalacao, 'DD/MM/YYYY'), 'null') || '|' || "
                           "obs from cadastro.colmeia where id_colmeia = " + std::to_string(id));
    }

    std::vector<int> achadas(const FILTRO_COLMEIAS& f)
    {
        std::vector<int> ids;
        const LISTA_COLMEIAS l = colmeias->pesquisar(f);
        for (std::size_t i = 0; i < l.size(); ++i)
            ids.push_back(l.id(i));
        return ids;
    }

    REVISOES revisao(int colmeia, const std::string& data, const std::string& status, const std::string& mel)
    {
        REVISOES r;
        r.id_colmeia = colmeia;
        r.data = data;
        r.status = status;
        r.mel = mel;
        return r;
    }

    std::unique_ptr<COLMEIA> colmeias;
    std::unique_ptr<REVISAO> revisoes;
};

std::string descrever(const COLMEIAS& c)
{
    return std::to_string(c.id) + "|" + c.tipo + "|" + c.status + "|" + c.rgn + "|" + std::to_string(c.id_abelha) +
           "|" + std::to_string(c.id_apiario) + "|" + c.apiario + "|" + c.instalacao + "|" + c.obs;
}

} // namespace

TEST_F(Colmeia, GuardaMostraEditaComOsTextosDoSistema)
{
    COLMEIAS c = nova("Núcleo", "Ativa", "00004-00002", 2);
    c.instalacao = "01/03/2024";
    c.obs = "Caixa d'água ao lado";
    ASSERT_TRUE(colmeias->inserir(&c)) << colmeias->falha().motivo();
    EXPECT_EQ(c.id, 1);
    EXPECT_EQ(c.id_abelha, 4);
    EXPECT_EQ(saida.tomar(),
              "select id_abelha from cadastro.abelha_rainha where rgn='00004-00002'\n"
              "select id_colmeia from cadastro.colmeia where id_abelha = 4 and id_colmeia <> 0\n"
              "insert into cadastro.colmeia ( tipo, status, id_abelha, id_apiario, data_instalacao, obs) values "
              "( 'Núcleo', 'Ativa', 4, 2, '2024-03-01', 'Caixa d''água ao lado') returning  id_colmeia;\n\n");
    EXPECT_EQ(linha(1), "Núcleo|Ativa|4|2|01/03/2024|Caixa d'água ao lado");
    EXPECT_EQ(descrever(colmeias->get_colmeia(1)),
              "1|Núcleo|Ativa|00004-00002|4|2|Apiário Santa Luzia|01/03/2024|Caixa d'água ao lado");
    EXPECT_EQ(colmeias->get_colmeia(99).id, 0);

    // Edited: another status and apiary, no queen, no date.
    c.status = "Órfã";
    c.rgn = "";
    c.id_apiario = 3;
    c.instalacao = "";
    saida.tomar();
    ASSERT_TRUE(colmeias->atualizar(&c)) << colmeias->falha().motivo();
    EXPECT_EQ(c.id_abelha, 0);
    EXPECT_EQ(saida.tomar(), "\n SET QUERY 3\nupdate cadastro.colmeia set  tipo='Núcleo', status='Órfã', "
                             "id_abelha=null, id_apiario=3, data_instalacao=null, obs='Caixa d''água ao lado' "
                             "WHERE id_colmeia=1\n");
    EXPECT_EQ(linha(1), "Núcleo|Órfã|null|3|null|Caixa d'água ao lado");
    EXPECT_EQ(descrever(colmeias->get_colmeia(1)), "1|Núcleo|Órfã||0|3|Apiário Três Irmãos||Caixa d'água ao lado");
}

TEST_F(Colmeia, PesquisaPorCadaCriterioEJuntos)
{
    struct { const char* tipo; const char* status; const char* rgn; int apiario; } dados[] = {
        { "Langstroth", "Ativa", "00001-00000", 1 }, { "Langstroth", "Fraca", "", 1 },
        { "Schenk", "Ativa", "00002-00001", 2 },     { "Núcleo", "Morta", "00005-00004", 1 },
    };
    for (const auto& d : dados) {
        COLMEIAS c = nova(d.tipo, d.status, d.rgn, d.apiario);
        ASSERT_TRUE(colmeias->inserir(&c)) << colmeias->falha().motivo();
    }
    saida.tomar();
    EXPECT_EQ(achadas({}), (std::vector<int> { 1, 2, 3, 4 }));
    EXPECT_EQ(saida.tomar(),
              "select c.id_colmeia, c.tipo, c.status, (select r.rgn from cadastro.abelha_rainha as r where "
              "r.id_abelha = c.id_abelha), c.id_abelha, c.id_apiario, (select a.nome from cadastro.apiario as a "
              "where a.id_apiario = c.id_apiario), to_char(c.data_instalacao,'DD/MM/YYYY'), c.obs, c.xmin, "
              "(select to_char(max(t.carencia_ate),'DD/MM/YYYY') from cadastro.tratamento as t where t.id_colmeia = "
              "c.id_colmeia and t.carencia_ate >= current_date), (select r.cor_marcacao from cadastro.abelha_rainha as r "
              "where r.id_abelha = c.id_abelha), (select to_char(r.data_nasc,'DD/MM/YYYY') from "
              "cadastro.abelha_rainha as r where r.id_abelha = c.id_abelha) from cadastro.colmeia as c order by "
              "c.id_colmeia\n");
    EXPECT_EQ(achadas({ "Langstroth", "", 0, 0 }), (std::vector<int> { 1, 2 }));
    EXPECT_EQ(achadas({ "", "Ativa", 0, 0 }), (std::vector<int> { 1, 3 }));
    EXPECT_EQ(achadas({ "", "", 5, 0 }), (std::vector<int> { 4 }));
    EXPECT_EQ(achadas({ "", "", 0, 1 }), (std::vector<int> { 1, 2, 4 }));
    EXPECT_EQ(achadas({ "Langstroth", "Ativa", 0, 1 }), (std::vector<int> { 1 }));
    EXPECT_EQ(achadas({ "Outro", "", 0, 0 }), std::vector<int>());
    EXPECT_EQ(achadas({ "", "", 3, 0 }), std::vector<int>());
    saida.tomar();
    achadas({ "Schenk", "Ativa", 2, 2 });
    EXPECT_NE(saida.tomar().find(" from cadastro.colmeia as c where c.tipo='Schenk' and c.status='Ativa' and "
                                 "c.id_abelha=2 and c.id_apiario=2 order by c.id_colmeia\n"),
              std::string::npos);

    // What the list shows, read in place.
    const LISTA_COLMEIAS l = colmeias->pesquisar({});
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(std::string(l.tipo(3)) + "|" + l.status(3) + "|" + l.rgn(3) + "|" + l.apiario(3),
              "Núcleo|Morta|00005-00004|Apiário Boa Esperança");
    EXPECT_EQ(std::string(l.rgn(1)), "");
}

TEST_F(Colmeia, UmaRainhaEmUmaColmeiaSo)
{
    COLMEIAS a = nova("Langstroth", "Ativa", "00004-00002", 1);
    ASSERT_TRUE(colmeias->inserir(&a));
    const std::string antes = banco.despejo();
    COLMEIAS b = nova("Schenk", "Ativa", "00004-00002", 2);
    EXPECT_FALSE(colmeias->inserir(&b));
    EXPECT_EQ(colmeias->falha().motivo(), "A rainha 00004-00002 já está na colméia 1.");
    EXPECT_FALSE(colmeias->falha().do_banco());
    EXPECT_EQ(b.id, 0);
    EXPECT_EQ(banco.despejo(), antes);

    // Another hive that takes her by an edit is refused too; hive 1 keeps her.
    b.rgn = "";
    ASSERT_TRUE(colmeias->inserir(&b));
    b.rgn = "00004-00002";
    EXPECT_FALSE(colmeias->atualizar(&b));
    EXPECT_EQ(colmeias->falha().motivo(), "A rainha 00004-00002 já está na colméia 1.");
    EXPECT_EQ(linha(2), "Schenk|Ativa|null|2|null|");
    a.status = "Fraca";
    EXPECT_TRUE(colmeias->atualizar(&a)) << colmeias->falha().motivo();
    EXPECT_EQ(linha(1), "Langstroth|Fraca|4|1|null|");

    // The database holds the rule whoever writes.
    EXPECT_NE(banco.executar("update cadastro.colmeia set id_abelha = 4 where id_colmeia = 2"), "");
    // Out of hive 1, she may head hive 2.
    a.rgn = "";
    ASSERT_TRUE(colmeias->atualizar(&a));
    b.rgn = "00004-00002";
    EXPECT_TRUE(colmeias->atualizar(&b)) << colmeias->falha().motivo();
    EXPECT_EQ(linha(2), "Schenk|Ativa|4|2|null|");
}

TEST_F(Colmeia, RecusasComMensagemSemGuardarNada)
{
    const std::string antes = banco.despejo();
    struct Caso { COLMEIAS c; const char* mensagem; };
    COLMEIAS sem_tipo = nova("", "Ativa", "", 1);
    COLMEIAS tipo_estranho = nova("langstroth", "Ativa", "", 1);
    COLMEIAS sem_status = nova("Outro", "Viva", "", 1);
    COLMEIAS sem_apiario = nova("Outro", "Ativa", "", 0);
    COLMEIAS data_ruim = nova("Outro", "Ativa", "", 1);
    data_ruim.instalacao = "31/02/2024";
    COLMEIAS rgn_ruim = nova("Outro", "Ativa", "00099-00000", 1);
    const Caso casos[] = {
        { sem_tipo, "Escolha o tipo da colméia." },
        { tipo_estranho, "Escolha o tipo da colméia." },
        { sem_status, "Escolha o status da colméia." },
        { sem_apiario, "Escolha o apiário da colméia." },
        { data_ruim, "A data de instalação não existe: escreva-a como DD/MM/AAAA." },
        { rgn_ruim, "Nenhuma abelha rainha tem o RGN informado: escolha uma da lista ou deixe o campo vazio." },
    };
    for (const Caso& k : casos) {
        COLMEIAS c = k.c;
        EXPECT_FALSE(colmeias->inserir(&c)) << k.mensagem;
        EXPECT_EQ(colmeias->falha().motivo(), k.mensagem);
        EXPECT_FALSE(colmeias->falha().do_banco());
        EXPECT_EQ(c.id, 0);
    }
    // An apiary that is not there: the database refuses it.
    COLMEIAS c = nova("Outro", "Ativa", "", 77);
    EXPECT_FALSE(colmeias->inserir(&c));
    EXPECT_TRUE(colmeias->falha().do_banco());
    EXPECT_NE(colmeias->falha().mensagem.find("colmeia_id_apiario_fkey"), std::string::npos)
        << colmeias->falha().mensagem;
    // Hostile texts as the RGN find no bee and break no statement.
    for (const std::string& t : teste::corpus_hostil()) {
        if (t.empty())
            continue;
        COLMEIAS h = nova("Outro", "Ativa", t, 1);
        EXPECT_FALSE(colmeias->inserir(&h)) << mostrar(t);
        EXPECT_FALSE(colmeias->falha().do_banco()) << mostrar(t) << colmeias->falha().motivo();
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Colmeia, TextosHostisVoltamIguais)
{
    for (const std::string& t : teste::corpus_hostil()) {
        COLMEIAS c = nova("Langstroth", "Ativa", "", 1);
        c.obs = t;
        ASSERT_TRUE(colmeias->inserir(&c)) << mostrar(t) << colmeias->falha().motivo();
        EXPECT_EQ(colmeias->get_colmeia(c.id).obs, t) << mostrar(t);
        REVISOES r = revisao(c.id, "02/03/2024", "Fraca", "1,5");
        r.obs = t;
        ASSERT_TRUE(revisoes->inserir(&r)) << mostrar(t) << revisoes->falha().motivo();
        const LISTA_REVISOES l = revisoes->listar(c.id);
        ASSERT_EQ(l.size(), 1u);
        EXPECT_EQ(l[0].obs, t) << mostrar(t);
        EXPECT_EQ(banco.valor("select count(*) from cadastro.colmeia where obs = " + teste::cifrao(t) +
                              " and id_colmeia = " + std::to_string(c.id)),
                  "1")
            << mostrar(t);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.colmeia"), std::to_string(teste::corpus_hostil().size()));
}

TEST_F(Colmeia, ExcluirLevaAsRevisoesDelaSo)
{
    COLMEIAS a = nova("Langstroth", "Ativa", "00004-00002", 1);
    COLMEIAS b = nova("Schenk", "Ativa", "", 1);
    ASSERT_TRUE(colmeias->inserir(&a));
    ASSERT_TRUE(colmeias->inserir(&b));
    for (const char* data : { "01/02/2024", "01/03/2024" }) {
        REVISOES r = revisao(a.id, data, "Ativa", "2");
        ASSERT_TRUE(revisoes->inserir(&r));
    }
    REVISOES r = revisao(b.id, "05/03/2024", "Fraca", "");
    ASSERT_TRUE(revisoes->inserir(&r));
    EXPECT_EQ(revisoes->contar(a.id), 2);
    EXPECT_EQ(revisoes->contar(b.id), 1);
    EXPECT_EQ(revisoes->contar(99), 0);

    saida.tomar();
    ASSERT_TRUE(colmeias->deletar(a.id));
    EXPECT_EQ(saida.tomar(), "delete from cadastro.colmeia WHERE id_colmeia=1\n");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.colmeia"), "1");
    EXPECT_EQ(banco.valor("select string_agg(id_colmeia::text, ',') from cadastro.revisao"), "2");
    EXPECT_EQ(revisoes->contar(a.id), 0);
    // The queen is free for another hive, and the bee itself is still there.
    b.rgn = "00004-00002";
    EXPECT_TRUE(colmeias->atualizar(&b)) << colmeias->falha().motivo();
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha where id_abelha = 4"), "1");
    // A bee heading a hive is not deleted from under it.
    EXPECT_NE(banco.executar("delete from cadastro.abelha_rainha where id_abelha = 4"), "");
}

TEST_F(Colmeia, RevisoesDaMaisNovaParaAMaisVelhaEOStatusSegueAMaisNova)
{
    COLMEIAS c = nova("Langstroth", "Ativa", "", 1);
    ASSERT_TRUE(colmeias->inserir(&c));
    auto status = [this, &c] { return colmeias->get_colmeia(c.id).status; };

    REVISOES r1 = revisao(c.id, "10/03/2024", "Fraca", "12,5");
    r1.obs = "pouca cria";
    saida.tomar();
    ASSERT_TRUE(revisoes->inserir(&r1)) << revisoes->falha().motivo();
    EXPECT_EQ(saida.tomar(), "insert into cadastro.revisao ( id_colmeia, data_revisao, status, mel_kg, obs) values "
                             "( 1, '2024-03-10', 'Fraca', 12.5, 'pouca cria') returning  id_revisao;\n\n");
    EXPECT_EQ(status(), "Fraca");
    // An older one entered afterwards changes nothing.
    REVISOES r2 = revisao(c.id, "01/02/2024", "Morta", "0");
    ASSERT_TRUE(revisoes->inserir(&r2));
    EXPECT_EQ(status(), "Fraca");
    // A newer one does; one of the same day counts as newer.
    REVISOES r3 = revisao(c.id, "10/03/2024", "Órfã", "");
    ASSERT_TRUE(revisoes->inserir(&r3));
    EXPECT_EQ(status(), "Órfã");
    REVISOES r4 = revisao(c.id, "29/02/2024", "Zanganeira", "3.25");
    ASSERT_TRUE(revisoes->inserir(&r4));
    EXPECT_EQ(status(), "Órfã");

    saida.tomar();
    const LISTA_REVISOES l = revisoes->listar(c.id);
    EXPECT_EQ(saida.tomar(), "select id_revisao, id_colmeia, to_char(data_revisao,'DD/MM/YYYY'), status, mel_kg, obs "
                             "from cadastro.revisao where id_colmeia=1 order by data_revisao desc , id_revisao desc\n");
    std::vector<std::string> vistas;
    for (const REVISOES& r : l)
        vistas.push_back(std::to_string(r.id) + "|" + r.data + "|" + r.status + "|" + r.mel + "|" + r.obs);
    EXPECT_EQ(vistas, (std::vector<std::string> { "3|10/03/2024|Órfã|0|", "1|10/03/2024|Fraca|12,5|pouca cria",
                                                 "4|29/02/2024|Zanganeira|3,25|", "2|01/02/2024|Morta|0|" }));

    // Deleting one leaves the others and the hive's status as it is.
    ASSERT_TRUE(revisoes->deletar(r3.id));
    EXPECT_EQ(revisoes->contar(c.id), 3);
    EXPECT_EQ(status(), "Órfã");
    EXPECT_EQ(revisoes->listar(c.id)[0].id, r1.id);
}

TEST_F(Colmeia, RevisoesRecusadasComMensagemSemGuardarNada)
{
    COLMEIAS c = nova("Langstroth", "Ativa", "", 1);
    ASSERT_TRUE(colmeias->inserir(&c));
    const std::string antes = banco.despejo();
    struct Caso { REVISOES r; const char* mensagem; };
    const char* const MEL = "O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5).";
    const Caso casos[] = {
        { revisao(c.id, "31/02/2024", "Ativa", "1"), "A data da revisão não existe: escreva-a como DD/MM/AAAA." },
        { revisao(c.id, "", "Ativa", "1"), "A data da revisão não existe: escreva-a como DD/MM/AAAA." },
        { revisao(c.id, "01/02/2024", "", "1"), "Escolha o status visto na revisão." },
        { revisao(c.id, "01/02/2024", "Ativa", "-1"), MEL },
        { revisao(c.id, "01/02/2024", "Ativa", "-0,5"), MEL },
        { revisao(c.id, "01/02/2024", "Ativa", "doze"), MEL },
        { revisao(c.id, "01/02/2024", "Ativa", "1e3"), MEL },
        { revisao(c.id, "01/02/2024", "Ativa", "12,3456"), MEL },
        { revisao(0, "01/02/2024", "Ativa", "1"), "Escolha primeiro a colméia revisada." },
    };
    for (const Caso& k : casos) {
        REVISOES r = k.r;
        EXPECT_FALSE(revisoes->inserir(&r)) << k.mensagem;
        EXPECT_EQ(revisoes->falha().motivo(), k.mensagem);
        EXPECT_FALSE(revisoes->falha().do_banco());
        EXPECT_EQ(r.id, 0);
    }
    REVISOES r = revisao(55, "01/02/2024", "Ativa", "1");
    EXPECT_FALSE(revisoes->inserir(&r));
    EXPECT_TRUE(revisoes->falha().do_banco());
    // Hostile texts as the harvest: refused, or a number stored as such.
    for (const std::string& t : teste::corpus_hostil()) {
        REVISOES h = revisao(c.id, "01/02/2024", "Ativa", t);
        if (revisoes->inserir(&h)) {
            EXPECT_EQ(t.find_first_not_of("0123456789 \t"), std::string::npos) << mostrar(t);
            ASSERT_TRUE(revisoes->deletar(h.id));
        } else {
            EXPECT_EQ(revisoes->falha().motivo(), MEL) << mostrar(t);
        }
    }
    EXPECT_EQ(banco.despejo(), antes);
}
