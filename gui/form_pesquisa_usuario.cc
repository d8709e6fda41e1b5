#include "gui/form_pesquisa_usuario.h"

#include <memory>
#include <utility>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>

#include "db/rastro.h"
#include "gui/colunas_fixas.h"
#include "gui/exportar_lista.h"
#include "gui/janelas.h"
#include "model/usuario.h"

namespace {

// The users found, as the list shows them: code, name and CPF.
class UsuariosAchados : public Achados
{
public:
    explicit UsuariosAchados(LISTA_USUARIOS l) : lista(std::move(l)) {}
    std::size_t tamanho() const override { return lista.size(); }
    int codigo(std::size_t i) const override { return lista.id(i); }
    const char* texto(std::size_t i, int c) const override { return c == 1 ? lista.nome(i) : lista.cpf(i); }

private:
    LISTA_USUARIOS lista;
};

} // namespace

void FormPesquisaUsuario::montar()
{
    // Nothing typed in the user form is saved once the search has run.
    if (origem())
        origem()->esquecer_acao();

    Gtk::Window& j = *janela();
    j.set_size_request(-1, 250);
    j.set_title("Buscar Usuário");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* frame = Gtk::manage(new Gtk::Frame("Opções de Busca"));
    Gtk::HBox* opcoes = Gtk::manage(new Gtk::HBox(false, 0));
    w.combo_campo = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_campo->append("Nome");
    w.combo_campo->append("CPF");
    w.combo_campo->set_active_text("Nome");
    w.entry_pesquisa = Gtk::manage(new Gtk::Entry());
    w.entry_pesquisa->set_size_request(250, -1);
    opcoes->pack_start(*w.combo_campo, false, false, 0);
    opcoes->pack_start(*w.entry_pesquisa, false, false, 0);
    w.button_exportar_csv = Gtk::manage(new Gtk::Button("Exportar CSV"));
    opcoes->pack_end(*w.button_exportar_csv, false, false, 5);
    frame->add(*opcoes);

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    w.treeview_usuarios = Gtk::manage(new Gtk::TreeView());
    rolagem->add(*w.treeview_usuarios);
    vertical->pack_start(*frame, false, false, 0);
    vertical->pack_start(*rolagem, true, true, 0);
    j.add(*vertical);

    w.combo_campo->signal_changed().connect(sigc::mem_fun(*this, &FormPesquisaUsuario::sel_pesquisa));
    w.entry_pesquisa->signal_changed().connect([this] { carregar_dados(get_id()); });
    w.treeview_usuarios->signal_row_activated().connect(
        sigc::mem_fun(*this, &FormPesquisaUsuario::selecionar_usuario));
    w.button_exportar_csv->signal_clicked().connect(
        [this] { exportar_lista(*w.treeview_usuarios, *janela(), "Usuários", "usuarios.csv"); });
    focar(*w.entry_pesquisa);
}

void FormPesquisaUsuario::sel_pesquisa()
{
    campo_pesquisa = w.combo_campo->get_active_text() == "CPF" ? FILTRO_USUARIOS::CPF : FILTRO_USUARIOS::NOME;
    tabular(janela(), w.entry_pesquisa);
}

void FormPesquisaUsuario::carregar_dados(int)
{
    FILTRO_USUARIOS filtro;
    filtro.campo = campo_pesquisa;
    filtro.inicio = w.entry_pesquisa->get_text();
    USUARIO busca(ctx.query);
    // The previous rows go before the new ones are read, so that the two
    // lists are never held at once (the view is drawn again only after).
    w.treeview_usuarios->unset_model();
    lista.reset();
    auto achados = std::make_shared<UsuariosAchados>(busca.Get_User(filtro));
    rastrear(achados->tamanho(), '\n');

    static const char* const titulos[3] = { "Código", "Nome", "CPF" };
    lista = mostrar_achados(*w.treeview_usuarios, colunas, titulos, achados);
}

void FormPesquisaUsuario::selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    if (!lista)
        return;
    Gtk::TreeModel::iterator it = lista->get_iter(caminho);
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    Formulario* usuarios = origem() && origem()->get_id() == ids::USUARIOS ? origem() : ctx.aberto(ids::USUARIOS);
    // A user gone since the search listed it is not shown: the search stays.
    if (usuarios && usuarios->receber_escolha(get_id(), id))
        janela()->hide();
}
