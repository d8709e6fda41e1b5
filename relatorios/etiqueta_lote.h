// The labels of a honey lot's drums: the producer (from the company's
// data), the lot's code, extraction date, floral source, the
// municipalities its honey came from, its kilos and "Tambor n de m", with a
// QR code of the lot's code; eight labels to an A4 page, drawn on a cairo
// context one page at a time, for the print and the PDF alike.
#ifndef ZUMBREL_RELATORIOS_ETIQUETA_LOTE_H
#define ZUMBREL_RELATORIOS_ETIQUETA_LOTE_H

#include <string>
#include <vector>

#include <cairomm/context.h>

#include "model/empresa.h"
#include "model/lote_mel.h"

struct ETIQUETA_LOTE
{
    std::string produtor;
    std::string documento;       // "CPF 123.456.789-09", "CNPJ ...", or ""
    std::string codigo;
    std::string extracao;
    std::string florada;
    std::string origem;          // "Dourados/MS, Itaporã/MS"
    std::string quilos;          // the lot's, "1.234,5 kg"
    int tambor = 1;
    int tambores = 1;
};

// One label a drum of the lot.
std::vector<ETIQUETA_LOTE> etiquetas_do_lote(const LOTES_MEL& lote, const std::vector<std::string>& municipios,
                                             const EMPRESAS& empresa);

extern const int ETIQUETAS_POR_PAGINA;
int paginas_de_etiquetas(std::size_t etiquetas);
// Draws page `pagina` (0 first) of the labels on an A4 page at the
// context's origin, in points.
void desenhar_etiquetas(const Cairo::RefPtr<Cairo::Context>& cr, const std::vector<ETIQUETA_LOTE>& etiquetas,
                        int pagina);
// Writes the labels as a PDF; false, with *erro naming the file, when it
// cannot be written (nothing is then left under that name).
bool exportar_etiquetas_pdf(const std::vector<ETIQUETA_LOTE>& etiquetas, const std::string& caminho,
                            std::string* erro);

#endif // ZUMBREL_RELATORIOS_ETIQUETA_LOTE_H
