// The database server lost under the running program, through the real
// windows, on a private cluster that the test stops and starts: with the
// server down from the start every login fails; with the server stopped
// while a form is open every save shows the error dialog, lists come back
// empty and every form still opens; when the server is back, the records
// saved before the stop are all there, none of the refused ones is (not
// even in part), and the program works again without a restart.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glibmm/main.h>

#include "db/query.h"
#include "gui/colmeia_view.h"
#include "gui/form_abelha.h"
#include "gui/form_acesso.h"
#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_florada.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/listas_teste.h"
#include "gui/roteiro_teste.h"
#include "gui/sistema_teste.h"
#include "gui/sistemagui.h"
#include "gui/widgets_teste.h"
#include "roteiro/respondedor.h"
#include "support/banco_teste.h"
#include "support/captura.h"

using Roteiro = teste::RoteiroTeste;
using teste::apertar;

namespace {

typedef std::vector<std::string> Textos;

const char* const ERRO_SALVAR = "Verifique as informações digitadas !";
const char* const ERRO_LOGIN = "Verifique seu <b>Usuário</b> e <b>Senha</b>!";
const char* const SEM_SERVIDOR = "Não foi possível falar com o servidor do banco de dados: verifique se ele está "
                                 "ligado e se a rede funciona. Nada foi enviado.";

class BancoPerdido : public teste::ProgramaTeste
{
protected:
    void SetUp() override
    {
        cluster.reset(new teste::ClusterPrivado());
        cluster->usar_porta();
        conf = cluster->escrever_conf(teste::pasta_temporaria());
    }

    void TearDown() override
    {
        teste::ProgramaTeste::TearDown();
        cluster.reset();
    }

    // One login attempt that must fail, with its dialog.
    void login_recusado(const std::string& login, const std::string& senha)
    {
        sistema->get_entry_login()->set_text(login);
        sistema->get_entry_senha()->set_text(senha);
        respondedor.tomar();
        saida.tomar();
        sistema->get_button_ok()->clicked();
        EXPECT_FALSE(sistema->get_logado()) << login;
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_LOGIN }) << login;
        EXPECT_NE(saida.tomar().find("Verifique seu usuário e senha!\n"), std::string::npos) << login;
    }

    // Every row of every table, as one text.
    std::string tudo()
    {
        static const char* const tabelas[] = { "acesso", "municipio", "ceps", "usuario", "florada",
                                               "apiario", "abelha_rainha", "colmeia", "revisao" };
        std::string sql = "select ''";
        for (const char* t : tabelas)
            sql += std::string(" || E'\\n== ") + t + "\\n' || coalesce((select string_agg(r::text, E'\\n' "
                   "order by r::text) from cadastro." + t + " r), '')";
        return cluster->valor(sql);
    }

    std::string contar(const std::string& tabela, const std::string& condicao)
    {
        return cluster->valor("select count(*) from cadastro." + tabela + " where " + condicao);
    }

    void rodar(Roteiro& r) { teste::ProgramaTeste::rodar(r, 240); }

    teste::Respondedor respondedor;
    std::unique_ptr<teste::ClusterPrivado> cluster;
};

// Fills the apiary form with a name and a good date.
void apiario(FormApiario* a, const std::string& nome)
{
    a->widgets().entry_nome->set_text(nome);
    a->widgets().entry_endereco->set_text("Estrada " + nome);
    a->widgets().entry_data->set_text("01/02/2003");
    a->widgets().textview_obs->get_buffer()->set_text("obs " + nome);
}

} // namespace

TEST_F(BancoPerdido, ServidorForaDesdeOInicioNenhumLoginEntra)
{
    ASSERT_TRUE(cluster->parar());
    iniciar();
    EXPECT_FALSE(query->get_conectado());
    EXPECT_EQ(saida.tomar().rfind("Falha ao conectar!\n", 0), 0u);
    EXPECT_TRUE(sistema->get_janela_login()->is_visible());

    login_recusado("admin", "admin");
    login_recusado("maria", "abelha");
    login_recusado("admin", "");
    login_recusado("' or '1'='1", "' or '1'='1");
    login_recusado("", "");

    // A program that never reached the server sends nothing, also once the
    // server is up: it must be started again (nothing was touched).
    const std::string antes = "2";
    ASSERT_TRUE(cluster->iniciar());
    login_recusado("admin", "admin");
    EXPECT_EQ(contar("usuario", "true"), antes);

    // Started again, it gets in.
    sistema.reset();
    query.reset();
    iniciar();
    EXPECT_TRUE(query->get_conectado()) << query->get_mensagem();
    respondedor.ao_abrir = [this](Gtk::Window& janela) {
        if (&janela == sistema->get_janela_principal())
            janela.hide();
    };
    sistema->get_entry_login()->set_text("admin");
    sistema->get_entry_senha()->set_text("admin");
    sistema->get_button_ok()->clicked();
    EXPECT_TRUE(sistema->get_logado());
}

TEST_F(BancoPerdido, ServidorCaiComFormularioAbertoEVoltaSemPerderNada)
{
    iniciar();
    ASSERT_TRUE(query->get_conectado()) << query->get_mensagem();
    std::string antes_da_queda;
    int falhas_mostradas = 0;

    Roteiro r;
    entrar(r);
    // The apiary form is open, with a new apiary typed, when the server stops.
    no_formulario<FormApiario>(r, ids::APIARIOS, [&](FormApiario* a) {
        ASSERT_TRUE(teste::clicar(a->widgets().button_novo));
        apiario(a, "Antes da queda");
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos());
        EXPECT_EQ(contar("apiario", "nome = 'Antes da queda'"), "1");
        ASSERT_TRUE(teste::clicar(a->widgets().button_ultimo));
        EXPECT_EQ(a->widgets().label_contador->get_text(), "5 / 5");
        ASSERT_TRUE(teste::clicar(a->widgets().button_novo));
        apiario(a, "Durante a queda");
        antes_da_queda = tudo();

        ASSERT_TRUE(cluster->parar());
        respondedor.tomar_detalhes();
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        EXPECT_EQ(respondedor.tomar_detalhes(), Textos { SEM_SERVIDOR });
        ++falhas_mostradas;
        // The form keeps what was typed, and New: a second Save tries again.
        EXPECT_EQ(a->widgets().entry_nome->get_text(), "Durante a queda");
        EXPECT_EQ(a->widgets().textview_obs->get_buffer()->get_text(), "obs Durante a queda");
        EXPECT_TRUE(a->inserindo());
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), (Textos { ERRO_SALVAR }));
        EXPECT_EQ(respondedor.tomar_detalhes(), Textos { SEM_SERVIDOR });

        // Cancel and browsing reload nothing: the form keeps showing what it had.
        ASSERT_TRUE(teste::clicar(a->widgets().button_cancelar));
        for (Gtk::ToolButton* b : { a->widgets().button_primeiro, a->widgets().button_anterior,
                 a->widgets().button_proximo, a->widgets().button_ultimo })
            ASSERT_TRUE(teste::clicar(b));
        EXPECT_EQ(respondedor.tomar(), Textos());

        // The search lists nothing.
        int buscas = 0;
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != "Buscar Apiario")
                return;
            FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
            for (const char* t : { "A", "", "Antes", "'" }) {
                b->widgets().entry_pesquisa->set_text("~");
                b->widgets().entry_pesquisa->set_text(t);
                EXPECT_EQ(b->get_store_resultado()->children().size(), 0u) << t;
                ++buscas;
            }
            janela.hide();
        };
        ASSERT_TRUE(teste::clicar(a->widgets().button_buscar));
        EXPECT_EQ(buscas, 4);

        // Editing, with a new floral source: both refused.
        ASSERT_TRUE(teste::clicar(a->widgets().button_editar));
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != "Cadastro Florada")
                return;
            FormFlorada* fl = form<FormFlorada>(ids::FLORADA);
            fl->widgets().entry_florada->set_text("Florada da queda");
            apertar(fl->widgets().button_cadastrar);
            EXPECT_TRUE(janela.is_visible());
            fl->widgets().button_cancelar_florada->clicked();
        };
        ASSERT_TRUE(apertar(a->widgets().button_florada));
        EXPECT_EQ(respondedor.tomar(), Textos { "Erro ao inserir Florada" });
        a->widgets().entry_distrito->set_text("Distrito da queda");
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        falhas_mostradas += 2;
        respondedor.ao_abrir = nullptr;
    });

    // Every other form opens, loads nothing, and refuses to save.
    no_formulario<FormUsuario>(r, ids::MINHA_CONTA, [&](FormUsuario* c) {
        EXPECT_EQ(c->widgets().entry_usuario->get_text(), "admin");
        ASSERT_TRUE(teste::clicar(c->widgets().button_editar));
        c->widgets().entry_nome->set_text("Nome da queda");
        ASSERT_TRUE(teste::clicar(c->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        ASSERT_TRUE(teste::clicar(c->widgets().button_cancelar));
        ASSERT_TRUE(teste::clicar(c->widgets().button_editar));
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != " Trocar de Senha ")
                return;
            FormSenha* s = form<FormSenha>(ids::SENHA);
            s->widgets().entry_nova->set_text("senhanova");
            s->widgets().entry_repetir->set_text("senhanova");
            apertar(s->widgets().button_alterar);
            EXPECT_TRUE(janela.is_visible());
            s->widgets().button_cancelar_senha->clicked();
        };
        ASSERT_TRUE(apertar(c->widgets().button_trocar_senha));
        respondedor.ao_abrir = nullptr;
        EXPECT_EQ(respondedor.tomar(), Textos { "Erro ao Atualizar a senha \n Tente novamente !!! " });
        ASSERT_TRUE(teste::clicar(c->widgets().button_cancelar));
        falhas_mostradas += 2;
    });
    no_formulario<FormUsuario>(r, ids::USUARIOS, [&](FormUsuario* u) {
        // The list of the login is all there is to show.
        EXPECT_EQ(u->widgets().label_contador->get_text(), "1 / 1");
        for (Gtk::ToolButton* b : { u->widgets().button_ultimo, u->widgets().button_anterior,
                 u->widgets().button_proximo, u->widgets().button_primeiro })
            ASSERT_TRUE(teste::clicar(b));
        int buscas = 0;
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != "Buscar Usuário")
                return;
            FormPesquisaUsuario* b = form<FormPesquisaUsuario>(ids::BUSCA_USUARIO);
            for (const char* campo : { "Nome", "CPF" }) {
                b->widgets().combo_campo->set_active_text(campo);
                for (const char* t : { "A", "", "M" }) {
                    b->widgets().entry_pesquisa->set_text("~");
                    b->widgets().entry_pesquisa->set_text(t);
                    EXPECT_EQ(b->get_lista()->children().size(), 0u) << t;
                    ++buscas;
                }
            }
            janela.hide();
        };
        ASSERT_TRUE(teste::clicar(u->widgets().button_buscar));
        respondedor.ao_abrir = nullptr;
        EXPECT_EQ(buscas, 6);
        ASSERT_TRUE(teste::clicar(u->widgets().button_novo));
        u->widgets().entry_cep->set_text("79800-001");
        u->widgets().entry_cep->activate();
        EXPECT_EQ(u->widgets().entry_rua->get_text(), "");
        u->widgets().entry_nome->set_text("Usuário da queda");
        u->widgets().entry_usuario->set_text("queda");
        u->widgets().entry_senha->set_text("queda123");
        u->widgets().entry_nasc->set_text("01/02/2003");
        ASSERT_TRUE(teste::clicar(u->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        falhas_mostradas += 1;
    });
    no_formulario<FormAcesso>(r, ids::NIVEIS, [&](FormAcesso* n) {
        EXPECT_EQ(n->get_lista()->children().size(), 0u);
        ASSERT_TRUE(teste::clicar(n->widgets().button_novo));
        n->widgets().entry_descricao->set_text("Nível da queda");
        n->widgets().entry_nivel->set_text("7");
        ASSERT_TRUE(teste::clicar(n->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        falhas_mostradas += 1;
    });
    no_formulario<FormAbelha>(r, ids::ABELHAS, [&](FormAbelha* b) {
        EXPECT_EQ(b->widgets().entry_rgn->get_text(), "");
        ASSERT_TRUE(teste::clicar(b->widgets().button_novo));
        b->widgets().entry_nascimento->set_text("03/04/2005");
        ASSERT_TRUE(teste::clicar(b->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR });
        ASSERT_TRUE(teste::clicar(b->widgets().button_cancelar));
        ASSERT_TRUE(apertar(b->widgets().button_gerar));
        EXPECT_EQ(respondedor.tomar(), Textos { "Nenhuma abelha exibida: não há de quem gerar filhas." });
        falhas_mostradas += 2;
    });
    // The beehive window opens with nothing listed, and stores nothing.
    passo_longo(r, [this] {
        bool aberta = false;
        respondedor.ao_abrir = [this, &aberta](Gtk::Window& janela) {
            if (janela.get_title() != "Cadastro de Colméias")
                return;
            aberta = true;
            COLMEIA_VIEW* c = form<COLMEIA_VIEW>(ids::COLMEIAS);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->get_lista_colmeias()->children().size(), 0u);
            EXPECT_EQ(c->widgets().combo_apiario->textos(), std::vector<std::string> { "" });
            c->widgets().combo_tipo->set_active(1);
            c->widgets().combo_status->set_active(1);
            c->widgets().button_salvar_colmeia->clicked();
            EXPECT_EQ(respondedor.tomar(), Textos { "Escolha o apiário da colméia." });
            janela.hide();
        };
        teste::item_menu(*sistema, ids::COLMEIAS).activate();
        respondedor.ao_abrir = nullptr;
        EXPECT_TRUE(aberta);
    });

    // The server is back: what was saved is there, none of the refused
    // saves left anything behind, and the program works again.
    passo_longo(r, [&] {
        ASSERT_TRUE(cluster->iniciar());
        EXPECT_EQ(tudo(), antes_da_queda);
        EXPECT_EQ(contar("apiario", "nome = 'Antes da queda'"), "1");
        EXPECT_EQ(contar("apiario", "nome like '%queda%' and nome <> 'Antes da queda'"), "0");
        saida.tomar();
    });
    no_formulario<FormApiario>(r, ids::APIARIOS, [&](FormApiario* a) {
        ASSERT_TRUE(teste::clicar(a->widgets().button_ultimo));
        EXPECT_EQ(a->widgets().label_contador->get_text(), "5 / 5");
        EXPECT_EQ(a->widgets().entry_nome->get_text(), "Antes da queda");
        ASSERT_TRUE(teste::clicar(a->widgets().button_novo));
        apiario(a, "Depois da volta");
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos());
        EXPECT_EQ(contar("apiario", "nome = 'Depois da volta'"), "1");
        // The statement went out once, as any other.
        const std::string trace = saida.tomar();
        const std::string insert = "insert into cadastro.apiario ( nome, endereco, distrito, data_criacao, "
                                   "latitude, longitude, obs, id_florada, cod_cid) values ( 'Depois da volta',";
        EXPECT_NE(trace.find(insert), std::string::npos);
        EXPECT_EQ(trace.find(insert), trace.rfind(insert));
    });
    no_formulario<FormAcesso>(r, ids::NIVEIS, [&](FormAcesso* n) {
        EXPECT_EQ(n->get_lista()->children().size(), 3u);
        ASSERT_TRUE(teste::clicar(n->widgets().button_novo));
        n->widgets().entry_descricao->set_text("Nível da volta");
        ASSERT_TRUE(teste::clicar(n->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos());
        EXPECT_EQ(n->get_lista()->children().size(), 4u);
    });
    rodar(r);
    EXPECT_EQ(falhas_mostradas, 9);
    EXPECT_EQ(contar("acesso", "desc_acesso = 'Nível da volta'"), "1");
    EXPECT_EQ(contar("usuario", "true"), "2");
}

// The server restarted between two saves: the second one works at the first
// try, without a dialog, and is stored once.
TEST_F(BancoPerdido, ServidorReiniciadoEntreDoisSalvamentosNaoCustaNenhum)
{
    iniciar();
    ASSERT_TRUE(query->get_conectado()) << query->get_mensagem();
    Roteiro r;
    entrar(r);
    no_formulario<FormApiario>(r, ids::APIARIOS, [&](FormApiario* a) {
        ASSERT_TRUE(teste::clicar(a->widgets().button_novo));
        apiario(a, "Antes do reinício");
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        ASSERT_TRUE(cluster->parar());
        ASSERT_TRUE(cluster->iniciar());
        ASSERT_TRUE(teste::clicar(a->widgets().button_novo));
        apiario(a, "Depois do reinício");
        saida.tomar();
        ASSERT_TRUE(teste::clicar(a->widgets().button_salvar));
        EXPECT_EQ(respondedor.tomar(), Textos());
        EXPECT_FALSE(a->inserindo());
        EXPECT_EQ(a->widgets().label_contador->get_text(), "1 / 6");
        const std::string trace = saida.tomar();
        const std::string insert = "values ( 'Depois do reinício',";
        EXPECT_NE(trace.find(insert), std::string::npos);
        EXPECT_EQ(trace.find(insert), trace.rfind(insert));
    });
    rodar(r);
    EXPECT_EQ(contar("apiario", "nome like '%do reinício'"), "2");
}

// The server stops in the middle of a large "Gerar Filhas": none of the
// daughters is stored, the user is told, and the program goes on, storing
// daughters again once the server is back.
TEST_F(BancoPerdido, ServidorParaNoMeioDeGerarFilhasNenhumaFica)
{
    iniciar();
    ASSERT_TRUE(query->get_conectado()) << query->get_mensagem();
    bool parou = false;
    Roteiro r;
    entrar(r);
    no_formulario<FormAbelha>(r, ids::ABELHAS, [&](FormAbelha* b) {
        std::string quantidade = "10000";
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            DialogoFilhas* d = b->get_dialogo_filhas();
            if (!d || &janela != d)
                return;
            d->widgets().entry_quantidade->set_text(quantidade);
            d->widgets().entry_data->set_text("10/03/2011");
            d->response(Gtk::RESPONSE_OK);
        };
        // Once a tenth of them is done (stored in the open transaction),
        // the server stops.
        sigc::connection vigia = Glib::signal_timeout().connect([&] {
            DialogoFilhas* d = b->get_dialogo_filhas();
            if (!d || parou)
                return true;
            Gtk::ProgressBar* barra = teste::barra_de_progresso(*d);
            if (barra && barra->get_fraction() >= 0.1) {
                parou = true;
                EXPECT_TRUE(cluster->parar());
            }
            return true;
        }, 20);
        respondedor.tomar_detalhes();
        b->widgets().button_gerar->clicked();
        vigia.disconnect();
        EXPECT_TRUE(parou);
        EXPECT_EQ(respondedor.tomar(), Textos { "Nenhuma filha foi cadastrada." });
        const Textos detalhes = respondedor.tomar_detalhes();
        ASSERT_EQ(detalhes.size(), 1u);
        EXPECT_NE(detalhes[0], "");
        EXPECT_EQ(b->get_dialogo_filhas(), nullptr);

        ASSERT_TRUE(cluster->iniciar());
        EXPECT_EQ(contar("abelha_rainha", "true"), "8");
        quantidade = "3";
        b->widgets().button_gerar->clicked();
        respondedor.ao_abrir = nullptr;
        EXPECT_EQ(respondedor.tomar(), Textos { "3 filhas cadastradas" });
        EXPECT_EQ(b->widgets().label_contador->get_text(), "1 / 11");
    });
    rodar(r);
    EXPECT_EQ(contar("abelha_rainha", "filha = 1"), "5");
}
