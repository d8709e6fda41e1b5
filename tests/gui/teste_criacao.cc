// Queen rearing driven through the windows: a queen's marking colour and
// clipped wing in the queen bee form and her genealogy.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/form_abelha.h"
#include "gui/form_genealogia.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;

namespace {

class Criacao : public teste::SistemaTeste
{
protected:
    FormAbelha* ab() { return form<FormAbelha>(ids::ABELHAS); }
};

} // namespace

TEST_F(Criacao, MarcacaoDaRainhaNoFormularioENaGenealogia)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        const WidgetsAbelha& w = ab()->widgets();
        // Bee 1, born in 2009: green, by her year.
        EXPECT_EQ(w.entry_codigo->get_text(), "1");
        EXPECT_EQ(teste::textos_lista(w.combo_cor),
                  (std::vector<std::string> { "Pela data de nascimento", "Branca", "Amarela", "Vermelha", "Verde",
                                              "Azul" }));
        EXPECT_EQ(w.combo_cor->get_active_text(), "Pela data de nascimento");
        EXPECT_EQ(w.label_cor->get_text(), "Verde");
        EXPECT_FALSE(w.combo_cor->get_sensitive());
        EXPECT_FALSE(w.check_asa_cortada->get_sensitive());

        teste::clicar(w.button_editar);
        // The mark follows the birth date as it is typed.
        w.entry_nascimento->set_text("01/10/2010");
        EXPECT_EQ(w.label_cor->get_text(), "Azul");
        EXPECT_TRUE(escolher(w.combo_cor, "Amarela"));
        EXPECT_EQ(w.label_cor->get_text(), "Amarela");
        w.check_asa_cortada->set_active(true);
        teste::clicar(w.button_salvar);
        EXPECT_EQ(banco->unidos("select to_char(data_nasc, 'DD/MM/YYYY'), cor_marcacao, asa_cortada "
                                "from cadastro.abelha_rainha where id_abelha = 1"),
                  "01/10/2010|Amarela|t|");
        EXPECT_EQ(w.combo_cor->get_active_text(), "Amarela");
        EXPECT_TRUE(w.check_asa_cortada->get_active());

        // Her year's own colour chosen is kept as "by the year".
        teste::clicar(w.button_editar);
        EXPECT_TRUE(escolher(w.combo_cor, "Azul"));
        w.check_asa_cortada->set_active(false);
        teste::clicar(w.button_salvar);
        EXPECT_EQ(banco->valor("select cor_marcacao || asa_cortada from cadastro.abelha_rainha where id_abelha = 1"),
                  "false");
        EXPECT_EQ(w.combo_cor->get_active_text(), "Pela data de nascimento");
        EXPECT_EQ(w.label_cor->get_text(), "Azul");

        ASSERT_EQ(banco->executar("update cadastro.abelha_rainha set cor_marcacao = 'Vermelha', asa_cortada = true "
                                  "where id_abelha = 2"),
                  "");
        teste::clicar(w.button_genealogia);
    });
    esperar_aberto(r, ids::GENEALOGIA, "the lineage window");
    r.passo([this] {
        FormGenealogia* g = form<FormGenealogia>(ids::GENEALOGIA);
        const std::vector<std::vector<std::string>> linhas = teste::linhas(g->widgets().treeview_genealogia);
        ASSERT_GE(linhas.size(), 1u);
        // The tree opens on bee 1, with her daughters 2 and 3 below.
        EXPECT_EQ(linhas[0], (std::vector<std::string> { "00001-00000", "01/10/2010", "Sim", "Azul" }));
        Glib::RefPtr<Gtk::TreeStore> arvore = g->get_arvore();
        Gtk::TreeModel::iterator filha = arvore->get_iter("0:0");
        ASSERT_TRUE(filha);
        COLUNAS colunas;
        EXPECT_EQ(Glib::ustring((*filha)[colunas.textos[0]]), "00002-00001");
        EXPECT_EQ(Glib::ustring((*filha)[colunas.textos[4]]), "Vermelha, asa cortada");
        g->janela()->hide();
    });
    rodar(r);
}
