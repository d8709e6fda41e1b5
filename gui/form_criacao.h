// "Criação de Rainhas" (menu "Manejo"): the rearing batches, the latest
// grafting first. A batch picked in the list is shown and can be edited or
// deleted: the breeder queen by her RGN, the cell-builder hive, the
// grafting date and the larvae grafted, the timetable (days after the
// grafting each step is due, the usual ones for a new batch), each step's
// date and count beside the date the timetable proposes, and the mating
// nuclei the cells went to. A count typed into a step without a date gets
// the proposed date, which may then be changed. "Cadastrar Rainhas" enters
// the laying queens of the nuclei ticked "Em postura" into the registry.
#ifndef ZUMBREL_GUI_FORM_CRIACAO_H
#define ZUMBREL_GUI_FORM_CRIACAO_H

#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/liststore.h>
#include <gtkmm/treeview.h>

#include "gui/colunas.h"
#include "gui/formulario.h"
#include "model/criacao.h"

struct WidgetsCriacao : BotoesForm
{
    Gtk::Label* label_codigo = nullptr;
    Gtk::Entry* entry_matriz = nullptr;          // the breeder queen's RGN
    Gtk::Entry* entry_recria = nullptr;          // the cell-builder hive's code
    Gtk::Entry* entry_enxertia = nullptr;
    Gtk::Entry* entry_larvas = nullptr;
    // For each step: its day in the timetable, the date proposed, and the
    // date and count recorded.
    Gtk::Entry* entry_dias[ETAPAS_CRIACAO] = {};
    Gtk::Label* label_prevista[ETAPAS_CRIACAO] = {};
    Gtk::Entry* entry_data[ETAPAS_CRIACAO] = {};
    Gtk::Entry* entry_quantidade[ETAPAS_CRIACAO] = {};
    // Every hive of type Núcleo, those of the batch ticked, with the queen
    // each gave the registry; while browsing, the nuclei whose queens are
    // laying are ticked in "Em postura" and entered with button_rainhas.
    Gtk::TreeView* treeview_nucleos = nullptr;
    Gtk::Button* button_rainhas = nullptr;
    Gtk::Entry* entry_obs = nullptr;
    Gtk::TreeView* treeview_lotes = nullptr;
};

class FORM_CRIACAO : public FormularioCom<WidgetsCriacao>
{
public:
    FORM_CRIACAO(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;
    // The batch chosen elsewhere (the "what to do today" list) is shown.
    bool receber_escolha(int de_onde, int chave) override;

    // The batch shown (id 0 for none).
    const CRIACOES& get_atual() const { return atual; }
    // Ticks or unticks nucleus `id` in the list, as a click on its box does:
    // in "Recebeu células" while editing, in "Em postura" while browsing.
    void marcar_nucleo(int id, bool marcado);
    // "Cadastrar Rainhas": the queens of the nuclei ticked "Em postura"
    // enter the registry, all or none, and the window says how it went.
    void registrar_rainhas();

protected:
    // 1: browsing, the list loaded again and the batch shown as stored;
    // 0: empty fields and the usual timetable; 2: the shown one to edit.
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    FALHA excluir() override;
    std::string detalhe_exclusao() override;

private:
    void mostrar(const CRIACOES& c);
    void limpar();
    void escolhido();
    void editaveis(bool sim);
    // The batch as typed.
    CRIACOES ler() const;
    // The proposed dates, from the grafting date and timetable typed.
    void propor();
    // A count typed into step k without a date: the proposed one goes in.
    void quantidade_digitada(std::size_t k);
    void carregar_nucleos();

    CRIACAO criacoes;
    COLUNAS colunas;
    Glib::RefPtr<Gtk::TreeModel> lista;   // reads listados where they are
    Glib::RefPtr<Gtk::ListStore> lista_nucleos;
    std::vector<CRIACOES> listados;
    CRIACOES atual;
    // True while the program fills the fields or the lists.
    bool preenchendo = false;
};

#endif // ZUMBREL_GUI_FORM_CRIACAO_H
