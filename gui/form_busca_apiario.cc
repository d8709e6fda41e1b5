// Placeholder until the apiary search is built.
#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_busca_apiario(FormBuscaApiario* f) { f->janela->set_title("Buscar Apiario"); }
void SISTEMAGUI::pesquisar_apiarios(FormBuscaApiario*) {}
