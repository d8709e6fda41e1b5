#include "gui/dialogo_primeiro_acesso.h"

#include <gtkmm/box.h>
#include <gtkmm/stock.h>

#include "gui/montagem.h"
#include "model/usuario.h"

DialogoPrimeiroAcesso::DialogoPrimeiroAcesso(Gtk::Window* pai, USUARIO& u)
    : Gtk::Dialog("Primeiro Acesso"), usuario(u)
{
    if (pai) {
        set_transient_for(*pai);
        set_modal(true);
    }
    set_border_width(10);
    Gtk::VBox& caixa = *get_vbox();
    Gtk::Label* explicacao = rotulo("Este banco de dados ainda não tem usuários. Crie o administrador do sistema; "
                                    "depois complete os dados dele em Minha Conta.");
    explicacao->set_line_wrap(true);
    caixa.pack_start(*explicacao, false, false, 5);

    auto campo = [](int maximo, bool visivel) {
        Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
        e->set_max_length(maximo);
        e->set_visibility(visivel);
        return e;
    };
    w.entry_nome = campo(0, true);
    w.entry_login = campo(MAXIMO_LOGIN, true);
    w.entry_senha = campo(MAXIMO_SENHA, false);
    w.entry_repetir = campo(MAXIMO_SENHA, false);
    linha(caixa, "Nome:", *w.entry_nome, 5, 150);
    linha(caixa, "Login:", *w.entry_login, 5, 150);
    linha(caixa, "Senha:", *w.entry_senha, 5, 150);
    linha(caixa, "Repita a senha:", *w.entry_repetir, 5, 150);
    caixa.pack_start(*rotulo(REGRA_SENHA), false, false, 5);
    w.label_aviso = rotulo("");
    w.label_aviso->set_line_wrap(true);
    caixa.pack_start(*w.label_aviso, false, false, 5);

    add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    w.button_criar = add_button("Criar administrador", Gtk::RESPONSE_OK);
    Gtk::Entry* ordem[] = { w.entry_nome, w.entry_login, w.entry_senha, w.entry_repetir };
    for (int k = 0; k < 3; ++k)
        ordem[k]->signal_activate().connect(
            sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), this, ordem[k + 1]));
    w.entry_repetir->signal_activate().connect([this] { w.button_criar->clicked(); });
    show_all();
}

std::string DialogoPrimeiroAcesso::tentar()
{
    if (w.entry_senha->get_text() != w.entry_repetir->get_text())
        return "As senhas não correspondem";
    if (usuario.criar_primeiro_administrador(w.entry_nome->get_text().raw(), login(),
                                             w.entry_senha->get_text().raw()))
        return std::string();
    const std::string motivo = usuario.falha().motivo();
    return motivo.empty() ? std::string("O administrador não pôde ser criado.") : motivo;
}

bool DialogoPrimeiroAcesso::criar()
{
    while (run() == Gtk::RESPONSE_OK) {
        const std::string motivo = tentar();
        if (motivo.empty()) {
            hide();
            return true;
        }
        // The dialog stays, with what was typed, to be set right.
        w.label_aviso->set_text(motivo);
    }
    hide();
    return false;
}
