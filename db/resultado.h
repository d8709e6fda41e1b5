// What one statement did: whether it was sent and how it ended, the rows it
// returned, how many rows it touched and, when it failed, why.
#ifndef ZUMBREL_DB_RESULTADO_H
#define ZUMBREL_DB_RESULTADO_H

#include <memory>
#include <string>

#include "db/linha_resultado.h"
#include "db/linhas.h"

// How a statement ended.
enum class Situacao : int {
    NENHUMA = 0,   // not sent (no connection: to a query, an empty database)
    COMANDO = 1,   // a command done, without rows
    LINHAS = 2,    // rows returned (possibly none)
    FALHOU = 3,    // refused, lost on the way, or nothing to send
};

// The SQLSTATE given to failures the server did not name itself: an update
// or delete that matched no row, work the user stopped, a connection that
// could not be made or was lost on the way, and a commit whose reply was
// lost (whether it was stored is not known).
namespace estado_sql {
inline constexpr const char* SEM_REGISTRO = "02000";
inline constexpr const char* CANCELADA = "57014";
inline constexpr const char* SEM_CONEXAO = "08001";
inline constexpr const char* CONEXAO_PERDIDA = "08006";
inline constexpr const char* CONFIRMACAO_INCERTA = "08007";
// A transaction that an error had ended: the commit undid it instead.
inline constexpr const char* TRANSACAO_DESFEITA = "25P02";
} // namespace estado_sql

class RESULTADO
{
public:
    Situacao situacao = Situacao::NENHUMA;
    // The kind of the statement (INSTRUCAO::Tipo).
    int tipo = 0;
    // How many rows it inserted, updated or deleted (for a query, found);
    // 0 when it failed or was not sent.
    int afetadas = 0;
    // Its command tag ("UPDATE 1", "COMMIT"); empty when it failed.
    std::string comando;
    // Whether its text reached the server's connection.
    bool enviado = false;
    // Why it failed (empty when it did not): the SQLSTATE the server gave,
    // or one of estado_sql's, and the constraint the server named, if any.
    std::string sqlstate;
    std::string restricao;
    // The connection's message as the statement left it: the database's
    // error text when it was refused, otherwise the last connection message
    // or error, which a success does not touch.
    std::string mensagem;
    // The rows, shared with whoever keeps them; null when there are none.
    std::shared_ptr<const LINHAS> linhas;

    // How many rows it returned: 0 for a command, a refusal or a statement
    // that was never sent.
    int registros() const { return linhas ? linhas->ntuples() : 0; }
    // False when it failed or there was nothing to send.
    bool ok() const { return situacao != Situacao::FALHOU; }
    // Whether it was accepted and returned at least one row.
    bool achou() const { return ok() && registros() > 0; }
    // Row i (an empty row past the last).
    LinhaResultado linha(int i) const { return LinhaResultado(linhas.get(), i); }
    // Marks it failed, with that SQLSTATE: no rows, no count, no tag.
    void falhar(const char* estado)
    {
        situacao = Situacao::FALHOU;
        sqlstate = estado;
        linhas.reset();
        afetadas = 0;
        comando.clear();
    }
};

#endif // ZUMBREL_DB_RESULTADO_H
