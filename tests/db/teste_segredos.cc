// No password, and no digest of one, reaches standard output or the
// server's log: logins (right, wrong, and one taking an MD5 digest over), a
// new user, a new user refused as a duplicate, and a password change, on a
// database whose server logs every statement it runs, as well as every
// statement that fails (as it always does).
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "db/modelo_teste.h"
#include "model/usuario.h"
#include "util/senha.h"

namespace {

class Segredos : public teste::ModeloTeste
{
protected:
    // The server's log (shared by every test of the run) from `desde` on.
    static std::string log_do_servidor(std::streamoff desde = 0)
    {
        std::ifstream f((teste::ambiente("ZUMBREL_TEST_PGBASE") + "/server.log").c_str(), std::ios::binary);
        f.seekg(desde);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }
    static std::streamoff tamanho_do_log() { return static_cast<std::streamoff>(log_do_servidor().size()); }
};

} // namespace

TEST_F(Segredos, SaidaELogDoServidorSemSenhaNemDigesto)
{
    // Texts found nowhere else in the log, whatever other tests run.
    const std::string marca = std::to_string(getpid()) + "x" + std::to_string(time(nullptr));
    const std::string antiga = "Antiga" + marca, nova = "Favo" + marca, outra = "Cera" + marca,
                      trocada = "Mel" + marca, errada = "Errada" + marca, login = "joana" + marca;
    // Maria with an MD5 digest, as earlier databases hold them (before the
    // logging starts: this statement is the test's, not the program's).
    // Maria an administrator too, so that her session may add a user.
    ASSERT_EQ(banco.executar("update cadastro.usuario set senha = '" + senha::md5(antiga) +
                             "', id_acesso = 1 where login = 'maria'"),
              "");
    ASSERT_EQ(banco.executar("alter database " + banco.nome() + " set log_statement = 'all'"), "");
    const std::streamoff inicio = tamanho_do_log();

    QUERY query(conf.c_str());
    ASSERT_TRUE(query.get_conectado()) << query.get_mensagem();
    USUARIO usuario(&query);
    EXPECT_FALSE(usuario.verificar_acesso("maria", errada));
    ASSERT_TRUE(usuario.verificar_acesso("maria", antiga));

    USER u;
    u.nome = "Joana";
    u.login = login;
    u.senha = nova;
    u.nasc = "01/02/2003";
    u.cep.id = 2;
    ASSERT_TRUE(usuario.inserir_usuario(&u)) << query.get_mensagem();
    u.senha = outra;
    EXPECT_FALSE(usuario.inserir_usuario(&u));   // the login is taken
    EXPECT_NE(query.get_mensagem().find("usuario_login_key"), std::string::npos) << query.get_mensagem();
    const std::string id = banco.valor("select id_usuario from cadastro.usuario where login = '" + login + "'");
    ASSERT_TRUE(usuario.update_senha(std::stoi(id), trocada));
    ASSERT_TRUE(usuario.verificar_acesso(login, trocada));
    ASSERT_TRUE(usuario.conferir_senha(std::stoi(id), trocada));

    // What is stored now (where the program's role cannot read it: the
    // users' own column stays empty), and every password with its MD5
    // digest and the proof a login sends of it.
    EXPECT_EQ(banco.valor("select string_agg(senha, '') from cadastro.usuario"), "");
    std::vector<std::string> segredos = {
        banco.valor("select forma from seguranca.credencial c join cadastro.usuario u using (id_usuario) "
                    "where login = 'maria'"),
        banco.valor("select forma from seguranca.credencial where id_usuario = " + id),
    };
    EXPECT_EQ(segredos[0].rfind("$argon2id+sha256$", 0), 0u);
    EXPECT_EQ(segredos[1].rfind("$argon2id+sha256$", 0), 0u);
    for (const std::string& s : { antiga, nova, outra, trocada, errada }) {
        segredos.push_back(s);
        segredos.push_back(senha::md5(s));
    }
    // The digest part of each stored form (after its last '$'), and the
    // proofs of maria's and joana's passwords under their salts.
    const std::pair<std::string, std::string> provas[] = { { segredos[0], antiga }, { segredos[1], trocada } };
    for (const auto& p : provas) {
        segredos.push_back(p.first.substr(p.first.rfind('$') + 1));
        senha::PARAMETROS par;
        par.tipo = "argon2id";
        par.sal = p.first.substr(0, p.first.rfind('$'));
        par.sal = par.sal.substr(par.sal.rfind('$') + 1);
        par.passadas = 2;
        par.memoria = 19456;
        segredos.push_back(senha::prova(p.second, par));
        EXPECT_EQ(segredos.back().size(), 64u);
    }

    const std::string saida_padrao = saida.texto();
    const std::string log = log_do_servidor(inicio);
    for (const std::string& s : segredos) {
        EXPECT_EQ(saida_padrao.find(s), std::string::npos) << s << " on standard output:\n" << saida_padrao;
        EXPECT_EQ(log.find(s), std::string::npos) << s << " in the server's log";
    }
    // The statements themselves are there, with the secrets as placeholders
    // in the log and masked on standard output.
    EXPECT_NE(log.find("u.login='" + login + "'"), std::string::npos) << log;
    EXPECT_NE(log.find("'" + login + "', $1"), std::string::npos) << log;
    EXPECT_NE(log.find("usuario_login_key"), std::string::npos);
    EXPECT_NE(saida_padrao.find("'" + login + "', '********'"), std::string::npos) << saida_padrao;
    EXPECT_NE(saida_padrao.find("set  senha='********' WHERE id_usuario=" + id), std::string::npos) << saida_padrao;
}
