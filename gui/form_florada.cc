// Placeholder until the floral source window and the lists are built.
#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_florada(FormFlorada* f) { f->janela->set_title("Cadastro Florada"); }
void SISTEMAGUI::Carregar_combo(int, int) {}
void SISTEMAGUI::selecionar_florada() {}
void SISTEMAGUI::selecionar_municipio() {}
void SISTEMAGUI::Cadastrar_Florada() {}
