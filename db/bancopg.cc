#include "db/bancopg.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

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
    std::string valor;
    if (valor_da_linha(linha[4], valor))
        ssl = std::atoi(valor.c_str());

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
    // ssl=2 verifies the certificate against the address (libpq checks the
    // name given as host, and connects to hostaddr).
    std::string texto = "hostaddr=" + entre_aspas(hostaddr);
    if (ssl == 2)
        texto += " host=" + entre_aspas(hostaddr);
    texto += " dbname=" + entre_aspas(dbname) + " user=" + entre_aspas(usuario) + " password=" +
             entre_aspas(senha) + " sslmode=" + (ssl == 1 ? "require" : ssl == 2 ? "verify-full" : "disable");
    // Dates are typed day first and texts are UTF-8, whatever the server's,
    // the database's or the user's defaults.
    texto += " options='-c DateStyle=ISO,DMY' client_encoding=UTF8";
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
    conexao = PQconnectdb(get_string_conexao().c_str());
    if (PQstatus(conexao) == CONNECTION_OK) {
        conectado = true;
        mensagem = "Conectado com sucesso!";
    } else {
        conectado = false;
        mensagem = std::string("Falha ao conectar!\n") + PQerrorMessage(conexao);
    }
}

void BANCOPG::executar(const char* sql, const std::vector<int>& guardadas, const std::vector<std::string>& parametros)
{
    if (!conectado)
        return;
    res.reset();

    // A connection lost since the last statement (server restarted, network
    // down) is made again before sending; a statement that failed is never
    // sent twice.
    if (PQstatus(conexao) == CONNECTION_BAD)
        PQreset(conexao);

    // The rows are read one at a time as the server sends them, straight
    // into a compact table. As with one PQexec, the outcome is that of the
    // last statement in the text, and an error ends it.
    std::shared_ptr<LINHAS> novas;
    int nova_situacao = 3;
    std::string erro;
    if (!enviar(sql, parametros)) {
        erro = PQerrorMessage(conexao);
    } else {
        PQsetSingleRowMode(conexao);
        bool nova_instrucao = true;
        bool grande_demais = false;
        while (PGresult* r = PQgetResult(conexao)) {
            const ExecStatusType estado = PQresultStatus(r);
            if (grande_demais) {
                // The rest of the rows go by unread.
            } else if (estado == PGRES_SINGLE_TUPLE || estado == PGRES_TUPLES_OK) {
                if (nova_instrucao)
                    novas = std::make_shared<LINHAS>(PQnfields(r), guardadas);
                if (novas->acrescentar(r)) {
                    nova_instrucao = estado == PGRES_TUPLES_OK;
                    if (nova_instrucao)
                        nova_situacao = 2;
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
                if (nova_situacao == 3)
                    erro = PQresultErrorMessage(r);
            }
            PQclear(r);
        }
    }
    if (nova_situacao == 3 && erro.empty())
        erro = PQerrorMessage(conexao);

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
