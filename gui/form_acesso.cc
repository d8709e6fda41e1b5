// "Níveis de Acesso" (id 3): all access levels in a list sorted by
// description; the level picked in the list is shown in three fields and can
// be edited or deleted.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iostream>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>

#include "gui/form_acesso.h"
#include "gui/sistemagui.h"

namespace {

// The level typed in the Nível entry: 0 when empty; false when it does not
// fit the column (the digits filter lets only digits in).
bool ler_nivel(const std::string& texto, int& nivel)
{
    if (texto.empty()) {
        nivel = 0;
        return true;
    }
    errno = 0;
    char* fim = nullptr;
    long long valor = std::strtoll(texto.c_str(), &fim, 10);
    if (errno != 0 || *fim != '\0' || valor < INT_MIN || valor > INT_MAX)
        return false;
    nivel = static_cast<int>(valor);
    return true;
}

} // namespace

void SISTEMAGUI::montar_acesso(FormAcesso* f)
{
    Gtk::Window* janela = f->janela.get();
    janela->set_title("Níveis de Acesso");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Toolbar* barra = nova_barra();
    f->button_novo = botao(*barra, Gtk::Stock::NEW);
    f->button_editar = botao(*barra, Gtk::Stock::EDIT);
    f->button_salvar = botao(*barra, Gtk::Stock::SAVE);
    f->button_cancelar = botao(*barra, Gtk::Stock::CANCEL);
    f->button_excluir = botao(*barra, Gtk::Stock::DELETE);
    vertical->pack_start(*barra, false, false, 0);

    f->entry_codigo = Gtk::manage(new Gtk::Entry());
    f->entry_codigo->set_sensitive(false);
    f->entry_descricao = Gtk::manage(new Gtk::Entry());
    f->entry_descricao->set_size_request(265, -1);
    f->entry_nivel = Gtk::manage(new Gtk::Entry());
    f->entry_nivel->set_size_request(100, -1);

    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Nível de acesso"));
    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha_codigo = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_descricao = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_nivel = Gtk::manage(new Gtk::HBox(false, 0));
    linha_codigo->pack_start(*Gtk::manage(new Gtk::Label("Código:\t")), false, false, 10);
    linha_codigo->pack_start(*f->entry_codigo, false, false, 10);
    linha_descricao->pack_start(*Gtk::manage(new Gtk::Label("Descrição:\t")), false, false, 0);
    linha_descricao->pack_start(*f->entry_descricao, false, false, 0);
    linha_nivel->pack_start(*Gtk::manage(new Gtk::Label("Nível:\t")), false, false, 0);
    linha_nivel->pack_start(*f->entry_nivel, false, false, 0);

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    f->treeview_niveis = Gtk::manage(new Gtk::TreeView());
    f->treeview_niveis->set_size_request(-1, 150);
    rolagem->add(*f->treeview_niveis);

    caixa->pack_start(*linha_codigo, false, false, 0);
    caixa->pack_start(*linha_descricao, false, false, 5);
    caixa->pack_start(*linha_nivel, false, false, 5);
    caixa->pack_start(*rolagem, true, true, 0);
    frame->add(*caixa);
    vertical->pack_start(*frame, true, true, 0);
    janela->add(*vertical);

    janela->signal_show().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), 3, 1)));
    f->entry_descricao->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), janela, f->entry_nivel));
    f->entry_nivel->signal_changed().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::checar_digito), f->entry_nivel, 2));
    // The tool item itself takes no focus; the button inside it does.
    f->entry_nivel->signal_activate().connect(
        sigc::bind(sigc::mem_fun(*this, &EVENTOS::tabular), janela, f->button_salvar->get_child()));
    f->treeview_niveis->signal_row_activated().connect(
        [this, f](const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna) {
            Atuando atuando(*this, f);
            selecionar_nivel(caminho, coluna);
        });
    f->button_novo->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::inserir_dados), 3)));
    f->button_editar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::editar_dados), 3)));
    f->button_salvar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::salvar_dados), 3)));
    f->button_cancelar->signal_clicked().connect(em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::estado), 3, 1)));
    f->button_excluir->signal_clicked().connect(
        em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::excluir_dados), 3, janela)));
}

void SISTEMAGUI::estado_acesso(FormAcesso* f, int e)
{
    if (!f || (e != 0 && e != 1 && e != 2))
        return;
    const bool navegando = e == 1;
    f->button_novo->set_sensitive(navegando);
    f->button_editar->set_sensitive(false);
    f->button_excluir->set_sensitive(false);
    f->button_salvar->set_sensitive(!navegando);
    f->button_cancelar->set_sensitive(!navegando);
    f->entry_descricao->set_editable(!navegando);
    f->entry_nivel->set_editable(!navegando);

    if (navegando) {
        f->entry_codigo->set_text("");
        f->entry_descricao->set_text("");
        f->entry_nivel->set_text("");
        std::cout << "Carregando dados" << '\n';
        carregar_acessos(f);
    } else if (e == 0) {
        f->janela->set_focus(*f->entry_descricao);
    }
}

void SISTEMAGUI::carregar_acessos(FormAcesso* f)
{
    if (!f)
        return;
    f->lista = Gtk::ListStore::create(colunas);
    f->treeview_niveis->set_model(f->lista);
    for (const ACESS& a : acesso->listar()) {
        Gtk::TreeModel::Row linha = *f->lista->append();
        linha[colunas.codigo] = a.id;
        linha[colunas.textos[0]] = a.descricao;
        linha[colunas.inteiros[0]] = a.nivel;
    }

    Gtk::TreeView* v = f->treeview_niveis;
    v->remove_all_columns();
    v->append_column_numeric("Código", colunas.codigo, "%04d");
    v->append_column("Descrição do Nível de Acesso", colunas.textos[0]);
    v->append_column_numeric("Nível de Acesso", colunas.inteiros[0], "%d");
    for (int i = 0; i < 3; ++i)
        v->get_column(i)->set_reorderable(true);
}

void SISTEMAGUI::selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    FormAcesso* f = dynamic_cast<FormAcesso*>(form_de(3));
    if (!f || !f->lista)
        return;
    Gtk::TreeModel::iterator it = f->lista->get_iter(caminho);
    if (!it)
        return;
    Gtk::TreeModel::Row linha = *it;
    f->nivel_atual.id = linha[colunas.codigo];
    f->nivel_atual.descricao = Glib::ustring(linha[colunas.textos[0]]);
    f->nivel_atual.nivel = linha[colunas.inteiros[0]];

    f->entry_codigo->set_text(std::to_string(f->nivel_atual.id));
    f->entry_descricao->set_text(f->nivel_atual.descricao);
    f->entry_nivel->set_text(std::to_string(f->nivel_atual.nivel));

    f->button_novo->set_sensitive(false);
    f->button_salvar->set_sensitive(false);
    f->button_editar->set_sensitive(true);
    f->button_cancelar->set_sensitive(true);
    f->button_excluir->set_sensitive(true);
}

bool SISTEMAGUI::salvar_acesso(FormAcesso* f, bool inserir)
{
    if (!f)
        return false;
    ACESS registro;
    registro.descricao = f->entry_descricao->get_text();
    if (!ler_nivel(f->entry_nivel->get_text(), registro.nivel))
        return false;
    if (inserir)
        return acesso->inserir(&registro);
    // Edit is offered only once a level has been picked.
    if (f->nivel_atual.id <= 0)
        return false;
    registro.id = f->nivel_atual.id;
    return acesso->atualizar(&registro);
}

bool SISTEMAGUI::excluir_acesso(FormAcesso* f)
{
    // Without a picked level there is nothing to delete; saying it was
    // deleted would be false.
    if (!f || f->nivel_atual.id <= 0)
        return false;
    return acesso->deletar(f->nivel_atual.id);
}
