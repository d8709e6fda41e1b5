#include "support/leitura_arquivos.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace teste {

std::string ler_arquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool existe(const std::string& caminho)
{
    struct stat st;
    return ::stat(caminho.c_str(), &st) == 0;
}

std::vector<std::string> nomes_na_pasta(const std::string& pasta)
{
    std::vector<std::string> nomes;
    DIR* d = opendir(pasta.c_str());
    for (dirent* e = d ? readdir(d) : nullptr; e; e = readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..")
            nomes.push_back(n);
    }
    if (d)
        closedir(d);
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

std::vector<std::vector<std::string>> ler_csv(const std::string& texto)
{
    std::vector<std::vector<std::string>> linhas;
    std::size_t i = texto.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::vector<std::string> linha;
    std::string campo;
    bool entre_aspas = false, algo = false;
    for (; i < texto.size(); ++i) {
        const char c = texto[i];
        if (entre_aspas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"') {
                campo += '"';
                ++i;
            } else if (c == '"') {
                entre_aspas = false;
            } else {
                campo += c;
            }
        } else if (c == '"') {
            entre_aspas = true;
            algo = true;
        } else if (c == ';') {
            linha.push_back(campo);
            campo.clear();
            algo = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            if (algo || !campo.empty())
                linha.push_back(campo);
            linhas.push_back(linha);
            linha.clear();
            campo.clear();
            algo = false;
        } else {
            campo += c;
        }
    }
    if (algo || !campo.empty()) {
        linha.push_back(campo);
        linhas.push_back(linha);
    }
    return linhas;
}

std::string rodar_comando(const std::string& comando, int* status)
{
    std::string saida;
    FILE* p = popen(comando.c_str(), "r");
    if (!p) {
        if (status)
            *status = -1;
        return saida;
    }
    char bloco[4096];
    std::size_t n;
    while ((n = fread(bloco, 1, sizeof bloco, p)) > 0)
        saida.append(bloco, n);
    const int s = pclose(p);
    if (status)
        *status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return saida;
}

namespace {

std::string aspas(const std::string& caminho)
{
    std::string s = "'";
    for (char c : caminho)
        s += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return s + "'";
}

} // namespace

std::string texto_pdf(const std::string& caminho)
{
    return rodar_comando("pdftotext -layout -enc UTF-8 " + aspas(caminho) + " - 2>/dev/null");
}

std::string qr_do_pdf(const std::string& caminho)
{
    const std::string imagem = caminho + ".qr";
    rodar_comando("pdftoppm -png -r 150 -f 1 -l 1 -singlefile " + aspas(caminho) + " " + aspas(imagem) +
                  " 2>/dev/null");
    const std::string lido = rodar_comando("zbarimg --raw -q " + aspas(imagem + ".png") + " 2>/dev/null");
    std::remove((imagem + ".png").c_str());
    return lido;
}

int paginas_pdf(const std::string& caminho)
{
    int status = 0;
    const std::string info = rodar_comando("pdfinfo " + aspas(caminho) + " 2>/dev/null", &status);
    const std::size_t p = info.find("Pages:");
    if (status != 0 || p == std::string::npos)
        return -1;
    return std::atoi(info.c_str() + p + 6);
}

} // namespace teste
