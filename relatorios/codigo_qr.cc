#include "relatorios/codigo_qr.h"

#include <qrencode.h>

bool desenhar_qr(cairo_t* cr, const std::string& texto, double x, double y, double lado)
{
    QRcode* qr = QRcode_encodeString8bit(texto.c_str(), 0, QR_ECLEVEL_M);
    if (!qr)
        return false;
    // The code with the quiet zone of four modules the standard asks for.
    const int largura = qr->width;
    const double modulo = lado / (largura + 8);
    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, x, y, lado, lado);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (int l = 0; l < largura; ++l) {
        for (int c = 0; c < largura; ++c) {
            if (qr->data[l * largura + c] & 1)
                cairo_rectangle(cr, x + (c + 4) * modulo, y + (l + 4) * modulo, modulo, modulo);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
    QRcode_free(qr);
    return true;
}
