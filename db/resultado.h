// What one statement gave back: whether it was sent and accepted, the rows
// it returned and how many, and the connection's message after it.
#ifndef ZUMBREL_DB_RESULTADO_H
#define ZUMBREL_DB_RESULTADO_H

#include <memory>
#include <string>

#include "db/linha_resultado.h"
#include "db/linhas.h"

class RESULTADO
{
public:
    // False when nothing was sent (no table to write to, an unknown kind)
    // or the database refused the statement.
    bool ok = false;
    // The kind of the statement (INSTRUCAO::Tipo).
    int tipo = 0;
    // How many rows it returned: 0 for a command, a refusal or a statement
    // that was never sent.
    int registros = 0;
    // How many rows it inserted, updated or deleted (for a query, found);
    // 0 when it failed or was not sent.
    int afetadas = 0;
    // Why it failed (empty when it did not): the SQLSTATE the server gave,
    // "08001" when nothing could be sent (no connection), "08006" when the
    // connection was lost on the way, "02000" for an update or delete that
    // matched no row; and the constraint the server named, if any.
    std::string sqlstate;
    std::string restricao;
    // The connection's message as the statement left it: the database's
    // error text when it was refused, otherwise the last connection message
    // or error, which a success does not touch.
    std::string mensagem;
    // The rows, shared with whoever keeps them; null when there are none.
    std::shared_ptr<const LINHAS> linhas;

    // Whether it was accepted and returned at least one row.
    bool achou() const { return ok && registros > 0; }
    // Row i (an empty row past the last).
    LinhaResultado linha(int i) const { return LinhaResultado(i < registros ? linhas.get() : nullptr, i); }
};

#endif // ZUMBREL_DB_RESULTADO_H
