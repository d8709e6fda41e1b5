// Two desktops on one database at once: two connections (each its own
// QUERY, used by one thread only, as each program uses its own) save and
// list the same tables in a bounded loop. No record is lost or doubled,
// each desktop always finds what it saved, and neither fails. Then the two
// take turns on the same records: a save or delete of a copy the other
// changed or deleted since it was read is refused, never overwrites.
#include <atomic>
#include <iostream>
#include <memory>
#include <set>
#include <streambuf>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "db/query.h"
#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/colmeia.h"
#include "model/empresa.h"
#include "model/revisao.h"
#include "model/florada.h"
#include "model/usuario.h"
#include "support/banco_teste.h"
#include "util/senha.h"
#include "support/captura.h"

namespace {

const int VOLTAS = 100;

// Swallows the trace of both desktops: it keeps no state, so two threads
// may write to it at once.
class SemSaida
{
public:
    SemSaida() : antes_(rastro::desviar([](const char*, std::size_t) {})) {}
    ~SemSaida() { rastro::desviar(std::move(antes_)); }

private:
    rastro::Destino antes_;
};

// What one desktop did wrong, kept to be reported from the test's thread.
struct Estacao
{
    char letra;
    QUERY* query;
    std::vector<std::string> falhas;
    std::set<int> apiarios, abelhas, usuarios, floradas, niveis;
};

template <class Lista, class F>
bool contem(const Lista& lista, F igual)
{
    for (const auto& item : lista) {
        if (igual(item))
            return true;
    }
    return false;
}

void trabalhar(Estacao& e, std::atomic<int>& prontas)
{
    FLORADAS floradas(e.query);
    APIARIO apiario(e.query);
    ABELHA abelha(e.query);
    ACESSO acesso(e.query);
    USUARIO usuario(e.query);
    auto falhou = [&e](int volta, const std::string& o_que) {
        e.falhas.push_back(std::string(1, e.letra) + " turn " + std::to_string(volta) + ": " + o_que + " (" +
                           e.query->get_mensagem() + ")");
    };

    // Both start together, so that their statements interleave.
    ++prontas;
    while (prontas.load() < 2)
        std::this_thread::yield();

    for (int volta = 0; volta < VOLTAS; ++volta) {
        const std::string nome = std::string(1, e.letra) + "'" + std::to_string(volta);

        FLORADA f;
        f.nome_florada = "Florada " + nome;
        const std::string chave = floradas.inserir(f);
        if (chave.empty()) {
            falhou(volta, "floral source");
            continue;
        }
        const int id_florada = std::stoi(chave);
        e.floradas.insert(id_florada);

        APIARIOS a;
        a.nome = "Apiário " + nome;
        a.data_criacao = "01/02/2003";
        a.florada.id_florada = id_florada;
        a.municipio.cod_cid = 5003702;   // Dourados
        if (!apiario.Cadastrar_Apiario(&a))
            falhou(volta, "apiary");
        else
            e.apiarios.insert(a.id_apiario);

        ABELHAS b;
        b.nascimento = "03/04/2005";
        b.mae = 1;
        if (!abelha.inserir(&b))
            falhou(volta, "queen bee");
        else
            e.abelhas.insert(b.id);

        ACESS n;
        n.descricao = "Nível " + nome;
        n.nivel = -volta;   // below the administrators' level
        if (!acesso.inserir(&n))
            falhou(volta, "access level");
        else
            e.niveis.insert(n.id);

        USER u;
        u.nome = "Usuário " + nome;
        u.login = "login" + nome;
        u.senha = "senha de " + nome;
        u.nasc = "05/06/1990";
        u.cep.id = 1;
        if (!usuario.inserir_usuario(&u))
            falhou(volta, "user");

        // Each desktop lists what both have saved; what it saved itself is
        // always there.
        LISTA_APIARIOS lista;
        apiario.Get_Apiarios(&lista);
        for (int id : e.apiarios) {
            if (!contem(lista, [id](const APIARIOS& x) { return x.id_apiario == id; }))
                falhou(volta, "apiary " + std::to_string(id) + " missing from the list");
        }
        std::vector<FLORADA> fl = floradas.listar_floradas();
        for (int id : e.floradas) {
            if (!contem(fl, [id](const FLORADA& x) { return x.id_florada == id; }))
                falhou(volta, "floral source " + std::to_string(id) + " missing from the list");
        }
        const LISTA_ABELHAS bs = abelha.listar();
        for (int id : e.abelhas) {
            if (!contem(bs, [id](const ABELHAS& x) { return x.id == id && x.rgn == formatar_rgn(id, 1); }))
                falhou(volta, "queen bee " + std::to_string(id) + " missing from the list");
        }
        std::vector<ACESS> ns = acesso.listar();
        for (int id : e.niveis) {
            if (!contem(ns, [id](const ACESS& x) { return x.id == id; }))
                falhou(volta, "access level " + std::to_string(id) + " missing from the list");
        }
        const LISTA_USUARIOS us = usuario.Get_User(-1);
        if (!contem(us, [&u](const USER& x) { return x.login == u.login && x.nome == u.nome; }))
            falhou(volta, "user " + u.login + " missing from the list");
        else
            e.usuarios.insert(volta);
        const LISTA_USUARIOS achados = usuario.Get_User("u.nome like " + e.query->literal("Usuário " + nome + "%"));
        if (achados.size() != 1)
            falhou(volta, "search for " + nome + " found " + std::to_string(achados.size()));
    }
}

} // namespace

TEST(DuasEstacoes, GravamEListamAsMesmasTabelasSemPerderRegistro)
{
    teste::BancoTeste banco;
    const std::string conf = banco.escrever_conf(teste::pasta_temporaria());
    SemSaida silencio;
    // Both connections are opened before the threads start: opening one
    // sets the session's environment for libpq.
    QUERY q1(conf.c_str());
    QUERY q2(conf.c_str());
    ASSERT_TRUE(q1.get_conectado()) << q1.get_mensagem();
    ASSERT_TRUE(q2.get_conectado()) << q2.get_mensagem();
    teste::entrar_como_administrador(q1);
    teste::entrar_como_administrador(q2);
    const std::string antes = banco.valor("select count(*) from cadastro.apiario");

    Estacao a { 'A', &q1, {}, {}, {}, {}, {}, {} };
    Estacao b { 'B', &q2, {}, {}, {}, {}, {}, {} };
    std::atomic<int> prontas { 0 };
    std::thread ta(trabalhar, std::ref(a), std::ref(prontas));
    std::thread tb(trabalhar, std::ref(b), std::ref(prontas));
    ta.join();
    tb.join();

    for (const Estacao* e : { &a, &b }) {
        EXPECT_TRUE(e->falhas.empty()) << e->falhas.size() << " failures, first: " << e->falhas.front();
        EXPECT_EQ(e->apiarios.size(), static_cast<std::size_t>(VOLTAS));
        EXPECT_EQ(e->usuarios.size(), static_cast<std::size_t>(VOLTAS));
    }

    // Every record is in the database exactly once, with the values saved.
    for (char letra : { 'A', 'B' }) {
        const std::string l(1, letra);
        const std::string n = std::to_string(VOLTAS);
        EXPECT_EQ(banco.valor("select count(*) || '/' || count(distinct nome) from cadastro.apiario "
                              "where nome like 'Apiário " + l + "''%'"), n + "/" + n);
        EXPECT_EQ(banco.valor("select count(*) || '/' || count(distinct nome_florada) from cadastro.florada "
                              "where nome_florada like 'Florada " + l + "''%'"), n + "/" + n);
        // Each with its own password, stored salted.
        const TABELA usuarios = banco.consultar("select login, forma from cadastro.usuario "
                                                "join seguranca.credencial using (id_usuario) "
                                                "where login like 'login" + l + "''%'");
        std::set<std::string> logins;
        for (const LINHA& u : usuarios) {
            EXPECT_TRUE(teste::forma_confere("senha de " + u[0].substr(5), u[1])) << u[0];
            logins.insert(u[0]);
        }
        EXPECT_EQ(usuarios.size(), static_cast<std::size_t>(VOLTAS));
        EXPECT_EQ(logins.size(), static_cast<std::size_t>(VOLTAS));
        EXPECT_EQ(banco.valor("select count(*) || '/' || count(distinct desc_acesso) from cadastro.acesso "
                              "where desc_acesso like 'Nível " + l + "''%'"), n + "/" + n);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.apiario a join cadastro.florada f "
                          "on a.id_florada = f.id_florada "
                          "where a.id_apiario > 4 and substr(a.nome, 9) <> substr(f.nome_florada, 9)"),
              "0");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.apiario"), std::to_string(std::stoi(antes) + 2 * VOLTAS));
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha where id_abelha > 8 and filha = 1 "
                          "and rgn = lpad(id_abelha::text, 5, '0') || '-00001'"),
              std::to_string(2 * VOLTAS));
}

namespace {

// Two desktops, each with its own connection, taking turns on the same
// records; the trace of both is captured together.
class OutraEstacao : public ::testing::Test
{
protected:
    void SetUp() override
    {
        conf = banco.escrever_conf(teste::pasta_temporaria());
        q1.reset(new QUERY(conf.c_str()));
        q2.reset(new QUERY(conf.c_str()));
        ASSERT_TRUE(q1->get_conectado()) << q1->get_mensagem();
        ASSERT_TRUE(q2->get_conectado()) << q2->get_mensagem();
        // An administrator logged in on each desktop.
        teste::entrar_como_administrador(*q1);
        teste::entrar_como_administrador(*q2);
        saida.tomar();
    }

    teste::BancoTeste banco;
    std::string conf;
    teste::CapturaSaida saida;
    std::unique_ptr<QUERY> q1;
    std::unique_ptr<QUERY> q2;
};

// A copy of the first item that matches (a failure when none does).
template <class Lista, class F>
auto achar(const Lista& lista, F igual) -> typename std::decay<decltype(*lista.begin())>::type
{
    for (const auto& item : lista) {
        if (igual(item))
            return item;
    }
    ADD_FAILURE() << "not in the list";
    return *lista.begin();
}

} // namespace

// An apiary changed by the other desktop since this one loaded it: the save
// of the stale copy is refused (nothing overwritten), and once loaded again
// it shows the other desktop's values and saves.
TEST_F(OutraEstacao, ApiarioAlteradoNaOutraNaoESobrescrito)
{
    APIARIO a1(q1.get()), a2(q2.get());
    LISTA_APIARIOS l1, l2;
    a1.Get_Apiarios(&l1);
    a2.Get_Apiarios(&l2);
    APIARIOS meu = l1[0], dela = l2[0];
    ASSERT_EQ(meu.id_apiario, 1);
    ASSERT_FALSE(meu.versao.empty());
    ASSERT_EQ(meu.versao, dela.versao);

    dela.obs = "Escrito na outra estação";
    ASSERT_TRUE(a2.Atualizar_Apiario(&dela)) << q2->get_mensagem();
    meu.obs = "Escrito nesta estação";
    saida.tomar();
    EXPECT_FALSE(a1.Atualizar_Apiario(&meu));
    EXPECT_NE(saida.tomar().find(" WHERE id_apiario=1 and xmin='" + meu.versao + "'\n"), std::string::npos);
    EXPECT_TRUE(a1.falha().conflito());
    EXPECT_EQ(banco.valor("select obs from cadastro.apiario where id_apiario = 1"), "Escrito na outra estação");

    l1 = LISTA_APIARIOS();
    a1.Get_Apiarios(&l1);
    APIARIOS agora = l1[0];
    EXPECT_EQ(agora.obs, "Escrito na outra estação");
    EXPECT_NE(agora.versao, meu.versao);
    agora.obs = "Escrito nesta estação";
    EXPECT_TRUE(a1.Atualizar_Apiario(&agora)) << q1->get_mensagem();
    EXPECT_EQ(banco.valor("select obs from cadastro.apiario where id_apiario = 1"), "Escrito nesta estação");

    // Removed by someone else: the update fails, with or without a version.
    ASSERT_EQ(banco.executar("delete from cadastro.apiario where id_apiario = 2"), "");
    APIARIOS removido = l1[1];
    ASSERT_EQ(removido.id_apiario, 2);
    EXPECT_FALSE(a1.Atualizar_Apiario(&removido));
    EXPECT_TRUE(a1.falha().conflito());
    removido.versao.clear();
    EXPECT_FALSE(a1.Atualizar_Apiario(&removido));
    EXPECT_EQ(banco.valor("select count(*) from cadastro.apiario where id_apiario = 2"), "0");
}

// A queen bee: a stale update and a stale delete are refused and leave the
// other desktop's values; an update of a bee the other desktop deleted
// fails; a fresh copy deletes.
TEST_F(OutraEstacao, AbelhaAlteradaOuApagadaNaOutra)
{
    ABELHA b1(q1.get()), b2(q2.get());
    const LISTA_ABELHAS minhas = b1.listar();
    const LISTA_ABELHAS delas = b2.listar();
    const auto id = [](int n) { return [n](const ABELHAS& b) { return b.id == n; }; };

    ABELHAS dela = achar(delas, id(7));
    dela.nascimento = "01/01/2019";
    ASSERT_TRUE(b2.atualizar(&dela)) << q2->get_mensagem();

    ABELHAS minha = achar(minhas, id(7));
    minha.matriz = !minha.matriz;
    EXPECT_FALSE(b1.atualizar(&minha));
    EXPECT_TRUE(b1.falha().conflito());
    saida.tomar();
    EXPECT_FALSE(b1.deletar(minha.id, minha.versao));
    EXPECT_EQ(saida.tomar(), "delete from cadastro.abelha_rainha WHERE id_abelha=7 and xmin='" + minha.versao +
                                 "'\nNenhum registro foi alterado: nenhum atende à condição.\n");
    EXPECT_EQ(banco.valor("select to_char(data_nasc, 'DD/MM/YYYY') || ' ' || matriz from cadastro.abelha_rainha "
                          "where id_abelha = 7"),
              "01/01/2019 " + std::string(dela.matriz ? "true" : "false"));

    const ABELHAS agora = achar(b1.listar(), id(7));
    EXPECT_EQ(agora.nascimento, "01/01/2019");
    EXPECT_TRUE(b1.deletar(agora.id, agora.versao)) << q1->get_mensagem();

    // Bee 8 deleted on the other desktop: this one's update fails.
    ASSERT_TRUE(b2.deletar(8, achar(delas, id(8)).versao)) << q2->get_mensagem();
    ABELHAS oito = achar(minhas, id(8));
    EXPECT_FALSE(b1.atualizar(&oito));
    EXPECT_TRUE(b1.falha().conflito());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha where id_abelha in (7, 8)"), "0");
}

// Access levels and users alike.
TEST_F(OutraEstacao, NivelEUsuarioAlteradosNaOutra)
{
    ACESSO n1(q1.get()), n2(q2.get());
    const auto id = [](int n) { return [n](const ACESS& a) { return a.id == n; }; };
    ACESS meu = achar(n1.listar(), id(3));
    ACESS dela = achar(n2.listar(), id(3));
    dela.descricao = "Operador da outra";
    ASSERT_TRUE(n2.atualizar(&dela)) << q2->get_mensagem();
    meu.nivel = 9;
    EXPECT_FALSE(n1.atualizar(&meu));
    EXPECT_FALSE(n1.deletar(meu.id, meu.versao));
    EXPECT_TRUE(n1.falha().conflito());
    EXPECT_EQ(banco.valor("select desc_acesso || ' ' || nivel_acesso from cadastro.acesso where id_acesso = 3"),
              "Operador da outra 1");

    USUARIO u1(q1.get()), u2(q2.get());
    const auto usuario = [](int n) { return [n](const USER& u) { return u.id == n; }; };
    USER eu = achar(u1.Get_User(-1), usuario(2));
    USER ela = achar(u2.Get_User(-1), usuario(2));
    ela.bairro = "Bairro da outra";
    ASSERT_TRUE(u2.atualizar_usuario(&ela)) << q2->get_mensagem();
    eu.nome = "Nome desta";
    EXPECT_FALSE(u1.atualizar_usuario(&eu));
    EXPECT_TRUE(u1.falha().conflito());
    EXPECT_EQ(banco.valor("select nome || ' / ' || bairro from cadastro.usuario where id_usuario = 2"),
              ela.nome + " / Bairro da outra");
    // The password of the other desktop's change is a change too.
    USER de_novo = achar(u1.Get_User(-1), usuario(2));
    ASSERT_TRUE(u2.update_senha(2, "outra senha"));
    EXPECT_FALSE(u1.atualizar_usuario(&de_novo));
}

// A hive: an inspection added on the other desktop changes its status, so a
// save of the copy read before is refused and keeps that status; so is a
// stale delete, which takes no inspection with it. Read again, it saves.
TEST_F(OutraEstacao, ColmeiaMudadaPorRevisaoNaOutra)
{
    COLMEIA c1(q1.get()), c2(q2.get());
    COLMEIAS nova;
    nova.tipo = "Langstroth";
    nova.status = "Ativa";
    nova.id_apiario = 1;
    ASSERT_TRUE(c1.inserir(&nova)) << c1.falha().motivo();
    COLMEIAS minha = c1.get_colmeia(nova.id);
    ASSERT_FALSE(minha.versao.empty());

    REVISAO r2(q2.get());
    REVISOES r;
    r.id_colmeia = nova.id;
    r.data = "02/03/2024";
    r.status = "Órfã";
    ASSERT_TRUE(r2.inserir(&r)) << r2.falha().motivo();

    minha.obs = "Escrito nesta estação";
    saida.tomar();
    EXPECT_FALSE(c1.atualizar(&minha));
    EXPECT_NE(saida.tomar().find(" WHERE id_colmeia=" + std::to_string(nova.id) + " and xmin='" + minha.versao + "'\n"),
              std::string::npos);
    EXPECT_TRUE(c1.falha().conflito());
    EXPECT_FALSE(c1.deletar(minha.id, minha.versao));
    EXPECT_TRUE(c1.falha().conflito());
    const std::string onde = " from cadastro.colmeia where id_colmeia = " + std::to_string(nova.id);
    EXPECT_EQ(banco.valor("select status || '/' || obs" + onde), "Órfã/");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.revisao where id_colmeia = " + std::to_string(nova.id)),
              "1");

    COLMEIAS agora = c1.get_colmeia(nova.id);
    EXPECT_EQ(agora.status, "Órfã");
    agora.obs = "Escrito nesta estação";
    ASSERT_TRUE(c1.atualizar(&agora)) << c1.falha().motivo();
    EXPECT_EQ(banco.valor("select status || '/' || obs" + onde), "Órfã/Escrito nesta estação");

    // A hive with a queen: the statements that look for another hive of
    // hers after the refusal leave it told as a change made elsewhere.
    COLMEIAS com_rainha = nova;
    com_rainha.rgn = "00004-00002";
    ASSERT_TRUE(c1.inserir(&com_rainha)) << c1.falha().motivo();
    COLMEIAS velha = c1.get_colmeia(com_rainha.id);
    const std::string dela = " where id_colmeia = " + std::to_string(com_rainha.id);
    ASSERT_EQ(banco.executar("update cadastro.colmeia set obs = 'Da outra'" + dela), "");
    velha.obs = "Desta";
    EXPECT_FALSE(c1.atualizar(&velha));
    EXPECT_TRUE(c1.falha().do_banco());
    EXPECT_TRUE(c1.falha().conflito());
    EXPECT_EQ(banco.valor("select obs from cadastro.colmeia" + dela), "Da outra");
}

// The company's data saved on one desktop: the other's save of what it read
// before is refused and changes nothing; read again, it saves.
TEST_F(OutraEstacao, DadosDaEmpresaAlteradosNaOutra)
{
    EMPRESA e1(q1.get()), e2(q2.get());
    EMPRESAS minha = e1.ler();
    EMPRESAS dela = e2.ler();
    ASSERT_FALSE(minha.versao.empty());
    ASSERT_EQ(minha.versao, dela.versao);
    dela.nome = "Mel da Serra";
    ASSERT_TRUE(e2.gravar(dela)) << e2.falha().motivo();

    minha.nome = "Apiário Bom Jesus";
    minha.documento = "123.456.789-09";
    EXPECT_FALSE(e1.gravar(minha));
    EXPECT_TRUE(e1.falha().conflito());
    EXPECT_EQ(banco.valor("select nome || '/' || documento from cadastro.empresa"), "Mel da Serra/");

    EMPRESAS agora = e1.ler();
    EXPECT_EQ(agora.nome, "Mel da Serra");
    agora.documento = "123.456.789-09";
    ASSERT_TRUE(e1.gravar(agora)) << e1.falha().motivo();
    EXPECT_EQ(banco.valor("select nome || '/' || documento from cadastro.empresa"), "Mel da Serra/123.456.789-09");
}
