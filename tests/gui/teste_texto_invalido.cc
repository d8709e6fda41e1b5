// Texts that are not valid UTF-8 in the lists: a server session that sends
// LATIN1 bytes, and the search lists handed such texts directly. Every text
// is shown mended (each bad byte as U+FFFD), and, as the sanitizer build
// checks, nothing is read past the end of one.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <glib.h>
#include <gtest/gtest.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include "gui/colunas.h"
#include "gui/colunas_fixas.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_usuario.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

const std::string FFFD = "\xEF\xBF\xBD";

bool todas_validas(const std::vector<std::vector<std::string>>& linhas)
{
    for (const auto& l : linhas)
        for (const std::string& c : l)
            if (!g_utf8_validate(c.data(), static_cast<gssize>(c.size()), nullptr))
                return false;
    return true;
}

class TextoInvalido : public teste::SistemaTeste
{
protected:
    FormUsuario* f() { return form<FormUsuario>(ids::USUARIOS); }
    FormPesquisaUsuario* busca() { return form<FormPesquisaUsuario>(ids::BUSCA_USUARIO); }
};

} // namespace

// Each text in a buffer of exactly its size, ending in the first byte of a
// longer character: a walk by characters that trusts it steps past the
// buffer.
TEST(ColunasFixas, TextoInvalidoNoFimNaoELidoAlemDoFim)
{
    Gtk::Window janela;
    Gtk::TreeView lista;
    janela.add(lista);
    janela.show_all();
    std::vector<std::unique_ptr<char[]>> buffers;
    auto buffer = [&buffers](const std::string& t) {
        buffers.emplace_back(new char[t.size() + 1]);
        std::memcpy(buffers.back().get(), t.c_str(), t.size() + 1);
        return static_cast<const char*>(buffers.back().get());
    };
    const char* const nomes[] = { buffer(std::string(40, 'n') + "\xF0"), buffer("Jos\xE9"), buffer("\xE3"),
                                  buffer("Ação") };
    const char* const cpfs[] = { buffer("\xC3"), buffer(std::string(20, '1') + "\xE3"), buffer("ok"),
                                 buffer("") };
    const char* const titulos[3] = { "Código", "Nome", "CPF" };
    // The rows as the search hands them: texts read in place.
    class Textos : public Achados
    {
    public:
        Textos(const char* const* n, const char* const* c) : nomes(n), cpfs(c) {}
        std::size_t tamanho() const override { return 4; }
        int codigo(std::size_t i) const override { return static_cast<int>(i) + 1; }
        const char* texto(std::size_t i, int c) const override { return c == 1 ? nomes[i] : cpfs[i]; }

    private:
        const char* const* nomes;
        const char* const* cpfs;
    };
    const COLUNAS colunas;
    mostrar_achados(lista, colunas, titulos, std::make_shared<Textos>(nomes, cpfs));
    const std::vector<std::vector<std::string>> esperado = {
        { "0001", std::string(40, 'n') + FFFD, FFFD },
        { "0002", "Jos" + FFFD, std::string(20, '1') + FFFD },
        { "0003", FFFD, "ok" },
        { "0004", "Ação", "" },
    };
    EXPECT_EQ(teste::linhas(&lista), esperado);
    janela.hide();
}

// A session whose server sends LATIN1 (the accents are single bytes that
// are not UTF-8): the user search lists every name and CPF mended, and the
// user form shows the name the same.
TEST_F(TextoInvalido, BuscaDeUsuariosComServidorQueNaoMandaUtf8)
{
    ASSERT_EQ(banco->executar("insert into cadastro.usuario (id_usuario, nome, login, senha, cpf, nasc, id_cep, "
                              "id_acesso) values (7, 'José ' || repeat('x', 30) || 'ã', 'jose', md5('x'), "
                              "'700.000.000-0ç', '01/01/1970', 2, 3)"),
              "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::USUARIOS);
    r.passo([this] { query->executar("set client_encoding = 'LATIN1'"); });
    abrir_busca(r, ids::USUARIOS, ids::BUSCA_USUARIO);
    r.passo([this] {
        busca()->widgets().entry_pesquisa->set_text("J");
        const std::vector<std::vector<std::string>> esperado = {
            { "0007", "Jos" + FFFD + " " + std::string(30, 'x') + FFFD, "700.000.000-0" + FFFD } };
        EXPECT_EQ(teste::linhas(busca()->widgets().treeview_usuarios), esperado);
        busca()->widgets().entry_pesquisa->set_text("");
        const auto todos = teste::linhas(busca()->widgets().treeview_usuarios);
        EXPECT_EQ(todos.size(), 3u);
        EXPECT_TRUE(todas_validas(todos));
        // Chosen, the user form shows it.
        Gtk::TreePath caminho;
        for (std::size_t i = 0; i < todos.size(); ++i)
            if (todos[i][0] == "0007")
                caminho.push_back(static_cast<int>(i));
        busca()->widgets().treeview_usuarios->row_activated(caminho,
                                                            *busca()->widgets().treeview_usuarios->get_column(0));
    });
    esperar_fechado(r, ids::BUSCA_USUARIO, "the search window to close");
    r.passo([this] {
        EXPECT_EQ(f()->widgets().entry_nome->get_text(), "Jos" + FFFD + " " + std::string(30, 'x') + FFFD);
        query->executar("set client_encoding = 'UTF8'");
    });
    rodar(r);
}
