#include "relatorios/planilha.h"

#include <fstream>
#include <sstream>

#include <glib.h>

#include "relatorios/csv.h"
#include "util/utf8.h"
#include "util/validacao.h"

namespace {

// What Windows writes for 0x80 to 0x9F in its Latin-1; 0 where it has none
// (the byte then stands for the control character of that code).
const unsigned short WINDOWS_1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void acrescentar_codigo(std::string& s, unsigned codigo)
{
    char buf[8];
    const int n = g_unichar_to_utf8(codigo, buf);
    s.append(buf, static_cast<std::size_t>(n));
}

// The separator of the first row: the one of ";" and "," found more often
// outside quotes (";" when neither is).
char separador_de(const std::string& texto)
{
    int pontos_e_virgulas = 0, virgulas = 0;
    bool entre_aspas = false;
    for (char c : texto) {
        if (c == '"')
            entre_aspas = !entre_aspas;
        else if (!entre_aspas && (c == '\n' || c == '\r'))
            break;
        else if (!entre_aspas && c == ';')
            ++pontos_e_virgulas;
        else if (!entre_aspas && c == ',')
            ++virgulas;
    }
    return virgulas > pontos_e_virgulas ? ',' : ';';
}

bool em_branco(const std::vector<std::string>& campos)
{
    for (const std::string& c : campos) {
        if (!aparado(c).empty())
            return false;
    }
    return true;
}

} // namespace

std::string latin1_para_utf8(const std::string& bytes)
{
    std::string s;
    s.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char c : bytes) {
        if (c < 0x80)
            s += static_cast<char>(c);
        else if (c < 0xA0 && WINDOWS_1252[c - 0x80] != 0)
            acrescentar_codigo(s, WINDOWS_1252[c - 0x80]);
        else
            acrescentar_codigo(s, c);
    }
    return s;
}

bool ler_planilha(const std::string& bytes, PLANILHA* p, std::string* erro)
{
    *p = PLANILHA();
    std::string texto = bytes;
    if (texto.compare(0, 3, "\xEF\xBB\xBF") == 0)
        texto.erase(0, 3);
    if (aparado(texto).empty()) {
        *erro = "O arquivo está vazio: não há nada a importar.";
        return false;
    }
    if (texto.find('\0') != std::string::npos) {
        *erro = "O arquivo não é uma planilha em texto (CSV): salve-a como CSV e tente de novo.";
        return false;
    }
    if (utf8_valido(texto)) {
        p->codificacao = "UTF-8";
    } else {
        p->codificacao = "Latin-1";
        texto = latin1_para_utf8(texto);
    }
    p->separador = separador_de(texto);

    // Fields one character at a time: a quote opens a quoted field only at
    // its start, and inside one two quotes are one.
    std::vector<std::vector<std::string>> linhas;
    std::vector<int> inicios;
    std::vector<std::string> campos;
    std::string campo;
    bool entre_aspas = false, citado = false;
    int linha = 1, inicio = 1, abriu = 0;
    const auto fechar_linha = [&] {
        campos.push_back(campo);
        linhas.push_back(campos);
        inicios.push_back(inicio);
        campos.clear();
        campo.clear();
        citado = false;
    };
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (entre_aspas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') {
                campo += '"';
                ++i;
            } else if (c == '"') {
                entre_aspas = false;
            } else {
                if (c == '\n')
                    ++linha;
                campo += c;
            }
        } else if (c == '"' && campo.empty() && !citado) {
            entre_aspas = citado = true;
            abriu = linha;
        } else if (c == p->separador) {
            campos.push_back(campo);
            campo.clear();
            citado = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            fechar_linha();
            inicio = ++linha;
        } else {
            campo += c;
        }
    }
    if (entre_aspas) {
        *erro = "Linha " + std::to_string(abriu) + ": um campo abre aspas e não as fecha; corrija o arquivo e tente de novo.";
        return false;
    }
    if (!campo.empty() || !campos.empty() || citado)
        fechar_linha();

    std::size_t k = 0;
    while (k < linhas.size() && em_branco(linhas[k]))
        ++k;
    if (k == linhas.size()) {
        *erro = "O arquivo está vazio: não há nada a importar.";
        return false;
    }
    for (const std::string& t : linhas[k])
        p->titulos.push_back(aparado(texto_digitado(t)));
    for (++k; k < linhas.size(); ++k) {
        if (em_branco(linhas[k]))
            continue;
        LINHA_PLANILHA l;
        l.linha = inicios[k];
        for (const std::string& c : linhas[k])
            l.campos.push_back(texto_digitado(c));
        // Empty fields after the last title, as spreadsheets leave them, say nothing.
        if (l.campos.size() > p->titulos.size()) {
            const std::vector<std::string> demais(l.campos.begin() + static_cast<long>(p->titulos.size()), l.campos.end());
            if (p->linha_longa == 0 && !em_branco(demais))
                p->linha_longa = l.linha;
        }
        l.campos.resize(p->titulos.size());
        p->linhas.push_back(l);
    }
    return true;
}

bool abrir_planilha(const std::string& caminho, PLANILHA* p, std::string* erro)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    std::ostringstream bytes;
    if (arquivo)
        bytes << arquivo.rdbuf();
    if (!arquivo || arquivo.bad()) {
        *p = PLANILHA();
        *erro = "Não foi possível ler o arquivo " + caminho + ".";
        return false;
    }
    return ler_planilha(bytes.str(), p, erro);
}

std::string texto_digitado(const std::string& campo)
{
    if (!campo.empty() && campo[0] == '\'' && parece_formula(campo.substr(1)))
        return campo.substr(1);
    return campo;
}

bool data_da_planilha(const std::string& texto, std::string* ddmmaaaa)
{
    const std::string t = aparado(texto);
    const std::size_t b1 = t.find('/');
    const std::size_t b2 = b1 == std::string::npos ? b1 : t.find('/', b1 + 1);
    if (b2 == std::string::npos)
        return false;
    std::string dia = t.substr(0, b1), mes = t.substr(b1 + 1, b2 - b1 - 1);
    if (dia.size() == 1)
        dia = "0" + dia;
    if (mes.size() == 1)
        mes = "0" + mes;
    const std::string d = dia + "/" + mes + "/" + t.substr(b2 + 1);
    if (!data_valida(d))
        return false;
    *ddmmaaaa = d;
    return true;
}

bool sim_ou_nao(const std::string& texto, bool* sim)
{
    static const char* const SIM[] = { "sim", "s", "x", "1", "verdadeiro", "true" };
    static const char* const NAO[] = { "", "não", "nao", "n", "0", "falso", "false" };
    const std::string t = comparavel(texto);
    if (um_de(t, SIM)) {
        *sim = true;
        return true;
    }
    if (um_de(t, NAO)) {
        *sim = false;
        return true;
    }
    return false;
}

std::string aparado(const std::string& texto)
{
    const char* const BRANCOS = " \t\r\n";
    const std::size_t a = texto.find_first_not_of(BRANCOS);
    if (a == std::string::npos)
        return std::string();
    return texto.substr(a, texto.find_last_not_of(BRANCOS) - a + 1);
}

std::string comparavel(const std::string& texto)
{
    const std::string t = aparado(texto);
    if (!g_utf8_validate(t.data(), static_cast<gssize>(t.size()), nullptr))
        return t;
    gchar* normal = g_utf8_normalize(t.data(), static_cast<gssize>(t.size()), G_NORMALIZE_NFC);
    gchar* minusculo = g_utf8_strdown(normal, -1);
    std::string s = minusculo;
    g_free(minusculo);
    g_free(normal);
    return s;
}
