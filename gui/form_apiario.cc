// Placeholder until the apiary form is built.
#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_apiario(FormApiario* f) { f->janela->set_title("Cadastro de Apiários"); }
void SISTEMAGUI::estado_apiario(FormApiario*, int) {}
void SISTEMAGUI::carregar_apiarios(FormApiario*) {}
bool SISTEMAGUI::salvar_apiario(FormApiario*, bool) { return false; }
