// The reports the program makes from the records, by name: each reads what
// it needs with a few set-based statements and fills a RELATORIO (its
// header with the company's data and the filters). Adding a report is one
// function of RELATORIOS_DO_BANCO and one line of its table in
// relatorios/catalogo.cc.
#ifndef ZUMBREL_RELATORIOS_CATALOGO_H
#define ZUMBREL_RELATORIOS_CATALOGO_H

#include <string>
#include <vector>

#include "model/dados.h"
#include "relatorios/relatorio.h"

// What a report is asked for: a period of days "DD/MM/YYYY" (an empty start
// is the first day of the end's year; an empty end is today), apiaries and
// hives by key (none: all).
struct FILTRO_RELATORIO
{
    std::string de;
    std::string ate;
    std::vector<int> apiarios;
    std::vector<int> colmeias;
};

class RELATORIOS_DO_BANCO;

struct TIPO_RELATORIO
{
    const char* nome;     // as the command line names it
    const char* titulo;   // as the window lists it and the header says it
    // Whether it reads a period (the others are as of its end: today when none is given).
    bool periodo;
    bool (RELATORIOS_DO_BANCO::*montar)(const FILTRO_RELATORIO&, RELATORIO&);
};

// The reports, in the order the window lists them.
const std::vector<TIPO_RELATORIO>& tipos_de_relatorio();
// The report of that name (null when there is none).
const TIPO_RELATORIO* tipo_de_relatorio(const std::string& nome);

// A period as typed, checked: false with *erro saying why for a day that
// does not exist or a period that ends before it begins. On success the
// days in the database's form "YYYY-MM-DD", the blanks filled in.
bool conferir_periodo(const FILTRO_RELATORIO& f, std::string* de_iso, std::string* ate_iso, std::string* erro);

// Hive keys as typed into a filter ("3, 7 12"): false with *erro saying
// why for anything but whole numbers above zero separated by commas or
// blanks. Nothing typed is no filter.
bool ler_chaves(const std::string& texto, std::vector<int>* chaves, std::string* erro);

class RELATORIOS_DO_BANCO : public DADOS
{
public:
    explicit RELATORIOS_DO_BANCO(QUERY* query);

    // Makes the report of that type: false, with falha() saying why, for a
    // period that is wrong or a statement the database refused.
    bool montar(const TIPO_RELATORIO& tipo, const FILTRO_RELATORIO& f, RELATORIO& r);

    bool producao(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool cadastro_apiarios(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool caderno_campo(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool tratamentos(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool ocorrencias(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool movimentacoes(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool rainhas(const FILTRO_RELATORIO& f, RELATORIO& r);
    bool ficha_campo(const FILTRO_RELATORIO& f, RELATORIO& r);
    // One hive's card, with the QR code of its key, its queen and how she
    // was mated, and its latest journal entries.
    bool ficha_colmeia(const FILTRO_RELATORIO& f, RELATORIO& r);
    // The lots extracted in the period, with their kilos and destination, and
    // where each one's honey came from.
    bool lotes(const FILTRO_RELATORIO& f, RELATORIO& r);
    // How each breeder queen does, over her batches and her daughters' hives.
    bool matrizes(const FILTRO_RELATORIO& f, RELATORIO& r);
    // Every hive with its queen, apiary, installation and notes, by key.
    bool colmeias(const FILTRO_RELATORIO& f, RELATORIO& r);
    // The inspections of the period, with what each saw and harvested.
    bool revisoes(const FILTRO_RELATORIO& f, RELATORIO& r);

private:
    // Runs a query of that select list over that from-clause and condition
    // (which may end with its order); false with falha() set when refused.
    bool consultar(const std::vector<std::string>& colunas, const std::string& de, const std::string& onde,
                   RESULTADO& r);
    // "a.id_apiario in (1, 2)" for the apiaries filtered ("true" for all),
    // and the same for hives.
    static std::string entre(const char* coluna, const std::vector<int>& chaves);
    // The condition that `coluna` is a hive that stood in one of the
    // apiaries at some time ("true" for none): what lets a report of a few
    // apiaries look up only their hives' entries.
    static std::string estiveram(const char* coluna, const std::vector<int>& apiarios);
    // The names of the apiaries filtered, as the header says them.
    std::string nomes_apiarios(const std::vector<int>& chaves);

    std::string de_, ate_;   // the period checked, "YYYY-MM-DD"
};

#endif // ZUMBREL_RELATORIOS_CATALOGO_H
