// "Minha Conta" and "Cadastro de Usuarios" on the real windows: layout,
// states, browsing, saving with and without a postal-code lookup, refused
// saves, and the user search.
#include <gtest/gtest.h>

#include "gui/form_pesquisa_usuario.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "util/senha.h"

using Roteiro = teste::RoteiroTeste;

namespace {

bool contem(const std::string& texto, const std::string& trecho)
{
    return texto.find(trecho) != std::string::npos;
}

struct Campos
{
    std::string nome, nasc, cpf, rg, oexp, rua, numero, bairro, usuario, senha;
};

class Usuarios : public teste::SistemaTeste
{
protected:
    FormUsuario* f(ids::Janela id = ids::USUARIOS) { return form<FormUsuario>(id); }
    FormPesquisaUsuario* busca() { return form<FormPesquisaUsuario>(ids::BUSCA_USUARIO); }

    // Names of the fields, for the layout and the state checks.
    std::map<Gtk::Widget*, std::string> nomes(FormUsuario* u)
    {
        std::map<Gtk::Widget*, std::string> n = { { u->widgets().entry_nome, "nome" },
            { u->widgets().entry_nasc, "nasc" }, { u->widgets().entry_cpf, "cpf" }, { u->widgets().entry_rg, "rg" },
            { u->widgets().entry_oexp, "oexp" }, { u->widgets().entry_cep, "cep" }, { u->widgets().entry_rua, "rua" },
            { u->widgets().entry_numero, "numero" }, { u->widgets().entry_bairro, "bairro" },
            { u->widgets().entry_cidade, "cidade" }, { u->widgets().entry_estado, "estado" },
            { u->widgets().entry_usuario, "usuario" } };
        if (u->widgets().entry_senha)
            n[u->widgets().entry_senha] = "senha";
        if (u->widgets().label_contador)
            n[u->widgets().label_contador] = "contador";
        return n;
    }

    std::vector<Gtk::Entry*> entradas(FormUsuario* u)
    {
        std::vector<Gtk::Entry*> e = { u->widgets().entry_nome, u->widgets().entry_nasc, u->widgets().entry_cpf,
            u->widgets().entry_rg, u->widgets().entry_oexp, u->widgets().entry_cep, u->widgets().entry_rua,
            u->widgets().entry_numero, u->widgets().entry_bairro, u->widgets().entry_cidade, u->widgets().entry_estado,
            u->widgets().entry_usuario };
        if (u->widgets().entry_senha)
            e.push_back(u->widgets().entry_senha);
        return e;
    }

    // What the form shows: name, login, CEP, street, district, city, state.
    std::vector<std::string> mostrado(FormUsuario* u)
    {
        return { u->widgets().entry_nome->get_text(), u->widgets().entry_usuario->get_text(),
            u->widgets().entry_cep->get_text(), u->widgets().entry_rua->get_text(),
            u->widgets().entry_bairro->get_text(), u->widgets().entry_cidade->get_text(),
            u->widgets().entry_estado->get_text() };
    }

    void preencher(FormUsuario* u, const Campos& c)
    {
        u->widgets().entry_nome->set_text(c.nome);
        u->widgets().entry_nasc->set_text(c.nasc);
        u->widgets().entry_cpf->set_text(c.cpf);
        u->widgets().entry_rg->set_text(c.rg);
        u->widgets().entry_oexp->set_text(c.oexp);
        u->widgets().entry_rua->set_text(c.rua);
        u->widgets().entry_numero->set_text(c.numero);
        u->widgets().entry_bairro->set_text(c.bairro);
        u->widgets().entry_usuario->set_text(c.usuario);
        if (u->widgets().entry_senha)
            u->widgets().entry_senha->set_text(c.senha);
    }

    // The row of a user as the database holds it.
    std::string linha(const std::string& login)
    {
        return banco->valor("select nome || '|' || cpf || '|' || rg || '|' || oexp || '|' || "
                            "to_char(nasc, 'DD/MM/YYYY') || '|' || endereco || '|' || numero || '|' || bairro || "
                            "'|' || id_cep || '|' || id_acesso from cadastro.usuario where login = " +
                            query->literal(login));
    }

    std::string senha_de(const std::string& login)
    {
        return banco->valor("select forma from seguranca.credencial join cadastro.usuario using (id_usuario) "
                            "where login = " + query->literal(login));
    }
    // Whether the password stored for the login is `senha` (salted: it
    // can only be checked).
    bool guarda_a_senha(const std::string& login, const std::string& senha)
    {
        return teste::forma_confere(senha, senha_de(login));
    }

    std::string usuarios_no_banco() { return banco->valor("select count(*) from cadastro.usuario"); }

    // Sensitivity of the user form's New, Edit, Save, Cancel, Find and the
    // four navigation items.
    std::string botoes(FormUsuario* u)
    {
        std::string s;
        for (Gtk::Widget* b : { (Gtk::Widget*)u->widgets().button_novo, (Gtk::Widget*)u->widgets().button_editar,
                                (Gtk::Widget*)u->widgets().button_salvar, (Gtk::Widget*)u->widgets().button_cancelar,
                                (Gtk::Widget*)u->widgets().button_buscar, (Gtk::Widget*)u->widgets().button_primeiro,
                                (Gtk::Widget*)u->widgets().button_anterior, (Gtk::Widget*)u->widgets().button_proximo,
                                (Gtk::Widget*)u->widgets().button_ultimo })
            s += b->is_sensitive() ? '1' : '0';
        return s;
    }

    int editaveis(FormUsuario* u)
    {
        int n = 0;
        for (Gtk::Entry* e : entradas(u))
            n += e->get_editable() ? 1 : 0;
        return n;
    }

    void escolher_linha(int i)
    {
        Gtk::TreePath caminho;
        caminho.push_back(i);
        busca()->widgets().treeview_usuarios->row_activated(
            caminho, *busca()->widgets().treeview_usuarios->get_column(0));
    }

    const Campos joana = { "Joana Mel", "10/05/1990", "390.533.447-05", "998877", "SSP/MS",
                           "Rua das Flores", "12", "Vila Rica", "joana", "favo1234" };
};

const std::vector<std::string> ADMIN = { "Administrador do Sistema", "admin", "79800-001",
                                         "Avenida Marcelino Pires", "Centro", "Dourados", "MS" };
const std::vector<std::string> MARIA = { "Maria Aparecida Souza", "maria", "79002-071",
                                         "Rua 14 de Julho", "Centro", "Campo Grande", "MS" };

} // namespace

TEST_F(Usuarios, MinhaContaMontagemEstadosEEdicao)
{
    std::string versao;
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::MINHA_CONTA);
    r.passo([this, &versao] {
        FormUsuario* c = f(ids::MINHA_CONTA);
        EXPECT_EQ(c->janela()->get_title(), "Minha Conta");
        std::vector<Gtk::ToolItem*> barra = teste::itens_da_barra(c->widgets().button_editar);
        std::vector<Gtk::ToolItem*> ordem = { c->widgets().button_editar, c->widgets().button_salvar,
            c->widgets().button_cancelar };
        EXPECT_EQ(barra, ordem);
        EXPECT_EQ(c->widgets().button_editar->get_child()->get_tooltip_text(), "Editar Informações");
        EXPECT_EQ(c->widgets().button_salvar->get_child()->get_tooltip_text(), "Salvar Alterações");
        EXPECT_EQ(c->widgets().button_cancelar->get_child()->get_tooltip_text(), "Cancelar ação atual");
        EXPECT_EQ(c->widgets().button_novo, nullptr);
        EXPECT_EQ(c->widgets().label_contador, nullptr);

        std::vector<std::string> esperado = {
            "[Dados Pessoais]", "Nome:\t", "{nome}", "Data Nasc:\t", "{nasc}",
            "CPF:\t", "{cpf}", "RG:\t", "{rg}", "Org. Exp.:\t", "{oexp}",
            "[Endereço]", "CEP:\t", "{cep}", "Rua:\t", "{rua}", "N°:\t", "{numero}", "Bairro:\t", "{bairro}",
            "Cidade:\t", "{cidade}", "ES:\t", "{estado}",
            "[Privilegios ]", "Usuario:", "{usuario}", "<Trocar Senha>" };
        EXPECT_EQ(teste::conteudo(c->janela(), nomes(c)), esperado);

        // Widths and maximum lengths.
        struct Medida { Gtk::Entry* e; int largura; int maximo; };
        const Medida medidas[] = { { c->widgets().entry_nome, 265, 0 }, { c->widgets().entry_nasc, 100, 10 },
            { c->widgets().entry_cpf, 135, 14 }, { c->widgets().entry_rg, 80, 0 }, { c->widgets().entry_oexp, 80, 0 },
            { c->widgets().entry_cep, 110, 9 }, { c->widgets().entry_rua, 265, 0 },
            { c->widgets().entry_numero, 50, 0 }, { c->widgets().entry_bairro, 100, 0 },
            { c->widgets().entry_cidade, 100, 0 }, { c->widgets().entry_estado, 40, 0 },
            { c->widgets().entry_usuario, -1, 20 } };
        for (const Medida& m : medidas) {
            int largura, altura;
            m.e->get_size_request(largura, altura);
            EXPECT_EQ(largura, m.largura) << nomes(c)[m.e];
            EXPECT_EQ(m.e->get_max_length(), m.maximo) << nomes(c)[m.e];
        }

        // Browse state: the logged-in user, nothing editable.
        EXPECT_TRUE(contem(saida.tomar(), "1 - 1\n"));
        EXPECT_EQ(mostrado(c), ADMIN);
        EXPECT_EQ(c->widgets().entry_nasc->get_text(), "15/03/1980");
        EXPECT_EQ(c->widgets().entry_cpf->get_text(), "111.444.777-35");
        EXPECT_EQ(c->widgets().entry_numero->get_text(), "1500");
        EXPECT_EQ(editaveis(c), 0);
        EXPECT_TRUE(c->widgets().button_editar->is_sensitive());
        EXPECT_FALSE(c->widgets().button_salvar->is_sensitive());
        EXPECT_FALSE(c->widgets().button_cancelar->is_sensitive());
        EXPECT_FALSE(c->widgets().button_trocar_senha->is_sensitive());
        EXPECT_EQ(c->janela()->get_focus(), c->widgets().entry_nome);

        // Enter walks the fields.
        const std::pair<Gtk::Entry*, Gtk::Widget*> cadeia[] = { { c->widgets().entry_nome, c->widgets().entry_nasc },
            { c->widgets().entry_nasc, c->widgets().entry_cpf }, { c->widgets().entry_cpf, c->widgets().entry_rg },
            { c->widgets().entry_rg, c->widgets().entry_oexp }, { c->widgets().entry_oexp, c->widgets().entry_cep },
            { c->widgets().entry_rua, c->widgets().entry_numero },
            { c->widgets().entry_numero, c->widgets().entry_bairro },
            { c->widgets().entry_bairro, c->widgets().entry_cidade },
            { c->widgets().entry_cidade, c->widgets().entry_estado },
            { c->widgets().entry_estado, c->widgets().entry_usuario } };
        for (const auto& p : cadeia) {
            p.first->activate();
            EXPECT_EQ(c->janela()->get_focus(), p.second) << nomes(c)[p.first];
        }

        // Edit state.
        EXPECT_TRUE(teste::clicar(c->widgets().button_editar));
        EXPECT_EQ(editaveis(c), 12);
        EXPECT_FALSE(c->widgets().button_editar->is_sensitive());
        EXPECT_TRUE(c->widgets().button_salvar->is_sensitive());
        EXPECT_TRUE(c->widgets().button_cancelar->is_sensitive());
        EXPECT_TRUE(c->widgets().button_trocar_senha->is_sensitive());
        EXPECT_EQ(c->janela()->get_focus(), c->widgets().entry_nome);

        // Cancel drops what was typed.
        c->widgets().entry_nome->set_text("Outro Nome");
        EXPECT_TRUE(teste::clicar(c->widgets().button_cancelar));
        EXPECT_EQ(mostrado(c), ADMIN);
        EXPECT_EQ(editaveis(c), 0);

        // Edit and save without a lookup: the postal code stays.
        EXPECT_TRUE(teste::clicar(c->widgets().button_editar));
        c->widgets().entry_nome->set_text("Admin d'Ávila");
        c->widgets().entry_numero->set_text("77");
        saida.tomar();
        versao = sistema->get_usuario_logado().versao;
        EXPECT_TRUE(teste::clicar(c->widgets().button_salvar));
    });
    r.passo([this, &versao] {
        FormUsuario* c = f(ids::MINHA_CONTA);
        std::string t = saida.tomar();
        EXPECT_TRUE(contem(t,
            "0\n1\n\n SET QUERY 3\nupdate cadastro.usuario set  nome='Admin d''Ávila', login='admin', "
            "cpf='111.444.777-35', rg='1234567', oexp='SSP/MS', nasc='15/03/1980', "
            "endereco='Avenida Marcelino Pires', numero='77', bairro='Centro', id_cep=1 "
            "WHERE id_usuario=1 and xmin='" + versao + "'\n"))
            << t;
        EXPECT_TRUE(contem(t, "1 - 1\n")) << t;
        EXPECT_EQ(linha("admin"), "Admin d'Ávila|111.444.777-35|1234567|SSP/MS|15/03/1980|Avenida Marcelino Pires|"
                                  "77|Centro|1|1");
        // Reloaded: the form and the logged-in user show the stored name.
        EXPECT_EQ(c->widgets().entry_nome->get_text(), "Admin d'Ávila");
        EXPECT_EQ(sistema->get_usuario_logado().nome, "Admin d'Ávila");
        EXPECT_EQ(editaveis(c), 0);

        // Edit with a lookup: the new postal code is saved and shown.
        EXPECT_TRUE(teste::clicar(c->widgets().button_editar));
        teste::consultar_cep(c, "79002-075");
        EXPECT_EQ(c->widgets().entry_rua->get_text(), "Avenida Afonso Pena");
        EXPECT_EQ(c->widgets().entry_bairro->get_text(), "Centro");
        EXPECT_EQ(c->widgets().entry_cidade->get_text(), "Campo Grande");
        EXPECT_EQ(c->widgets().entry_estado->get_text(), "MS");
        EXPECT_EQ(c->widgets().entry_cep->get_text(), "79002-075");
        EXPECT_EQ(c->janela()->get_focus(), c->widgets().entry_rua);
        EXPECT_TRUE(teste::clicar(c->widgets().button_salvar));
    });
    r.passo([this] {
        FormUsuario* c = f(ids::MINHA_CONTA);
        EXPECT_EQ(banco->valor("select id_cep from cadastro.usuario where id_usuario = 1"), "7");
        EXPECT_EQ(c->widgets().entry_cep->get_text(), "79002-075");
        EXPECT_EQ(c->widgets().entry_cidade->get_text(), "Campo Grande");
        EXPECT_EQ(sistema->get_usuario_logado().cep.id, 7);
    });
    rodar(r);
}

// The password changed from "Minha Conta" is a change of the stored row:
// the account saves afterwards all the same; a change of its data by
// another desktop meanwhile is refused.
TEST_F(Usuarios, MinhaContaSalvaDepoisDeTrocarASenha)
{
    // Stands for the password window: the password changes, then it closes.
    auto trocar_senha = [this](Roteiro& r, const std::string& tambem) {
        r.passo([this] { f(ids::MINHA_CONTA)->widgets().button_trocar_senha->clicked(); });
        esperar_aberto(r, ids::SENHA, "the password window");
        r.passo([this, tambem] {
            ASSERT_EQ(banco->executar("update cadastro.usuario set senha = md5('nova')" + tambem +
                                      " where id_usuario = 1"),
                      "");
            form<Formulario>(ids::SENHA)->janela()->hide();
        });
        esperar_fechado(r, ids::SENHA, "the password window to close");
    };
    Roteiro r;
    entrar(r);
    abrir(r, ids::MINHA_CONTA);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f(ids::MINHA_CONTA)->widgets().button_editar));
        f(ids::MINHA_CONTA)->widgets().entry_numero->set_text("88");
    });
    trocar_senha(r, "");
    r.passo([this] {
        EXPECT_EQ(f(ids::MINHA_CONTA)->widgets().entry_numero->get_text(), "88");
        EXPECT_TRUE(teste::clicar(f(ids::MINHA_CONTA)->widgets().button_salvar));
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(banco->valor("select numero || ' ' || seguranca.prova_confere(forma, md5('nova')) "
                               "from cadastro.usuario join seguranca.credencial using (id_usuario) "
                               "where id_usuario = 1"),
                  "88 true");
        EXPECT_TRUE(teste::clicar(f(ids::MINHA_CONTA)->widgets().button_editar));
        f(ids::MINHA_CONTA)->widgets().entry_numero->set_text("99");
    });
    trocar_senha(r, ", bairro = 'Bairro da outra'");
    r.passo([this] { EXPECT_TRUE(teste::clicar(f(ids::MINHA_CONTA)->widgets().button_salvar)); });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select numero || ' ' || bairro from cadastro.usuario where id_usuario = 1"),
                  "88 Bairro da outra");
        // Shown as it now is, in the form and as the logged-in user.
        EXPECT_EQ(f(ids::MINHA_CONTA)->widgets().entry_numero->get_text(), "88");
        EXPECT_EQ(f(ids::MINHA_CONTA)->widgets().entry_bairro->get_text(), "Bairro da outra");
        EXPECT_EQ(sistema->get_usuario_logado().bairro, "Bairro da outra");
        EXPECT_FALSE(f(ids::MINHA_CONTA)->editando());
    });
    rodar(r);
}

TEST_F(Usuarios, CadastroMontagemNavegacaoEPosicaoLembrada)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        FormUsuario* u = f();
        EXPECT_EQ(u->janela()->get_title(), "Cadastro de Usuarios");
        std::vector<Gtk::ToolItem*> barra = teste::itens_da_barra(u->widgets().button_novo);
        std::vector<Gtk::ToolItem*> ordem = { u->widgets().button_novo, u->widgets().button_editar,
            u->widgets().button_salvar, u->widgets().button_cancelar, u->widgets().button_buscar };
        EXPECT_EQ(barra, ordem);
        for (Gtk::ToolItem* i : barra)
            EXPECT_EQ(i->get_child()->get_tooltip_text(), "");
        EXPECT_EQ(u->widgets().button_buscar->get_stock_id(), "gtk-find");
        std::vector<Gtk::ToolItem*> navegacao = teste::itens_da_barra(u->widgets().button_primeiro);
        ASSERT_EQ(navegacao.size(), 5u);
        EXPECT_EQ(navegacao[0], u->widgets().button_primeiro);
        EXPECT_EQ(navegacao[1], u->widgets().button_anterior);
        EXPECT_EQ(navegacao[2]->get_child(), u->widgets().label_contador);
        EXPECT_EQ(navegacao[3], u->widgets().button_proximo);
        EXPECT_EQ(navegacao[4], u->widgets().button_ultimo);

        std::vector<std::string> esperado = {
            "[Dados Pessoais]", "Nome:\t", "{nome}", "Data Nasc:\t", "{nasc}",
            "CPF:\t", "{cpf}", "RG:\t", "{rg}", "Org. Exp.:\t", "{oexp}",
            "[Endereço]", "CEP:\t", "{cep}", "Rua:\t", "{rua}", "N°:\t", "{numero}", "Bairro:\t", "{bairro}",
            "Cidade:\t", "{cidade}", "UF:\t", "{estado}",
            "[Privilegios ]", "Usuario:\t", "{usuario}", "Senha:\t", "{senha}" };
        EXPECT_EQ(teste::conteudo(u->janela(), nomes(u)), esperado);
        int largura, altura;
        u->widgets().entry_estado->get_size_request(largura, altura);
        EXPECT_EQ(largura, -1);
        EXPECT_TRUE(u->widgets().entry_senha->get_visibility());

        // First opening: the console line, position 1 of 2.
        std::string t = saida.tomar();
        EXPECT_TRUE(contem(t, "2 - 1\n")) << t;
        EXPECT_TRUE(contem(t, " Primeiro acesso à janela \n1\n")) << t;
        EXPECT_EQ(u->widgets().label_contador->get_text(), "1 / 2");
        EXPECT_EQ(mostrado(u), ADMIN);
        EXPECT_EQ(botoes(u), "110011111");
        EXPECT_EQ(editaveis(u), 0);

        // Back on the first stays, but reloads.
        EXPECT_TRUE(teste::clicar(u->widgets().button_anterior));
        t = saida.tomar();
        EXPECT_FALSE(contem(t, "ANTERIOR")) << t;
        EXPECT_TRUE(contem(t, "select u.id_usuario")) << t;
        EXPECT_EQ(u->widgets().label_contador->get_text(), "1 / 2");

        EXPECT_TRUE(teste::clicar(u->widgets().button_proximo));
        t = saida.tomar();
        EXPECT_TRUE(contem(t, "\nPROXIMO\nMaria Aparecida Souza\n")) << t;
        EXPECT_TRUE(contem(t, "\n6\n")) << t;   // her postal-code id
        EXPECT_EQ(u->widgets().label_contador->get_text(), "2 / 2");
        EXPECT_EQ(mostrado(u), MARIA);

        EXPECT_TRUE(teste::clicar(u->widgets().button_proximo));
        EXPECT_FALSE(contem(saida.tomar(), "PROXIMO"));
        EXPECT_EQ(u->widgets().label_contador->get_text(), "2 / 2");

        EXPECT_TRUE(teste::clicar(u->widgets().button_primeiro));
        EXPECT_TRUE(contem(saida.tomar(), "\nINICIO\nAdministrador do Sistema\n"));
        EXPECT_EQ(mostrado(u), ADMIN);
        EXPECT_TRUE(teste::clicar(u->widgets().button_ultimo));
        EXPECT_TRUE(contem(saida.tomar(), "\nFIM\nMaria Aparecida Souza\n"));
        EXPECT_EQ(u->widgets().label_contador->get_text(), "2 / 2");

        // "Minha Conta" opened now still shows the logged-in user.
        teste::item_menu(*sistema, ids::MINHA_CONTA).activate();
    });
    esperar_aberto(r, ids::MINHA_CONTA, "my account");
    r.passo([this] {
        EXPECT_EQ(mostrado(f(ids::MINHA_CONTA)), ADMIN);
        f(ids::MINHA_CONTA)->janela()->hide();
    });
    esperar_fechado(r, ids::MINHA_CONTA, "my account to close");
    r.passo([this] { f()->janela()->hide(); });
    esperar_fechado(r, ids::USUARIOS, "the user form to close");
    r.passo([this] { saida.tomar(); });
    // Reopened: the same user, no first-opening line.
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        std::string t = saida.tomar();
        EXPECT_FALSE(contem(t, "Primeiro acesso")) << t;
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "2 / 2");
        EXPECT_EQ(mostrado(f()), MARIA);
    });
    rodar(r);
}

TEST_F(Usuarios, EstadosNovoEdicaoCancelar)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        FormUsuario* u = f();
        EXPECT_TRUE(teste::clicar(u->widgets().button_editar));
        EXPECT_EQ(botoes(u), "001100000");
        EXPECT_EQ(editaveis(u), 13);
        EXPECT_EQ(u->janela()->get_focus(), u->widgets().entry_nome);
        EXPECT_EQ(mostrado(u), ADMIN);
        u->widgets().entry_nome->set_text("Digitado");
        u->widgets().entry_cidade->set_text("Outra");
        EXPECT_TRUE(teste::clicar(u->widgets().button_cancelar));
        EXPECT_EQ(mostrado(u), ADMIN);
        EXPECT_EQ(botoes(u), "110011111");
        EXPECT_EQ(editaveis(u), 0);

        EXPECT_TRUE(teste::clicar(u->widgets().button_novo));
        EXPECT_EQ(botoes(u), "001100000");
        EXPECT_EQ(editaveis(u), 13);
        for (Gtk::Entry* e : entradas(u))
            EXPECT_EQ(e->get_text(), "") << nomes(u)[e];
        EXPECT_EQ(u->janela()->get_focus(), u->widgets().entry_nome);
        EXPECT_EQ(u->widgets().label_contador->get_text(), "1 / 2");
        EXPECT_TRUE(teste::clicar(u->widgets().button_cancelar));
        EXPECT_EQ(mostrado(u), ADMIN);
    });
    rodar(r);
}

TEST_F(Usuarios, NovoUsuarioSemEComConsultaDeCep)
{
    std::vector<std::string> antes_da_consulta;
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        // Without a lookup the new user gets the logged-in user's postal code.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        preencher(f(), joana);
        saida.tomar();
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this, &antes_da_consulta] {
        std::string t = saida.tomar();
        EXPECT_TRUE(contem(t, "1\n0\n"
                              "insert into cadastro.usuario ( nome, login, senha, cpf, rg, oexp, nasc, "
                              "endereco, numero, bairro, id_cep) values ( 'Joana Mel', 'joana', '********', "
                              "'390.533.447-05', '998877', 'SSP/MS', '10/05/1990', 'Rua das Flores', '12', "
                              "'Vila Rica', 1) returning  id_usuario;\n")) << t;
        EXPECT_EQ(linha("joana"), "Joana Mel|390.533.447-05|998877|SSP/MS|10/05/1990|Rua das Flores|12|Vila Rica|1|3");
        EXPECT_TRUE(guarda_a_senha("joana", "favo1234"));
        // Back to browsing at the position it showed, one more user.
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 3");
        EXPECT_EQ(mostrado(f()), ADMIN);
        EXPECT_EQ(botoes(f()), "110011111");

        // With a lookup: the street, district, city and state come from it.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        Campos c = joana;
        c.usuario = "joana2";
        c.senha = "outra senha";
        preencher(f(), c);
        teste::consultar_cep(f(), "79824-140");
        EXPECT_EQ(f()->widgets().entry_rua->get_text(), "Rua Hayel Bon Faker");
        EXPECT_EQ(f()->widgets().entry_bairro->get_text(), "Jardim Central");
        EXPECT_EQ(f()->widgets().entry_cidade->get_text(), "Dourados");
        EXPECT_EQ(f()->widgets().entry_estado->get_text(), "MS");
        EXPECT_EQ(f()->janela()->get_focus(), f()->widgets().entry_rua);
        EXPECT_TRUE(contem(saida.tomar(), "select * from  cadastro.ceps INNER JOIN cadastro.municipio ON "
                                          "ceps.cod_cid=municipio.cod_cid where cep='79824-140'\n"));
        // A CEP that is not there, not registered when asked: it changes
        // nothing on the form.
        antes_da_consulta = mostrado(f());
        teste::consultar_cep(f(), "12345-678");
    });
    r.responder("CEP não encontrado. Deseja cadastrá-lo?", Gtk::RESPONSE_NO);
    r.passo([this, &antes_da_consulta] {
        std::vector<std::string> depois = mostrado(f());
        EXPECT_EQ(depois[2], "12345-678");
        depois[2] = antes_da_consulta[2];
        EXPECT_EQ(depois, antes_da_consulta);
        EXPECT_EQ(teste::janela_com_titulo("Cadastro de CEP"), nullptr);
        // A quote that got in by pasting reaches the lookup as text (and,
        // not being a whole CEP, is not offered for registration).
        teste::consultar_cep(f(), "7'9");
        EXPECT_TRUE(contem(saida.tomar(), "where cep='7''9'\n"));
        EXPECT_EQ(f()->widgets().entry_rua->get_text(), "Rua Hayel Bon Faker");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        // The row of the last lookup that found one.
        EXPECT_EQ(linha("joana2"),
                  "Joana Mel|390.533.447-05|998877|SSP/MS|10/05/1990|Rua Hayel Bon Faker|12|Jardim Central|3|3");
        EXPECT_TRUE(guarda_a_senha("joana2", "outra senha"));
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 4");
    });
    rodar(r);
}

TEST_F(Usuarios, NovoUsuarioSemNenhumCepConhecidoERecusado)
{
    std::string antes = banco->despejo();
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        preencher(f(), joana);
        // Nothing found and no earlier lookup in this session.
        teste::consultar_cep(f(), "00000-000");
    });
    r.responder("CEP não encontrado. Deseja cadastrá-lo?", Gtk::RESPONSE_NO);
    r.passo([this] {
        EXPECT_EQ(f()->widgets().entry_rua->get_text(), "Rua das Flores");
        saida.tomar();
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !",
                "Nenhum CEP cadastrado foi informado: digite o CEP e tecle Enter nele para buscar o endereço.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_FALSE(contem(saida.tomar(), "insert into"));
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Joana Mel");
        EXPECT_EQ(f()->widgets().entry_senha->get_text(), "favo1234");
        EXPECT_EQ(botoes(f()), "001100000");
    });
    rodar(r);
    EXPECT_EQ(banco->despejo(), antes);
}

TEST_F(Usuarios, GravacoesRecusadasDizemPorQueEMantemOsValores)
{
    std::string antes = banco->despejo();
    // Each case: what goes wrong in an otherwise good new user, and what
    // the error dialog says about it.
    struct Caso { const char* o_que; Campos campos; const char* motivo; };
    const char* const DATA = "A data digitada não existe ou não está no formato DD/MM/AAAA.";
    std::vector<Caso> casos;
    Campos c = joana;
    c.nasc = "31/02/2020";
    casos.push_back({ "impossible date", c, DATA });
    c = joana;
    c.nasc = "";
    casos.push_back({ "no date", c, DATA });
    c = joana;
    c.nome = "";
    casos.push_back({ "empty name", c, "O nome não pode ficar em branco." });
    c = joana;
    c.usuario = "";
    casos.push_back({ "empty login", c, "O login não pode ficar em branco." });

    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    for (const Caso& caso : casos) {
        r.passo([this, caso] {
            // After a refused save the form is still in the new-record state.
            if (!f()->widgets().button_novo->is_sensitive()) {
                EXPECT_TRUE(f()->inserindo()) << caso.o_que;
                EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
            }
            EXPECT_TRUE(teste::clicar(f()->widgets().button_novo)) << caso.o_que;
            preencher(f(), caso.campos);
            EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
        });
        r.responder("Verifique as informações digitadas !", caso.motivo, Gtk::RESPONSE_CLOSE);
        r.passo([this, caso] {
            EXPECT_EQ(f()->widgets().entry_nome->get_text(), caso.campos.nome) << caso.o_que;
            EXPECT_EQ(f()->widgets().entry_usuario->get_text(), caso.campos.usuario) << caso.o_que;
            EXPECT_EQ(f()->widgets().entry_nasc->get_text(), caso.campos.nasc) << caso.o_que;
            EXPECT_EQ(editaveis(f()), 13) << caso.o_que;
        });
    }
    // Save again as it is: the same refusal, New still pending.
    r.passo([this] { EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar)); });
    r.responder("Verifique as informações digitadas !", "O login não pode ficar em branco.", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(f()->widgets().entry_usuario->get_text(), "");
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 2");
        EXPECT_TRUE(f()->inserindo());
    });
    rodar(r);
    EXPECT_EQ(banco->despejo(), antes);
}

// A login someone already has: the dialog says so; with the login changed,
// Save stores the user once, with everything typed before.
TEST_F(Usuarios, LoginRepetidoDizOMotivoECorrigidoSalva)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        Campos c = joana;
        c.usuario = "maria";
        preencher(f(), c);
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", "Já existe um usuário com este login: escolha outro.",
                Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.usuario"), "2");
        EXPECT_TRUE(f()->inserindo());
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Joana Mel");
        EXPECT_EQ(f()->widgets().entry_senha->get_text(), "favo1234");
        f()->widgets().entry_usuario->set_text("joana");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_FALSE(f()->inserindo());
        EXPECT_EQ(linha("joana"), "Joana Mel|390.533.447-05|998877|SSP/MS|10/05/1990|Rua das Flores|12|Vila Rica|1|3");
        EXPECT_TRUE(teste::forma_confere("favo1234", senha_de("joana")));
        EXPECT_EQ(banco->valor("select count(*) from cadastro.usuario"), "3");
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 3");
    });
    rodar(r);
}

// Another desktop changed the user being edited: the save is refused,
// saying so, and the form shows the user as now stored, at its place.
TEST_F(Usuarios, UsuarioMudadoNoutraEstacaoNaoESobrescrito)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_ultimo));
        EXPECT_EQ(f()->widgets().entry_usuario->get_text(), "maria");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        f()->widgets().entry_bairro->set_text("Bairro desta");
        ASSERT_EQ(banco->executar("update cadastro.usuario set nome = 'Maria da Outra' where login = 'maria'"), "");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        EXPECT_FALSE(f()->editando());
        EXPECT_EQ(editaveis(f()), 0);
        EXPECT_EQ(f()->widgets().entry_usuario->get_text(), "maria");
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Maria da Outra");
        EXPECT_NE(f()->widgets().entry_bairro->get_text(), "Bairro desta");
        EXPECT_EQ(banco->valor("select count(*) from cadastro.usuario where bairro = 'Bairro desta'"), "0");
    });
    rodar(r);
}

TEST_F(Usuarios, AspasEmQualquerCampoSoMudamOValorGuardado)
{
    Campos c = { "Zé d'Água", "01/01/2000", "123.456.789-09", "1'2", "SSP'MS",
                 "Rua '; drop table cadastro.usuario; --", "1'", "Vila d'Ouro", "ze'", "se'nha\\ok" };
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this, c] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        preencher(f(), c);
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(linha("ze'"), "Zé d'Água|123.456.789-09|1'2|SSP'MS|01/01/2000|Rua '; drop table "
                                "cadastro.usuario; --|1'|Vila d'Ouro|1|3");
        EXPECT_TRUE(guarda_a_senha("ze'", "se'nha\\ok"));
        EXPECT_EQ(usuarios_no_banco(), "3");
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 3");
    });
    rodar(r);
}

TEST_F(Usuarios, EdicaoNoCadastroNaoMudaASenhaEGuardaOCep)
{
    std::string senha_maria = senha_de("maria");
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_ultimo));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        f()->widgets().entry_nome->set_text("Maria A. Souza");
        f()->widgets().entry_senha->set_text("nao-usada");
        saida.tomar();
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this, senha_maria] {
        std::string t = saida.tomar();
        EXPECT_TRUE(contem(
            t, "0\n1\n2\n6\n\n SET QUERY 3\nupdate cadastro.usuario set  nome='Maria A. Souza', login='maria', "))
            << t;
        EXPECT_TRUE(contem(t, "id_cep=6 WHERE id_usuario=2 and xmin='")) << t;
        EXPECT_EQ(banco->valor("select nome || ' ' || id_cep || ' ' || id_acesso from cadastro.usuario "
                               "where id_usuario = 2"),
                  "Maria A. Souza 6 3");
        EXPECT_EQ(senha_de("maria"), senha_maria);
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "2 / 2");
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Maria A. Souza");

        // With a lookup the new postal code is saved.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        teste::consultar_cep(f(), "79070-900");
        EXPECT_EQ(f()->widgets().entry_rua->get_text(), "Avenida Costa e Silva");
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(banco->valor("select id_cep || ' ' || endereco || ' ' || bairro from cadastro.usuario "
                               "where id_usuario = 2"),
                  "9 Avenida Costa e Silva Universitário");
        EXPECT_EQ(f()->widgets().entry_cep->get_text(), "79070-900");
        EXPECT_EQ(f()->widgets().entry_bairro->get_text(), "Universitário");
        // Navigating drops the lookup: the next edit keeps the stored code.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_primeiro));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_ultimo));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this] {
        EXPECT_EQ(banco->valor("select id_cep from cadastro.usuario where id_usuario = 2"), "9");
        EXPECT_EQ(banco->valor("select id_cep from cadastro.usuario where id_usuario = 1"), "1");
    });
    rodar(r);
    EXPECT_EQ(senha_de("maria"), senha_maria);
}

TEST_F(Usuarios, BuscaPorNomeEPorCpfEEscolhaDeLinha)
{
    banco->executar("insert into cadastro.usuario (id_usuario, nome, login, senha, cpf, nasc, id_cep, id_acesso) "
                    "values (7, 'Marcos Favo', 'marcos', md5('x'), '700.000.000-07', '01/01/1970', 2, 3)");
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    abrir_busca(r, ids::USUARIOS, ids::BUSCA_USUARIO);
    r.passo([this] {
        FormPesquisaUsuario* b = busca();
        EXPECT_EQ(b->janela()->get_title(), "Buscar Usuário");
        EXPECT_EQ(b->janela()->get_transient_for(), f()->janela());
        EXPECT_EQ(b->origem(), f());
        int largura, altura;
        b->janela()->get_size_request(largura, altura);
        EXPECT_EQ(largura, -1);
        EXPECT_EQ(altura, 250);
        b->widgets().entry_pesquisa->get_size_request(largura, altura);
        EXPECT_EQ(largura, 250);
        EXPECT_EQ(b->widgets().combo_campo->get_active_text(), "Nome");
        EXPECT_EQ(b->janela()->get_focus(), b->widgets().entry_pesquisa);
        EXPECT_TRUE(teste::conteudo(b->janela(), {}).front() == "[Opções de Busca]");
        // Nothing listed until something is typed.
        EXPECT_EQ(b->widgets().treeview_usuarios->get_columns().size(), 0u);

        saida.tomar();
        b->widgets().entry_pesquisa->set_text("Ma");
        std::string t = saida.tomar();
        EXPECT_TRUE(contem(t, "where u.nome like 'Ma%' order by u.nome\n2\n")) << t;
        std::vector<std::string> colunas = { "Código", "Nome", "CPF" };
        EXPECT_EQ(teste::titulos(b->widgets().treeview_usuarios), colunas);
        for (Gtk::TreeViewColumn* c : b->widgets().treeview_usuarios->get_columns())
            EXPECT_TRUE(c->get_reorderable());
        std::vector<std::vector<std::string>> esperado = {
            { "0007", "Marcos Favo", "700.000.000-07" }, { "0002", "Maria Aparecida Souza", "529.982.247-25" } };
        EXPECT_EQ(teste::linhas(b->widgets().treeview_usuarios), esperado);

        // Case-sensitive prefix; an empty text lists everyone by name.
        b->widgets().entry_pesquisa->set_text("ma");
        EXPECT_EQ(teste::linhas(b->widgets().treeview_usuarios).size(), 0u);
        b->widgets().entry_pesquisa->set_text("");
        std::vector<std::vector<std::string>> todos = teste::linhas(b->widgets().treeview_usuarios);
        ASSERT_EQ(todos.size(), 3u);
        EXPECT_EQ(todos[0][1], "Administrador do Sistema");
        // A quote is only text.
        b->widgets().entry_pesquisa->set_text("Ma'");
        EXPECT_TRUE(contem(saida.tomar(), "u.nome like 'Ma''%' order by u.nome\n"));
        EXPECT_EQ(teste::linhas(b->widgets().treeview_usuarios).size(), 0u);

        // By CPF: choosing the field does not search again.
        b->widgets().combo_campo->set_active_text("CPF");
        EXPECT_EQ(b->get_campo_pesquisa(), FILTRO_USUARIOS::CPF);
        EXPECT_EQ(b->janela()->get_focus(), b->widgets().entry_pesquisa);
        EXPECT_FALSE(contem(saida.tomar(), "select"));
        b->widgets().entry_pesquisa->set_text("529");
        EXPECT_TRUE(contem(saida.tomar(), "where u.cpf like '529%' order by u.nome\n1\n"));
        ASSERT_EQ(teste::linhas(b->widgets().treeview_usuarios).size(), 1u);
        EXPECT_EQ(teste::linhas(b->widgets().treeview_usuarios)[0][0], "0002");
        b->widgets().combo_campo->set_active_text("Nome");
        EXPECT_EQ(b->get_campo_pesquisa(), FILTRO_USUARIOS::NOME);

        // Choosing the row moves the user form there and closes the search.
        escolher_linha(0);
    });
    esperar_fechado(r, ids::BUSCA_USUARIO, "the search window to close");
    r.passo([this] {
        EXPECT_EQ(mostrado(f()), MARIA);
        Posicao p = sistema->get_posicao_usuario();
        EXPECT_EQ(f()->widgets().label_contador->get_text(), std::to_string(p) + " / 3");
        EXPECT_EQ(botoes(f()), "110011111");
        // The position is hers: the same user after a reload.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_editar));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
        EXPECT_EQ(mostrado(f()), MARIA);
    });
    rodar(r);
}

TEST_F(Usuarios, BuscaEscolheUsuarioNovoOuIgnoraOQueSumiu)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    // Added by someone else after the form loaded its list.
    r.passo([this] {
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 2");
        banco->executar("insert into cadastro.usuario (id_usuario, nome, login, senha, nasc, id_cep, id_acesso) "
                        "values (7, 'Zeca Novo', 'zeca', md5('x'), '01/01/1970', 2, 3)");
    });
    abrir_busca(r, ids::USUARIOS, ids::BUSCA_USUARIO);
    r.passo([this] {
        busca()->widgets().entry_pesquisa->set_text("Zeca");
        escolher_linha(0);
    });
    esperar_fechado(r, ids::BUSCA_USUARIO, "the search window to close");
    r.passo([this] {
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Zeca Novo");
        EXPECT_EQ(f()->widgets().label_contador->get_text(), std::to_string(sistema->get_posicao_usuario()) + " / 3");
        banco->executar("insert into cadastro.usuario (id_usuario, nome, login, senha, nasc, id_cep, id_acesso) "
                        "values (8, 'Xisto Breve', 'xisto', md5('x'), '01/01/1970', 2, 3)");
    });
    // Listed, then gone before it is chosen: the choice is ignored.
    abrir_busca(r, ids::USUARIOS, ids::BUSCA_USUARIO);
    r.passo([this] {
        busca()->widgets().entry_pesquisa->set_text("Xisto");
        ASSERT_EQ(teste::linhas(busca()->widgets().treeview_usuarios).size(), 1u);
        banco->executar("delete from cadastro.usuario where id_usuario = 8");
        escolher_linha(0);
        EXPECT_NE(busca(), nullptr);
        EXPECT_TRUE(busca()->janela()->is_visible());
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Zeca Novo");
        EXPECT_EQ(f()->widgets().label_contador->get_text(), std::to_string(sistema->get_posicao_usuario()) + " / 3");
        busca()->janela()->hide();
    });
    esperar_fechado(r, ids::BUSCA_USUARIO, "the search window to close");
    r.passo([this] {
        EXPECT_TRUE(teste::clicar(f()->widgets().button_primeiro));
        EXPECT_EQ(f()->widgets().label_contador->get_text(), "1 / 3");
    });
    rodar(r);
}

TEST_F(Usuarios, MascarasUsamAEtiquetaDeCadaFormulario)
{
    // The date and CPF masks of a form share its tag; the CEP mask always
    // has tag 1. Right after a long field of the same tag, a short text
    // counts as a deletion and gets no separator.
    Roteiro r;
    entrar(r);
    abrir(r, ids::MINHA_CONTA);
    r.passo([this] {
        FormUsuario* c = f(ids::MINHA_CONTA);
        EXPECT_TRUE(teste::clicar(c->widgets().button_editar));
        c->widgets().entry_cep->set_text("79800-00");
        c->widgets().entry_cep->set_text("79800-001");
        c->widgets().entry_nasc->set_text("12");
        EXPECT_EQ(c->widgets().entry_nasc->get_text(), "12");   // same tag as the CEP
        c->widgets().entry_cpf->set_text("123");
        EXPECT_EQ(c->widgets().entry_cpf->get_text(), "123.");
        // Typing digit by digit is masked.
        c->widgets().entry_cep->set_text("");
        for (char d : std::string("12345678"))
            c->widgets().entry_cep->set_text(c->widgets().entry_cep->get_text() + d);
        EXPECT_EQ(c->widgets().entry_cep->get_text(), "12345-678");
        c->janela()->hide();
    });
    esperar_fechado(r, ids::MINHA_CONTA, "my account to close");
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        FormUsuario* u = f();
        EXPECT_TRUE(teste::clicar(u->widgets().button_novo));
        u->widgets().entry_cep->set_text("79800-001");
        u->widgets().entry_nasc->set_text("12");
        EXPECT_EQ(u->widgets().entry_nasc->get_text(), "12/");   // another tag than the CEP
        u->widgets().entry_cpf->set_text("123.456.789-09");
        u->widgets().entry_nasc->set_text("12");
        EXPECT_EQ(u->widgets().entry_nasc->get_text(), "12");   // same tag as the CPF
    });
    rodar(r);
}

// The user form takes a login and a password exactly as long as the login
// window does, so that every user it saves can log in, and refuses a new
// user without a password.
TEST_F(Usuarios, SenhaEmBrancoRecusadaETamanhosDoLogin)
{
    const std::string antes = banco->despejo();
    const std::string login(MAXIMO_LOGIN, 'l'), senha = std::string(MAXIMO_SENHA - 2, 's') + "çã";
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] {
        EXPECT_EQ(f()->widgets().entry_usuario->get_max_length(), sistema->get_entry_login()->get_max_length());
        EXPECT_EQ(f()->widgets().entry_senha->get_max_length(), sistema->get_entry_senha()->get_max_length());
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        preencher(f(), { "Sem Senha", "01/01/2000", "", "", "", "", "", "", "semsenha", "" });
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.responder("Verifique as informações digitadas !", "Digite a senha do novo usuário.", Gtk::RESPONSE_CLOSE);
    r.passo([this, antes, login, senha] {
        EXPECT_EQ(banco->despejo(), antes);
        // Typed longer, kept as long as the login window takes them.
        EXPECT_TRUE(teste::clicar(f()->widgets().button_cancelar));
        EXPECT_TRUE(teste::clicar(f()->widgets().button_novo));
        preencher(f(), { "Longo", "01/01/2000", "", "", "", "", "", "", login + "xyz", senha + "zz" });
        EXPECT_EQ(f()->widgets().entry_usuario->get_text(), login);
        EXPECT_EQ(f()->widgets().entry_senha->get_text(), senha);
        EXPECT_TRUE(teste::clicar(f()->widgets().button_salvar));
    });
    r.passo([this, login, senha] {
        EXPECT_EQ(usuarios_no_banco(), "3");
        // What the login window lets anyone type logs that user in.
        sistema->get_entry_login()->set_text(login + "xyz");
        sistema->get_entry_senha()->set_text(senha + "zz");
        USUARIO u(query.get());
        EXPECT_TRUE(u.verificar_acesso(sistema->get_entry_login()->get_text(), sistema->get_entry_senha()->get_text()));
    });
    rodar(r);
}
