// A bar chart drawn with cairo: the bars of each series side by side for
// every category, a value axis from zero with its marks, each bar's value
// over it and a legend, all written as Portuguese writes numbers.
#ifndef ZUMBREL_RELATORIOS_GRAFICO_H
#define ZUMBREL_RELATORIOS_GRAFICO_H

#include <cairo.h>

#include <vector>

#include "relatorios/relatorio.h"

// Draws the chart inside the rectangle (x, y, largura, altura), in points.
void desenhar_barras(cairo_t* cr, const GRAFICO_BARRAS& g, double x, double y, double largura, double altura);

// The top of the value axis: the smallest 1, 2 or 5 times a power of ten at
// or above the largest value (1 when there is none above zero).
double topo_do_eixo(double maior);

// A stacked bar: one piece for each count, as wide as its share of the
// sum, from the left, in the order given; the widths of the pieces (all 0
// when the sum is not above zero). A piece of a count above zero is at
// least one unit wide, taken from the widest, so that one weak hive among a
// hundred still shows.
std::vector<double> partes_empilhadas(const std::vector<int>& contagens, double largura);
// Draws it in the rectangle, piece k in colour `cores[k]` ("#rrggbb"), on
// a light grey ground with a dark edge.
void desenhar_empilhada(cairo_t* cr, const std::vector<int>& contagens, const std::vector<const char*>& cores, double x,
                        double y, double largura, double altura);

#endif // ZUMBREL_RELATORIOS_GRAFICO_H
