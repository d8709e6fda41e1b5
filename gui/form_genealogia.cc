#include "gui/form_genealogia.h"

#include <unordered_map>

#include <gtkmm/box.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/scrolledwindow.h>

#include "gui/form_abelha.h"
#include "gui/janelas.h"
#include "model/abelha.h"

namespace {

// Trees up to this size open whole; larger ones open down to the bee's
// daughters, the rest a click away.
const std::size_t ABRIR_TUDO_ATE = 2000;

} // namespace

void FormGenealogia::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Genealogia");
    j.set_default_size(480, 520);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 5));
    w.label_abelha = Gtk::manage(new Gtk::Label(""));
    w.label_abelha->set_alignment(0, 0.5);
    vertical->pack_start(*w.label_abelha, false, false, 0);

    w.treeview_genealogia = Gtk::manage(new Gtk::TreeView());
    // The bee herself in bold.
    const char* const titulos[3] = { "RGN", "Nascimento", "Matriz" };
    for (int c = 0; c < 3; ++c) {
        Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
        Gtk::TreeViewColumn* coluna = Gtk::manage(new Gtk::TreeViewColumn(titulos[c], *celula));
        coluna->add_attribute(celula->property_text(), colunas.textos[c]);
        coluna->add_attribute(celula->property_weight(), colunas.inteiros[0]);
        w.treeview_genealogia->append_column(*coluna);
    }
    Gtk::ScrolledWindow* rolagem = Gtk::manage(new Gtk::ScrolledWindow());
    rolagem->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    rolagem->set_shadow_type(Gtk::SHADOW_IN);
    rolagem->add(*w.treeview_genealogia);
    vertical->pack_start(*rolagem, true, true, 0);
    j.add(*vertical);

    w.treeview_genealogia->signal_row_activated().connect(sigc::mem_fun(*this, &FormGenealogia::selecionar_abelha));
    if (FormAbelha* a = dynamic_cast<FormAbelha*>(origem()))
        abelha = a->abelha_mostrada();
    carregar_dados(get_id());
}

void FormGenealogia::carregar_dados(int)
{
    const LISTA_GENEALOGIA linhagem = ctx.abelha->genealogia(abelha);
    // Made apart and handed to the view whole.
    w.treeview_genealogia->unset_model();
    arvore = Gtk::TreeStore::create(colunas);
    caminho_abelha = Gtk::TreePath();
    std::unordered_map<int, Gtk::TreeModel::iterator> onde;
    Gtk::TreeModel::iterator acima;
    for (std::size_t i = 0; i < linhagem.size(); ++i) {
        const ABELHAS b = linhagem[i];
        const int geracao = linhagem.geracao(i);
        Gtk::TreeModel::iterator mae;
        if (geracao > 0) {
            auto m = onde.find(b.mae);
            if (m != onde.end())
                mae = m->second;
        } else {
            // A mother, or the bee herself, under the one before.
            mae = acima;
        }
        Gtk::TreeModel::iterator it = mae ? arvore->append(mae->children()) : arvore->append();
        Gtk::TreeModel::Row linha = *it;
        linha[colunas.codigo] = b.id;
        linha[colunas.textos[0]] = b.rgn;
        linha[colunas.textos[1]] = b.nascimento;
        linha[colunas.textos[2]] = b.matriz ? "Sim" : "Não";
        linha[colunas.inteiros[0]] = geracao == 0 ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL;
        onde[b.id] = it;
        if (geracao <= 0)
            acima = it;
        if (geracao == 0)
            caminho_abelha = arvore->get_path(it);
    }
    w.treeview_genealogia->set_model(arvore);

    if (caminho_abelha.empty()) {
        w.label_abelha->set_text("Nenhuma abelha exibida.");
        return;
    }
    const Glib::ustring rgn = (*arvore->get_iter(caminho_abelha))[colunas.textos[0]];
    w.label_abelha->set_text("Mães e descendentes de " + rgn);
    if (linhagem.size() <= ABRIR_TUDO_ATE) {
        w.treeview_genealogia->expand_all();
    } else {
        w.treeview_genealogia->expand_to_path(caminho_abelha);
        w.treeview_genealogia->expand_row(caminho_abelha, false);
    }
    w.treeview_genealogia->get_selection()->select(caminho_abelha);
    w.treeview_genealogia->scroll_to_row(caminho_abelha);
}

void FormGenealogia::selecionar_abelha(const Gtk::TreePath& caminho, Gtk::TreeViewColumn*)
{
    if (!arvore)
        return;
    Gtk::TreeModel::iterator it = arvore->get_iter(caminho);
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    Formulario* abelhas = origem() && origem()->get_id() == ids::ABELHAS ? origem() : ctx.aberto(ids::ABELHAS);
    if (abelhas)
        abelhas->receber_escolha(get_id(), id);
}
