// "Dados da Empresa" driven through its widgets: opened from the menu by an
// administrator, the CNPJ typed through its mask, the CEP looked up on Enter
// filling the address, saved and stored; a CPF with wrong digits refused
// with its reason and everything typed kept; someone who is no
// administrator finds the item off and the window refused.
#include <string>

#include <gtest/gtest.h>

#include "gui/form_empresa.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

class DadosDaEmpresa : public teste::SistemaTeste
{
protected:
    FormEmpresa* fe() { return form<FormEmpresa>(ids::EMPRESA); }
    // Types the text one character at a time, as the keys would.
    static void digitar(Gtk::Entry* e, const std::string& texto)
    {
        for (char c : texto)
            e->set_text(e->get_text() + std::string(1, c));
    }
    std::string guardado()
    {
        return banco->unidos("select nome, documento, inscricao_estadual, coalesce(id_cep::text, '-'), endereco, "
                             "numero, bairro, telefone, email from cadastro.empresa");
    }
};

} // namespace

TEST_F(DadosDaEmpresa, AdministradorDigitaCnpjECepEGrava)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { EXPECT_TRUE(teste::item_menu(*sistema, ids::EMPRESA).is_sensitive()); });
    abrir(r, ids::EMPRESA);
    r.passo([this] {
        const WidgetsEmpresa& w = fe()->widgets();
        EXPECT_EQ(fe()->janela()->get_title(), "Dados da Empresa");
        EXPECT_EQ(w.entry_nome->get_text(), "");
        EXPECT_FALSE(w.entry_nome->get_editable());
        EXPECT_FALSE(w.button_salvar->is_sensitive());
        ASSERT_TRUE(teste::clicar(w.button_editar));
        EXPECT_TRUE(w.entry_nome->get_editable());
        w.entry_nome->set_text("Apiário Flor do Cerrado Ltda.");
        w.combo_documento->set_active(1);
        digitar(w.entry_documento, "12345678000195");
        EXPECT_EQ(w.entry_documento->get_text(), "12.345.678/0001-95");
        w.entry_inscricao->set_text("28.123.456-7");
        digitar(w.entry_cep, "79800001");
        EXPECT_EQ(w.entry_cep->get_text(), "79800-001");
        w.entry_cep->activate();
        EXPECT_EQ(w.entry_rua->get_text(), "Avenida Marcelino Pires");
        EXPECT_EQ(w.entry_bairro->get_text(), "Centro");
        EXPECT_EQ(w.entry_cidade->get_text(), "Dourados");
        EXPECT_EQ(w.entry_estado->get_text(), "MS");
        EXPECT_FALSE(w.entry_cidade->get_editable());
        w.entry_numero->set_text("1200");
        w.entry_telefone->set_text("(67) 3421-0000");
        w.entry_email->set_text("contato@flordocerrado.com.br");
        ASSERT_TRUE(teste::clicar(w.button_salvar));
        EXPECT_EQ(guardado(), "Apiário Flor do Cerrado Ltda.|12.345.678/0001-95|28.123.456-7|1|"
                              "Avenida Marcelino Pires|1200|Centro|(67) 3421-0000|contato@flordocerrado.com.br|");
        EXPECT_FALSE(fe()->editando());
        EXPECT_EQ(w.entry_documento->get_text(), "12.345.678/0001-95");
        EXPECT_EQ(w.combo_documento->get_active_text(), "CNPJ");

        // A CPF with wrong check digits: refused, with its reason.
        ASSERT_TRUE(teste::clicar(w.button_editar));
        w.combo_documento->set_active(0);
        EXPECT_EQ(w.entry_documento->get_text(), "");
        digitar(w.entry_documento, "52998224724");
        EXPECT_EQ(w.entry_documento->get_text(), "529.982.247-24");
        w.entry_nome->set_text("José da Silva");
        teste::clicar(w.button_salvar);
    });
    r.responder("Verifique as informações digitadas !",
                "O CPF 529.982.247-24 não confere com os seus dígitos verificadores: confira-o.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        const WidgetsEmpresa& w = fe()->widgets();
        // Nothing stored, everything typed kept, still editing: mended, it saves.
        EXPECT_NE(guardado().find("Apiário Flor do Cerrado Ltda.|12.345.678/0001-95|"), std::string::npos);
        EXPECT_TRUE(fe()->editando());
        EXPECT_EQ(w.entry_nome->get_text(), "José da Silva");
        EXPECT_EQ(w.entry_documento->get_text(), "529.982.247-24");
        w.entry_documento->set_text("");
        digitar(w.entry_documento, "52998224725");
        ASSERT_TRUE(teste::clicar(w.button_salvar));
        EXPECT_NE(guardado().find("José da Silva|529.982.247-25|"), std::string::npos);
        fe()->janela()->hide();
    });
    esperar_fechado(r, ids::EMPRESA, "the form to close");
    rodar(r);
}

TEST_F(DadosDaEmpresa, QuemNaoEAdministradorNaoAbre)
{
    const std::string antes = guardado();
    Roteiro r;
    entrar(r, "maria", "abelha");
    r.passo([this] {
        EXPECT_FALSE(teste::item_menu(*sistema, ids::EMPRESA).is_sensitive());
        sistema->carregar_cadastro(ids::EMPRESA, sistema->get_janela_principal());
    });
    r.responder("Somente administradores podem abrir esta janela.", Gtk::RESPONSE_CLOSE);
    r.passo([this] { EXPECT_EQ(sistema->formulario_aberto(ids::EMPRESA), nullptr); });
    rodar(r);
    EXPECT_EQ(guardado(), antes);
}
