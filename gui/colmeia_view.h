// "Cadastro de Colméias": beehives with their type, status, queen and
// apiary, listed and searched, the inspections of the hive shown and its
// journal (every entry of it, newest first, opened, added and deleted).
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
#include "gui/dialogo_registro.h"
#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/colmeia.h"
#include "model/diario.h"
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
    Gtk::Label* label_carencia = nullptr;        // "Em carência até ..." while it is
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

    // The journal of the shown hive.
    Gtk::Frame* frame_diario = nullptr;
    Gtk::ComboBoxText* combo_filtro_diario = nullptr;   // "Todos", then each kind of entry
    Gtk::TreeView* treeview_diario = nullptr;           // Data, Tipo, Resumo
    Gtk::ComboBoxText* combo_novo_registro = nullptr;   // the kinds a new entry may be
    Gtk::Button* button_novo_registro = nullptr;
    Gtk::Button* button_abrir_registro = nullptr;
    Gtk::Button* button_excluir_registro = nullptr;
    Gtk::Button* button_exportar_diario = nullptr;      // the journal as listed, to a CSV file
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
    // The journal's buttons: a new entry of the kind chosen beside
    // "Novo registro", the entry chosen in the journal opened or deleted.
    void novo_registro();
    void abrir_registro();
    void excluir_registro();
    // A hive chosen in the list: shown with its inspections.
    void mostrar_colmeia(int id);
    // A trace line or the main window's panel hands over a hive to show.
    bool receber_escolha(int de_onde, int chave) override;

    // The key of the hive shown (0 for a new one).
    int get_colmeia_mostrada() const { return mostrada.id; }
    Glib::RefPtr<Gtk::TreeModel> get_lista_colmeias() const { return lista_colmeias; }
    Glib::RefPtr<Gtk::ListStore> get_lista_revisoes() const { return lista_revisoes; }
    Glib::RefPtr<Gtk::ListStore> get_lista_diario() const { return lista_diario; }
    // The entry dialog while it is open (null otherwise).
    DialogoRegistro* get_dialogo_registro() const { return dialogo_registro; }
    const COLUNAS& colunas_lista() const { return colunas; }

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
    void carregar_diario();
    // After a journal entry was stored or deleted: the journal, the
    // inspections, the hive (its status, apiary and version follow its
    // entries) and the list, which may have a new hive, as stored now.
    void diario_mudou();
    // Opens the dialog of an entry of kind `r` (`id` 0: a new one); true
    // when it stored something.
    bool dialogo(Registro r, int id);
    void mostrar_carencia(const std::string& ate);
    void mostrar(const COLMEIAS& c);
    void limpar();
    // A message over this window, plain text; `detalhe` below it when given.
    void avisar(const std::string& texto, Gtk::MessageType tipo, const std::string& detalhe = std::string());
    // A refused save of a hive or an inspection: the reason, as the refusal says it.
    void avisar_recusa(const FALHA& falha);

    COLMEIA colmeias;
    REVISAO revisoes;
    DIARIO diario;
    COLUNAS colunas;
    // The hives found, read in place by the list (gui/modelo_achados.h).
    Glib::RefPtr<Gtk::TreeModel> lista_colmeias;
    std::shared_ptr<ColmeiasAchadas> achadas;
    Glib::RefPtr<Gtk::ListStore> lista_revisoes;
    Glib::RefPtr<Gtk::ListStore> lista_rgns;
    Glib::RefPtr<Gtk::ListStore> lista_diario;
    DialogoRegistro* dialogo_registro = nullptr;
    // What the list of hives shows, searched again after a journal change.
    FILTRO_COLMEIAS filtro_atual;
    // The key of each entry of the apiary list (0 for the empty one).
    std::vector<int> ids_apiarios;
    // The hive shown, as read last (id 0: a new one).
    COLMEIAS mostrada;
    // True while the list of hives is refilled or its row chosen by the
    // program, so that its handler looks away.
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_COLMEIA_VIEW_H
