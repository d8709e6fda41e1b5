// The panel under the main window's menu, driven through the real widgets:
// its lines after the login, F5 showing what another desktop stored, a save
// in a window shown once it is sent, and each line opening its record.
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "gui/colmeia_view.h"
#include "gui/form_apiario.h"
#include "gui/form_criacao.h"
#include "gui/form_hoje.h"
#include "gui/listas_teste.h"
#include "gui/painel.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

class Painel : public teste::SistemaTeste
{
protected:
    void SetUp() override
    {
        teste::SistemaTeste::SetUp();
        // Hive 1 in apiary 1 inspected today, cell builder of a batch a step
        // overdue; hive 2 in apiary 2 never inspected, in withdrawal.
        const char* const sql[] = {
            "insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
            "(1, 'Langstroth', 'Ativa', 1), (2, 'Langstroth', 'Ativa', 2)",
            "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) values (1, current_date, 'Ativa', 3)",
            "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) select 2, id_produto, "
            "current_date - 3, current_date + 20 from cadastro.produto where nome like 'Tiras%'",
            "insert into cadastro.criacao (id_matriz, id_recria, enxertia, larvas) values (4, 1, current_date - 2, 20)",
        };
        for (const char* s : sql)
            ASSERT_EQ(banco->executar(s), "") << s;
    }

    PAINEL_PRINCIPAL* painel() { return sistema->get_painel(); }

    // Each line as "name|hives|last inspection", the lines under it indented.
    std::vector<std::string> linhas()
    {
        std::vector<std::string> v;
        Glib::RefPtr<Gtk::TreeModel> m = painel()->get_treeview()->get_model();
        for (const Gtk::TreeModel::Row& a : m->children()) {
            Glib::ustring nome, colmeias, revisao;
            a.get_value(1, nome);
            a.get_value(2, colmeias);
            a.get_value(4, revisao);
            v.push_back(nome.raw() + "|" + colmeias.raw() + "|" + revisao.raw());
            for (const Gtk::TreeModel::Row& f : a.children()) {
                f.get_value(1, nome);
                v.push_back("  " + nome.raw());
            }
        }
        return v;
    }

    std::string dia(int mais)
    {
        return banco->valor("select to_char(current_date + " + std::to_string(mais) + ", 'DD/MM/YYYY')");
    }

    void tecla_f5()
    {
        GdkEvent* e = gdk_event_new(GDK_KEY_PRESS);
        Gtk::Window* j = sistema->get_janela_principal();
        e->key.window = GDK_WINDOW(g_object_ref(j->get_window()->gobj()));
        e->key.keyval = GDK_F5;
        e->key.send_event = TRUE;
        gtk_widget_event(GTK_WIDGET(j->gobj()), e);
        gdk_event_free(e);
    }

    int lote = 0;
};

} // namespace

TEST_F(Painel, MostraOsApiariosAtualizaEAbreCadaLinha)
{
    lote = std::stoi(banco->valor("select id_criacao from cadastro.criacao"));
    Roteiro r;
    entrar(r);
    // The overdue step brings the list of what to do today up at login.
    esperar_aberto(r, ids::HOJE, "the list of what to do today");
    r.passo([this] { form<FORM_HOJE>(ids::HOJE)->janela()->hide(); });
    esperar_fechado(r, ids::HOJE, "the list to close");
    r.passo([this] {
        ASSERT_NE(painel(), nullptr);
        EXPECT_TRUE(painel()->get_treeview()->is_visible());
        EXPECT_EQ(linhas(), (std::vector<std::string> {
                                "Apiário Boa Esperança|1 colméia: 1 Ativa|Última revisão: " + dia(0) + " (hoje)",
                                "  Lote " + std::to_string(lote) +
                                    " da matriz 00004-00002: Células aceitas (atrasada 1 dia)",
                                "Apiário Santa Luzia|1 colméia: 1 Ativa|Nenhuma revisão",
                                "  Colméia 2 em carência até " + dia(34) }));
        // Apiary 2 was never inspected: marked; apiary 1 is not.
        EXPECT_EQ(painel()->cor_da_linha(Gtk::TreePath("1")), "#c01c28");
        EXPECT_EQ(painel()->cor_da_linha(Gtk::TreePath("0")), "");
        EXPECT_EQ(painel()->get_label_resumo()->get_text(),
                  "2 apiários, 2 colméias. 1 apiário sem revisão há 30 dias ou mais.");
        EXPECT_FALSE(painel()->get_label_acesso()->is_visible());

        // Stored by another desktop: shown at F5, not before.
        ASSERT_EQ(banco->executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) "
                                  "values (3, 'Núcleo', 'Fraca', 3)"), "");
        EXPECT_EQ(linhas().size(), 4u);
        tecla_f5();
        const std::vector<std::string> v = linhas();
        ASSERT_EQ(v.size(), 5u);
        EXPECT_EQ(v[4], "Apiário Três Irmãos|1 colméia: 1 Fraca|Nenhuma revisão");
    });

    // The apiary's line opens it; its name saved there shows in the panel
    // behind, read once for the save.
    auto leituras = std::make_shared<int>(0);
    r.passo([this, leituras] {
        *leituras = painel()->leituras();
        painel()->abrir_linha(Gtk::TreePath("1"));
    });
    esperar_aberto(r, ids::APIARIOS, "the apiary form");
    r.esperar([this] { return form<FormApiario>(ids::APIARIOS)->widgets().label_id->get_text() == "2"; },
              "apiary 2 shown");
    r.passo([this] {
        FormApiario* f = form<FormApiario>(ids::APIARIOS);
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_nome->set_text("Apiário Santa Luzia Nova");
        teste::clicar(f->widgets().button_salvar);
    });
    r.esperar([this] { return linhas()[2].rfind("Apiário Santa Luzia Nova|", 0) == 0; }, "the new name in the panel");
    r.passo([this, leituras] {
        EXPECT_EQ(painel()->leituras(), *leituras + 1);
        form<FormApiario>(ids::APIARIOS)->janela()->hide();
    });
    esperar_fechado(r, ids::APIARIOS, "the apiary form to close");

    // The hive in withdrawal opens the hive; the step due, its batch.
    r.passo([this] { painel()->abrir_linha(Gtk::TreePath("1:0")); });
    esperar_aberto(r, ids::COLMEIAS, "the hive window");
    r.esperar([this] { return form<COLMEIA_VIEW>(ids::COLMEIAS)->get_colmeia_mostrada() == 2; }, "hive 2 shown");
    r.passo([this] { form<COLMEIA_VIEW>(ids::COLMEIAS)->janela()->hide(); });
    esperar_fechado(r, ids::COLMEIAS, "the hive window to close");
    r.passo([this] { painel()->abrir_linha(Gtk::TreePath("0:0")); });
    esperar_aberto(r, ids::CRIACAO_RAINHAS, "the batch window");
    r.esperar([this] { return form<FORM_CRIACAO>(ids::CRIACAO_RAINHAS)->get_atual().id == lote; }, "the batch shown");
    r.passo([this] { form<FORM_CRIACAO>(ids::CRIACAO_RAINHAS)->janela()->hide(); });
    esperar_fechado(r, ids::CRIACAO_RAINHAS, "the batch window to close");
    rodar(r);
}
