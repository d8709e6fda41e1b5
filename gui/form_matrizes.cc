#include "gui/form_matrizes.h"

#include <cstdlib>

#include <gtkmm/box.h>

#include "gui/montagem.h"

namespace {

// A figure for sorting: a line without one goes before every figure.
float numero(const std::string& texto) { return texto.empty() ? -1.0f : std::strtof(texto.c_str(), nullptr); }

} // namespace

FORM_MATRIZES::FORM_MATRIZES(int id, Contexto& contexto) : FormularioCom(id, contexto), modelo(contexto.query) {}

void FORM_MATRIZES::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Desempenho das Matrizes");
    j.set_default_size(980, 420);
    lista = Gtk::ListStore::create(colunas);
    w.treeview_matrizes = Gtk::manage(new Gtk::TreeView(lista));
    Gtk::TreeView& v = *w.treeview_matrizes;
    const auto ordenar_por = [&v](const Gtk::TreeModelColumnBase& coluna) {
        v.get_column(static_cast<int>(v.get_columns().size()) - 1)->set_sort_column(coluna);
    };
    coluna_texto(v, "Matriz", colunas.textos[0], 110);
    ordenar_por(colunas.textos[0]);
    v.append_column("Lotes", colunas.inteiros[0]);
    ordenar_por(colunas.inteiros[0]);
    v.append_column("Larvas", colunas.inteiros[1]);
    ordenar_por(colunas.inteiros[1]);
    // Each figure is shown as text and sorted as a number.
    const char* const figuras[] = { "Aceitas %", "Nascidas %", "Em postura %" };
    for (int k = 0; k < 3; ++k) {
        coluna_texto(v, figuras[k], colunas.textos[k + 1], 95);
        ordenar_por(colunas.reais[k]);
    }
    v.append_column("Colméias das filhas", colunas.inteiros[2]);
    ordenar_por(colunas.inteiros[2]);
    const char* const das_filhas[] = { "Mel por safra (kg)", "Com ocorrências %", "Perdidas %" };
    for (int k = 0; k < 3; ++k) {
        coluna_texto(v, das_filhas[k], colunas.textos[k + 4], 130);
        ordenar_por(colunas.reais[k + 3]);
    }
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 5));
    vertical->pack_start(*rolagem(v, 300), true, true, 0);
    Gtk::Label* nota = rotulo("Porcentagens das larvas enxertadas nos lotes que registraram a etapa; mel, ocorrências "
                              "notificáveis e perdas das colméias chefiadas pelas filhas. Clique num título para "
                              "ordenar.");
    nota->set_line_wrap(true);
    vertical->pack_start(*nota, false, false, 0);
    j.add(*vertical);
    carregar_dados(get_id());
}

void FORM_MATRIZES::carregar_dados(int)
{
    lista->clear();
    for (const DESEMPENHOS& d : modelo.listar()) {
        Gtk::TreeModel::Row linha = *lista->append();
        linha[colunas.codigo] = d.id;
        linha[colunas.textos[0]] = d.rgn;
        linha[colunas.inteiros[0]] = d.lotes;
        linha[colunas.inteiros[1]] = d.larvas;
        linha[colunas.inteiros[2]] = d.colmeias;
        const std::string* figuras[] = { &d.aceitas, &d.nascidas, &d.postura, &d.mel, &d.ocorrencias, &d.perdidas };
        for (int k = 0; k < 6; ++k) {
            linha[colunas.textos[k + 1]] = mostrar_numero(*figuras[k]);
            linha[colunas.reais[k]] = numero(*figuras[k]);
        }
    }
}
