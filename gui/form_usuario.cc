// Placeholder until the user forms are built: bare windows with their titles.
#include "gui/form_usuario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_usuario(FormUsuario* f)
{
    f->janela->set_title(f->id == 1 ? "Minha Conta" : "Cadastro de Usuarios");
}
void SISTEMAGUI::estado_usuario(FormUsuario*, int) {}
void SISTEMAGUI::carregar_minha_conta(FormUsuario*) {}
void SISTEMAGUI::carregar_usuarios(FormUsuario*) {}
bool SISTEMAGUI::salvar_usuario(FormUsuario*, bool) { return false; }
void SISTEMAGUI::consultar_cep(FormUsuario*) {}
void SISTEMAGUI::pesquisar_usuarios(FormBuscaUsuario*) {}
void SISTEMAGUI::carregar_pesquisa(int, Gtk::Window*) {}
void SISTEMAGUI::sel_pesquisa() {}
void SISTEMAGUI::selecionar_usuario(const Gtk::TreePath&, Gtk::TreeViewColumn*) {}
