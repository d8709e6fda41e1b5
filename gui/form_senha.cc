// " Trocar de Senha " (id 7): the logged-in user types a new password twice;
// opened by "Trocar Senha" in "Minha Conta", whose widgets it leaves alone.
#include <iostream>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include "gui/form_usuario.h"
#include "gui/sistemagui.h"

namespace {

Gtk::Entry* entry_senha_oculta()
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_size_request(190, -1);
    e->set_visibility(false);
    e->set_invisible_char('*');
    e->set_max_length(16);
    return e;
}

} // namespace

void SISTEMAGUI::montar_senha(FormSenha* f)
{
    Gtk::Window* janela = f->janela.get();
    janela->set_size_request(380, 200);
    janela->set_title(" Trocar de Senha ");

    f->entry_nova = entry_senha_oculta();
    f->entry_repetir = entry_senha_oculta();
    f->button_alterar = Gtk::manage(new Gtk::Button("Alterar"));
    f->button_cancelar_senha = Gtk::manage(new Gtk::Button("Cancelar"));
    f->button_alterar->set_size_request(100, -1);
    f->button_cancelar_senha->set_size_request(100, -1);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Atualizar Senha "));
    Gtk::VBox* campos = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha_nova = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_repetir = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));

    linha_nova->pack_start(*Gtk::manage(new Gtk::Label("Nova Senha :\t")), false, false, 25);
    linha_nova->pack_start(*f->entry_nova, false, false, 0);
    linha_repetir->pack_start(*Gtk::manage(new Gtk::Label("Redigite a Senha: \t")), false, false, 10);
    linha_repetir->pack_start(*f->entry_repetir, false, false, 0);
    campos->pack_start(*linha_nova, false, false, 0);
    campos->pack_start(*linha_repetir, false, false, 5);
    frame->add(*campos);

    botoes->pack_start(*f->button_alterar, false, false, 0);
    botoes->pack_start(*f->button_cancelar_senha, false, false, 0);
    vertical->pack_start(*frame, false, false, 0);
    vertical->pack_start(*botoes, false, false, 5);
    janela->add(*vertical);

    f->button_cancelar_senha->signal_clicked().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), janela));
    f->button_alterar->signal_clicked().connect(
        em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::atualizar_senha), 0)));
    f->entry_nova->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), janela, f->entry_repetir));
    f->entry_repetir->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), janela, f->button_alterar));
}

void SISTEMAGUI::atualizar_senha(int)
{
    // 0 is the only caller's value: the logged-in user.
    FormSenha* f = dynamic_cast<FormSenha*>(form_de(7));
    if (!f)
        return;
    const std::string nova = f->entry_nova->get_text();
    const std::string repetida = f->entry_repetir->get_text();

    if (nova != repetida) {
        mensagem("Atenção", "As senhas não correspondem", Gtk::MESSAGE_WARNING);
        return;
    }
    if (nova.empty()) {
        mensagem("Atenção", "Digite pelo menos um senha ", Gtk::MESSAGE_WARNING);
        return;
    }

    std::cout << '\n' << "ATUALIZAR SENHA " << '\n';
    if (!usuario->update_senha(usuario_logado.id, nova)) {
        mensagem("Erro!", "Erro ao Atualizar a senha \n Tente novamente !!! ", Gtk::MESSAGE_WARNING);
        return;
    }
    mensagem("Sucesso!", "Senha Atualizada !!!! ", Gtk::MESSAGE_INFO);
    f->janela->hide();
}
