// The hostile texts of tests/dados/textos_hostis.txt (the file says how its
// lines are written), and a "like" matcher to tell which rows a prefix
// search must list.
#ifndef ZUMBREL_TESTS_SUPPORT_TEXTOS_HOSTIS_H
#define ZUMBREL_TESTS_SUPPORT_TEXTOS_HOSTIS_H

#include <string>
#include <vector>

namespace teste {

// The texts of one file in the corpus format; fails the calling test when a
// line cannot be read.
std::vector<std::string> ler_textos(const std::string& caminho);

// The project's corpus (read once).
const std::vector<std::string>& corpus_hostil();

// A line of the corpus format turned into its text; false for a line that
// holds none (comment, blank) or is malformed (`erro` then says why).
bool decodificar_linha(const std::string& linha, std::string& texto, std::string& erro);

// Whether `texto` matches the SQL "like" pattern (UTF-8, case-sensitive,
// "%" any run, "_" one character, "\" takes the next character as it is).
bool casa_like(const std::string& texto, const std::string& padrao);

// The text as an SQL dollar-quoted literal, for tests that build their own
// statements without the program's quoting helper.
std::string cifrao(const std::string& texto);

// Short printable form of a text for failure messages.
std::string mostrar(const std::string& texto);

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_TEXTOS_HOSTIS_H
