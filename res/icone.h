// The window icon, a 40 x 40 honey pot, as XPM data for
// Gdk::Pixbuf::create_from_xpm_data.
#ifndef ZUMBREL_RES_ICONE_H
#define ZUMBREL_RES_ICONE_H

extern const char* const pote_de_mel[];

#endif // ZUMBREL_RES_ICONE_H
