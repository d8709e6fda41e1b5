// The driver of roteiro/roteiro.h as the window tests use it: a failure of
// the script is a failure of the running test, and a fatal one ends it.
#ifndef ZUMBREL_TESTS_GUI_ROTEIRO_TESTE_H
#define ZUMBREL_TESTS_GUI_ROTEIRO_TESTE_H

#include <gtest/gtest.h>

#include "roteiro/roteiro.h"

namespace teste {

class RoteiroTeste : public Roteiro
{
public:
    RoteiroTeste()
    {
        ao_falhar = [](const std::string& texto) { ADD_FAILURE() << texto; };
        interromper = [] { return ::testing::Test::HasFatalFailure(); };
    }
};

} // namespace teste

#endif // ZUMBREL_TESTS_GUI_ROTEIRO_TESTE_H
