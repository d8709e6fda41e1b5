// Why a statement failed, kept for the window that reports it, and said in
// plain Portuguese for the person who typed the record.
#ifndef ZUMBREL_DB_FALHA_H
#define ZUMBREL_DB_FALHA_H

#include <string>

class RESULTADO;

class FALHA
{
public:
    // The SQLSTATE of an update or delete that matched no row, of work the
    // user stopped, and of the connections that could not be made or were
    // lost on the way.
    static const char* const SEM_REGISTRO;
    static const char* const CANCELADA;
    static const char* const SEM_CONEXAO;
    static const char* const CONEXAO_PERDIDA;
    // The reply to a commit was lost: whether it was stored is not known.
    static const char* const CONFIRMACAO_INCERTA;

    FALHA() = default;
    // The failure of a result (none when it succeeded).
    explicit FALHA(const RESULTADO& r);

    // The kind of the statement (INSTRUCAO::Tipo).
    int tipo = 0;
    std::string sqlstate;
    std::string restricao;
    // The message of the connection or of the server, as it came.
    std::string mensagem;
    // Whether there is a failure to tell.
    bool houve = false;
    // It came inside a transaction that was then undone: nothing of that
    // work was stored, whatever the failure.
    bool desfeita = false;

    // The record was changed or deleted by someone else since it was read.
    bool conflito() const { return sqlstate == SEM_REGISTRO; }
    // The reason, one or two sentences of plain Portuguese (empty when
    // there was no failure).
    std::string motivo() const;
};

#endif // ZUMBREL_DB_FALHA_H
