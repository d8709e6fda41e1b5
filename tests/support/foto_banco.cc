#include "support/foto_banco.h"

#include <gtest/gtest.h>

namespace teste {

Observador::Observador(const BancoTeste& banco)
    : conexao_(PQconnectdb(conexao_admin(banco.nome()).c_str()))
{
    if (PQstatus(conexao_) != CONNECTION_OK)
        ADD_FAILURE() << "observer connection: " << PQerrorMessage(conexao_);
}

Observador::~Observador()
{
    PQfinish(conexao_);
}

TABELA Observador::consultar(const std::string& sql)
{
    std::string e;
    TABELA t = executar_sql(conexao_, sql, &e);
    if (!e.empty())
        ADD_FAILURE() << "SQL failed: " << sql.substr(0, 300) << "\n" << e;
    return t;
}

std::string Observador::valor(const std::string& sql)
{
    TABELA t = consultar(sql);
    return t.empty() || t[0].empty() ? std::string() : t[0][0];
}

std::string Observador::erro(const std::string& sql)
{
    std::string e;
    executar_sql(conexao_, sql, &e);
    return e;
}

Foto Observador::fotografar()
{
    static const char* const tabelas[][2] = {
        { "acesso", "id_acesso" },   { "municipio", "cod_cid" },  { "ceps", "id_cep" },
        { "usuario", "id_usuario" }, { "florada", "id_florada" }, { "apiario", "id_apiario" },
        { "abelha_rainha", "id_abelha" }, { "colmeia", "id_colmeia" },   { "revisao", "id_revisao" },
        { "produto", "id_produto" },     { "tratamento", "id_tratamento" }, { "alimentacao", "id_alimentacao" },
        { "ocorrencia", "id_ocorrencia" }, { "pesagem", "id_pesagem" }, { "movimentacao", "id_movimentacao" },
        { "evento_colonia", "id_evento" }, { "colheita", "id_colheita" }, { "lote_mel", "id_lote" },
        { "lote_mel_colheita", "id_parte" }, { "empresa", "id_empresa" }, { "criacao", "id_criacao" },
        { "fecundacao", "id_abelha" },
    };
    std::string sql;
    for (const auto& t : tabelas) {
        if (!sql.empty())
            sql += " union all ";
        if (std::string(t[0]) == "municipio") {
            // Thousands of rows the program only reads, pictured after every
            // action: as "municipio:*", their count and the newest
            // transaction that wrote one of them, which any insert, update
            // or delete changes, at a fraction of the cost of every row.
            sql += "select 'municipio', '*', count(*) || ' ' || coalesce(max(xmin::text::bigint), 0) "
                   "from cadastro.municipio";
            continue;
        }
        sql += std::string("select '") + t[0] + "', " + t[1] + "::text, r::text from cadastro." + t[0] + " r";
    }
    Foto foto;
    for (const auto& t : tabelas)
        foto[t[0]];
    for (const LINHA& l : consultar(sql)) {
        if (l.size() == 3)
            foto[l[0]][l[1]] = l[2];
    }
    return foto;
}

std::set<std::string> diferencas(const Foto& antes, const Foto& depois)
{
    std::set<std::string> mudadas;
    auto comparar = [&mudadas](const Foto& a, const Foto& b) {
        for (const auto& tabela : a) {
            auto outra = b.find(tabela.first);
            for (const auto& linha : tabela.second) {
                if (outra == b.end()) {
                    mudadas.insert(tabela.first + ":" + linha.first);
                    continue;
                }
                auto igual = outra->second.find(linha.first);
                if (igual == outra->second.end() || igual->second != linha.second)
                    mudadas.insert(tabela.first + ":" + linha.first);
            }
        }
    };
    comparar(antes, depois);
    comparar(depois, antes);
    return mudadas;
}

} // namespace teste
