// The statement builder: callers describe a statement piece by piece, ativar()
// assembles it, writes it to standard output, sends it and keeps the rows.
// The only code that assembles SQL text.
#ifndef ZUMBREL_DB_QUERY_H
#define ZUMBREL_DB_QUERY_H

#include <string>
#include <vector>

#include "db/bancopg.h"

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
    TABELA retornar_consulta() const { return consulta; }
    // The rows without a copy, for callers that only read them.
    const TABELA& ver_consulta() const { return consulta; }
    std::string get_mensagem() const { return mensagem; }

    // The text the last ativar() assembled (empty when nothing was assembled).
    const std::string& get_sql() const { return sql; }

private:
    std::string montar();
    std::string montar_insert();
    std::string montar_select();
    std::string montar_update();
    std::string montar_delete();

    TABELA consulta;
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
