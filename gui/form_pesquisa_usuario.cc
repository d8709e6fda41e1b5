// The user search window "Buscar Usuário", opened by Find in the user form:
// a prefix of the name or of the CPF lists the matching users; choosing one
// moves the user form to that user and closes the search.
#include <algorithm>
#include <iostream>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>

#include "db/query.h"
#include "gui/colunas_fixas.h"
#include "gui/form_usuario.h"
#include "gui/sistemagui.h"

namespace {

// 1-based position of the user with that id in the list, or 0.
Posicao posicao_de(const LISTA_USUARIOS& lista, int id)
{
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (lista.id(i) == id)
            return i + 1;
    }
    return 0;
}

} // namespace

void SISTEMAGUI::carregar_pesquisa(int, Gtk::Window* pai)
{
    // Nothing typed in the form is saved once the search has run.
    if (atual) {
        atual->editando = false;
        atual->inserindo = false;
    }

    FormBuscaUsuario* f = new FormBuscaUsuario();
    for (Formulario* aberto : abertos) {
        if (pai && aberto->janela.get() == pai)
            f->origem = aberto;
    }
    if (!f->origem)
        f->origem = atual;

    Gtk::Window& janela = *f->janela;
    janela.set_size_request(-1, 250);
    if (pai)
        janela.set_transient_for(*pai);
    janela.set_position(Gtk::WIN_POS_CENTER);
    janela.set_border_width(15);
    janela.signal_hide().connect(sigc::bind(sigc::mem_fun(*this, &EVENTOS::sair), &janela));
    if (icone)
        janela.set_icon(icone);
    f->campo_pesquisa = "u.nome";
    janela.set_title("Buscar Usuário");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Opções de Busca"));
    Gtk::HBox* opcoes = Gtk::manage(new Gtk::HBox(false, 0));
    f->combo_campo = Gtk::manage(new Gtk::ComboBoxText());
    f->combo_campo->append("Nome");
    f->combo_campo->append("CPF");
    f->combo_campo->set_active_text("Nome");
    f->entry_pesquisa = Gtk::manage(new Gtk::Entry());
    f->entry_pesquisa->set_size_request(250, -1);
    opcoes->pack_start(*f->combo_campo, false, false, 0);
    opcoes->pack_start(*f->entry_pesquisa, false, false, 0);
    frame->add(*opcoes);

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    f->treeview_usuarios = Gtk::manage(new Gtk::TreeView());
    rolagem->add(*f->treeview_usuarios);
    vertical->pack_start(*frame, false, false, 0);
    vertical->pack_start(*rolagem, true, true, 0);
    janela.add(*vertical);

    f->combo_campo->signal_changed().connect(em(f, sigc::mem_fun(*this, &SISTEMAGUI::sel_pesquisa)));
    f->entry_pesquisa->signal_changed().connect(
        em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::carregar_dados), 21)));
    f->treeview_usuarios->signal_row_activated().connect(
        [this, f](const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna) {
            Atuando atuando(*this, f);
            selecionar_usuario(caminho, coluna);
        });

    abertos.push_back(f);
    janela.set_focus(*f->entry_pesquisa);
    janela.show_all();
    rodar(janela);
    abertos.erase(std::find(abertos.begin(), abertos.end(), f));
    delete f;
}

void SISTEMAGUI::sel_pesquisa()
{
    FormBuscaUsuario* f = dynamic_cast<FormBuscaUsuario*>(atual);
    if (!f)
        return;
    f->campo_pesquisa = f->combo_campo->get_active_text() == "CPF" ? "u.cpf" : "u.nome";
    tabular(f->janela.get(), f->entry_pesquisa);
}

void SISTEMAGUI::pesquisar_usuarios(FormBuscaUsuario* f)
{
    if (!f)
        return;
    const std::string texto = f->entry_pesquisa->get_text();
    const std::string filtro =
        f->campo_pesquisa + " like " + query->literal(texto + "%") + " order by u.nome";
    USUARIO busca(query);
    // The previous rows go before the new ones are read, so that the two
    // lists are never held at once (the view is drawn again only after).
    f->treeview_usuarios->unset_model();
    f->lista.reset();
    const LISTA_USUARIOS achados = busca.Get_User(filtro, Detalhe::RESUMO);
    std::cout << achados.size() << '\n';

    static const char* const titulos[3] = { "Código", "Nome", "CPF" };
    f->lista = mostrar_achados(
        *f->treeview_usuarios, colunas, titulos, achados.size(), [&achados](std::size_t i) { return achados.id(i); },
        [&achados](std::size_t i, int c) { return c == 1 ? achados.nome(i) : achados.cpf(i); });
}

void SISTEMAGUI::selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    FormBuscaUsuario* f = dynamic_cast<FormBuscaUsuario*>(atual);
    if (!f || !f->lista)
        return;
    Gtk::TreeModel::iterator it = f->lista->get_iter(caminho);
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];

    // A user added since the user form loaded its list is not in it yet.
    Posicao posicao = posicao_de(usuarios, id);
    if (posicao == 0) {
        usuarios = usuario->Get_User(-1);
        posicao = posicao_de(usuarios, id);
    }
    if (posicao == 0)
        return;
    posicao_usuario = posicao;

    {
        Atuando atuando(*this, f->origem && f->origem->id == 2 ? f->origem : form_de(2));
        carregar_dados(2);
    }
    f->janela->hide();
}
