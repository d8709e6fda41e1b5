// Users: the login check (hostile logins included), loading and keeping the
// list, caller-built filters, insert, update, password change and the
// postal-code lookup; passwords stored salted, MD5 digests of earlier
// databases taken over at the login, and kept where the column is too short.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/usuario.h"
#include "util/senha.h"
#include "support/textos_hostis.h"

namespace {

// What the user query writes: the join count once per joined table, then the
// statement.
const std::string CONSULTA =
    "3\n3\n3\n"
    "select u.id_usuario, u.nome, u.login, a.*, u.cpf, u.rg, u.oexp, to_char(u.nasc,'DD/MM/YYYY'), "
    "u.endereco, u.numero, u.bairro, c.*, m.*, u.xmin from  cadastro.usuario as u "
    "INNER JOIN cadastro.acesso as a ON u.id_acesso=a.id_acesso "
    "INNER JOIN cadastro.ceps as c ON u.id_cep=c.id_cep "
    "INNER JOIN cadastro.municipio as m ON c.cod_cid=m.cod_cid";

// The login check: the user query with the stored password, by the login.
const std::string LOGIN =
    "3\n3\n3\n"
    "select u.id_usuario, u.nome, u.login, a.*, u.cpf, u.rg, u.oexp, to_char(u.nasc,'DD/MM/YYYY'), "
    "u.endereco, u.numero, u.bairro, c.*, m.*, u.xmin, u.senha from  cadastro.usuario as u "
    "INNER JOIN cadastro.acesso as a ON u.id_acesso=a.id_acesso "
    "INNER JOIN cadastro.ceps as c ON u.id_cep=c.id_cep "
    "INNER JOIN cadastro.municipio as m ON c.cod_cid=m.cod_cid";

// How long the password column may be, asked once per USUARIO before the
// first password is stored.
const std::string LIMITE = "select character_maximum_length from information_schema.columns where "
                           "table_schema='cadastro' and table_name='usuario' and column_name='senha'\n";

// maria's login: her row read by her login name.
const std::string ENTRADA_MARIA = LOGIN + " where u.login='maria'\n";

// maria's login when her stored password is replaced by a new argon2id
// string: the column's length asked, the password written, and her row read
// again with its new version.
const std::string RENOVACAO_MARIA = ENTRADA_MARIA + LIMITE +
                                    "\n SET QUERY 3\nupdate cadastro.usuario set  senha='********' WHERE id_usuario=2"
                                    " and senha='********'\n" +
                                    CONSULTA + " where u.id_usuario=2\n";

class Usuario : public teste::ModeloTeste
{
protected:
    // A user with every text filled, on postal code 7 (Campo Grande).
    static USER novo(const std::string& login)
    {
        USER u;
        u.nome = "Joana Mel";
        u.login = login;
        u.senha = "favo de mel";
        u.cpf = "123.456.789-09";
        u.rg = "998877";
        u.oexp = "SSP/MS";
        u.nasc = "04/05/1990";
        u.endereco = "Rua das Flores";
        u.numero = "12A";
        u.bairro = "Jardim";
        u.cep.id = 7;
        return u;
    }

    static std::string ids(const LISTA_USUARIOS& lista)
    {
        std::string s;
        for (const USER& u : lista)
            s += std::to_string(u.id) + ";";
        return s;
    }

    // Every column but the password, which is salted.
    std::string linha_usuario(int id)
    {
        return banco.unidos("select nome, login, cpf, rg, oexp, to_char(nasc,'DD/MM/YYYY'), endereco, "
                            "numero, bairro, id_cep, id_acesso from cadastro.usuario where id_usuario=" +
                            std::to_string(id));
    }

    std::string senha_guardada(int id)
    {
        return banco.valor("select senha from cadastro.usuario where id_usuario=" + std::to_string(id));
    }
};

// The same on a database not brought up to date to decide who may do what
// (a server of the user's own before its owner ran README's steps): the
// program checks the passwords itself, as before.
class UsuarioSemDireitos : public Usuario
{
protected:
    void preparar() override { banco.tirar_direitos(); }
};

} // namespace

TEST_F(UsuarioSemDireitos, LoginCertoTrazOUsuarioCompletoEGetUser0NaoConsulta)
{
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("admin", "admin"));
    EXPECT_EQ(saida.tomar(), LOGIN + " where u.login='admin'\n");
    EXPECT_EQ(usuario.get_mensagem(), "Acesso garantido");

    LISTA_USUARIOS lista = usuario.Get_User(0);
    EXPECT_EQ(saida.tomar(), "");
    ASSERT_EQ(lista.size(), 1u);
    const USER& u = lista[0];
    EXPECT_EQ(u.id, 1);
    EXPECT_EQ(u.nome, "Administrador do Sistema");
    EXPECT_EQ(u.login, "admin");
    EXPECT_EQ(u.senha, "");
    EXPECT_EQ(u.acesso.id, 1);
    EXPECT_EQ(u.acesso.descricao, "Administrador");
    EXPECT_EQ(u.acesso.nivel, 3);
    EXPECT_EQ(u.cpf, "111.444.777-35");
    EXPECT_EQ(u.rg, "1234567");
    EXPECT_EQ(u.oexp, "SSP/MS");
    EXPECT_EQ(u.nasc, "15/03/1980");
    EXPECT_EQ(u.endereco, "Avenida Marcelino Pires");
    EXPECT_EQ(u.numero, "1500");
    EXPECT_EQ(u.bairro, "Centro");
    EXPECT_EQ(u.cep.id, 1);
    EXPECT_EQ(u.cep.cep, "79800-001");
    EXPECT_EQ(u.cep.tipo_logradouro, "Avenida");
    EXPECT_EQ(u.cep.logradouro, "Marcelino Pires");
    EXPECT_EQ(u.cep.bairro, "Centro");
    EXPECT_EQ(u.cep.municipio.cod_cid, 5003702);
    EXPECT_EQ(u.cep.municipio.nome, "Dourados");
    EXPECT_EQ(u.cep.municipio.estado, "MS");

    // A second check replaces the one user of the list.
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    lista = usuario.Get_User(0);
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].id, 2);
    EXPECT_EQ(lista[0].acesso.descricao, "Operador");
    EXPECT_EQ(lista[0].cep.municipio.nome, "Campo Grande");
}

TEST_F(Usuario, SenhaErradaOuLoginDesconhecidoSaoOMesmoErro)
{
    USUARIO usuario(q.get());
    EXPECT_FALSE(usuario.verificar_acesso("admin", "Admin"));
    EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos");
    EXPECT_FALSE(usuario.verificar_acesso("ADMIN", "admin"));
    EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos");
    EXPECT_FALSE(usuario.verificar_acesso("ninguem", "admin"));
    EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos");
    EXPECT_FALSE(usuario.verificar_acesso("", ""));
    EXPECT_TRUE(usuario.Get_User(0).empty());
}

TEST_F(UsuarioSemDireitos, LoginHostilNuncaEntra)
{
    USUARIO usuario(q.get());
    const char* logins[] = { "' or '1'='1", "admin'--", "admin' --", "admin' or '1'='1", "admin'); --", "admin\\" };
    const char* senhas[] = { "' or '1'='1", "x", "", "admin", "') or ('1'='1" };
    for (const char* login : logins)
        for (const char* senha : senhas) {
            EXPECT_FALSE(usuario.verificar_acesso(login, senha)) << login << " / " << senha;
            EXPECT_EQ(usuario.get_mensagem(), "Usuário e Senha inválidos") << login << " / " << senha;
        }
    EXPECT_TRUE(usuario.Get_User(0).empty());

    saida.tomar();
    usuario.verificar_acesso("admin'--", "' or '1'='1");
    EXPECT_EQ(saida.tomar(), LOGIN + " where u.login='admin''--'\n");
}

TEST_F(Usuario, LoginRecusadoGuardaATextoDoBanco)
{
    quebrar_tabela("usuario");
    USUARIO usuario(q.get());
    EXPECT_FALSE(usuario.verificar_acesso("admin", "admin"));
    EXPECT_EQ(usuario.get_mensagem(), q->get_mensagem());
    EXPECT_NE(usuario.get_mensagem().find("cadastro.usuario"), std::string::npos) << usuario.get_mensagem();
}

TEST_F(Usuario, CarregarTodosUmOuNenhumGuardaALista)
{
    USUARIO usuario(q.get());
    EXPECT_EQ(ids(usuario.Get_User(-1)), "1;2;");
    EXPECT_EQ(saida.tomar(), CONSULTA + "\n");

    EXPECT_EQ(ids(usuario.Get_User(2)), "2;");
    EXPECT_EQ(saida.tomar(), CONSULTA + " where u.id_usuario=2\n");

    // Nothing found: the message is written and the list stays.
    EXPECT_EQ(ids(usuario.Get_User(99)), "2;");
    EXPECT_EQ(saida.tomar(), CONSULTA + " where u.id_usuario=99\n" + q->get_mensagem() + "\n");
    EXPECT_EQ(ids(usuario.Get_User(0)), "2;");

    // A refused statement keeps it too.
    usuario.carregar_usuario(-1);
    quebrar_tabela("ceps");
    usuario.carregar_usuario(1);
    EXPECT_EQ(ids(usuario.Get_User(0)), "1;2;");
}

TEST_F(Usuario, SemNivelOuSemCepNaoApareceNemEntra)
{
    ASSERT_EQ(banco.executar(
                  "alter table cadastro.usuario alter id_acesso drop not null, alter id_cep drop not null;"
                  "alter table cadastro.usuario disable trigger usuario_nivel_padrao;"
                  "insert into cadastro.usuario (id_usuario, nome, login, senha, nasc, id_cep, id_acesso) values"
                  " (3, 'Sem Nivel', 'semnivel', md5('x'), '01/01/2000', 1, null),"
                  " (4, 'Sem Cep', 'semcep', md5('x'), '01/01/2000', null, 2)"),
              "");
    USUARIO usuario(q.get());
    EXPECT_EQ(ids(usuario.Get_User(-1)), "1;2;");
    EXPECT_EQ(ids(usuario.Get_User(std::string("u.nome like 'Sem%'"))), "");
    EXPECT_FALSE(usuario.verificar_acesso("semnivel", "x"));
    EXPECT_FALSE(usuario.verificar_acesso("semcep", "x"));
    EXPECT_EQ(ids(usuario.Get_User(3)), "1;2;");
}

TEST_F(Usuario, FiltroDoChamadorVaComoVeioENaoMexeNaLista)
{
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("admin", "admin"));
    saida.tomar();

    LISTA_USUARIOS achados = usuario.Get_User(std::string("u.nome like 'Ma%' order by u.nome"));
    EXPECT_EQ(saida.tomar(), CONSULTA + " where u.nome like 'Ma%' order by u.nome\n");
    EXPECT_EQ(ids(achados), "2;");
    EXPECT_EQ(achados[0].login, "maria");

    EXPECT_EQ(ids(usuario.Get_User(std::string("u.id_usuario > 0 order by u.nome desc"))), "2;1;");

    saida.tomar();
    achados = usuario.Get_User(std::string("u.nome like 'Zz%'"));
    EXPECT_TRUE(achados.empty());
    EXPECT_EQ(saida.tomar(), CONSULTA + " where u.nome like 'Zz%'\n" + q->get_mensagem() + "\n");
    EXPECT_EQ(ids(usuario.Get_User(0)), "1;");

    // A broken filter is refused: empty result and the message.
    saida.tomar();
    EXPECT_TRUE(usuario.Get_User(std::string("u.nome like")).empty());
    EXPECT_EQ(saida.tomar(), CONSULTA + " where u.nome like\n" + q->get_mensagem() + "\n");
}

// The search summary sends the same statement and holds the same code, name
// and CPF as the full records, and nothing else.
TEST_F(Usuario, ResumoDaBuscaIgualAosRegistrosCompletos)
{
    USUARIO usuario(q.get());
    const std::string filtro = "u.id_usuario > 0 order by u.nome desc";
    saida.tomar();
    const LISTA_USUARIOS completos = usuario.Get_User(filtro);
    const std::string rastro = saida.tomar();
    const LISTA_USUARIOS resumo = usuario.Get_User(filtro, Detalhe::RESUMO);
    EXPECT_EQ(saida.tomar(), rastro);
    ASSERT_EQ(resumo.size(), 2u);
    ASSERT_EQ(completos.size(), 2u);
    for (std::size_t i = 0; i < resumo.size(); ++i) {
        EXPECT_EQ(resumo[i].id, completos[i].id);
        EXPECT_EQ(resumo[i].nome, completos[i].nome);
        EXPECT_EQ(resumo[i].cpf, completos[i].cpf);
        EXPECT_EQ(resumo.id(i), completos[i].id);
        EXPECT_EQ(resumo.nome(i), completos[i].nome);
        EXPECT_EQ(resumo.cpf(i), completos[i].cpf);
        EXPECT_FALSE(resumo[i].cpf.empty());
        EXPECT_FALSE(completos[i].login.empty());
        EXPECT_EQ(resumo[i].login, "");
        EXPECT_EQ(resumo[i].cep.municipio.nome, "");
    }
    // The next statement reads every column again.
    EXPECT_EQ(usuario.Get_User(filtro)[0].login, completos[0].login);
    EXPECT_TRUE(usuario.Get_User("u.nome like 'Zz%'", Detalhe::RESUMO).empty());
}

TEST_F(UsuarioSemDireitos, InserirGuardaTudoComNivelMaisBaixoESenhaSalgada)
{
    USUARIO usuario(q.get());
    USER u = novo("joana");
    ASSERT_TRUE(usuario.inserir_usuario(&u)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              LIMITE +
              "insert into cadastro.usuario ( nome, login, senha, cpf, rg, oexp, nasc, endereco, numero, bairro, id_cep)"
              " values ( 'Joana Mel', 'joana', '********', '123.456.789-09', '998877', 'SSP/MS', '04/05/1990',"
              " 'Rua das Flores', '12A', 'Jardim', 7) returning  id_usuario;\n\n");
    EXPECT_EQ(u.id, 0);   // the returned key is not read
    EXPECT_EQ(u.senha, "favo de mel");   // nor is the record changed
    EXPECT_EQ(linha_usuario(3), "Joana Mel|joana|123.456.789-09|998877|SSP/MS|04/05/1990|Rua das Flores|12A|Jardim|7|3|");
    const std::string guardada = senha_guardada(3);
    EXPECT_EQ(guardada.rfind("$argon2id$", 0), 0u) << guardada;
    EXPECT_TRUE(senha::confere("favo de mel", guardada));

    ASSERT_TRUE(usuario.verificar_acesso("joana", "favo de mel"));
    USER lido = usuario.Get_User(0)[0];
    EXPECT_EQ(lido.acesso.descricao, "Operador");
    EXPECT_EQ(lido.cep.cep, "79002-075");
    EXPECT_EQ(lido.nasc, "04/05/1990");
}

TEST_F(Usuario, DataInvalidaRecusaInsercaoEAtualizacao)
{
    USUARIO usuario(q.get());
    // The first login takes maria's MD5 digest over.
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    std::string antes = banco.despejo();
    for (const char* data : { "31/02/2010", "", "abc", "32/01/2010", "01/13/2010" }) {
        USER u = novo(std::string("data") + data);
        u.nasc = data;
        EXPECT_FALSE(usuario.inserir_usuario(&u)) << data;

        ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
        USER m = usuario.Get_User(0)[0];
        m.nome = "Outro Nome";
        m.nasc = data;
        EXPECT_FALSE(usuario.atualizar_usuario(&m)) << data;
    }
    EXPECT_EQ(banco.despejo(), antes);
}

TEST_F(Usuario, AtualizarNaoTocaSenhaNemNivel)
{
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    const std::string guardada = senha_guardada(2);
    USER m = usuario.Get_User(0)[0];
    m.nome = "Maria A. Souza";
    m.login = "mariaa";
    m.cpf = "1";
    m.rg = "2";
    m.oexp = "SSP/SP";
    m.nasc = "03/08/1975";
    m.endereco = "Rua Nova";
    m.numero = "9";
    m.bairro = "Vila";
    m.cep.id = 2;
    m.acesso.id = 1;   // ignored
    m.senha = "trocada";   // ignored
    saida.tomar();
    ASSERT_TRUE(usuario.atualizar_usuario(&m)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(),
              "\n SET QUERY 3\nupdate cadastro.usuario set  nome='Maria A. Souza', login='mariaa', cpf='1', rg='2',"
              " oexp='SSP/SP', nasc='03/08/1975', endereco='Rua Nova', numero='9', bairro='Vila', id_cep=2"
              " WHERE id_usuario=2 and xmin='" + m.versao + "'\n");
    EXPECT_FALSE(m.versao.empty());
    EXPECT_EQ(linha_usuario(2), "Maria A. Souza|mariaa|1|2|SSP/SP|03/08/1975|Rua Nova|9|Vila|2|3|");
    EXPECT_EQ(senha_guardada(2), guardada);
    EXPECT_EQ(linha_usuario(1).substr(0, 25), "Administrador do Sistema|");
    EXPECT_TRUE(usuario.verificar_acesso("mariaa", "abelha"));
}

TEST_F(UsuarioSemDireitos, TextosHostisSaoGuardadosELidosComoDigitados)
{
    USUARIO usuario(q.get());
    int id = 2;
    for (const char* const* t = teste::textos_hostis(); *t; ++t) {
        ++id;
        USER u = novo(std::string(*t) + std::to_string(id));
        u.nome = *t;
        u.senha = *t;
        u.endereco = *t;
        u.bairro = *t;
        u.numero = *t;
        ASSERT_TRUE(usuario.inserir_usuario(&u)) << *t << "\n" << q->get_mensagem();
        ASSERT_TRUE(usuario.verificar_acesso(u.login, *t)) << *t;
        USER lido = usuario.Get_User(0)[0];
        EXPECT_EQ(lido.id, id);
        EXPECT_EQ(lido.nome, *t);
        EXPECT_EQ(lido.login, u.login);
        EXPECT_EQ(lido.endereco, *t);
        EXPECT_EQ(lido.bairro, *t);
        EXPECT_EQ(lido.numero, *t);

        lido.cpf = *t;
        lido.oexp = *t;
        ASSERT_TRUE(usuario.atualizar_usuario(&lido));
        USER relido = usuario.Get_User(id)[0];
        EXPECT_EQ(relido.cpf, *t);
        EXPECT_EQ(relido.oexp, *t);
    }
    EXPECT_EQ(banco.valor("select count(*) from cadastro.usuario"), std::to_string(id));
    EXPECT_EQ(banco.valor("select count(*) from cadastro.acesso"), "3");
}

TEST_F(UsuarioSemDireitos, TrocaDeSenha)
{
    USUARIO usuario(q.get());
    std::string antes = q->get_mensagem();
    ASSERT_TRUE(usuario.update_senha(2, "nova'senha"));
    EXPECT_EQ(saida.tomar(), LIMITE + antes + "\n\n SET QUERY 3\n\nUPDATE SENHA \n"
                                     "update cadastro.usuario set  senha='********' WHERE id_usuario=2\n"
                                     "\nSenha Atualizada com sucesso\n");
    EXPECT_EQ(senha_guardada(2).rfind("$argon2id$", 0), 0u);
    EXPECT_FALSE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_TRUE(usuario.verificar_acesso("maria", "nova'senha"));
    EXPECT_TRUE(usuario.verificar_acesso("admin", "admin"));
    EXPECT_TRUE(usuario.conferir_senha(2, "nova'senha"));
    EXPECT_FALSE(usuario.conferir_senha(2, "abelha"));
    EXPECT_FALSE(usuario.conferir_senha(2, ""));
    EXPECT_FALSE(usuario.conferir_senha(99, "nova'senha"));

    // A blank password is refused before any statement.
    const std::string guardada = senha_guardada(2);
    saida.tomar();
    EXPECT_FALSE(usuario.update_senha(2, ""));
    std::string texto = saida.tomar();
    EXPECT_EQ(texto.find("update"), std::string::npos) << texto;
    EXPECT_NE(texto.find("\nERRO AO ATUALIZAR A SENHA \n"), std::string::npos) << texto;
    EXPECT_EQ(senha_guardada(2), guardada);

    // A wrong password is not a refused statement.
    bool falhou = true;
    EXPECT_FALSE(usuario.conferir_senha(2, "abelha", &falhou));
    EXPECT_FALSE(falhou);

    quebrar_tabela("usuario");
    EXPECT_FALSE(usuario.conferir_senha(2, "nova'senha", &falhou));
    EXPECT_TRUE(falhou);
    saida.tomar();
    EXPECT_FALSE(usuario.update_senha(2, "outra senha"));
    texto = saida.tomar();
    EXPECT_NE(texto.find("\nERRO AO ATUALIZAR A SENHA \n"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("Senha Atualizada"), std::string::npos) << texto;
}

// The postal-code lookup of the user forms: the code with its street and
// municipality; a code no row has, or a refused statement, changes nothing.
TEST_F(Usuario, BuscarCepTrazORegistroComOMunicipio)
{
    USUARIO usuario(q.get());
    CEPS c;
    ASSERT_TRUE(usuario.buscar_cep("79800-001", c)) << q->get_mensagem();
    EXPECT_EQ(saida.tomar(), "1\nselect * from  cadastro.ceps INNER JOIN cadastro.municipio ON "
                             "ceps.cod_cid=municipio.cod_cid where cep='79800-001'\n");
    EXPECT_EQ(c.id, 1);
    EXPECT_EQ(c.cep, "79800-001");
    EXPECT_EQ(c.tipo_logradouro, "Avenida");
    EXPECT_EQ(c.logradouro, "Marcelino Pires");
    EXPECT_EQ(c.bairro, "Centro");
    EXPECT_EQ(c.municipio.cod_cid, 5003702);
    EXPECT_EQ(c.municipio.nome, "Dourados");
    EXPECT_EQ(c.municipio.estado, "MS");

    EXPECT_FALSE(usuario.buscar_cep("00000-000", c));
    EXPECT_FALSE(usuario.buscar_cep("' or '1'='1", c));
    EXPECT_EQ(saida.tomar(), "1\nselect * from  cadastro.ceps INNER JOIN cadastro.municipio ON "
                             "ceps.cod_cid=municipio.cod_cid where cep='00000-000'\n"
                             "1\nselect * from  cadastro.ceps INNER JOIN cadastro.municipio ON "
                             "ceps.cod_cid=municipio.cod_cid where cep=''' or ''1''=''1'\n");
    EXPECT_EQ(c.id, 1);
    ASSERT_TRUE(usuario.buscar_cep("79002-075", c));
    EXPECT_EQ(c.id, 7);
    EXPECT_EQ(c.municipio.nome, "Campo Grande");

    quebrar_tabela("ceps");
    EXPECT_FALSE(usuario.buscar_cep("79800-001", c));
    EXPECT_EQ(c.id, 7);
    EXPECT_EQ(c.logradouro, "Afonso Pena");
}

// An MD5 digest of an earlier database logs in once more and is stored anew
// as argon2id, only at a login with the right password; the same password
// keeps working, a wrong one does not, and the next login writes nothing.
TEST_F(UsuarioSemDireitos, Md5AntigoViraArgon2idNoLogin)
{
    ASSERT_EQ(banco.executar("update cadastro.usuario set senha = md5('abelha') where id_usuario = 2"), "");
    const std::string md5 = senha_guardada(2);
    ASSERT_EQ(md5, senha::md5("abelha"));
    const std::string admin = senha_guardada(1);
    USUARIO usuario(q.get());
    EXPECT_FALSE(usuario.verificar_acesso("maria", "Abelha"));
    EXPECT_EQ(senha_guardada(2), md5);
    EXPECT_EQ(saida.tomar(), ENTRADA_MARIA);

    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    // The user is read again, with the row's new version.
    EXPECT_EQ(saida.tomar(), RENOVACAO_MARIA);
    const std::string nova = senha_guardada(2);
    EXPECT_EQ(nova.rfind("$argon2id$", 0), 0u) << nova;
    EXPECT_TRUE(senha::confere("abelha", nova));
    EXPECT_EQ(senha_guardada(1), admin);   // the others' stay

    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(saida.tomar(), ENTRADA_MARIA);
    EXPECT_EQ(senha_guardada(2), nova);
    EXPECT_EQ(usuario.Get_User(0)[0].id, 2);
    EXPECT_FALSE(usuario.verificar_acesso("maria", "abelha "));
    EXPECT_FALSE(usuario.verificar_acesso("maria", md5));
    EXPECT_FALSE(usuario.verificar_acesso("maria", nova));
}

// An argon2id string of another cost (the 64 MiB of the first versions) is
// made again at the next login, as an MD5 digest is.
TEST_F(UsuarioSemDireitos, Argon2idDeOutroCustoRefeitoNoLogin)
{
    ASSERT_EQ(banco.executar("update cadastro.usuario set senha = '$argon2id$v=19$m=65536,t=2,p=1$"
                             "PxSuJlTTYc6PHt29tHhgDQ$ySMGLCTAmiDlln7JoDm7xqv5ucOKSvrh16wTi1AEBz4' "
                             "where id_usuario = 2"),
              "");
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(saida.tomar(), RENOVACAO_MARIA);
    const std::string nova = senha_guardada(2);
    EXPECT_FALSE(senha::desatualizada(nova)) << nova;
    EXPECT_TRUE(senha::confere("abelha", nova));
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(saida.tomar(), ENTRADA_MARIA);
}

// A database whose password column holds 32 characters keeps MD5 digests,
// made here: logins leave them, new users and new passwords get them, and
// the trace shows none.
TEST_F(UsuarioSemDireitos, ColunaDe32CaracteresGuardaMd5FeitoAqui)
{
    ASSERT_EQ(banco.executar("update cadastro.usuario set senha = md5(case login when 'admin' then 'admin' "
                             "else 'abelha' end); alter table cadastro.usuario alter senha type varchar(32)"), "");
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(saida.tomar(), ENTRADA_MARIA + LIMITE);
    EXPECT_EQ(senha_guardada(2), senha::md5("abelha"));

    USER u = novo("joana");
    ASSERT_TRUE(usuario.inserir_usuario(&u)) << q->get_mensagem();
    EXPECT_EQ(senha_guardada(3), senha::md5("favo de mel"));
    ASSERT_TRUE(usuario.update_senha(2, "colmeias!"));
    EXPECT_EQ(senha_guardada(2), senha::md5("colmeias!"));
    const std::string texto = saida.tomar();
    EXPECT_EQ(texto.find(LIMITE), std::string::npos) << "asked once: " << texto;
    for (const std::string& segredo : { senha::md5("favo de mel"), senha::md5("colmeias!"), std::string("favo de mel"),
                                        std::string("colmeias!") })
        EXPECT_EQ(texto.find(segredo), std::string::npos) << segredo << "\n" << texto;
    EXPECT_TRUE(usuario.verificar_acesso("joana", "favo de mel"));
    EXPECT_TRUE(usuario.verificar_acesso("maria", "colmeias!"));
    EXPECT_FALSE(usuario.verificar_acesso("maria", "abelha"));
}

TEST_F(Usuario, NovoUsuarioSemSenhaERecusadoSemComando)
{
    USUARIO usuario(q.get());
    USER u = novo("semsenha");
    u.senha = "";
    const std::string antes = banco.despejo();
    EXPECT_FALSE(usuario.inserir_usuario(&u));
    EXPECT_EQ(saida.tomar(), "");
    EXPECT_EQ(banco.despejo(), antes);
}

// A database without a unique login: the first user of that login whose
// password it is logs in, whichever row comes first.
TEST_F(UsuarioSemDireitos, MesmoLoginEntraODonoDaSenha)
{
    ASSERT_EQ(banco.executar("alter table cadastro.usuario drop constraint usuario_login_key"), "");
    USUARIO usuario(q.get());
    USER u = novo("maria");
    ASSERT_TRUE(usuario.inserir_usuario(&u));
    ASSERT_TRUE(usuario.verificar_acesso("maria", "favo de mel"));
    EXPECT_EQ(usuario.Get_User(0).size(), 1u);
    EXPECT_EQ(usuario.Get_User(0)[0].id, 3);
    EXPECT_EQ(usuario.Get_User(0)[0].nome, "Joana Mel");
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EXPECT_EQ(usuario.Get_User(0)[0].id, 2);
}

// Registering a postal code the lookup did not find: stored with its
// municipality and found by the lookup afterwards; a code not whole, one
// already there, no municipality or one that does not exist are refused
// with a reason and store nothing.
TEST_F(Usuario, CadastrarCepGuardaEALookupAcha)
{
    USUARIO usuario(q.get());
    CEPS novo;
    novo.cep = "79900-123";
    novo.tipo_logradouro = "Rua";
    novo.logradouro = "das Abelhas";
    novo.bairro = "Jardim d'Oeste";
    novo.municipio.cod_cid = 5004502;
    CEPS achado;
    EXPECT_FALSE(usuario.buscar_cep(novo.cep, achado));
    EXPECT_FALSE(usuario.falha().houve);
    saida.tomar();
    ASSERT_TRUE(usuario.cadastrar_cep(&novo)) << usuario.falha().motivo();
    EXPECT_FALSE(usuario.falha().houve);
    EXPECT_EQ(usuario.falha().motivo(), "");
    EXPECT_EQ(novo.id, 10);
    EXPECT_NE(saida.tomar().find("insert into cadastro.ceps ( cep, tipo_logradouro, logradouro, bairro, cod_cid) "
                                 "values ( '79900-123', 'Rua', 'das Abelhas', 'Jardim d''Oeste', 5004502) "
                                 "returning  id_cep;\n"),
              std::string::npos);
    ASSERT_TRUE(usuario.buscar_cep("79900-123", achado));
    EXPECT_EQ(achado.id, 10);
    EXPECT_EQ(achado.bairro, "Jardim d'Oeste");
    EXPECT_EQ(achado.municipio.nome, "Itaporã");
    EXPECT_EQ(achado.municipio.estado, "MS");

    const std::string antes = banco.despejo();
    struct Caso { const char* cep; int municipio; const char* motivo; };
    const Caso casos[] = {
        { "79900-123", 5004502, "O CEP 79900-123 já está cadastrado." },
        { "79800-001", 5003702, "O CEP 79800-001 já está cadastrado." },
        { "7990-0123", 5004502, "Digite o CEP inteiro, como 79800-001." },
        { "79900", 5004502, "Digite o CEP inteiro, como 79800-001." },
        { "", 5004502, "Digite o CEP inteiro, como 79800-001." },
        { "' or '1'='1", 5004502, "Digite o CEP inteiro, como 79800-001." },
        { "79900-124", 0, "Escolha o município do CEP." },
    };
    for (const Caso& k : casos) {
        CEPS c;
        c.cep = k.cep;
        c.municipio.cod_cid = k.municipio;
        EXPECT_FALSE(usuario.cadastrar_cep(&c)) << k.cep;
        EXPECT_EQ(usuario.falha().motivo(), k.motivo) << k.cep;
        EXPECT_EQ(c.id, 0);
    }
    CEPS c;
    c.cep = "79900-124";
    c.municipio.cod_cid = 79;
    EXPECT_FALSE(usuario.cadastrar_cep(&c));
    const std::string motivo = usuario.falha().motivo();
    EXPECT_EQ(motivo.rfind("O banco de dados recusou o CEP: ", 0), 0u) << motivo;
    EXPECT_EQ(banco.despejo(), antes);

    // A lookup whose statement fails says so.
    quebrar_tabela("ceps");
    EXPECT_FALSE(usuario.buscar_cep("79900-123", achado));
    EXPECT_TRUE(usuario.falha().houve);
    EXPECT_NE(usuario.falha().mensagem, "");
}

TEST_F(Usuario, CepComTextosHostisVoltaComoDigitado)
{
    USUARIO usuario(q.get());
    int n = 0;
    for (const std::string& t : teste::corpus_hostil()) {
        CEPS c;
        char cep[16];
        std::snprintf(cep, sizeof cep, "7%04d-%03d", n / 1000, n % 1000);
        ++n;
        c.cep = cep;
        c.tipo_logradouro = t;
        c.logradouro = t;
        c.bairro = t;
        c.municipio.cod_cid = 3550308;
        ASSERT_TRUE(usuario.cadastrar_cep(&c)) << teste::mostrar(t) << usuario.falha().motivo();
        CEPS achado;
        ASSERT_TRUE(usuario.buscar_cep(cep, achado));
        EXPECT_EQ(achado.tipo_logradouro, t) << teste::mostrar(t);
        EXPECT_EQ(achado.logradouro, t) << teste::mostrar(t);
        EXPECT_EQ(achado.bairro, t) << teste::mostrar(t);
        EXPECT_EQ(achado.municipio.nome, "São Paulo");
    }
}
