#include "relatorios/grafico.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "relatorios/formato.h"
#include "relatorios/texto_pagina.h"

namespace {

// Honey for the first series, grey for the one it is set against, then others.
const double CORES[][3] = { { 0.90, 0.62, 0.10 }, { 0.55, 0.57, 0.62 }, { 0.30, 0.55, 0.35 },
                            { 0.35, 0.45, 0.70 }, { 0.70, 0.35, 0.35 } };
const int N_CORES = sizeof CORES / sizeof CORES[0];

} // namespace

double topo_do_eixo(double maior)
{
    if (!(maior > 0) || !std::isfinite(maior))
        return 1;
    const double base = std::pow(10.0, std::floor(std::log10(maior)));
    for (double passo : { 1.0, 2.0, 5.0, 10.0 }) {
        if (passo * base >= maior * (1 - 1e-12))
            return passo * base;
    }
    return 10 * base;
}

void desenhar_barras(cairo_t* cr, const GRAFICO_BARRAS& g, double x, double y, double largura, double altura)
{
    cairo_save(cr);
    escrever_linha(cr, g.titulo, x, y, largura * 0.55, 10, true);

    // The legend, right-aligned on the title's line.
    double lx = x + largura;
    for (std::size_t s = g.series.size(); s-- > 0;) {
        const double w = largura_texto(cr, g.series[s], 8);
        lx -= w;
        escrever_linha(cr, g.series[s], lx, y + 1, w + 2, 8);
        lx -= 12;
        const double* cor = CORES[s % N_CORES];
        cairo_set_source_rgb(cr, cor[0], cor[1], cor[2]);
        cairo_rectangle(cr, lx, y + 2, 9, 9);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        lx -= 12;
    }

    double maior = 0;
    for (const std::vector<double>& serie : g.valores) {
        for (double v : serie) {
            if (std::isfinite(v))
                maior = std::max(maior, v);
        }
    }
    const double topo = topo_do_eixo(maior);
    // The axis marks: five steps from zero, with the decimals they need.
    const int marcas = 5;
    const double passo = topo / marcas;
    int casas = 0;
    while (casas < 3 && std::fabs(passo * std::pow(10.0, casas) - std::round(passo * std::pow(10.0, casas))) > 1e-9)
        ++casas;

    const double eixo_x = x + 55;
    const double alto = y + 34;
    const double baixo = y + altura - 26;
    const double direita = x + largura;
    cairo_set_line_width(cr, 0.5);
    for (int m = 0; m <= marcas; ++m) {
        const double v = passo * m;
        const double py = baixo - (baixo - alto) * (v / topo);
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        cairo_move_to(cr, eixo_x, py);
        cairo_line_to(cr, direita, py);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        escrever_linha(cr, numero_br(v, casas), x, py - 5, 50, 7, false, Alinhamento::DIREITA);
    }
    escrever_linha(cr, g.unidade, x, alto - 13, 50, 7, false, Alinhamento::DIREITA);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, eixo_x, alto);
    cairo_line_to(cr, eixo_x, baixo);
    cairo_line_to(cr, direita, baixo);
    cairo_stroke(cr);

    const std::size_t n = g.categorias.size();
    const std::size_t ns = g.series.size();
    if (n > 0 && ns > 0) {
        const double grupo = (direita - eixo_x) / static_cast<double>(n);
        const double barra = std::min(40.0, grupo * 0.8 / static_cast<double>(ns));
        for (std::size_t c = 0; c < n; ++c) {
            const double inicio = eixo_x + grupo * static_cast<double>(c) + (grupo - barra * ns) / 2;
            for (std::size_t s = 0; s < ns; ++s) {
                const double v = s < g.valores.size() && c < g.valores[s].size() ? g.valores[s][c] : 0;
                const double h = std::isfinite(v) && v > 0 ? (baixo - alto) * (v / topo) : 0;
                const double bx = inicio + barra * static_cast<double>(s);
                const double* cor = CORES[s % N_CORES];
                cairo_set_source_rgb(cr, cor[0], cor[1], cor[2]);
                cairo_rectangle(cr, bx, baixo - h, barra - 1, h);
                cairo_fill(cr);
                cairo_set_source_rgb(cr, 0, 0, 0);
                escrever_linha(cr, numero_br(v, g.casas), bx - 10, baixo - h - 10, barra + 19, 6.5, false,
                               Alinhamento::CENTRO);
            }
            escrever_linha(cr, g.categorias[c], eixo_x + grupo * static_cast<double>(c), baixo + 4, grupo, 7.5, false,
                           Alinhamento::CENTRO);
        }
    }
    cairo_restore(cr);
}

std::vector<double> partes_empilhadas(const std::vector<int>& contagens, double largura)
{
    std::vector<double> partes(contagens.size(), 0.0);
    long soma = 0;
    for (int c : contagens)
        soma += std::max(0, c);
    if (soma <= 0 || !(largura > 0))
        return partes;
    std::size_t maior = 0;
    for (std::size_t k = 0; k < contagens.size(); ++k) {
        partes[k] = contagens[k] > 0 ? largura * contagens[k] / static_cast<double>(soma) : 0;
        if (partes[k] > partes[maior])
            maior = k;
    }
    for (std::size_t k = 0; k < partes.size(); ++k) {
        if (contagens[k] > 0 && partes[k] < 1 && k != maior) {
            partes[maior] -= 1 - partes[k];
            partes[k] = 1;
        }
    }
    return partes;
}

void desenhar_empilhada(cairo_t* cr, const std::vector<int>& contagens, const std::vector<const char*>& cores, double x,
                        double y, double largura, double altura)
{
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.92);
    cairo_rectangle(cr, x, y, largura, altura);
    cairo_fill(cr);
    const std::vector<double> partes = partes_empilhadas(contagens, largura);
    double px = x;
    for (std::size_t k = 0; k < partes.size(); ++k) {
        if (partes[k] <= 0)
            continue;
        const unsigned long rgb = k < cores.size() && cores[k] ? std::strtoul(cores[k] + 1, nullptr, 16) : 0x808080;
        cairo_set_source_rgb(cr, ((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0);
        cairo_rectangle(cr, px, y, partes[k], altura);
        cairo_fill(cr);
        px += partes[k];
    }
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, largura - 1, altura - 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}
