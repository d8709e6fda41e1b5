#include "db/query.h"

#include <cstdlib>

#include <algorithm>
#include <iostream>

namespace {

// Appends the items of a list, each preceded by `antes`, with `separador`
// between two items (never after the last).
void juntar(std::string& sql, const std::vector<std::string>& itens,
            const char* antes, const char* separador)
{
    for (size_t i = 0; i < itens.size(); ++i) {
        sql += antes;
        sql += itens[i];
        if (i + 1 < itens.size())
            sql += separador;
    }
}

// Appends "campo=valor" pairs, each preceded by a blank. A missing value
// leaves the right-hand side empty; the database then refuses the statement.
void juntar_pares(std::string& sql, const std::vector<std::string>& campos,
                  const std::vector<std::string>& valores, const char* separador)
{
    for (size_t i = 0; i < campos.size(); ++i) {
        sql += ' ';
        sql += campos[i];
        sql += '=';
        if (i < valores.size())
            sql += valores[i];
        if (i + 1 < campos.size())
            sql += separador;
    }
}

} // namespace

LinhaResultado::LinhaResultado(const LINHAS* resultado, int linha, int colunas)
    : resultado_(resultado), linha_(linha), colunas_(0)
{
    if (resultado_ && linha_ >= 0 && linha_ < resultado_->ntuples())
        colunas_ = std::max(0, std::min(colunas, resultado_->nfields()));
}

const char* LinhaResultado::c_str(std::size_t i) const
{
    return i < size() ? resultado_->valor(linha_, static_cast<int>(i)) : "";
}

std::string LinhaResultado::operator[](std::size_t i) const
{
    if (i >= size())
        return std::string();
    const int c = static_cast<int>(i);
    return std::string(resultado_->valor(linha_, c), resultado_->tamanho(linha_, c));
}

int LinhaResultado::inteiro(std::size_t i) const
{
    return std::atoi(c_str(i));
}

LISTA_LINHAS::LISTA_LINHAS(std::shared_ptr<LINHAS> l, int n)
    : linhas(std::move(l)), quantos(linhas ? static_cast<std::size_t>(std::max(0, std::min(n, linhas->ntuples()))) : 0)
{
}

LinhaResultado LISTA_LINHAS::linha(std::size_t i) const
{
    if (i >= quantos)
        return LinhaResultado(nullptr, 0, 0);
    return LinhaResultado(linhas.get(), static_cast<int>(i), linhas->nfields());
}

QUERY::QUERY() : QUERY("conf/db.conf") {}

const TABELA& QUERY::ver_consulta() const
{
    if (!consulta_montada) {
        const LINHAS* r = resultado_consulta.get();
        consulta.resize(linhas_consulta_);
        for (int l = 0; l < linhas_consulta_; ++l) {
            LINHA& valores = consulta[l];
            valores.reserve(colunas_consulta_);
            for (int c = 0; c < colunas_consulta_; ++c)
                valores.emplace_back(r->valor(l, c), r->tamanho(l, c));
        }
        consulta_montada = true;
    }
    return consulta;
}

void QUERY::soltar_consulta()
{
    if (res == resultado_consulta)
        res.reset();
    resultado_consulta.reset();
    linhas_consulta_ = 0;
    colunas_consulta_ = 0;
    TABELA().swap(consulta);
    consulta_montada = true;
}

LinhaResultado QUERY::linha_consulta(int i) const
{
    return LinhaResultado(i >= 0 && i < linhas_consulta_ ? resultado_consulta.get() : nullptr, i,
                          colunas_consulta_);
}

QUERY::QUERY(const char* arquivo_conf)
    : BANCOPG(arquivo_conf), retorno(false), tipoquery(0), tipojoin(0), registros(0)
{
    std::cout << mensagem << '\n';
}

QUERY::~QUERY() = default;

void QUERY::set_tipoquery(int tipo)
{
    tipoquery = tipo;
    switch (tipo) {
    case 1:
        campoinsert.clear();
        dadosinsert.clear();
        tabelas.clear();
        camporetorno.clear();
        dadosconsulta.clear();
        break;
    case 2:
        campoconsulta.clear();
        tabelas.clear();
        camporetorno.clear();
        dadosconsulta.clear();
        check_join.clear();
        filtroconsulta.clear();
        campoorder.clear();
        break;
    case 3:
        tabelas.clear();
        campoupdate.clear();
        dadosupdate.clear();
        campoconsulta.clear();
        dadosconsulta.clear();
        camporetorno.clear();
        std::cout << "\n SET QUERY 3\n";
        break;
    case 4:
        tabelas.clear();
        campoconsulta.clear();
        dadosconsulta.clear();
        break;
    default:
        break;
    }
}

void QUERY::set_tipojoin(int tipo) { tipojoin = tipo; }
void QUERY::add_camporetorno(const std::string& s) { camporetorno.push_back(s); }
void QUERY::add_tabelas(const std::string& s) { tabelas.push_back(s); }
void QUERY::add_check_join(const std::string& s) { check_join.push_back(s); }
void QUERY::add_campoconsulta(const std::string& s) { campoconsulta.push_back(s); }
void QUERY::add_dadosconsulta(const std::string& s) { dadosconsulta.push_back(s); }
void QUERY::add_filtroconsulta(const std::string& s) { filtroconsulta = s; }
void QUERY::add_campoupdate(const std::string& s) { campoupdate.push_back(s); }
void QUERY::add_dadosupdate(const std::string& s) { dadosupdate.push_back(s); }
void QUERY::add_campoinsert(const std::string& s) { campoinsert.push_back(s); }
void QUERY::add_dadosinsert(const std::string& s) { dadosinsert.push_back(s); }
void QUERY::add_campoorder(const std::string& s) { campoorder.push_back(s); }
void QUERY::set_retorno() { retorno = true; }

std::string QUERY::montar_insert()
{
    std::string texto;
    if (tabelas.empty())
        return texto;
    texto = "insert into " + tabelas[0] + " (";
    juntar(texto, campoinsert, " ", ",");
    texto += ") values (";
    juntar(texto, dadosinsert, " ", ",");
    texto += ")";
    if (!camporetorno.empty()) {
        set_retorno();
        texto += " returning ";
        juntar(texto, camporetorno, " ", ",");
    }
    texto += ";";
    std::cout << texto << "\n\n";
    return texto;
}

std::string QUERY::montar_select()
{
    std::string texto = "select";
    juntar(texto, camporetorno, " ", ",");
    texto += " from ";
    if (tabelas.size() == 1) {
        texto += tabelas[0];
    } else if (tabelas.size() > 1 && tipojoin == 1) {
        juntar(texto, tabelas, " ", " NATURAL JOIN");
    } else if (tabelas.size() > 1 && tipojoin == 2) {
        for (size_t i = 0; i < tabelas.size(); ++i) {
            texto += ' ';
            texto += tabelas[i];
            if (i > 0) {
                std::cout << check_join.size() << '\n';
                texto += " ON ";
                if (i - 1 < check_join.size())
                    texto += check_join[i - 1];
            }
            if (i + 1 < tabelas.size())
                texto += " INNER JOIN";
        }
    }
    if (!campoconsulta.empty()) {
        texto += " where";
        juntar_pares(texto, campoconsulta, dadosconsulta, " and");
    }
    if (!filtroconsulta.empty())
        texto += " where " + filtroconsulta;
    if (!campoorder.empty()) {
        texto += " order by";
        juntar(texto, campoorder, " ", " ,");
    }
    std::cout << texto << '\n';
    return texto;
}

std::string QUERY::montar_update()
{
    std::string texto = "update ";
    if (tabelas.empty()) {
        texto.clear();
    } else {
        texto += tabelas[0] + " set ";
        juntar_pares(texto, campoupdate, dadosupdate, ",");
        if (!campoconsulta.empty()) {
            texto += " WHERE";
            juntar_pares(texto, campoconsulta, dadosconsulta, " and");
        }
    }
    std::cout << texto << '\n';
    return texto;
}

std::string QUERY::montar_delete()
{
    std::string texto = "delete from ";
    if (tabelas.empty()) {
        texto.clear();
    } else {
        texto += tabelas[0];
        if (!campoconsulta.empty()) {
            texto += " WHERE";
            juntar_pares(texto, campoconsulta, dadosconsulta, " and");
        }
    }
    std::cout << texto << '\n';
    return texto;
}

std::string QUERY::montar()
{
    switch (tipoquery) {
    case 1: return montar_insert();
    case 2: return montar_select();
    case 3: return montar_update();
    case 4: return montar_delete();
    default: return std::string();
    }
}

bool QUERY::ativar()
{
    sql = montar();
    if (sql.empty()) {
        so_colunas.clear();
        return false;
    }

    executar(sql.c_str());
    if (situacao == 3)
        return false;

    if (tipoquery == 2 || (tipoquery == 1 && retorno)) {
        registros = linhas;
        if (registros != 0) {
            // consulta takes the result as it is; its table is made only
            // if someone asks for it.
            resultado_consulta = res;
            linhas_consulta_ = linhas;
            colunas_consulta_ = colunas;
            TABELA().swap(consulta);
            consulta_montada = false;
        }
    }
    return true;
}
