#include "gui/sistema_teste.h"

#include <gtkmm/main.h>

#include "gui/form_abelha.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/listas_teste.h"
#include "res/icone.h"

namespace teste {

void ProgramaTeste::TearDown()
{
    esconder_tudo();
    processar_eventos();
    sistema.reset();
    query.reset();
}

void ProgramaTeste::iniciar()
{
    query.reset(new QUERY(conf.c_str()));
    sistema.reset(new SISTEMAGUI(query.get(), Gdk::Pixbuf::create_from_xpm_data(pote_de_mel)));
}

void SistemaTeste::SetUp()
{
    banco.reset(new BancoTeste(modelo()));
    conf = banco->escrever_conf(pasta_temporaria());
    iniciar();
    ASSERT_TRUE(query->get_conectado()) << query->get_mensagem();
}

void SistemaTeste::TearDown()
{
    ProgramaTeste::TearDown();
    banco.reset();
}

void ProgramaTeste::entrar(Roteiro& r, const std::string& login, const std::string& senha)
{
    r.passo([this, login, senha] {
        sistema->get_entry_login()->set_text(login);
        sistema->get_entry_senha()->set_text(senha);
        sistema->get_button_ok()->clicked();
    });
    r.esperar([this] {
        return sistema->get_janela_principal() && sistema->get_janela_principal()->is_visible();
    }, "the main window");
    // The sample administrator with the sample password is asked for a new
    // one right away: the password window is left with "Cancelar".
    if (login == "admin" && senha == "admin") {
        esperar_aberto(r, ids::SENHA, "the password window");
        r.passo([this] { form<FormSenha>(ids::SENHA)->widgets().button_cancelar_senha->clicked(); });
        esperar_fechado(r, ids::SENHA, "the password window to close");
    }
}

void ProgramaTeste::abrir(Roteiro& r, ids::Janela id)
{
    r.passo([this, id] { item_menu(*sistema, id).activate(); });
    esperar_aberto(r, id, "form " + std::to_string(id));
}

void ProgramaTeste::esperar_aberto(Roteiro& r, ids::Janela id, const std::string& o_que)
{
    r.esperar([this, id] {
        Formulario* f = sistema->formulario_aberto(id);
        return f && f->janela()->is_visible();
    }, o_que);
}

void ProgramaTeste::esperar_fechado(Roteiro& r, ids::Janela id, const std::string& o_que)
{
    r.esperar([this, id] { return sistema->formulario_aberto(id) == nullptr; }, o_que);
}

void ProgramaTeste::abrir_busca(Roteiro& r, ids::Janela origem, ids::Janela busca)
{
    r.passo([this, origem] { EXPECT_TRUE(clicar(sistema->formulario_aberto(origem)->widgets().button_buscar)); });
    esperar_aberto(r, busca, "the search window");
}

void ProgramaTeste::abrir_filhas(Roteiro& r)
{
    r.passo([this] { clicar(form<FormAbelha>(ids::ABELHAS)->widgets().button_gerar); });
    r.esperar([this] {
        DialogoFilhas* d = form<FormAbelha>(ids::ABELHAS)->get_dialogo_filhas();
        return d != nullptr && d->is_visible();
    }, "the daughters dialog");
}

void ProgramaTeste::recusa_mudado_noutra_estacao(Roteiro& r)
{
    r.responder("Verifique as informações digitadas !",
                "O registro foi alterado ou excluído em outro computador depois de aparecer aqui: nada foi gravado. "
                "Veja como ele está agora e refaça a alteração, se ainda for o caso.",
                Gtk::RESPONSE_CLOSE);
}

void ProgramaTeste::recusa_exclusao_mudado_noutra_estacao(Roteiro& r)
{
    r.responder("Erro ao Excluir!",
                "O registro foi alterado ou excluído em outro computador depois de aparecer aqui: nada foi excluído. "
                "Veja como ele está agora antes de tentar de novo.",
                Gtk::RESPONSE_OK);
}

void consultar_cep(FormUsuario* f, const std::string& cep)
{
    f->widgets().entry_cep->set_text(cep);
    f->widgets().entry_cep->activate();
}

void ProgramaTeste::passo_longo(Roteiro& r, std::function<void()> acao, double segundos)
{
    auto feito = std::make_shared<bool>(false);
    r.passo([acao, feito] {
        acao();
        *feito = true;
    });
    r.esperar([feito] { return *feito; }, "the end of the step", segundos);
}

void ProgramaTeste::rodar(Roteiro& r, double limite_segundos)
{
    r.executar([this] { Gtk::Main::run(*sistema->get_janela_login()); }, limite_segundos);
}

} // namespace teste
