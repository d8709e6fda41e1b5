#include "gui/form_hoje.h"

#include <gtkmm/box.h>

#include "gui/janelas.h"
#include "gui/montagem.h"

FORM_HOJE::FORM_HOJE(int id, Contexto& contexto) : FormularioCom(id, contexto), modelo(contexto.query) {}

void FORM_HOJE::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("O que fazer hoje");
    j.set_default_size(640, 360);
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 5));
    w.label_resumo = rotulo("");
    w.label_resumo->set_alignment(0, 0.5);
    vertical->pack_start(*w.label_resumo, false, false, 0);
    lista = Gtk::ListStore::create(colunas);
    w.treeview_pendencias = Gtk::manage(new Gtk::TreeView(lista));
    coluna_texto(*w.treeview_pendencias, "Data", colunas.textos[0], 90);
    coluna_texto(*w.treeview_pendencias, "O que fazer", colunas.textos[1], 480);
    vertical->pack_start(*rolagem(*w.treeview_pendencias, 250), true, true, 0);
    vertical->pack_start(*rotulo("Dê um duplo clique numa linha para abrir o lote ou a colméia."), false, false, 0);
    j.add(*vertical);
    w.treeview_pendencias->signal_row_activated().connect([this](const Gtk::TreePath& caminho, Gtk::TreeViewColumn*) {
        if (!caminho.empty())
            abrir_linha(static_cast<std::size_t>(caminho[0]));
    });
    carregar_dados(get_id());
}

void FORM_HOJE::carregar_dados(int)
{
    pendencias = modelo.listar();
    lista->clear();
    for (const PENDENCIAS& p : pendencias) {
        Gtk::TreeModel::Row linha = *lista->append();
        linha[colunas.textos[0]] = p.data;
        linha[colunas.textos[1]] = p.texto;
    }
    const std::size_t n = pendencias.size();
    w.label_resumo->set_text(n == 0 ? "Nada a fazer hoje." : n == 1 ? "1 item a fazer." : std::to_string(n) + " itens a fazer.");
}

void FORM_HOJE::abrir_linha(std::size_t i)
{
    if (i >= pendencias.size())
        return;
    lote = pendencias[i].lote;
    colmeia = pendencias[i].colmeia;
    if (lote != 0)
        abrir(ids::CRIACAO_RAINHAS);
    else if (colmeia != 0)
        abrir(ids::COLMEIAS);
    // The line may be done now: the list is read again.
    carregar_dados(get_id());
}
