#include "gui/form_senha.h"


#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include "db/rastro.h"

namespace {

Gtk::Entry* entry_senha_oculta()
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_size_request(190, -1);
    e->set_visibility(false);
    e->set_invisible_char('*');
    e->set_max_length(MAXIMO_SENHA);
    return e;
}

} // namespace

void FormSenha::montar()
{
    Gtk::Window* j = janela();
    j->set_size_request(380, 200);
    j->set_title(" Trocar de Senha ");

    w.entry_atual = entry_senha_oculta();
    w.entry_nova = entry_senha_oculta();
    w.entry_repetir = entry_senha_oculta();
    w.button_alterar = Gtk::manage(new Gtk::Button("Alterar"));
    w.button_cancelar_senha = Gtk::manage(new Gtk::Button("Cancelar"));
    w.button_alterar->set_size_request(100, -1);
    w.button_cancelar_senha->set_size_request(100, -1);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Atualizar Senha "));
    Gtk::VBox* campos = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha_atual = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_nova = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_repetir = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));

    linha_atual->pack_start(*Gtk::manage(new Gtk::Label("Senha Atual:\t")), false, false, 25);
    linha_atual->pack_start(*w.entry_atual, false, false, 0);
    linha_nova->pack_start(*Gtk::manage(new Gtk::Label("Nova Senha :\t")), false, false, 25);
    linha_nova->pack_start(*w.entry_nova, false, false, 0);
    linha_repetir->pack_start(*Gtk::manage(new Gtk::Label("Redigite a Senha: \t")), false, false, 10);
    linha_repetir->pack_start(*w.entry_repetir, false, false, 0);
    campos->pack_start(*linha_atual, false, false, 0);
    campos->pack_start(*linha_nova, false, false, 0);
    campos->pack_start(*linha_repetir, false, false, 5);
    frame->add(*campos);

    botoes->pack_start(*w.button_alterar, false, false, 0);
    botoes->pack_start(*w.button_cancelar_senha, false, false, 0);
    if (ctx.senha_de_exemplo) {
        Gtk::Label* aviso = Gtk::manage(new Gtk::Label("A senha de exemplo não protege o sistema: escolha uma nova."));
        aviso->set_line_wrap(true);
        vertical->pack_start(*aviso, false, false, 5);
    }
    vertical->pack_start(*frame, false, false, 0);
    vertical->pack_start(*botoes, false, false, 5);
    j->add(*vertical);

    w.button_cancelar_senha->signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), j));
    w.button_alterar->signal_clicked().connect(sigc::bind(sigc::mem_fun(*this, &FormSenha::atualizar_senha), 0));
    focar(*w.entry_atual);
    tab(*w.entry_atual, *w.entry_nova);
    tab(*w.entry_nova, *w.entry_repetir);
    tab(*w.entry_repetir, *w.button_alterar);
}

void FormSenha::atualizar_senha(int)
{
    const std::string atual = w.entry_atual->get_text();
    const std::string nova = w.entry_nova->get_text();
    const std::string repetida = w.entry_repetir->get_text();

    if (nova != repetida) {
        mensagem("Atenção", "As senhas não correspondem", Gtk::MESSAGE_WARNING);
        return;
    }
    if (nova.empty()) {
        mensagem("Atenção", "Digite pelo menos um senha ", Gtk::MESSAGE_WARNING);
        return;
    }
    if (!senha_aceita(nova)) {
        mensagem("Atenção", REGRA_SENHA, Gtk::MESSAGE_WARNING);
        return;
    }
    bool falhou = false;
    if (!ctx.usuario->conferir_senha(ctx.usuario_logado.id, atual, &falhou)) {
        // Not read (the server away, say): nothing to tell about the password.
        if (falhou) {
            mensagem("Erro!", "Erro ao Atualizar a senha \n Tente novamente !!! ", Gtk::MESSAGE_WARNING);
            return;
        }
        mensagem("Atenção", "Senha atual incorreta", Gtk::MESSAGE_WARNING);
        w.entry_atual->set_text("");
        focar(*w.entry_atual);
        return;
    }

    rastrear('\n', "ATUALIZAR SENHA ", '\n');
    if (!ctx.usuario->update_senha(ctx.usuario_logado.id, nova)) {
        mensagem("Erro!", "Erro ao Atualizar a senha \n Tente novamente !!! ", Gtk::MESSAGE_WARNING);
        return;
    }
    mensagem("Sucesso!", "Senha Atualizada !!!! ", Gtk::MESSAGE_INFO);
    janela()->hide();
}
