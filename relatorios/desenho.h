// A report laid out on A4 pages and drawn on a cairo context, one page at a
// time, so that the window's preview, the print and the PDF show the same
// drawing and a report of a thousand pages never has more than one in
// memory. Every page has the header: the company, the report's title, its
// filters, when it was made and "Página n de m".
#ifndef ZUMBREL_RELATORIOS_DESENHO_H
#define ZUMBREL_RELATORIOS_DESENHO_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <cairomm/context.h>

#include "relatorios/relatorio.h"

// An A4 page in points (1/72 inch).
const double A4_LARGURA = 595.276;
const double A4_ALTURA = 841.89;

class DESENHO_RELATORIO
{
public:
    // Lays the report out on pages of that size (it keeps a reference: the
    // report must outlive the drawing).
    explicit DESENHO_RELATORIO(const RELATORIO& r, double largura = A4_LARGURA, double altura = A4_ALTURA);

    int paginas() const { return static_cast<int>(paginas_.size()); }
    double largura() const { return largura_; }
    double altura() const { return altura_; }
    // Draws page `pagina` (0 first) with its origin at the context's origin,
    // in points; a page past the end draws nothing.
    void desenhar_pagina(const Cairo::RefPtr<Cairo::Context>& cr, int pagina) const;
    // The header's page text, "Página 2 de 5".
    static std::string texto_pagina(int pagina, int total);

private:
    // A piece of a page: the QR code with its caption, the chart, rows [de, ate) of a table (with its title,
    // or "(continuação)" after the first page), or the report's "nothing".
    struct Trecho
    {
        enum Tipo { QR, GRAFICO, TABELA, NADA } tipo;
        std::size_t tabela = 0;
        std::size_t de = 0, ate = 0;
        bool continuacao = false;
        double y = 0;
    };
    void paginar();
    void desenhar_cabecalho(cairo_t* cr, int pagina) const;
    void desenhar_tabela(cairo_t* cr, const Trecho& t) const;
    void desenhar_qr_legenda(cairo_t* cr, double y) const;

    const RELATORIO& r_;
    double largura_, altura_;
    std::vector<std::vector<Trecho>> paginas_;
};

// Writes a PDF of `paginas` A4 pages titled `titulo`, each drawn by
// `desenhar(cr, pagina)` and let go before the next. False, with *erro
// naming the file, when it cannot be written; then nothing is left under
// that name.
bool escrever_pdf(const std::string& caminho, const std::string& titulo, int paginas,
                  const std::function<void(const Cairo::RefPtr<Cairo::Context>&, int)>& desenhar, std::string* erro);

// Writes the report as a PDF of A4 pages, drawn one at a time. False, with
// *erro naming the file, when it cannot be written; then nothing is left
// under that name.
bool exportar_pdf(const RELATORIO& r, const std::string& caminho, std::string* erro);

#endif // ZUMBREL_RELATORIOS_DESENHO_H
