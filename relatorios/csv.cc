#include "relatorios/csv.h"

#include "relatorios/arquivo_seguro.h"
#include "relatorios/formato.h"

namespace {

// A number as Portuguese writes it, "-12" or "-12,5": a spreadsheet reads
// it as that number, and runs nothing.
bool numero_simples(const std::string& t)
{
    std::size_t i = t[0] == '-' ? 1 : 0;
    bool digitos = false, virgula = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            digitos = true;
        else if (t[i] == ',' && !virgula && digitos)
            virgula = true;
        else
            return false;
    }
    return digitos && t.back() != ',';
}

} // namespace

bool parece_formula(const std::string& texto)
{
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == '\'')
        ++i;
    if (i == texto.size())
        return false;
    const char c = texto[i];
    return (c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r') && !numero_simples(texto.substr(i));
}

std::string campo_csv(const std::string& texto)
{
    std::string t = texto;
    // A leading quote makes the spreadsheet take the cell as text.
    if (parece_formula(t))
        t = "'" + t;
    if (t.find_first_of(";\"\r\n") == std::string::npos && (t.empty() || (t.front() != ' ' && t.back() != ' ')))
        return t;
    std::string saida = "\"";
    for (char c : t) {
        if (c == '"')
            saida += '"';
        saida += c;
    }
    return saida + "\"";
}

std::string celula_csv(const CELULA& c)
{
    return c.numero ? numero_planilha(c.valor, c.casas) : campo_csv(c.texto);
}

std::string linha_csv(const std::vector<CELULA>& celulas)
{
    std::string s;
    for (std::size_t i = 0; i < celulas.size(); ++i) {
        if (i > 0)
            s += ';';
        s += celula_csv(celulas[i]);
    }
    return s + "\r\n";
}

bool exportar_csv(const RELATORIO& r, const std::string& caminho, std::string* erro)
{
    ARQUIVO_SEGURO arquivo(caminho);
    arquivo.escrever("\xEF\xBB\xBF");
    const bool so_uma = r.tabelas.size() == 1;
    bool primeira = true;
    for (const TABELA_RELATORIO& t : r.tabelas) {
        if (!primeira)
            arquivo.escrever("\r\n");
        primeira = false;
        // A lone table needs no title row: the file opens on its columns.
        if (!so_uma && !t.titulo.empty())
            arquivo.escrever(linha_csv({ CELULA::de_texto(t.titulo) }));
        std::vector<CELULA> titulos;
        for (const COLUNA_RELATORIO& c : t.colunas)
            titulos.push_back(CELULA::de_texto(c.titulo));
        arquivo.escrever(linha_csv(titulos));
        for (const LINHA_RELATORIO& l : t.linhas) {
            if (!arquivo.escrever(linha_csv(l.celulas)))
                break;
        }
        if (t.linhas.empty())
            arquivo.escrever(linha_csv({ CELULA::de_texto(t.vazia) }));
    }
    if (r.tabelas.empty())
        arquivo.escrever(linha_csv({ CELULA::de_texto(r.nada) }));
    if (!arquivo.confirmar()) {
        if (erro)
            *erro = arquivo.erro();
        return false;
    }
    return true;
}
