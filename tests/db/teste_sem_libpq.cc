// A program whose libpq cannot be loaded (missing, or too old to have every
// function the program calls) still starts: its connection fails saying why,
// and nothing is sent, nothing is taken for done. A program of its own:
// libpq is loaded once per process.
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "db/query.h"
#include "model/falha.h"
#include "support/banco_teste.h"
#include "support/captura.h"

TEST(SemLibpq, ConexaoFalhaDizendoPorqueENadaEEnviado)
{
    const std::string faltando = teste::pasta_temporaria() + "/libpq.so.5";
    setenv("ZUMBREL_LIBPQ", faltando.c_str(), 1);
    const std::string conf = teste::pasta_temporaria() + "/db.conf";
    std::ofstream(conf) << "h=127.0.0.1\nb=zumbrel\nu=zumbrel\ns=segredo\n";

    teste::CapturaSaida saida;
    QUERY q(conf.c_str());
    EXPECT_FALSE(q.get_conectado());
    const std::string esperada = "Falha ao conectar!\nA conexão não foi tentada: a biblioteca do PostgreSQL (" +
                                 faltando + ") não pôde ser carregada: ";
    EXPECT_EQ(q.get_mensagem().rfind(esperada, 0), 0u) << q.get_mensagem();
    EXPECT_EQ(saida.texto(), q.get_mensagem() + "\n");

    // Statements, a transaction and a reconnection are refused as with any
    // connection that failed.
    INSTRUCAO i = q.descrever(INSTRUCAO::INSERIR);
    i.tabelas = { "cadastro.florada" };
    i.inserir("nome_florada", "'Nunca'");
    const RESULTADO r = q.ativar(i);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.sqlstate, FALHA::SEM_CONEXAO);
    EXPECT_FALSE(q.iniciar_transacao().ok());
    q.conectar();
    EXPECT_FALSE(q.get_conectado());
    EXPECT_EQ(q.get_mensagem().rfind(esperada, 0), 0u) << q.get_mensagem();
}
