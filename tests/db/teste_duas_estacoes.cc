// Two desktops on one database at once: two connections (each its own
// QUERY, used by one thread only, as each program uses its own) save and
// list the same tables in a bounded loop. No record is lost or doubled,
// each desktop always finds what it saved, and neither fails.
#include <atomic>
#include <iostream>
#include <set>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "db/query.h"
#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/florada.h"
#include "model/usuario.h"
#include "support/banco_teste.h"
#include "util/senha.h"

namespace {

const int VOLTAS = 100;

// Swallows the trace of both desktops: it keeps no state, so two threads
// may write to it at once.
class Descarte : public std::streambuf
{
protected:
    int overflow(int c) override { return c == traits_type::eof() ? 0 : c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

class SemSaida
{
public:
    SemSaida() : antigo_(std::cout.rdbuf(&descarte_)) {}
    ~SemSaida() { std::cout.rdbuf(antigo_); }

private:
    Descarte descarte_;
    std::streambuf* antigo_;
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
        u.senha = "s" + nome;
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
        std::vector<ABELHAS> bs = abelha.listar();
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
        const TABELA usuarios = banco.consultar("select login, senha from cadastro.usuario "
                                                "where login like 'login" + l + "''%'");
        std::set<std::string> logins;
        for (const LINHA& u : usuarios) {
            EXPECT_TRUE(senha::confere("s" + u[0].substr(5), u[1])) << u[0];
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
