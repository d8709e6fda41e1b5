// A running interface object on a fresh test database: the login window is
// up, as right after start. Tests lay out a Roteiro and run it.
#ifndef ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H
#define ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H

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

namespace teste {

class SistemaTeste : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The template the test database is copied from ("" for the usual one).
    virtual std::string modelo() const { return std::string(); }

    // Steps that log in with the given texts; the last one blocks in the main
    // window's loop, so the steps after it run with the main window up (and,
    // for the sample administrator's sample password, the password window
    // that opens at once closed).
    void entrar(Roteiro& r, const std::string& login = "admin", const std::string& senha = "admin");
    // A step that opens a window from the "_Sistema" menu (ids::MINHA_CONTA
    // to ids::COLMEIAS) and then waits until the form with that id is shown.
    // It blocks in the form's loop.
    void abrir(Roteiro& r, ids::Janela id);
    // Runs the script with the program's main loop on the login window.
    void rodar(Roteiro& r);

    // The newest open form of that id, as its widget struct.
    template <class F>
    F* form(ids::Janela id) { return dynamic_cast<F*>(sistema->formulario_aberto(id)); }

    CapturaSaida saida;
    std::unique_ptr<BancoTeste> banco;
    std::string conf;
    std::unique_ptr<QUERY> query;
    std::unique_ptr<SISTEMAGUI> sistema;
};

} // namespace teste

#endif // ZUMBREL_TESTS_GUI_SISTEMA_TESTE_H
