// The program's one PostgreSQL connection: reads conf/db.conf, connects once,
// runs one SQL text at a time and turns the last result into a text table.
#ifndef ZUMBREL_DB_BANCOPG_H
#define ZUMBREL_DB_BANCOPG_H

#include <memory>
#include <string>
#include <vector>

#include <libpq-fe.h>

#include "db/linhas.h"

typedef std::vector<std::string> LINHA;
typedef std::vector<LINHA> TABELA;

class BANCOPG
{
public:
    explicit BANCOPG(const char* arquivo_conf);
    virtual ~BANCOPG();

    BANCOPG(const BANCOPG&) = delete;
    BANCOPG& operator=(const BANCOPG&) = delete;

    void conectar();
    // `guardadas`, when not empty: the only columns whose values are kept
    // of the rows the statement returns (the others read as ""), so that a
    // caller showing two columns of a long list does not hold all of them.
    // `parametros`, when not empty: the values of $1, $2... in a text of one
    // statement, sent apart from it (secrets: the server never logs them as
    // part of the statement).
    void executar(const char* sql, const std::vector<int>& guardadas = {},
                  const std::vector<std::string>& parametros = {});
    // A value, and the table, of the rows of the last statement sent here
    // (rows that QUERY::ativar handed over to its result are no longer here:
    // their positions read as "Posição não encontrada!").
    std::string resultado(int linha, int coluna) const;
    void resultado();

    // Read-only views used by the statement builder and by tests.
    bool get_conectado() const { return conectado; }
    int get_situacao() const { return situacao; }
    int get_linhas() const { return linhas; }
    int get_colunas() const { return colunas; }
    const TABELA& get_tabela() const { return tabela; }
    // The libpq connection string made from the settings file: each value
    // quoted (blanks and quotes in it are its own), and the session fixed to
    // day-first dates and UTF-8 text.
    std::string get_string_conexao() const;

    // The text as a single-quoted SQL literal that no quote or backslash in it
    // can break out of.
    std::string literal(const std::string& texto) const;

protected:
    // Sends one text, with its parameters apart when it has some.
    bool enviar(const char* sql, const std::vector<std::string>& parametros);

    bool conectado;
    int situacao;        // 0 none yet, 1 command done, 2 rows returned, 3 failed
    int ssl;             // 1 encrypted, 2 encrypted with the server's certificate verified
    int linhas;
    TABELA tabela;
    int colunas;
    std::string mensagem;
    std::string arquivo;
    std::string hostaddr;
    std::string dbname;
    std::string usuario;
    std::string senha;
    PGconn* conexao;
    // The rows of the last statement sent (none for a command or a failure).
    // The statement builder hands them over to the result it gives out, so
    // that they live only as long as someone reads them; otherwise they are
    // let go when the next statement is sent.
    std::shared_ptr<LINHAS> res;
};

#endif // ZUMBREL_DB_BANCOPG_H
