// The hostile texts of tests/dados/textos_hostis.txt, whole (no entry cuts
// or masks them here), through every data-access class: no text breaks a
// statement, each comes back byte for byte, the searches find exactly the
// rows whose text matches, and no other row changes.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/florada.h"
#include "model/municipio.h"
#include "model/usuario.h"
#include "db/modelo_teste.h"
#include "support/foto_banco.h"
#include "support/textos_hostis.h"

using teste::mostrar;

namespace {

class CorpusModelo : public teste::ModeloTeste
{
protected:
    const std::vector<std::string>& corpus = teste::corpus_hostil();
};

std::set<int> ids_usuarios(const std::vector<USER>& lista)
{
    std::set<int> s;
    for (const USER& u : lista)
        s.insert(u.id);
    return s;
}

} // namespace

TEST_F(CorpusModelo, NenhumTextoEntraComoLoginOuSenha)
{
    USUARIO usuario(q.get());
    int tentativas = 0;
    for (const std::string& t : corpus) {
        const std::pair<std::string, std::string> pares[] = {
            { t, "" }, { "", t }, { t, t }, { "admin", t }, { t, "admin" }, { "maria", t }, { t, "abelha" },
        };
        for (const auto& p : pares) {
            ++tentativas;
            EXPECT_FALSE(usuario.verificar_acesso(p.first, p.second)) << mostrar(p.first) << mostrar(p.second);
            // Refused as a wrong login, never as a statement the text broke.
            EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos") << mostrar(p.first) << mostrar(p.second);
        }
    }
    EXPECT_GE(tentativas, 7 * 60);
    EXPECT_TRUE(usuario.verificar_acesso("admin", "admin"));
    EXPECT_TRUE(usuario.verificar_acesso("maria", "abelha"));
}

TEST_F(CorpusModelo, CadaTextoVoltaComoFoiGuardadoESoMudaASuaLinha)
{
    teste::Observador obs(banco);
    teste::Foto foto = obs.fotografar();
    USUARIO usuario(q.get());
    APIARIO apiario(q.get());
    FLORADAS floradas(q.get());
    MUNICIPIO municipio(q.get());
    ACESSO acesso(q.get());
    ABELHA abelha(q.get());

    int n = 0;
    for (const std::string& t : corpus) {
        ++n;
        std::set<std::string> esperadas;

        // A user with the text in every field, the login made unique.
        USER u;
        u.nome = t;
        u.login = t + "#" + std::to_string(n);
        u.senha = t;
        u.cpf = u.rg = u.oexp = u.endereco = u.numero = u.bairro = t;
        u.nasc = "01/02/2003";
        u.cep.id = 2;
        const bool usuario_ok = usuario.inserir_usuario(&u);
        // The one refusal the table makes: a user must have a name.
        EXPECT_EQ(usuario_ok, !t.empty()) << mostrar(t) << q->get_mensagem();
        if (usuario_ok) {
            ASSERT_TRUE(usuario.verificar_acesso(u.login, t)) << mostrar(t) << usuario.get_mensagem();
            USER lido = usuario.Get_User(0).at(0);
            esperadas.insert("usuario:" + std::to_string(lido.id));
            EXPECT_EQ((std::vector<std::string> { lido.nome, lido.login, lido.cpf, lido.rg, lido.oexp, lido.endereco,
                                                  lido.numero, lido.bairro, lido.nasc }),
                      (std::vector<std::string> { t, u.login, t, t, t, t, t, t, "01/02/2003" }))
                << mostrar(t);
        }

        // The searches by name and by CPF list exactly the matching users.
        const TABELA todos = obs.consultar("select id_usuario, nome, cpf from cadastro.usuario");
        for (int coluna : { 1, 2 }) {
            std::set<int> esperado;
            for (const LINHA& l : todos) {
                if (teste::casa_like(l[coluna], t + "%"))
                    esperado.insert(std::stoi(l[0]));
            }
            USUARIO busca(q.get());
            const std::string campo = coluna == 1 ? "u.nome" : "u.cpf";
            EXPECT_EQ(ids_usuarios(busca.Get_User(campo + " like " + q->literal(t + "%") + " order by u.nome")),
                      esperado)
                << campo << " " << mostrar(t);
        }

        // A floral source of that name, found again by its name.
        FLORADA f;
        f.nome_florada = t;
        const std::string chave = floradas.inserir(f);
        ASSERT_FALSE(chave.empty()) << mostrar(t) << q->get_mensagem();
        esperadas.insert("florada:" + chave);
        FLORADA achada = floradas.get_florada(t);
        EXPECT_EQ(std::to_string(achada.id_florada), chave) << mostrar(t);
        EXPECT_EQ(achada.nome_florada, t);

        // An apiary with the text everywhere, then updated.
        APIARIOS a;
        a.nome = a.endereco = a.distrito = a.latitude = a.longitude = a.obs = t;
        a.data_criacao = "03/04/2005";
        a.florada.id_florada = std::stoi(chave);
        a.municipio.cod_cid = 32;
        ASSERT_TRUE(apiario.Cadastrar_Apiario(&a)) << mostrar(t) << q->get_mensagem();
        a.obs = t + t;
        a.distrito = "x" + t;
        ASSERT_TRUE(apiario.Atualizar_Apiario(&a)) << mostrar(t) << q->get_mensagem();
        esperadas.insert("apiario:" + std::to_string(a.id_apiario));
        EXPECT_EQ(obs.consultar("select nome, endereco, distrito, latitude, longitude, obs, id_florada::text "
                                "from cadastro.apiario where id_apiario = " + std::to_string(a.id_apiario)),
                  (TABELA { { t, t, "x" + t, t, t, t + t, chave } }))
            << mostrar(t);
        std::vector<int> esperado;
        for (const LINHA& l : obs.consultar("select id_apiario, nome from cadastro.apiario order by 1")) {
            if (teste::casa_like(l[1], t + "%"))
                esperado.push_back(std::stoi(l[0]));
        }
        std::vector<int> achados;
        for (const APIARIOS& x : apiario.Pesquisar_Apiario(" a.nome like " + q->literal(t + "%")))
            achados.push_back(x.id_apiario);
        std::sort(achados.begin(), achados.end());
        EXPECT_EQ(achados, esperado) << mostrar(t);

        // An access level described by the text, then renamed.
        ACESS nivel;
        nivel.descricao = t;
        nivel.nivel = n;
        ASSERT_TRUE(acesso.inserir(&nivel)) << mostrar(t) << q->get_mensagem();
        nivel.descricao = t + "'";
        ASSERT_TRUE(acesso.atualizar(&nivel)) << mostrar(t) << q->get_mensagem();
        esperadas.insert("acesso:" + std::to_string(nivel.id));
        EXPECT_EQ(obs.valor("select desc_acesso from cadastro.acesso where id_acesso = " + std::to_string(nivel.id)),
                  t + "'");

        // Looking the text up as a municipality or a registry number finds
        // nothing, without an error.
        EXPECT_EQ(municipio.get_municipio(t).cod_cid, -1) << mostrar(t);
        EXPECT_EQ(abelha.get_abelha(t).id, 0) << mostrar(t);

        // Only the rows of this text changed.
        teste::Foto nova = obs.fotografar();
        EXPECT_EQ(teste::diferencas(foto, nova), esperadas) << mostrar(t);
        foto = nova;
    }
    EXPECT_GE(n, 60);
}
