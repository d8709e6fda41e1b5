#include "gui/colunas.h"

COLUNAS::COLUNAS()
{
    add(codigo);
    for (int i = 0; i < 10; ++i) {
        add(inteiros[i]);
        add(reais[i]);
        add(textos[i]);
    }
}
