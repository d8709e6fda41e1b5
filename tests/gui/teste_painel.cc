// The panel under the main window's menu, driven through the real widgets:
// its lines after the login, F5 showing what another desktop stored, a save
// in a window shown once it is sent, and each line opening its record.
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtkmm/main.h>

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

    // Each line as the view reads it, "name|hives|last inspection" (the
    // lines under an apiary only their text), and whether it is in red.
    std::vector<std::string> linhas()
    {
        std::vector<std::string> v;
        Glib::RefPtr<Gtk::TreeModel> m = painel()->get_treeview()->get_model();
        for (const Gtk::TreeModel::Row& a : m->children()) {
            COLUNAS c;
            const Glib::ustring nome = a[c.textos[0]], colmeias = a[c.textos[1]], revisao = a[c.textos[3]];
            const int i = a[c.codigo];
            v.push_back(nome.raw() + (colmeias.empty() ? "" : "|" + colmeias.raw() + "|" + revisao.raw()) +
                        (painel()->get_linhas()[static_cast<std::size_t>(i)].alerta ? " (!)" : ""));
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
        // Apiary 2 was never inspected: marked; so is the overdue step.
        EXPECT_EQ(linhas(), (std::vector<std::string> {
                                "Apiário Boa Esperança|1 colméia: 1 Ativa|Última revisão: " + dia(0) + " (hoje)",
                                "    Lote " + std::to_string(lote) +
                                    " da matriz 00004-00002: Células aceitas (atrasada 1 dia) (!)",
                                "Apiário Santa Luzia|1 colméia: 1 Ativa|Nenhuma revisão (!)",
                                "    Colméia 2 em carência até " + dia(34) }));
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
        EXPECT_EQ(v[4], "Apiário Três Irmãos|1 colméia: 1 Fraca|Nenhuma revisão (!)");
    });

    // The apiary's line opens it; its name saved there shows in the panel
    // behind once the form closes, read once for the save and not while the
    // form is still open over it.
    auto leituras = std::make_shared<int>(0);
    r.passo([this, leituras] {
        *leituras = painel()->leituras();
        painel()->abrir_linha(2);
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
    r.esperar([this] { return form<FormApiario>(ids::APIARIOS)->widgets().button_editar->is_sensitive(); },
              "the apiary saved");
    r.passo([this, leituras] {
        for (int k = 0; k < 50 && Gtk::Main::events_pending(); ++k)
            Gtk::Main::iteration(false);
        EXPECT_EQ(painel()->leituras(), *leituras);
        EXPECT_TRUE(painel()->pendente());
        EXPECT_EQ(linhas()[2].find("Apiário Santa Luzia Nova|"), std::string::npos);
        // The main window taking the focus back, the form still open, is
        // the panel seen again: the read is asked for then.
        GdkEventFocus foco {};
        foco.type = GDK_FOCUS_CHANGE;
        foco.in = TRUE;
        sistema->get_janela_principal()->event(reinterpret_cast<GdkEvent*>(&foco));
        EXPECT_FALSE(painel()->pendente());
        form<FormApiario>(ids::APIARIOS)->janela()->hide();
    });
    r.esperar([this] { return linhas()[2].rfind("Apiário Santa Luzia Nova|", 0) == 0; }, "the new name in the panel");
    r.passo([this, leituras] {
        EXPECT_EQ(painel()->leituras(), *leituras + 1);
        EXPECT_FALSE(painel()->pendente());
    });
    esperar_fechado(r, ids::APIARIOS, "the apiary form to close");
    // Saves inside a transaction: read once, after it is over.
    r.passo([this, leituras] {
        *leituras = painel()->leituras();
        ASSERT_TRUE(query->iniciar_transacao().ok());
        for (const char* kg : { "2", "3" }) {
            INSTRUCAO i = query->descrever(INSTRUCAO::INSERIR, "cadastro.colheita");
            i.inserir("id_colmeia", "2");
            i.inserir("data", "current_date");
            i.inserir("mel_kg", kg);
            EXPECT_TRUE(query->ativar(i).ok());
        }
        for (int k = 0; k < 50 && Gtk::Main::events_pending(); ++k)
            Gtk::Main::iteration(false);
        EXPECT_EQ(painel()->leituras(), *leituras);
        EXPECT_TRUE(query->confirmar_transacao().ok());
    });
    r.esperar([this, leituras] { return painel()->leituras() > *leituras; }, "the panel read after the commit");
    r.passo([this, leituras] {
        EXPECT_EQ(painel()->leituras(), *leituras + 1);
        EXPECT_EQ(linhas()[2].find("Apiário Santa Luzia Nova|"), 0u);
        const std::string mel = painel()->get_linhas()[2].textos[2];
        EXPECT_EQ(mel.find("Mel em " + banco->valor("select extract(year from current_date)") + ": 5,0 kg"), 0u)
            << mel;
    });

    // The hive in withdrawal opens the hive; the step due, its batch.
    r.passo([this] { painel()->abrir_linha(3); });
    esperar_aberto(r, ids::COLMEIAS, "the hive window");
    r.esperar([this] { return form<COLMEIA_VIEW>(ids::COLMEIAS)->get_colmeia_mostrada() == 2; }, "hive 2 shown");
    r.passo([this] { form<COLMEIA_VIEW>(ids::COLMEIAS)->janela()->hide(); });
    esperar_fechado(r, ids::COLMEIAS, "the hive window to close");
    r.passo([this] { painel()->abrir_linha(1); });
    esperar_aberto(r, ids::CRIACAO_RAINHAS, "the batch window");
    r.esperar([this] { return form<FORM_CRIACAO>(ids::CRIACAO_RAINHAS)->get_atual().id == lote; }, "the batch shown");
    r.passo([this] { form<FORM_CRIACAO>(ids::CRIACAO_RAINHAS)->janela()->hide(); });
    esperar_fechado(r, ids::CRIACAO_RAINHAS, "the batch window to close");
    rodar(r);
}
