// The hostile texts of tests/dados/textos_hostis.txt, whole (no entry cuts
// or masks them here), through every data-access class: no text breaks a
// statement, each comes back byte for byte, the searches find exactly the
// rows whose text matches, and no other row changes.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/abelha.h"
#include "model/acesso.h"
#include "model/apiario.h"
#include "model/empresa.h"
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

std::set<int> ids_usuarios(const LISTA_USUARIOS& lista)
{
    std::set<int> s;
    for (std::size_t i = 0; i < lista.size(); ++i)
        s.insert(lista.id(i));
    return s;
}

std::size_t caracteres(const std::string& t)
{
    std::size_t n = 0;
    for (unsigned char c : t)
        n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

// The corpus file holds every kind of text asked for, each once, and its
// lines are read as the file says.
TEST(Corpus, TemCadaTipoDeTextoHostilUmaVez)
{
    const std::vector<std::string>& c = teste::corpus_hostil();
    auto tem = [&c](std::function<bool(const std::string&)> p) { return std::any_of(c.begin(), c.end(), p); };
    auto contem = [&tem](const std::string& trecho) {
        return tem([&trecho](const std::string& t) { return t.find(trecho) != std::string::npos; });
    };
    EXPECT_GE(c.size(), 60u);
    EXPECT_EQ(std::set<std::string>(c.begin(), c.end()).size(), c.size());
    for (const char* t : { "' or '1'='1", "'; drop table cadastro.usuario; --", "admin'--", "''", "%", "_", ";", "--",
                           "/* */", "\\", "'" })
        EXPECT_TRUE(tem([t](const std::string& x) { return x == t; })) << t;
    for (const char* trecho : { "'abc", "abc'", "ab'c", "\\'", "ção", "\xF0\x9F\x90\x9D", "\xE2\x80\xAE",
                                "\xD7\xA2", "\n" })
        EXPECT_TRUE(contem(trecho)) << mostrar(trecho);
    EXPECT_TRUE(tem([](const std::string& t) { return t.empty(); }));
    EXPECT_TRUE(tem([](const std::string& t) {
        return !t.empty() && t.find_first_not_of(" \t") == std::string::npos;
    }));
    EXPECT_GE(std::count_if(c.begin(), c.end(), [](const std::string& t) { return caracteres(t) >= 10000; }), 4);
    // At and past the maximum lengths: CEP 9, dates 10, CPF 14, password 16, login 20.
    for (std::size_t n : { 9, 10, 11, 14, 15, 16, 17, 20, 21 })
        EXPECT_TRUE(tem([n](const std::string& t) { return caracteres(t) == n; })) << n;

    std::string texto, erro;
    EXPECT_TRUE(teste::decodificar_linha("~a\\sb\\tc\\nd\\\\\\u{1F41D}", texto, erro));
    EXPECT_EQ(texto, "a b\tc\nd\\\xF0\x9F\x90\x9D");
    EXPECT_TRUE(teste::decodificar_linha("@repetir 3 a\\s", texto, erro));
    EXPECT_EQ(texto, "a a a ");
    EXPECT_TRUE(teste::decodificar_linha("=#nao e comentario", texto, erro));
    EXPECT_EQ(texto, "#nao e comentario");
    EXPECT_TRUE(teste::decodificar_linha("a\\b ' \"", texto, erro));
    EXPECT_EQ(texto, "a\\b ' \"");
    EXPECT_TRUE(teste::decodificar_linha("@vazio", texto, erro));
    EXPECT_EQ(texto, "");
    EXPECT_FALSE(teste::decodificar_linha("# comentario", texto, erro));
    EXPECT_EQ(erro, "");
    EXPECT_FALSE(teste::decodificar_linha("", texto, erro));
    EXPECT_FALSE(teste::decodificar_linha("~\\q", texto, erro));
    EXPECT_NE(erro, "");
    EXPECT_FALSE(teste::decodificar_linha("@repetir x", texto, erro));
    EXPECT_NE(erro, "");

    // The "like" matcher the searches are checked against.
    EXPECT_TRUE(teste::casa_like("Maria", "Ma%"));
    EXPECT_FALSE(teste::casa_like("maria", "Ma%"));
    EXPECT_TRUE(teste::casa_like("ação", "a_ão"));
    EXPECT_TRUE(teste::casa_like("100%", "100\\%%"));
    EXPECT_FALSE(teste::casa_like("1000", "100\\%%"));
    EXPECT_TRUE(teste::casa_like("a_b", "a\\_%"));
    EXPECT_FALSE(teste::casa_like("axb", "a\\_%"));
    EXPECT_TRUE(teste::casa_like("", "%"));
    EXPECT_FALSE(teste::casa_like("", "_%"));
}

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
            // Hundreds of wrong passwords would have the server refuse the
            // logins for a while; each is tried as if it were the first.
            ASSERT_EQ(banco.executar("delete from seguranca.tentativa"), "");
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
        // The refusals: a user must have a name (the table's rule), and a
        // password of 8 to 64 characters (the program's).
        EXPECT_EQ(usuario_ok, !t.empty() && senha_aceita(t)) << mostrar(t) << q->get_mensagem();
        if (usuario_ok) {
            ASSERT_TRUE(usuario.verificar_acesso(u.login, t)) << mostrar(t) << usuario.get_mensagem();
            // The next user is added by the administrator again.
            teste::entrar_como_administrador(*q);
            const LISTA_USUARIOS lidos = usuario.Get_User(0);
            ASSERT_EQ(lidos.size(), 1u) << mostrar(t);
            const USER lido = lidos[0];
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
        a.municipio.cod_cid = 5003702;   // Dourados
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

        // An access level described by the text, then renamed (below the
        // administrators' level: a new level above it would leave none).
        ACESS nivel;
        nivel.descricao = t;
        nivel.nivel = -n;
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

// The company's data with the text in every field typed freely: stored and
// read back byte for byte, a blank name and a text that is no e-mail
// refused, and only the company's row changed.
TEST_F(CorpusModelo, DadosDaEmpresaComCadaTexto)
{
    teste::Observador obs(banco);
    teste::Foto foto = obs.fotografar();
    EMPRESA empresa(q.get());
    int gravados = 0;
    for (const std::string& t : corpus) {
        EMPRESAS e = empresa.ler();
        e.nome = e.inscricao_estadual = e.endereco = e.numero = e.bairro = e.telefone = t;
        e.email = t;
        const bool nome_ok = t.find_first_not_of(" \t\r\n") != std::string::npos;
        const bool ok = empresa.gravar(e);
        EXPECT_EQ(ok, nome_ok && email_aceito(t)) << mostrar(t) << empresa.falha().motivo();
        if (!ok && nome_ok) {
            // The same without the e-mail is stored.
            e.email.clear();
            ASSERT_TRUE(empresa.gravar(e)) << mostrar(t) << empresa.falha().motivo();
        }
        if (!nome_ok) {
            EXPECT_EQ(empresa.falha().motivo(), "Escreva o nome do produtor ou da empresa.") << mostrar(t);
            continue;
        }
        ++gravados;
        const EMPRESAS lida = empresa.ler();
        EXPECT_EQ((std::vector<std::string> { lida.nome, lida.inscricao_estadual, lida.endereco, lida.numero,
                                              lida.bairro, lida.telefone, lida.email }),
                  (std::vector<std::string> { t, t, t, t, t, t, e.email }))
            << mostrar(t);
        teste::Foto nova = obs.fotografar();
        const std::set<std::string> mudou = teste::diferencas(foto, nova);
        EXPECT_TRUE(mudou.empty() || mudou == std::set<std::string> { "empresa:1" }) << mostrar(t);
        foto = nova;
    }
    EXPECT_GE(gravados, 55);
}
