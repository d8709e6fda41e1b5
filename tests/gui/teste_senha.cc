// " Trocar de Senha ", opened from "Minha Conta" and at the login with the
// sample password: the three entries, the dialogs, a wrong current password,
// the stored digest and the next login.
#include <gtest/gtest.h>

#include "gui/form_pesquisa_usuario.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "model/usuario.h"
#include "util/senha.h"

using Roteiro = teste::RoteiroTeste;

namespace {

class TrocaDeSenha : public teste::SistemaTeste
{
protected:
    FormSenha* s() { return form<FormSenha>(ids::SENHA); }
    FormUsuario* conta() { return form<FormUsuario>(ids::MINHA_CONTA); }

    // Logs in, opens "Minha Conta", Edit, then "Trocar Senha" (which blocks
    // in the password window's loop).
    void abrir_senha(Roteiro& r)
    {
        entrar(r);
        abrir(r, ids::MINHA_CONTA);
        r.passo([this] { EXPECT_TRUE(teste::clicar(conta()->widgets().button_editar)); });
        r.passo([this] { conta()->widgets().button_trocar_senha->clicked(); });
        esperar_aberto(r, ids::SENHA, "the password window");
    }

    void digitar(const std::string& nova, const std::string& repetida, const std::string& atual = "admin")
    {
        s()->widgets().entry_atual->set_text(atual);
        s()->widgets().entry_nova->set_text(nova);
        s()->widgets().entry_repetir->set_text(repetida);
    }

    bool entra(const std::string& senha)
    {
        USUARIO u(query.get());
        return u.verificar_acesso("admin", senha);
    }

    // Where only the database's owner reads it.
    std::string senha_guardada() { return banco->valor("select forma from seguranca.credencial where id_usuario = 1"); }
};

} // namespace

TEST_F(TrocaDeSenha, JanelaAvisosNaOrdemESucessoExigeANovaSenha)
{
    std::vector<std::string> conta_antes;
    const std::string guardada = senha_guardada();
    Roteiro r;
    abrir_senha(r);
    r.passo([this, &conta_antes] {
        FormSenha* f = s();
        EXPECT_EQ(f->janela()->get_title(), " Trocar de Senha ");
        int largura, altura;
        f->janela()->get_size_request(largura, altura);
        EXPECT_EQ(largura, 380);
        EXPECT_EQ(altura, 200);
        EXPECT_EQ(f->janela()->get_transient_for(), conta()->janela());
        EXPECT_EQ(f->origem(), conta());
        std::map<Gtk::Widget*, std::string> nomes = { { f->widgets().entry_atual, "atual" },
            { f->widgets().entry_nova, "nova" }, { f->widgets().entry_repetir, "repetir" } };
        std::vector<std::string> esperado = { "[Atualizar Senha ]", "Senha Atual:\t", "{atual}", "Nova Senha :\t",
            "{nova}", "Redigite a Senha: \t", "{repetir}", "<Alterar>", "<Cancelar>" };
        EXPECT_EQ(teste::conteudo(f->janela(), nomes), esperado);
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_atual);
        for (Gtk::Entry* e : { f->widgets().entry_atual, f->widgets().entry_nova, f->widgets().entry_repetir }) {
            EXPECT_FALSE(e->get_visibility());
            EXPECT_EQ(e->get_invisible_char(), gunichar('*'));
            EXPECT_EQ(e->get_max_length(), 64);
            e->get_size_request(largura, altura);
            EXPECT_EQ(largura, 190);
            e->set_text(std::string(65, 'x'));
            EXPECT_EQ(e->get_text().size(), 64u);
        }
        f->widgets().button_alterar->get_size_request(largura, altura);
        EXPECT_EQ(largura, 100);
        f->widgets().entry_atual->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_nova);
        f->widgets().entry_nova->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_repetir);
        f->widgets().entry_repetir->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().button_alterar);

        // What "Minha Conta" shows, to compare after the change.
        for (Gtk::Entry* e :
            { conta()->widgets().entry_nome, conta()->widgets().entry_usuario, conta()->widgets().entry_cep })
            conta_antes.push_back(e->get_text());

        // The mismatch is checked before emptiness.
        digitar("abc", "");
        f->widgets().button_alterar->clicked();
    });
    r.passo([this] {
        Gtk::MessageDialog* d = teste::dialogo_visivel();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->property_message_type().get_value(), Gtk::MESSAGE_WARNING);
        EXPECT_TRUE(d->get_modal());
        EXPECT_EQ(d->get_transient_for(), sistema->get_janela_login());
    });
    r.responder("As senhas não correspondem", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        digitar("", "");
        s()->widgets().button_alterar->clicked();
    });
    r.responder("Digite pelo menos um senha ", Gtk::RESPONSE_CLOSE);
    // Shorter than the rule, by characters: refused before the current
    // password is checked.
    r.passo([this] {
        digitar("çãõéíóú", "çãõéíóú");
        s()->widgets().button_alterar->clicked();
    });
    r.responder("A senha deve ter de 8 a 64 caracteres.", Gtk::RESPONSE_CLOSE);
    // A wrong current password: refused, the current entry emptied for
    // another try.
    r.passo([this] {
        digitar("mel'; --", "mel'; --", "Admin");
        s()->widgets().button_alterar->clicked();
    });
    r.passo([this] {
        Gtk::MessageDialog* d = teste::dialogo_visivel();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->property_message_type().get_value(), Gtk::MESSAGE_WARNING);
    });
    r.responder("Senha atual incorreta", Gtk::RESPONSE_CLOSE);
    r.passo([this, guardada] {
        EXPECT_TRUE(s()->janela()->is_visible());
        EXPECT_EQ(s()->widgets().entry_atual->get_text(), "");
        EXPECT_EQ(s()->janela()->get_focus(), s()->widgets().entry_atual);
        EXPECT_EQ(s()->widgets().entry_nova->get_text(), "mel'; --");
        EXPECT_EQ(senha_guardada(), guardada);
        saida.tomar();
        digitar("mel'; --", "mel'; --");
        s()->widgets().button_alterar->clicked();
    });
    r.passo([this] {
        Gtk::MessageDialog* d = teste::dialogo_visivel();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->property_message_type().get_value(), Gtk::MESSAGE_INFO);
    });
    r.responder("Senha Atualizada !!!! ", Gtk::RESPONSE_CLOSE);
    esperar_fechado(r, ids::SENHA, "the password window to close");
    r.passo([this, &conta_antes] {
        std::string t = saida.tomar();
        EXPECT_NE(t.find("\nATUALIZAR SENHA \n"), std::string::npos) << t;
        EXPECT_NE(t.find("\nUPDATE SENHA \nupdate cadastro.usuario set  senha='********' WHERE id_usuario=1\n"
                         "\nSenha Atualizada com sucesso\n"),
                  std::string::npos) << t;
        // Neither the password nor what is stored reaches the console.
        EXPECT_EQ(t.find("mel'"), std::string::npos) << t;
        EXPECT_EQ(t.find("mel''"), std::string::npos) << t;
        EXPECT_EQ(t.find(senha_guardada()), std::string::npos) << t;
        EXPECT_EQ(senha_guardada().rfind("$argon2id+sha256$", 0), 0u);
        EXPECT_TRUE(teste::forma_confere("mel'; --", senha_guardada()));
        // "Minha Conta" is still open, in its state, with its own fields.
        ASSERT_NE(conta(), nullptr);
        EXPECT_TRUE(conta()->janela()->is_visible());
        EXPECT_TRUE(conta()->widgets().button_salvar->is_sensitive());
        std::vector<std::string> agora;
        for (Gtk::Entry* e :
            { conta()->widgets().entry_nome, conta()->widgets().entry_usuario, conta()->widgets().entry_cep })
            agora.push_back(e->get_text());
        EXPECT_EQ(agora, conta_antes);
        // The next login needs the new password.
        EXPECT_TRUE(entra("mel'; --"));
        EXPECT_FALSE(entra("admin"));
    });
    rodar(r);
}

TEST_F(TrocaDeSenha, CancelarFechaSemTocarNoBanco)
{
    std::string antes = banco->despejo();
    Roteiro r;
    abrir_senha(r);
    r.passo([this] {
        digitar("outra", "outra");
        saida.tomar();
        s()->widgets().button_cancelar_senha->clicked();
    });
    esperar_fechado(r, ids::SENHA, "the password window to close");
    r.passo([this] {
        EXPECT_EQ(saida.tomar().find("update"), std::string::npos);
        EXPECT_TRUE(conta()->janela()->is_visible());
    });
    rodar(r);
    EXPECT_EQ(banco->despejo(), antes);
    EXPECT_TRUE(entra("admin"));
}

TEST_F(TrocaDeSenha, FalhaDoBancoAvisaEMantemAJanela)
{
    banco->executar("create function cadastro.recusar() returns trigger language plpgsql as "
                    "$$ begin raise exception 'recusado'; end $$");
    banco->executar("create trigger recusar before update on cadastro.usuario "
                    "for each row execute function cadastro.recusar()");
    Roteiro r;
    abrir_senha(r);
    r.passo([this] {
        digitar("nova senha", "nova senha");
        saida.tomar();
        s()->widgets().button_alterar->clicked();
    });
    r.responder("Erro ao Atualizar a senha \n Tente novamente !!! ", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        ASSERT_NE(s(), nullptr);
        EXPECT_TRUE(s()->janela()->is_visible());
        EXPECT_EQ(s()->widgets().entry_nova->get_text(), "nova senha");
        EXPECT_EQ(s()->widgets().entry_repetir->get_text(), "nova senha");
        EXPECT_NE(saida.tomar().find("\nERRO AO ATUALIZAR A SENHA \n"), std::string::npos);
    });
    rodar(r);
    EXPECT_TRUE(entra("admin"));
}

// The sample administrator logging in with the sample password finds the
// password window open at once over the main window, saying why; a new
// password ends the asking, and the next login needs it.
TEST_F(TrocaDeSenha, SenhaDeExemploPedeUmaNovaLogoAoEntrar)
{
    Roteiro r;
    r.passo([this] {
        sistema->get_entry_login()->set_text("admin");
        sistema->get_entry_senha()->set_text("admin");
        sistema->get_button_ok()->clicked();
    });
    esperar_aberto(r, ids::SENHA, "the password window");
    r.passo([this] {
        EXPECT_TRUE(sistema->get_janela_principal()->is_visible());
        EXPECT_EQ(s()->janela()->get_transient_for(), sistema->get_janela_principal());
        const std::vector<std::string> c = teste::conteudo(s()->janela(), {});
        ASSERT_FALSE(c.empty());
        EXPECT_EQ(c.front(), "A senha de exemplo não protege o sistema: escolha uma nova.");
        digitar("Jataí 2024", "Jataí 2024");
        s()->widgets().button_alterar->clicked();
    });
    r.responder("Senha Atualizada !!!! ", Gtk::RESPONSE_CLOSE);
    esperar_fechado(r, ids::SENHA, "the password window to close");
    r.passo([this] {
        EXPECT_TRUE(sistema->get_janela_principal()->is_visible());
        EXPECT_TRUE(entra("Jataí 2024"));
        EXPECT_FALSE(entra("admin"));
    });
    // Opened again from "Minha Conta", it no longer says it.
    abrir(r, ids::MINHA_CONTA);
    r.passo([this] { EXPECT_TRUE(teste::clicar(conta()->widgets().button_editar)); });
    r.passo([this] { conta()->widgets().button_trocar_senha->clicked(); });
    esperar_aberto(r, ids::SENHA, "the password window");
    r.passo([this] {
        const std::vector<std::string> c = teste::conteudo(s()->janela(), {});
        ASSERT_FALSE(c.empty());
        EXPECT_EQ(c.front(), "[Atualizar Senha ]");
        s()->widgets().button_cancelar_senha->clicked();
    });
    rodar(r);
}
