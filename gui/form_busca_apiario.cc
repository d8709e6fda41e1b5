#include "gui/form_busca_apiario.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>

#include "gui/colunas_fixas.h"
#include "gui/exportar_lista.h"
#include "gui/janelas.h"
#include "model/apiario.h"
#include "util/ordem.h"

namespace {

// The apiaries found, as the list shows them: key, name and municipality.
// The database hands the rows in no fixed order: they are shown by key (the
// row number after the key keeps rows of one key in their order).
class ApiariosAchados : public Achados
{
public:
    explicit ApiariosAchados(LISTA_APIARIOS l) : lista(std::move(l))
    {
        ordem.reserve(lista.size());
        for (std::size_t i = 0; i < lista.size(); ++i)
            ordem.emplace_back(lista.id(i), i);
        // By key (each row's place tells rows of one key apart).
        ordenar_por_chave(ordem);
    }
    std::size_t tamanho() const override { return ordem.size(); }
    int codigo(std::size_t i) const override { return ordem[i].first; }
    const char* texto(std::size_t i, int c) const override
    {
        return c == 1 ? lista.nome(ordem[i].second) : lista.municipio(ordem[i].second);
    }

private:
    LISTA_APIARIOS lista;
    std::vector<std::pair<int, std::size_t>> ordem;
};

} // namespace

void FormBuscaApiario::montar()
{
    Gtk::Window& j = *janela();
    j.set_size_request(-1, 300);
    j.set_title("Buscar Apiario");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Opções de Busca"));
    Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
    w.combo_opcoes = Gtk::manage(new Gtk::ComboBoxText());
    linha->pack_start(*w.combo_opcoes, false, false, 5);
    w.entry_pesquisa = Gtk::manage(new Gtk::Entry());
    w.entry_pesquisa->set_size_request(250, -1);
    linha->pack_start(*w.entry_pesquisa, false, false, 0);
    w.button_exportar_csv = Gtk::manage(new Gtk::Button("Exportar CSV"));
    linha->pack_start(*w.button_exportar_csv, false, false, 5);
    quadro->add(*linha);
    vertical->pack_start(*quadro, false, false, 0);

    w.combo_opcoes->append("ID");
    w.combo_opcoes->append("Nome");
    w.combo_opcoes->append("Região");
    w.combo_opcoes->set_active(1);
    w.combo_opcoes->signal_changed().connect(sigc::mem_fun(*this, &FormBuscaApiario::sel_pesquisa));
    w.entry_pesquisa->signal_changed().connect([this] { carregar_dados(get_id()); });

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    w.treeview_resultado = Gtk::manage(new Gtk::TreeView());
    rolagem->add(*w.treeview_resultado);
    vertical->pack_start(*rolagem, true, true, 0);
    w.treeview_resultado->signal_row_activated().connect(
        sigc::mem_fun(*this, &FormBuscaApiario::selecionar_apiario));

    w.button_exportar_csv->signal_clicked().connect(
        [this] { exportar_lista(*w.treeview_resultado, *janela(), "Apiários", "apiarios.csv"); });

    j.add(*vertical);
    focar(*w.entry_pesquisa);
}

void FormBuscaApiario::sel_pesquisa()
{
    // A list already shown follows the option chosen.
    if (store_resultado)
        carregar_dados(get_id());
    w.entry_pesquisa->grab_focus();
}

void FormBuscaApiario::carregar_dados(int)
{
    const std::string texto = w.entry_pesquisa->get_text().raw();
    const std::string opcao = w.combo_opcoes->get_active_text().raw();
    // The previous rows go before the new ones are read, so that the two
    // lists are never held at once (the view is drawn again only after).
    w.treeview_resultado->unset_model();
    store_resultado.reset();
    FILTRO_APIARIOS filtro;
    filtro.campo = opcao == "ID" ? FILTRO_APIARIOS::ID : opcao == "Região" ? FILTRO_APIARIOS::REGIAO : FILTRO_APIARIOS::NOME;
    filtro.texto = texto;
    auto achados = std::make_shared<ApiariosAchados>(ctx.apiario->Pesquisar_Apiario(filtro));
    static const char* const titulos[3] = { "ID", "Nome", "Região" };
    store_resultado = mostrar_achados(*w.treeview_resultado, colunas, titulos, achados);
}

void FormBuscaApiario::selecionar_apiario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    if (!store_resultado)
        return;
    Gtk::TreeModel::iterator it = store_resultado->get_iter(caminho);
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    // An apiary gone since the search listed it is not shown: the search stays.
    Formulario* apiarios = ctx.aberto(ids::APIARIOS);
    if (apiarios && apiarios->receber_escolha(get_id(), id))
        janela()->hide();
}
