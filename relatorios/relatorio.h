// A report as data, before it is drawn or written: the company and the
// filters of its header, one or more tables, and a bar chart when it has
// one. The model fills it (relatorios/fontes.h); the page drawing
// (relatorios/desenho.h), the PDF, the print, the window's preview and the
// CSV all read the same value.
#ifndef ZUMBREL_RELATORIOS_RELATORIO_H
#define ZUMBREL_RELATORIOS_RELATORIO_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/empresa.h"
#include "util/iterador_indice.h"

class LINHAS;

// One value of a table: a text, or a number shown with `casas` decimals
// (decimal comma) and written as a number into a spreadsheet.
struct CELULA
{
    std::string texto;
    bool numero = false;
    double valor = 0;
    int casas = 0;

    static CELULA de_texto(const std::string& t);
    static CELULA de_numero(double v, int casas);
    // What a page shows: the text, or the number as Portuguese writes it.
    std::string mostrado() const;
};

struct COLUNA_RELATORIO
{
    std::string titulo;
    // Its share of the page's width, against the other columns'.
    double peso = 1;
};

struct LINHA_RELATORIO
{
    std::vector<CELULA> celulas;
    // Drawn in bold, as the hives in withdrawal today or a total.
    bool destaque = false;
};

// The rows of a table: first, when it has them, the rows of a database
// result, kept as the result holds them and each made a row of cells only
// when it is drawn or written (a year of every apiary's journal, hundreds
// of thousands of rows, is in memory once, not twice); then the rows given
// one by one, as a total.
class LINHAS_RELATORIO
{
public:
    // A cell read as a text, not as a number.
    static constexpr int TEXTO = -1;
    // The rows of `linhas`, before any given one by one (with rows given
    // already, they are made now and go after them): cell c from column c,
    // a text where `casas` says TEXTO (or says nothing), else a number with
    // that many decimals (a whole number when 0); in bold all of them when
    // `destaque`, else those whose column `coluna_destaque` holds
    // `valor_destaque`.
    void ler(std::shared_ptr<const LINHAS> linhas, std::vector<int> casas, bool destaque = false,
             int coluna_destaque = -1, std::string valor_destaque = std::string());
    void push_back(LINHA_RELATORIO linha) { proprias.push_back(std::move(linha)); }

    std::size_t size() const { return lidas() + proprias.size(); }
    bool empty() const { return size() == 0; }
    LINHA_RELATORIO operator[](std::size_t i) const;

    // Each row made as it is reached.
    using const_iterator = ITERADOR_INDICE<LINHAS_RELATORIO, LINHA_RELATORIO>;
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

private:
    std::size_t lidas() const;
    LINHA_RELATORIO lida(std::size_t i) const;

    std::shared_ptr<const LINHAS> fonte;
    std::vector<int> casas;
    bool destaque = false;
    int coluna_destaque = -1;
    std::string valor_destaque;
    std::vector<LINHA_RELATORIO> proprias;
};

// One table, with its title and what it says when it has no rows.
struct TABELA_RELATORIO
{
    std::string titulo;
    std::vector<COLUNA_RELATORIO> colunas;
    LINHAS_RELATORIO linhas;
    std::string vazia = "Nenhum registro.";
};

// Bars side by side for each category, one of each series, with the values
// over them.
struct GRAFICO_BARRAS
{
    std::string titulo;
    std::string unidade;                   // written on the axis ("kg")
    std::vector<std::string> categorias;   // under each group of bars
    std::vector<std::string> series;       // the legend, in bar order
    // valores[s][c]: series s, category c.
    std::vector<std::vector<double>> valores;
    int casas = 1;

    bool vazio() const { return categorias.empty() || series.empty(); }
};

// A QR code on the first page, under the header, with lines of text beside
// it: a hive's card carries its key so that a reader finds the hive.
struct QR_RELATORIO
{
    std::string texto;                 // what the code holds ("" for none)
    std::vector<std::string> legenda;  // the first line drawn larger

    bool vazio() const { return texto.empty(); }
};

struct RELATORIO
{
    std::string titulo;
    // The filters as the header says them ("Período: 01/01/2025 a 31/12/2025").
    std::vector<std::string> filtros;
    EMPRESAS empresa;
    // When it was made, "DD/MM/YYYY HH:MM".
    std::string emitido;
    std::vector<TABELA_RELATORIO> tabelas;
    GRAFICO_BARRAS grafico;
    QR_RELATORIO qr;
    // Said on the first page when no table has a row and there is no chart.
    std::string nada = "Nenhum registro encontrado para os filtros escolhidos.";

    bool vazio() const;
};

#endif // ZUMBREL_RELATORIOS_RELATORIO_H
