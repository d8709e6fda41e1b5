// Position arithmetic of the browsable forms (1-based positions) and the
// record counter text.
#ifndef ZUMBREL_UTIL_NAVEGACAO_H
#define ZUMBREL_UTIL_NAVEGACAO_H

#include <cstddef>
#include <string>

typedef unsigned long long Posicao;

// The position after a move (0 first, 1 back, 2 forward, 3 last) over a list
// of `tamanho` records. `agiu` tells whether the move acted: always for first
// and last, only when the position changed for back and forward.
Posicao mover_posicao(Posicao posicao, std::size_t tamanho, int direcao, bool& agiu);

// A position that can be read in a list of `tamanho` records (1 when the
// position is 0, the last one when it is past the end); 0 for an empty list.
Posicao posicao_valida(Posicao posicao, std::size_t tamanho);

// "%ld / %ld" of position and size.
std::string texto_contador(Posicao posicao, std::size_t tamanho);

#endif // ZUMBREL_UTIL_NAVEGACAO_H
