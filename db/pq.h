// libpq, loaded by the program when it first connects instead of when it
// starts. Linked the usual way, libpq and the libraries it brings (TLS,
// Kerberos, LDAP: a third of everything the program loads) are loaded and
// resolved before main, on the way to the login window; loaded here, that
// happens on the thread that makes the connection, while the toolkit starts
// on the other, and the toolkit's own symbol lookups no longer search them.
// The functions of namespace pq are libpq's, under the same names, called
// through the library loaded once by `carregar`.
#ifndef ZUMBREL_DB_PQ_H
#define ZUMBREL_DB_PQ_H

#include <atomic>
#include <string>
#include <type_traits>
#include <utility>

#include <libpq-fe.h>

namespace pq {

// Every libpq function the program calls.
#define ZUMBREL_PQ_FUNCOES(X)                                                                                  \
    X(PQclear) X(PQclientEncoding) X(PQcmdStatus) X(PQcmdTuples) X(PQconnectdb) X(PQconsumeInput)              \
    X(PQenterPipelineMode) X(PQerrorMessage) X(PQescapeStringConn) X(PQexitPipelineMode) X(PQfinish)           \
    X(PQgetResult) X(PQgetlength) X(PQgetvalue) X(PQisBusy) X(PQnfields) X(PQntuples) X(PQparameterStatus)     \
    X(PQpipelineStatus) X(PQpipelineSync) X(PQreset) X(PQresultErrorField) X(PQresultErrorMessage)             \
    X(PQresultStatus) X(PQsendQuery) X(PQsendQueryParams) X(PQsetSingleRowMode) X(PQsocket) X(PQstatus)         \
    X(PQtransactionStatus) X(pg_encoding_to_char)

struct FUNCOES
{
#define ZUMBREL_PQ_PONTEIRO(nome) decltype(&::nome) nome = nullptr;
    ZUMBREL_PQ_FUNCOES(ZUMBREL_PQ_PONTEIRO)
#undef ZUMBREL_PQ_PONTEIRO
};

// Loads libpq the first time it is called (from any thread, once); true
// when every function above was found. Otherwise `erro` says why, and the
// functions below do nothing and answer as libpq does for a missing
// connection or result.
bool carregar(std::string* erro = nullptr);
namespace detalhe {
// The functions once found, or null. Every call reads it (a plain load on
// the machines the program runs on): a long result calls libpq twice for
// each of its values.
extern std::atomic<const FUNCOES*> achadas;
// Loads libpq if need be; the functions found, or all null.
const FUNCOES& carregando();
} // namespace detalhe

// The functions found (loading libpq first if need be); all null when it
// could not be loaded.
inline const FUNCOES& funcoes()
{
    const FUNCOES* f = detalhe::achadas.load(std::memory_order_acquire);
    return f ? *f : detalhe::carregando();
}

// Each function calls libpq's, or, when libpq could not be loaded, answers
// as libpq does for a missing connection or result: a connection or result
// can only exist once it is loaded, so only the calls a program makes
// without one (a status, a message, freeing nothing) need an answer of their
// own; the others answer nothing (a null pointer, zero).
inline char sem_mensagem[] = "";
#define ZUMBREL_PQ_CHAMADA(nome, resposta)                                                                     \
    template <typename... A> inline auto nome(A&&... a)                                                        \
    {                                                                                                          \
        using R = decltype(::nome(std::forward<A>(a)...));                                                     \
        const FUNCOES& f = funcoes();                                                                          \
        if (!f.nome) {                                                                                         \
            if constexpr (std::is_void_v<R>)                                                                   \
                return;                                                                                        \
            else                                                                                               \
                return R{ resposta };                                                                          \
        }                                                                                                      \
        return f.nome(std::forward<A>(a)...);                                                                  \
    }
ZUMBREL_PQ_CHAMADA(PQstatus, CONNECTION_BAD)
ZUMBREL_PQ_CHAMADA(PQtransactionStatus, PQTRANS_UNKNOWN)
ZUMBREL_PQ_CHAMADA(PQresultStatus, PGRES_FATAL_ERROR)
ZUMBREL_PQ_CHAMADA(PQpipelineStatus, PQ_PIPELINE_OFF)
ZUMBREL_PQ_CHAMADA(PQerrorMessage, sem_mensagem)
ZUMBREL_PQ_CHAMADA(PQsocket, -1)
ZUMBREL_PQ_CHAMADA(PQclear, )
ZUMBREL_PQ_CHAMADA(PQclientEncoding, )
ZUMBREL_PQ_CHAMADA(PQcmdStatus, )
ZUMBREL_PQ_CHAMADA(PQcmdTuples, )
ZUMBREL_PQ_CHAMADA(PQconnectdb, )
ZUMBREL_PQ_CHAMADA(PQconsumeInput, )
ZUMBREL_PQ_CHAMADA(PQenterPipelineMode, )
ZUMBREL_PQ_CHAMADA(PQescapeStringConn, )
ZUMBREL_PQ_CHAMADA(PQexitPipelineMode, )
ZUMBREL_PQ_CHAMADA(PQfinish, )
ZUMBREL_PQ_CHAMADA(PQgetResult, )
ZUMBREL_PQ_CHAMADA(PQgetlength, )
ZUMBREL_PQ_CHAMADA(PQgetvalue, )
ZUMBREL_PQ_CHAMADA(PQisBusy, )
ZUMBREL_PQ_CHAMADA(PQnfields, )
ZUMBREL_PQ_CHAMADA(PQntuples, )
ZUMBREL_PQ_CHAMADA(PQparameterStatus, )
ZUMBREL_PQ_CHAMADA(PQpipelineSync, )
ZUMBREL_PQ_CHAMADA(PQreset, )
ZUMBREL_PQ_CHAMADA(PQresultErrorField, )
ZUMBREL_PQ_CHAMADA(PQresultErrorMessage, )
ZUMBREL_PQ_CHAMADA(PQsendQuery, )
ZUMBREL_PQ_CHAMADA(PQsendQueryParams, )
ZUMBREL_PQ_CHAMADA(PQsetSingleRowMode, )
ZUMBREL_PQ_CHAMADA(pg_encoding_to_char, )
#undef ZUMBREL_PQ_CHAMADA

} // namespace pq

#endif
