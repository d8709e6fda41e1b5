// "Cadastro de Colméias": beehives with their type, status, queen and
// apiary, listed and searched, and the inspections of the hive shown.
// "Salvar" stores a new hive or the one shown, "Pesquisar" lists the hives
// matching what is chosen, "Cancelar" clears the fields for a new hive and
// "Excluir" deletes the hive shown, with its inspections.
#ifndef ZUMBREL_GUI_COLMEIA_VIEW_H
#define ZUMBREL_GUI_COLMEIA_VIEW_H

#include <memory>
#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/colmeia.h"
#include "model/revisao.h"

class ColmeiasAchadas;

struct WidgetsColmeia : BotoesForm
{
    Gtk::Label* label_tipo = nullptr;
    Gtk::Label* label_status = nullptr;
    Gtk::Label* label_rainha = nullptr;
    Gtk::Label* label_apiario = nullptr;
    Gtk::Button* button_salvar_colmeia = nullptr;
    Gtk::Button* button_cancelar_colmeia = nullptr;
    Gtk::Button* button_pesquisar = nullptr;
    Gtk::Button* button_excluir_colmeia = nullptr;

    Gtk::Label* label_codigo = nullptr;          // the shown hive's key; empty for a new one
    Gtk::ComboBoxText* combo_tipo = nullptr;     // an empty entry, then the kinds of box
    Gtk::ComboBoxText* combo_status = nullptr;   // an empty entry, then the statuses
    Gtk::Entry* entry_rainha = nullptr;          // the queen's RGN; empty for none
    ListaTextos* combo_apiario = nullptr;        // an empty entry, then every apiary by name
    Gtk::Entry* entry_instalacao = nullptr;
    Gtk::Entry* entry_obs = nullptr;
    Gtk::TreeView* treeview_colmeias = nullptr;

    // The inspections of the shown hive.
    Gtk::Frame* frame_revisoes = nullptr;
    Gtk::Entry* entry_data_revisao = nullptr;
    Gtk::ComboBoxText* combo_status_revisao = nullptr;
    Gtk::Entry* entry_mel = nullptr;
    Gtk::Entry* entry_obs_revisao = nullptr;
    Gtk::Button* button_adicionar_revisao = nullptr;
    Gtk::TreeView* treeview_revisoes = nullptr;
    Gtk::Button* button_excluir_revisao = nullptr;
};

class COLMEIA_VIEW : public FormularioCom<WidgetsColmeia>
{
public:
    COLMEIA_VIEW(int id, Contexto& contexto);
    void montar() override { inicializar(); }

    void inicializar();
    void inicializarJanela();
    void inicializarObjetosJanela();
    void posicionaObjetosJanela();

    // Lists every hive again and shows the one shown before, as stored now.
    void carregar_dados(int dado) override;

    // The buttons.
    void salvar_colmeia();
    void pesquisar();
    void adicionar_revisao();
    void excluir_revisao();
    // A hive chosen in the list: shown with its inspections.
    void mostrar_colmeia(int id);

    // The key of the hive shown (0 for a new one).
    int get_colmeia_mostrada() const { return mostrada.id; }
    Glib::RefPtr<Gtk::TreeModel> get_lista_colmeias() const { return lista_colmeias; }
    Glib::RefPtr<Gtk::ListStore> get_lista_revisoes() const { return lista_revisoes; }

protected:
    // 1: the lists loaded again and the hive shown again; 0: the fields
    // cleared for a new hive, and every hive listed.
    void mudar_estado(int e) override;
    FALHA excluir() override;
    std::string detalhe_exclusao() override;

private:
    void carregar_apiarios();
    void carregar_rgns();
    void listar(const FILTRO_COLMEIAS& filtro);
    void mostrar_achadas(LISTA_COLMEIAS lista);
    void carregar_revisoes();
    void mostrar(const COLMEIAS& c);
    void limpar();
    // A message over this window, plain text; `detalhe` below it when given.
    void avisar(const std::string& texto, Gtk::MessageType tipo, const std::string& detalhe = std::string());
    // A refused save of a hive or an inspection: the reason, as the refusal says it.
    void avisar_recusa(const FALHA& falha);

    COLMEIA colmeias;
    REVISAO revisoes;
    COLUNAS colunas;
    // The hives found, read in place by the list (gui/modelo_achados.h).
    Glib::RefPtr<Gtk::TreeModel> lista_colmeias;
    std::shared_ptr<ColmeiasAchadas> achadas;
    Glib::RefPtr<Gtk::ListStore> lista_revisoes;
    Glib::RefPtr<Gtk::ListStore> lista_rgns;
    // The key of each entry of the apiary list (0 for the empty one).
    std::vector<int> ids_apiarios;
    // The hive shown, as read last (id 0: a new one).
    COLMEIAS mostrada;
    // True while the list of hives is refilled or its row chosen by the
    // program, so that its handler looks away.
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_COLMEIA_VIEW_H
