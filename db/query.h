// The statement builder, the one place that assembles, traces and sends SQL.
// A statement is an INSTRUCAO value run by ativar(INSTRUCAO), which gives
// back its RESULTADO. The calls set_tipoquery, add_... and ativar() describe
// and run a statement piece by piece over the same path, and keep its count
// and rows for get_registros() and retornar_consulta().
#ifndef ZUMBREL_DB_QUERY_H
#define ZUMBREL_DB_QUERY_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/bancopg.h"
#include "db/instrucao.h"
#include "db/linhas.h"
#include "db/resultado.h"

class QUERY : public BANCOPG
{
public:
    QUERY();
    // Same as QUERY(), with another settings file.
    explicit QUERY(const char* arquivo_conf);
    ~QUERY() override;

    // A new statement of that kind to describe. Describing an update starts
    // with the trace line " SET QUERY 3".
    INSTRUCAO descrever(int tipo) const;
    // The same, of one table: a query with that select list, an insert with
    // that RETURNING list.
    INSTRUCAO descrever(int tipo, const std::string& tabela, std::vector<std::string> colunas = {}) const;
    // Assembles the statement, writes it to the trace, sends it and gives
    // back what it returned. Keeps nothing of it: the rows belong to the
    // result and to whoever takes them from it. An update or delete that
    // matched no row failed (estado_sql::SEM_REGISTRO); so did an insert,
    // update or delete that could not be sent for want of a connection.
    RESULTADO ativar(const INSTRUCAO& instrucao);

    // Statements sent together, in one round trip: each is assembled and
    // written to standard output when it is queued, as ativar does, and
    // enviar_fila sends those queued, in order, and gives each its own
    // result, judged as ativar judges it. The first the server refuses
    // ends them: those after it are not run, and outside a transaction
    // those before it are undone (the queue is stored all or none). Only
    // statements whose results nothing else in the queue depends on go
    // together.
    void enfileirar(const INSTRUCAO& instrucao);
    std::vector<RESULTADO> enviar_fila();

    // Statements that belong together, all stored or none: "begin", then
    // "commit" or "rollback", each written to the trace and sent as any
    // other statement. A commit succeeds only when the server committed: in
    // a transaction that an error ended it rolls back instead
    // (estado_sql::TRANSACAO_DESFEITA), and when its reply is lost it is
    // not known whether it was stored (estado_sql::CONFIRMACAO_INCERTA; not
    // sent at all: the transaction went with the connection). The rollback
    // is not sent when the connection was lost, which undid the
    // transaction already.
    RESULTADO iniciar_transacao();
    RESULTADO confirmar_transacao();
    void desfazer_transacao();

    // The statement described piece by piece: set_tipoquery starts a new
    // one of that kind; the join kind stays from one statement to the next.
    void set_tipoquery(int tipo);
    void set_tipojoin(int tipo);
    void add_camporetorno(const std::string& s);
    void add_tabelas(const std::string& s);
    void add_check_join(const std::string& s);
    void add_campoconsulta(const std::string& s);
    void add_dadosconsulta(const std::string& s);
    void add_filtroconsulta(const std::string& s);
    void add_campoupdate(const std::string& s);
    void add_dadosupdate(const std::string& s);
    void add_campoinsert(const std::string& s);
    void add_dadosinsert(const std::string& s);
    void add_campoorder(const std::string& s);
    // The insert being described returns its rows even without a RETURNING list.
    void set_retorno();

    // Runs the statement described. A query, or an insert that returns rows,
    // sets the count; when that count is not 0 its rows become the ones
    // retornar_consulta() gives. Any other statement leaves both as they were.
    bool ativar();

    int get_registros() const { return registros; }
    TABELA retornar_consulta() const;
    std::string get_mensagem() const { return mensagem; }

    // The text the last ativar assembled, as the trace shows it (empty when
    // nothing was assembled).
    const std::string& get_sql() const { return sql; }

    // Called after every insert, update or delete the server accepted,
    // whichever window sent it (what shows records then reads them again).
    void ao_gravar(std::function<void()> aviso) { aviso_gravacao = std::move(aviso); }

private:
    // The statement being described through the calls above.
    INSTRUCAO descrita;
    int tipojoin;
    // Whether the statement last run by ativar() was an insert that returns rows.
    bool retorno;
    int registros;
    // The rows of the last statement run by ativar() that returned some.
    std::shared_ptr<const LINHAS> consulta;
    std::string sql;
    std::function<void()> aviso_gravacao;

    // Sends a text already written to the trace and reads what it returned;
    // `tipo` is the statement's kind (INSTRUCAO::Tipo).
    RESULTADO enviar(int tipo, const std::string& texto, const std::vector<int>& guardadas,
                     const std::vector<std::string>& parametros = {});
    RESULTADO transacao(const char* texto);
    // An update or delete that matched no row, or a change that could not
    // be sent for want of a connection, is a failure.
    void julgar(RESULTADO& r);

    // Queued by enfileirar: each statement's kind, text and secret values.
    struct NaFila
    {
        int tipo;
        std::string texto;
        std::vector<std::string> parametros;
    };
    std::vector<NaFila> fila;
};

#endif // ZUMBREL_DB_QUERY_H
