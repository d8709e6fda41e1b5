// Every hostile text of tests/dados/textos_hostis.txt typed into every text
// field of every form that saves and into every search, through the real
// windows: each saved value reads back byte for byte (or the save is refused
// with the dialog where the database or the form must refuse it), no other
// row of any table changes, and the searches list exactly the rows whose
// text matches. Masked and length-limited entries change what is typed: the
// expectation is always what the entry holds after the text was set.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/colmeia_view.h"
#include "gui/form_abelha.h"
#include "gui/form_acesso.h"
#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_cep.h"
#include "gui/form_criacao.h"
#include "gui/form_florada.h"
#include "gui/form_lote_mel.h"
#include "gui/form_manejo_lote.h"
#include "gui/form_produto.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "model/diario.h"
#include "model/produto.h"
#include "roteiro/respondedor.h"
#include "support/foto_banco.h"
#include "support/textos_hostis.h"
#include "util/senha.h"
#include "util/validacao.h"

using Roteiro = teste::RoteiroTeste;
using teste::apertar;
using teste::mostrar;

namespace {

const char* const ERRO_SALVAR = "Verifique as informações digitadas !";
const char* const DATA_BOA = "01/02/2003";

typedef std::vector<std::string> Textos;

class TextosHostis : public teste::SistemaTeste
{
protected:
    const Textos& corpus = teste::corpus_hostil();
    teste::Respondedor respondedor;
    teste::Foto foto;
    std::unique_ptr<teste::Observador> obs;

    void SetUp() override
    {
        teste::SistemaTeste::SetUp();
        ASSERT_GE(corpus.size(), 60u);
        obs.reset(new teste::Observador(*banco));
        foto = obs->fotografar();
    }

    void TearDown() override
    {
        obs.reset();
        teste::SistemaTeste::TearDown();
    }

    // The rows changed since the last call.
    std::set<std::string> mudancas()
    {
        teste::Foto nova = obs->fotografar();
        std::set<std::string> d = teste::diferencas(foto, nova);
        foto = nova;
        return d;
    }

    // The key of the one row of `tabela` added since the last picture, or
    // "" (with a failure) when the changes are anything else.
    std::string so_uma_nova(const std::string& tabela, const std::string& texto)
    {
        std::set<std::string> d = mudancas();
        if (d.size() != 1 || d.begin()->compare(0, tabela.size() + 1, tabela + ":") != 0) {
            std::string lista;
            for (const std::string& m : d)
                lista += m + " ";
            ADD_FAILURE() << "text " << mostrar(texto) << ": expected one new row of " << tabela
                          << ", changed: " << lista;
            return "";
        }
        return d.begin()->substr(tabela.size() + 1);
    }

    void nada_mudou(const std::string& texto)
    {
        std::set<std::string> d = mudancas();
        EXPECT_TRUE(d.empty()) << "text " << mostrar(texto) << " changed " << *d.begin();
    }

    Textos linha(const std::string& sql)
    {
        TABELA t = obs->consultar(sql);
        return t.empty() ? Textos() : t[0];
    }

    // The date as the database reads it (day first), "" when it refuses it.
    std::string data_lida(const std::string& texto)
    {
        const std::string sql = "select to_char(" + teste::cifrao(texto) + "::date, 'DD/MM/YYYY')";
        if (!obs->erro(sql).empty())
            return "";
        return obs->valor(sql);
    }

    // Whether any row of the table has that text in that column.
    bool existe(const std::string& tabela, const std::string& coluna, const std::string& texto)
    {
        return obs->valor("select count(*) from cadastro." + tabela + " where " + coluna + " = " +
                            teste::cifrao(texto)) != "0";
    }

    void relatar(const std::string& o_que, std::size_t campos, int gravados, int recusados)
    {
        std::cerr << "[textos hostis] " << o_que << ": " << corpus.size() << " texts x " << campos
                  << " fields, " << gravados << " saved, " << recusados << " refused\n";
    }

    // Logs in, opens window id and drives its form in one step, with
    // dialogs and windows of its own, however long it takes; then the form
    // is closed and the script ends.
    template <class F>
    void no_formulario(ids::Janela id, std::function<void(F*)> acao)
    {
        Roteiro r;
        entrar(r);
        teste::SistemaTeste::no_formulario<F>(r, id, acao, 280);
        rodar(r, 280);
    }

    // After a Save: a refused one showed the save error, changed nothing and
    // is cancelled (false); one that went through showed no dialog (true).
    bool conferir_gravacao(bool recusar, const std::string& t, Gtk::ToolButton* cancelar, int& gravados,
                           int& recusados, const std::string& erro = ERRO_SALVAR)
    {
        if (recusar) {
            ++recusados;
            EXPECT_EQ(respondedor.tomar(), Textos { erro }) << mostrar(t);
            nada_mudou(t);
            teste::clicar(cancelar);
            return false;
        }
        ++gravados;
        EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
        return true;
    }
};

// The rows a search lists for a typed prefix: those of `todos` (code, name,
// third column) whose column `coluna` begins with it, as typed ("%" and "_"
// in it are no wildcards), code in four digits.
std::vector<Textos> achados_esperados(const TABELA& todos, int coluna, const std::string& prefixo)
{
    std::vector<Textos> esperado;
    for (const LINHA& l : todos) {
        if (teste::casa_like(l[coluna], inicio_de_padrao(prefixo))) {
            char codigo[16];
            std::snprintf(codigo, sizeof codigo, "%04d", std::atoi(l[0].c_str()));
            esperado.push_back({ codigo, l[1], l[2] });
        }
    }
    return esperado;
}

// The texts of the form's entries, in the order they are given.
Textos textos_de(std::initializer_list<Gtk::Entry*> entries)
{
    Textos t;
    for (Gtk::Entry* e : entries)
        t.push_back(e->get_text().raw());
    return t;
}

void preencher(std::initializer_list<Gtk::Entry*> entries, const std::string& texto)
{
    for (Gtk::Entry* e : entries)
        e->set_text(texto);
}

// Digits only and within an int (the number of a level); the empty text is 0.
bool numero(const std::string& t, int& valor)
{
    if (t.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long long v = 0;
    for (char c : t) {
        v = v * 10 + (c - '0');
        if (v > INT_MAX)
            return false;
    }
    valor = static_cast<int>(v);
    return true;
}

} // namespace

TEST_F(TextosHostis, CadastroDeUsuariosEBuscaPorNomeECpf)
{
    int gravados = 0, recusados = 0;
    no_formulario<FormUsuario>(ids::USUARIOS, [&](FormUsuario* u) {
        const auto& w = u->widgets();
        // A lookup that finds a postal code: the new users take it.
        teste::clicar(w.button_novo);
        w.entry_cep->set_text("79800-001");
        w.entry_cep->activate();
        teste::clicar(w.button_cancelar);

        for (const std::string& t : corpus) {
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            // A lookup of the hostile text finds nothing (or a real postal
            // code) and changes no row; it runs before the other fields are
            // typed, since a code it finds fills street and district.
            w.entry_cep->set_text(t);
            w.entry_cep->activate();
            preencher({ w.entry_nome, w.entry_cpf, w.entry_rg, w.entry_oexp, w.entry_rua, w.entry_numero,
                        w.entry_bairro, w.entry_usuario, w.entry_senha }, t);
            w.entry_nasc->set_text(DATA_BOA);
            const Textos digitado = textos_de({ w.entry_nome, w.entry_usuario, w.entry_cpf, w.entry_rg,
                                                w.entry_oexp, w.entry_nasc, w.entry_rua, w.entry_numero,
                                                w.entry_bairro });
            const std::string senha = w.entry_senha->get_text();
            const bool recusar = digitado[0].empty() || digitado[1].empty() || !senha_aceita(senha) ||
                                 existe("usuario", "login", digitado[1]);
            respondedor.tomar();
            ASSERT_TRUE(teste::clicar(w.button_salvar));

            if (!conferir_gravacao(recusar, t, w.button_cancelar, gravados, recusados))
                continue;
            const std::string id = so_uma_nova("usuario", t);
            if (id.empty())
                continue;
            Textos esperado = digitado;
            esperado.push_back("1");
            EXPECT_EQ(linha("select nome, login, cpf, rg, oexp, to_char(nasc,'DD/MM/YYYY'), endereco, numero, "
                            "bairro, id_cep::text from cadastro.usuario where id_usuario = " + id),
                      esperado)
                << mostrar(t);
            EXPECT_TRUE(teste::forma_confere(senha, obs->valor("select forma from seguranca.credencial "
                                                               "where id_usuario = " + id)))
                << mostrar(t);
        }

        // The searches: by name and by CPF, each text as the typed prefix.
        int buscas = 0;
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != "Buscar Usuário")
                return;
            FormPesquisaUsuario* b = form<FormPesquisaUsuario>(ids::BUSCA_USUARIO);
            ASSERT_NE(b, nullptr);
            const TABELA todos = obs->consultar("select id_usuario, nome, cpf from cadastro.usuario");
            for (int coluna : { 1, 2 }) {
                b->widgets().combo_campo->set_active_text(coluna == 1 ? "Nome" : "CPF");
                for (const std::string& t : corpus) {
                    b->widgets().entry_pesquisa->set_text("~");
                    b->widgets().entry_pesquisa->set_text(t);
                    ++buscas;
                    std::vector<Textos> esperado = achados_esperados(todos, coluna, t);
                    std::vector<Textos> listado = teste::linhas(b->widgets().treeview_usuarios);
                    std::sort(esperado.begin(), esperado.end());
                    std::sort(listado.begin(), listado.end());
                    EXPECT_EQ(listado, esperado) << (coluna == 1 ? "name " : "CPF ") << mostrar(t);
                }
            }
            janela.hide();
        };
        ASSERT_TRUE(teste::clicar(w.button_buscar));
        respondedor.ao_abrir = nullptr;
        EXPECT_EQ(buscas, 2 * static_cast<int>(corpus.size()));
        nada_mudou("the searches");
    });
    relatar("user registration (name, login, CPF, RG, Org. Exp., street, number, district, password; "
            "CEP lookup)", 10, gravados, recusados);
    // Texts shorter than a password may be (8 characters) are refused as
    // passwords, and so as users.
    EXPECT_GT(gravados, 50);
}

TEST_F(TextosHostis, MinhaContaETrocaDeSenha)
{
    int gravados = 0, recusados = 0, senhas = 0;
    // The password of the moment, which the password window asks for first.
    std::string atual = "admin";
    no_formulario<FormUsuario>(ids::MINHA_CONTA, [&](FormUsuario* c) {
        const auto& w = c->widgets();
        auto preencher_conta = [&w](const std::string& t, const std::string& data) {
            preencher({ w.entry_nome, w.entry_cpf, w.entry_rg, w.entry_oexp, w.entry_rua, w.entry_numero,
                        w.entry_bairro, w.entry_usuario }, t);
            w.entry_nasc->set_text(data);
            return textos_de({ w.entry_nome, w.entry_usuario, w.entry_cpf, w.entry_rg, w.entry_oexp,
                               w.entry_nasc, w.entry_rua, w.entry_numero, w.entry_bairro });
        };
        const std::string consulta =
            "select nome, login, cpf, rg, oexp, to_char(nasc,'DD/MM/YYYY'), endereco, numero, bairro "
            "from cadastro.usuario where id_usuario = 1";

        for (const std::string& t : corpus) {
            // First the date field holds the text too: only a date the
            // database reads can be saved.
            for (bool data_hostil : { true, false }) {
                ASSERT_TRUE(teste::clicar(w.button_editar)) << mostrar(t);
                Textos digitado = preencher_conta(t, data_hostil ? t : DATA_BOA);
                const std::string data = data_lida(digitado[5]);
                const bool recusar = digitado[0].empty() || digitado[1].empty() || data.empty() ||
                                     obs->valor("select count(*) from cadastro.usuario where id_usuario <> 1 "
                                                  "and login = " + teste::cifrao(digitado[1])) != "0";
                respondedor.tomar();
                ASSERT_TRUE(teste::clicar(w.button_salvar));
                if (!conferir_gravacao(recusar, t, w.button_cancelar, gravados, recusados))
                    continue;
                std::set<std::string> d = mudancas();
                EXPECT_TRUE(d.empty() || d == std::set<std::string> { "usuario:1" }) << mostrar(t);
                digitado[5] = data;
                EXPECT_EQ(linha(consulta), digitado) << mostrar(t);
                // The form shows what was stored, and so does the logged-in user.
                EXPECT_EQ(w.entry_nome->get_text(), digitado[0]) << mostrar(t);
                EXPECT_EQ(sistema->get_usuario_logado().login, digitado[1]) << mostrar(t);
                break;
            }

            // The same text as the new password, typed twice, after the
            // current one.
            std::string nova;
            respondedor.ao_abrir = [&](Gtk::Window& janela) {
                if (janela.get_title() != " Trocar de Senha ")
                    return;
                FormSenha* s = form<FormSenha>(ids::SENHA);
                ASSERT_NE(s, nullptr);
                const auto& sw = s->widgets();
                sw.entry_atual->set_text(atual);
                sw.entry_nova->set_text(t);
                sw.entry_repetir->set_text(t);
                nova = sw.entry_nova->get_text();
                apertar(sw.button_alterar);
                if (janela.is_visible())
                    sw.button_cancelar_senha->clicked();
            };
            const std::string antes = obs->valor("select forma from seguranca.credencial where id_usuario = 1");
            ASSERT_TRUE(teste::clicar(w.button_editar));
            respondedor.tomar();
            ASSERT_TRUE(apertar(w.button_trocar_senha));
            respondedor.ao_abrir = nullptr;
            if (nova.empty()) {
                EXPECT_EQ(respondedor.tomar(), Textos { "Digite pelo menos um senha " }) << mostrar(t);
                nada_mudou(t);
            } else if (!senha_aceita(nova)) {
                EXPECT_EQ(respondedor.tomar(), Textos { REGRA_SENHA }) << mostrar(t);
                nada_mudou(t);
            } else {
                ++senhas;
                EXPECT_EQ(respondedor.tomar(), Textos { "Senha Atualizada !!!! " }) << mostrar(t);
                const std::string guardada = obs->valor("select forma from seguranca.credencial where id_usuario = 1");
                EXPECT_TRUE(teste::forma_confere(nova, guardada)) << mostrar(t);
                // Salted: stored anew even when the password is the same.
                EXPECT_NE(guardada, antes) << mostrar(t);
                // Only the stored password changed, where the program's role
                // does not reach: no record of the users' table.
                std::set<std::string> d = mudancas();
                EXPECT_EQ(d, std::set<std::string> {}) << mostrar(t);
                atual = nova;
            }
            teste::clicar(w.button_cancelar);
        }
    });
    relatar("my account (name, login, CPF, RG, Org. Exp., birth date, street, number, district)", 9, gravados,
            recusados);
    relatar("password change (new password, repeated)", 2, senhas, static_cast<int>(corpus.size()) - senhas);
    EXPECT_GT(gravados, 90);
}

TEST_F(TextosHostis, NiveisDeAcesso)
{
    int gravados = 0, recusados = 0;
    no_formulario<FormAcesso>(ids::NIVEIS, [&](FormAcesso* a) {
        const auto& w = a->widgets();
        // The administrators' level: a level above it would leave none.
        const int administradores = std::atoi(obs->valor("select max(nivel_acesso) from cadastro.acesso").c_str());
        for (const std::string& t : corpus) {
            // A new level with the text as its description.
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            w.entry_descricao->set_text(t);
            w.entry_nivel->set_text("");
            const std::string descricao = w.entry_descricao->get_text();
            respondedor.tomar();
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            const std::string id = so_uma_nova("acesso", t);
            if (id.empty())
                continue;
            ++gravados;
            EXPECT_EQ(linha("select desc_acesso, nivel_acesso::text from cadastro.acesso where id_acesso = " + id),
                      (Textos { descricao, "0" }))
                << mostrar(t);

            // Picked in the list it shows the same text; edited, the level
            // takes the text through the digits filter.
            const COLUNAS colunas;
            int indice = -1;
            for (std::size_t i = 0; i < a->get_lista()->children().size(); ++i) {
                if ((*a->get_lista()->children()[i])[colunas.codigo] == std::atoi(id.c_str()))
                    indice = static_cast<int>(i);
            }
            ASSERT_GE(indice, 0) << mostrar(t);
            Gtk::TreePath caminho;
            caminho.push_back(indice);
            w.treeview_niveis->row_activated(caminho, *w.treeview_niveis->get_column(0));
            EXPECT_EQ(w.entry_descricao->get_text(), descricao) << mostrar(t);
            ASSERT_TRUE(teste::clicar(w.button_editar));
            w.entry_nivel->set_text(t);
            const std::string nivel = w.entry_nivel->get_text();
            int valor = 0;
            const bool aceito = numero(nivel, valor);
            const bool sem_administrador = aceito && valor > administradores;
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            if (!conferir_gravacao(!aceito || sem_administrador, t, w.button_cancelar, gravados, recusados))
                continue;
            std::set<std::string> d = mudancas();
            EXPECT_TRUE(d.empty() || d == std::set<std::string> { "acesso:" + id }) << mostrar(t);
            EXPECT_EQ(linha("select desc_acesso, nivel_acesso::text from cadastro.acesso where id_acesso = " + id),
                      (Textos { descricao, std::to_string(valor) }))
                << mostrar(t);
        }
    });
    relatar("access levels (description; level through the digits filter)", 2, gravados, recusados);
}

TEST_F(TextosHostis, ApiariosFloradasEBusca)
{
    int gravados = 0, recusados = 0, floradas = 0, floradas_recusadas = 0;
    no_formulario<FormApiario>(ids::APIARIOS, [&](FormApiario* a) {
        const auto& w = a->widgets();
        const std::string consulta =
            "select nome, endereco, distrito, to_char(data_criacao,'DD/MM/YYYY'), latitude, longitude, obs, "
            "id_florada::text, cod_cid::text from cadastro.apiario where id_apiario = ";
        for (const std::string& t : corpus) {
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            preencher({ w.entry_nome, w.entry_endereco, w.entry_distrito, w.entry_latitude,
                        w.entry_longitude }, t);
            w.textview_obs->get_buffer()->set_text(t);
            w.entry_data->set_text(DATA_BOA);

            // A floral source of the same name, added from the form.
            std::string nome_florada;
            respondedor.ao_abrir = [&](Gtk::Window& janela) {
                if (janela.get_title() != "Cadastro Florada")
                    return;
                FormFlorada* fl = form<FormFlorada>(ids::FLORADA);
                ASSERT_NE(fl, nullptr);
                const auto& flw = fl->widgets();
                flw.entry_florada->set_text(t);
                nome_florada = flw.entry_florada->get_text();
                apertar(flw.button_cadastrar);
                if (janela.is_visible())
                    flw.button_cancelar_florada->clicked();
            };
            const int florada_antes = a->get_florada_atual().id_florada;
            const bool repetida = existe("florada", "nome_florada", t);
            respondedor.tomar();
            ASSERT_TRUE(apertar(w.button_florada));
            respondedor.ao_abrir = nullptr;
            if (nome_florada.find_first_not_of(" \t") == std::string::npos) {
                ++floradas_recusadas;
                EXPECT_EQ(respondedor.tomar(), Textos { "Existe campos vazios " }) << mostrar(t);
                nada_mudou(t);
                EXPECT_EQ(a->get_florada_atual().id_florada, florada_antes);
            } else if (repetida) {
                ++floradas_recusadas;
                EXPECT_EQ(respondedor.tomar(), Textos { "Erro ao inserir Florada" }) << mostrar(t);
                nada_mudou(t);
            } else {
                ++floradas;
                EXPECT_EQ(respondedor.tomar(), Textos { "Florada cadastrada com sucesso " }) << mostrar(t);
                const std::string id = so_uma_nova("florada", t);
                EXPECT_EQ(obs->valor("select nome_florada from cadastro.florada where id_florada = " + id),
                          nome_florada)
                    << mostrar(t);
                EXPECT_EQ(std::to_string(a->get_florada_atual().id_florada), id) << mostrar(t);
                EXPECT_EQ(w.combo_florada->get_active_text().raw(), nome_florada) << mostrar(t);
                // However long the name, the form stays as wide as a screen can show.
                EXPECT_LT(a->janela()->size_request().width, 4096) << mostrar(t);
            }

            Textos digitado = textos_de({ w.entry_nome, w.entry_endereco, w.entry_distrito, w.entry_data,
                                          w.entry_latitude, w.entry_longitude });
            digitado.push_back(w.textview_obs->get_buffer()->get_text());
            digitado.push_back(std::to_string(a->get_florada_atual().id_florada));
            digitado.push_back(std::to_string(a->get_municipio_atual().cod_cid));
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            const std::string id = so_uma_nova("apiario", t);
            if (id.empty())
                continue;
            ++gravados;
            EXPECT_EQ(linha(consulta + id), digitado) << mostrar(t);

            // The new apiary is the last one: it shows as stored, and an
            // edit puts the text into its creation date.
            ASSERT_TRUE(teste::clicar(w.button_ultimo));
            EXPECT_EQ(w.label_id->get_text(), id) << mostrar(t);
            EXPECT_EQ(w.entry_nome->get_text(), digitado[0]) << mostrar(t);
            EXPECT_EQ(w.textview_obs->get_buffer()->get_text(), digitado[6]) << mostrar(t);
            ASSERT_TRUE(teste::clicar(w.button_editar));
            w.entry_data->set_text(t);
            const std::string data = data_lida(w.entry_data->get_text());
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            if (data.empty()) {
                ++recusados;
                EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR }) << mostrar(t);
                nada_mudou(t);
                teste::clicar(w.button_cancelar);
                continue;
            }
            ++gravados;
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            std::set<std::string> d = mudancas();
            EXPECT_TRUE(d.empty() || d == std::set<std::string> { "apiario:" + id }) << mostrar(t);
            digitado[3] = data;
            EXPECT_EQ(linha(consulta + id), digitado) << mostrar(t);
        }

        // The apiary search with each text as the typed prefix.
        int buscas = 0;
        respondedor.ao_abrir = [&](Gtk::Window& janela) {
            if (janela.get_title() != "Buscar Apiario")
                return;
            FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
            ASSERT_NE(b, nullptr);
            const TABELA todos = obs->consultar(
                "select a.id_apiario, a.nome, m.nome from cadastro.apiario a join cadastro.municipio m "
                "on a.cod_cid = m.cod_cid join cadastro.florada f on a.id_florada = f.id_florada "
                "order by a.id_apiario");
            // By name and by municipality the text is a prefix; by key it
            // must be the digits of one.
            for (const char* opcao : { "Nome", "Região", "ID" }) {
                b->widgets().combo_opcoes->set_active_text(opcao);
                for (const std::string& t : corpus) {
                    b->widgets().entry_pesquisa->set_text("~");
                    b->widgets().entry_pesquisa->set_text(t);
                    ++buscas;
                    std::vector<Textos> esperado;
                    if (std::string(opcao) == "ID") {
                        for (const Textos& l : achados_esperados(todos, 1, "")) {
                            int chave = 0;
                            if (t.empty() || (numero(t, chave) && std::atoi(l[0].c_str()) == chave))
                                esperado.push_back(l);
                        }
                    } else {
                        esperado = achados_esperados(todos, std::string(opcao) == "Nome" ? 1 : 2, t);
                    }
                    EXPECT_EQ(teste::linhas(b->widgets().treeview_resultado), esperado) << opcao << " " << mostrar(t);
                }
            }
            janela.hide();
        };
        ASSERT_TRUE(teste::clicar(w.button_buscar));
        respondedor.ao_abrir = nullptr;
        EXPECT_EQ(buscas, 3 * static_cast<int>(corpus.size()));
        nada_mudou("the apiary search");
    });
    relatar("apiaries (name, address, district, latitude, longitude, notes; creation date on edit)", 7,
            gravados, recusados);
    relatar("floral sources (name)", 1, floradas, floradas_recusadas);
    EXPECT_GT(floradas, 90);
}

TEST_F(TextosHostis, AbelhasEFilhas)
{
    int gravadas = 0, recusadas = 0, filhas = 0, pedidos_recusados = 0;
    no_formulario<FormAbelha>(ids::ABELHAS, [&](FormAbelha* b) {
        const auto& w = b->widgets();
        int matriz = 0;
        for (const std::string& t : corpus) {
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            w.combo_mae->set_active_text("Não Sabe");
            EXPECT_EQ(w.combo_mae->get_active_text(), "Não Sabe");
            w.entry_nascimento->set_text(t);
            (++matriz % 2 ? w.radio_sim : w.radio_nao)->set_active(true);
            const std::string data = data_lida(w.entry_nascimento->get_text());
            respondedor.tomar();
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            if (data.empty()) {
                ++recusadas;
                EXPECT_EQ(respondedor.tomar(), Textos { ERRO_SALVAR }) << mostrar(t);
                nada_mudou(t);
                teste::clicar(w.button_cancelar);
                continue;
            }
            ++gravadas;
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            const std::string id = so_uma_nova("abelha_rainha", t);
            if (id.empty())
                continue;
            EXPECT_EQ(linha("select rgn, to_char(data_nasc,'DD/MM/YYYY'), matriz::text, "
                            "coalesce(filha::text, 'null') from cadastro.abelha_rainha where id_abelha = " + id),
                      (Textos { formatar_rgn(std::atoi(id.c_str()), 0), data, matriz % 2 ? "true" : "false",
                                "null" }))
                << mostrar(t);
        }

        // "Gerar Filhas": the text as the quantity (with a good date), then
        // as the date (one daughter).
        for (const std::string& t : corpus) {
            for (bool na_quantidade : { true, false }) {
                std::string quantidade, data;
                respondedor.ao_abrir = [&](Gtk::Window& janela) {
                    if (janela.get_title() != "Gerar Filhas" || !b->get_dialogo_filhas())
                        return;
                    b->get_dialogo_filhas()->widgets().entry_quantidade->set_text(na_quantidade ? t : "1");
                    b->get_dialogo_filhas()->widgets().entry_data->set_text(na_quantidade ? DATA_BOA : t);
                    quantidade = b->get_dialogo_filhas()->widgets().entry_quantidade->get_text();
                    data = b->get_dialogo_filhas()->widgets().entry_data->get_text();
                    int n = 0;
                    // More than a few would only slow the test down: the
                    // corpus keeps away from such texts.
                    const bool ok = numero(quantidade, n) && n <= 3;
                    EXPECT_TRUE(ok || !numero(quantidade, n)) << "quantity " << quantidade;
                    b->get_dialogo_filhas()->response(ok ? Gtk::RESPONSE_OK : Gtk::RESPONSE_CLOSE);
                };
                const std::string mae = w.entry_codigo->get_text();
                respondedor.tomar();
                ASSERT_TRUE(apertar(w.button_gerar));
                respondedor.ao_abrir = nullptr;
                int n = 0;
                if (!numero(quantidade, n))
                    n = 0;
                const std::string nascimento = data_lida(data);
                if (n == 0) {
                    EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
                    nada_mudou(t);
                } else if (nascimento.empty()) {
                    ++pedidos_recusados;
                    EXPECT_EQ(respondedor.tomar(),
                              Textos { "Nenhuma filha foi cadastrada: verifique a data de nascimento." })
                        << mostrar(t);
                    nada_mudou(t);
                } else {
                    EXPECT_EQ(respondedor.tomar(),
                              Textos { std::to_string(n) + (n == 1 ? " filha cadastrada" : " filhas cadastradas") })
                        << mostrar(t);
                    std::set<std::string> d = mudancas();
                    EXPECT_EQ(d.size(), static_cast<std::size_t>(n)) << mostrar(t);
                    for (const std::string& m : d) {
                        ASSERT_EQ(m.compare(0, 14, "abelha_rainha:"), 0) << m;
                        const std::string id = m.substr(14);
                        ++filhas;
                        EXPECT_EQ(linha("select rgn, to_char(data_nasc,'DD/MM/YYYY'), matriz::text, filha::text "
                                        "from cadastro.abelha_rainha where id_abelha = " + id),
                                  (Textos { formatar_rgn(std::atoi(id.c_str()), std::atoi(mae.c_str())),
                                            nascimento, "false", mae }))
                            << mostrar(t);
                    }
                }
            }
        }
    });
    relatar("queen bees (birth date)", 1, gravadas, recusadas);
    relatar("daughters (quantity, birth date)", 2, filhas, pedidos_recusados);
    EXPECT_GT(gravadas, 3);
    EXPECT_GT(filhas, 0);
}

TEST_F(TextosHostis, ColmeiasERevisoes)
{
    int gravadas = 0, recusadas = 0, revisoes = 0, revisoes_recusadas = 0;
    no_formulario<COLMEIA_VIEW>(ids::COLMEIAS, [&](COLMEIA_VIEW* c) {
        const auto& w = c->widgets();
        const char* const SEM_RAINHA =
            "Nenhuma abelha rainha tem o RGN informado: escolha uma da lista ou deixe o campo vazio.";
        const char* const MEL = "O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5).";
        const std::string consulta = "select tipo, status, coalesce(id_abelha::text, 'null'), id_apiario::text, "
                                     "coalesce(to_char(data_instalacao, 'DD/MM/YYYY'), ''), obs "
                                     "from cadastro.colmeia where id_colmeia = ";
        for (const std::string& t : corpus) {
            // A new hive with the text as its queen's RGN (no bee has it)
            // and as its notes.
            apertar(w.button_cancelar_colmeia);
            w.combo_tipo->set_active(1);
            w.combo_status->set_active(1);
            w.combo_apiario->set_active(1);
            w.entry_rainha->set_text(t);
            w.entry_obs->set_text(t);
            const std::string rgn = w.entry_rainha->get_text();
            const std::string nota = w.entry_obs->get_text();
            respondedor.tomar();
            ASSERT_TRUE(apertar(w.button_salvar_colmeia));
            if (!rgn.empty()) {
                ++recusadas;
                EXPECT_EQ(respondedor.tomar(), Textos { SEM_RAINHA }) << mostrar(t);
                nada_mudou(t);
                // Searched as a queen's RGN it lists nothing.
                ASSERT_TRUE(apertar(w.button_pesquisar));
                EXPECT_EQ(c->get_lista_colmeias()->children().size(), 0u) << mostrar(t);
                w.entry_rainha->set_text("");
                ASSERT_TRUE(apertar(w.button_salvar_colmeia));
            }
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            const std::string id = so_uma_nova("colmeia", t);
            if (id.empty())
                continue;
            ++gravadas;
            EXPECT_EQ(linha(consulta + id), (Textos { "Langstroth", "Ativa", "null", "1", "", nota })) << mostrar(t);
            EXPECT_EQ(std::to_string(c->get_colmeia_mostrada()), id) << mostrar(t);
            EXPECT_EQ(w.entry_obs->get_text(), nota) << mostrar(t);

            // The text as its installation date: only a day that exists.
            w.entry_instalacao->set_text(t);
            const std::string data = w.entry_instalacao->get_text();
            ASSERT_TRUE(apertar(w.button_salvar_colmeia));
            if (data.empty() || data_valida(data)) {
                ++gravadas;
                EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
                std::set<std::string> d = mudancas();
                EXPECT_TRUE(d.empty() || d == std::set<std::string> { "colmeia:" + id }) << mostrar(t);
                EXPECT_EQ(linha(consulta + id)[4], data) << mostrar(t);
            } else {
                ++recusadas;
                EXPECT_EQ(respondedor.tomar(), Textos { "A data de instalação não existe: escreva-a como DD/MM/AAAA." })
                    << mostrar(t);
                nada_mudou(t);
            }

            // An inspection with the text as its notes, then as its harvest
            // and as its date.
            for (int campo = 0; campo < 3; ++campo) {
                w.entry_data_revisao->set_text(campo == 2 ? t : DATA_BOA);
                w.combo_status_revisao->set_active(2);
                w.entry_mel->set_text(campo == 1 ? t : "1,5");
                w.entry_obs_revisao->set_text(campo == 0 ? t : "");
                const std::string dia = w.entry_data_revisao->get_text();
                const std::string mel = w.entry_mel->get_text();
                const std::string nota_revisao = w.entry_obs_revisao->get_text();
                std::string quilos;
                const bool data_boa = data_valida(dia);
                const bool mel_bom = ler_quilos(mel, &quilos);
                ASSERT_TRUE(apertar(w.button_adicionar_revisao));
                if (!data_boa || !mel_bom) {
                    ++revisoes_recusadas;
                    EXPECT_EQ(respondedor.tomar(),
                              Textos { data_boa ? MEL : "A data da revisão não existe: escreva-a como DD/MM/AAAA." })
                        << mostrar(t);
                    nada_mudou(t);
                    continue;
                }
                ++revisoes;
                EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
                std::set<std::string> d = mudancas();
                std::string revisao;
                for (const std::string& m : d) {
                    if (m.compare(0, 8, "revisao:") == 0)
                        revisao = m.substr(8);
                }
                ASSERT_FALSE(revisao.empty()) << mostrar(t);
                EXPECT_EQ(linha("select to_char(data_revisao, 'DD/MM/YYYY'), status, mel_kg = " + quilos +
                                "::numeric, obs from cadastro.revisao where id_revisao = " + revisao),
                          (Textos { dia, "Fraca", "t", nota_revisao }))
                    << mostrar(t);
                EXPECT_EQ(linha(consulta + id)[1], "Fraca") << mostrar(t);
            }
            // However long the texts, the window stays as wide as a screen can show.
            EXPECT_LT(c->janela()->size_request().width, 4096) << mostrar(t);
        }
    });
    relatar("beehives (queen's RGN, notes, installation date)", 3, gravadas, recusadas);
    relatar("inspections (notes, harvest, date)", 3, revisoes, revisoes_recusadas);
    EXPECT_GT(gravadas, 90);
    EXPECT_GT(revisoes, 90);
}

TEST_F(TextosHostis, ProdutosETratamentoEmLote)
{
    int gravados = 0, recusados = 0, tratamentos = 0;
    std::string colmeia;
    Roteiro r;
    entrar(r);
    teste::SistemaTeste::no_formulario<FORM_PRODUTO>(r, ids::PRODUTOS, [&](FORM_PRODUTO* f) {
        const auto& w = f->widgets();
        std::set<std::string> nomes;
        for (const std::string& t : corpus) {
            // A new product with the text as its name and its ingredient.
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            w.entry_nome->set_text(t);
            w.combo_tipo->set_active(1);
            w.entry_principio->set_text(t);
            w.entry_carencia->set_text("0");
            w.combo_unidade->set_active(1);
            const std::string nome = w.entry_nome->get_text();
            const std::string principio = w.entry_principio->get_text();
            respondedor.tomar();
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            // A name of blanks and tabs only is no name; one name per product.
            const bool recusar = nome.find_first_not_of(" \t") == std::string::npos || nomes.count(nome) > 0;
            if (!conferir_gravacao(recusar, t, w.button_cancelar, gravados, recusados))
                continue;
            nomes.insert(nome);
            const std::string id = so_uma_nova("produto", t);
            if (id.empty())
                continue;
            EXPECT_EQ(linha("select nome, principio_ativo from cadastro.produto where id_produto = " + id),
                      (Textos { nome, principio }))
                << mostrar(t);
            EXPECT_EQ(w.entry_nome->get_text(), nome) << mostrar(t);
            EXPECT_LT(f->janela()->size_request().width, 4096) << mostrar(t);
        }
    }, 280);
    // The treatment of a batch with the text as the product's lot and as
    // its notes, with a product named by a text of the corpus.
    r.passo([&] {
        colmeia = obs->valor("insert into cadastro.colmeia (tipo, status, id_apiario) values ('Langstroth', "
                             "'Ativa', 1) returning id_colmeia");
        mudancas();
    });
    teste::SistemaTeste::no_formulario<FORM_MANEJO_LOTE>(r, ids::TRATAMENTO_LOTE, [&](FORM_MANEJO_LOTE* f) {
        const WidgetsCampos& c = f->widgets().campos->widgets();
        for (const std::string& t : corpus) {
            ASSERT_TRUE(f->marcar(std::atoi(colmeia.c_str()), true)) << mostrar(t);
            c.combo_produto->set_active(1);
            c.entry_lote->set_text(t);
            c.entry_obs->set_text(t);
            const std::string lote = c.entry_lote->get_text();
            const std::string nota = c.entry_obs->get_text();
            respondedor.tomar();
            apertar(f->widgets().button_salvar_lote);
            EXPECT_EQ(respondedor.tomar(), Textos { "Tratamento registrado em 1 colméia." }) << mostrar(t);
            std::string id;
            for (const std::string& m : mudancas()) {
                if (m.compare(0, 11, "tratamento:") == 0)
                    id = m.substr(11);
                else
                    EXPECT_EQ(m, "colmeia:" + colmeia) << mostrar(t);
            }
            ASSERT_FALSE(id.empty()) << mostrar(t);
            ++tratamentos;
            EXPECT_EQ(linha("select lote_produto, obs from cadastro.tratamento where id_tratamento = " + id),
                      (Textos { lote, nota }))
                << mostrar(t);
            EXPECT_LT(f->janela()->size_request().width, 4096) << mostrar(t);
        }
    }, 280);
    rodar(r, 280);
    relatar("products (name, active ingredient)", 2, gravados, recusados);
    EXPECT_GT(gravados, 50);
    relatar("batch treatments (lot, notes)", 2, tratamentos, 0);
    EXPECT_EQ(static_cast<std::size_t>(tratamentos), corpus.size());
}

// Honey lots with the text as their code, destination, inspection number,
// invoice and notes, each with a kilo of one harvest: kept as typed (the
// code without the spaces around it; a code of blanks only gets the
// year's next number), and the window no wider than the screen.
TEST_F(TextosHostis, LotesDeMel)
{
    int gravados = 0, recusados = 0;
    Roteiro r;
    entrar(r);
    r.passo([&] {
        obs->valor("insert into cadastro.colmeia (tipo, status, id_apiario) values ('Langstroth', 'Ativa', 1) "
                   "returning id_colmeia");
        obs->valor("insert into cadastro.colheita (id_colmeia, data, mel_kg) values (1, '2025-01-10', 5000) "
                   "returning id_colheita");
        mudancas();
    });
    teste::SistemaTeste::no_formulario<FORM_LOTE_MEL>(r, ids::LOTES_MEL, [&](FORM_LOTE_MEL* f) {
        const auto& w = f->widgets();
        std::set<std::string> codigos;
        for (const std::string& t : corpus) {
            ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
            w.entry_de->set_text("01/01/2025");
            w.entry_ate->set_text("31/01/2025");
            teste::clicar(w.button_buscar_colheitas);
            respondedor.tomar();
            ASSERT_TRUE(f->marcar(0, true)) << mostrar(t);
            f->quilos_no_lote(0, "1");
            preencher({ w.entry_codigo, w.entry_destino, w.entry_numero_inspecao, w.entry_nota, w.entry_obs }, t);
            w.entry_extracao->set_text("15/01/2025");
            const Textos digitados =
                textos_de({ w.entry_codigo, w.entry_destino, w.entry_numero_inspecao, w.entry_nota, w.entry_obs });
            std::string codigo = digitados[0];
            codigo.erase(0, codigo.find_first_not_of(' '));
            codigo.erase(codigo.find_last_not_of(' ') + 1);
            respondedor.tomar();
            ASSERT_TRUE(teste::clicar(w.button_salvar));
            // One code per lot.
            if (!conferir_gravacao(!codigo.empty() && codigos.count(codigo) > 0, t, w.button_cancelar, gravados,
                                   recusados))
                continue;
            std::string id;
            for (const std::string& m : mudancas()) {
                if (m.compare(0, 9, "lote_mel:") == 0)
                    id = m.substr(9);
            }
            ASSERT_FALSE(id.empty()) << mostrar(t);
            const Textos lido = linha("select codigo, destino, numero_inspecao, nota_fiscal, obs from cadastro.lote_mel "
                                      "where id_lote = " + id);
            ASSERT_EQ(lido.size(), 5u);
            codigos.insert(lido[0]);
            if (codigo.empty())
                EXPECT_EQ(lido[0].rfind("2025-", 0), 0u) << mostrar(t) << " " << lido[0];
            else
                EXPECT_EQ(lido[0], codigo) << mostrar(t);
            EXPECT_EQ(Textos(lido.begin() + 1, lido.end()), Textos(digitados.begin() + 1, digitados.end()))
                << mostrar(t);
            EXPECT_LT(f->janela()->size_request().width, 4096) << mostrar(t);
        }
    }, 280);
    rodar(r, 280);
    relatar("honey lots (code, destination, inspection, invoice, notes)", 5, gravados, recusados);
    EXPECT_GT(gravados, 100);
}

// Rearing batches with the text as their notes, kept as typed, and as
// the breeder's registry number, refused unless it is hers, with nothing
// stored.
TEST_F(TextosHostis, LotesDeCriacao)
{
    int gravados = 0, recusados = 0;
    Roteiro r;
    entrar(r);
    r.passo([&] {
        obs->valor("insert into cadastro.colmeia (tipo, status, id_apiario) values ('Langstroth', 'Ativa', 1) "
                   "returning id_colmeia");
        mudancas();
    });
    teste::SistemaTeste::no_formulario<FORM_CRIACAO>(r, ids::CRIACAO_RAINHAS, [&](FORM_CRIACAO* f) {
        const auto& w = f->widgets();
        const std::string matriz = obs->valor("select rgn from cadastro.abelha_rainha where id_abelha = 4");
        for (const std::string& t : corpus) {
            for (const bool na_matriz : { false, true }) {
                ASSERT_TRUE(teste::clicar(w.button_novo)) << mostrar(t);
                w.entry_matriz->set_text(na_matriz ? t : matriz);
                w.entry_recria->set_text("1");
                w.entry_enxertia->set_text("02/01/2025");
                w.entry_larvas->set_text("10");
                w.entry_obs->set_text(na_matriz ? "" : t);
                const std::string digitado = (na_matriz ? w.entry_matriz : w.entry_obs)->get_text();
                respondedor.tomar();
                ASSERT_TRUE(teste::clicar(w.button_salvar));
                if (!conferir_gravacao(na_matriz && digitado != matriz, t, w.button_cancelar, gravados, recusados))
                    continue;
                const std::string id = so_uma_nova("criacao", t);
                ASSERT_FALSE(id.empty()) << mostrar(t);
                EXPECT_EQ(linha("select b.rgn, c.obs from cadastro.criacao c join cadastro.abelha_rainha b "
                                "on b.id_abelha = c.id_matriz where c.id_criacao = " + id),
                          (Textos { matriz, na_matriz ? std::string() : digitado }))
                    << mostrar(t);
            }
        }
    }, 280);
    rodar(r, 280);
    relatar("rearing batches (notes, breeder)", 2, gravados, recusados);
    EXPECT_GE(gravados, static_cast<int>(corpus.size()));
}

TEST_F(TextosHostis, CadastroDeCep)
{
    int gravados = 0, recusados = 0;
    no_formulario<FormUsuario>(ids::USUARIOS, [&](FormUsuario* u) {
        respondedor.resposta = [](const std::string& texto) {
            return texto == "CEP não encontrado. Deseja cadastrá-lo?" ? Gtk::RESPONSE_YES : Gtk::RESPONSE_CLOSE;
        };
        int n = 0;
        for (const std::string& t : corpus) {
            char livre[16];
            std::snprintf(livre, sizeof livre, "6%04d-%03d", n / 1000, n % 1000);
            ++n;
            std::string digitado_cep, tipo, rua, bairro;
            bool aberta = false;
            respondedor.ao_abrir = [&](Gtk::Window& janela) {
                if (janela.get_title() != "Cadastro de CEP")
                    return;
                aberta = true;
                EXPECT_EQ(respondedor.tomar(), Textos { "CEP não encontrado. Deseja cadastrá-lo?" }) << mostrar(t);
                FormCep* f = form<FormCep>(ids::CADASTRO_CEP);
                ASSERT_NE(f, nullptr);
                const auto& w = f->widgets();
                w.combo_tipo_logradouro->get_entry()->set_text(t);
                w.entry_logradouro->set_text(t);
                w.entry_bairro->set_text(t);
                w.combo_municipio->set_active(1);
                tipo = w.combo_tipo_logradouro->get_entry()->get_text();
                rua = w.entry_logradouro->get_text();
                bairro = w.entry_bairro->get_text();
                // The text as the CEP first: refused unless it is a whole one
                // that is not registered yet.
                w.entry_cep->set_text(t);
                digitado_cep = w.entry_cep->get_text();
                const bool aceito = cep_completo(digitado_cep) && !existe("ceps", "cep", digitado_cep);
                apertar(w.button_salvar_cep);
                if (aceito) {
                    EXPECT_FALSE(janela.is_visible()) << mostrar(t);
                    return;
                }
                ++recusados;
                const Textos vistos = respondedor.tomar();
                EXPECT_EQ(vistos.size(), 1u) << mostrar(t);
                nada_mudou(t);
                digitado_cep = livre;
                w.entry_cep->set_text(livre);
                apertar(w.button_salvar_cep);
                EXPECT_FALSE(janela.is_visible()) << mostrar(t);
            };
            ASSERT_TRUE(teste::clicar(u->widgets().button_novo)) << mostrar(t);
            u->widgets().entry_cep->set_text(livre);
            respondedor.tomar();
            u->widgets().entry_cep->activate();
            respondedor.ao_abrir = nullptr;
            ASSERT_TRUE(aberta) << mostrar(t);
            EXPECT_EQ(respondedor.tomar(), Textos()) << mostrar(t);
            const std::string id = so_uma_nova("ceps", t);
            if (!id.empty()) {
                ++gravados;
                EXPECT_EQ(linha("select cep, tipo_logradouro, logradouro, bairro from cadastro.ceps where id_cep = " + id),
                          (Textos { digitado_cep, tipo, rua, bairro }))
                    << mostrar(t);
                // The lookup filled the form with it.
                EXPECT_EQ(u->widgets().entry_cep->get_text(), digitado_cep) << mostrar(t);
                // As an entry holds the street (a very long one cut short).
                Gtk::Entry rua_inteira;
                rua_inteira.set_text(tipo + " " + rua);
                EXPECT_EQ(u->widgets().entry_rua->get_text(), rua_inteira.get_text()) << mostrar(t);
                EXPECT_EQ(u->widgets().entry_bairro->get_text(), bairro) << mostrar(t);
            }
            teste::clicar(u->widgets().button_cancelar);
        }
        respondedor.resposta = nullptr;
    });
    relatar("postal codes (CEP, kind of street, street, district)", 4, gravados, recusados);
    EXPECT_EQ(gravados, static_cast<int>(corpus.size()));
}

TEST_F(TextosHostis, LoginNuncaEntraComTextoHostil)
{
    // Each text as login and as password, alone and combined, and beside
    // the real logins and passwords.
    int tentativas = 0;
    for (const std::string& t : corpus) {
        const std::pair<std::string, std::string> pares[] = {
            { t, "" }, { "", t }, { t, t }, { "admin", t }, { t, "admin" }, { "maria", t }, { t, "abelha" },
        };
        for (const auto& par : pares) {
            sistema->get_entry_login()->set_text(par.first);
            sistema->get_entry_senha()->set_text(par.second);
            const std::string login = sistema->get_entry_login()->get_text();
            const std::string senha = sistema->get_entry_senha()->get_text();
            if ((login == "admin" && senha == "admin") || (login == "maria" && senha == "abelha"))
                continue;
            ++tentativas;
            // Hundreds of wrong passwords would have the server refuse the
            // logins for a while; each is tried as if it were the first.
            ASSERT_EQ(obs->erro("delete from seguranca.tentativa"), "");
            respondedor.tomar();
            saida.tomar();
            sistema->get_button_ok()->clicked();
            EXPECT_FALSE(sistema->get_logado()) << mostrar(login) << " / " << mostrar(senha);
            EXPECT_EQ(respondedor.tomar(), Textos { "Verifique seu <b>Usuário</b> e <b>Senha</b>!" })
                << mostrar(login) << " / " << mostrar(senha);
            EXPECT_NE(saida.tomar().find("Verifique seu usuário e senha!\n"), std::string::npos);
            EXPECT_EQ(sistema->get_entry_login()->get_text(), "");
            EXPECT_EQ(sistema->get_entry_senha()->get_text(), "");
        }
    }
    nada_mudou("the logins");
    std::cerr << "[textos hostis] login: " << tentativas << " refused attempts\n";
    EXPECT_GE(tentativas, 6 * static_cast<int>(corpus.size()));

    // The right login still gets in.
    // (The main window is closed as it opens, and the password window the
    // sample password brings with it.)
    respondedor.ao_abrir = [this](Gtk::Window& janela) {
        if (&janela == sistema->get_janela_principal() || janela.get_title() == " Trocar de Senha ")
            janela.hide();
    };
    sistema->get_entry_login()->set_text("admin");
    sistema->get_entry_senha()->set_text("admin");
    sistema->get_button_ok()->clicked();
    EXPECT_TRUE(sistema->get_logado());
    EXPECT_EQ(respondedor.tomar(), Textos());
}
