// The company's data through its model: one row from the start, saved by an
// administrator with the CEP's municipality read back, refused for every
// rule with the reason the user reads and nothing stored, refused to anyone
// else by the database, and kept by the database's own rules when the model
// is bypassed.
#include <string>

#include <gtest/gtest.h>

#include "db/modelo_teste.h"
#include "model/empresa.h"
#include "model/falha.h"
#include "model/usuario.h"

namespace {

const char* const COLUNAS = "select nome, documento, inscricao_estadual, coalesce(id_cep::text, '-'), endereco, "
                            "numero, bairro, telefone, email from cadastro.empresa";

class Empresa : public teste::ModeloTeste
{
protected:
    // Data that passes every rule, with the sample CEP 79800-001 (Dourados).
    EMPRESAS completa()
    {
        EMPRESAS e;
        e.nome = "Apiário Flor do Cerrado Ltda.";
        e.documento = "12.345.678/0001-95";
        e.inscricao_estadual = "28.123.456-7";
        e.cep.id = 1;
        e.endereco = "Avenida Marcelino Pires";
        e.numero = "1200";
        e.bairro = "Centro";
        e.telefone = "(67) 3421-0000";
        e.email = "contato@flordocerrado.com.br";
        return e;
    }
};

} // namespace

TEST_F(Empresa, UmRegistroDesdeOInicioGravadoELidoComOMunicipio)
{
    EMPRESA empresa(q.get());
    const EMPRESAS vazia = empresa.ler();
    EXPECT_FALSE(empresa.falha().houve) << empresa.falha().motivo();
    EXPECT_EQ(vazia.nome + vazia.documento + vazia.municipio_uf(), "");
    EXPECT_EQ(vazia.cep.id, 0);
    EXPECT_FALSE(vazia.versao.empty());
    EXPECT_EQ(banco.valor("select count(*) from cadastro.empresa"), "1");

    EMPRESAS e = completa();
    e.versao = vazia.versao;
    // Bare digits are stored as the mask writes them.
    e.documento = "12345678000195";
    ASSERT_TRUE(empresa.gravar(e)) << empresa.falha().motivo();
    EXPECT_EQ(banco.unidos(COLUNAS), "Apiário Flor do Cerrado Ltda.|12.345.678/0001-95|28.123.456-7|1|"
                                     "Avenida Marcelino Pires|1200|Centro|(67) 3421-0000|contato@flordocerrado.com.br|");

    const EMPRESAS lida = empresa.ler();
    EXPECT_EQ(lida.nome, e.nome);
    EXPECT_EQ(lida.documento, "12.345.678/0001-95");
    EXPECT_EQ(lida.tipo_documento(), "CNPJ");
    EXPECT_EQ(lida.cep.cep, "79800-001");
    EXPECT_EQ(lida.municipio_uf(), "Dourados/MS");
    EXPECT_NE(lida.versao, vazia.versao);

    // A CPF, and no CEP: the municipality goes with it.
    e = lida;
    e.documento = "123.456.789-09";
    e.cep = CEPS();
    ASSERT_TRUE(empresa.gravar(e)) << empresa.falha().motivo();
    const EMPRESAS pessoa = empresa.ler();
    EXPECT_EQ(pessoa.tipo_documento(), "CPF");
    EXPECT_EQ(pessoa.municipio_uf(), "");
    EXPECT_EQ(banco.valor("select coalesce(id_cep::text, 'sem cep') from cadastro.empresa"), "sem cep");
}

TEST_F(Empresa, CadaRegraRecusaComMotivoENadaGrava)
{
    EMPRESA empresa(q.get());
    EMPRESAS base = completa();
    base.versao = empresa.ler().versao;
    ASSERT_TRUE(empresa.gravar(base)) << empresa.falha().motivo();
    const std::string guardado = banco.unidos(COLUNAS);

    struct Caso
    {
        const char* o_que;
        void (*mudar)(EMPRESAS&);
        const char* motivo;
    };
    const Caso casos[] = {
        { "blank name", [](EMPRESAS& e) { e.nome = " \t "; }, "Escreva o nome do produtor ou da empresa." },
        { "CPF with wrong digits", [](EMPRESAS& e) { e.documento = "123.456.789-00"; },
          "O CPF 123.456.789-00 não confere com os seus dígitos verificadores: confira-o." },
        { "CNPJ all equal", [](EMPRESAS& e) { e.documento = "11.111.111/1111-11"; },
          "Um CNPJ de catorze algarismos iguais não existe: digite o CNPJ da empresa." },
        { "CPF all equal", [](EMPRESAS& e) { e.documento = "99999999999"; },
          "Um CPF de onze algarismos iguais não existe: digite o CPF do produtor." },
        { "half a document", [](EMPRESAS& e) { e.documento = "123.456"; },
          "Digite o CPF inteiro, como 123.456.789-09, ou o CNPJ inteiro, como 12.345.678/0001-95." },
        { "e-mail", [](EMPRESAS& e) { e.email = "contato"; },
          "O e-mail contato não é um endereço de e-mail: escreva-o como nome@exemplo.com.br." },
        { "CEP that is not there", [](EMPRESAS& e) { e.cep.id = 9999; },
          "O CEP escolhido para a empresa não está mais cadastrado." },
    };
    for (const Caso& c : casos) {
        EMPRESAS e = empresa.ler();
        c.mudar(e);
        EXPECT_FALSE(empresa.gravar(e)) << c.o_que;
        EXPECT_EQ(empresa.falha().motivo(), c.motivo) << c.o_que;
        EXPECT_EQ(banco.unidos(COLUNAS), guardado) << c.o_que;
    }

    // Someone who is no administrator: the database refuses him.
    USUARIO usuario(q.get());
    ASSERT_TRUE(usuario.verificar_acesso("maria", "abelha"));
    EMPRESAS e = empresa.ler();
    EXPECT_EQ(e.nome, base.nome);   // everyone reads it
    e.nome = "Outro nome";
    EXPECT_FALSE(empresa.gravar(e));
    EXPECT_EQ(empresa.falha().motivo(),
              "Somente um administrador pode mudar os dados da empresa: o usuário que entrou não é administrador, ou "
              "a sessão com o banco de dados não tem mais quem entrou.");
    EXPECT_EQ(banco.unidos(COLUNAS), guardado);
}

TEST_F(Empresa, RegrasDoBancoSemOModelo)
{
    // As the program's role, with an administrator logged in: no second
    // row, no row deleted, no document in another form; the CEP of the
    // company cannot be deleted.
    struct Caso
    {
        const char* o_que;
        int tipo;
        const char* coluna;
        const char* valor;
        const char* restricao;
    };
    const Caso casos[] = {
        { "a second row", INSTRUCAO::INSERIR, "id_empresa", "2", "empresa_somente_administradores" },
        { "the row deleted", INSTRUCAO::EXCLUIR, nullptr, nullptr, "empresa_somente_administradores" },
        { "bare digits", INSTRUCAO::ATUALIZAR, "documento", "'12345678909'", "empresa_documento_forma" },
        { "another key", INSTRUCAO::ATUALIZAR, "id_empresa", "2", "empresa_uma_so" },
    };
    for (const Caso& c : casos) {
        INSTRUCAO i = q->descrever(c.tipo, "cadastro.empresa");
        if (c.tipo == INSTRUCAO::INSERIR)
            i.inserir(c.coluna, c.valor);
        else if (c.tipo == INSTRUCAO::ATUALIZAR)
            i.atualizar(c.coluna, c.valor);
        if (c.tipo != INSTRUCAO::INSERIR)
            i.condicao("id_empresa", "1");
        const RESULTADO r = q->ativar(i);
        EXPECT_FALSE(r.ok()) << c.o_que;
        EXPECT_EQ(r.restricao, c.restricao) << c.o_que << " " << r.mensagem;
        EXPECT_NE(FALHA(r).motivo(), "") << c.o_que;
    }
    ASSERT_EQ(banco.executar("update cadastro.empresa set id_cep = 2"), "");
    EXPECT_NE(banco.executar("delete from cadastro.ceps where id_cep = 2").find("empresa_id_cep_fkey"),
              std::string::npos);
    EXPECT_EQ(banco.valor("select count(*) from cadastro.empresa"), "1");
}
