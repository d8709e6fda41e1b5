// "Cadastro de Abelhas": one queen bee at a time with its registry number,
// birth date, breeding flag and mother; browsing, insert, update, delete,
// "Gerar Filhas", which creates a number of daughters of the shown bee, and
// "Genealogia", which shows her mothers and descendants.
#ifndef ZUMBREL_GUI_FORM_ABELHA_H
#define ZUMBREL_GUI_FORM_ABELHA_H

#include <optional>
#include <string>
#include <vector>

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/radiobutton.h>

#include "gui/dialogo_fecundacao.h"
#include "gui/dialogo_filhas.h"
#include "gui/formulario.h"
#include "gui/lista_textos.h"
#include "model/abelha.h"

struct WidgetsAbelha : BotoesForm
{
    Gtk::Entry* entry_codigo = nullptr;
    Gtk::Entry* entry_rgn = nullptr;
    Gtk::Entry* entry_nascimento = nullptr;
    Gtk::RadioButton* radio_sim = nullptr;
    Gtk::RadioButton* radio_nao = nullptr;
    ListaTextos* combo_mae = nullptr;
    // The marking: "Pela data de nascimento" or a colour, the mark and the
    // name of the colour she wears, and the clipped wing.
    Gtk::ComboBoxText* combo_cor = nullptr;
    Gtk::Image* image_marca = nullptr;
    Gtk::Label* label_cor = nullptr;
    Gtk::CheckButton* check_asa_cortada = nullptr;
    // How she was mated, as a sentence, and the tool that records it.
    Gtk::Label* label_fecundacao = nullptr;
    Gtk::Button* button_fecundacao = nullptr;
    Gtk::Button* button_gerar = nullptr;
    Gtk::Button* button_genealogia = nullptr;
};

class FormAbelha : public FormularioCom<WidgetsAbelha>
{
public:
    using FormularioCom::FormularioCom;
    // The bees' rows go with the window.
    ~FormAbelha() override;
    void montar() override;
    void carregar_dados(int dado) override;
    // 3: the mother list, "Não Sabe" and every bee's RGN.
    void Carregar_combo(int qual, int selecionado) override;
    // The mother list changed: the chosen bee becomes the selected mother.
    void selecionar_abelha();
    // "Gerar Filhas": asks how many daughters of the shown bee, stores all
    // of them or none, and says which.
    void gerar_filhas(Gtk::Window* janela);

    // The code of the bee shown (0 when none is).
    int abelha_mostrada() const;
    // The bee chosen in the "Genealogia" window is shown.
    bool receber_escolha(int de_onde, int chave) override;

    const ABELHAS& get_mae_selecionada() const { return mae_selecionada; }
    // The "Gerar Filhas" dialog while it is open, else null.
    DialogoFilhas* get_dialogo_filhas() const { return dialogo_filhas; }
    // "Fecundação": shows how the shown queen was mated and records what is
    // typed; a refusal says why and keeps the dialog with what was typed.
    void registrar_fecundacao(Gtk::Window* janela);
    DialogoFecundacao* get_dialogo_fecundacao() const { return dialogo_fecundacao; }

protected:
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    FALHA excluir() override;
    // Delete acts only while browsing, on the bee shown, named by its RGN.
    bool pode_excluir() const override;
    std::string pergunta_exclusao() const override;
    void depois_de_salvar() override { Carregar_combo(3, -1); }
    Lembranca* lembranca() override { return &ctx.abelhas; }
    std::size_t tamanho() const override { return abelhas.size(); }
    std::string texto_registro(std::size_t i) const override { return abelhas.rgn(i); }
    int chave_registro(std::size_t i) const override { return abelhas.id(i); }
    void antes_de_navegar() override;

private:
    // The bee shown (null when none is).
    std::optional<ABELHAS> mostrada() const;
    // The dialog that says how "Gerar Filhas" of `n` daughters went.
    void dizer_como_foi(int n, const FALHA& falha);
    // The mark and colour name shown, from the birth date and the colour
    // chosen now.
    void mostrar_marca();
    // The colour chosen in the list ("" for the birth year's).
    std::string cor_escolhida() const;

    LISTA_ABELHAS abelhas;
    // The entries of the mother list as last made, kept so that making them
    // again (at each step through the bees) writes over them in place.
    std::vector<std::string> textos_mae;
    // The bee picked in the "Filha de:" list; id 0 = mother unknown.
    ABELHAS mae_selecionada;
    // True while the list is emptied and refilled.
    bool preenchendo = false;
    DialogoFilhas* dialogo_filhas = nullptr;
    DialogoFecundacao* dialogo_fecundacao = nullptr;
};

#endif // ZUMBREL_GUI_FORM_ABELHA_H
