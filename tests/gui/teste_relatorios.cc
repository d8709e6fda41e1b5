// "Relatórios" driven through its widgets: opened from its menu, the report
// chosen and its period typed through the date masks, the preview made with
// one apiary marked, a period that ends before it begins refused with the
// filters kept, the PDF and the CSV written (and a folder that does not
// exist named in the refusal), and the toolkit's print written to a file as
// "Imprimir para arquivo" does, with as many pages as the preview.
#include <string>

#include <gtest/gtest.h>

#include "gui/colmeia_view.h"
#include "gui/exportar_lista.h"
#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_lote_mel.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_produto.h"
#include "gui/form_relatorios.h"
#include "gui/form_usuario.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "support/leitura_arquivos.h"

using Roteiro = teste::RoteiroTeste;

namespace {

class Relatorios : public teste::SistemaTeste
{
protected:
    FormRelatorios* fr() { return form<FormRelatorios>(ids::RELATORIOS); }
    static void digitar(Gtk::Entry* e, const std::string& texto)
    {
        e->set_text("");
        for (char c : texto)
            e->set_text(e->get_text() + std::string(1, c));
    }
};

} // namespace

TEST_F(Relatorios, ProducaoVisualizadaExportadaEImpressa)
{
    ASSERT_EQ(banco->executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
                              "(1, 'Langstroth', 'Ativa', 1), (2, 'Langstroth', 'Ativa', 2);"
                              "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) values "
                              "(1, '2025-03-10', 'Ativa', 12.5), (2, '2025-04-10', 'Ativa', 7.5), "
                              "(2, '2024-04-10', 'Ativa', 4)"),
              "");
    const std::string pasta = teste::pasta_temporaria();
    Roteiro r;
    entrar(r);
    abrir(r, ids::RELATORIOS);
    r.passo([this] {
        const WidgetsRelatorios& w = fr()->widgets();
        EXPECT_EQ(fr()->janela()->get_title(), "Relatórios");
        EXPECT_EQ(teste::textos_lista(w.combo_relatorio),
                  (std::vector<std::string> { "Cadastro de apiários", "Caderno de campo", "Tratamentos e carências",
                                              "Ocorrências sanitárias", "Movimentações", "Produção por apiário",
                                              "Rainhas", "Ficha de campo", "Ficha da colméia", "Lotes e rastreabilidade",
                                              "Desempenho das matrizes", "Colméias", "Revisões" }));
        EXPECT_EQ(w.label_pagina->get_text(), "Escolha o relatório e os filtros e clique em Visualizar.");
        w.combo_relatorio->set_active(5);
        digitar(w.entry_de, "31122025");
        digitar(w.entry_ate, "01012025");
        EXPECT_EQ(w.entry_de->get_text(), "31/12/2025");
        w.button_visualizar->clicked();
    });
    r.responder("O relatório não pôde ser feito.",
                "O período termina em 01/01/2025, antes de começar, em 31/12/2025: troque as datas.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this, pasta] {
        const WidgetsRelatorios& w = fr()->widgets();
        EXPECT_EQ(w.entry_de->get_text(), "31/12/2025");
        EXPECT_EQ(fr()->get_paginas(), 0);
        digitar(w.entry_de, "01012025");
        digitar(w.entry_ate, "31122025");
        // Santa Luzia alone.
        w.treeview_apiarios->get_selection()->select(Gtk::TreePath("1"));
        ASSERT_TRUE(fr()->visualizar());
        EXPECT_EQ(w.label_pagina->get_text(), "Página 1 de 1");
        const RELATORIO& rel = fr()->get_relatorio();
        EXPECT_EQ(rel.filtros, (std::vector<std::string> { "Período: 01/01/2025 a 31/12/2025",
                                                           "Apiário: Apiário Santa Luzia" }));
        ASSERT_EQ(rel.tabelas.size(), 1u);
        ASSERT_EQ(rel.tabelas[0].linhas.size(), 2u);
        EXPECT_EQ(rel.tabelas[0].linhas[0].celulas[3].mostrado(), "7,5");
        EXPECT_EQ(rel.tabelas[0].linhas[0].celulas[5].mostrado(), "4,0");
        fr()->exportar(true, pasta + "/producao.pdf");
    });
    r.responder("Relatório gravado em " + pasta + "/producao.pdf.", Gtk::RESPONSE_CLOSE);
    r.passo([this, pasta] { fr()->exportar(false, pasta + "/falta/producao.csv"); });
    r.responder("O relatório não foi gravado.",
                "Não foi possível gravar o arquivo " + pasta + "/falta/producao.csv: a pasta não existe.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this, pasta] { fr()->exportar(false, pasta + "/producao.csv"); });
    r.responder("Relatório gravado em " + pasta + "/producao.csv.", Gtk::RESPONSE_CLOSE);
    r.passo([this, pasta] {
        EXPECT_EQ(teste::paginas_pdf(pasta + "/producao.pdf"), 1);
        const std::string texto = teste::texto_pdf(pasta + "/producao.pdf");
        EXPECT_NE(texto.find("Apiário Santa Luzia"), std::string::npos) << texto;
        EXPECT_EQ(texto.find("Apiário Boa Esperança"), std::string::npos) << texto;
        const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/producao.csv"));
        ASSERT_EQ(csv.size(), 3u);
        EXPECT_EQ(csv[1][0] + "|" + csv[1][3] + "|" + csv[1][5], "Apiário Santa Luzia|7,5|4,0");
        // The toolkit's print, to a file.
        EXPECT_TRUE(fr()->imprimir(Gtk::PRINT_OPERATION_ACTION_EXPORT, pasta + "/impresso.pdf"));
        EXPECT_EQ(teste::paginas_pdf(pasta + "/impresso.pdf"), fr()->get_paginas());
        EXPECT_NE(teste::texto_pdf(pasta + "/impresso.pdf").find("Produção por apiário"), std::string::npos);
        EXPECT_FALSE(fr()->widgets().button_proxima->is_sensitive());
        fr()->janela()->hide();
    });
    esperar_fechado(r, ids::RELATORIOS, "the form to close");
    rodar(r);
}

// "Exportar CSV" of the product list, the apiary search, a hive's journal,
// the user search and the honey lots: the file holds the rows as the list
// shows them, under its column titles.
TEST_F(Relatorios, ListasExportadasComoAparecem)
{
    ASSERT_EQ(banco->executar("insert into cadastro.colmeia (id_colmeia, tipo, status, id_apiario) values "
                              "(1, 'Langstroth', 'Ativa', 1);"
                              "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs) values "
                              "(1, '2025-03-10', 'Ativa', 12.5, '=1+1; \"cera\"'), (1, '2025-04-10', 'Fraca', 0, '')"),
              "");
    const std::string pasta = teste::pasta_temporaria();
    Roteiro r;
    entrar(r);
    abrir(r, ids::PRODUTOS);
    r.passo([this, pasta] {
        const WidgetsProduto& w = form<FORM_PRODUTO>(ids::PRODUTOS)->widgets();
        EXPECT_EQ(w.button_exportar_csv->get_label(), "Exportar CSV");
        std::string erro;
        ASSERT_TRUE(lista_para_csv(*w.treeview_produtos, "Produtos", pasta + "/produtos.csv", &erro)) << erro;
        auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/produtos.csv"));
        ASSERT_FALSE(csv.empty());
        EXPECT_EQ(csv[0], teste::titulos(w.treeview_produtos));
        csv.erase(csv.begin());
        EXPECT_EQ(csv, teste::linhas(w.treeview_produtos));
        EXPECT_EQ(csv.size(), 6u);
        form<FORM_PRODUTO>(ids::PRODUTOS)->janela()->hide();
    });
    esperar_fechado(r, ids::PRODUTOS, "the products to close");
    abrir(r, ids::APIARIOS);
    abrir_busca(r, ids::APIARIOS, ids::BUSCA_APIARIO);
    r.passo([this, pasta] {
        FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
        b->widgets().entry_pesquisa->set_text("Apiário");
        std::string erro;
        ASSERT_TRUE(lista_para_csv(*b->widgets().treeview_resultado, "Apiários", pasta + "/apiarios.csv", &erro))
            << erro;
        const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/apiarios.csv"));
        ASSERT_EQ(csv.size(), 5u);
        EXPECT_EQ(csv[0], (std::vector<std::string> { "ID", "Nome", "Região" }));
        EXPECT_EQ(std::vector<std::vector<std::string>>(csv.begin() + 1, csv.end()),
                  teste::linhas(b->widgets().treeview_resultado));
        b->janela()->hide();
    });
    esperar_fechado(r, ids::BUSCA_APIARIO, "the search to close");
    r.passo([this] { form<FormApiario>(ids::APIARIOS)->janela()->hide(); });
    esperar_fechado(r, ids::APIARIOS, "the apiaries to close");
    // The journal of the hive shown in the hive window.
    abrir(r, ids::COLMEIAS);
    r.passo([this, pasta] {
        COLMEIA_VIEW* c = form<COLMEIA_VIEW>(ids::COLMEIAS);
        const WidgetsColmeia& w = c->widgets();
        EXPECT_EQ(w.button_exportar_diario->get_label(), "Exportar CSV");
        w.treeview_colmeias->get_selection()->select(Gtk::TreePath("0"));
        std::string erro;
        ASSERT_TRUE(lista_para_csv(*w.treeview_diario, "Diário da colméia", pasta + "/diario.csv", &erro)) << erro;
        const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/diario.csv"));
        ASSERT_GE(csv.size(), 1u);
        EXPECT_EQ(csv[0], (std::vector<std::string> { "Data", "Tipo", "Resumo" }));
        EXPECT_EQ(std::vector<std::vector<std::string>>(csv.begin() + 1, csv.end()), teste::linhas(w.treeview_diario));
        EXPECT_EQ(csv.size(), 3u);
        c->janela()->hide();
    });
    esperar_fechado(r, ids::COLMEIAS, "the hives to close");
    // The users found, and the honey lots listed.
    abrir(r, ids::USUARIOS);
    abrir_busca(r, ids::USUARIOS, ids::BUSCA_USUARIO);
    r.passo([this, pasta] {
        FormPesquisaUsuario* b = form<FormPesquisaUsuario>(ids::BUSCA_USUARIO);
        EXPECT_EQ(b->widgets().button_exportar_csv->get_label(), "Exportar CSV");
        b->widgets().entry_pesquisa->set_text(
            banco->valor("select left(nome, 1) from cadastro.usuario order by id_usuario limit 1"));
        std::string erro;
        ASSERT_TRUE(lista_para_csv(*b->widgets().treeview_usuarios, "Usuários", pasta + "/usuarios.csv", &erro))
            << erro;
        const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/usuarios.csv"));
        ASSERT_GE(csv.size(), 2u);
        EXPECT_FALSE(teste::linhas(b->widgets().treeview_usuarios).empty());
        EXPECT_EQ(csv[0], teste::titulos(b->widgets().treeview_usuarios));
        EXPECT_EQ(std::vector<std::vector<std::string>>(csv.begin() + 1, csv.end()),
                  teste::linhas(b->widgets().treeview_usuarios));
        b->janela()->hide();
    });
    esperar_fechado(r, ids::BUSCA_USUARIO, "the user search to close");
    r.passo([this] { form<FormUsuario>(ids::USUARIOS)->janela()->hide(); });
    esperar_fechado(r, ids::USUARIOS, "the users to close");
    abrir(r, ids::LOTES_MEL);
    r.passo([this, pasta] {
        const WidgetsLoteMel& w = form<FORM_LOTE_MEL>(ids::LOTES_MEL)->widgets();
        EXPECT_EQ(w.button_exportar_csv->get_label(), "Exportar CSV");
        std::string erro;
        ASSERT_TRUE(lista_para_csv(*w.treeview_lotes, "Lotes de mel", pasta + "/lotes.csv", &erro)) << erro;
        const auto csv = teste::ler_csv(teste::ler_arquivo(pasta + "/lotes.csv"));
        // No lot yet: the file says so under the titles.
        EXPECT_TRUE(teste::linhas(w.treeview_lotes).empty());
        EXPECT_EQ(csv, (std::vector<std::vector<std::string>> { teste::titulos(w.treeview_lotes),
                                                                { "Nenhum registro na lista." } }));
        form<FORM_LOTE_MEL>(ids::LOTES_MEL)->janela()->hide();
    });
    esperar_fechado(r, ids::LOTES_MEL, "the lots to close");
    rodar(r);
}
