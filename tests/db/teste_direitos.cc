// The database decides who may do what: with only the program's credentials
// nobody reads a password or changes users and levels; an administrator's
// session may, until he is demoted; logins are proved to the server and
// throttled by it; a database of earlier versions moves over with every
// password still working; a new one makes its first administrator; an
// inspection added on another desktop keeps a stale hive delete from taking
// it along.
#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "db/modelo_teste.h"
#include "model/acesso.h"
#include "model/colmeia.h"
#include "model/revisao.h"
#include "model/usuario.h"

namespace {

// A connection of its own as the program's role: the desktop's conf/db.conf
// and psql.
class Psql
{
public:
    explicit Psql(const teste::BancoTeste& banco) : c_(PQconnectdb(teste::conexao_app(banco.nome()).c_str()))
    {
        EXPECT_EQ(PQstatus(c_), CONNECTION_OK) << PQerrorMessage(c_);
    }
    ~Psql() { PQfinish(c_); }
    Psql(const Psql&) = delete;
    Psql& operator=(const Psql&) = delete;
    PGconn* conexao() const { return c_; }

    // The error text of the statement ("" when it was accepted), and its
    // SQLSTATE.
    std::string erro(const std::string& sql, std::string* estado = nullptr)
    {
        PGresult* r = PQexec(c_, sql.c_str());
        const ExecStatusType s = PQresultStatus(r);
        std::string e = s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK ? "" : PQresultErrorMessage(r);
        if (estado) {
            const char* v = PQresultErrorField(r, PG_DIAG_SQLSTATE);
            *estado = v ? v : "";
        }
        PQclear(r);
        return e;
    }
    std::string valor(const std::string& sql)
    {
        PGresult* r = PQexec(c_, sql.c_str());
        std::string v = PQntuples(r) > 0 ? PQgetvalue(r, 0, 0) : "";
        EXPECT_EQ(PQresultStatus(r), PGRES_TUPLES_OK) << sql << "\n" << PQresultErrorMessage(r);
        PQclear(r);
        return v;
    }

private:
    PGconn* c_;
};

class Direitos : public teste::ModeloTeste
{
protected:
    // The statements a person with the desktop's credentials would try.
    struct Tentativa
    {
        const char* o_que;
        const char* sql;
    };
    static const Tentativa* proibidas()
    {
        static const Tentativa t[] = {
            { "read the stored passwords", "select * from seguranca.credencial" },
            { "read the sessions", "select * from seguranca.sessao" },
            { "raise every level", "update cadastro.acesso set nivel_acesso = 99" },
            { "add a level", "insert into cadastro.acesso (desc_acesso, nivel_acesso) values ('Chefe', 9)" },
            { "delete a level", "delete from cadastro.acesso where id_acesso = 2" },
            { "make maria an administrator", "update cadastro.usuario set id_acesso = 1 where login = 'maria'" },
            { "change the administrator's password",
              "update cadastro.usuario set senha = '$argon2id+sha256$v=19$m=19456,t=2,p=1$AAAAAAAAAAAAAAAAAAAAAA$"
              "0000000000000000000000000000000000000000000000000000000000000000' where login = 'admin'" },
            { "rename the administrator", "update cadastro.usuario set nome = 'Outro' where login = 'admin'" },
            { "add a user", "insert into cadastro.usuario (nome, login, senha, nasc, id_cep) "
                            "values ('Intruso', 'intruso', md5('x'), '01/01/2000', 1)" },
            { "delete a user", "delete from cadastro.usuario where login = 'maria'" },
            { "make a first administrator", "select cadastro.primeiro_administrador('I', 'intruso', md5('x'))" },
            { "turn the rules off", "alter table cadastro.usuario disable trigger usuario_direitos" },
            { "forge a session", "select set_config('zumbrel.sessao', token, false) from seguranca.sessao" },
            { nullptr, nullptr },
        };
        return t;
    }

    // Every forbidden statement refused, and the records as they were.
    void tudo_recusado(Psql& p, const std::string& quem)
    {
        const std::string antes = banco.despejo();
        for (const Tentativa* t = proibidas(); t->o_que; ++t)
            EXPECT_NE(p.erro(t->sql), "") << quem << " could " << t->o_que;
        EXPECT_EQ(banco.despejo(), antes) << quem;
        EXPECT_EQ(p.valor("select string_agg(senha, '') from cadastro.usuario"), "") << quem;
    }

    std::string forma(const std::string& login)
    {
        return banco.valor("select forma from seguranca.credencial join cadastro.usuario using (id_usuario) "
                           "where login = '" + login + "'");
    }
};

// A session where a user logged in through the program's role, as psql
// could make it with that user's password: the same statements the program
// sends.
bool entrar(Psql& p, const std::string& login, const std::string& senha)
{
    const std::string par = p.valor("select tipo || ' ' || sal || ' ' || passadas || ' ' || memoria "
                                    "from cadastro.parametros_senha('" + login + "')");
    std::istringstream s(par);
    senha::PARAMETROS parametros;
    s >> parametros.tipo >> parametros.sal >> parametros.passadas >> parametros.memoria;
    p.valor("select cadastro.tentar_entrada('" + login + "', '" + senha::prova(senha, parametros) + "')");
    return p.valor("select cadastro.entrar()") != "0";
}

} // namespace

TEST_F(Direitos, SoComAsCredenciaisDoProgramaNadaMudaNemSeLe)
{
    Psql anonimo(banco);
    tudo_recusado(anonimo, "the program's role alone");
    // An operator's own session: his data and password, never his level nor
    // anyone else's.
    Psql operadora(banco);
    ASSERT_TRUE(entrar(operadora, "maria", "abelha"));
    tudo_recusado(operadora, "maria's session");
    EXPECT_EQ(operadora.erro("update cadastro.usuario set bairro = 'Novo' where login = 'maria'"), "");
    EXPECT_EQ(operadora.erro("update cadastro.usuario set senha = '" + senha::forma_nova("nova senha da maria") +
                             "' where login = 'maria'"), "");
    EXPECT_TRUE(teste::forma_confere("nova senha da maria", forma("maria")));
    // A stored form that is not one, or a session that logged out.
    EXPECT_NE(operadora.erro("update cadastro.usuario set senha = 'abc' where login = 'maria'"), "");
    EXPECT_EQ(operadora.erro("select cadastro.sair()"), "");
    EXPECT_NE(operadora.erro("update cadastro.usuario set bairro = 'Outro' where login = 'maria'"), "");
}

// The administrator's session may change users and levels, and each save is
// checked as he is then: demoted on another desktop, his next save is
// refused, with the reason the window gives.
TEST_F(Direitos, AdministradorRebaixadoNoutraSessaoEhRecusadoNoProximoSalvar)
{
    ASSERT_EQ(banco.executar("update cadastro.usuario set id_acesso = 1 where login = 'maria'"), "");
    ACESSO acesso(q.get());
    ACESS nivel;
    nivel.descricao = "Apicultor";
    nivel.nivel = 2;
    ASSERT_TRUE(acesso.inserir(&nivel)) << acesso.falha().mensagem;

    Psql outra(banco);
    ASSERT_TRUE(entrar(outra, "maria", "abelha"));
    EXPECT_EQ(outra.erro("update cadastro.usuario set id_acesso = 3 where login = 'admin'"), "");

    nivel.descricao = "Apicultor chefe";
    nivel.versao.clear();
    EXPECT_FALSE(acesso.atualizar(&nivel));
    EXPECT_EQ(acesso.falha().restricao, "somente_administradores");
    EXPECT_NE(acesso.falha().motivo().find("Somente um administrador"), std::string::npos);
    EXPECT_FALSE(acesso.ainda_administrador(1));
    EXPECT_TRUE(acesso.ainda_administrador(2));
    USUARIO usuario(q.get());
    EXPECT_FALSE(usuario.update_senha(2, "senha trocada"));
    EXPECT_EQ(banco.valor("select desc_acesso from cadastro.acesso where id_acesso = " + std::to_string(nivel.id)),
              "Apicultor");
}

// After 5 wrong passwords for a login within 15 minutes, that login is
// refused for a while, its password not even checked; other logins are not;
// a transaction undone keeps no attempt from being counted; and a login
// nobody has is asked for the same proof as one that exists.
TEST_F(Direitos, LoginsErradosSaoContadosPeloServidor)
{
    USUARIO usuario(q.get());
    for (int k = 0; k < 5; ++k) {
        EXPECT_FALSE(usuario.verificar_acesso("maria", "errada " + std::to_string(k)));
        EXPECT_FALSE(usuario.bloqueado());
        EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos");
    }
    EXPECT_FALSE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_TRUE(usuario.bloqueado());
    EXPECT_EQ(usuario.get_mensagem(), "Muitas tentativas erradas com este login: tente de novo daqui a 15 minutos.");
    EXPECT_TRUE(usuario.verificar_acesso("admin", "admin"));

    // The oldest failure out of the window: maria may try again, and her
    // right password clears the count.
    ASSERT_EQ(banco.executar("update seguranca.tentativa set momento = momento - interval '16 minutes' "
                             "where id = (select min(id) from seguranca.tentativa where login = 'maria')"), "");
    EXPECT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(banco.valor("select count(*) from seguranca.tentativa where login = 'maria'"), "0");

    // Tried inside a transaction that is undone, an attempt says nothing:
    // its outcome is read only once it is stored.
    Psql p(banco);
    EXPECT_EQ(p.erro("begin"), "");
    EXPECT_TRUE(p.valor("select cadastro.tentar_entrada('admin', 'x')").empty());
    EXPECT_EQ(p.valor("select cadastro.entrar()"), "0");
    EXPECT_EQ(p.erro("rollback"), "");
    EXPECT_TRUE(entrar(p, "admin", "admin"));

    // Known or not, a login gets an argon2id salt of the same shape, the
    // same at every ask, and a proof is computed for it.
    const std::string desconhecido = p.valor("select tipo || ' ' || length(sal) || ' ' || passadas || ' ' || memoria "
                                             "from cadastro.parametros_senha('ninguem')");
    EXPECT_EQ(desconhecido, p.valor("select tipo || ' ' || length(sal) || ' ' || passadas || ' ' || memoria "
                                    "from cadastro.parametros_senha('admin')"));
    EXPECT_EQ(p.valor("select sal from cadastro.parametros_senha('ninguem')"),
              p.valor("select sal from cadastro.parametros_senha('ninguem')"));
    saida.tomar();
    EXPECT_FALSE(usuario.verificar_acesso("ninguem", "qualquer senha"));
    EXPECT_NE(saida.tomar().find("select r from cadastro.tentar_entrada('ninguem', $1) as r"), std::string::npos);
}

// A database made by earlier versions, with an argon2id string and an MD5
// digest in the users' table, brought up to date: no MD5 is left bare, the
// table holds no password, and each user logs in with the password of
// before, which is then stored in the form of now.
TEST(DireitosMigracao, SenhasAntigasContinuamValendo)
{
    teste::BancoTeste banco(teste::ambiente("ZUMBREL_TEST_TEMPLATE_ANTIGO"));
    EXPECT_EQ(banco.valor("select string_agg(senha, '') from cadastro.usuario"), "");
    EXPECT_EQ(banco.valor("select count(*) from seguranca.credencial where forma ~ '^[0-9a-f]{32}$' "
                          "or forma like '$argon2id$%'"), "0");
    EXPECT_EQ(banco.valor("select forma like '$md5+bcrypt$%' from seguranca.credencial where id_usuario = 2"), "t");
    const std::string conf = banco.escrever_conf(teste::pasta_temporaria());
    teste::CapturaSaida saida;
    QUERY q(conf.c_str());
    USUARIO usuario(&q);
    EXPECT_TRUE(usuario.verificar_acesso("admin", "admin")) << usuario.get_mensagem();
    EXPECT_TRUE(usuario.verificar_acesso("maria", "abelha")) << usuario.get_mensagem();
    const std::string maria = banco.valor("select forma from seguranca.credencial where id_usuario = 2");
    EXPECT_TRUE(teste::forma_confere("abelha", maria)) << maria;
    USUARIO outro(&q);
    EXPECT_TRUE(outro.verificar_acesso("maria", "abelha"));
    EXPECT_FALSE(outro.verificar_acesso("maria", "errada"));
}

// A database not brought up to date keeps working as before, and says so
// once on standard error after the login, never in the trace.
TEST(DireitosMigracao, BancoSemDireitosAvisaNoErroPadrao)
{
    teste::BancoTeste banco;
    banco.tirar_direitos();
    const std::string conf = banco.escrever_conf(teste::pasta_temporaria());
    teste::CapturaSaida saida;
    std::ostringstream erro;
    std::streambuf* antes = std::cerr.rdbuf(erro.rdbuf());
    QUERY q(conf.c_str());
    USUARIO usuario(&q);
    const bool entrou = usuario.verificar_acesso("admin", "admin");
    std::cerr.rdbuf(antes);
    EXPECT_TRUE(entrou);
    EXPECT_FALSE(usuario.sem_usuarios());
    const std::string aviso = erro.str();
    EXPECT_NE(aviso.find("ainda não faz valer os níveis de acesso"), std::string::npos) << aviso;
    EXPECT_NE(aviso.find("Using an existing PostgreSQL server"), std::string::npos);
    EXPECT_EQ(std::count(aviso.begin(), aviso.end(), '\n'), 1);
    EXPECT_EQ(saida.texto().find("níveis de acesso"), std::string::npos);
}

// A new database has no user: the first administrator is made once, with
// the highest level and the password rule, and logs in as one.
TEST(DireitosMigracao, PrimeiroAdministradorSoNumBancoSemUsuarios)
{
    teste::BancoTeste banco;
    ASSERT_EQ(banco.executar("set session_replication_role = replica; delete from cadastro.usuario"), "");
    const std::string conf = banco.escrever_conf(teste::pasta_temporaria());
    teste::CapturaSaida saida;
    QUERY q(conf.c_str());
    USUARIO usuario(&q);
    EXPECT_TRUE(usuario.sem_usuarios());
    struct Caso
    {
        const char *nome, *login, *senha, *motivo;
    };
    const std::string longa(65, 'a');
    const Caso casos[] = {
        { "", "chefe", "senha boa demais", "Digite o nome do administrador." },
        { "Chefe", "", "senha boa demais", "Digite o login do administrador." },
        { "Chefe", "chefe", "curta", REGRA_SENHA },
        { "Chefe", "chefe", longa.c_str(), REGRA_SENHA },
    };
    for (const Caso& c : casos) {
        EXPECT_FALSE(usuario.criar_primeiro_administrador(c.nome, c.login, c.senha));
        EXPECT_EQ(usuario.falha().motivo(), c.motivo);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.usuario"), "0");
    ASSERT_TRUE(usuario.criar_primeiro_administrador("Chefe d'Oeste", "chefe", "senha boa demais"))
        << usuario.falha().mensagem;
    EXPECT_FALSE(usuario.sem_usuarios());
    EXPECT_FALSE(usuario.criar_primeiro_administrador("Outro", "outro", "senha boa demais"));
    EXPECT_EQ(usuario.falha().motivo(), "Este banco de dados já tem usuários: entre com um deles.");
    ASSERT_TRUE(usuario.verificar_acesso("chefe", "senha boa demais"));
    const USER u = usuario.Get_User(0)[0];
    EXPECT_EQ(u.nome, "Chefe d'Oeste");
    ACESSO acesso(&q);
    EXPECT_TRUE(acesso.administrador(u.acesso.nivel));
    EXPECT_EQ(saida.texto().find("senha boa demais"), std::string::npos);
}

// Two desktops and a hive: an inspection added on the other one (older than
// the newest, so the hive's status does not change) makes the hive a new
// version; the delete whose question counted the inspections before is
// refused and takes nothing along.
TEST_F(Direitos, ExclusaoDeColmeiaNaoLevaRevisaoQueNaoContou)
{
    COLMEIA colmeias(q.get());
    REVISAO revisoes(q.get());
    COLMEIAS c;
    c.tipo = "Langstroth";
    c.status = "Ativa";
    c.id_apiario = 1;
    ASSERT_TRUE(colmeias.inserir(&c)) << colmeias.falha().motivo();
    REVISOES nova;
    nova.id_colmeia = c.id;
    nova.data = "10/10/2024";
    nova.status = "Ativa";
    ASSERT_TRUE(revisoes.inserir(&nova));
    const COLMEIAS vista = colmeias.get_colmeia(c.id);
    EXPECT_EQ(revisoes.contar(c.id), 1);

    Psql outra(banco);
    EXPECT_EQ(outra.erro("insert into cadastro.revisao (id_colmeia, data_revisao, status) values (" +
                         std::to_string(c.id) + ", '01/01/2024', 'Ativa')"), "");
    EXPECT_FALSE(colmeias.deletar(vista.id, vista.versao));
    EXPECT_TRUE(colmeias.falha().conflito());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.revisao where id_colmeia = " + std::to_string(c.id)), "2");
    // A deleted inspection is a change too; read again, the delete goes.
    const COLMEIAS relida = colmeias.get_colmeia(c.id);
    ASSERT_TRUE(revisoes.deletar(nova.id));
    EXPECT_FALSE(colmeias.deletar(relida.id, relida.versao));
    const COLMEIAS agora = colmeias.get_colmeia(c.id);
    EXPECT_TRUE(colmeias.deletar(agora.id, agora.versao));
    EXPECT_EQ(banco.valor("select count(*) from cadastro.revisao where id_colmeia = " + std::to_string(c.id)), "0");
}
