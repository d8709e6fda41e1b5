// The icon's XPM array is kept in its own file, written by gerar_icone.py.
#include "res/icone.h"

#include "res/pote_de_mel.xpm"
