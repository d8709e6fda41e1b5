// A postal code registered from the lookup of the user forms: the offer,
// the "Cadastro de CEP" window with its refusals, and the form filled in
// afterwards as if the code had been there.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/form_cep.h"
#include "gui/form_usuario.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;

namespace {

const char* const PERGUNTA = "CEP não encontrado. Deseja cadastrá-lo?";

class CadastroDeCep : public teste::SistemaTeste
{
protected:
    FormUsuario* u(ids::Janela id) { return form<FormUsuario>(id); }
    FormCep* cep() { return form<FormCep>(ids::CADASTRO_CEP); }
    const WidgetsCep& wc() { return cep()->widgets(); }

    void esperar_janela(Roteiro& r)
    {
        esperar_aberto(r, ids::CADASTRO_CEP, "the postal-code window");
    }

    // The registered code: cep|kind|street|district|municipality.
    std::string linha(const std::string& codigo)
    {
        return banco->valor("select cep || '|' || tipo_logradouro || '|' || logradouro || '|' || bairro || '|' || "
                            "cod_cid from cadastro.ceps where cep = '" + codigo + "'");
    }

    // What the user form shows of the address: CEP|street|district|city|state.
    std::string endereco(FormUsuario* f)
    {
        const auto& w = f->widgets();
        return w.entry_cep->get_text() + "|" + w.entry_rua->get_text() + "|" + w.entry_bairro->get_text() + "|" +
               w.entry_cidade->get_text() + "|" + w.entry_estado->get_text();
    }
};

} // namespace

TEST_F(CadastroDeCep, DoFormularioDeUsuariosAoUsuarioGuardadoComOCepNovo)
{
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(u(ids::USUARIOS)->widgets().button_novo));
        u(ids::USUARIOS)->widgets().entry_nome->set_text("Rosa Melífera");
        u(ids::USUARIOS)->widgets().entry_usuario->set_text("rosa");
        u(ids::USUARIOS)->widgets().entry_senha->set_text("favo de mel");
        u(ids::USUARIOS)->widgets().entry_nasc->set_text("03/04/1985");
        u(ids::USUARIOS)->widgets().entry_numero->set_text("45");
        teste::consultar_cep(u(ids::USUARIOS), "79900-000");
    });
    r.responder(PERGUNTA, Gtk::RESPONSE_YES);
    esperar_janela(r);
    r.passo([this, &antes] {
        FormCep* c = cep();
        EXPECT_EQ(c->janela()->get_title(), "Cadastro de CEP");
        EXPECT_EQ(c->janela()->get_transient_for(), u(ids::USUARIOS)->janela());
        EXPECT_EQ(c->origem(), u(ids::USUARIOS));
        EXPECT_EQ(wc().entry_cep->get_text(), "79900-000");
        EXPECT_EQ(wc().entry_cep->get_max_length(), 9);
        std::vector<std::string> estados = teste::textos_lista(wc().combo_estado);
        ASSERT_EQ(estados.size(), 27u);
        EXPECT_EQ(wc().combo_estado->get_active_text(), "MS");
        EXPECT_EQ(teste::textos_lista(wc().combo_municipio).size(), 80u);
        EXPECT_EQ(wc().combo_municipio->get_active_text(), "");
        // Another state lists its own municipalities.
        EXPECT_TRUE(escolher(wc().combo_estado, "SP"));
        EXPECT_EQ(teste::textos_lista(wc().combo_municipio).size(), 646u);
        EXPECT_TRUE(escolher(wc().combo_estado, "MS"));
        antes = banco->despejo();
        teste::clicar(wc().button_salvar_cep);
    });
    r.responder("Escolha o município do CEP.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_TRUE(escolher(wc().combo_municipio, "Itaporã"));
        wc().entry_cep->set_text("79800-001");
        teste::clicar(wc().button_salvar_cep);
    });
    r.responder("O CEP 79800-001 já está cadastrado.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        wc().entry_cep->set_text("");
        teste::digitar(wc().entry_cep, "7990");
        teste::clicar(wc().button_salvar_cep);
    });
    r.responder("Digite o CEP inteiro, como 79800-001.", Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_TRUE(cep()->janela()->is_visible());
        // Typed through the mask, with a kind of street of its own.
        EXPECT_EQ(wc().entry_cep->get_text(), "7990");
        teste::digitar(wc().entry_cep, "0017");
        EXPECT_EQ(wc().entry_cep->get_text(), "79900-017");
        wc().combo_tipo_logradouro->get_entry()->set_text("Linha");
        wc().entry_logradouro->set_text("do Potreirito");
        wc().entry_bairro->set_text("Zona Rural");
        teste::clicar(wc().button_salvar_cep);
        // Closed, and the user form filled in by the lookup.
        EXPECT_TRUE(cep() == nullptr || !cep()->janela()->is_visible());
        EXPECT_EQ(linha("79900-017"), "79900-017|Linha|do Potreirito|Zona Rural|5004502");
        EXPECT_EQ(endereco(u(ids::USUARIOS)), "79900-017|Linha do Potreirito|Zona Rural|Itaporã|MS");
        EXPECT_EQ(u(ids::USUARIOS)->janela()->get_focus(), u(ids::USUARIOS)->widgets().entry_rua);
        EXPECT_TRUE(teste::clicar(u(ids::USUARIOS)->widgets().button_salvar));
        EXPECT_EQ(banco->valor("select c.cep || '|' || u.endereco from cadastro.usuario u join cadastro.ceps c "
                               "using (id_cep) where u.login = 'rosa'"),
                  "79900-017|Linha do Potreirito");
        // The lookup finds it from now on, with no offer.
        EXPECT_TRUE(teste::clicar(u(ids::USUARIOS)->widgets().button_novo));
        teste::consultar_cep(u(ids::USUARIOS), "79900-017");
        EXPECT_EQ(endereco(u(ids::USUARIOS)), "79900-017|Linha do Potreirito|Zona Rural|Itaporã|MS");
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        teste::clicar(u(ids::USUARIOS)->widgets().button_cancelar);
    });
    rodar(r);
}

TEST_F(CadastroDeCep, MinhaContaCancelarOuNaoCadastrarNadaMuda)
{
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::MINHA_CONTA);
    r.passo([this, &antes] {
        antes = banco->despejo();
        EXPECT_TRUE(teste::clicar(u(ids::MINHA_CONTA)->widgets().button_editar));
        teste::consultar_cep(u(ids::MINHA_CONTA), "01001-000");
    });
    // Declined: no window.
    r.responder(PERGUNTA, Gtk::RESPONSE_NO);
    r.passo([this] {
        EXPECT_EQ(cep(), nullptr);
        teste::consultar_cep(u(ids::MINHA_CONTA), "01001-000");
    });
    r.responder(PERGUNTA, Gtk::RESPONSE_YES);
    esperar_janela(r);
    // Cancelled: nothing stored, the form as it was.
    r.passo([this] {
        EXPECT_EQ(wc().entry_cep->get_text(), "01001-000");
        teste::clicar(wc().button_cancelar_cep);
    });
    esperar_fechado(r, ids::CADASTRO_CEP, "the postal-code window to close");
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_EQ(endereco(u(ids::MINHA_CONTA)), "01001-000|Avenida Marcelino Pires|Centro|Dourados|MS");
        teste::consultar_cep(u(ids::MINHA_CONTA), "01001-000");
    });
    r.responder(PERGUNTA, Gtk::RESPONSE_YES);
    esperar_janela(r);
    r.passo([this] {
        EXPECT_TRUE(escolher(wc().combo_estado, "SP"));
        EXPECT_TRUE(escolher(wc().combo_municipio, "São Paulo"));
        EXPECT_TRUE(escolher(wc().combo_tipo_logradouro, "Praça"));
        wc().entry_logradouro->set_text("da Sé");
        wc().entry_bairro->set_text("Sé");
        teste::clicar(wc().button_salvar_cep);
        EXPECT_EQ(linha("01001-000"), "01001-000|Praça|da Sé|Sé|3550308");
        EXPECT_EQ(endereco(u(ids::MINHA_CONTA)), "01001-000|Praça da Sé|Sé|São Paulo|SP");
        EXPECT_TRUE(teste::clicar(u(ids::MINHA_CONTA)->widgets().button_salvar));
        EXPECT_EQ(sistema->get_usuario_logado().cep.cep, "01001-000");
        EXPECT_EQ(banco->valor("select c.cep from cadastro.usuario u join cadastro.ceps c using (id_cep) "
                               "where u.id_usuario = 1"),
                  "01001-000");
    });
    rodar(r);
}
