// A bar chart drawn with cairo: the bars of each series side by side for
// every category, a value axis from zero with its marks, each bar's value
// over it and a legend, all written as Portuguese writes numbers.
#ifndef ZUMBREL_RELATORIOS_GRAFICO_H
#define ZUMBREL_RELATORIOS_GRAFICO_H

#include <cairo.h>

#include "relatorios/relatorio.h"

// Draws the chart inside the rectangle (x, y, largura, altura), in points.
void desenhar_barras(cairo_t* cr, const GRAFICO_BARRAS& g, double x, double y, double largura, double altura);

// The top of the value axis: the smallest 1, 2 or 5 times a power of ten at
// or above the largest value (1 when there is none above zero).
double topo_do_eixo(double maior);

#endif // ZUMBREL_RELATORIOS_GRAFICO_H
