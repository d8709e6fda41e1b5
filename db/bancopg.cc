#include "db/bancopg.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <poll.h>

#include "db/pq.h"

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
    const char* estado = pq::PQresultErrorField(r, PG_DIAG_SQLSTATE);
    const char* nome = pq::PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME);
    sqlstate = estado ? estado : "";
    restricao = nome ? nome : "";
}

} // namespace

BANCOPG::BANCOPG(const char* arquivo_conf)
    : conectado(false), ssl(0), linhas(0), colunas(0),
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
    desfecho.linhas.reset();
    if (conexao)
        pq::PQfinish(conexao);
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
    // the database's or the user's defaults. The program's statements are
    // short and answered while the user waits: compiling them first (the
    // server's JIT, which their estimated cost can set off) only delays them.
    texto += " options='-c DateStyle=ISO,DMY -c jit=off' client_encoding=UTF8";
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
        pq::PQfinish(conexao);
        conexao = nullptr;
    }
    if (ssl == SSL_DESCONHECIDO) {
        conectado = false;
        mensagem = "Falha ao conectar!\nValor de ssl desconhecido em " + arquivo +
                   " (use 0, 1 ou 2); a conexão não foi tentada.";
        return;
    }
    std::string sem_libpq;
    if (!pq::carregar(&sem_libpq)) {
        conectado = false;
        mensagem = "Falha ao conectar!\nA conexão não foi tentada: " + sem_libpq + ".";
        return;
    }
    conexao = pq::PQconnectdb(get_string_conexao().c_str());
    if (pq::PQstatus(conexao) == CONNECTION_OK) {
        conectado = true;
        mensagem = "Conectado com sucesso!";
    } else {
        conectado = false;
        mensagem = std::string("Falha ao conectar!\n") + pq::PQerrorMessage(conexao);
    }
}

bool BANCOPG::pronta_para_enviar(std::string& erro)
{
    // While idle, nothing should arrive: something readable now is the
    // server ending the session (a restart, an administrator), which
    // reading it makes known. Its farewell comes first and the end of the
    // connection after it, each taken by one read: a few rounds.
    for (int i = 0; i < 8 && !abandonada && pq::PQstatus(conexao) == CONNECTION_OK; ++i) {
        pollfd p {};
        p.fd = pq::PQsocket(conexao);
        p.events = POLLIN;
        if (p.fd < 0 || poll(&p, 1, 0) <= 0)
            break;
        if (pq::PQconsumeInput(conexao))
            pq::PQisBusy(conexao);   // reads what came (a notice, the farewell)
    }
    if (!abandonada && pq::PQstatus(conexao) == CONNECTION_OK)
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
    pq::PQreset(conexao);
    if (pq::PQpipelineStatus(conexao) != PQ_PIPELINE_OFF)
        pq::PQexitPipelineMode(conexao);
    if (pq::PQstatus(conexao) == CONNECTION_OK) {
        if (ao_reconectar)
            ao_reconectar();
        return pq::PQstatus(conexao) == CONNECTION_OK;
    }
    erro = pq::PQerrorMessage(conexao);
    return false;
}

bool BANCOPG::utilizavel() const
{
    return conectado && !abandonada && pq::PQstatus(conexao) == CONNECTION_OK;
}

PGresult* BANCOPG::proximo_resultado(bool& perdida, std::string& erro)
{
    using relogio = std::chrono::steady_clock;
    relogio::time_point limite = relogio::now() + std::chrono::seconds(espera_resposta);
    while (pq::PQisBusy(conexao)) {
        const int socket = pq::PQsocket(conexao);
        if (socket < 0)
            break;   // lost: PQgetResult gives the error
        const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(limite - relogio::now()).count();
        if (falta <= 0) {
            // The statement may still run, or have run: it is not sent
            // again, and this connection is not used any more.
            abandonada = true;
            perdida = true;
            erro = "O servidor não respondeu em " + std::to_string(espera_resposta) + " segundos.";
            return nullptr;
        }
        // In slices of at most a second, each followed by a read: an
        // encrypted reply may wait decrypted inside the connection with
        // nothing left on the socket to wake the poll.
        pollfd p {};
        p.fd = socket;
        p.events = POLLIN;
        const int n = poll(&p, 1, static_cast<int>(std::min<long long>(falta, 1000)));
        if (n < 0 && errno != EINTR)
            break;
        if (n > 0)
            limite = relogio::now() + std::chrono::seconds(espera_resposta);
        if (!pq::PQconsumeInput(conexao))
            break;   // lost: PQgetResult gives the error
    }
    return pq::PQgetResult(conexao);
}

void BANCOPG::ler_resultado(PGresult* r, Leitura& l, const std::vector<int>& guardadas) const
{
    RESULTADO& d = l.resultado;
    switch (pq::PQresultStatus(r)) {
    case PGRES_SINGLE_TUPLE:
    case PGRES_TUPLES_OK:
        // Rows may come one at a time (single-row mode), the last result
        // then holding none; they go into the table as they come.
        if (!l.linhas)
            l.linhas = novas_linhas(r, guardadas);
        if (!l.linhas->acrescentar(r)) {
            l.linhas.reset();
            d.falhar("");
            d.mensagem = "Resultado grande demais para ser lido.";
            return;
        }
        if (pq::PQresultStatus(r) == PGRES_SINGLE_TUPLE)
            return;
        l.linhas->encerrar();
        d.linhas = std::move(l.linhas);
        d.situacao = Situacao::LINHAS;
        d.comando = pq::PQcmdStatus(r);
        d.afetadas = std::atoi(pq::PQcmdTuples(r));
        return;
    case PGRES_COMMAND_OK:
        d.situacao = Situacao::COMANDO;
        d.comando = pq::PQcmdStatus(r);
        d.afetadas = std::atoi(pq::PQcmdTuples(r));
        return;
    case PGRES_PIPELINE_ABORTED:
        d.falhar("");
        d.mensagem = "Não executada: uma instrução anterior falhou.";
        return;
    default:
        l.linhas.reset();
        d.falhar("");
        d.mensagem = pq::PQresultErrorMessage(r);
        ler_recusa(r, d.sqlstate, d.restricao);
        return;
    }
}

void BANCOPG::concluir(std::vector<RESULTADO>& resultados, const std::string& estado, const std::string& erro)
{
    for (RESULTADO& d : resultados) {
        // Failed without a text of its own: the connection says why.
        if (d.situacao == Situacao::FALHOU && d.mensagem.empty())
            d.mensagem = erro.empty() ? std::string(pq::PQerrorMessage(conexao)) : erro;
        // An error that libpq made itself, on a connection now broken, is
        // the connection lost while the statement was on its way; so is
        // every statement whose reply did not come.
        const bool acabou = d.situacao == Situacao::COMANDO || d.situacao == Situacao::LINHAS;
        if (!acabou && d.sqlstate.empty() && (!estado.empty() || pq::PQstatus(conexao) != CONNECTION_OK)) {
            d.falhar(estado.empty() ? estado_sql::CONEXAO_PERDIDA : estado.c_str());
            if (d.mensagem.empty())
                d.mensagem = erro.empty() ? std::string(pq::PQerrorMessage(conexao)) : erro;
        }
    }
    // The connection knows whether a transaction is open; a lost one says
    // nothing, and the transaction stays open here until it is ended.
    if (!abandonada && pq::PQstatus(conexao) == CONNECTION_OK)
        em_transacao = pq::PQtransactionStatus(conexao) != PQTRANS_IDLE;

    // The connection's own outcome: the first failure, else the last.
    const RESULTADO* principal = resultados.empty() ? nullptr : &resultados.back();
    for (const RESULTADO& d : resultados) {
        if (d.situacao == Situacao::FALHOU) {
            principal = &d;
            break;
        }
    }
    if (!principal)
        return;
    desfecho = *principal;
    if (desfecho.situacao == Situacao::FALHOU)
        mensagem = desfecho.mensagem;
    for (RESULTADO& d : resultados) {
        if (d.ok())
            d.mensagem = mensagem;
    }
    desfecho.mensagem = mensagem;
}

void BANCOPG::executar(const char* sql, const std::vector<int>& guardadas, const std::vector<std::string>& parametros)
{
    if (!conectado)
        return;
    desfecho = RESULTADO();

    // One outcome for each statement of the text, in order; the rows are
    // read one at a time as the server sends them, straight into a compact
    // table. An error ends the text (the server runs nothing after it).
    // As with one PQexec, the outcome is that of the last statement: the
    // outcome of one read until it ended, then of the next.
    // Taken now: a statement sent on the way (a login made again on a new
    // session) does not call it.
    std::function<void()> ao_achar = std::move(ao_achar_linhas);
    ao_achar_linhas = nullptr;
    Leitura l;
    std::string erro;
    std::string estado;
    if (!pronta_para_enviar(erro)) {
        l.resultado.falhar(em_transacao ? estado_sql::CONEXAO_PERDIDA : estado_sql::SEM_CONEXAO);
        l.resultado.mensagem = erro;
    } else if (!enviar(sql, parametros)) {
        l.resultado.falhar("");
        l.resultado.mensagem = pq::PQerrorMessage(conexao);
    } else {
        pq::PQsetSingleRowMode(conexao);
        bool perdida = false;
        while (PGresult* r = proximo_resultado(perdida, erro)) {
            const Situacao s = l.resultado.situacao;
            if (s == Situacao::COMANDO || s == Situacao::LINHAS)
                l = Leitura();
            // After an error nothing runs; the rest of rows too large to
            // keep go by unread.
            if (l.resultado.situacao != Situacao::FALHOU)
                ler_resultado(r, l, guardadas);
            pq::PQclear(r);
            const LINHAS* lidas = l.linhas ? l.linhas.get() : l.resultado.linhas.get();
            if (ao_achar && lidas && lidas->ntuples() > 0) {
                std::function<void()> f = std::move(ao_achar);
                ao_achar = nullptr;
                f();
            }
        }
        if (perdida) {
            l.linhas.reset();
            l.resultado.falhar(estado_sql::CONEXAO_PERDIDA);
            estado = estado_sql::CONEXAO_PERDIDA;
        }
        l.resultado.enviado = true;
    }
    std::vector<RESULTADO> ultimo(1, std::move(l.resultado));
    if (ultimo[0].situacao == Situacao::NENHUMA)
        ultimo[0].falhar("");
    concluir(ultimo, estado, erro);
    if (desfecho.situacao == Situacao::LINHAS) {
        linhas = desfecho.linhas->ntuples();
        colunas = desfecho.linhas->nfields();
    }
}

bool BANCOPG::enviar(const char* sql, const std::vector<std::string>& parametros)
{
    if (parametros.empty())
        return pq::PQsendQuery(conexao, sql);
    std::vector<const char*> valores;
    valores.reserve(parametros.size());
    for (const std::string& p : parametros)
        valores.push_back(p.c_str());
    return pq::PQsendQueryParams(conexao, sql, static_cast<int>(valores.size()), nullptr, valores.data(), nullptr,
                             nullptr, 0);
}

std::shared_ptr<LINHAS> BANCOPG::novas_linhas(const PGresult* r, const std::vector<int>& guardadas) const
{
    auto linhas = std::make_shared<LINHAS>(pq::PQnfields(r), guardadas);
    // A server that checks its texts and converts them to the client's
    // UTF-8 sends only valid UTF-8; one in SQL_ASCII passes on any bytes.
    const char* servidor = pq::PQparameterStatus(conexao, "server_encoding");
    if (servidor && std::strcmp(servidor, "SQL_ASCII") != 0 &&
        std::strcmp(pq::pg_encoding_to_char(pq::PQclientEncoding(conexao)), "UTF8") == 0)
        linhas->ja_em_utf8();
    return linhas;
}

std::vector<RESULTADO> BANCOPG::executar_juntos(const std::vector<std::string>& textos,
                                                const std::vector<std::vector<std::string>>& parametros)
{
    std::vector<RESULTADO> resultados(textos.size());
    if (!conectado || textos.empty())
        return resultados;
    desfecho = RESULTADO();

    std::string erro;
    std::string estado;
    if (!pronta_para_enviar(erro)) {
        estado = em_transacao ? estado_sql::CONEXAO_PERDIDA : estado_sql::SEM_CONEXAO;
    } else {
        // A pipeline: every statement goes out before the first reply is
        // read. The replies of a few hundred statements fit in the
        // system's buffers, so neither end waits on the other meanwhile.
        bool ok = pq::PQenterPipelineMode(conexao);
        for (std::size_t i = 0; ok && i < textos.size(); ++i) {
            std::vector<const char*> valores;
            if (i < parametros.size())
                for (const std::string& v : parametros[i])
                    valores.push_back(v.c_str());
            ok = pq::PQsendQueryParams(conexao, textos[i].c_str(), static_cast<int>(valores.size()), nullptr,
                                   valores.data(), nullptr, nullptr, 0);
        }
        ok = ok && pq::PQpipelineSync(conexao);
        for (RESULTADO& d : resultados)
            d.enviado = true;
        if (!ok) {
            // Some of them may have gone: the connection is not trusted
            // with another statement before it is made again.
            erro = pq::PQerrorMessage(conexao);
            estado = estado_sql::CONEXAO_PERDIDA;
            abandonada = true;
        }
        // Each statement's results end with a null one.
        bool perdida = false;
        for (std::size_t i = 0; ok && i < textos.size(); ++i) {
            Leitura l;
            while (PGresult* r = proximo_resultado(perdida, erro)) {
                if (l.resultado.situacao != Situacao::FALHOU)
                    ler_resultado(r, l, {});
                pq::PQclear(r);
                if (pq::PQstatus(conexao) != CONNECTION_OK)
                    break;
            }
            l.resultado.enviado = true;
            resultados[i] = std::move(l.resultado);
            if (perdida || pq::PQstatus(conexao) != CONNECTION_OK) {
                const RESULTADO& d = resultados[i];
                if (!perdida)
                    erro = d.situacao == Situacao::FALHOU && !d.mensagem.empty() ? d.mensagem
                                                                                  : std::string(pq::PQerrorMessage(conexao));
                estado = estado_sql::CONEXAO_PERDIDA;
                ok = false;
            }
        }
        if (ok) {
            // The end of the pipeline.
            PGresult* r = proximo_resultado(perdida, erro);
            ok = r && pq::PQresultStatus(r) == PGRES_PIPELINE_SYNC;
            pq::PQclear(r);
            ok = ok && pq::PQexitPipelineMode(conexao);
            if (!ok) {
                abandonada = true;
                if (!perdida)
                    erro = pq::PQerrorMessage(conexao);
                estado = estado_sql::CONEXAO_PERDIDA;
            }
        }
    }
    concluir(resultados, estado, erro);
    return resultados;
}

RESULTADO BANCOPG::tomar_desfecho()
{
    RESULTADO r = desfecho;
    desfecho.linhas.reset();
    return r;
}

std::string BANCOPG::resultado(int linha, int coluna) const
{
    // A superseded row set may be gone while the counts still describe it.
    const LINHAS* r = desfecho.linhas.get();
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
    const LINHAS* r = desfecho.linhas.get();
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
    if (conexao && pq::PQstatus(conexao) == CONNECTION_OK) {
        std::vector<char> buffer(texto.size() * 2 + 1);
        int erro = 0;
        size_t n = pq::PQescapeStringConn(conexao, buffer.data(), texto.data(), texto.size(), &erro);
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
