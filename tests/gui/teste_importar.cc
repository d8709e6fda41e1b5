// "Importar Planilha" driven through its widgets: an administrator opens it
// from the menu, a file with a wrong row shows which row and why with
// Importar off, a right file (Latin-1, commas) is imported and stored, and
// someone who is no administrator finds the item off and the window refused.
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "gui/form_importar.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "support/banco_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

class ImportarPlanilha : public teste::SistemaTeste
{
protected:
    FormImportar* fi() { return form<FormImportar>(ids::IMPORTAR); }
    static std::string escrever(const std::string& nome, const std::string& bytes)
    {
        const std::string caminho = teste::pasta_temporaria() + "/" + nome;
        std::ofstream(caminho, std::ios::binary) << bytes;
        return caminho;
    }
    std::string apiarios()
    {
        return banco->unidos("select nome, cod_cid, data_criacao from cadastro.apiario where id_apiario > 4 order by 1");
    }
};

} // namespace

TEST_F(ImportarPlanilha, LinhaErradaApontadaEPlanilhaCertaImportada)
{
    const std::string errada = escrever("errada.csv", "Apiário;Município;UF;Desde;Produção (florada)\r\n"
                                                      "Novo;Dourados;MS;01/02/2020;Eucalipto\r\n"
                                                      "Outro;Campo Grande;MT;01/02/2020;Eucalipto\r\n");
    // Latin-1 and commas, as a spreadsheet of an older Windows saves it.
    const std::string certa = escrever("certa.csv", "Api\xE1rio,Munic\xEDpio,UF,Desde,Florada\r\n"
                                                    "Novo,Dourados,MS,01/02/2020,Eucalipto\r\n"
                                                    "S\xE3o Jo\xE3o,Ponta Por\xE3,MS,3/4/2021,Eucalipto\r\n");
    Roteiro r;
    entrar(r);
    r.passo([this] { EXPECT_TRUE(teste::item_menu(*sistema, ids::IMPORTAR).is_sensitive()); });
    abrir(r, ids::IMPORTAR);
    r.passo([this, errada, certa] {
        const WidgetsImportar& w = fi()->widgets();
        EXPECT_EQ(fi()->janela()->get_title(), "Importar Planilha");
        EXPECT_EQ(teste::textos_lista(w.combo_tipo),
                  (std::vector<std::string> { "Apiários", "Colméias", "Rainhas", "Revisões" }));
        EXPECT_FALSE(w.button_importar->is_sensitive());

        w.entry_arquivo->set_text(errada);
        teste::clicar(w.button_conferir);
        EXPECT_EQ(teste::linhas(w.treeview_linhas),
                  (std::vector<std::vector<std::string>> {
                      { "2", "certa", "Novo ; Dourados ; MS ; 01/02/2020 ; Eucalipto" },
                      { "3", "município desconhecido (Campo Grande/MT)", "Outro ; Campo Grande ; MT ; 01/02/2020 ; Eucalipto" } }));
        EXPECT_EQ(w.label_resumo->get_text(), "2 linhas conferidas: 1 com problema. Corrija a planilha e confira de "
                                              "novo: nada é importado enquanto houver um problema.");
        EXPECT_FALSE(w.button_importar->is_sensitive());
        EXPECT_EQ(apiarios(), "");

        // Another kind for the same file: its columns are not there.
        w.combo_tipo->set_active(2);
        EXPECT_TRUE(teste::linhas(w.treeview_linhas).empty());
        teste::clicar(w.button_conferir);
        EXPECT_EQ(w.label_resumo->get_text(), "A planilha não tem a coluna \"RGN\", que as rainhas precisam.");
        EXPECT_FALSE(w.button_importar->is_sensitive());

        w.combo_tipo->set_active(0);
        w.entry_arquivo->set_text(certa);
        teste::clicar(w.button_conferir);
        EXPECT_EQ(w.label_resumo->get_text(), "2 linhas conferidas: todas certas.");
        EXPECT_EQ(teste::celula(w.treeview_linhas, 2, 1), "São João ; Ponta Porã ; MS ; 3/4/2021 ; Eucalipto");
        ASSERT_TRUE(w.button_importar->is_sensitive());
        // Changing the file asks for a new check first.
        w.entry_arquivo->set_text(certa + " ");
        EXPECT_FALSE(w.button_importar->is_sensitive());
        w.entry_arquivo->set_text(certa);
        teste::clicar(w.button_conferir);
        teste::clicar(w.button_importar);
    });
    r.responder("2 registros importados.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        const WidgetsImportar& w = fi()->widgets();
        EXPECT_EQ(apiarios(), "Novo|5003702|2020-02-01|São João|5006606|2021-04-03|");
        EXPECT_EQ(w.label_resumo->get_text(), "2 registros importados.");
        EXPECT_FALSE(w.button_importar->is_sensitive());
        EXPECT_TRUE(teste::linhas(w.treeview_linhas).empty());
        // The same file again: every row already stored is said, nothing repeats.
        teste::clicar(w.button_conferir);
        EXPECT_EQ(teste::celula(w.treeview_linhas, 1, 0), "já há um apiário chamado Novo");
        EXPECT_FALSE(w.button_importar->is_sensitive());
        fi()->janela()->hide();
    });
    esperar_fechado(r, ids::IMPORTAR, "the form to close");
    rodar(r);
}

TEST_F(ImportarPlanilha, QuemNaoEAdministradorNaoAbre)
{
    Roteiro r;
    entrar(r, "maria", "abelha");
    r.passo([this] {
        EXPECT_FALSE(teste::item_menu(*sistema, ids::IMPORTAR).is_sensitive());
        sistema->carregar_cadastro(ids::IMPORTAR, sistema->get_janela_principal());
    });
    r.responder("Somente administradores podem abrir esta janela.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(sistema->formulario_aberto(ids::IMPORTAR), nullptr); });
    rodar(r);
}
