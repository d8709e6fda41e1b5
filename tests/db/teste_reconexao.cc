// A server that goes away and comes back: statements fail while it is down
// (nothing half stored) and the connection is made again, unseen, once it is
// back. Each test has a cluster of its own, since it stops the server.
#include <gtest/gtest.h>

#include "db/query.h"
#include "support/banco_teste.h"
#include "support/captura.h"

namespace {

bool contar_floradas(QUERY& q)
{
    q.set_tipoquery(2);
    q.add_camporetorno("count(*)");
    q.add_tabelas("cadastro.florada");
    return q.ativar();
}

bool inserir_florada(QUERY& q, const std::string& nome)
{
    q.set_tipoquery(1);
    q.add_tabelas("cadastro.florada");
    q.add_campoinsert("nome_florada");
    q.add_dadosinsert(q.literal(nome));
    q.add_camporetorno("id_florada");
    return q.ativar();
}

} // namespace

TEST(Reconexao, FalhaEnquantoOServidorEstaForaEVoltaSemNadaAparecer)
{
    teste::ClusterPrivado cluster;
    cluster.usar_porta();
    std::string conf = cluster.escrever_conf(teste::pasta_temporaria());
    teste::CapturaSaida saida;
    QUERY q(conf.c_str());
    ASSERT_TRUE(q.get_conectado()) << q.get_mensagem();
    ASSERT_TRUE(inserir_florada(q, "Antes da queda"));
    ASSERT_TRUE(contar_floradas(q));
    EXPECT_EQ(q.retornar_consulta()[0][0], "7");

    ASSERT_TRUE(cluster.parar());
    saida.tomar();
    EXPECT_FALSE(inserir_florada(q, "Durante a queda"));
    EXPECT_FALSE(q.get_mensagem().empty());
    EXPECT_FALSE(contar_floradas(q));
    EXPECT_FALSE(contar_floradas(q));
    EXPECT_EQ(q.get_registros(), 1);
    EXPECT_EQ(q.retornar_consulta()[0][0], "7");
    // Only the statement texts reach the console.
    EXPECT_EQ(saida.tomar(),
              "insert into cadastro.florada ( nome_florada) values ( 'Durante a queda') returning  id_florada;\n\n"
              "select count(*) from cadastro.florada\n"
              "select count(*) from cadastro.florada\n");

    ASSERT_TRUE(cluster.iniciar());
    EXPECT_TRUE(contar_floradas(q)) << q.get_mensagem();
    EXPECT_EQ(q.retornar_consulta()[0][0], "7");
    EXPECT_TRUE(inserir_florada(q, "Depois da volta")) << q.get_mensagem();
    EXPECT_EQ(saida.tomar(),
              "select count(*) from cadastro.florada\n"
              "insert into cadastro.florada ( nome_florada) values ( 'Depois da volta') returning  id_florada;\n\n");
    EXPECT_EQ(cluster.valor("select string_agg(nome_florada, ',' order by id_florada) from cadastro.florada "
                            "where id_florada > 6"),
              "Antes da queda,Depois da volta");
    // The new session still reads day-first dates.
    q.executar("select '03/02/2010'::date = '2010-02-03'::date");
    EXPECT_EQ(q.resultado(0, 0), "t");
}
