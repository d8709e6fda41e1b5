// Placeholder until the password window is built.
#include "gui/form_usuario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_senha(FormSenha* f) { f->janela->set_title(" Trocar de Senha "); }
void SISTEMAGUI::atualizar_senha(int) {}
