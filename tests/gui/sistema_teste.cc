#include "gui/sistema_teste.h"

#include <gtkmm/main.h>

#include "gui/form_senha.h"
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
        r.esperar([this] {
            Formulario* f = sistema->formulario_aberto(ids::SENHA);
            return f && f->janela()->is_visible();
        }, "the password window");
        r.passo([this] { form<FormSenha>(ids::SENHA)->widgets().button_cancelar_senha->clicked(); });
        r.esperar([this] { return !sistema->formulario_aberto(ids::SENHA); }, "the password window to close");
    }
}

void ProgramaTeste::abrir(Roteiro& r, ids::Janela id)
{
    r.passo([this, id] { item_menu(*sistema, id).activate(); });
    r.esperar([this, id] {
        Formulario* f = sistema->formulario_aberto(id);
        return f && f->janela()->is_visible();
    }, "form " + std::to_string(id));
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
