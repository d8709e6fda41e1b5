// "Importar Planilha" (menu "Sistema", administrators only): the kind of
// record, the CSV file, and a preview of its rows, each with what is wrong
// with it, checked by the model (model/importacao.h). "Importar" is enabled
// only while every row of the file last checked is right; it stores them
// all in one transaction, or nothing.
#ifndef ZUMBREL_GUI_FORM_IMPORTAR_H
#define ZUMBREL_GUI_FORM_IMPORTAR_H

#include <string>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/importacao.h"
#include "relatorios/planilha.h"

struct WidgetsImportar : BotoesForm
{
    Gtk::ComboBoxText* combo_tipo = nullptr;   // nome_da_importacao of each TIPO_IMPORTACAO, in order
    Gtk::Entry* entry_arquivo = nullptr;
    Gtk::Button* button_escolher = nullptr;
    Gtk::Button* button_conferir = nullptr;
    Gtk::Label* label_resumo = nullptr;
    // Each row: its line, its problem ("" when right) and its fields.
    Gtk::TreeView* treeview_linhas = nullptr;
    Gtk::Button* button_importar = nullptr;
};

class FormImportar : public FormularioCom<WidgetsImportar>
{
public:
    FormImportar(int id, Contexto& contexto);
    void montar() override;

    // Reads the file named and checks its rows as the kind chosen; the
    // preview and the summary show how it went. True when it can be imported.
    bool conferir();
    // Stores the rows last checked and says how it went in a dialog; the
    // preview is emptied once they are stored, and kept after a refusal.
    bool importar();

    const CONFERENCIA& get_conferencia() const { return conferencia; }
    Glib::RefPtr<Gtk::ListStore> get_lista() const { return lista; }

private:
    TIPO_IMPORTACAO tipo() const;
    void escolher_arquivo();
    // Something the check depended on changed: check again before importing.
    void desconferir();
    void mostrar();

    IMPORTACAO modelo;
    PLANILHA planilha;
    CONFERENCIA conferencia;
    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista;
};

#endif // ZUMBREL_GUI_FORM_IMPORTAR_H
