// Placeholder until the access level form is built.
#include "gui/form_acesso.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_acesso(FormAcesso* f) { f->janela->set_title("Níveis de Acesso"); }
void SISTEMAGUI::estado_acesso(FormAcesso*, int) {}
void SISTEMAGUI::carregar_acessos(FormAcesso*) {}
bool SISTEMAGUI::salvar_acesso(FormAcesso*, bool) { return false; }
bool SISTEMAGUI::excluir_acesso(FormAcesso*) { return false; }
void SISTEMAGUI::selecionar_nivel(const Gtk::TreePath&, Gtk::TreeViewColumn*) {}
