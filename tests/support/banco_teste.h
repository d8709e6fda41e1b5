// A fresh database per test, copied from the template that the test command
// loads with the schema and the sample data, on the throwaway cluster.
#ifndef ZUMBREL_TESTS_SUPPORT_BANCO_TESTE_H
#define ZUMBREL_TESTS_SUPPORT_BANCO_TESTE_H

#include <string>

#include <libpq-fe.h>

#include "db/bancopg.h"

class QUERY;

namespace teste {

// Runs one SQL text on an open connection of the test's own: every row, its
// values as text (NULL as "<null>"); on an error, no rows and the server's
// text in *erro ("error" when it gives none).
TABELA executar_sql(PGconn* conexao, const std::string& sql, std::string* erro);

// The value of an environment variable set by the test command; fails the
// calling test (and returns "") when it is missing.
std::string ambiente(const char* nome);

// A connection string for the throwaway cluster (superuser or app user).
std::string conexao_admin(const std::string& banco);
std::string conexao_app(const std::string& banco);

class BancoTeste
{
public:
    // Creates a new database from the template; `modelo` names another
    // template when given.
    explicit BancoTeste(const std::string& modelo = "");
    ~BancoTeste();

    BancoTeste(const BancoTeste&) = delete;
    BancoTeste& operator=(const BancoTeste&) = delete;

    const std::string& nome() const { return nome_; }

    // Runs SQL as the superuser on this database; returns all rows as text
    // (NULL as "<null>"). Fails the calling test on an error.
    TABELA consultar(const std::string& sql) const;
    // First value of the first row, or "" when there is none.
    std::string valor(const std::string& sql) const;
    // Every value of every row, each followed by "|", as one text.
    std::string unidos(const std::string& sql) const;
    // Runs SQL and returns the error text (empty on success).
    std::string executar(const std::string& sql) const;
    // The same with the text of a file of tests/dados.
    std::string executar_arquivo(const std::string& nome) const;
    // Turns it into a database not brought up to date to decide who may do
    // what (tests/dados/sem_direitos.sql), as a server of the user's own is
    // until its owner runs README's steps.
    void tirar_direitos() const;
    // The same as the program's user (the owner of the schema).
    std::string executar_como_programa(const std::string& sql) const;

    // Writes a five-line settings file for the app user on this database
    // into `pasta`/conf/db.conf (creating the folders) and returns its path.
    std::string escrever_conf(const std::string& pasta, int ssl = 0) const;

    // A dump of every table of schema cadastro, ordered, for comparisons
    // (the municipalities as their count and a digest).
    std::string despejo() const;

private:
    std::string nome_;
};

// Logs the sample administrator in on that connection's session, as the
// login window does: the database then lets it change users and levels.
// Fails the calling test when it cannot.
void entrar_como_administrador(QUERY& q);
// The same on a connection of the test's own.
void entrar_como_administrador(PGconn* c);

// Whether `forma`, a password as seguranca.credencial keeps it (the SHA-256
// of an argon2id key, its salt and cost), is that of `senha`.
bool forma_confere(const std::string& senha, const std::string& forma);

// A new empty folder under the system's temporary folder.
std::string pasta_temporaria();

// A cluster of the test's own (database "privado" with the schema and the
// sample data), for tests that stop and start the server. Removed at the end.
class ClusterPrivado
{
public:
    ClusterPrivado();
    ~ClusterPrivado();
    ClusterPrivado(const ClusterPrivado&) = delete;
    ClusterPrivado& operator=(const ClusterPrivado&) = delete;

    const std::string& porta() const { return porta_; }
    bool parar();
    bool iniciar();
    // Writes `pasta`/conf/db.conf for it and returns its path. The program
    // finds the port in PGPORT: point it there with usar_porta().
    std::string escrever_conf(const std::string& pasta) const;
    // Sets PGPORT to this cluster's port until the object ends.
    void usar_porta();
    // First value of the first row of an SQL text run as the app user.
    std::string valor(const std::string& sql) const;

private:
    bool rodar(const std::string& acao) const;
    std::string base_;
    std::string porta_;
    std::string porta_antes_;
};

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_BANCO_TESTE_H
