#include "gui/form_florada.h"

#include <cstdlib>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>

#include "gui/janelas.h"
#include "model/florada.h"

void FormFlorada::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Cadastro Florada");
    j.set_position(Gtk::WIN_POS_CENTER);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Nova Florada"));
    Gtk::VBox* dentro = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
    linha->pack_start(*Gtk::manage(new Gtk::Label("Florada :\t")), false, false, 5);
    w.entry_florada = Gtk::manage(new Gtk::Entry());
    linha->pack_start(*w.entry_florada, false, false, 5);
    dentro->pack_start(*linha, false, false, 0);
    quadro->add(*dentro);
    vertical->pack_start(*quadro, false, false, 0);

    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    w.button_cadastrar = Gtk::manage(new Gtk::Button("Cadastrar"));
    w.button_cancelar_florada = Gtk::manage(new Gtk::Button("Cancelar"));
    botoes->pack_start(*w.button_cadastrar, false, false, 0);
    botoes->pack_start(*w.button_cancelar_florada, false, false, 0);
    vertical->pack_start(*botoes, false, false, 5);

    w.button_cancelar_florada->signal_clicked().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::sair), &j));
    w.button_cadastrar->signal_clicked().connect(sigc::mem_fun(*this, &FormFlorada::Cadastrar_Florada));

    j.add(*vertical);
}

void FormFlorada::Cadastrar_Florada()
{
    const std::string nome = w.entry_florada->get_text().raw();
    // A name of blanks only is as empty as no name.
    if (nome.find_first_not_of(" \t") == std::string::npos) {
        mensagem("Atenção", "Existe campos vazios ", Gtk::MESSAGE_WARNING);
        return;
    }

    FLORADA nova;
    nova.nome_florada = nome;
    const std::string chave = ctx.floradas->inserir(nova);
    if (chave.empty()) {
        mensagem("Atenção", "Erro ao inserir Florada", Gtk::MESSAGE_ERROR);
        return;
    }
    const int id = std::atoi(chave.c_str());
    mensagem("Sucesso", "Florada cadastrada com sucesso ", Gtk::MESSAGE_INFO);

    janela()->hide();
    // The apiary form it was opened over lists the new floral source and
    // makes it its current one.
    Formulario* apiarios = origem() ? origem() : ctx.aberto(ids::APIARIOS);
    if (apiarios)
        apiarios->Carregar_combo(1, id);
}
