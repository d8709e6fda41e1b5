// "Relatórios": the report chosen from a list, its filters (period,
// apiaries, hives), a preview of its pages drawn by the same code as the
// PDF, and Imprimir (the toolkit's print dialog), Exportar PDF and Exportar
// CSV. The window only collects the filters and shows what the core drew.
#ifndef ZUMBREL_GUI_FORM_RELATORIOS_H
#define ZUMBREL_GUI_FORM_RELATORIOS_H

#include <memory>
#include <string>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/printoperation.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "relatorios/catalogo.h"
#include "relatorios/desenho.h"

struct WidgetsRelatorios : BotoesForm
{
    Gtk::ComboBoxText* combo_relatorio = nullptr;   // tipos_de_relatorio(), in order
    Gtk::Entry* entry_de = nullptr;
    Gtk::Entry* entry_ate = nullptr;
    Gtk::TreeView* treeview_apiarios = nullptr;     // none chosen: all
    Gtk::Entry* entry_colmeias = nullptr;           // hive keys, none: all
    Gtk::Button* button_visualizar = nullptr;
    Gtk::Button* button_imprimir = nullptr;
    Gtk::Button* button_pdf = nullptr;
    Gtk::Button* button_csv = nullptr;
    Gtk::Button* button_anterior = nullptr;
    Gtk::Button* button_proxima = nullptr;
    Gtk::Label* label_pagina = nullptr;
    Gtk::DrawingArea* area_previa = nullptr;
};

class FormRelatorios : public FormularioCom<WidgetsRelatorios>
{
public:
    FormRelatorios(int id, Contexto& contexto);
    void montar() override;

    // Makes the report chosen with the filters typed and shows its first
    // page; a refusal is said in a dialog and the filters stay as typed.
    bool visualizar();
    // Writes the report shown (made first when there is none) to that file,
    // and says how it went.
    bool exportar(bool pdf, const std::string& caminho);
    // Prints it through the toolkit: with its dialog, or (EXPORT) straight
    // to a PDF file, as "Imprimir para arquivo" does.
    bool imprimir(Gtk::PrintOperationAction acao, const std::string& arquivo = std::string());

    const RELATORIO& get_relatorio() const { return relatorio; }
    int get_pagina() const { return pagina; }
    int get_paginas() const { return desenho ? desenho->paginas() : 0; }
    void mudar_pagina(int passo);

private:
    bool ler_filtro(FILTRO_RELATORIO& f, std::string& erro) const;
    void aviso(const std::string& texto, const std::string& detalhe, Gtk::MessageType tipo);
    bool desenhar_previa(GdkEventExpose* evento);
    void escolher_arquivo(bool pdf);
    void atualizar_pagina();

    COLUNAS colunas;
    Glib::RefPtr<Gtk::TreeModel> lista_apiarios;
    RELATORIO relatorio;
    std::unique_ptr<DESENHO_RELATORIO> desenho;
    int pagina = 0;
};

#endif // ZUMBREL_GUI_FORM_RELATORIOS_H
