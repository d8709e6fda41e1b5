#include "gui/form_acesso.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>

#include "db/rastro.h"

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

void FormAcesso::montar()
{
    Gtk::Window* j = janela();
    j->set_title("Níveis de Acesso");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Toolbar* barra = barra_registro(w, Depois::EXCLUIR);
    vertical->pack_start(*barra, false, false, 0);

    w.entry_codigo = Gtk::manage(new Gtk::Entry());
    w.entry_codigo->set_sensitive(false);
    w.entry_descricao = Gtk::manage(new Gtk::Entry());
    w.entry_descricao->set_size_request(265, -1);
    w.entry_nivel = Gtk::manage(new Gtk::Entry());
    w.entry_nivel->set_size_request(100, -1);

    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Nível de acesso"));
    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 5));
    Gtk::HBox* linha_codigo = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_descricao = Gtk::manage(new Gtk::HBox(false, 0));
    Gtk::HBox* linha_nivel = Gtk::manage(new Gtk::HBox(false, 0));
    linha_codigo->pack_start(*Gtk::manage(new Gtk::Label("Código:\t")), false, false, 10);
    linha_codigo->pack_start(*w.entry_codigo, false, false, 10);
    linha_descricao->pack_start(*Gtk::manage(new Gtk::Label("Descrição:\t")), false, false, 0);
    linha_descricao->pack_start(*w.entry_descricao, false, false, 0);
    linha_nivel->pack_start(*Gtk::manage(new Gtk::Label("Nível:\t")), false, false, 0);
    linha_nivel->pack_start(*w.entry_nivel, false, false, 0);

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    w.treeview_niveis = Gtk::manage(new Gtk::TreeView());
    w.treeview_niveis->set_size_request(-1, 150);
    rolagem->add(*w.treeview_niveis);

    caixa->pack_start(*linha_codigo, false, false, 0);
    caixa->pack_start(*linha_descricao, false, false, 5);
    caixa->pack_start(*linha_nivel, false, false, 5);
    caixa->pack_start(*rolagem, true, true, 0);
    frame->add(*caixa);
    vertical->pack_start(*frame, true, true, 0);
    j->add(*vertical);

    j->signal_show().connect([this] { estado(1); });
    tab(*w.entry_descricao, *w.entry_nivel);
    w.entry_nivel->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_nivel, 2));
    // The tool item itself takes no focus; the button inside it does.
    tab(*w.entry_nivel, *w.button_salvar->get_child());
    w.treeview_niveis->signal_row_activated().connect(sigc::mem_fun(*this, &FormAcesso::selecionar_nivel));
    ligar_barra(w);
}

void FormAcesso::mudar_estado(int e)
{
    const bool navegando = e == 1;
    w.button_novo->set_sensitive(navegando);
    w.button_editar->set_sensitive(false);
    w.button_excluir->set_sensitive(false);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    w.entry_descricao->set_editable(!navegando);
    w.entry_nivel->set_editable(!navegando);

    if (navegando) {
        w.entry_codigo->set_text("");
        w.entry_descricao->set_text("");
        w.entry_nivel->set_text("");
        rastrear("Carregando dados", '\n');
        carregar_dados(get_id());
    } else if (e == 0) {
        focar(*w.entry_descricao);
    }
}

void FormAcesso::carregar_dados(int)
{
    lista = Gtk::ListStore::create(colunas);
    w.treeview_niveis->set_model(lista);
    niveis = ctx.acesso->listar();
    for (const ACESS& a : niveis) {
        Gtk::TreeModel::Row linha = *lista->append();
        linha[colunas.codigo] = a.id;
        linha[colunas.textos[0]] = a.descricao;
        linha[colunas.inteiros[0]] = a.nivel;
    }

    Gtk::TreeView* v = w.treeview_niveis;
    v->remove_all_columns();
    v->append_column_numeric("Código", colunas.codigo, "%04d");
    v->append_column("Descrição do Nível de Acesso", colunas.textos[0]);
    v->append_column_numeric("Nível de Acesso", colunas.inteiros[0], "%d");
    for (int i = 0; i < 3; ++i)
        v->get_column(i)->set_reorderable(true);
}

void FormAcesso::selecionar_nivel(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    if (!lista)
        return;
    Gtk::TreeModel::iterator it = lista->get_iter(caminho);
    if (!it)
        return;
    Gtk::TreeModel::Row linha = *it;
    ACESS a;
    a.id = linha[colunas.codigo];
    a.descricao = Glib::ustring(linha[colunas.textos[0]]);
    a.nivel = linha[colunas.inteiros[0]];
    for (const ACESS& n : niveis) {
        if (n.id == a.id)
            a.versao = n.versao;
    }
    mostrar_nivel(a);
}

void FormAcesso::mostrar_nivel(const ACESS& a)
{
    nivel_atual = a;
    w.entry_codigo->set_text(std::to_string(nivel_atual.id));
    w.entry_descricao->set_text(nivel_atual.descricao);
    w.entry_nivel->set_text(std::to_string(nivel_atual.nivel));

    w.button_novo->set_sensitive(false);
    w.button_salvar->set_sensitive(false);
    w.button_editar->set_sensitive(true);
    w.button_cancelar->set_sensitive(true);
    w.button_excluir->set_sensitive(true);
}

FALHA FormAcesso::salvar(bool inserir)
{
    ACESS registro;
    registro.descricao = w.entry_descricao->get_text();
    if (!ler_nivel(w.entry_nivel->get_text(), registro.nivel)) {
        return FALHA::recusa("O nível digitado é grande demais.");
    }
    if (inserir)
        return desfecho(ctx.acesso->inserir(&registro), *ctx.acesso);
    // Edit is offered only once a level has been picked.
    if (nivel_atual.id <= 0) {
        return FALHA::recusa("Escolha na lista o nível a alterar.");
    }
    registro.id = nivel_atual.id;
    registro.versao = nivel_atual.versao;
    return desfecho(ctx.acesso->atualizar(&registro), *ctx.acesso);
}

void FormAcesso::mostrar_como_esta()
{
    const int id = nivel_atual.id;
    estado(1);
    for (const ACESS& a : niveis) {
        if (a.id == id && id > 0) {
            mostrar_nivel(a);
            return;
        }
    }
}

FALHA FormAcesso::excluir()
{
    // Without a picked level there is nothing to delete; saying it was
    // deleted would be false.
    if (nivel_atual.id <= 0) {
        return FALHA::recusa("Escolha na lista o nível a excluir.");
    }
    return desfecho(ctx.acesso->deletar(nivel_atual.id, nivel_atual.versao), *ctx.acesso);
}
