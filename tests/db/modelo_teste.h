// A fresh copy of the sample database, a statement builder connected to it
// as the program's user, and standard output captured from the start (the
// connection message already taken).
#ifndef ZUMBREL_TESTS_DB_MODELO_TESTE_H
#define ZUMBREL_TESTS_DB_MODELO_TESTE_H

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "db/query.h"
#include "support/banco_teste.h"
#include "support/captura.h"

namespace teste {

class ModeloTeste : public ::testing::Test
{
protected:
    // What is done to the database before the connection is made.
    virtual void preparar() {}

    void SetUp() override
    {
        preparar();
        conf = banco.escrever_conf(pasta_temporaria());
        q.reset(new QUERY(conf.c_str()));
        ASSERT_TRUE(q->get_conectado()) << q->get_mensagem();
        // As after the login window: users and levels may be changed.
        entrar_como_administrador(*q);
        saida.tomar();
    }

    // Makes every later statement on `tabela` fail by renaming it away.
    void quebrar_tabela(const std::string& tabela)
    {
        ASSERT_EQ(banco.executar("alter table cadastro." + tabela + " rename to " + tabela + "_fora"), "");
    }

    BancoTeste banco;
    // The settings file that q was made from.
    std::string conf;
    CapturaSaida saida;
    std::unique_ptr<QUERY> q;
};

// Texts that break a statement if they reach it unquoted.
inline const char* const* textos_hostis()
{
    static const char* const textos[] = {
        "' or '1'='1",
        "admin'--",
        "x'); drop table cadastro.acesso; --",
        "O'Brien \\' \\\\ \"aspas\"",
        nullptr,
    };
    return textos;
}

} // namespace teste

#endif // ZUMBREL_TESTS_DB_MODELO_TESTE_H
