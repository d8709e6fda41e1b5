#include "gui/exportar_lista.h"

#include <gtkmm/cellrenderertext.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include "relatorios/csv.h"

bool lista_para_csv(Gtk::TreeView& lista, const std::string& titulo, const std::string& caminho, std::string* erro)
{
    RELATORIO r;
    TABELA_RELATORIO t;
    t.titulo = titulo;
    const std::vector<Gtk::TreeViewColumn*> colunas = lista.get_columns();
    for (Gtk::TreeViewColumn* c : colunas)
        t.colunas.push_back({ c->get_title().raw(), 1 });
    Glib::RefPtr<Gtk::TreeModel> modelo = lista.get_model();
    if (modelo) {
        // Each cell's text as the list draws it: the column fills its
        // renderers from the row, and the text renderer holds it.
        for (Gtk::TreeModel::iterator it = modelo->children().begin(); it; ++it) {
            LINHA_RELATORIO l;
            for (Gtk::TreeViewColumn* c : colunas) {
                c->cell_set_cell_data(modelo, it, false, false);
                std::string texto;
                for (Gtk::CellRenderer* cr : c->get_cell_renderers()) {
                    if (Gtk::CellRendererText* ct = dynamic_cast<Gtk::CellRendererText*>(cr))
                        texto += ct->property_text().get_value().raw();
                }
                l.celulas.push_back(CELULA::de_texto(texto));
            }
            t.linhas.push_back(l);
        }
    }
    t.vazia = "Nenhum registro na lista.";
    r.tabelas.push_back(t);
    return exportar_csv(r, caminho, erro);
}

void exportar_lista(Gtk::TreeView& lista, Gtk::Window& pai, const std::string& titulo, const std::string& nome)
{
    Gtk::FileChooserDialog d(pai, "Exportar CSV", Gtk::FILE_CHOOSER_ACTION_SAVE);
    d.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    d.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    d.set_do_overwrite_confirmation(true);
    d.set_current_name(nome);
    const int resposta = d.run();
    d.hide();
    if (resposta != Gtk::RESPONSE_OK)
        return;
    const std::string caminho = d.get_filename();
    std::string erro;
    const bool ok = lista_para_csv(lista, titulo, caminho, &erro);
    Gtk::MessageDialog aviso(pai, ok ? "Lista gravada em " + caminho + "." : "A lista não foi gravada.", false,
                             ok ? Gtk::MESSAGE_INFO : Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    if (!ok)
        aviso.set_secondary_text(erro);
    aviso.run();
    aviso.hide();
}
