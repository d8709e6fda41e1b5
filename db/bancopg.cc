#include "db/bancopg.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <poll.h>

namespace {

// The value of a settings line: everything after its first "=", with the
// line end (LF or CR LF) already removed. A line without "=" gives nothing.
bool valor_da_linha(const std::string& linha, std::string& valor)
{
    std::string::size_type igual = linha.find('=');
    if (igual == std::string::npos)
        return false;
    valor = linha.substr(igual + 1);
    return true;
}

// A value for a libpq connection string: between single quotes, with its
// quotes and backslashes escaped, so that blanks, quotes and "=" are part
// of it.
std::string entre_aspas(const std::string& valor)
{
    std::string saida = "'";
    for (char c : valor) {
        if (c == '\'' || c == '\\')
            saida += '\\';
        saida += c;
    }
    return saida + "'";
}

// The SQLSTATE and the constraint the result of a refused statement names
// ("" for what it does not name).
void ler_recusa(const PGresult* r, std::string& sqlstate, std::string& restricao)
{
    const char* estado = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    const char* nome = PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME);
    sqlstate = estado ? estado : "";
    restricao = nome ? nome : "";
}

} // namespace

BANCOPG::BANCOPG(const char* arquivo_conf)
    : conectado(false), situacao(0), ssl(0), linhas(0), colunas(0),
      arquivo(arquivo_conf ? arquivo_conf : ""), conexao(nullptr)
{
    std::string linha[5];
    std::ifstream entrada(arquivo.c_str());
    if (entrada.is_open()) {
        for (int i = 0; i < 5 && std::getline(entrada, linha[i]); ++i) {
            if (!linha[i].empty() && linha[i].back() == '\r')
                linha[i].pop_back();
        }
        entrada.close();
    }

    std::string* destino[4] = { &hostaddr, &dbname, &usuario, &senha };
    for (int i = 0; i < 4; ++i) {
        std::string valor;
        if (valor_da_linha(linha[i], valor))
            destino[i]->append(valor);
    }
    // Only 0, 1, 2 or nothing: any other text (a typo, "sim", "3") refuses
    // to connect instead of going without encryption unasked.
    std::string valor;
    if (valor_da_linha(linha[4], valor))
        ssl = valor.empty() || valor == "0" ? 0 : valor == "1" ? 1 : valor == "2" ? 2 : SSL_DESCONHECIDO;
    else if (!linha[4].empty())
        ssl = SSL_DESCONHECIDO;

    conectar();
}

BANCOPG::~BANCOPG()
{
    res.reset();
    if (conexao)
        PQfinish(conexao);
}

std::string BANCOPG::get_string_conexao() const
{
    // A host that begins with "/" is the folder of the server's Unix socket
    // (the local database), where libpq uses no encryption. Otherwise ssl=2
    // verifies the certificate against the address (libpq checks the name
    // given as host, and connects to hostaddr).
    const bool soquete = !hostaddr.empty() && hostaddr[0] == '/';
    std::string texto = (soquete ? "host=" : "hostaddr=") + entre_aspas(hostaddr);
    if (ssl == 2 && !soquete)
        texto += " host=" + entre_aspas(hostaddr);
    texto += " dbname=" + entre_aspas(dbname) + " user=" + entre_aspas(usuario) + " password=" +
             entre_aspas(senha) + " sslmode=" + (ssl == 1 ? "require" : ssl == 2 ? "verify-full" : "disable");
    // Dates are typed day first and texts are UTF-8, whatever the server's,
    // the database's or the user's defaults.
    texto += " options='-c DateStyle=ISO,DMY' client_encoding=UTF8";
    // A server that does not answer ends a connection attempt in bounded
    // time instead of freezing the window.
    texto += " connect_timeout=" + std::to_string(ESPERA_CONEXAO);
    // A peer that went away unseen (a dead link, a machine switched off) is
    // noticed by the system: probes after 10 s of silence, given up after 3
    // unanswered ones 5 s apart, and data sent but not acknowledged for 20 s
    // ends the connection.
    texto += " keepalives=1 keepalives_idle=10 keepalives_interval=5 keepalives_count=3 tcp_user_timeout=20000";
    return texto;
}

void BANCOPG::conectar()
{
    mensagem.clear();

    // libpq sends PGDATESTYLE from the environment after the options above,
    // and the server takes the later one: a month-first PGDATESTYLE would
    // silently store 01/02 as 2 January. The program's own connections
    // (reconnections too, which read the environment again) go without it.
    // The client encoding is fixed by its own keyword, which wins over
    // PGCLIENTENCODING.
    unsetenv("PGDATESTYLE");

    if (conexao) {
        PQfinish(conexao);
        conexao = nullptr;
    }
    if (ssl == SSL_DESCONHECIDO) {
        conectado = false;
        mensagem = "Falha ao conectar!\nValor de ssl desconhecido em " + arquivo +
                   " (use 0, 1 ou 2); a conexão não foi tentada.";
        return;
    }
    conexao = PQconnectdb(get_string_conexao().c_str());
    if (PQstatus(conexao) == CONNECTION_OK) {
        conectado = true;
        mensagem = "Conectado com sucesso!";
    } else {
        conectado = false;
        mensagem = std::string("Falha ao conectar!\n") + PQerrorMessage(conexao);
    }
}

bool BANCOPG::pronta_para_enviar(std::string& erro)
{
    // While idle, nothing should arrive: something readable now is the
    // server ending the session (a restart, an administrator), which
    // reading it makes known. Its farewell comes first and the end of the
    // connection after it, each taken by one read: a few rounds.
    for (int i = 0; i < 8 && !abandonada && PQstatus(conexao) == CONNECTION_OK; ++i) {
        pollfd p {};
        p.fd = PQsocket(conexao);
        p.events = POLLIN;
        if (p.fd < 0 || poll(&p, 1, 0) <= 0)
            break;
        if (PQconsumeInput(conexao))
            PQisBusy(conexao);   // reads what came (a notice, the farewell)
    }
    if (!abandonada && PQstatus(conexao) == CONNECTION_OK)
        return true;

    if (em_transacao) {
        // The server dropped the transaction with the session: what it did
        // so far is gone, and going on in a new session would store only
        // the rest of it.
        erro = "A ligação com o servidor caiu no meio da transação.";
        return false;
    }
    // Nothing of the statement was sent yet, so making the connection again
    // and sending it once is safe.
    abandonada = false;
    PQreset(conexao);
    if (PQpipelineStatus(conexao) != PQ_PIPELINE_OFF)
        PQexitPipelineMode(conexao);
    if (PQstatus(conexao) == CONNECTION_OK)
        return true;
    erro = PQerrorMessage(conexao);
    return false;
}

bool BANCOPG::aguardar_resposta()
{
    using relogio = std::chrono::steady_clock;
    relogio::time_point limite = relogio::now() + std::chrono::seconds(espera_resposta);
    while (PQisBusy(conexao)) {
        const int socket = PQsocket(conexao);
        if (socket < 0)
            return true;   // lost: PQgetResult gives the error
        const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(limite - relogio::now()).count();
        if (falta <= 0)
            return false;
        // In slices of at most a second, each followed by a read: an
        // encrypted reply may wait decrypted inside the connection with
        // nothing left on the socket to wake the poll.
        pollfd p {};
        p.fd = socket;
        p.events = POLLIN;
        const int n = poll(&p, 1, static_cast<int>(std::min<long long>(falta, 1000)));
        if (n < 0 && errno != EINTR)
            return true;
        if (n > 0)
            limite = relogio::now() + std::chrono::seconds(espera_resposta);
        if (!PQconsumeInput(conexao))
            return true;   // lost: PQgetResult gives the error
    }
    return true;
}

void BANCOPG::esquecer_desfecho()
{
    res.reset();
    afetadas = 0;
    enviado = false;
    comando.clear();
    sqlstate.clear();
    restricao.clear();
}

void BANCOPG::executar(const char* sql, const std::vector<int>& guardadas, const std::vector<std::string>& parametros)
{
    if (!conectado)
        return;
    esquecer_desfecho();

    // The rows are read one at a time as the server sends them, straight
    // into a compact table. As with one PQexec, the outcome is that of the
    // last statement in the text, and an error ends it.
    std::shared_ptr<LINHAS> novas;
    int nova_situacao = 3;
    std::string erro;
    if (!pronta_para_enviar(erro)) {
        sqlstate = em_transacao ? "08006" : "08001";
    } else if (!enviar(sql, parametros)) {
        erro = PQerrorMessage(conexao);
    } else {
        enviado = true;
        PQsetSingleRowMode(conexao);
        bool nova_instrucao = true;
        bool grande_demais = false;
        for (;;) {
            if (!aguardar_resposta()) {
                // The statement may still run, or have run: it is not sent
                // again, and this connection is not used any more.
                abandonada = true;
                novas.reset();
                nova_situacao = 3;
                erro = "O servidor não respondeu em " + std::to_string(espera_resposta) + " segundos.";
                sqlstate = "08006";
                break;
            }
            PGresult* r = PQgetResult(conexao);
            if (!r)
                break;
            const ExecStatusType estado = PQresultStatus(r);
            if (grande_demais) {
                // The rest of the rows go by unread.
            } else if (estado == PGRES_SINGLE_TUPLE || estado == PGRES_TUPLES_OK) {
                if (nova_instrucao)
                    novas = novas_linhas(r, guardadas);
                if (novas->acrescentar(r)) {
                    nova_instrucao = estado == PGRES_TUPLES_OK;
                    if (nova_instrucao) {
                        nova_situacao = 2;
                        comando = PQcmdStatus(r);
                        afetadas = std::atoi(PQcmdTuples(r));
                    }
                } else {
                    grande_demais = true;
                    novas.reset();
                    nova_situacao = 3;
                    erro = "Resultado grande demais para ser lido.";
                }
            } else {
                novas.reset();
                nova_instrucao = true;
                nova_situacao = estado == PGRES_COMMAND_OK ? 1 : 3;
                if (nova_situacao == 1) {
                    comando = PQcmdStatus(r);
                    afetadas = std::atoi(PQcmdTuples(r));
                } else {
                    erro = PQresultErrorMessage(r);
                    ler_recusa(r, sqlstate, restricao);
                }
            }
            PQclear(r);
        }
    }
    if (nova_situacao == 3 && erro.empty())
        erro = PQerrorMessage(conexao);
    // An error that libpq made itself, on a connection now broken, is the
    // connection lost while the statement was on its way.
    if (nova_situacao == 3 && sqlstate.empty() && PQstatus(conexao) != CONNECTION_OK)
        sqlstate = "08006";
    if (nova_situacao == 3) {
        afetadas = 0;
        comando.clear();
    }

    // The connection knows whether a transaction is open; a lost one says
    // nothing, and the transaction stays open here until it is ended.
    if (!abandonada && PQstatus(conexao) == CONNECTION_OK)
        em_transacao = PQtransactionStatus(conexao) != PQTRANS_IDLE;

    situacao = nova_situacao;
    if (situacao == 2) {
        novas->encerrar();
        linhas = novas->ntuples();
        colunas = novas->nfields();
        res = std::move(novas);
    } else {
        res.reset();
        if (situacao == 3)
            mensagem = erro;
    }
}

bool BANCOPG::enviar(const char* sql, const std::vector<std::string>& parametros)
{
    if (parametros.empty())
        return PQsendQuery(conexao, sql);
    std::vector<const char*> valores;
    valores.reserve(parametros.size());
    for (const std::string& p : parametros)
        valores.push_back(p.c_str());
    return PQsendQueryParams(conexao, sql, static_cast<int>(valores.size()), nullptr, valores.data(), nullptr,
                             nullptr, 0);
}

std::shared_ptr<LINHAS> BANCOPG::novas_linhas(const PGresult* r, const std::vector<int>& guardadas) const
{
    auto linhas = std::make_shared<LINHAS>(PQnfields(r), guardadas);
    // A server that checks its texts and converts them to the client's
    // UTF-8 sends only valid UTF-8; one in SQL_ASCII passes on any bytes.
    const char* servidor = PQparameterStatus(conexao, "server_encoding");
    if (servidor && std::strcmp(servidor, "SQL_ASCII") != 0 &&
        std::strcmp(pg_encoding_to_char(PQclientEncoding(conexao)), "UTF8") == 0)
        linhas->ja_em_utf8();
    return linhas;
}

void BANCOPG::ler_desfecho(PGresult* r, DESFECHO& d)
{
    switch (PQresultStatus(r)) {
    case PGRES_SINGLE_TUPLE:
    case PGRES_TUPLES_OK:
        // Rows may come one at a time (the connection may still be in
        // single-row mode), the last result then holding none.
        if (!d.linhas)
            d.linhas = novas_linhas(r);
        if (!d.linhas->acrescentar(r)) {
            d.linhas.reset();
            d.situacao = 3;
            d.erro = "Resultado grande demais para ser lido.";
            return;
        }
        if (PQresultStatus(r) == PGRES_SINGLE_TUPLE)
            return;
        d.linhas->encerrar();
        d.situacao = 2;
        d.comando = PQcmdStatus(r);
        d.afetadas = std::atoi(PQcmdTuples(r));
        return;
    case PGRES_COMMAND_OK:
        d.situacao = 1;
        d.comando = PQcmdStatus(r);
        d.afetadas = std::atoi(PQcmdTuples(r));
        return;
    case PGRES_PIPELINE_ABORTED:
        d.situacao = 3;
        d.erro = "Não executada: uma instrução anterior falhou.";
        return;
    default: {
        d.situacao = 3;
        d.erro = PQresultErrorMessage(r);
        ler_recusa(r, d.sqlstate, d.restricao);
        return;
    }
    }
}

std::vector<DESFECHO> BANCOPG::executar_juntos(const std::vector<std::string>& textos,
                                               const std::vector<std::vector<std::string>>& parametros)
{
    std::vector<DESFECHO> desfechos(textos.size());
    if (!conectado || textos.empty())
        return desfechos;
    esquecer_desfecho();

    std::string erro;
    std::string estado_sql;
    if (!pronta_para_enviar(erro)) {
        estado_sql = em_transacao ? "08006" : "08001";
    } else {
        // A pipeline: every statement goes out before the first reply is
        // read. The replies of a few hundred statements fit in the
        // system's buffers, so neither end waits on the other meanwhile.
        bool ok = PQenterPipelineMode(conexao);
        for (std::size_t i = 0; ok && i < textos.size(); ++i) {
            std::vector<const char*> valores;
            if (i < parametros.size())
                for (const std::string& v : parametros[i])
                    valores.push_back(v.c_str());
            ok = PQsendQueryParams(conexao, textos[i].c_str(), static_cast<int>(valores.size()), nullptr,
                                   valores.data(), nullptr, nullptr, 0);
        }
        ok = ok && PQpipelineSync(conexao);
        enviado = true;
        if (!ok) {
            // Some of them may have gone: the connection is not trusted
            // with another statement before it is made again.
            erro = PQerrorMessage(conexao);
            estado_sql = "08006";
            abandonada = true;
        }
        for (std::size_t i = 0; ok && i < textos.size(); ++i) {
            DESFECHO& d = desfechos[i];
            for (;;) {
                if (!aguardar_resposta()) {
                    abandonada = true;
                    erro = "O servidor não respondeu em " + std::to_string(espera_resposta) + " segundos.";
                    estado_sql = "08006";
                    ok = false;
                    break;
                }
                PGresult* r = PQgetResult(conexao);
                if (!r)
                    break;
                if (d.situacao != 3)
                    ler_desfecho(r, d);
                PQclear(r);
                if (PQstatus(conexao) != CONNECTION_OK)
                    break;
            }
            if (ok && PQstatus(conexao) != CONNECTION_OK) {
                erro = d.situacao == 3 && !d.erro.empty() ? d.erro : std::string(PQerrorMessage(conexao));
                estado_sql = "08006";
                ok = false;
            }
        }
        if (ok) {
            // The end of the pipeline.
            PGresult* r = aguardar_resposta() ? PQgetResult(conexao) : nullptr;
            ok = r && PQresultStatus(r) == PGRES_PIPELINE_SYNC;
            PQclear(r);
            ok = ok && PQexitPipelineMode(conexao);
            if (!ok) {
                abandonada = true;
                erro = PQerrorMessage(conexao);
                estado_sql = "08006";
            }
        }
    }

    // A lost connection fails every statement whose reply did not come.
    if (!estado_sql.empty()) {
        for (DESFECHO& d : desfechos) {
            if (d.situacao != 1 && d.situacao != 2 && d.sqlstate.empty()) {
                d.situacao = 3;
                d.linhas.reset();
                d.sqlstate = estado_sql;
                if (d.erro.empty())
                    d.erro = erro;
            }
        }
    }
    if (!abandonada && PQstatus(conexao) == CONNECTION_OK)
        em_transacao = PQtransactionStatus(conexao) != PQTRANS_IDLE;

    // The connection's own outcome: the first failure, else the last.
    const DESFECHO* principal = &desfechos.back();
    for (const DESFECHO& d : desfechos) {
        if (d.situacao == 3) {
            principal = &d;
            break;
        }
    }
    situacao = principal->situacao;
    afetadas = principal->afetadas;
    comando = principal->comando;
    sqlstate = principal->sqlstate;
    restricao = principal->restricao;
    if (situacao == 3)
        mensagem = principal->erro;
    return desfechos;
}

std::string BANCOPG::resultado(int linha, int coluna) const
{
    // A superseded row set may be gone while the counts still describe it.
    const LINHAS* r = res.get();
    if (r && linha >= 0 && linha < linhas && coluna >= 0 && coluna < colunas && linha < r->ntuples() &&
        coluna < r->nfields())
        return std::string(r->valor(linha, coluna), r->tamanho(linha, coluna));
    return "Posição não encontrada!";
}

void BANCOPG::resultado()
{
    tabela.clear();
    // Every position read exists in the result: each value is read once,
    // straight into its place.
    const LINHAS* r = res.get();
    const int n = r ? std::min(linhas, r->ntuples()) : 0;
    const int m = r ? std::min(colunas, r->nfields()) : 0;
    tabela.resize(linhas);
    for (int l = 0; l < linhas; ++l) {
        LINHA& valores = tabela[l];
        valores.reserve(colunas);
        for (int c = 0; c < colunas; ++c) {
            if (l < n && c < m)
                valores.emplace_back(r->valor(l, c), r->tamanho(l, c));
            else
                valores.emplace_back("Posição não encontrada!");
        }
    }
}

std::string BANCOPG::literal(const std::string& texto) const
{
    std::string saida;
    if (conexao && PQstatus(conexao) == CONNECTION_OK) {
        std::vector<char> buffer(texto.size() * 2 + 1);
        int erro = 0;
        size_t n = PQescapeStringConn(conexao, buffer.data(), texto.data(), texto.size(), &erro);
        if (!erro)
            return "'" + std::string(buffer.data(), n) + "'";
    }
    // No connection to ask (or text the server's encoding rejects): double
    // the quotes. A backslash would mean different things depending on the
    // server's standard_conforming_strings, so such text goes in the escape
    // string form, which reads the same under both settings.
    bool barra = texto.find('\\') != std::string::npos;
    saida.reserve(texto.size() + 3);
    if (barra)
        saida += 'E';
    saida += '\'';
    for (char c : texto) {
        if (c == '\'' || (barra && c == '\\'))
            saida += c;
        saida += c;
    }
    saida += '\'';
    return saida;
}
