#include "relatorios/desenho.h"

#include <algorithm>
#include <cmath>

#include <cairo-pdf.h>
#include <cairomm/surface.h>

#include "relatorios/arquivo_seguro.h"
#include "relatorios/codigo_qr.h"
#include "relatorios/grafico.h"
#include "relatorios/texto_pagina.h"

namespace {

// Points: the margin all round, the header's height, a row of a table, a
// table's title and its column titles, the chart.
const double MARGEM = 36;
const double CABECALHO = 96;
const double LINHA = 13;
const double TITULO_TABELA = 20;
const double TITULO_COLUNAS = 15;
const double ALTURA_GRAFICO = 250;
const double LADO_QR = 96;
const double ENTRE_BLOCOS = 12;
const double FONTE = 8;

std::string juntar(const std::vector<std::string>& partes, const char* entre)
{
    std::string s;
    for (const std::string& p : partes) {
        if (p.empty())
            continue;
        if (!s.empty())
            s += entre;
        s += p;
    }
    return s;
}

} // namespace

DESENHO_RELATORIO::DESENHO_RELATORIO(const RELATORIO& r, double largura, double altura)
    : r_(r), largura_(largura), altura_(altura)
{
    paginar();
}

std::string DESENHO_RELATORIO::texto_pagina(int pagina, int total)
{
    return "Página " + std::to_string(pagina) + " de " + std::to_string(total);
}

void DESENHO_RELATORIO::paginar()
{
    const double topo = MARGEM + CABECALHO;
    const double fim = altura_ - MARGEM;
    double y = topo;
    paginas_.emplace_back();
    auto nova = [&] {
        paginas_.emplace_back();
        y = topo;
    };
    auto por = [&](Trecho t) {
        t.y = y;
        paginas_.back().push_back(t);
    };

    if (!r_.qr.vazio()) {
        Trecho t { Trecho::QR };
        por(t);
        y += LADO_QR + ENTRE_BLOCOS;
    }
    if (r_.vazio()) {
        Trecho t { Trecho::NADA };
        por(t);
        return;
    }
    if (!r_.grafico.vazio()) {
        Trecho t { Trecho::GRAFICO };
        por(t);
        y += ALTURA_GRAFICO + ENTRE_BLOCOS;
    }
    for (std::size_t k = 0; k < r_.tabelas.size(); ++k) {
        const std::size_t n = r_.tabelas[k].linhas.size();
        std::size_t i = 0;
        bool continuacao = false;
        do {
            // A title with no row under it goes to the next page.
            if (y + TITULO_TABELA + TITULO_COLUNAS + LINHA > fim && y > topo)
                nova();
            const double cabem = std::floor((fim - y - TITULO_TABELA - TITULO_COLUNAS) / LINHA);
            const std::size_t ate = std::min(n, i + static_cast<std::size_t>(std::max(1.0, cabem)));
            Trecho t { Trecho::TABELA };
            t.tabela = k;
            t.de = i;
            t.ate = ate;
            t.continuacao = continuacao;
            por(t);
            y += TITULO_TABELA + TITULO_COLUNAS + LINHA * static_cast<double>(std::max<std::size_t>(1, ate - i)) +
                 ENTRE_BLOCOS;
            i = ate;
            continuacao = true;
            if (i < n)
                nova();
        } while (i < n);
    }
}

void DESENHO_RELATORIO::desenhar_cabecalho(cairo_t* cr, int pagina) const
{
    const double largura = largura_ - 2 * MARGEM;
    const double direita = 150;
    const EMPRESAS& e = r_.empresa;
    escrever_linha(cr, e.nome.empty() ? std::string("Dados da empresa não preenchidos") : e.nome, MARGEM, MARGEM,
                   largura - direita, 11, true);
    std::vector<std::string> ident;
    if (!e.documento.empty())
        ident.push_back(e.tipo_documento() + " " + e.documento);
    if (!e.inscricao_estadual.empty())
        ident.push_back("IE " + e.inscricao_estadual);
    ident.push_back(e.municipio_uf());
    escrever_linha(cr, juntar(ident, "  ·  "), MARGEM, MARGEM + 15, largura - direita, FONTE);
    escrever_linha(cr, "Emitido em " + r_.emitido, largura_ - MARGEM - direita, MARGEM + 1, direita, FONTE, false,
                   Alinhamento::DIREITA);
    escrever_linha(cr, texto_pagina(pagina + 1, paginas()), largura_ - MARGEM - direita, MARGEM + 15, direita, FONTE,
                   false, Alinhamento::DIREITA);
    escrever_linha(cr, r_.titulo, MARGEM, MARGEM + 34, largura, 15, true);
    escrever_linha(cr, juntar(r_.filtros, "  ·  "), MARGEM, MARGEM + 58, largura, FONTE);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, MARGEM, MARGEM + CABECALHO - 16);
    cairo_line_to(cr, largura_ - MARGEM, MARGEM + CABECALHO - 16);
    cairo_stroke(cr);
}

void DESENHO_RELATORIO::desenhar_tabela(cairo_t* cr, const Trecho& t) const
{
    const TABELA_RELATORIO& tab = r_.tabelas[t.tabela];
    const double largura = largura_ - 2 * MARGEM;
    double y = t.y;
    escrever_linha(cr, t.continuacao ? tab.titulo + " (continuação)" : tab.titulo, MARGEM, y, largura, 10, true);
    y += TITULO_TABELA;

    double soma = 0;
    for (const COLUNA_RELATORIO& c : tab.colunas)
        soma += c.peso > 0 ? c.peso : 0;
    std::vector<double> xs, ws;
    double x = MARGEM;
    for (const COLUNA_RELATORIO& c : tab.colunas) {
        const double w = soma > 0 ? largura * (c.peso > 0 ? c.peso : 0) / soma : 0;
        xs.push_back(x);
        ws.push_back(w);
        x += w;
    }
    // Which columns hold numbers, right-aligned: those of the first row.
    std::vector<bool> numeros(tab.colunas.size(), false);
    if (!tab.linhas.empty()) {
        for (std::size_t c = 0; c < numeros.size() && c < tab.linhas[0].celulas.size(); ++c)
            numeros[c] = tab.linhas[0].celulas[c].numero;
    }
    const double folga = 3;
    cairo_set_source_rgb(cr, 0.90, 0.90, 0.90);
    cairo_rectangle(cr, MARGEM, y - 2, largura, TITULO_COLUNAS);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (std::size_t c = 0; c < tab.colunas.size(); ++c)
        escrever_linha(cr, tab.colunas[c].titulo, xs[c] + folga, y, ws[c] - 2 * folga, FONTE, true,
                       numeros[c] ? Alinhamento::DIREITA : Alinhamento::ESQUERDA);
    y += TITULO_COLUNAS;

    if (tab.linhas.empty()) {
        escrever_linha(cr, tab.vazia, MARGEM + folga, y, largura, FONTE);
        return;
    }
    for (std::size_t i = t.de; i < t.ate; ++i) {
        const LINHA_RELATORIO& l = tab.linhas[i];
        if ((i - t.de) % 2 == 1) {
            cairo_set_source_rgb(cr, 0.96, 0.96, 0.96);
            cairo_rectangle(cr, MARGEM, y - 1.5, largura, LINHA);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
        }
        for (std::size_t c = 0; c < l.celulas.size() && c < xs.size(); ++c)
            escrever_linha(cr, l.celulas[c].mostrado(), xs[c] + folga, y, ws[c] - 2 * folga, FONTE, l.destaque,
                           l.celulas[c].numero ? Alinhamento::DIREITA : Alinhamento::ESQUERDA);
        y += LINHA;
    }
}

void DESENHO_RELATORIO::desenhar_qr_legenda(cairo_t* cr, double y) const
{
    desenhar_qr(cr, r_.qr.texto, MARGEM, y, LADO_QR);
    const double x = MARGEM + LADO_QR + 14;
    double linha = y + 12;
    for (std::size_t i = 0; i < r_.qr.legenda.size(); ++i) {
        escrever_linha(cr, r_.qr.legenda[i], x, linha, largura_ - MARGEM - x, i == 0 ? 14 : 10, i == 0);
        linha += i == 0 ? 24 : 15;
    }
}

void DESENHO_RELATORIO::desenhar_pagina(const Cairo::RefPtr<Cairo::Context>& contexto, int pagina) const
{
    if (pagina < 0 || pagina >= paginas())
        return;
    cairo_t* cr = contexto->cobj();
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, 0, 0, largura_, altura_);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    desenhar_cabecalho(cr, pagina);
    for (const Trecho& t : paginas_[pagina]) {
        switch (t.tipo) {
        case Trecho::QR:
            desenhar_qr_legenda(cr, t.y);
            break;
        case Trecho::NADA:
            escrever_linha(cr, r_.nada, MARGEM, t.y + 10, largura_ - 2 * MARGEM, 11);
            break;
        case Trecho::GRAFICO:
            desenhar_barras(cr, r_.grafico, MARGEM, t.y, largura_ - 2 * MARGEM, ALTURA_GRAFICO);
            break;
        case Trecho::TABELA:
            desenhar_tabela(cr, t);
            break;
        }
    }
    cairo_restore(cr);
}

bool escrever_pdf(const std::string& caminho, const std::string& titulo, int paginas,
                  const std::function<void(const Cairo::RefPtr<Cairo::Context>&, int)>& desenhar, std::string* erro)
{
    ARQUIVO_SEGURO arquivo(caminho);
    auto falhou = [&](const std::string& motivo) {
        if (erro)
            *erro = motivo;
        return false;
    };
    if (!arquivo.bom())
        return falhou(arquivo.erro());
    try {
        // Cairo hands the bytes over as it makes them: each page leaves
        // memory once it is drawn.
        Cairo::RefPtr<Cairo::PdfSurface> pdf = Cairo::PdfSurface::create_for_stream(
            [&arquivo](const unsigned char* dados, unsigned int n) {
                return arquivo.escrever(reinterpret_cast<const char*>(dados), n) ? CAIRO_STATUS_SUCCESS
                                                                                  : CAIRO_STATUS_WRITE_ERROR;
            },
            A4_LARGURA, A4_ALTURA);
        cairo_pdf_surface_set_metadata(pdf->cobj(), CAIRO_PDF_METADATA_TITLE, titulo.c_str());
        cairo_pdf_surface_set_metadata(pdf->cobj(), CAIRO_PDF_METADATA_CREATOR, "Zumbrel");
        for (int p = 0; p < paginas; ++p) {
            Cairo::RefPtr<Cairo::Context> cr = Cairo::Context::create(pdf);
            desenhar(cr, p);
            cr->show_page();
            if (!arquivo.bom())
                break;
        }
        pdf->finish();
        if (cairo_surface_status(pdf->cobj()) != CAIRO_STATUS_SUCCESS && arquivo.bom())
            return falhou("Não foi possível gravar o arquivo " + caminho + ": " +
                          cairo_status_to_string(cairo_surface_status(pdf->cobj())) + ".");
    } catch (const std::exception& e) {
        if (arquivo.bom())
            return falhou("Não foi possível gravar o arquivo " + caminho + ": " + e.what() + ".");
    }
    if (!arquivo.confirmar())
        return falhou(arquivo.erro());
    return true;
}

bool exportar_pdf(const RELATORIO& r, const std::string& caminho, std::string* erro)
{
    try {
        const DESENHO_RELATORIO desenho(r);
        return escrever_pdf(caminho, r.titulo, desenho.paginas(),
                            [&desenho](const Cairo::RefPtr<Cairo::Context>& cr, int p) { desenho.desenhar_pagina(cr, p); },
                            erro);
    } catch (const std::exception& e) {
        if (erro)
            *erro = "Não foi possível gravar o arquivo " + caminho + ": " + e.what() + ".";
        return false;
    }
}
