#include "db/query.h"

#include <utility>

#include "db/rastro.h"

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
    for (const std::vector<std::string>& linha : i.linhas_anteriores) {
        juntar(texto, linha, " ", ",", true);
        texto += "), (";
    }
    juntar(texto, i.dadosinsert, " ", ",", true);
    texto += ")";
    if (!i.camporetorno.empty()) {
        texto += " returning ";
        juntar(texto, i.camporetorno, " ", ",");
    }
    texto += ";";
    rastro::escrever(texto.mostrado + "\n\n");
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
                rastrear(i.check_join.size(), '\n');
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
    rastro::escrever(texto.mostrado + '\n');
    return texto;
}

// An update or a delete: its beginning, then " WHERE" and the conditions.
Texto montar_alteracao(const INSTRUCAO& i)
{
    Texto texto(i);
    if (!i.tabelas.empty()) {
        if (i.tipo() == INSTRUCAO::ATUALIZAR) {
            texto += "update " + i.tabelas[0] + " set ";
            juntar_pares(texto, i.campoupdate, i.dadosupdate, ",");
        } else {
            texto += "delete from " + i.tabelas[0];
        }
        if (!i.campoconsulta.empty()) {
            texto += " WHERE";
            juntar_pares(texto, i.campoconsulta, i.dadosconsulta, " and");
        }
    }
    rastro::escrever(texto.mostrado + '\n');
    return texto;
}

// The text of the statement, written to the trace as it is sent
// (an update or delete without a table as an empty line; secrets masked).
Texto montar(const INSTRUCAO& i)
{
    switch (i.tipo()) {
    case INSTRUCAO::INSERIR: return montar_insert(i);
    case INSTRUCAO::CONSULTAR: return montar_select(i);
    case INSTRUCAO::ATUALIZAR:
    case INSTRUCAO::EXCLUIR: return montar_alteracao(i);
    default: return Texto(i);
    }
}

} // namespace

QUERY::QUERY() : QUERY("conf/db.conf") {}

QUERY::QUERY(const char* arquivo_conf)
    : BANCOPG(arquivo_conf), descrita(INSTRUCAO::NENHUM), tipojoin(0), retorno(false), registros(0)
{
    rastro::escrever(mensagem + '\n');
}

QUERY::~QUERY() = default;

INSTRUCAO QUERY::descrever(int tipo) const
{
    if (tipo == INSTRUCAO::ATUALIZAR)
        rastro::escrever("\n SET QUERY 3\n");
    return INSTRUCAO(tipo);
}

INSTRUCAO QUERY::descrever(int tipo, const std::string& tabela, std::vector<std::string> colunas) const
{
    INSTRUCAO i = descrever(tipo);
    i.tabelas = { tabela };
    i.camporetorno = std::move(colunas);
    return i;
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
    return r;
}

void QUERY::julgar(RESULTADO& r)
{
    const int tipo = r.tipo;
    if (r.ok() && !conectado && tipo != INSTRUCAO::CONSULTAR) {
        // Nothing was sent: to a query that looks like an empty database,
        // but a change that was never made is no success.
        r.falhar(estado_sql::SEM_CONEXAO);
    } else if (r.ok() && r.afetadas == 0 && (tipo == INSTRUCAO::ATUALIZAR || tipo == INSTRUCAO::EXCLUIR)) {
        // The row is no longer as the condition describes it: someone else
        // changed or deleted it.
        r.falhar(estado_sql::SEM_REGISTRO);
        mensagem = "Nenhum registro foi alterado: nenhum atende à condição.";
        r.mensagem = mensagem;
    }
    if (r.ok() && aviso_gravacao &&
        (tipo == INSTRUCAO::INSERIR || tipo == INSTRUCAO::ATUALIZAR || tipo == INSTRUCAO::EXCLUIR))
        aviso_gravacao();
}

void QUERY::enfileirar(const INSTRUCAO& instrucao)
{
    fila.push_back(NaFila { instrucao.tipo(), montar(instrucao).enviado, instrucao.parametros });
}

std::vector<RESULTADO> QUERY::enviar_fila()
{
    std::vector<NaFila> enviados;
    enviados.swap(fila);
    // A statement with nothing to send ends the queue there.
    std::vector<std::string> textos;
    std::vector<std::vector<std::string>> parametros;
    for (const NaFila& f : enviados) {
        if (f.texto.empty())
            break;
        textos.push_back(f.texto);
        parametros.push_back(f.parametros);
    }
    std::vector<RESULTADO> resultados = executar_juntos(textos, parametros);
    resultados.resize(enviados.size());
    for (std::size_t i = 0; i < resultados.size(); ++i) {
        RESULTADO& r = resultados[i];
        r.tipo = enviados[i].tipo;
        if (i >= textos.size())
            r.falhar("");
        if (r.ok())
            r.mensagem = mensagem;
        julgar(r);
    }
    return resultados;
}

RESULTADO QUERY::enviar(int tipo, const std::string& texto, const std::vector<int>& guardadas,
                        const std::vector<std::string>& parametros)
{
    RESULTADO r;
    if (texto.empty()) {
        r.falhar("");
    } else if (!conectado) {
        // Nothing is sent and the outcome stays as it was: to the caller,
        // an empty database.
        r = desfecho;
        r.linhas.reset();
        r.afetadas = 0;
    } else {
        executar(texto.c_str(), guardadas, parametros);
        r = tomar_desfecho();
    }
    r.tipo = tipo;
    r.mensagem = mensagem;
    return r;
}

RESULTADO QUERY::transacao(const char* texto)
{
    sql = texto;
    rastro::escrever(sql + '\n');
    RESULTADO r = enviar(INSTRUCAO::NENHUM, sql, {});
    julgar(r);
    return r;
}

RESULTADO QUERY::iniciar_transacao()
{
    return transacao("begin");
}

RESULTADO QUERY::confirmar_transacao()
{
    RESULTADO r = transacao("commit");
    if (r.ok() && r.comando != "COMMIT") {
        // The transaction had failed: the server undid it instead.
        r.falhar(estado_sql::TRANSACAO_DESFEITA);
    } else if (!r.ok() && r.sqlstate.compare(0, 2, "08") == 0) {
        // Sent, and the reply did not come: it may have been stored. Not
        // sent: the transaction went with the connection.
        if (r.enviado)
            r.sqlstate = estado_sql::CONFIRMACAO_INCERTA;
        em_transacao = false;
    }
    return r;
}

void QUERY::desfazer_transacao()
{
    if (!em_transacao)
        return;
    if (!utilizavel()) {
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
    if (!r.ok())
        return false;
    if (descrita.tipo() == INSTRUCAO::CONSULTAR || retorno) {
        // The count and the rows always belong to the same statement: one
        // that finds nothing leaves the rows of the last one that did.
        registros = r.registros();
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
