// "Buscar Usuário", opened by Find in the user form: a prefix of the name or
// of the CPF lists the matching users; choosing one shows that user in the
// user form and closes the search.
#ifndef ZUMBREL_GUI_FORM_PESQUISA_USUARIO_H
#define ZUMBREL_GUI_FORM_PESQUISA_USUARIO_H

#include <string>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"

struct WidgetsPesquisaUsuario : BotoesForm
{
    Gtk::ComboBoxText* combo_campo = nullptr;   // "Nome" or "CPF"
    Gtk::Entry* entry_pesquisa = nullptr;
    Gtk::TreeView* treeview_usuarios = nullptr;
    Gtk::Button* button_exportar_csv = nullptr;   // the users listed, as shown
};

class FormPesquisaUsuario : public FormularioCom<WidgetsPesquisaUsuario>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override;
    // Lists the users matching the typed prefix.
    void carregar_dados(int dado) override;
    // The search field list changed: the column the prefix is matched against.
    void sel_pesquisa();
    // A found row activated: the user form shows that user, the search closes.
    void selecionar_usuario(const Gtk::TreePath& caminho, Gtk::TreeViewColumn* coluna);

    Glib::RefPtr<Gtk::TreeModel> get_lista() const { return lista; }
    FILTRO_USUARIOS::Campo get_campo_pesquisa() const { return campo_pesquisa; }

private:
    COLUNAS colunas;
    Glib::RefPtr<Gtk::TreeModel> lista;
    // What the typed prefix is matched against: the name or the CPF.
    FILTRO_USUARIOS::Campo campo_pesquisa = FILTRO_USUARIOS::NOME;
};

#endif // ZUMBREL_GUI_FORM_PESQUISA_USUARIO_H
