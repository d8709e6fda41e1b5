// The drop-down lists of floral sources, municipalities and mother bees, the
// handlers that make a chosen floral source or municipality the apiary
// form's current one, and the floral source window ("Cadastro Florada", id 8).
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>

#include "gui/form_abelha.h"
#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

namespace {

const char* const NAO_SABE = "Não Sabe";

// Empties a list and puts its leading entry back while the form's handler
// is told to ignore the changes.
void esvaziar(Gtk::ComboBoxText* combo, bool& preenchendo, const char* primeira)
{
    preenchendo = true;
    combo->remove_all();
    combo->append(primeira);
    preenchendo = false;
}

} // namespace

void SISTEMAGUI::Carregar_combo(int qual, int selecionado)
{
    int sel = 0;
    if (qual == 1) {
        FormApiario* f = static_cast<FormApiario*>(form_de(4));
        if (!f || !f->combo_florada)
            return;
        esvaziar(f->combo_florada, f->preenchendo, "");
        std::vector<FLORADA> lista = floradas->listar_floradas();
        for (std::size_t k = 0; k < lista.size(); ++k) {
            f->combo_florada->append(lista[k].nome_florada);
            if (selecionado != -1 && lista[k].id_florada == selecionado)
                sel = static_cast<int>(k) + 1;
        }
        std::cout << sel << '\n';
        f->combo_florada->set_active(sel);
    } else if (qual == 2) {
        FormApiario* f = static_cast<FormApiario*>(form_de(4));
        if (!f || !f->combo_municipio)
            return;
        esvaziar(f->combo_municipio, f->preenchendo, "");
        std::vector<MUNICIPIOS> lista = municipio->listar_municipio();
        for (std::size_t k = 0; k < lista.size(); ++k) {
            f->combo_municipio->append(lista[k].nome);
            const bool escolhido = selecionado == -1 ? lista[k].nome == "Dourados"
                                                     : lista[k].cod_cid == selecionado;
            if (escolhido)
                sel = static_cast<int>(k) + 1;
        }
        std::cout << sel << '\n';
        f->combo_municipio->set_active(sel);
    } else if (qual == 3) {
        FormAbelha* f = static_cast<FormAbelha*>(form_de(5));
        if (!f || !f->combo_mae)
            return;
        std::vector<ABELHAS> lista = abelha->listar();
        std::vector<std::string> textos;
        textos.reserve(lista.size() + 1);
        textos.emplace_back(NAO_SABE);
        for (std::size_t k = 0; k < lista.size(); ++k) {
            textos.push_back(lista[k].rgn);
            if (selecionado != -1) {
                std::cout << lista[k].id << " == " << selecionado << '\n';
                if (lista[k].id == selecionado)
                    sel = static_cast<int>(k) + 1;
            }
        }
        // The list is rebuilt only when the bees changed; either way it
        // passes through "nothing chosen" while the handler looks away, and
        // choosing `sel` then tells the handler, as after a refill.
        f->preenchendo = true;
        if (!f->combo_mae->preencher(std::move(textos)))
            f->combo_mae->set_active(-1);
        f->preenchendo = false;
        f->combo_mae->set_active(sel);
    }
}

void SISTEMAGUI::selecionar_florada()
{
    FormApiario* f = static_cast<FormApiario*>(form_de(4));
    if (!f || f->preenchendo || !f->combo_florada)
        return;
    const std::string texto = f->combo_florada->get_active_text().raw();
    FLORADA achada = floradas->get_florada(texto);
    // Not found (the empty entry) or a failed lookup keeps the current one.
    if (achada.id_florada != -1 && achada.nome_florada == texto)
        f->florada_atual = achada;
}

void SISTEMAGUI::selecionar_municipio()
{
    FormApiario* f = static_cast<FormApiario*>(form_de(4));
    if (!f || f->preenchendo || !f->combo_municipio)
        return;
    const std::string texto = f->combo_municipio->get_active_text().raw();
    MUNICIPIOS achado = municipio->get_municipio(texto);
    if (achado.cod_cid != -1 && achado.nome == texto)
        f->municipio_atual = achado;
}

void SISTEMAGUI::montar_florada(FormFlorada* f)
{
    Gtk::Window& janela = *f->janela;
    janela.set_title("Cadastro Florada");
    janela.set_position(Gtk::WIN_POS_CENTER);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Nova Florada"));
    Gtk::VBox* dentro = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
    linha->pack_start(*Gtk::manage(new Gtk::Label("Florada :\t")), false, false, 5);
    f->entry_florada = Gtk::manage(new Gtk::Entry());
    linha->pack_start(*f->entry_florada, false, false, 5);
    dentro->pack_start(*linha, false, false, 0);
    quadro->add(*dentro);
    vertical->pack_start(*quadro, false, false, 0);

    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    f->button_cadastrar = Gtk::manage(new Gtk::Button("Cadastrar"));
    f->button_cancelar_florada = Gtk::manage(new Gtk::Button("Cancelar"));
    botoes->pack_start(*f->button_cadastrar, false, false, 0);
    botoes->pack_start(*f->button_cancelar_florada, false, false, 0);
    vertical->pack_start(*botoes, false, false, 5);

    f->button_cancelar_florada->signal_clicked().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela));
    f->button_cadastrar->signal_clicked().connect(em(f, sigc::mem_fun(*this, &SISTEMAGUI::Cadastrar_Florada)));

    janela.add(*vertical);
}

void SISTEMAGUI::Cadastrar_Florada()
{
    FormFlorada* f = static_cast<FormFlorada*>(form_de(8));
    if (!f)
        return;

    const std::string nome = f->entry_florada->get_text().raw();
    // A name of blanks only is as empty as no name.
    if (nome.find_first_not_of(" \t") == std::string::npos) {
        mensagem("Atenção", "Existe campos vazios ", Gtk::MESSAGE_WARNING);
        return;
    }

    FLORADA nova;
    nova.nome_florada = nome;
    const std::string chave = floradas->inserir(nova);
    if (chave.empty()) {
        mensagem("Atenção", "Erro ao inserir Florada", Gtk::MESSAGE_ERROR);
        return;
    }
    const int id = std::atoi(chave.c_str());
    mensagem("Sucesso", "Florada cadastrada com sucesso ", Gtk::MESSAGE_INFO);

    f->janela->hide();
    // The apiary form it was opened over lists the new floral source and
    // makes it its current one.
    Atuando atuando(*this, f->origem);
    Carregar_combo(1, id);
}
