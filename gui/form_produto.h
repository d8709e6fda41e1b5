// "Cadastro de Produtos": the medicines, feeds and other inputs the journal
// uses, each with its active ingredient, withdrawal period and unit, listed
// by name. A product picked in the list is shown and can be edited or
// deleted; only administrators add or delete one or change its kind or its
// withdrawal period (the database refuses the others, and the window keeps
// those fields and buttons off for them).
#ifndef ZUMBREL_GUI_FORM_PRODUTO_H
#define ZUMBREL_GUI_FORM_PRODUTO_H

#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/produto.h"

struct WidgetsProduto : BotoesForm
{
    Gtk::Label* label_codigo = nullptr;
    Gtk::Entry* entry_nome = nullptr;
    Gtk::ComboBoxText* combo_tipo = nullptr;      // an empty entry, then TIPOS_PRODUTO
    Gtk::Entry* entry_principio = nullptr;
    Gtk::Entry* entry_carencia = nullptr;         // days, digits only
    Gtk::ComboBoxText* combo_unidade = nullptr;   // an empty entry, then UNIDADES
    Gtk::Label* label_bula = nullptr;
    Gtk::TreeView* treeview_produtos = nullptr;
    Gtk::Button* button_exportar_csv = nullptr;
};

class FORM_PRODUTO : public FormularioCom<WidgetsProduto>
{
public:
    FORM_PRODUTO(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;

    // The product shown (id 0 for none).
    const PRODUTOS& get_produto_atual() const { return atual; }

protected:
    // 1: browsing, the list loaded again and the product shown as stored;
    // 0: empty fields for a new one; 2: the shown one's fields to edit.
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    FALHA excluir() override;
    std::string detalhe_exclusao() override;

private:
    void mostrar(const PRODUTOS& p);
    void limpar();
    void escolhido();
    void editaveis(bool sim);

    PRODUTO produtos;
    COLUNAS colunas;
    Glib::RefPtr<Gtk::ListStore> lista;
    // The products as the list was last loaded, with their versions.
    std::vector<PRODUTOS> listados;
    PRODUTOS atual;
    // True while the program fills the list or picks its row.
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_FORM_PRODUTO_H
