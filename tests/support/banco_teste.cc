#include "support/banco_teste.h"

#include <atomic>
#include <iterator>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sodium.h>

#include "db/query.h"
#include "model/usuario.h"
#include "roteiro/conf_banco.h"
#include "util/senha.h"

namespace teste {

std::string ambiente(const char* nome)
{
    const char* v = std::getenv(nome);
    if (!v) {
        ADD_FAILURE() << nome << " is not set: run the tests through scripts/test";
        return std::string();
    }
    return v;
}

TABELA executar_sql(PGconn* conexao, const std::string& sql, std::string* erro)
{
    TABELA linhas;
    PGresult* r = PQexec(conexao, sql.c_str());
    ExecStatusType st = PQresultStatus(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) {
        std::string e = r ? PQresultErrorMessage(r) : PQerrorMessage(conexao);
        *erro = e.empty() ? "error" : e;
        PQclear(r);
        return linhas;
    }
    for (int i = 0; i < PQntuples(r); ++i) {
        LINHA l;
        for (int j = 0; j < PQnfields(r); ++j)
            l.push_back(PQgetisnull(r, i, j) ? std::string("<null>")
                                             : std::string(PQgetvalue(r, i, j), PQgetlength(r, i, j)));
        linhas.push_back(l);
    }
    PQclear(r);
    return linhas;
}

namespace {

std::string texto_conexao(const std::string& usuario, const std::string& senha,
                          const std::string& banco)
{
    return "hostaddr=" + ambiente("ZUMBREL_TEST_HOST") + " port=" + ambiente("ZUMBREL_TEST_PORT") +
           " dbname=" + banco + " user=" + usuario + " password=" + senha +
           " sslmode=disable options='-c datestyle=ISO,DMY' client_encoding=UTF8";
}

// Runs one SQL text on a short-lived connection; returns rows or throws.
TABELA rodar_sql(const std::string& conninfo, const std::string& sql, std::string* erro)
{
    PGconn* c = PQconnectdb(conninfo.c_str());
    if (PQstatus(c) != CONNECTION_OK) {
        std::string e = PQerrorMessage(c);
        PQfinish(c);
        if (erro) { *erro = e; return TABELA(); }
        throw std::runtime_error("connect: " + e);
    }
    std::string e;
    TABELA linhas = executar_sql(c, sql, &e);
    PQfinish(c);
    if (!e.empty()) {
        if (erro) { *erro = e; return linhas; }
        throw std::runtime_error(e);
    }
    return linhas;
}

std::atomic<int> contador{0};

} // namespace

std::string conexao_admin(const std::string& banco)
{
    return texto_conexao("postgres", ambiente("ZUMBREL_TEST_SUPERPASS"), banco);
}

std::string conexao_app(const std::string& banco)
{
    return texto_conexao(ambiente("ZUMBREL_TEST_USER"), ambiente("ZUMBREL_TEST_PASS"), banco);
}

void entrar_como_administrador(QUERY& q)
{
    USUARIO usuario(&q);
    EXPECT_TRUE(usuario.verificar_acesso("admin", "admin")) << usuario.get_mensagem();
}

void entrar_como_administrador(PGconn* c)
{
    auto valor = [c](const std::string& sql, const std::vector<std::string>& parametros = {}) {
        std::vector<const char*> v;
        for (const std::string& p : parametros)
            v.push_back(p.c_str());
        PGresult* r = PQexecParams(c, sql.c_str(), static_cast<int>(v.size()), nullptr, v.data(), nullptr, nullptr, 0);
        EXPECT_EQ(PQresultStatus(r), PGRES_TUPLES_OK) << PQresultErrorMessage(r);
        LINHA l;
        for (int j = 0; PQntuples(r) > 0 && j < PQnfields(r); ++j)
            l.push_back(PQgetvalue(r, 0, j));
        PQclear(r);
        return l;
    };
    const LINHA p = valor("select * from cadastro.parametros_senha('admin')");
    ASSERT_EQ(p.size(), 4u);
    senha::PARAMETROS par;
    par.tipo = p[0];
    par.sal = p[1];
    par.passadas = std::stoull(p[2]);
    par.memoria = std::stoul(p[3]);
    valor("select cadastro.tentar_entrada('admin', $1)", { senha::prova("admin", par) });
    const LINHA id = valor("select cadastro.entrar()");
    EXPECT_EQ(id, LINHA { "1" }) << "the administrator did not log in";
}

bool forma_confere(const std::string& senha, const std::string& forma)
{
    // $argon2id+sha256$v=19$m=M,t=T,p=1$SALT$HEX
    std::vector<std::string> partes;
    std::string::size_type de = 0, ate;
    while ((ate = forma.find('$', de)) != std::string::npos) {
        partes.push_back(forma.substr(de, ate - de));
        de = ate + 1;
    }
    partes.push_back(forma.substr(de));
    if (partes.size() != 6 || partes[1] != "argon2id+sha256")
        return false;
    senha::PARAMETROS p;
    p.tipo = "argon2id";
    p.sal = partes[4];
    p.memoria = std::stoul(partes[3].substr(partes[3].find("m=") + 2));
    p.passadas = std::stoull(partes[3].substr(partes[3].find("t=") + 2));
    const std::string prova = senha::prova(senha, p);
    unsigned char chave[32], resumo[32];
    if (prova.size() != 64 || sodium_hex2bin(chave, sizeof chave, prova.data(), prova.size(), nullptr, nullptr, nullptr))
        return false;
    crypto_hash_sha256(resumo, chave, sizeof chave);
    char hex[65];
    sodium_bin2hex(hex, sizeof hex, resumo, sizeof resumo);
    return partes[5] == hex;
}

std::string pasta_temporaria()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string modelo = std::string(tmp ? tmp : "/tmp") + "/zumbrel-t.XXXXXX";
    char* p = mkdtemp(&modelo[0]);
    if (!p)
        throw std::runtime_error("mkdtemp failed");
    return modelo;
}

BancoTeste::BancoTeste(const std::string& modelo)
{
    nome_ = "t_" + std::to_string(getpid()) + "_" + std::to_string(++contador);
    std::string origem = modelo.empty() ? ambiente("ZUMBREL_TEST_TEMPLATE") : modelo;
    rodar_sql(conexao_admin("postgres"), "create database " + nome_ + " template " + origem, nullptr);
}

BancoTeste::~BancoTeste()
{
    std::string erro;
    rodar_sql(conexao_admin("postgres"), "drop database if exists " + nome_ + " with (force)", &erro);
}

TABELA BancoTeste::consultar(const std::string& sql) const
{
    std::string erro;
    TABELA t = rodar_sql(conexao_admin(nome_), sql, &erro);
    if (!erro.empty())
        ADD_FAILURE() << "SQL failed: " << sql << "\n" << erro;
    return t;
}

std::string BancoTeste::valor(const std::string& sql) const
{
    TABELA t = consultar(sql);
    if (t.empty() || t[0].empty())
        return std::string();
    return t[0][0];
}

std::string BancoTeste::unidos(const std::string& sql) const
{
    std::string s;
    for (const LINHA& l : consultar(sql))
        for (const std::string& v : l)
            s += v + "|";
    return s;
}

std::string BancoTeste::executar(const std::string& sql) const
{
    std::string erro;
    rodar_sql(conexao_admin(nome_), sql, &erro);
    return erro;
}

std::string BancoTeste::executar_arquivo(const std::string& nome) const
{
    std::ifstream f((ambiente("ZUMBREL_SOURCE_DIR") + "/tests/dados/" + nome).c_str());
    std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (texto.empty())
        return "cannot read tests/dados/" + nome;
    return executar(texto);
}

void BancoTeste::tirar_direitos() const
{
    const std::string erro = executar_arquivo("sem_direitos.sql");
    if (!erro.empty())
        ADD_FAILURE() << erro;
}

std::string BancoTeste::executar_como_programa(const std::string& sql) const
{
    std::string erro;
    rodar_sql(conexao_app(nome_), sql, &erro);
    return erro;
}

std::string BancoTeste::escrever_conf(const std::string& pasta, int ssl) const
{
    return escrever_db_conf(pasta, { ambiente("ZUMBREL_TEST_HOST"), nome_, ambiente("ZUMBREL_TEST_USER"),
                                     ambiente("ZUMBREL_TEST_PASS"), ssl });
}

std::string BancoTeste::despejo() const
{
    static const char* tabelas[] = { "acesso", "municipio", "ceps", "usuario", "florada",
                                     "apiario", "abelha_rainha", "colmeia", "revisao", "empresa" };
    std::string saida;
    for (const char* t : tabelas) {
        saida += std::string("== ") + t + "\n";
        // The municipalities, thousands of rows only read: their count and
        // a digest of them.
        const std::string sql = std::string(t) == "municipio"
                                    ? "select count(*), md5(string_agg(r::text, E'\\n' order by cod_cid)) "
                                      "from cadastro.municipio r"
                                    : std::string("select * from cadastro.") + t + " order by 1";
        for (const LINHA& l : consultar(sql)) {
            for (const std::string& v : l)
                saida += v + "|";
            saida += "\n";
        }
    }
    return saida;
}

ClusterPrivado::ClusterPrivado()
{
    base_ = pasta_temporaria();
    if (!rodar("criar"))
        throw std::runtime_error("could not create a private cluster in " + base_);
    std::ifstream f((base_ + "/porta").c_str());
    std::getline(f, porta_);
    const char* antes = std::getenv("PGPORT");
    porta_antes_ = antes ? antes : "";
}

ClusterPrivado::~ClusterPrivado()
{
    setenv("PGPORT", porta_antes_.c_str(), 1);
    rodar("remover");
}

bool ClusterPrivado::rodar(const std::string& acao) const
{
    std::string script = ambiente("ZUMBREL_SOURCE_DIR") + "/tests/support/cluster_privado.sh";
    std::string comando = script + " " + acao + " " + base_ + " >/dev/null 2>&1";
    return std::system(comando.c_str()) == 0;
}

bool ClusterPrivado::parar() { return rodar("parar"); }
bool ClusterPrivado::iniciar() { return rodar("iniciar"); }
void ClusterPrivado::usar_porta() { setenv("PGPORT", porta_.c_str(), 1); }

std::string ClusterPrivado::escrever_conf(const std::string& pasta) const
{
    return escrever_db_conf(pasta, { "127.0.0.1", "privado", ambiente("ZUMBREL_TEST_USER"),
                                     ambiente("ZUMBREL_TEST_PASS"), 0 });
}

std::string ClusterPrivado::valor(const std::string& sql) const
{
    std::string erro;
    std::string conninfo = "hostaddr=127.0.0.1 port=" + porta_ + " dbname=privado user=" +
                           ambiente("ZUMBREL_TEST_USER") + " password=" + ambiente("ZUMBREL_TEST_PASS") +
                           " client_encoding=UTF8";
    TABELA t = teste::rodar_sql(conninfo, sql, &erro);
    if (!erro.empty())
        ADD_FAILURE() << "SQL failed: " << sql << "\n" << erro;
    return t.empty() || t[0].empty() ? std::string() : t[0][0];
}

} // namespace teste
