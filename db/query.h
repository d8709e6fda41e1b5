// The statement builder: callers describe a statement piece by piece, ativar()
// assembles it, writes it to standard output, sends it and keeps the rows.
// The only code that assembles SQL text.
#ifndef ZUMBREL_DB_QUERY_H
#define ZUMBREL_DB_QUERY_H

#include <memory>
#include <string>
#include <vector>

#include "db/bancopg.h"

// One row of the rows a statement returned, read in place.
class LinhaResultado
{
public:
    // A row that the result does not have reads as an empty one.
    LinhaResultado(const LINHAS* resultado, int linha, int colunas);
    std::size_t size() const { return static_cast<std::size_t>(colunas_); }
    // Value i as text ("" for SQL NULL and past the last column).
    const char* c_str(std::size_t i) const;
    std::string operator[](std::size_t i) const;
    // Value i read as a number (0 when it is not one).
    int inteiro(std::size_t i) const;

private:
    const LINHAS* resultado_;
    int linha_;
    int colunas_;
};

// The first rows of a result kept as a list whose records are read from
// the rows when asked for: a list of 100,000 records costs little more than
// the text of its rows. The record lists of the forms build on it.
class LISTA_LINHAS
{
public:
    LISTA_LINHAS() = default;
    LISTA_LINHAS(std::shared_ptr<LINHAS> linhas, int quantos);

    std::size_t size() const { return quantos; }
    bool empty() const { return quantos == 0; }
    // Row i (an empty row past the end).
    LinhaResultado linha(std::size_t i) const;

private:
    std::shared_ptr<LINHAS> linhas;
    std::size_t quantos = 0;
};

class QUERY : public BANCOPG
{
public:
    QUERY();
    // Same as QUERY(), with another settings file.
    explicit QUERY(const char* arquivo_conf);
    ~QUERY() override;

    void set_tipoquery(int tipo);
    void set_tipojoin(int tipo);
    void add_camporetorno(const std::string& s);
    void add_tabelas(const std::string& s);
    void add_check_join(const std::string& s);
    void add_campoconsulta(const std::string& s);
    void add_dadosconsulta(const std::string& s);
    void add_filtroconsulta(const std::string& s);
    void add_campoupdate(const std::string& s);
    void add_dadosupdate(const std::string& s);
    void add_campoinsert(const std::string& s);
    void add_dadosinsert(const std::string& s);
    void add_campoorder(const std::string& s);
    void set_retorno();

    bool ativar();

    int get_registros() const { return registros; }
    TABELA retornar_consulta() const { return ver_consulta(); }
    // The rows without a copy, for callers that only read them.
    const TABELA& ver_consulta() const;
    // The same rows read in place, without making the table: how many, and
    // one of them.
    int linhas_consulta() const { return linhas_consulta_; }
    LinhaResultado linha_consulta(int i) const;
    // The result those rows are in, for a caller that keeps them.
    std::shared_ptr<LINHAS> resultado_linhas() const { return resultado_consulta; }
    // Lets go of those rows once the caller has read them: the rows of a
    // long list would otherwise stay until the next statement returning some.
    void soltar_consulta();
    std::string get_mensagem() const { return mensagem; }

    // The text the last ativar() assembled (empty when nothing was assembled).
    const std::string& get_sql() const { return sql; }

private:
    std::string montar();
    std::string montar_insert();
    std::string montar_select();
    std::string montar_update();
    std::string montar_delete();

    // The rows of the last statement that returned some: the result itself,
    // made into a table only when a caller asks for the table.
    mutable TABELA consulta;
    mutable bool consulta_montada = true;
    std::shared_ptr<LINHAS> resultado_consulta;
    int linhas_consulta_ = 0;
    int colunas_consulta_ = 0;
    bool retorno;
    int tipoquery;
    int tipojoin;
    int registros;
    std::vector<std::string> camporetorno;
    std::vector<std::string> tabelas;
    std::vector<std::string> campoconsulta;
    std::vector<std::string> dadosconsulta;
    std::string filtroconsulta;
    std::vector<std::string> check_join;
    std::vector<std::string> campoupdate;
    std::vector<std::string> dadosupdate;
    std::vector<std::string> campoinsert;
    std::vector<std::string> dadosinsert;
    std::vector<std::string> campoorder;
    std::string sql;
};

#endif // ZUMBREL_DB_QUERY_H
