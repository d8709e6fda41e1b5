// "Cadastro de Apiários": one apiary at a time, with its floral source and
// municipality lists, browsing, insert and update; "Nova Florada" adds a
// floral source on the spot and Find opens the apiary search, whose chosen
// apiary it then shows.
#ifndef ZUMBREL_GUI_FORM_APIARIO_H
#define ZUMBREL_GUI_FORM_APIARIO_H

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/textview.h>

#include "gui/formulario.h"
#include "model/apiario.h"
#include "model/florada.h"
#include "model/municipio.h"

struct WidgetsApiario : BotoesForm
{
    Gtk::Label* label_id = nullptr;
    Gtk::Entry* entry_nome = nullptr;
    Gtk::Entry* entry_data = nullptr;
    Gtk::Entry* entry_endereco = nullptr;
    Gtk::ComboBoxText* combo_municipio = nullptr;
    Gtk::Entry* entry_distrito = nullptr;
    Gtk::ComboBoxText* combo_florada = nullptr;
    Gtk::Button* button_florada = nullptr;
    Gtk::Entry* entry_latitude = nullptr;
    Gtk::Entry* entry_longitude = nullptr;
    Gtk::TextView* textview_obs = nullptr;
};

class FormApiario : public FormularioCom<WidgetsApiario>
{
public:
    FormApiario(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;
    // 1 the floral sources, 2 the municipalities of MS.
    void Carregar_combo(int qual, int selecionado) override;
    // The list handlers: the chosen name becomes the current floral source
    // or municipality (an unknown name keeps the current one).
    void selecionar_florada();
    void selecionar_municipio();
    // The apiary chosen in the apiary search is shown.
    bool receber_escolha(int de_onde, int chave) override;

    const FLORADA& get_florada_atual() const { return florada_atual; }
    const MUNICIPIOS& get_municipio_atual() const { return municipio_atual; }

protected:
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    Lembranca* lembranca() override { return &ctx.apiarios; }
    std::size_t tamanho() const override { return apiarios.size(); }
    std::string texto_registro(std::size_t i) const override { return apiarios.nome(i); }
    int chave_registro(std::size_t i) const override { return apiarios.id(i); }

private:
    LISTA_APIARIOS apiarios;
    // The floral source and municipality a save of this form uses; they
    // follow the two lists and the shown apiary.
    FLORADA florada_atual;
    MUNICIPIOS municipio_atual;
    // True while a list is emptied and refilled, so that its handler
    // ignores the changes of the emptying.
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_FORM_APIARIO_H
