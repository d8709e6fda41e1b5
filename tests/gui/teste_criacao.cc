// Queen rearing driven through the windows: a queen's marking colour and
// clipped wing in the queen bee form and her genealogy, and a rearing
// batch in "Criação de Rainhas" with its proposed dates, its nuclei, a
// count going up refused with everything typed kept, and a batch another
// desktop changed meanwhile; the laying queens entered into the registry;
// how a queen was mated; what to do today, opened at login; and how each
// breeder does.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/colmeia_view.h"
#include "gui/form_abelha.h"
#include "gui/form_criacao.h"
#include "gui/form_genealogia.h"
#include "gui/form_hoje.h"
#include "gui/form_matrizes.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;

namespace {

class Criacao : public teste::SistemaTeste
{
protected:
    void SetUp() override
    {
        teste::SistemaTeste::SetUp();
        // Hive 1 the cell builder, 2 and 3 mating nuclei.
        ASSERT_EQ(banco->executar("insert into cadastro.colmeia (tipo, status, id_apiario) values "
                                  "('Langstroth', 'Ativa', 1), ('Núcleo', 'Ativa', 1), ('Núcleo', 'Ativa', 2)"),
                  "");
    }

    FormAbelha* ab() { return form<FormAbelha>(ids::ABELHAS); }
    FORM_CRIACAO* fc() { return form<FORM_CRIACAO>(ids::CRIACAO_RAINHAS); }

    std::string dia(int mais)
    {
        return banco->valor("select to_char(current_date + " + std::to_string(mais) + ", 'DD/MM/YYYY')");
    }

    // The batch as typed in the window: breeder, cell builder, grafting
    // and larvae, then each step's date and count.
    void digitar_lote(const std::string& matriz, const std::string& enxertia, const std::string& larvas)
    {
        const WidgetsCriacao& w = fc()->widgets();
        w.entry_matriz->set_text(matriz);
        teste::digitar(w.entry_recria, "1");
        w.entry_enxertia->set_text(enxertia);
        teste::digitar(w.entry_larvas, larvas);
    }

    std::string etapas_na_janela()
    {
        const WidgetsCriacao& w = fc()->widgets();
        std::string s;
        for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
            s += w.entry_data[k]->get_text() + "=" + w.entry_quantidade[k]->get_text() + ";";
        return s;
    }

    std::string guardado()
    {
        return banco->unidos("select id_matriz, id_recria, larvas, aceitas, operculadas, nos_nucleos, obs, "
                             "(select string_agg(id_colmeia::text, ',' order by id_colmeia) from "
                             "cadastro.criacao_nucleo n where n.id_criacao = c.id_criacao) "
                             "from cadastro.criacao c order by id_criacao");
    }
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

TEST_F(Criacao, LoteComDatasPropostasNucleosERecusaQueGuardaODigitado)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::CRIACAO_RAINHAS);
    r.passo([this] {
        const WidgetsCriacao& w = fc()->widgets();
        EXPECT_EQ(fc()->janela()->get_title(), "Criação de Rainhas");
        EXPECT_EQ(teste::titulos(w.treeview_lotes),
                  (std::vector<std::string> { "Código", "Matriz", "Enxertia", "Larvas", "Próxima etapa" }));
        // Only the hives of type Núcleo are offered as nuclei.
        EXPECT_EQ(teste::linhas(w.treeview_nucleos),
                  (std::vector<std::vector<std::string>> { { "", "2", "Apiário Boa Esperança", "", "" },
                                                           { "", "3", "Apiário Santa Luzia", "", "" } }));

        teste::clicar(w.button_novo);
        // The usual timetable, and the dates it proposes once the grafting
        // date is typed.
        for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
            EXPECT_EQ(w.entry_dias[k]->get_text(), std::to_string(DIAS_PADRAO[k]));
        digitar_lote("00004-00002", dia(-20), "40");
        EXPECT_EQ(w.label_prevista[ACEITAS]->get_text(), "prevista " + dia(-19));
        EXPECT_EQ(w.label_prevista[POSTURA]->get_text(), "prevista " + dia(6));
        w.entry_dias[ACEITAS]->set_text("");
        teste::digitar(w.entry_dias[ACEITAS], "2");
        EXPECT_EQ(w.label_prevista[ACEITAS]->get_text(), "prevista " + dia(-18));

        // A count typed without a date gets the proposed one; a date typed
        // stays as typed.
        teste::digitar(w.entry_quantidade[ACEITAS], "30");
        w.entry_data[OPERCULADAS]->set_text(dia(-14));
        teste::digitar(w.entry_quantidade[OPERCULADAS], "31");
        teste::digitar(w.entry_quantidade[NUCLEOS], "2");
        fc()->marcar_nucleo(2, true);
        fc()->marcar_nucleo(3, true);
        w.entry_obs->set_text("x'); drop table cadastro.criacao; --");
        EXPECT_EQ(etapas_na_janela(), dia(-18) + "=30;" + dia(-14) + "=31;" + dia(-10) + "=2;=;=;");
        teste::clicar(w.button_salvar);
    });
    r.responder("Verifique as informações digitadas !",
                "A etapa \"Células operculadas\" não pode contar mais (31) do que \"Células aceitas\" (30): a contagem "
                "só diminui.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        const WidgetsCriacao& w = fc()->widgets();
        EXPECT_EQ(guardado(), "");
        EXPECT_TRUE(fc()->inserindo());
        EXPECT_EQ(w.entry_matriz->get_text(), "00004-00002");
        EXPECT_EQ(etapas_na_janela(), dia(-18) + "=30;" + dia(-14) + "=31;" + dia(-10) + "=2;=;=;");
        // Mended, it is saved with its nuclei and shown in the list.
        w.entry_quantidade[OPERCULADAS]->set_text("");
        teste::digitar(w.entry_quantidade[OPERCULADAS], "25");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(guardado(), "4|1|40|30|25|2|x'); drop table cadastro.criacao; --|2,3|");
        EXPECT_EQ(banco->valor("select dias_aceitas from cadastro.criacao"), "2");
        EXPECT_FALSE(fc()->inserindo());
        const auto lotes = teste::linhas(w.treeview_lotes);
        ASSERT_EQ(lotes.size(), 1u);
        EXPECT_EQ(lotes[0], (std::vector<std::string> { std::to_string(fc()->get_atual().id), "00004-00002", dia(-20),
                                                        "40", "Rainhas nascidas em " + dia(-8) }));

        // Edited while another desktop records the emergence: refused, and
        // the batch is shown as it now is.
        teste::clicar(w.button_editar);
        w.entry_quantidade[NUCLEOS]->set_text("");
        teste::digitar(w.entry_quantidade[NUCLEOS], "1");
        fc()->marcar_nucleo(3, false);
        ASSERT_EQ(banco->executar("update cadastro.criacao set nascidas = 2, nascidas_em = current_date - 8"), "");
        teste::clicar(w.button_salvar);
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_FALSE(fc()->editando());
        EXPECT_EQ(etapas_na_janela(), dia(-18) + "=30;" + dia(-14) + "=25;" + dia(-10) + "=2;" + dia(-8) + "=2;=;");
        EXPECT_EQ(guardado(), "4|1|40|30|25|2|x'); drop table cadastro.criacao; --|2,3|");
        fc()->janela()->hide();
    });
    rodar(r);
}

TEST_F(Criacao, RainhasEmPosturaDosNucleosMarcadosEntramNoRegistro)
{
    // A batch of bee 4 with one queen laying, in nuclei 2 and 3.
    CRIACOES c;
    c.rgn_matriz = "00004-00002";
    c.enxertia = dia(-30);
    c.larvas = "10";
    const int antes[ETAPAS_CRIACAO] = { -29, -25, -20, -18, -2 };
    const char* const quantos[ETAPAS_CRIACAO] = { "8", "6", "2", "2", "1" };
    for (std::size_t k = 0; k < ETAPAS_CRIACAO; ++k)
        c.etapas[k] = { dia(antes[k]), quantos[k] };
    c.nucleos = { 2, 3 };
    CRIACAO modelo(query.get());
    ASSERT_TRUE(modelo.inserir(&c)) << modelo.falha().motivo();

    Roteiro r;
    entrar(r);
    abrir(r, ids::CRIACAO_RAINHAS);
    r.passo([this] {
        const WidgetsCriacao& w = fc()->widgets();
        Gtk::TreePath primeira;
        primeira.push_back(0);
        w.treeview_lotes->get_selection()->select(primeira);
        EXPECT_EQ(w.entry_matriz->get_text(), "00004-00002");
        EXPECT_EQ(teste::titulos(w.treeview_nucleos),
                  (std::vector<std::string> { "Recebeu células", "Núcleo", "Apiário", "Rainha", "Em postura" }));
        // Two ticked: more than the one laying queen.
        fc()->marcar_nucleo(2, true);
        fc()->marcar_nucleo(3, true);
        teste::clicar(w.button_rainhas);
    });
    r.responder("Nenhuma rainha foi cadastrada.", "O lote tem 1 rainha em postura: marque no máximo 1 núcleo.",
                Gtk::RESPONSE_OK);
    r.passo([this] {
        const WidgetsCriacao& w = fc()->widgets();
        EXPECT_EQ(banco->valor("select count(*) from cadastro.abelha_rainha"), "8");
        fc()->marcar_nucleo(2, false);
        teste::clicar(w.button_rainhas);
    });
    r.responder("1 rainha cadastrada", "00009-00004 (núcleo 3)", Gtk::RESPONSE_OK);
    r.passo([this] {
        const WidgetsCriacao& w = fc()->widgets();
        EXPECT_EQ(banco->unidos("select rgn, to_char(data_nasc, 'DD/MM/YYYY'), filha, "
                                "(select id_colmeia from cadastro.colmeia c where c.id_abelha = a.id_abelha) "
                                "from cadastro.abelha_rainha a where id_abelha = 9"),
                  "00009-00004|" + dia(-18) + "|4|3|");
        const auto nucleos = teste::linhas(w.treeview_nucleos);
        ASSERT_EQ(nucleos.size(), 2u);
        EXPECT_EQ(nucleos[1][3], "00009-00004");
        EXPECT_EQ(nucleos[0][3], "");
        fc()->janela()->hide();
    });
    rodar(r);
}

TEST_F(Criacao, FecundacaoNaFichaDaRainhaENoLadoDoPai)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::ABELHAS);
    r.passo([this] {
        const WidgetsAbelha& w = ab()->widgets();
        EXPECT_EQ(w.label_fecundacao->get_text(), "Fecundação não registrada.");
        teste::clicar(w.button_fecundacao);
    });
    r.esperar([this] { return ab()->get_dialogo_fecundacao() && ab()->get_dialogo_fecundacao()->is_visible(); },
              "the mating dialog");
    r.passo([this] {
        const WidgetsFecundacao& d = ab()->get_dialogo_fecundacao()->widgets();
        EXPECT_EQ(teste::textos_lista(d.combo_tipo),
                  (std::vector<std::string> { "", "Natural", "Inseminação instrumental" }));
        // Natural, with neither apiary nor station: refused, and the
        // dialog keeps what was typed.
        EXPECT_TRUE(escolher(d.combo_tipo, "Natural"));
        d.entry_zangoes->set_text("1");
        d.entry_obs->set_text("x'); drop table cadastro.fecundacao; --");
        ab()->get_dialogo_fecundacao()->response(Gtk::RESPONSE_OK);
    });
    r.responder("A fecundação não foi registrada.",
                "Escolha o apiário ou escreva a estação de fecundação onde a rainha foi fecundada.", Gtk::RESPONSE_OK);
    r.passo([this] {
        const WidgetsFecundacao& d = ab()->get_dialogo_fecundacao()->widgets();
        EXPECT_EQ(d.combo_tipo->get_active_text(), "Natural");
        EXPECT_EQ(d.entry_zangoes->get_text(), "1");
        EXPECT_EQ(banco->valor("select count(*) from cadastro.fecundacao"), "0");
        // An insemination of bee 1 with drones of bees 2 and 3.
        EXPECT_TRUE(escolher(d.combo_tipo, "Inseminação instrumental"));
        EXPECT_FALSE(d.combo_apiario->get_sensitive());
        EXPECT_EQ(d.label_zangoes->get_text(), "RGN das rainhas dos zangões, separados por vírgula");
        d.entry_data->set_text("15/11/2010");
        d.entry_zangoes->set_text("00002-00001, 00003-00001");
        ab()->get_dialogo_fecundacao()->response(Gtk::RESPONSE_OK);
    });
    r.esperar([this] { return ab()->get_dialogo_fecundacao() == nullptr; }, "the mating dialog to close");
    r.passo([this] {
        const WidgetsAbelha& w = ab()->widgets();
        EXPECT_EQ(banco->unidos("select tipo, to_char(data, 'DD/MM/YYYY'), obs from cadastro.fecundacao "
                                "where id_abelha = 1"),
                  "Inseminação instrumental|15/11/2010|x'); drop table cadastro.fecundacao; --|");
        EXPECT_EQ(w.label_fecundacao->get_text(),
                  "Inseminação instrumental, em 15/11/2010; zangões das rainhas 00002-00001 e 00003-00001.");
        teste::clicar(w.button_genealogia);
    });
    esperar_aberto(r, ids::GENEALOGIA, "the lineage window");
    r.passo([this] {
        FormGenealogia* g = form<FormGenealogia>(ids::GENEALOGIA);
        EXPECT_EQ(g->widgets().label_pai->get_text(), "Lado do pai: zangões das rainhas 00002-00001, 00003-00001.");
        g->janela()->hide();
    });
    rodar(r);
}

TEST_F(Criacao, OQueFazerHojeAbreNaEntradaECadaLinhaAbreSeuLoteOuColmeia)
{
    // A batch whose acceptance is due today, and hive 2 out of withdrawal tomorrow.
    CRIACOES c;
    c.rgn_matriz = "00004-00002";
    c.enxertia = dia(-1);
    c.larvas = "12";
    CRIACAO modelo(query.get());
    ASSERT_TRUE(modelo.inserir(&c)) << modelo.falha().motivo();
    ASSERT_EQ(banco->executar("insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) "
                              "values (2, 1, current_date - 20, current_date - 13)"),
              "");
    Roteiro r;
    entrar(r);
    esperar_aberto(r, ids::HOJE, "the list of what to do today, at login");
    r.passo([this, c] {
        FORM_HOJE* h = form<FORM_HOJE>(ids::HOJE);
        EXPECT_EQ(h->janela()->get_title(), "O que fazer hoje");
        EXPECT_EQ(h->widgets().label_resumo->get_text(), "2 itens a fazer.");
        EXPECT_EQ(teste::linhas(h->widgets().treeview_pendencias),
                  (std::vector<std::vector<std::string>> {
                      { dia(0), "Lote " + std::to_string(c.id) + " da matriz 00004-00002: Células aceitas (hoje)" },
                      { dia(1), "Colméia 2: a carência termina amanhã" } }));
        h->abrir_linha(0);
    });
    esperar_aberto(r, ids::CRIACAO_RAINHAS, "the batch window");
    r.passo([this, c] {
        EXPECT_EQ(fc()->get_atual().id, c.id);
        EXPECT_EQ(fc()->widgets().entry_larvas->get_text(), "12");
        fc()->janela()->hide();
    });
    esperar_fechado(r, ids::CRIACAO_RAINHAS, "the batch window to close");
    r.passo([this] { form<FORM_HOJE>(ids::HOJE)->abrir_linha(1); });
    esperar_aberto(r, ids::COLMEIAS, "the hive window");
    r.passo([this] {
        COLMEIA_VIEW* v = form<COLMEIA_VIEW>(ids::COLMEIAS);
        EXPECT_EQ(v->get_colmeia_mostrada(), 2);
        v->janela()->hide();
    });
    esperar_fechado(r, ids::COLMEIAS, "the hive window to close");
    r.passo([this] { form<FORM_HOJE>(ids::HOJE)->janela()->hide(); });
    rodar(r);
}

TEST_F(Criacao, DesempenhoDasMatrizesOrdenadoPorQualquerColuna)
{
    // Breeder 4 with a batch of 10 larvae, 8 accepted; breeder 2 with none.
    CRIACOES c;
    c.rgn_matriz = "00004-00002";
    c.enxertia = dia(-3);
    c.larvas = "10";
    c.etapas[ACEITAS] = { dia(-2), "8" };
    CRIACAO modelo(query.get());
    ASSERT_TRUE(modelo.inserir(&c)) << modelo.falha().motivo();
    Roteiro r;
    entrar(r);
    abrir(r, ids::MATRIZES);
    r.passo([this] {
        FORM_MATRIZES* m = form<FORM_MATRIZES>(ids::MATRIZES);
        EXPECT_EQ(m->janela()->get_title(), "Desempenho das Matrizes");
        Gtk::TreeView* v = m->widgets().treeview_matrizes;
        EXPECT_EQ(teste::titulos(v),
                  (std::vector<std::string> { "Matriz", "Lotes", "Larvas", "Aceitas %", "Nascidas %", "Em postura %",
                                              "Colméias das filhas", "Mel por safra (kg)", "Com ocorrências %",
                                              "Perdidas %" }));
        const auto linhas = teste::linhas(v);
        ASSERT_EQ(linhas.size(), 4u);   // the sample's breeders 1, 2, 4 and 8
        EXPECT_EQ(linhas[2], (std::vector<std::string> { "00004-00002", "1", "10", "80,0", "", "", "0", "", "", "" }));
        // Sorted by the share accepted, the most first: clicking the title twice.
        v->get_column(3)->clicked();
        v->get_column(3)->clicked();
        EXPECT_EQ(teste::linhas(v)[0][0], "00004-00002");
        v->get_column(0)->clicked();
        EXPECT_EQ(teste::linhas(v)[0][0], "00001-00000");
        m->janela()->hide();
    });
    rodar(r);
}
