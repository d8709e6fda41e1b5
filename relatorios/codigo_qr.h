// A QR code drawn with cairo, for the drums' labels and the hives' cards:
// what a phone or a reader scans to find the record.
#ifndef ZUMBREL_RELATORIOS_CODIGO_QR_H
#define ZUMBREL_RELATORIOS_CODIGO_QR_H

#include <string>

#include <cairo.h>

// The QR code of `texto`, `lado` points wide, with its top left at (x, y);
// false when the text cannot be encoded.
bool desenhar_qr(cairo_t* cr, const std::string& texto, double x, double y, double lado);

#endif // ZUMBREL_RELATORIOS_CODIGO_QR_H
