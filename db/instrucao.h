// A statement described as a value: its kind and the SQL fragments QUERY
// assembles it from. Every fragment is written into the statement exactly
// as given (text values come quoted by BANCOPG::literal), but for secret
// values, which travel apart from the text (see segredo). An INSTRUCAO is
// made by QUERY::descrever and run by QUERY::ativar.
#ifndef ZUMBREL_DB_INSTRUCAO_H
#define ZUMBREL_DB_INSTRUCAO_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class BANCOPG;

// One column of a record as insert and update write it: its name and how
// its value is written from the record. Each record type has one table of
// these, in statement order, that both its insert and its update use.
template <class T>
struct COLUNA
{
    const char* nome;
    std::string (*valor)(const BANCOPG& banco, const T& registro);
    // Written when the record is created only; an update leaves it as stored.
    bool so_ao_criar = false;
    // A secret (a password's digest): sent as a parameter, see INSTRUCAO::segredo.
    bool segredo = false;
};

class INSTRUCAO
{
public:
    enum Tipo { NENHUM = 0, INSERIR = 1, CONSULTAR = 2, ATUALIZAR = 3, EXCLUIR = 4 };
    // How a query over two or more tables joins them.
    enum Juncao { NATURAL = 1, INTERNA = 2 };

    int tipo() const { return tipo_; }

    // Adds an equality condition (queries, updates and deletes).
    void condicao(const std::string& campo, const std::string& valor)
    {
        campoconsulta.push_back(campo);
        dadosconsulta.push_back(valor);
    }
    void inserir(const std::string& campo, const std::string& valor)
    {
        campoinsert.push_back(campo);
        dadosinsert.push_back(valor);
    }
    void atualizar(const std::string& campo, const std::string& valor)
    {
        campoupdate.push_back(campo);
        dadosupdate.push_back(valor);
    }
    // An insert of several rows, stored all or none by one statement: the
    // values given so far make a row, and those given next the one after.
    // Each row is given with its columns' names, as inserir of a table of
    // columns gives them; the statement names those of the last row.
    void outra_linha()
    {
        linhas_anteriores.push_back(std::move(dadosinsert));
        dadosinsert.clear();
        campoinsert.clear();
    }
    // A secret value, used where a value goes: it is sent apart from the
    // statement's text, as a parameter, and the trace shows '********' in
    // its place, so it reaches neither standard output nor a statement the
    // server logs. The value is the text itself, unquoted.
    std::string segredo(const std::string& valor)
    {
        parametros.push_back(valor);
        return "$" + std::to_string(parametros.size());
    }
    // Every column of the table, with its value from the record.
    template <class T, std::size_t N>
    void inserir(const COLUNA<T> (&colunas)[N], const T& registro, const BANCOPG& banco)
    {
        for (const COLUNA<T>& c : colunas)
            inserir(c.nome, valor(c, registro, banco));
    }
    // The columns of the table that an update writes.
    template <class T, std::size_t N>
    void atualizar(const COLUNA<T> (&colunas)[N], const T& registro, const BANCOPG& banco)
    {
        for (const COLUNA<T>& c : colunas) {
            if (!c.so_ao_criar)
                atualizar(c.nome, valor(c, registro, banco));
        }
    }

    int tipojoin = 0;
    // Query: the select list; insert: the RETURNING list.
    std::vector<std::string> camporetorno;
    // Insert, update and delete use only the first.
    std::vector<std::string> tabelas;
    // The ON conditions of an inner join, one for each table after the first.
    std::vector<std::string> check_join;
    // Equality conditions: left and right sides, paired by position.
    std::vector<std::string> campoconsulta;
    std::vector<std::string> dadosconsulta;
    // A free query condition (it may carry its own ORDER BY).
    std::string filtroconsulta;
    std::vector<std::string> campoupdate;
    std::vector<std::string> dadosupdate;
    std::vector<std::string> campoinsert;
    std::vector<std::string> dadosinsert;
    // The rows of an insert before the one in dadosinsert (outra_linha).
    std::vector<std::vector<std::string>> linhas_anteriores;
    std::vector<std::string> campoorder;
    // An insert returns its rows even without a RETURNING list.
    bool ler_retorno = false;
    // When not empty, the only columns whose values are kept of the rows
    // returned; the others read as "". Changes nothing in the text.
    std::vector<int> colunas_guardadas;
    // The secret values, $1 first.
    std::vector<std::string> parametros;

private:
    friend class QUERY;
    explicit INSTRUCAO(int tipo) : tipo_(tipo) {}

    template <class T>
    std::string valor(const COLUNA<T>& c, const T& registro, const BANCOPG& banco)
    {
        const std::string v = c.valor(banco, registro);
        return c.segredo ? segredo(v) : v;
    }

    int tipo_;
};

#endif // ZUMBREL_DB_INSTRUCAO_H
