// A running interface object, the login window up as right after start, and
// the steps that drive it: tests lay out a Roteiro and run it. ProgramaTeste
// runs the program on any settings file; SistemaTeste on a fresh test
// database.
#ifndef ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H
#define ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "db/query.h"
#include "gui/janelas.h"
#include "gui/roteiro_teste.h"
#include "gui/sistemagui.h"
#include "roteiro/menu.h"
#include "support/banco_teste.h"
#include "support/captura.h"

class FormUsuario;

namespace teste {

class ProgramaTeste : public ::testing::Test
{
protected:
    void TearDown() override;

    // Starts the program's two objects on `conf`, as the application object
    // does.
    void iniciar();

    // Steps that log in with the given texts; the last one blocks in the main
    // window's loop, so the steps after it run with the main window up (and,
    // for the sample administrator's sample password, the password window
    // that opens at once closed).
    void entrar(Roteiro& r, const std::string& login = "admin", const std::string& senha = "admin");
    // A step that opens a window from the "_Sistema" menu (ids::MINHA_CONTA
    // to ids::COLMEIAS) and then waits until the form with that id is shown.
    // It blocks in the form's loop.
    void abrir(Roteiro& r, ids::Janela id);
    // Waits until the form of that id is shown, or until there is none.
    void esperar_aberto(Roteiro& r, ids::Janela id, const std::string& o_que);
    void esperar_fechado(Roteiro& r, ids::Janela id, const std::string& o_que);
    // A step that clicks Find in the form `origem`, then waits until the
    // search window `busca` is shown. It blocks in the search's loop.
    void abrir_busca(Roteiro& r, ids::Janela origem, ids::Janela busca);
    // Clicks "Gerar Filhas" in the queen bee form and waits for its dialog.
    void abrir_filhas(Roteiro& r);
    // Answers the refusal of a save, or of a delete, of a record another
    // desktop changed or deleted since it was shown, checking that it says so.
    void recusa_mudado_noutra_estacao(Roteiro& r);
    void recusa_exclusao_mudado_noutra_estacao(Roteiro& r);
    // A step that may show dialogs and windows of its own (answered by a
    // Respondedor): the script goes on only once it has ended, however long
    // it takes (up to `segundos`).
    void passo_longo(Roteiro& r, std::function<void()> acao, double segundos = 120);
    // Opens window id from the menu, runs `acao` on its form in one long
    // step, then closes the form and waits until it is gone.
    template <class F>
    void no_formulario(Roteiro& r, ids::Janela id, std::function<void(F*)> acao, double segundos = 120)
    {
        abrir(r, id);
        passo_longo(r, [this, id, acao] {
            F* f = form<F>(id);
            ASSERT_NE(f, nullptr);
            acao(f);
            f->janela()->hide();
        }, segundos);
        esperar_fechado(r, id, "the form to close");
    }
    // Runs the script with the program's main loop on the login window.
    void rodar(Roteiro& r, double limite_segundos = 40);

    // The newest open form of that id, as its widget struct.
    template <class F>
    F* form(ids::Janela id) { return dynamic_cast<F*>(sistema->formulario_aberto(id)); }

    CapturaSaida saida;
    std::string conf;
    std::unique_ptr<QUERY> query;
    std::unique_ptr<SISTEMAGUI> sistema;
};

// Types a postal code into a user form and presses Enter in it: the lookup.
void consultar_cep(FormUsuario* f, const std::string& cep);

class SistemaTeste : public ProgramaTeste
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The template the test database is copied from ("" for the usual one).
    virtual std::string modelo() const { return std::string(); }

    std::unique_ptr<BancoTeste> banco;
};

} // namespace teste

#endif // ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H
