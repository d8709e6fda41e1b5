// Placeholder until the queen bee form is built.
#include "gui/form_abelha.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_abelha(FormAbelha* f) { f->janela->set_title("Cadastro de Abelhas"); }
void SISTEMAGUI::estado_abelha(FormAbelha*, int) {}
void SISTEMAGUI::carregar_abelhas(FormAbelha*) {}
bool SISTEMAGUI::salvar_abelha(FormAbelha*, bool) { return false; }
bool SISTEMAGUI::excluir_abelha(FormAbelha*) { return false; }
void SISTEMAGUI::selecionar_abelha() {}
void SISTEMAGUI::gerar_filhas(Gtk::Window*) {}
