// The beehive window driven through its widgets, on a new database and on
// one made before the beehives and brought up to date: hives created,
// shown, edited, searched by each criterion and deleted with their
// inspections; one hive per queen; inspections added in order, their status
// followed by the hive, deleted; refusals that store nothing.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtkmm/entrycompletion.h>

#include "gui/colmeia_view.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;
using Linhas = std::vector<std::vector<std::string>>;

namespace {

const char* const BOA_ESPERANCA = "Apiário Boa Esperança";
const char* const SANTA_LUZIA = "Apiário Santa Luzia";
const char* const TRES_IRMAOS = "Apiário Três Irmãos";

class Colmeias : public teste::SistemaTeste, public ::testing::WithParamInterface<const char*>
{
protected:
    std::string modelo() const override { return teste::ambiente(GetParam()); }

    COLMEIA_VIEW* cv() { return form<COLMEIA_VIEW>(ids::COLMEIAS); }
    const WidgetsColmeia& w() { return cv()->widgets(); }

    void preencher(const char* tipo, const char* status, const std::string& rgn, const char* apiario,
                   const std::string& data = "", const std::string& obs = "")
    {
        EXPECT_TRUE(escolher(w().combo_tipo, tipo)) << tipo;
        EXPECT_TRUE(escolher(w().combo_status, status)) << status;
        w().entry_rainha->set_text(rgn);
        EXPECT_TRUE(escolher(w().combo_apiario, apiario)) << apiario;
        w().entry_instalacao->set_text(data);
        w().entry_obs->set_text(obs);
    }

    // What the fields show: code|type|status|queen|apiary|date|notes.
    std::string mostrada()
    {
        return w().label_codigo->get_text() + "|" + w().combo_tipo->get_active_text() + "|" +
               w().combo_status->get_active_text() + "|" + w().entry_rainha->get_text() + "|" +
               w().combo_apiario->get_active_text() + "|" + w().entry_instalacao->get_text() + "|" +
               w().entry_obs->get_text();
    }

    // The stored hive: tipo|status|queen|apiary|date|notes.
    std::string linha(int id)
    {
        return banco->valor("select tipo || '|' || status || '|' || coalesce(id_abelha::text, 'null') || '|' || "
                            "id_apiario || '|' || coalesce(to_char(data_instalacao, 'DD/MM/YYYY'), 'null') || "
                            "'|' || obs from cadastro.colmeia where id_colmeia = " + std::to_string(id));
    }

    std::string contagem(const char* tabela)
    {
        return banco->valor(std::string("select count(*) from cadastro.") + tabela);
    }

    Linhas listadas() { return teste::linhas(w().treeview_colmeias); }
    Linhas revisoes() { return teste::linhas(w().treeview_revisoes); }

    void escolher_linha(Gtk::TreeView* lista, int i)
    {
        Gtk::TreePath caminho;
        caminho.push_back(i);
        lista->get_selection()->select(caminho);
    }

    void revisao(const std::string& data, const char* status, const std::string& mel, const std::string& obs = "")
    {
        w().entry_data_revisao->set_text(data);
        EXPECT_TRUE(escolher(w().combo_status_revisao, status)) << status;
        w().entry_mel->set_text(mel);
        w().entry_obs_revisao->set_text(obs);
        teste::clicar(w().button_adicionar_revisao);
    }
};

std::string nome_do_banco(const ::testing::TestParamInfo<const char*>& info)
{
    return std::string(info.param) == "ZUMBREL_TEST_TEMPLATE" ? "BancoNovo" : "BancoAntigo";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Bancos, Colmeias, ::testing::Values("ZUMBREL_TEST_TEMPLATE", "ZUMBREL_TEST_TEMPLATE_ANTIGO"),
                         nome_do_banco);

TEST_P(Colmeias, CriaMostraEditaPesquisaEExcluiComAsRevisoes)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::COLMEIAS);
    r.passo([this] {
        EXPECT_EQ(cv()->janela()->get_title(), "Cadastro de Colméias");
        EXPECT_NE(saida.tomar().find("6 - 1\n"), std::string::npos);
        EXPECT_EQ(teste::titulos(w().treeview_colmeias),
                  (std::vector<std::string> { "Código", "Tipo", "Status", "Rainha", "Marcação", "Apiário", "Carência" }));
        EXPECT_EQ(teste::titulos(w().treeview_revisoes),
                  (std::vector<std::string> { "Data", "Status", "Mel (kg)", "Observações" }));
        EXPECT_EQ(teste::textos_lista(w().combo_tipo),
                  (std::vector<std::string> { "", "Langstroth", "Schenk", "Núcleo", "Outro" }));
        EXPECT_EQ(teste::textos_lista(w().combo_status),
                  (std::vector<std::string> { "", "Ativa", "Fraca", "Órfã", "Zanganeira", "Morta", "Vendida",
                                              "Unida", "Perdida" }));
        EXPECT_EQ(teste::textos_lista(w().combo_apiario),
                  (std::vector<std::string> { "", BOA_ESPERANCA, "Apiário Fronteira", SANTA_LUZIA, TRES_IRMAOS }));
        EXPECT_EQ(listadas(), Linhas());
        EXPECT_EQ(mostrada(), "||||||");
        EXPECT_FALSE(w().frame_revisoes->get_sensitive());

        // A new hive, typed with its masks.
        preencher("Langstroth", "Ativa", "00004-00002", SANTA_LUZIA);
        teste::digitar(w().entry_instalacao, "01032024");
        w().entry_obs->set_text("Perto do açude");
        saida.tomar();
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(linha(1), "Langstroth|Ativa|4|2|01/03/2024|Perto do açude");
        const std::string s = saida.tomar();
        EXPECT_NE(s.find("insert into cadastro.colmeia ( tipo, status, id_abelha, id_apiario, data_instalacao, obs) "
                         "values ( 'Langstroth', 'Ativa', 4, 2, '2024-03-01', 'Perto do açude') returning  "
                         "id_colmeia;\n"),
                  std::string::npos)
            << s;
        EXPECT_NE(s.find("6 - 1\n"), std::string::npos) << s;
        EXPECT_EQ(mostrada(), "1|Langstroth|Ativa|00004-00002|Apiário Santa Luzia|01/03/2024|Perto do açude");
        EXPECT_EQ(listadas(), (Linhas { { "1", "Langstroth", "Ativa", "00004-00002", "Branca", SANTA_LUZIA, "" } }));
        EXPECT_TRUE(w().frame_revisoes->get_sensitive());

        // Cancelar: the fields cleared for a new hive, which gets the next key.
        teste::clicar(w().button_cancelar_colmeia);
        EXPECT_EQ(mostrada(), "||||||");
        preencher("Schenk", "Fraca", "", TRES_IRMAOS);
        teste::clicar(w().button_salvar_colmeia);
        preencher("Núcleo", "Ativa", "00005-00004", BOA_ESPERANCA);
        teste::clicar(w().button_cancelar_colmeia);
        preencher("Núcleo", "Ativa", "00005-00004", BOA_ESPERANCA);
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(contagem("colmeia"), "3");
        EXPECT_EQ(listadas(), (Linhas { { "1", "Langstroth", "Ativa", "00004-00002", "Branca", SANTA_LUZIA, "" },
                                        { "2", "Schenk", "Fraca", "", "", TRES_IRMAOS, "" },
                                        { "3", "Núcleo", "Ativa", "00005-00004", "Vermelha", BOA_ESPERANCA, "" } }));

        // Choosing a row shows that hive; Salvar stores it, not a new one.
        escolher_linha(w().treeview_colmeias, 1);
        EXPECT_EQ(mostrada(), "2|Schenk|Fraca||Apiário Três Irmãos||");
        EXPECT_TRUE(escolher(w().combo_status, "Órfã"));
        w().entry_rainha->set_text("00008-00000");
        EXPECT_TRUE(escolher(w().combo_apiario, BOA_ESPERANCA));
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(contagem("colmeia"), "3");
        EXPECT_EQ(linha(2), "Schenk|Órfã|8|1|null|");
        EXPECT_EQ(mostrada(), "2|Schenk|Órfã|00008-00000|Apiário Boa Esperança||");

        // Pesquisar: what is chosen, each alone and together.
        teste::clicar(w().button_cancelar_colmeia);
        EXPECT_TRUE(escolher(w().combo_apiario, BOA_ESPERANCA));
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas().size(), 2u);
        EXPECT_EQ(listadas()[0][0], "2");
        EXPECT_EQ(listadas()[1][0], "3");
        EXPECT_TRUE(escolher(w().combo_tipo, "Núcleo"));
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas(), (Linhas { { "3", "Núcleo", "Ativa", "00005-00004", "Vermelha", BOA_ESPERANCA, "" } }));
        teste::clicar(w().button_cancelar_colmeia);
        EXPECT_EQ(listadas().size(), 3u);
        EXPECT_TRUE(escolher(w().combo_status, "Ativa"));
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas().size(), 2u);
        teste::clicar(w().button_cancelar_colmeia);
        EXPECT_TRUE(escolher(w().combo_tipo, "Langstroth"));
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas(), (Linhas { { "1", "Langstroth", "Ativa", "00004-00002", "Branca", SANTA_LUZIA, "" } }));
        teste::clicar(w().button_cancelar_colmeia);
        w().entry_rainha->set_text("00008-00000");
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas(), (Linhas { { "2", "Schenk", "Órfã", "00008-00000", "Branca", BOA_ESPERANCA, "" } }));
        w().entry_rainha->set_text("00099-00000");
        teste::clicar(w().button_pesquisar);
        EXPECT_EQ(listadas(), Linhas());
        // Nothing typed into the fields was stored by the searches.
        EXPECT_EQ(contagem("colmeia"), "3");

        // Hive 1 with two inspections: the question says they go with it.
        teste::clicar(w().button_cancelar_colmeia);
        escolher_linha(w().treeview_colmeias, 0);
        revisao("02/03/2024", "Ativa", "4,5");
        revisao("20/03/2024", "Fraca", "");
        EXPECT_EQ(contagem("revisao"), "2");
        teste::clicar(w().button_excluir_colmeia);
    });
    r.responder("Deseja realmente excluir esse item?", "A colméia 1 tem 2 revisões, que serão excluídas com ela.",
                Gtk::RESPONSE_CANCEL);
    r.passo([this] {
        EXPECT_EQ(contagem("colmeia"), "3");
        EXPECT_EQ(contagem("revisao"), "2");
        EXPECT_EQ(cv()->get_colmeia_mostrada(), 1);
        teste::clicar(w().button_excluir_colmeia);
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem("colmeia"), "2");
        EXPECT_EQ(contagem("revisao"), "0");
        EXPECT_EQ(linha(1), "");
        EXPECT_EQ(mostrada(), "||||||");
        EXPECT_EQ(listadas().size(), 2u);
        // Her queen is free again.
        escolher_linha(w().treeview_colmeias, 0);
        EXPECT_EQ(cv()->get_colmeia_mostrada(), 2);
        w().entry_rainha->set_text("00004-00002");
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(linha(2), "Schenk|Órfã|4|1|null|");
        // A hive without inspections says so; nothing shown, nothing to delete.
        teste::clicar(w().button_excluir_colmeia);
    });
    r.responder("Deseja realmente excluir esse item?", "A colméia 2 não tem revisões.", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem("colmeia"), "1");
        teste::clicar(w().button_excluir_colmeia);
    });
    r.responder("Nenhuma colméia exibida: escolha na lista a colméia a excluir.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(contagem("colmeia"), "1"); });
    rodar(r);
}

TEST_P(Colmeias, UmaRainhaPorColmeiaEEntradasRecusadas)
{
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::COLMEIAS);
    r.passo([this, &antes] {
        preencher("Outro", "Ativa", "00004-00002", BOA_ESPERANCA);
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(linha(1), "Outro|Ativa|4|1|null|");
        antes = banco->despejo();
        teste::clicar(w().button_cancelar_colmeia);
        preencher("Schenk", "Ativa", "00004-00002", SANTA_LUZIA, "", "segunda");
        teste::clicar(w().button_salvar_colmeia);
    });
    r.responder("A rainha 00004-00002 já está na colméia 1.", Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        // The typed fields stay for the user to mend.
        EXPECT_EQ(mostrada(), "|Schenk|Ativa|00004-00002|Apiário Santa Luzia||segunda");
        w().entry_rainha->set_text("00099-00000");
        teste::clicar(w().button_salvar_colmeia);
    });
    r.responder("Nenhuma abelha rainha tem o RGN informado: escolha uma da lista ou deixe o campo vazio.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        w().entry_rainha->set_text("");
        teste::digitar(w().entry_instalacao, "31022024");
        EXPECT_EQ(w().entry_instalacao->get_text(), "31/02/2024");
        teste::clicar(w().button_salvar_colmeia);
    });
    r.responder("A data de instalação não existe: escreva-a como DD/MM/AAAA.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        w().entry_instalacao->set_text("");
        EXPECT_TRUE(escolher(w().combo_tipo, ""));
        teste::clicar(w().button_salvar_colmeia);
    });
    r.responder("Escolha o tipo da colméia.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_TRUE(escolher(w().combo_tipo, "Schenk"));
        EXPECT_TRUE(escolher(w().combo_apiario, ""));
        teste::clicar(w().button_salvar_colmeia);
    });
    r.responder("Escolha o apiário da colméia.", Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        // Hive 1 keeping its own queen is no conflict.
        escolher_linha(w().treeview_colmeias, 0);
        EXPECT_TRUE(escolher(w().combo_status, "Vendida"));
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(linha(1), "Outro|Vendida|4|1|null|");
        EXPECT_EQ(contagem("colmeia"), "1");

        // The queen's entry offers the RGNs that begin with what is typed.
        teste::clicar(w().button_cancelar_colmeia);
        w().entry_rainha->set_text("0000");
        Glib::RefPtr<Gtk::TreeModel> sugestoes = w().entry_rainha->get_completion()->get_model();
        EXPECT_EQ(sugestoes->children().size(), 8u);
        w().entry_rainha->set_text("00004");
        ASSERT_EQ(sugestoes->children().size(), 1u);
        Glib::ustring rgn;
        sugestoes->children().begin()->get_value(w().entry_rainha->get_completion()->get_text_column(), rgn);
        EXPECT_EQ(rgn, "00004-00002");
        w().entry_rainha->set_text("0000_");
        EXPECT_EQ(sugestoes->children().size(), 0u);
    });
    rodar(r);
}

TEST_P(Colmeias, RevisoesDaMaisNovaParaAMaisVelhaComOStatusDaColmeia)
{
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::COLMEIAS);
    r.passo([this, &antes] {
        preencher("Langstroth", "Ativa", "", BOA_ESPERANCA, "", "sem rainha");
        teste::clicar(w().button_salvar_colmeia);
        revisao("10/03/2024", "Fraca", "12,5", "pouca cria");
        EXPECT_EQ(w().combo_status->get_active_text(), "Fraca");
        EXPECT_EQ(listadas()[0][2], "Fraca");
        EXPECT_EQ(linha(1), "Langstroth|Fraca|null|1|null|sem rainha");
        // The fields were emptied for the next one.
        EXPECT_EQ(w().entry_data_revisao->get_text(), "");
        EXPECT_EQ(w().entry_mel->get_text(), "");
        // An older one changes nothing; a newer one does.
        teste::digitar(w().entry_data_revisao, "01022024");
        EXPECT_EQ(w().entry_data_revisao->get_text(), "01/02/2024");
        EXPECT_TRUE(escolher(w().combo_status_revisao, "Morta"));
        teste::clicar(w().button_adicionar_revisao);
        EXPECT_EQ(w().combo_status->get_active_text(), "Fraca");
        // Unsaved changes to the hive's fields stay as typed.
        w().entry_obs->set_text("ainda não salvo");
        revisao("15/03/2024", "Órfã", "0,250");
        EXPECT_EQ(w().combo_status->get_active_text(), "Órfã");
        EXPECT_EQ(w().entry_obs->get_text(), "ainda não salvo");
        EXPECT_EQ(linha(1), "Langstroth|Órfã|null|1|null|sem rainha");
        // The list shows the status the hive has now.
        EXPECT_EQ(listadas()[0][2], "Órfã");
        EXPECT_EQ(revisoes(), (Linhas { { "15/03/2024", "Órfã", "0,25", "" },
                                        { "10/03/2024", "Fraca", "12,5", "pouca cria" },
                                        { "01/02/2024", "Morta", "0", "" } }));
        antes = banco->despejo();
        revisao("20/03/2024", "Ativa", "-1");
    });
    const char* const MEL = "O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5).";
    r.responder(MEL, Gtk::RESPONSE_CLOSE);
    r.passo([this] { revisao("20/03/2024", "Ativa", "muito"); });
    r.responder(MEL, Gtk::RESPONSE_CLOSE);
    r.passo([this] { revisao("31/02/2024", "Ativa", "1"); });
    r.responder("A data da revisão não existe: escreva-a como DD/MM/AAAA.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { revisao("20/03/2024", "", "1"); });
    r.responder("Escolha o status visto na revisão.", Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_EQ(revisoes().size(), 3u);
        // Deleting one: asked first, and nothing chosen says so.
        w().treeview_revisoes->get_selection()->unselect_all();
        teste::clicar(w().button_excluir_revisao);
    });
    r.responder("Escolha na lista a revisão a excluir.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        escolher_linha(w().treeview_revisoes, 1);
        teste::clicar(w().button_excluir_revisao);
    });
    r.responder("Deseja realmente excluir essa revisão?", "Revisão de 10/03/2024 da colméia 1.",
                Gtk::RESPONSE_CANCEL);
    r.passo([this] {
        EXPECT_EQ(contagem("revisao"), "3");
        escolher_linha(w().treeview_revisoes, 1);
        teste::clicar(w().button_excluir_revisao);
    });
    r.responder("Deseja realmente excluir essa revisão?", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(contagem("revisao"), "2");
        EXPECT_EQ(revisoes(), (Linhas { { "15/03/2024", "Órfã", "0,25", "" }, { "01/02/2024", "Morta", "0", "" } }));
        EXPECT_EQ(linha(1), "Langstroth|Órfã|null|1|null|sem rainha");
        // Another hive shows its own inspections (none).
        teste::clicar(w().button_cancelar_colmeia);
        EXPECT_EQ(revisoes(), Linhas());
        preencher("Schenk", "Ativa", "", SANTA_LUZIA);
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(revisoes(), Linhas());
        escolher_linha(w().treeview_colmeias, 0);
        EXPECT_EQ(revisoes().size(), 2u);
        // The inspections changed the hive's row: its save goes on from the
        // row as they left it.
        w().entry_obs->set_text("depois das revisões");
        teste::clicar(w().button_salvar_colmeia);
        EXPECT_EQ(linha(1), "Langstroth|Órfã|null|1|null|depois das revisões");
        // Another computer adds one now: the save of what this one shows is
        // refused, and the hive is shown as it is stored.
        EXPECT_EQ(banco->executar("insert into cadastro.revisao (id_colmeia, data_revisao, status) "
                                  "values (1, '2024-04-01', 'Morta')"),
                  "");
        w().entry_obs->set_text("sobre a cópia velha");
        teste::clicar(w().button_salvar_colmeia);
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_EQ(linha(1), "Langstroth|Morta|null|1|null|depois das revisões");
        EXPECT_EQ(mostrada(), "1|Langstroth|Morta||" + std::string(BOA_ESPERANCA) + "||depois das revisões");
        EXPECT_EQ(revisoes().size(), 3u);
    });
    rodar(r);
}
