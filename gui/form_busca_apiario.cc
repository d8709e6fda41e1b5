// The apiary search ("Buscar Apiario", id 20): apiaries whose name begins
// with the typed text, listed again at every keystroke.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/scrolledwindow.h>

#include "db/query.h"
#include "gui/colunas_fixas.h"
#include "gui/form_apiario.h"
#include "gui/sistemagui.h"

void SISTEMAGUI::montar_busca_apiario(FormBuscaApiario* f)
{
    Gtk::Window& janela = *f->janela;
    janela.set_size_request(-1, 300);
    janela.set_title("Buscar Apiario");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Opções de Busca"));
    Gtk::HBox* linha = Gtk::manage(new Gtk::HBox(false, 0));
    f->combo_opcoes = Gtk::manage(new Gtk::ComboBoxText());
    linha->pack_start(*f->combo_opcoes, false, false, 5);
    f->entry_pesquisa = Gtk::manage(new Gtk::Entry());
    f->entry_pesquisa->set_size_request(250, -1);
    linha->pack_start(*f->entry_pesquisa, false, false, 0);
    quadro->add(*linha);
    vertical->pack_start(*quadro, false, false, 0);

    f->combo_opcoes->append("ID");
    f->combo_opcoes->append("Nome");
    f->combo_opcoes->append("Região");
    f->combo_opcoes->set_active(1);
    // Every option searches by the beginning of the name; choosing one only
    // gives the focus back to the search text.
    Gtk::Entry* entry = f->entry_pesquisa;
    f->combo_opcoes->signal_changed().connect([entry] { entry->grab_focus(); });
    f->entry_pesquisa->signal_changed().connect(
        em(f, sigc::bind(sigc::mem_fun(*this, &SISTEMAGUI::carregar_dados), 20)));

    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    f->treeview_resultado = Gtk::manage(new Gtk::TreeView());
    rolagem->add(*f->treeview_resultado);
    vertical->pack_start(*rolagem, true, true, 0);

    janela.add(*vertical);
    janela.set_focus(*f->entry_pesquisa);
}

void SISTEMAGUI::pesquisar_apiarios(FormBuscaApiario* f)
{
    if (!f)
        return;

    const std::string texto = f->entry_pesquisa->get_text().raw();
    // The previous rows go before the new ones are read, so that the two
    // lists are never held at once (the view is drawn again only after).
    f->treeview_resultado->unset_model();
    f->store_resultado.reset();
    const LISTA_APIARIOS achados =
        apiario->Pesquisar_Apiario(" a.nome like " + query->literal(texto + "%"), Detalhe::RESUMO);
    // The database hands the rows in no fixed order: list them by key (the
    // row number after the key keeps rows of one key in their order).
    std::vector<std::pair<int, std::size_t>> ordem;
    ordem.reserve(achados.size());
    for (std::size_t i = 0; i < achados.size(); ++i)
        ordem.emplace_back(achados.id(i), i);
    if (!std::is_sorted(ordem.begin(), ordem.end()))
        std::stable_sort(ordem.begin(), ordem.end());

    static const char* const titulos[3] = { "ID", "Nome", "Região" };
    f->store_resultado = mostrar_achados(
        *f->treeview_resultado, colunas, titulos, achados.size(), [&ordem](std::size_t i) { return ordem[i].first; },
        [&achados, &ordem](std::size_t i, int c) {
            return c == 1 ? achados.nome(ordem[i].second) : achados.municipio(ordem[i].second);
        });
}
