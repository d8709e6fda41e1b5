// The script driver itself: when a script ends or a step fails while the
// program still waits for an answer, the test ends at once, with a failure
// naming each dialog left open or opened afterwards.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include "gui/sistema_teste.h"

using Roteiro = teste::RoteiroTeste;

namespace {

// Runs the script, keeping the failures it reports instead of failing this
// test, and checks them against the expected ones, each found in its message.
void conferir_falhas(const std::function<void()>& rodar, const std::vector<std::string>& esperadas)
{
    ::testing::TestPartResultArray falhas;
    {
        ::testing::ScopedFakeTestPartResultReporter guardar(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &falhas);
        rodar();
    }
    std::string todas;
    for (int i = 0; i < falhas.size(); ++i)
        todas += std::string(falhas.GetTestPartResult(i).message()) + "\n--\n";
    ASSERT_EQ(static_cast<std::size_t>(falhas.size()), esperadas.size()) << todas;
    for (int i = 0; i < falhas.size(); ++i) {
        EXPECT_TRUE(falhas.GetTestPartResult(i).nonfatally_failed()) << todas;
        EXPECT_NE(std::string(falhas.GetTestPartResult(i).message()).find(esperadas[i]), std::string::npos)
            << esperadas[i] << "\n--\n" << todas;
    }
}

class Encerrar : public teste::SistemaTeste {};

} // namespace

// Save with nothing pending shows "Edite primeiro" and, once that one is
// closed, "Verifique as informações digitadas !". A script that ends with
// the first one up used to leave the second waiting for a click forever.
TEST_F(Encerrar, DialogoSemRespostaEOSeguinteViramFalhasENadaFicaAberto)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] { sistema->salvar_dados(ids::APIARIOS); });
    conferir_falhas([&] { rodar(r); },
                    { "a message dialog was still open when the script ended: \"Edite primeiro\"",
                      "a message dialog opened after the script ended: \"Verifique as informações digitadas !\"" });
    EXPECT_TRUE(teste::janelas_visiveis().empty());
    EXPECT_TRUE(sistema->formularios_abertos().empty());
}

// A step that fails ends the script the same way: the dialog it was waiting
// over is closed, a window that opens next is hidden, and a question that
// follows is closed without OK.
TEST(Roteiro, PassoQueFalhaFechaOQueAbreDepoisSemDizerSim)
{
    int resposta = Gtk::RESPONSE_OK;
    bool janela_fechou = false;
    Roteiro r;
    r.passo([&] {
        Gtk::MessageDialog aviso("Aviso sem resposta");
        aviso.run();
        aviso.hide();
        Gtk::Window janela;
        janela.set_title("Janela depois do fim");
        janela.show();
        while (janela.is_visible())
            Gtk::Main::iteration();
        janela_fechou = true;
        Gtk::MessageDialog pergunta("Apagar tudo?", false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_OK_CANCEL);
        resposta = pergunta.run();
        pergunta.hide();
    });
    r.esperar([] { return false; }, "what never comes", 0.2);
    r.passo([] { ADD_FAILURE() << "a step after the failed one ran"; });
    conferir_falhas([&] { r.executar(); },
                    { "gave up waiting for what never comes",
                      "a message dialog was still open when the script ended: \"Aviso sem resposta\"",
                      "a window opened after the script ended: \"Janela depois do fim\"",
                      "a message dialog opened after the script ended: \"Apagar tudo?\"",
                      "steps left undone" });
    EXPECT_TRUE(janela_fechou);
    EXPECT_NE(resposta, Gtk::RESPONSE_OK);
    EXPECT_TRUE(teste::janelas_visiveis().empty());
}
