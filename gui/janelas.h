// The number each window of the program is known by, and the one table that
// turns a number into the class of its window (gui/janelas.cc). The main
// menu opens 1 to 6, under "Manejo" 11 to 15 and under "Produção" 16 to 18;
// forms open the others over themselves. 121 names no
// window: it is the postal-code lookup of the user forms, which opens 9 to
// register a postal code it did not find.
#ifndef ZUMBREL_GUI_JANELAS_H
#define ZUMBREL_GUI_JANELAS_H

#include <memory>

class Formulario;
struct Contexto;

namespace ids {
enum Janela : int {
    MINHA_CONTA = 1,
    USUARIOS = 2,
    NIVEIS = 3,
    APIARIOS = 4,
    ABELHAS = 5,
    COLMEIAS = 6,
    SENHA = 7,
    FLORADA = 8,
    CADASTRO_CEP = 9,
    GENEALOGIA = 10,
    // The menu "Manejo".
    PRODUTOS = 11,
    MOVIMENTACAO = 12,
    TRATAMENTO_LOTE = 13,
    ALIMENTACAO_LOTE = 14,
    PESAGEM_LOTE = 15,
    // The menu "Produção".
    LOTES_MEL = 16,
    COLHEITA_LOTE = 17,
    RASTREABILIDADE = 18,
    // The panel of the main window, which opens the records of its lines.
    PAINEL = 19,
    BUSCA_APIARIO = 20,
    // Queen rearing, in the menu "Manejo".
    CRIACAO_RAINHAS = 50,
    HOJE = 51,
    MATRIZES = 52,
    BUSCA_USUARIO = 21,
    CEP = 121,
    // The company's data, the reports and the import: 30 to 49.
    EMPRESA = 30,
    RELATORIOS = 31,
    // "Importar Planilha", in the menu "Sistema".
    IMPORTAR = 32,
};
} // namespace ids

// A new window of that id, not built yet; an id without a window of its own
// gets a bare one.
std::unique_ptr<Formulario> criar_formulario(int id, Contexto& contexto);

#endif // ZUMBREL_GUI_JANELAS_H
