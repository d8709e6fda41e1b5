// The entry masks as pure steps over a text, without any widget: what one run
// of a mask (with the nested runs that setting the text triggers) makes of the
// text, the cursor and the remembered length and tag.
#ifndef ZUMBREL_UTIL_MASCARA_H
#define ZUMBREL_UTIL_MASCARA_H

#include <string>

struct Mascara
{
    const char* padrao;        // "#" is a digit, anything else a separator
    const char* separadores;   // separators the user may type, in check order
};

extern const Mascara MASCARA_DATA;   // "##/##/####"
extern const Mascara MASCARA_CPF;    // "###.###.###-##"
extern const Mascara MASCARA_CEP;    // "#####-###"
extern const Mascara MASCARA_CNPJ;   // "##.###.###/####-##"

// State shared by all masked fields of one object.
struct EstadoMascara
{
    int ultimo_tamanho = 0;
    int ultimo_campo = 0;
};

// Last guard against a mask that keeps rewriting its own text: the nested
// runs stop at this depth. No input reaches it (the tests check that).
const int LIMITE_ANINHAMENTO = 64;

struct PassoMascara
{
    std::string texto;   // UTF-8
    int posicao = 0;     // cursor request (may be one past the end)
    bool posicionar = false;   // false when the run stopped at an empty text
    int aninhamento = 0;       // nested runs that writing the text back caused
    bool limite_atingido = false;   // stopped by LIMITE_ANINHAMENTO
};

// One run of the mask over `texto` (UTF-8) for the field `tag`, with the
// nested runs that writing a different text back into the entry causes. The
// result is the entry's final text; the cursor and the remembered length are
// the outermost run's. A text longer than the pattern is cut to it, and a
// separator typed just where the pattern writes the same one is dropped.
PassoMascara passo_mascara(const Mascara& mascara, const std::string& texto, int tag,
                           EstadoMascara& estado);

// The digits filter: mode 1 keeps digits and ",", mode 2 digits only; only
// the last character is examined, but removing it runs the filter again, so
// every bad character at the end goes. Other modes return the text unchanged.
std::string filtrar_digitos(const std::string& texto, int modo);

#endif // ZUMBREL_UTIL_MASCARA_H
