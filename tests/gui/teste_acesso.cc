// "Níveis de Acesso": the list, picking a level, New, Edit, Save, Cancel and
// Delete with its dialogs, on the real window.
#include <gtest/gtest.h>

#include "gui/form_acesso.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

typedef std::vector<std::vector<std::string>> Linhas;

class NiveisDeAcesso : public teste::SistemaTeste
{
protected:
    FormAcesso* f() { return form<FormAcesso>(ids::NIVEIS); }

    // Picks the row of the list showing that description, as a double click.
    void escolher(const std::string& descricao)
    {
        Linhas l = teste::linhas(f()->widgets().treeview_niveis);
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (l[i][1] == descricao) {
                Gtk::TreePath caminho;
                caminho.push_back(int(i));
                f()->widgets().treeview_niveis->row_activated(caminho, *f()->widgets().treeview_niveis->get_column(0));
                return;
            }
        }
        ADD_FAILURE() << "no row " << descricao;
    }

    // New, Edit, Delete, Save, Cancel sensitivity, in that order.
    std::string botoes()
    {
        std::string s;
        for (Gtk::Widget* b : { (Gtk::Widget*)f()->widgets().button_novo, (Gtk::Widget*)f()->widgets().button_editar,
                                (Gtk::Widget*)f()->widgets().button_excluir, (Gtk::Widget*)f()->widgets().button_salvar,
                                (Gtk::Widget*)f()->widgets().button_cancelar })
            s += b->is_sensitive() ? '1' : '0';
        return s;
    }

    std::string niveis() { return banco->despejo(); }
};

} // namespace

TEST_F(NiveisDeAcesso, MontagemListaOrdenadaEEstadoDeNavegacao)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::NIVEIS);
    r.passo([this] {
        FormAcesso* a = f();
        EXPECT_EQ(a->janela()->get_title(), "Níveis de Acesso");
        std::vector<Gtk::ToolItem*> barra = teste::itens_da_barra(a->widgets().button_novo);
        std::vector<Gtk::ToolItem*> esperado = { a->widgets().button_novo, a->widgets().button_editar,
            a->widgets().button_salvar, a->widgets().button_cancelar, a->widgets().button_excluir };
        EXPECT_EQ(barra, esperado);
        EXPECT_EQ(a->widgets().button_excluir->get_stock_id(), "gtk-delete");

        std::map<Gtk::Widget*, std::string> nomes = {
            { a->widgets().entry_codigo, "codigo" }, { a->widgets().entry_descricao, "descricao" },
            { a->widgets().entry_nivel, "nivel" }, { a->widgets().treeview_niveis, "lista" } };
        std::vector<std::string> esperado_conteudo = { "[Nível de acesso]", "Código:\t", "{codigo}",
            "Descrição:\t", "{descricao}", "Nível:\t", "{nivel}", "{lista}" };
        EXPECT_EQ(teste::conteudo(a->janela(), nomes), esperado_conteudo);
        int largura, altura;
        a->widgets().entry_descricao->get_size_request(largura, altura);
        EXPECT_EQ(largura, 265);
        a->widgets().entry_nivel->get_size_request(largura, altura);
        EXPECT_EQ(largura, 100);
        a->widgets().treeview_niveis->get_size_request(largura, altura);
        EXPECT_EQ(altura, 150);
        EXPECT_FALSE(a->widgets().entry_codigo->is_sensitive());

        // Browse state.
        EXPECT_EQ(botoes(), "10000");
        EXPECT_FALSE(a->widgets().entry_descricao->get_editable());
        EXPECT_FALSE(a->widgets().entry_nivel->get_editable());
        std::string s = saida.tomar();
        EXPECT_NE(s.find("3 - 1\nCarregando dados\n"
                         "select id_acesso, nivel_acesso, desc_acesso, xmin from cadastro.acesso order by desc_acesso\n"),
                  std::string::npos) << s;

        std::vector<std::string> colunas = { "Código", "Descrição do Nível de Acesso", "Nível de Acesso" };
        EXPECT_EQ(teste::titulos(a->widgets().treeview_niveis), colunas);
        for (Gtk::TreeViewColumn* c : a->widgets().treeview_niveis->get_columns())
            EXPECT_TRUE(c->get_reorderable());
        Linhas esperado_linhas = { { "0001", "Administrador", "3" }, { "0002", "Gerente", "2" },
                                   { "0003", "Operador", "1" } };
        EXPECT_EQ(teste::linhas(a->widgets().treeview_niveis), esperado_linhas);
    });
    // A level whose description sorts first goes to the top, its code with
    // four digits, the level in plain (below the administrators', which
    // stays the highest).
    r.passo([this] {
        EXPECT_EQ(banco->executar("update cadastro.acesso set nivel_acesso = 30 where id_acesso = 1;"
                                  "insert into cadastro.acesso values (7, 'Abelheiro', 12)"), "");
    });
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
    });
    r.passo([this] {
        Linhas l = teste::linhas(f()->widgets().treeview_niveis);
        ASSERT_EQ(l.size(), 4u);
        EXPECT_EQ(l[0], (std::vector<std::string>{ "0007", "Abelheiro", "12" }));
        escolher("Abelheiro");
        EXPECT_EQ(f()->widgets().entry_codigo->get_text(), "7");
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "Abelheiro");
        EXPECT_EQ(f()->widgets().entry_nivel->get_text(), "12");
        EXPECT_EQ(botoes(), "01101");
        EXPECT_FALSE(f()->widgets().entry_descricao->get_editable());
    });
    rodar(r);
}

TEST_F(NiveisDeAcesso, NovoEditarECancelar)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::NIVEIS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        EXPECT_EQ(botoes(), "00011");
        EXPECT_TRUE(f()->widgets().entry_descricao->get_editable());
        EXPECT_TRUE(f()->widgets().entry_nivel->get_editable());
        EXPECT_EQ(f()->janela()->get_focus(), f()->widgets().entry_descricao);

        // Enter walks from the description to the level and on to Save.
        f()->widgets().entry_descricao->activate();
        EXPECT_EQ(f()->janela()->get_focus(), f()->widgets().entry_nivel);
        f()->widgets().entry_nivel->activate();
        EXPECT_EQ(f()->janela()->get_focus(), f()->widgets().button_salvar->get_child());

        // Only digits stay in the level.
        f()->widgets().entry_descricao->set_text("Visitante d'Oeste");
        f()->widgets().entry_nivel->set_text("0");
        f()->widgets().entry_nivel->set_text("0x");
        EXPECT_EQ(f()->widgets().entry_nivel->get_text(), "0");
        saida.tomar();
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(banco->valor("select nivel_acesso from cadastro.acesso where desc_acesso = 'Visitante d''Oeste'"),
                  "0");
        EXPECT_NE(saida.tomar().find("1\n0\ninsert into cadastro.acesso ( desc_acesso, nivel_acesso) values ( "
                                     "'Visitante d''Oeste', 0) returning  id_acesso;\n"),
                  std::string::npos);
        // Back to browsing: fields emptied, list reloaded.
        EXPECT_EQ(botoes(), "10000");
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "");
        EXPECT_EQ(teste::linhas(f()->widgets().treeview_niveis).size(), 4u);
        EXPECT_EQ(teste::linhas(f()->widgets().treeview_niveis)[3][1], "Visitante d'Oeste");

        escolher("Gerente");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        EXPECT_EQ(botoes(), "00011");
        EXPECT_TRUE(f()->widgets().entry_descricao->get_editable());
        // Edit keeps the picked level on show.
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "Gerente");
        f()->widgets().entry_descricao->set_text("Supervisor");
        f()->widgets().entry_nivel->set_text("0");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(banco->valor("select desc_acesso || ' ' || nivel_acesso from cadastro.acesso where id_acesso = 2"),
                  "Supervisor 0");
        EXPECT_NE(saida.tomar().find("update cadastro.acesso set  desc_acesso='Supervisor', nivel_acesso=0 "
                                     "WHERE id_acesso=2 and xmin='"),
                  std::string::npos);
        Linhas l = teste::linhas(f()->widgets().treeview_niveis);
        EXPECT_EQ(l[2], (std::vector<std::string>{ "0002", "Supervisor", "0" }));

        // Cancel after typing: nothing stored, fields emptied.
        escolher("Operador");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        f()->widgets().entry_descricao->set_text("Mudado");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
        EXPECT_EQ(botoes(), "10000");
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "");
        EXPECT_EQ(banco->valor("select desc_acesso from cadastro.acesso where id_acesso = 3"), "Operador");
    });
    rodar(r);
}

TEST_F(NiveisDeAcesso, SalvarRecusadoDizPorQueEGuardaDepoisDeCorrigido)
{
    std::string antes = niveis();
    Roteiro r;
    entrar(r);
    abrir(r, ids::NIVEIS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        f()->widgets().entry_descricao->set_text("Enorme");
        // More than an integer column holds.
        f()->widgets().entry_nivel->set_text("99999999999");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", "O nível digitado é grande demais.", Gtk::RESPONSE_CLOSE);
    r.passo([this, antes] {
        // The form stays as it was, New still pending: fixed, it saves.
        EXPECT_EQ(botoes(), "00011");
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "Enorme");
        EXPECT_TRUE(f()->inserindo());
        EXPECT_EQ(niveis(), antes);
        f()->widgets().entry_nivel->set_text("2");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_FALSE(f()->inserindo());
        EXPECT_EQ(botoes(), "10000");
        EXPECT_EQ(banco->valor("select count(*) || ' ' || max(nivel_acesso) from cadastro.acesso "
                               "where desc_acesso = 'Enorme'"),
                  "1 2");
    });
    rodar(r);
}

// A level another desktop changed since the list was loaded: its save and
// its delete are refused, saying so, and the form shows it as it now is.
TEST_F(NiveisDeAcesso, NivelMudadoNoutraEstacaoNaoESobrescrito)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::NIVEIS);
    r.passo([this] {
        escolher("Gerente");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        f()->widgets().entry_descricao->set_text("Gerente desta estação");
        ASSERT_EQ(banco->executar("update cadastro.acesso set desc_acesso = 'Gerente da outra', nivel_acesso = 0 "
                                  "where id_acesso = 2"),
                  "");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_FALSE(f()->editando());
        EXPECT_EQ(f()->widgets().entry_codigo->get_text(), "2");
        EXPECT_EQ(f()->widgets().entry_descricao->get_text(), "Gerente da outra");
        EXPECT_EQ(f()->widgets().entry_nivel->get_text(), "0");
        EXPECT_FALSE(f()->widgets().entry_descricao->get_editable());
        EXPECT_EQ(banco->valor("select desc_acesso from cadastro.acesso where id_acesso = 2"), "Gerente da outra");
        // Changed once more behind its back: Delete is refused as well.
        ASSERT_EQ(banco->executar("update cadastro.acesso set nivel_acesso = 1 where id_acesso = 2"), "");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_excluir));
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    recusa_exclusao_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.acesso where id_acesso = 2"), "1");
        EXPECT_EQ(f()->widgets().entry_nivel->get_text(), "1");
        // Shown as it now is, it can be deleted (no user holds it).
        ASSERT_EQ(banco->executar("update cadastro.usuario set id_acesso = 1 where id_acesso = 2"), "");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_excluir));
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", "", Gtk::RESPONSE_OK);
    r.passo([this] { EXPECT_EQ(banco->valor("select count(*) from cadastro.acesso where id_acesso = 2"), "0"); });
    rodar(r);
}

TEST_F(NiveisDeAcesso, ExcluirComConfirmacaoCancelamentoERecusa)
{
    banco->executar("insert into cadastro.acesso values (9, 'Temporario', 0)");
    Roteiro r;
    entrar(r);
    abrir(r, ids::NIVEIS);
    // Cancel: no second dialog, back to browsing, nothing deleted.
    r.passo([this] {
        escolher("Temporario");
        saida.tomar();
        EXPECT_TRUE(teste::clicar(f()->widgets().button_excluir));
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_CANCEL);
    r.passo([this] {
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(botoes(), "10000");
        EXPECT_EQ(banco->valor("select count(*) from cadastro.acesso where id_acesso = 9"), "1");
        EXPECT_EQ(saida.tomar().find("delete from"), std::string::npos);
    });
    // OK: deleted, the success dialog, the list reloaded without it.
    r.passo([this] {
        escolher("Temporario");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_excluir));
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.acesso where id_acesso = 9"), "0");
        EXPECT_NE(saida.tomar().find("delete from cadastro.acesso WHERE id_acesso=9 and xmin='"), std::string::npos);
        EXPECT_EQ(teste::linhas(f()->widgets().treeview_niveis).size(), 3u);
        EXPECT_EQ(botoes(), "10000");
    });
    // A level that users still hold: refused, it stays, the list reloads.
    r.passo([this] {
        escolher("Administrador");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_excluir));
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    r.passo([this] {
        Gtk::MessageDialog* d = teste::dialogo_visivel();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->property_message_type().get_value(), Gtk::MESSAGE_ERROR);
    });
    r.responder("Erro ao Excluir!",
                "Este nível de acesso ainda é usado por usuários: mude o nível deles antes de excluí-lo.",
                Gtk::RESPONSE_OK);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.acesso where id_acesso = 1"), "1");
        EXPECT_NE(saida.tomar().find("Carregando dados\nselect id_acesso"), std::string::npos);
        EXPECT_EQ(teste::linhas(f()->widgets().treeview_niveis).size(), 3u);
        EXPECT_EQ(botoes(), "10000");
    });
    rodar(r);
}

// Saving a level so that no user would hold the highest number is refused
// with its own message, and nothing changes.
TEST_F(NiveisDeAcesso, SemAdministradorRecusadoComMensagemPropria)
{
    const char* const recusa = "Recusado: o sistema ficaria sem administrador.\n"
                               "Algum usuário precisa ter o nível de acesso de número mais alto.";
    std::string antes = niveis();
    Roteiro r;
    entrar(r);
    abrir(r, ids::NIVEIS);
    // The administrators' level taken below another.
    r.passo([this] {
        escolher("Administrador");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        f()->widgets().entry_nivel->set_text("1");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", recusa, Gtk::RESPONSE_CLOSE);
    // A new level above every level a user holds.
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        f()->widgets().entry_descricao->set_text("Diretor");
        f()->widgets().entry_nivel->set_text("4");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", recusa, Gtk::RESPONSE_CLOSE);
    // Any other refusal keeps the usual text.
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        f()->widgets().entry_nivel->set_text("99999999999");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", Gtk::RESPONSE_CLOSE);
    rodar(r);
    EXPECT_EQ(niveis(), antes);
}
