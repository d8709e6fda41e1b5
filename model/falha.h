// Why a data-access call was refused: by the database (its SQLSTATE, the
// constraint it named and its own text) or by the call itself, before
// anything was sent. Said in plain Portuguese for the person who typed the
// record; the reasons of the schema's constraints are kept here, beside the
// data access that meets them.
#ifndef ZUMBREL_MODEL_FALHA_H
#define ZUMBREL_MODEL_FALHA_H

#include <string>

#include "db/resultado.h"

class FALHA
{
public:
    // The SQLSTATE of an update or delete that matched no row, of work the
    // user stopped, and of the connections that could not be made or were
    // lost on the way (estado_sql's).
    static constexpr const char* SEM_REGISTRO = estado_sql::SEM_REGISTRO;
    static constexpr const char* CANCELADA = estado_sql::CANCELADA;
    static constexpr const char* SEM_CONEXAO = estado_sql::SEM_CONEXAO;
    static constexpr const char* CONEXAO_PERDIDA = estado_sql::CONEXAO_PERDIDA;
    // The reply to a commit was lost: whether it was stored is not known.
    static constexpr const char* CONFIRMACAO_INCERTA = estado_sql::CONFIRMACAO_INCERTA;

    FALHA() = default;
    // The failure of a result (none when it succeeded). A commit the server
    // turned into a rollback, or that never left, undid its transaction.
    explicit FALHA(const RESULTADO& r);
    // The call's own refusal, with its reason (which may be empty).
    static FALHA recusa(const std::string& motivo);

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

    // Says the failure with the call's own reason instead of the shared one
    // (what the database refused is still known: conflito() holds).
    void explicar(const std::string& motivo) { motivo_ = motivo; }
    // Whether the database refused it and the reason is the shared one (a
    // window then says "Verifique as informações digitadas !" above it).
    bool do_banco() const { return houve && motivo_.empty() && !propria_; }
    // The record was changed or deleted by someone else since it was read.
    bool conflito() const { return sqlstate == SEM_REGISTRO; }
    // A date that does not exist or is not written day first.
    bool data_invalida() const { return sqlstate == "22007" || sqlstate == "22008"; }
    // The reason, one or two sentences of plain Portuguese (empty when
    // there was no failure, or the call's refusal gave none).
    std::string motivo() const;

private:
    std::string motivo_;
    bool propria_ = false;
};

// The reason the schema gives for refusing a statement of that kind on that
// constraint (null when the constraint has none of its own); public for the
// test that every constraint of the schema has one.
const char* motivo_da_restricao(const std::string& sqlstate, const std::string& restricao, bool exclusao);

#endif // ZUMBREL_MODEL_FALHA_H
