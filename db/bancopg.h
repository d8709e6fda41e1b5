// The program's one PostgreSQL connection: reads conf/db.conf, connects once,
// runs one SQL text at a time and turns the last result into a text table.
// A connection the server closed since the last statement is made again
// before the next one is sent; no wait for the server is unbounded.
#ifndef ZUMBREL_DB_BANCOPG_H
#define ZUMBREL_DB_BANCOPG_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <libpq-fe.h>

#include "db/linhas.h"
#include "db/resultado.h"

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
    // Sends one text (of one statement or several) and keeps what it did:
    // as with one PQexec, the outcome of its last statement, an error ending
    // it. With a failed connection nothing is sent and the outcome stays as
    // it was.
    // `guardadas`, when not empty: the only columns whose values are kept
    // of the rows the statement returns (the others read as ""), so that a
    // caller showing two columns of a long list does not hold all of them.
    // `parametros`, when not empty: the values of $1, $2... in a text of one
    // statement, sent apart from it (secrets: the server never logs them as
    // part of the statement).
    void executar(const char* sql, const std::vector<int>& guardadas = {},
                  const std::vector<std::string>& parametros = {});
    // A value, and the table, of the rows of the last statement sent here
    // (rows handed over with tomar_desfecho() are no longer here: their
    // positions read as "Posição não encontrada!").
    std::string resultado(int linha, int coluna) const;
    void resultado();

    // Sends several statements at once and then reads their replies, in
    // order: one wait for all instead of one for each. Each is a single
    // statement. The first that fails ends them (those after it are not
    // run: failed, without an SQLSTATE), and outside a transaction undoes
    // those before it. The connection's outcome is then that of the first
    // that failed, else of the last. With a failed connection nothing is
    // sent. `parametros[i]`, when there: the values of $1, $2... of textos[i].
    std::vector<RESULTADO> executar_juntos(const std::vector<std::string>& textos,
                                           const std::vector<std::vector<std::string>>& parametros = {});

    // What the last statement sent did, and its rows, which go with it: the
    // connection keeps the rest. A connection that was never made gives
    // what the last statement left (nothing at the start).
    RESULTADO tomar_desfecho();

    // Called once, as the first row of the next text sent with executar()
    // arrives (not at all when it finds no row), then forgotten: a caller
    // that keeps the rows of its last load unless nothing is found lets
    // them go here, before the new rows fill memory beside them. It must
    // send nothing.
    void set_ao_achar_linhas(std::function<void()> f) { ao_achar_linhas = std::move(f); }

    // Called once a connection the server closed was made again, before the
    // statement waiting is sent: what the old session held (a login) is made
    // again on the new one.
    void set_ao_reconectar(std::function<void()> f) { ao_reconectar = std::move(f); }

    // Read-only views used by the statement builder and by tests.
    bool get_conectado() const { return conectado; }
    // What the last statement sent did, as the server answered it.
    const RESULTADO& get_desfecho() const { return desfecho; }
    Situacao get_situacao() const { return desfecho.situacao; }
    // What the last statement sent did: the rows it inserted, updated or
    // deleted (or found), its command tag ("UPDATE 1", "COMMIT"), and when
    // it failed, the SQLSTATE and the constraint the server named. A lost
    // connection is SQLSTATE class 08: "08001" when nothing could be sent,
    // "08006" when the reply did not come.
    int get_afetadas() const { return desfecho.afetadas; }
    // Whether the last text reached the server's connection (false when
    // there was no connection to send it through).
    bool get_enviado() const { return desfecho.enviado; }
    const std::string& get_comando() const { return desfecho.comando; }
    const std::string& get_sqlstate() const { return desfecho.sqlstate; }
    const std::string& get_restricao() const { return desfecho.restricao; }
    // Whether a transaction begun on this connection has not ended yet
    // (also when the connection under it was lost).
    bool get_em_transacao() const { return em_transacao; }
    // How long a statement may wait without a byte from the server before
    // it is given up as lost (seconds).
    int get_espera_resposta() const { return espera_resposta; }
    void set_espera_resposta(int segundos) { espera_resposta = segundos > 0 ? segundos : 1; }
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
    // Whether the connection can take a statement now (it was not given up
    // as lost).
    bool utilizavel() const;

    bool conectado;
    int ssl;             // 1 encrypted, 2 encrypted with the server's certificate verified
    static const int SSL_DESCONHECIDO = -1;   // a value of ssl= that is none of those: no connection
    // The row set of the last statement that returned one: its size, and
    // the table resultado() makes of it.
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
    // What the last statement sent did, with its rows until they are taken.
    RESULTADO desfecho;
    bool em_transacao = false;
    // The reply of a statement did not come in time: the connection may
    // still deliver it, so it is never used again; the next statement makes
    // a new one.
    bool abandonada = false;
    int espera_resposta = ESPERA_RESPOSTA;
    std::function<void()> ao_reconectar;
    std::function<void()> ao_achar_linhas;

    // The bounds of the waits, in seconds: for a connection to be made, and
    // for the reply of a statement (without a byte from the server).
    static const int ESPERA_CONEXAO = 10;
    static const int ESPERA_RESPOSTA = 30;

private:
    // Makes sure the connection is alive before a statement is sent: one
    // the server closed since the last statement (a restart, a dropped
    // session) is noticed now and made again, unless a transaction was
    // open on it, which is lost with it. False, with the reason in `erro`,
    // when there is nothing to send through.
    bool pronta_para_enviar(std::string& erro);
    // The next part of the reply (null at the end of it), waiting at most
    // `espera_resposta` seconds without a byte from the server: past that,
    // the connection is given up (`perdida` true, `erro` why).
    PGresult* proximo_resultado(bool& perdida, std::string& erro);
    // One statement's reply being read: what it did so far, and its rows
    // while they still come.
    struct Leitura
    {
        RESULTADO resultado;
        std::shared_ptr<LINHAS> linhas;
    };
    // The one reader of the server's replies: adds one libpq result to what
    // the statement it belongs to did (rows come one at a time or all at
    // once, the last result ending them).
    void ler_resultado(PGresult* r, Leitura& l, const std::vector<int>& guardadas) const;
    // Sends one text, with its parameters apart when it has some.
    bool enviar(const char* sql, const std::vector<std::string>& parametros);
    // A table for the rows of a result; told when the connection's texts
    // arrive as valid UTF-8 already.
    std::shared_ptr<LINHAS> novas_linhas(const PGresult* r, const std::vector<int>& guardadas) const;
    // After a statement or a batch of them: a reply lost on the way fails
    // those that had not ended, and the connection tells whether a
    // transaction is open.
    void concluir(std::vector<RESULTADO>& resultados, const std::string& estado, const std::string& erro);
};

#endif // ZUMBREL_DB_BANCOPG_H
