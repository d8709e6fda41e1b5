// The hive's journal through its data-access classes: when a withdrawal
// ends, entries stored for many hives all or none, moves and where a hive
// stands, colony events, the hive that cannot be deleted for its history,
// products in use, who may change products, two desktops, and every field
// keeping a hostile text as typed.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "db/modelo_teste.h"
#include "model/colmeia.h"
#include "model/diario.h"
#include "model/produto.h"
#include "model/revisao.h"
#include "support/textos_hostis.h"

namespace {

// The sample products, by key.
enum { AMITRAZ = 1, TIMOL = 2, OXALICO = 3, XAROPE = 4 };

class Diario : public teste::ModeloTeste
{
protected:
    void SetUp() override
    {
        teste::ModeloTeste::SetUp();
        diario.reset(new DIARIO(q.get()));
        colmeias.reset(new COLMEIA(q.get()));
        produtos.reset(new PRODUTO(q.get()));
        // Hives 1 to 3 in apiary 1 (Dourados), 4 in apiary 3 (Itaporã).
        for (int apiario : { 1, 1, 1, 3 }) {
            COLMEIAS c;
            c.tipo = "Langstroth";
            c.status = "Ativa";
            c.id_apiario = apiario;
            ASSERT_TRUE(colmeias->inserir(&c)) << colmeias->falha().motivo();
        }
    }

    // The day `n` days from today, as typed.
    std::string dia(int n)
    {
        return banco.valor("select to_char(current_date + " + std::to_string(n) + ", 'DD/MM/YYYY')");
    }

    TRATAMENTOS tratamento(int produto, const std::string& inicio, const std::string& fim)
    {
        TRATAMENTOS t;
        t.id_produto = produto;
        t.inicio = inicio;
        t.fim = fim;
        return t;
    }

    MOVIMENTACOES movimento(int destino, const std::string& data, const std::string& gta = "")
    {
        MOVIMENTACOES m;
        m.id_destino = destino;
        m.data = data;
        m.gta = gta;
        m.finalidade = "Florada";
        return m;
    }

    std::string contar(const std::string& tabela)
    {
        return banco.valor("select count(*) from cadastro." + tabela);
    }

    std::string apiario_de(int colmeia)
    {
        return banco.valor("select id_apiario from cadastro.colmeia where id_colmeia = " + std::to_string(colmeia));
    }

    std::unique_ptr<DIARIO> diario;
    std::unique_ptr<COLMEIA> colmeias;
    std::unique_ptr<PRODUTO> produtos;
};

} // namespace

// The withdrawal ends at the treatment's end plus the days its product had
// then; the latest end of the treatments of a hive wins, one that ended
// yesterday is not in force, and a later change of the product's period
// leaves past treatments as they were.
TEST_F(Diario, CarenciaTerminaNoFimMaisOsDiasDoProdutoEAMaisTardiaVale)
{
    struct Caso
    {
        const char* o_que;
        std::vector<TRATAMENTOS> tratamentos;
        std::string ate;   // what the hive shows: "" for none in force
    } casos[] = {
        { "strips of 14 days, same day", { tratamento(AMITRAZ, dia(-3), dia(-3)) }, dia(11) },
        { "no withdrawal, ends today", { tratamento(OXALICO, dia(-10), dia(0)) }, dia(0) },
        { "no withdrawal, ended yesterday", { tratamento(OXALICO, dia(-10), dia(-1)) }, "" },
        { "overlapping: the latest end wins",
          { tratamento(TIMOL, dia(-20), dia(-5)), tratamento(AMITRAZ, dia(-4), dia(-2)) }, dia(25) },
    };
    int colmeia = 0;
    for (const Caso& c : casos) {
        ++colmeia;
        if (colmeia > 4)
            break;
        for (const TRATAMENTOS& t : c.tratamentos)
            ASSERT_TRUE(diario->tratar(t, { colmeia })) << c.o_que << ": " << diario->falha().mensagem;
        EXPECT_EQ(diario->carencia_ate(colmeia), c.ate) << c.o_que;
        EXPECT_EQ(colmeias->get_colmeia(colmeia).carencia_ate, c.ate) << c.o_que;
    }
    EXPECT_EQ(em_carencia(dia(11)), "Em carência até " + dia(11));

    // An administrator doubles the strips' period: hive 1 keeps its 14 days.
    PRODUTOS p = produtos->get_produto(AMITRAZ);
    p.carencia = "28";
    ASSERT_TRUE(produtos->atualizar(&p)) << produtos->falha().motivo();
    EXPECT_EQ(diario->carencia_ate(1), dia(11));
    const LISTA_DIARIO l = diario->listar(1);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(diario->get_tratamento(l[0].id).carencia, "14");
    // Who recorded it is the user logged in on the session.
    EXPECT_EQ(diario->get_tratamento(l[0].id).registrado_por, banco.valor("select nome from cadastro.usuario "
                                                                          "where login = 'admin'"));
    // The end before the start is refused before anything is sent.
    EXPECT_FALSE(diario->tratar(tratamento(TIMOL, dia(0), dia(-1)), { 1 }));
    EXPECT_FALSE(diario->falha().motivo().empty());
}

// A treatment, a feeding, a weight or a move for many hives is stored for
// each of them or, when the database refuses one, for none.
TEST_F(Diario, ParaMuitasColmeiasTodasOuNenhuma)
{
    ALIMENTACOES a;
    a.data = "01/03/2025";
    a.id_produto = XAROPE;
    a.quantidade = "1,5";
    a.unidade = "L";
    PESAGENS p;
    p.data = "01/03/2025";
    p.peso = "32,5";
    ASSERT_TRUE(diario->tratar(tratamento(TIMOL, "01/03/2025", "20/03/2025"), { 1, 2, 3 }))
        << diario->falha().mensagem;
    ASSERT_TRUE(diario->alimentar(a, { 1, 2, 3, 4 })) << diario->falha().motivo();
    ASSERT_TRUE(diario->pesar(p, { 2, 4 })) << diario->falha().motivo();
    EXPECT_EQ(banco.unidos("select id_colmeia from cadastro.tratamento order by 1"), "1|2|3|");
    EXPECT_EQ(banco.unidos("select id_colmeia || ' ' || quantidade from cadastro.alimentacao order by 1"),
              "1 1.500|2 1.500|3 1.500|4 1.500|");
    EXPECT_EQ(banco.unidos("select id_colmeia || ' ' || peso_kg from cadastro.pesagem order by 1"),
              "2 32.500|4 32.500|");

    // Hive 4 already stands in apiary 3: moving 1, 4 and 2 there moves none.
    EXPECT_FALSE(diario->mover(movimento(3, "02/03/2025"), { 1, 4, 2 }));
    EXPECT_NE(diario->falha().motivo().find("já está no apiário de destino"), std::string::npos)
        << diario->falha().motivo();
    EXPECT_EQ(contar("movimentacao"), "0");
    EXPECT_EQ(apiario_de(1), "1");
    // A feed that is not of kind Alimento, an ended hive: nothing stored.
    a.id_produto = TIMOL;
    EXPECT_FALSE(diario->alimentar(a, { 1, 2 }));
    EXPECT_EQ(diario->falha().motivo(), "Escolha um produto do tipo Alimento.");
    ASSERT_EQ(banco.executar("update cadastro.colmeia set status = 'Morta' where id_colmeia = 3"), "");
    EXPECT_FALSE(diario->tratar(tratamento(TIMOL, "05/03/2025", "06/03/2025"), { 1, 3 }));
    EXPECT_NE(diario->falha().motivo().find("encerrada"), std::string::npos) << diario->falha().motivo();
    EXPECT_FALSE(diario->pesar(p, {}));
    EXPECT_EQ(contar("tratamento"), "3");
    EXPECT_EQ(contar("alimentacao"), "4");
}

// A hive stands where its latest move took it; each move starts where it
// stood; a move deleted puts it back; a move to another municipality is
// counted for the question about the transit guide.
TEST_F(Diario, MovimentacoesDizemOndeAColmeiaEsta)
{
    EXPECT_EQ(diario->para_outro_municipio(movimento(3, "01/04/2025"), { 1, 2 }), 2);
    EXPECT_EQ(diario->para_outro_municipio(movimento(2, "01/04/2025"), { 1, 2, 4 }), 1);
    ASSERT_TRUE(diario->mover(movimento(3, "01/04/2025", "GTA-123"), { 1, 2 })) << diario->falha().motivo();
    ASSERT_TRUE(diario->mover(movimento(2, "01/06/2025"), { 1 })) << diario->falha().motivo();
    EXPECT_EQ(apiario_de(1), "2");
    EXPECT_EQ(apiario_de(2), "3");
    EXPECT_EQ(banco.unidos("select id_origem || '>' || id_destino || ' ' || gta from cadastro.movimentacao "
                           "where id_colmeia = 1 order by data"),
              "1>3 GTA-123|3>2 |");
    const LISTA_DIARIO l = diario->listar(1);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].data, "01/06/2025");
    EXPECT_EQ(l[0].resumo, "Apiário Três Irmãos → Apiário Santa Luzia, sem GTA");
    EXPECT_EQ(l[1].resumo, "Apiário Boa Esperança → Apiário Três Irmãos, GTA GTA-123");
    EXPECT_EQ(diario->get_movimentacao(l[1].id).origem, "Apiário Boa Esperança");
    ASSERT_TRUE(diario->deletar(Registro::MOVIMENTACAO, l[0].id));
    EXPECT_EQ(apiario_de(1), "3");
    ASSERT_TRUE(diario->deletar(Registro::MOVIMENTACAO, l[1].id));
    EXPECT_EQ(apiario_de(1), "1");
}

// A hive with treatments, findings or moves cannot be deleted (it is to be
// ended instead); one with only inspections, feedings and weights is, with them.
TEST_F(Diario, ColmeiaComHistoricoNaoSeExclui)
{
    OCORRENCIAS o;
    o.id_colmeia = 2;
    o.data = "10/04/2025";
    o.doenca = "Varroose";
    o.nivel = "leve";
    ASSERT_TRUE(diario->registrar(&o)) << diario->falha().motivo();
    EXPECT_GT(o.id, 0);
    ASSERT_TRUE(diario->tratar(tratamento(TIMOL, "01/04/2025", "02/04/2025"), { 1 }));
    ASSERT_TRUE(diario->mover(movimento(2, "01/04/2025"), { 3 }));
    PESAGENS p;
    p.data = "01/04/2025";
    p.peso = "30";
    ASSERT_TRUE(diario->pesar(p, { 4 }));
    REVISAO revisoes(q.get());
    REVISOES r;
    r.id_colmeia = 4;
    r.data = "02/04/2025";
    r.status = "Ativa";
    ASSERT_TRUE(revisoes.inserir(&r));
    for (int c : { 1, 2, 3 }) {
        EXPECT_FALSE(colmeias->deletar(c)) << c;
        EXPECT_NE(colmeias->falha().motivo().find("marque-a como encerrada"), std::string::npos)
            << colmeias->falha().motivo();
    }
    EXPECT_EQ(contar("colmeia"), "4");
    EXPECT_TRUE(colmeias->deletar(4)) << colmeias->falha().motivo();
    EXPECT_EQ(contar("colmeia"), "3");
    EXPECT_EQ(contar("pesagem"), "0");
}

// A split makes a hive linked to its parent in the parent's apiary; a union
// ends a hive as Unida, after which it takes no entry; deleting the union
// gives it back its status; a loss by death ends it as Morta.
TEST_F(Diario, EventosDaColonia)
{
    EVENTOS_COLONIA divisao;
    divisao.tipo = "Divisão";
    divisao.data = "05/05/2025";
    divisao.id_relacionada = 4;
    COLMEIAS nova;
    nova.tipo = "Núcleo";
    ASSERT_TRUE(diario->registrar(&divisao, &nova)) << diario->falha().motivo();
    EXPECT_EQ(nova.id, 5);
    EXPECT_EQ(banco.valor("select tipo || ' ' || status || ' ' || id_apiario || ' ' || data_instalacao "
                          "from cadastro.colmeia where id_colmeia = 5"),
              "Núcleo Órfã 3 2025-05-05");
    EXPECT_EQ(diario->listar(5)[0].resumo, "da colméia 4, sem rainha");
    EXPECT_EQ(diario->listar(4)[0].resumo, "deu a colméia 5");

    EVENTOS_COLONIA uniao;
    uniao.tipo = "Junção";
    uniao.data = "06/05/2025";
    uniao.id_colmeia = 2;
    uniao.id_relacionada = 1;
    ASSERT_TRUE(diario->registrar(&uniao)) << diario->falha().motivo();
    EXPECT_EQ(colmeias->get_colmeia(2).status, "Unida");
    EXPECT_FALSE(diario->tratar(tratamento(TIMOL, "07/05/2025", "08/05/2025"), { 2 }));
    EXPECT_NE(diario->falha().motivo().find("encerrada"), std::string::npos);
    // A split from an ended hive is refused and leaves no new hive.
    divisao.id_relacionada = 2;
    nova = COLMEIAS();
    nova.tipo = "Núcleo";
    EXPECT_FALSE(diario->registrar(&divisao, &nova));
    EXPECT_EQ(contar("colmeia"), "5");
    ASSERT_TRUE(diario->deletar(Registro::EVENTO, uniao.id));
    EXPECT_EQ(colmeias->get_colmeia(2).status, "Ativa");

    EVENTOS_COLONIA perda;
    perda.tipo = "Perda";
    perda.data = "07/05/2025";
    perda.id_colmeia = 3;
    EXPECT_FALSE(diario->registrar(&perda));
    EXPECT_EQ(diario->falha().motivo(), "Escolha o motivo da perda.");
    perda.motivo = "morte";
    ASSERT_TRUE(diario->registrar(&perda)) << diario->falha().motivo();
    EXPECT_EQ(colmeias->get_colmeia(3).status, "Morta");
    EXPECT_EQ(diario->listar(3)[0].tipo, "Perda");
}

// The journal lists every kind, newest first, and filters by kind; a
// finding says how it is notified.
TEST_F(Diario, DiarioDeTodosOsTiposComFiltro)
{
    ASSERT_TRUE(diario->tratar(tratamento(AMITRAZ, "01/02/2025", "15/03/2025"), { 1 }));
    OCORRENCIAS o;
    o.id_colmeia = 1;
    o.data = "20/02/2025";
    o.doenca = "Cria pútrida americana";
    o.quadros = "2";
    ASSERT_TRUE(diario->registrar(&o)) << diario->falha().motivo();
    EVENTOS_COLONIA venda;
    venda.tipo = "Venda";
    venda.data = "01/04/2025";
    venda.id_colmeia = 1;
    ASSERT_TRUE(diario->registrar(&venda));
    std::vector<std::string> vistos;
    for (const ENTRADA_DIARIO& e : diario->listar(1))
        vistos.push_back(e.data + " " + e.tipo + ": " + e.resumo);
    EXPECT_EQ(vistos, (std::vector<std::string> {
                          "01/04/2025 Venda: ",
                          "20/02/2025 Ocorrência: Cria pútrida americana, 2 quadros (notificação imediata)",
                          "01/02/2025 Tratamento: Tiras de amitraz (exemplo) até 15/03/2025; carência até 29/03/2025",
                      }));
    const Registro so = Registro::OCORRENCIA;
    EXPECT_EQ(diario->listar(1, &so).size(), 1u);
    const Registro eventos = Registro::EVENTO;
    EXPECT_EQ(diario->listar(1, &eventos)[0].registro, Registro::EVENTO);
    EXPECT_EQ(diario->get_ocorrencia(o.id).notificacao, "notificação imediata");
    for (const char* d : DOENCAS)
        EXPECT_EQ(notificacao_imediata(d), std::string(notificacao(d)) == "notificação imediata") << d;
    EXPECT_STREQ(notificacao("Nosemose"), "notificação mensal");
    EXPECT_STREQ(notificacao("Outra"), "");
}

// A product in use cannot be deleted, and the refusal says where; one in no
// use is deleted.
TEST_F(Diario, ProdutoEmUsoNaoSeExclui)
{
    ASSERT_TRUE(diario->tratar(tratamento(TIMOL, "01/02/2025", "15/03/2025"), { 1, 3 }));
    EXPECT_FALSE(produtos->deletar(TIMOL));
    EXPECT_NE(produtos->falha().motivo().find("em uso em 2 tratamentos (colméias 1, 3)"), std::string::npos)
        << produtos->falha().motivo();
    EXPECT_TRUE(produtos->deletar(OXALICO)) << produtos->falha().motivo();
    EXPECT_EQ(contar("produto"), "5");
    PRODUTOS novo;
    novo.nome = "Tiras de amitraz (exemplo)";
    novo.tipo = "Medicamento";
    novo.carencia = "0";
    novo.unidade = "tira";
    EXPECT_FALSE(produtos->inserir(&novo));
    EXPECT_EQ(produtos->falha().motivo(), "Já existe um produto com este nome.");
    novo.nome = "Própolis";
    novo.carencia = "-1";
    EXPECT_FALSE(produtos->inserir(&novo));
    EXPECT_EQ(contar("produto"), "5");
}

// An operator's session records entries and corrects a product's name, but
// only an administrator adds or deletes products or changes a kind or a
// withdrawal period.
TEST_F(Diario, SoOAdministradorMudaProdutosECarencias)
{
    PGconn* c = PQconnectdb(teste::conexao_app(banco.nome()).c_str());
    ASSERT_EQ(PQstatus(c), CONNECTION_OK);
    auto erro = [c](const std::string& sql) {
        PGresult* r = PQexec(c, sql.c_str());
        const ExecStatusType s = PQresultStatus(r);
        std::string e = s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK ? "" : PQresultErrorMessage(r);
        PQclear(r);
        return e;
    };
    for (const char* sql : { "update cadastro.produto set carencia_dias = 0 where id_produto = 1",
                             "update cadastro.produto set tipo = 'Alimento' where id_produto = 1",
                             "insert into cadastro.produto (nome, tipo, unidade) values ('X', 'Medicamento', 'g')",
                             "delete from cadastro.produto where id_produto = 3" })
        EXPECT_NE(erro(sql).find("somente um administrador"), std::string::npos) << sql;
    EXPECT_EQ(erro("update cadastro.produto set principio_ativo = 'amitraz 500 mg' where id_produto = 1"), "");
    EXPECT_EQ(erro("insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim, carencia_dias) "
                   "values (1, 1, '2025-01-01', '2025-01-02', 0)"),
              "");
    PQfinish(c);
    // The treatment keeps its product's period, whatever was sent.
    EXPECT_EQ(banco.valor("select carencia_dias from cadastro.tratamento"), "14");
    EXPECT_EQ(banco.valor("select carencia_dias from cadastro.produto where id_produto = 1"), "14");
}

// An entry saved or deleted from what another desktop changed since is
// refused; an entry added is a new version of its hive.
TEST_F(Diario, DuasEstacoes)
{
    ASSERT_TRUE(diario->tratar(tratamento(TIMOL, "01/02/2025", "15/03/2025"), { 1 }));
    const ENTRADA_DIARIO listado = diario->listar(1)[0];
    TRATAMENTOS lido = diario->get_tratamento(listado.id);
    EXPECT_EQ(listado.versao, lido.versao);
    const COLMEIAS colmeia = colmeias->get_colmeia(1);
    QUERY outra(conf.c_str());
    teste::entrar_como_administrador(outra);
    DIARIO la(&outra);
    TRATAMENTOS dela = la.get_tratamento(lido.id);
    dela.obs = "trocada lá";
    ASSERT_TRUE(la.atualizar(dela)) << la.falha().motivo();
    lido.obs = "trocada aqui";
    EXPECT_FALSE(diario->atualizar(lido));
    EXPECT_TRUE(diario->falha().conflito());
    // Nor is a delete from the journal's list as it was shown.
    EXPECT_FALSE(diario->deletar(Registro::TRATAMENTO, listado.id, listado.versao));
    EXPECT_EQ(banco.valor("select obs from cadastro.tratamento"), "trocada lá");
    PESAGENS p;
    p.data = "01/04/2025";
    p.peso = "31";
    ASSERT_TRUE(la.pesar(p, { 1 }));
    COLMEIAS velha = colmeia;
    velha.obs = "de antes da pesagem";
    EXPECT_FALSE(colmeias->atualizar(&velha));
    EXPECT_TRUE(colmeias->falha().conflito());
}

// Every text field of the journal and of the products keeps a hostile text
// byte for byte.
TEST_F(Diario, TextosHostisVoltamComoForam)
{
    int n = 0;
    for (const std::string& texto : teste::corpus_hostil()) {
        ++n;
        PRODUTOS p;
        p.nome = "P" + std::to_string(n) + texto;
        p.tipo = "Medicamento";
        p.principio_ativo = texto;
        p.carencia = "0";
        p.unidade = "g";
        ASSERT_TRUE(produtos->inserir(&p)) << teste::mostrar(texto) << produtos->falha().motivo();
        EXPECT_EQ(produtos->get_produto(p.id).principio_ativo, texto);
        EXPECT_EQ(produtos->get_produto(p.id).nome, p.nome);
        TRATAMENTOS t = tratamento(p.id, "01/01/2025", "02/01/2025");
        t.lote = texto;
        t.obs = texto;
        ASSERT_TRUE(diario->tratar(t, { 1 })) << teste::mostrar(texto) << diario->falha().motivo();
        OCORRENCIAS o;
        o.id_colmeia = 2;
        o.data = "01/01/2025";
        o.doenca = "Outra";
        o.outra = "O" + texto;
        o.obs = texto;
        ASSERT_TRUE(diario->registrar(&o)) << teste::mostrar(texto) << diario->falha().motivo();
        const OCORRENCIAS lida = diario->get_ocorrencia(o.id);
        EXPECT_EQ(lida.outra, o.outra);
        EXPECT_EQ(lida.obs, texto);
        MOVIMENTACOES m = movimento(n % 2 ? 2 : 1, "01/01/2025", texto);
        m.obs = texto;
        ASSERT_TRUE(diario->mover(m, { 3 })) << teste::mostrar(texto) << diario->falha().motivo();
        EVENTOS_COLONIA e;
        e.tipo = "Captura de Enxame";
        e.data = "01/01/2025";
        e.local = texto;
        e.obs = texto;
        COLMEIAS nova;
        nova.tipo = "Outro";
        nova.id_apiario = 1;
        ASSERT_TRUE(diario->registrar(&e, &nova)) << teste::mostrar(texto) << diario->falha().motivo();
        EXPECT_EQ(diario->get_evento(e.id).local, texto);
    }
    const LISTA_DIARIO l = diario->listar(1);
    ASSERT_EQ(l.size(), static_cast<std::size_t>(n));
    for (const ENTRADA_DIARIO& e : l) {
        const TRATAMENTOS t = diario->get_tratamento(e.id);
        EXPECT_EQ(t.lote, t.obs);
    }
    for (const ENTRADA_DIARIO& e : diario->listar(3)) {
        const MOVIMENTACOES m = diario->get_movimentacao(e.id);
        EXPECT_EQ(m.gta, m.obs);
    }
}

// The sample hives of a new database give every journal window something
// to show: a hive in withdrawal today, and each kind of entry.
TEST(DiarioDeExemplo, CadaJanelaTemOQueMostrar)
{
    teste::BancoTeste banco;
    std::ifstream f(teste::ambiente("ZUMBREL_SOURCE_DIR") + "/sql/exemplo_manejo.sql");
    std::stringstream sql;
    sql << f.rdbuf();
    ASSERT_EQ(banco.executar(sql.str()), "");
    EXPECT_EQ(banco.unidos("select tipo, count(*) from cadastro.diario group by tipo order by tipo"),
              "Alimentação|4|Movimentação|1|Ocorrência|1|Pesagem|1|Revisão|36|Tratamento|1|");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.colmeia where exists (select 1 from cadastro.tratamento t "
                          "where t.id_colmeia = colmeia.id_colmeia and t.carencia_ate >= current_date)"),
              "1");
    EXPECT_EQ(banco.valor("select id_apiario from cadastro.colmeia where id_colmeia = 3"), "3");
    EXPECT_EQ(banco.valor("select status from cadastro.colmeia where id_colmeia = 4"), "Fraca");
}
