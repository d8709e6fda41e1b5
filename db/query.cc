#include "db/query.h"

#include <iostream>
#include <utility>

namespace {

// A statement's text as it is sent and as the trace shows it: the same but
// for the secret values, sent as their placeholders ($1, $2...) and shown
// as '********'.
class Texto
{
public:
    explicit Texto(const INSTRUCAO& i) : parametros_(i.parametros.size()) {}

    Texto& operator+=(const std::string& s)
    {
        enviado += s;
        mostrado += s;
        return *this;
    }
    Texto& operator+=(char c)
    {
        enviado += c;
        mostrado += c;
        return *this;
    }
    // A value: a secret's placeholder is shown masked.
    void valor(const std::string& v)
    {
        enviado += v;
        mostrado += segredo(v) ? "'********'" : v;
    }
    bool empty() const { return enviado.empty(); }

    std::string enviado;
    std::string mostrado;

private:
    // Whether the fragment is, whole, the placeholder of a secret ($1 to $n):
    // a text value comes quoted, so it is never one.
    bool segredo(const std::string& v) const
    {
        if (v.size() < 2 || v[0] != '$' || v[1] == '0')
            return false;
        std::size_t n = 0;
        for (std::size_t k = 1; k < v.size(); ++k) {
            if (v[k] < '0' || v[k] > '9' || n > parametros_)
                return false;
            n = n * 10 + static_cast<std::size_t>(v[k] - '0');
        }
        return n >= 1 && n <= parametros_;
    }

    std::size_t parametros_;
};

// Appends the items of a list, each preceded by `antes`, with `separador`
// between two items (never after the last); `valores` when they are values.
void juntar(Texto& sql, const std::vector<std::string>& itens, const char* antes, const char* separador,
            bool valores = false)
{
    for (size_t i = 0; i < itens.size(); ++i) {
        sql += antes;
        if (valores)
            sql.valor(itens[i]);
        else
            sql += itens[i];
        if (i + 1 < itens.size())
            sql += separador;
    }
}

// Appends "campo=valor" pairs, each preceded by a blank. A missing value
// leaves the right-hand side empty; the database then refuses the statement.
void juntar_pares(Texto& sql, const std::vector<std::string>& campos,
                  const std::vector<std::string>& valores, const char* separador)
{
    for (size_t i = 0; i < campos.size(); ++i) {
        sql += ' ';
        sql += campos[i];
        sql += '=';
        if (i < valores.size())
            sql.valor(valores[i]);
        if (i + 1 < campos.size())
            sql += separador;
    }
}

Texto montar_insert(const INSTRUCAO& i)
{
    Texto texto(i);
    if (i.tabelas.empty())
        return texto;
    texto += "insert into " + i.tabelas[0] + " (";
    juntar(texto, i.campoinsert, " ", ",");
    texto += ") values (";
    juntar(texto, i.dadosinsert, " ", ",", true);
    texto += ")";
    if (!i.camporetorno.empty()) {
        texto += " returning ";
        juntar(texto, i.camporetorno, " ", ",");
    }
    texto += ";";
    std::cout << texto.mostrado << "\n\n";
    return texto;
}

Texto montar_select(const INSTRUCAO& i)
{
    Texto texto(i);
    texto += "select";
    juntar(texto, i.camporetorno, " ", ",");
    texto += " from ";
    const std::vector<std::string>& tabelas = i.tabelas;
    if (tabelas.size() == 1) {
        texto += tabelas[0];
    } else if (tabelas.size() > 1 && i.tipojoin == INSTRUCAO::NATURAL) {
        juntar(texto, tabelas, " ", " NATURAL JOIN");
    } else if (tabelas.size() > 1 && i.tipojoin == INSTRUCAO::INTERNA) {
        for (size_t t = 0; t < tabelas.size(); ++t) {
            texto += ' ';
            texto += tabelas[t];
            if (t > 0) {
                std::cout << i.check_join.size() << '\n';
                texto += " ON ";
                if (t - 1 < i.check_join.size())
                    texto += i.check_join[t - 1];
            }
            if (t + 1 < tabelas.size())
                texto += " INNER JOIN";
        }
    }
    if (!i.campoconsulta.empty()) {
        texto += " where";
        juntar_pares(texto, i.campoconsulta, i.dadosconsulta, " and");
    }
    if (!i.filtroconsulta.empty())
        texto += " where " + i.filtroconsulta;
    if (!i.campoorder.empty()) {
        texto += " order by";
        juntar(texto, i.campoorder, " ", " ,");
    }
    std::cout << texto.mostrado << '\n';
    return texto;
}

Texto montar_update(const INSTRUCAO& i)
{
    Texto texto(i);
    if (!i.tabelas.empty()) {
        texto += "update " + i.tabelas[0] + " set ";
        juntar_pares(texto, i.campoupdate, i.dadosupdate, ",");
        if (!i.campoconsulta.empty()) {
            texto += " WHERE";
            juntar_pares(texto, i.campoconsulta, i.dadosconsulta, " and");
        }
    }
    std::cout << texto.mostrado << '\n';
    return texto;
}

Texto montar_delete(const INSTRUCAO& i)
{
    Texto texto(i);
    if (!i.tabelas.empty()) {
        texto += "delete from " + i.tabelas[0];
        if (!i.campoconsulta.empty()) {
            texto += " WHERE";
            juntar_pares(texto, i.campoconsulta, i.dadosconsulta, " and");
        }
    }
    std::cout << texto.mostrado << '\n';
    return texto;
}

// The text of the statement, written to standard output as it is sent
// (an update or delete without a table as an empty line; secrets masked).
Texto montar(const INSTRUCAO& i)
{
    switch (i.tipo()) {
    case INSTRUCAO::INSERIR: return montar_insert(i);
    case INSTRUCAO::CONSULTAR: return montar_select(i);
    case INSTRUCAO::ATUALIZAR: return montar_update(i);
    case INSTRUCAO::EXCLUIR: return montar_delete(i);
    default: return Texto(i);
    }
}

} // namespace

QUERY::QUERY() : QUERY("conf/db.conf") {}

QUERY::QUERY(const char* arquivo_conf)
    : BANCOPG(arquivo_conf), descrita(INSTRUCAO::NENHUM), tipojoin(0), retorno(false), registros(0)
{
    std::cout << mensagem << '\n';
}

QUERY::~QUERY() = default;

INSTRUCAO QUERY::descrever(int tipo) const
{
    if (tipo == INSTRUCAO::ATUALIZAR)
        std::cout << "\n SET QUERY 3\n";
    return INSTRUCAO(tipo);
}

void QUERY::set_tipoquery(int tipo)
{
    descrita = descrever(tipo);
    descrita.tipojoin = tipojoin;
}

void QUERY::set_tipojoin(int tipo)
{
    tipojoin = tipo;
    descrita.tipojoin = tipo;
}

void QUERY::add_camporetorno(const std::string& s) { descrita.camporetorno.push_back(s); }
void QUERY::add_tabelas(const std::string& s) { descrita.tabelas.push_back(s); }
void QUERY::add_check_join(const std::string& s) { descrita.check_join.push_back(s); }
void QUERY::add_campoconsulta(const std::string& s) { descrita.campoconsulta.push_back(s); }
void QUERY::add_dadosconsulta(const std::string& s) { descrita.dadosconsulta.push_back(s); }
void QUERY::add_filtroconsulta(const std::string& s) { descrita.filtroconsulta = s; }
void QUERY::add_campoupdate(const std::string& s) { descrita.campoupdate.push_back(s); }
void QUERY::add_dadosupdate(const std::string& s) { descrita.dadosupdate.push_back(s); }
void QUERY::add_campoinsert(const std::string& s) { descrita.campoinsert.push_back(s); }
void QUERY::add_dadosinsert(const std::string& s) { descrita.dadosinsert.push_back(s); }
void QUERY::add_campoorder(const std::string& s) { descrita.campoorder.push_back(s); }
void QUERY::set_retorno() { descrita.ler_retorno = true; }

RESULTADO QUERY::ativar(const INSTRUCAO& instrucao)
{
    const Texto texto = montar(instrucao);
    sql = texto.mostrado;
    RESULTADO r = enviar(instrucao.tipo(), texto.enviado, instrucao.colunas_guardadas, instrucao.parametros);
    julgar(r);
    falha = FALHA(r);
    return r;
}

void QUERY::julgar(RESULTADO& r)
{
    const int tipo = r.tipo;
    if (r.ok && !conectado && tipo != INSTRUCAO::CONSULTAR) {
        // Nothing was sent: to a query that looks like an empty database,
        // but a change that was never made is no success.
        r.ok = false;
        r.sqlstate = FALHA::SEM_CONEXAO;
    } else if (r.ok && r.afetadas == 0 && (tipo == INSTRUCAO::ATUALIZAR || tipo == INSTRUCAO::EXCLUIR)) {
        // The row is no longer as the condition describes it: someone else
        // changed or deleted it.
        r.ok = false;
        r.sqlstate = FALHA::SEM_REGISTRO;
        mensagem = "Nenhum registro foi alterado: nenhum atende à condição.";
        r.mensagem = mensagem;
    }
}

void QUERY::enfileirar(const INSTRUCAO& instrucao)
{
    tipos_fila.push_back(instrucao.tipo());
    textos_fila.push_back(montar(instrucao).enviado);
    parametros_fila.push_back(instrucao.parametros);
}

std::vector<RESULTADO> QUERY::enviar_fila()
{
    std::vector<int> tipos;
    std::vector<std::string> textos;
    std::vector<std::vector<std::string>> parametros;
    tipos.swap(tipos_fila);
    textos.swap(textos_fila);
    parametros.swap(parametros_fila);
    std::vector<RESULTADO> resultados(textos.size());
    falha = FALHA();

    // A statement with nothing to send ends the queue there.
    std::size_t n = 0;
    while (n < textos.size() && !textos[n].empty())
        ++n;
    textos.resize(n);
    parametros.resize(n);
    const std::vector<DESFECHO> desfechos = executar_juntos(textos, parametros);
    for (std::size_t i = 0; i < resultados.size(); ++i) {
        RESULTADO& r = resultados[i];
        r.tipo = tipos[i];
        if (i < desfechos.size()) {
            const DESFECHO& d = desfechos[i];
            // Without a connection nothing is sent, as with ativar.
            r.ok = d.situacao != 3;
            if (r.ok) {
                r.afetadas = d.afetadas;
                if (d.linhas) {
                    r.registros = d.linhas->ntuples();
                    r.linhas = d.linhas;
                }
            } else {
                r.sqlstate = d.sqlstate;
                r.restricao = d.restricao;
            }
            r.mensagem = r.ok ? mensagem : d.erro;
            julgar(r);
        }
        if (!r.ok && !falha.houve)
            falha = FALHA(r);
    }
    return resultados;
}

RESULTADO QUERY::enviar(int tipo, const std::string& texto, const std::vector<int>& guardadas,
                        const std::vector<std::string>& parametros)
{
    RESULTADO r;
    r.tipo = tipo;
    if (!texto.empty()) {
        executar(texto.c_str(), guardadas, parametros);
        // Without a connection nothing is sent and the outcome stays as it
        // was: to the caller, an empty database.
        r.ok = situacao != 3;
        if (r.ok) {
            r.afetadas = conectado ? afetadas : 0;
            if (res) {
                r.registros = res->ntuples();
                r.linhas = std::move(res);
            }
        } else {
            r.sqlstate = sqlstate;
            r.restricao = restricao;
        }
    }
    r.mensagem = mensagem;
    return r;
}

RESULTADO QUERY::transacao(const char* texto)
{
    sql = texto;
    std::cout << sql << '\n';
    RESULTADO r = enviar(INSTRUCAO::NENHUM, sql, {});
    julgar(r);
    falha = FALHA(r);
    return r;
}

bool QUERY::iniciar_transacao()
{
    return transacao("begin").ok;
}

bool QUERY::confirmar_transacao()
{
    const RESULTADO r = transacao("commit");
    if (r.ok && comando != "COMMIT") {
        // The transaction had failed: the server undid it instead.
        falha.houve = true;
        falha.desfeita = true;
        falha.sqlstate = "25P02";
        return false;
    }
    if (!r.ok && r.sqlstate.compare(0, 2, "08") == 0) {
        // Sent, and the reply did not come: it may have been stored. Not
        // sent: the transaction went with the connection.
        if (enviado)
            falha.sqlstate = FALHA::CONFIRMACAO_INCERTA;
        else
            falha.desfeita = true;
        em_transacao = false;
    }
    return r.ok;
}

void QUERY::desfazer_transacao()
{
    if (!em_transacao)
        return;
    if (!conectado || abandonada || PQstatus(conexao) != CONNECTION_OK) {
        // The server undid it when the session ended.
        em_transacao = false;
        return;
    }
    transacao("rollback");
    // Whatever the answer, the transaction is over for this connection.
    em_transacao = false;
}

bool QUERY::ativar()
{
    const RESULTADO r = ativar(descrita);
    retorno = descrita.tipo() == INSTRUCAO::INSERIR && (descrita.ler_retorno || !descrita.camporetorno.empty());
    if (!r.ok)
        return false;
    if (descrita.tipo() == INSTRUCAO::CONSULTAR || retorno) {
        // The count and the rows always belong to the same statement: one
        // that finds nothing leaves the rows of the last one that did.
        registros = r.registros;
        if (registros != 0)
            consulta = r.linhas;
    }
    return true;
}

TABELA QUERY::retornar_consulta() const
{
    TABELA tabela_consulta;
    if (const LINHAS* r = consulta.get()) {
        tabela_consulta.resize(r->ntuples());
        for (int l = 0; l < r->ntuples(); ++l) {
            LINHA& valores = tabela_consulta[l];
            valores.reserve(r->nfields());
            for (int c = 0; c < r->nfields(); ++c)
                valores.emplace_back(r->valor(l, c), r->tamanho(l, c));
        }
    }
    return tabela_consulta;
}
