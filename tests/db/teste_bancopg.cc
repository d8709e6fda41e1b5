// The connection: settings file, connection string and message, sending,
// reading results, quoting, dates and encodings whatever the server says.
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include "db/bancopg.h"
#include "db/linhas.h"
#include "db/modelo_teste.h"
#include "db/query.h"
#include "model/falha.h"
#include "support/banco_teste.h"
#include "support/captura.h"

namespace {

std::string escrever(const std::string& conteudo)
{
    std::string caminho = teste::pasta_temporaria() + "/db.conf";
    std::ofstream f(caminho.c_str(), std::ios::binary);
    f << conteudo;
    return caminho;
}

std::string linhas_validas(const teste::BancoTeste& banco, const char* fim = "\n")
{
    return "host=" + teste::ambiente("ZUMBREL_TEST_HOST") + fim + "banco=" + banco.nome() + fim +
           "usuario=" + teste::ambiente("ZUMBREL_TEST_USER") + fim +
           "senha=" + teste::ambiente("ZUMBREL_TEST_PASS") + fim;
}

} // namespace

// What every connection string ends with: day-first dates and UTF-8 text,
// whatever the server, the database or the environment say, and the bounds
// of the waits for the server.
const std::string SESSAO = " options='-c DateStyle=ISO,DMY -c jit=off' client_encoding=UTF8 connect_timeout=10 keepalives=1 "
                           "keepalives_idle=10 keepalives_interval=5 keepalives_count=3 tcp_user_timeout=20000";

TEST(ArquivoConf, LeCadaLinhaPelaPosicaoDepoisDoPrimeiroIgual)
{
    std::string c = escrever("qualquer coisa=10.1.2.3\nnome=banco=x\nu=joao  \nsenha:=a=b=c\nssl=1\nextra=9\n");
    BANCOPG b(c.c_str());
    EXPECT_EQ(b.get_string_conexao(),
              "hostaddr='10.1.2.3' dbname='banco=x' user='joao  ' password='a=b=c' sslmode=require" + SESSAO);
    EXPECT_FALSE(b.get_conectado());
}

TEST(ArquivoConf, CasosDeCriptografiaEValoresVaziosComBrancosEAspas)
{
    struct Caso { const char* conteudo; const char* esperado; };
    const Caso casos[] = {
        { "a=1\nb=2\nc=3\nd=4\nssl=2\n", "hostaddr='1' host='1' dbname='2' user='3' password='4' sslmode=verify-full" },
        { "a=1\nb=2\nc=3\nd=4\nssl=\n", "hostaddr='1' dbname='2' user='3' password='4' sslmode=disable" },
        { "a=1\nb=2\nc=3\n", "hostaddr='1' dbname='2' user='3' password='' sslmode=disable" },
        { "a=1\nsem igual\nc=3\nd=4\nssl=\n", "hostaddr='1' dbname='' user='3' password='4' sslmode=disable" },
        { "", "hostaddr='' dbname='' user='' password='' sslmode=disable" },
        { "a=1\r\nb=2\r\nc=3\r\nd=4 \r\nssl=1\r\n", "hostaddr='1' dbname='2' user='3' password='4 ' sslmode=require" },
        { "a=1\nb=2\nc=3\nd=4\nssl=1", "hostaddr='1' dbname='2' user='3' password='4' sslmode=require" },
        { "=\n=\n=\n=\n=1\n", "hostaddr='' dbname='' user='' password='' sslmode=require" },
        // A host that begins with "/" is the folder of a Unix socket; libpq
        // uses no encryption there, so ssl=2 names no host to verify.
        { "a=/srv/meu banco/run\nb=2\nc=3\nd=4\nssl=0\n",
          "host='/srv/meu banco/run' dbname='2' user='3' password='4' sslmode=disable" },
        { "a=/run/o'p\nb=2\nc=3\nd=4\nssl=2\n", "host='/run/o\\'p' dbname='2' user='3' password='4' sslmode=verify-full" },
        // Blanks, quotes and backslashes belong to the value.
        { "a=1\nb=meu banco\nc=o'neil\nd= p\\'q r \nssl=0\n",
          "hostaddr='1' dbname='meu banco' user='o\\'neil' password=' p\\\\\\'q r ' sslmode=disable" },
    };
    for (const Caso& caso : casos) {
        std::string c = escrever(caso.conteudo);
        BANCOPG b(c.c_str());
        EXPECT_EQ(b.get_string_conexao(), caso.esperado + SESSAO) << "conteudo: " << caso.conteudo;
    }
}

TEST(ArquivoConf, AusenteDaFalhaDeConexaoSemQuebrar)
{
    teste::CapturaSaida saida;
    QUERY q("/nao/existe/db.conf");
    EXPECT_EQ(q.get_string_conexao(), "hostaddr='' dbname='' user='' password='' sslmode=disable" + SESSAO);
    EXPECT_FALSE(q.get_conectado());
    EXPECT_EQ(q.get_mensagem().rfind("Falha ao conectar!\n", 0), 0u);
    EXPECT_GT(q.get_mensagem().size(), std::string("Falha ao conectar!\n").size());
    EXPECT_EQ(saida.texto(), q.get_mensagem() + "\n");
}

// ssl= holding anything but 0, 1, 2 or nothing connects to nothing, even
// with every other line right, and says why: no silent fall back to a
// connection without encryption.
TEST(Conexao, SslDesconhecidoRecusaConectar)
{
    teste::BancoTeste banco;
    for (const char* linha : { "ssl=3\n", "ssl=01\n", "ssl=sim\n", "ssl=1 \n", "ssl=-1\n", "ssl 1\n" }) {
        std::string c = escrever(linhas_validas(banco) + linha);
        teste::CapturaSaida saida;
        QUERY q(c.c_str());
        EXPECT_FALSE(q.get_conectado()) << linha;
        EXPECT_EQ(q.get_mensagem(), "Falha ao conectar!\nValor de ssl desconhecido em " + c +
                                        " (use 0, 1 ou 2); a conexão não foi tentada.") << linha;
        EXPECT_EQ(saida.texto(), q.get_mensagem() + "\n");
        q.executar("delete from cadastro.florada");
        EXPECT_EQ(q.get_situacao(), Situacao::NENHUMA) << linha;
    }
    EXPECT_NE(banco.valor("select count(*) from cadastro.florada"), "0");
}

// The local database is reached through its Unix socket: a host that is a
// folder connects there, not over TCP.
TEST(Conexao, HostQueEPastaUsaOSoqueteDoServidor)
{
    teste::BancoTeste banco;
    std::string c = escrever("host=" + teste::ambiente("ZUMBREL_TEST_PGBASE") + "/run\nbanco=" + banco.nome() +
                             "\nusuario=" + teste::ambiente("ZUMBREL_TEST_USER") +
                             "\nsenha=" + teste::ambiente("ZUMBREL_TEST_PASS") + "\nssl=0\n");
    teste::CapturaSaida saida;
    QUERY q(c.c_str());
    ASSERT_TRUE(q.get_conectado()) << q.get_mensagem();
    q.executar("select coalesce(host(inet_client_addr()), 'soquete'), current_user");
    EXPECT_EQ(q.resultado(0, 0), "soquete");
    EXPECT_EQ(q.resultado(0, 1), teste::ambiente("ZUMBREL_TEST_USER"));
}

TEST(Conexao, ComArquivoCrlfConectaEEscreveAMensagem)
{
    teste::BancoTeste banco;
    std::string c = escrever(linhas_validas(banco, "\r\n") + "ssl=0\r\n");
    teste::CapturaSaida saida;
    QUERY q(c.c_str());
    EXPECT_TRUE(q.get_conectado());
    EXPECT_EQ(saida.texto(), "Conectado com sucesso!\n");
}

TEST(Conexao, SenhaErradaNaoEnviaNadaEUmSelectPareceBancoVazio)
{
    teste::BancoTeste banco;
    std::string c = escrever("h=" + teste::ambiente("ZUMBREL_TEST_HOST") + "\nb=" + banco.nome() +
                             "\nu=" + teste::ambiente("ZUMBREL_TEST_USER") + "\ns=errada\n");
    teste::CapturaSaida saida;
    QUERY q(c.c_str());
    EXPECT_FALSE(q.get_conectado());
    EXPECT_NE(q.get_mensagem().find("Falha ao conectar!\n"), std::string::npos);
    EXPECT_NE(q.get_mensagem().find("password"), std::string::npos) << q.get_mensagem();

    q.executar("delete from cadastro.abelha_rainha");
    EXPECT_EQ(q.get_situacao(), Situacao::NENHUMA);
    q.set_tipoquery(2);
    q.add_camporetorno("*");
    q.add_tabelas("cadastro.acesso");
    EXPECT_TRUE(q.ativar());
    EXPECT_EQ(q.get_registros(), 0);
    // A change that was never sent is no success.
    INSTRUCAO i = q.descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.florada" };
    i.inserir("nome_florada", "'Nunca'");
    const RESULTADO r = q.ativar(i);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.sqlstate, FALHA::SEM_CONEXAO);
    EXPECT_NE(FALHA(r).motivo().find("Nada foi enviado"), std::string::npos);
    EXPECT_FALSE(q.iniciar_transacao().ok());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.abelha_rainha"), "8");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.florada where nome_florada = 'Nunca'"), "0");
}

TEST(Conexao, SslExigidoDaSessaoCriptografada)
{
    teste::BancoTeste banco;
    std::string c = escrever(linhas_validas(banco) + "ssl=1\n");
    teste::CapturaSaida saida;
    QUERY q(c.c_str());
    ASSERT_TRUE(q.get_conectado()) << q.get_mensagem();
    q.set_tipoquery(2);
    q.add_camporetorno("ssl");
    q.add_tabelas("pg_stat_ssl");
    q.add_campoconsulta("pid");
    q.add_dadosconsulta("pg_backend_pid()");
    ASSERT_TRUE(q.ativar());
    ASSERT_EQ(q.get_registros(), 1);
    EXPECT_EQ(q.retornar_consulta()[0][0], "t");
}

// A password holding blanks, quotes and a backslash, as conf/db.conf holds
// it, connects.
TEST(Conexao, SenhaComBrancosEAspasNoArquivoConecta)
{
    teste::BancoTeste banco;
    const std::string papel = "zumbrel_aspas_" + std::to_string(getpid());
    const std::string senha = " a b'c\\d \"e ";
    ASSERT_EQ(banco.executar("create role " + papel + " login password " + "' a b''c\\d \"e '"), "");
    std::string c = escrever("h=" + teste::ambiente("ZUMBREL_TEST_HOST") + "\nb=" + banco.nome() + "\nu=" + papel +
                             "\ns=" + senha + "\nssl=0\n");
    {
        teste::CapturaSaida saida;
        QUERY q(c.c_str());
        EXPECT_TRUE(q.get_conectado()) << q.get_mensagem();
        q.executar("select current_user");
        EXPECT_EQ(q.resultado(0, 0), papel);
    }
    EXPECT_EQ(banco.executar("drop role " + papel), "");
}

// ssl=2: encrypted, and the server's certificate must be the one the
// user's root certificate vouches for; any other is refused.
TEST(Conexao, Ssl2VerificaOCertificadoDoServidor)
{
    teste::BancoTeste banco;
    std::string c = escrever(linhas_validas(banco) + "ssl=2\n");
    const char* antes = std::getenv("PGSSLROOTCERT");
    const std::string anterior = antes ? antes : "";
    {
        setenv("PGSSLROOTCERT", (teste::ambiente("ZUMBREL_TEST_PGDATA") + "/server.crt").c_str(), 1);
        teste::CapturaSaida saida;
        QUERY q(c.c_str());
        ASSERT_TRUE(q.get_conectado()) << q.get_mensagem();
        q.executar("select ssl from pg_stat_ssl where pid = pg_backend_pid()");
        EXPECT_EQ(q.resultado(0, 0), "t");
    }
    {
        // A root certificate the server's is not signed by.
        const std::string outro = teste::pasta_temporaria();
        ASSERT_EQ(std::system(("openssl req -new -x509 -days 1 -nodes -subj /CN=127.0.0.1 -keyout " + outro +
                               "/k.pem -out " + outro + "/c.pem >/dev/null 2>&1").c_str()), 0);
        setenv("PGSSLROOTCERT", (outro + "/c.pem").c_str(), 1);
        teste::CapturaSaida saida;
        QUERY q(c.c_str());
        EXPECT_FALSE(q.get_conectado());
        EXPECT_NE(q.get_mensagem().find("certificate verify failed"), std::string::npos) << q.get_mensagem();
    }
    if (antes)
        setenv("PGSSLROOTCERT", anterior.c_str(), 1);
    else
        unsetenv("PGSSLROOTCERT");
}

class Resultado : public teste::ModeloTeste {};

TEST_F(Resultado, ValoresComoTextoNuloVazioEPosicaoForaDaTabela)
{
    q->executar("select 42, null::text, true, false, 'açaí'::text");
    EXPECT_EQ(q->get_situacao(), Situacao::LINHAS);
    EXPECT_EQ(q->get_linhas(), 1);
    EXPECT_EQ(q->get_colunas(), 5);
    EXPECT_EQ(q->resultado(0, 0), "42");
    EXPECT_EQ(q->resultado(0, 1), "");
    EXPECT_EQ(q->resultado(0, 2), "t");
    EXPECT_EQ(q->resultado(0, 3), "f");
    EXPECT_EQ(q->resultado(0, 4), "açaí");
    EXPECT_EQ(q->resultado(1, 0), "Posição não encontrada!");
    EXPECT_EQ(q->resultado(0, 5), "Posição não encontrada!");
    EXPECT_EQ(q->resultado(-1, 0), "Posição não encontrada!");

    q->executar("select 1 where false");
    EXPECT_EQ(q->get_linhas(), 0);
    EXPECT_EQ(q->resultado(0, 0), "Posição não encontrada!");
}

TEST_F(Resultado, ComandoSemLinhasEFalhaGuardamContagensAnteriores)
{
    q->executar("select 1, 2 union all select 3, 4");
    q->resultado();
    ASSERT_EQ(q->get_tabela().size(), 2u);

    q->executar("update cadastro.acesso set nivel_acesso = nivel_acesso where false");
    EXPECT_EQ(q->get_situacao(), Situacao::COMANDO);
    EXPECT_EQ(q->get_linhas(), 2);

    q->executar("select * from tabela_que_nao_existe");
    EXPECT_EQ(q->get_situacao(), Situacao::FALHOU);
    EXPECT_NE(q->get_mensagem().find("tabela_que_nao_existe"), std::string::npos);
    EXPECT_EQ(q->get_linhas(), 2);
    EXPECT_EQ(q->get_colunas(), 2);
    EXPECT_EQ(q->get_tabela()[1][1], "4");
}

// Several statements in one text: as with one PQexec, the outcome and rows
// are the last statement's, and an error stops the text and undoes it.
TEST_F(Resultado, VariosComandosNumTextoValeOUltimoEUmErroDesfazTudo)
{
    q->executar("select 1; select 'a', 'b' union all select 'c', null");
    EXPECT_EQ(q->get_situacao(), Situacao::LINHAS);
    EXPECT_EQ(q->get_linhas(), 2);
    EXPECT_EQ(q->get_colunas(), 2);
    EXPECT_EQ(q->resultado(1, 0), "c");
    EXPECT_EQ(q->resultado(1, 1), "");

    q->executar("select 1, 2, 3; update cadastro.acesso set nivel_acesso = nivel_acesso where false");
    EXPECT_EQ(q->get_situacao(), Situacao::COMANDO);
    EXPECT_EQ(q->resultado(0, 0), "Posição não encontrada!");

    q->executar("insert into cadastro.acesso (desc_acesso, nivel_acesso) values ('Temporario', 0); "
                "select * from tabela_que_nao_existe; select 5");
    EXPECT_EQ(q->get_situacao(), Situacao::FALHOU);
    EXPECT_NE(q->get_mensagem().find("tabela_que_nao_existe"), std::string::npos);
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso where desc_acesso = 'Temporario'"), "0");

    // An error after some rows were already sent leaves no rows behind.
    q->executar("select 1 / (3 - g) from generate_series(1, 5) g");
    EXPECT_EQ(q->get_situacao(), Situacao::FALHOU);
    EXPECT_EQ(q->resultado(0, 0), "Posição não encontrada!");
}

// A long result read row by row keeps every value, empty and long ones too.
TEST_F(Resultado, ResultadoLongoGuardaCadaValor)
{
    q->executar("select g, repeat('x', g % 300), case when g % 7 = 0 then null else 'v' || g end "
                "from generate_series(1, 20000) g");
    ASSERT_EQ(q->get_situacao(), Situacao::LINHAS);
    ASSERT_EQ(q->get_linhas(), 20000);
    for (int g : { 1, 299, 300, 301, 7777, 14000, 20000 }) {
        EXPECT_EQ(q->resultado(g - 1, 0), std::to_string(g));
        EXPECT_EQ(q->resultado(g - 1, 1), std::string(g % 300, 'x'));
        EXPECT_EQ(q->resultado(g - 1, 2), g % 7 == 0 ? std::string() : "v" + std::to_string(g));
    }
}

// Long results read one after another, some of them held while the next
// ones are read into the room earlier ones let go, and after that room went
// back to the system: each keeps its own values, whole.
TEST_F(Resultado, ResultadosLongosUmAposOutroGuardamCadaUmOsSeus)
{
    const int tamanhos[] = { 60000, 20000, 90000, 60000, 5000 };
    const auto valor = [](int k, int g) { return "r" + std::to_string(k) + "-" + std::to_string(g) + std::string(g % 40, 'y'); };
    std::vector<RESULTADO> guardados;
    for (int k = 0; k < 5; ++k) {
        if (k == 3)
            LINHAS::soltar_guardados();
        INSTRUCAO i = q->descrever(INSTRUCAO::CONSULTAR, "generate_series(1, " + std::to_string(tamanhos[k]) + ") g",
                                   { "'r" + std::to_string(k) + "-' || g || repeat('y', g % 40)", "g" });
        RESULTADO r = q->ativar(i);
        ASSERT_EQ(r.registros(), tamanhos[k]);
        // Every other result is let go at once; the rest stay held.
        if (k % 2 == 0)
            guardados.push_back(std::move(r));
    }
    ASSERT_EQ(guardados.size(), 3u);
    for (std::size_t n = 0; n < guardados.size(); ++n) {
        const int k = static_cast<int>(n) * 2;
        for (int g : { 1, 39, 4999, tamanhos[k] / 2, tamanhos[k] }) {
            EXPECT_EQ(guardados[n].linha(g - 1)[0], valor(k, g)) << k << " " << g;
            EXPECT_EQ(guardados[n].linha(g - 1).inteiro(1), g);
        }
    }
}

// What is called as the first row of a text arrives is called once, not at
// all when no row comes, and goes with that text.
TEST_F(Resultado, AoAcharLinhasChamadoUmaVezSoQuandoHaLinhas)
{
    struct Caso { const char* sql; int chamadas; };
    const Caso casos[] = {
        { "select g from generate_series(1, 5000) g", 1 },
        { "select 1 where false", 0 },
        { "update cadastro.acesso set nivel_acesso = nivel_acesso where false", 0 },
        { "select * from tabela_que_nao_existe", 0 },
        { "select 1 where false; select 2 union all select 3", 1 },
    };
    for (const Caso& c : casos) {
        int chamadas = 0;
        q->set_ao_achar_linhas([&chamadas] { ++chamadas; });
        q->executar(c.sql);
        EXPECT_EQ(chamadas, c.chamadas) << c.sql;
        q->executar("select 1");
        EXPECT_EQ(chamadas, c.chamadas) << c.sql << ": called by the next text";
    }
}

// Keeping only some columns changes neither the counts nor the kept values,
// and holds for that statement only.
TEST_F(Resultado, SoColunasGuardadasValemSoParaOProprioComando)
{
    q->executar("select g, 'b' || g, 'c' || g from generate_series(1, 3) g", { 0, 2, 7, -1 });
    ASSERT_EQ(q->get_situacao(), Situacao::LINHAS);
    EXPECT_EQ(q->get_linhas(), 3);
    EXPECT_EQ(q->get_colunas(), 3);
    EXPECT_EQ(q->resultado(2, 0), "3");
    EXPECT_EQ(q->resultado(2, 1), "");
    EXPECT_EQ(q->resultado(2, 2), "c3");

    q->executar("select 'a', 'b'");
    EXPECT_EQ(q->resultado(0, 1), "b");

    // A statement that sends nothing leaves no choice behind either.
    INSTRUCAO nada = q->descrever(9);
    nada.colunas_guardadas = { 0 };
    EXPECT_FALSE(q->ativar(nada).ok());
    q->executar("select 'a', 'b'");
    EXPECT_EQ(q->resultado(0, 1), "b");
}

TEST_F(Resultado, DataDiaPrimeiroMesmoComServidorMesPrimeiro)
{
    banco.executar("alter database " + banco.nome() + " set datestyle = 'SQL, MDY'");
    banco.executar("alter database " + banco.nome() + " set client_encoding = 'LATIN1'");
    unsetenv("PGDATESTYLE");
    unsetenv("PGCLIENTENCODING");
    QUERY outra(conf.c_str());
    ASSERT_TRUE(outra.get_conectado());

    outra.set_tipoquery(1);
    outra.add_tabelas("cadastro.florada");
    outra.add_campoinsert("nome_florada");
    outra.add_dadosinsert(outra.literal("Maçã-do-mato ção"));
    outra.add_camporetorno("id_florada");
    ASSERT_TRUE(outra.ativar()) << outra.get_mensagem();

    outra.set_tipoquery(1);
    outra.add_tabelas("cadastro.abelha_rainha");
    outra.add_campoinsert("data_nasc");
    outra.add_dadosinsert("'03/02/2010'");
    outra.add_camporetorno("id_abelha");
    ASSERT_TRUE(outra.ativar()) << outra.get_mensagem();
    std::string id = outra.retornar_consulta()[0][0];

    outra.set_tipoquery(1);
    outra.add_tabelas("cadastro.abelha_rainha");
    outra.add_campoinsert("data_nasc");
    outra.add_dadosinsert("'31/01/2010'");
    outra.add_camporetorno("id_abelha");
    EXPECT_TRUE(outra.ativar()) << outra.get_mensagem();

    EXPECT_EQ(banco.valor("select to_char(data_nasc, 'YYYY-MM-DD') from cadastro.abelha_rainha where id_abelha=" + id),
              "2010-02-03");
    EXPECT_EQ(banco.valor("select count(*) from cadastro.florada where nome_florada = 'Maçã-do-mato ção'"), "1");
}

TEST_F(Resultado, LiteralNaoDeixaTextoAlgumMudarOComando)
{
    const std::string textos[] = {
        "'", "''", "'''", "\\", "\\'", "'\\", "a'b", "%", "_", ";", "--", "' or '1'='1",
        "'; drop table cadastro.usuario; --", "admin'--", "/* x */", "E'\\x41'", "$$", "$a$'$a$",
        "Ação é ótima, Pôr-do-sol", "🐝 mel 🍯", "עברית", "  ", "x\ty\nz", std::string(10000, '\''),
    };
    std::string antes = banco.despejo();
    for (const std::string& t : textos) {
        q->set_tipoquery(1);
        q->add_tabelas("cadastro.acesso");
        q->add_campoinsert("desc_acesso");
        q->add_dadosinsert(q->literal(t));
        q->add_campoinsert("nivel_acesso");
        q->add_dadosinsert("0");
        q->add_camporetorno("id_acesso");
        ASSERT_TRUE(q->ativar()) << t << "\n" << q->get_mensagem();
        std::string id = q->retornar_consulta()[0][0];

        q->set_tipoquery(2);
        q->add_camporetorno("desc_acesso");
        q->add_tabelas("cadastro.acesso");
        q->add_campoconsulta("desc_acesso");
        q->add_dadosconsulta(q->literal(t));
        ASSERT_TRUE(q->ativar());
        ASSERT_EQ(q->get_registros(), 1) << t;
        EXPECT_EQ(q->retornar_consulta()[0][0], t);
        banco.executar("delete from cadastro.acesso where id_acesso=" + id);
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST(Literal, SemAspasOTextoFicaComoEstaEntreAspas)
{
    std::string c = escrever("");
    teste::CapturaSaida saida;
    BANCOPG sem_conexao(c.c_str());
    EXPECT_EQ(sem_conexao.literal("Dourados"), "'Dourados'");
    EXPECT_EQ(sem_conexao.literal(""), "''");
    EXPECT_EQ(sem_conexao.literal("01/02/2010"), "'01/02/2010'");
    EXPECT_EQ(sem_conexao.literal("d'Oeste"), "'d''Oeste'");
    EXPECT_EQ(sem_conexao.literal("''"), "''''''");
    // Backslashes mean the same whatever standard_conforming_strings says.
    EXPECT_EQ(sem_conexao.literal("c:\\dados'"), "E'c:\\\\dados'''");

    teste::BancoTeste banco;
    QUERY q(banco.escrever_conf(teste::pasta_temporaria()).c_str());
    EXPECT_EQ(q.literal("Ma%"), "'Ma%'");
    EXPECT_EQ(q.literal("d'Oeste"), "'d''Oeste'");
    EXPECT_EQ(q.literal("c:\\dados"), "'c:\\dados'");
}

// A database that keeps its bytes as they come (SQL_ASCII), holding text
// another program wrote in LATIN1. PostgreSQL refuses to send it to a UTF-8
// session; a server that sends it as it is (here: the same session asking
// for no conversion) gives texts that are not UTF-8. Every value read is
// then valid UTF-8, each bad byte as U+FFFD, the valid text around it kept.
TEST(Conexao, TextoQueNaoEUtf8ChegaValido)
{
    teste::BancoTeste banco;
    const std::string nome = banco.nome() + "_ascii";
    ASSERT_EQ(banco.executar("create database " + nome + " template template0 encoding 'SQL_ASCII' "
                             "lc_collate 'C' lc_ctype 'C'"),
              "");
    {
        PGconn* outro = PQconnectdb((teste::conexao_admin(nome) + " client_encoding=SQL_ASCII").c_str());
        ASSERT_EQ(PQstatus(outro), CONNECTION_OK) << PQerrorMessage(outro);
        PGresult* r = PQexec(outro, "create table t (n int, a text, b text); "
                                    "insert into t values (1, E'Jos\\351', E'Itapor\\343 \\360'), "
                                    "(2, E'a\\351b', E'\\360'), (3, repeat('x', 5000) || E'\\377', 'açaí'); "
                                    "grant select on t to public");
        EXPECT_EQ(PQresultStatus(r), PGRES_COMMAND_OK) << PQresultErrorMessage(r);
        PQclear(r);
        PQfinish(outro);
    }
    std::string c = escrever("h=" + teste::ambiente("ZUMBREL_TEST_HOST") + "\nb=" + nome + "\nu=" +
                             teste::ambiente("ZUMBREL_TEST_USER") + "\ns=" + teste::ambiente("ZUMBREL_TEST_PASS") +
                             "\nssl=0\n");
    {
        teste::CapturaSaida saida;
        QUERY q(c.c_str());
        ASSERT_TRUE(q.get_conectado()) << q.get_mensagem();
        q.executar("select a, b from t order by n");
        EXPECT_EQ(q.get_situacao(), Situacao::FALHOU);
        EXPECT_NE(q.get_mensagem().find("UTF8"), std::string::npos) << q.get_mensagem();

        q.executar("set client_encoding = 'SQL_ASCII'");
        q.executar("select a, b from t order by n");
        ASSERT_EQ(q.get_situacao(), Situacao::LINHAS) << q.get_mensagem();
        EXPECT_EQ(q.resultado(0, 0), "Jos\xEF\xBF\xBD");
        EXPECT_EQ(q.resultado(0, 1), "Itapor\xEF\xBF\xBD \xEF\xBF\xBD");
        EXPECT_EQ(q.resultado(1, 1), "\xEF\xBF\xBD");
        EXPECT_EQ(q.resultado(2, 0), std::string(5000, 'x') + "\xEF\xBF\xBD");
        EXPECT_EQ(q.resultado(2, 1), "açaí");
        // Through the statement builder, in a list's rows read in place, the same.
        INSTRUCAO i = q.descrever(INSTRUCAO::CONSULTAR);
        i.camporetorno = { "a", "n" };
        i.tabelas = { "t" };
        i.campoorder = { "n" };
        const RESULTADO r = q.ativar(i);
        ASSERT_EQ(r.registros(), 3);
        EXPECT_STREQ(r.linha(1).c_str(0), "a\xEF\xBF\xBD" "b");
        EXPECT_EQ(r.linha(1)[1], "2");
    }
    EXPECT_EQ(banco.executar("drop database " + nome + " with (force)"), "");
}
