#include "relatorios/arquivo_seguro.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How much is gathered before it is written.
const std::size_t BLOCO = 64 * 1024;

} // namespace

std::string motivo_do_sistema(int numero)
{
    switch (numero) {
    case ENOENT:
    case ENOTDIR:
        return "a pasta não existe";
    case EACCES:
    case EPERM:
        return "não há permissão para gravar nessa pasta";
    case EROFS:
        return "o disco é somente para leitura";
    case ENOSPC:
    case EDQUOT:
        return "o disco está cheio";
    case EISDIR:
        return "esse nome é o de uma pasta";
    case ENAMETOOLONG:
        return "o nome é longo demais";
    default:
        return std::strerror(numero);
    }
}

ARQUIVO_SEGURO::ARQUIVO_SEGURO(const std::string& destino) : destino_(destino)
{
    if (destino.empty()) {
        erro_ = "Escolha o nome do arquivo a gravar.";
        return;
    }
    struct stat st;
    if (::stat(destino.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        falhar(EISDIR);
        return;
    }
    std::vector<char> modelo(destino.begin(), destino.end());
    const char sufixo[] = ".gravando-XXXXXX";
    modelo.insert(modelo.end(), sufixo, sufixo + sizeof sufixo);
    descritor_ = ::mkstemp(modelo.data());
    if (descritor_ < 0) {
        falhar(errno);
        return;
    }
    temporario_ = modelo.data();
    // mkstemp makes it private; the finished file gets the usual rights.
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    ::fchmod(descritor_, 0666 & ~mascara);
}

ARQUIVO_SEGURO::~ARQUIVO_SEGURO()
{
    if (descritor_ >= 0)
        ::close(descritor_);
    if (!temporario_.empty())
        ::unlink(temporario_.c_str());
}

void ARQUIVO_SEGURO::falhar(int numero)
{
    if (erro_.empty())
        erro_ = "Não foi possível gravar o arquivo " + destino_ + ": " + motivo_do_sistema(numero) + ".";
}

bool ARQUIVO_SEGURO::escrever(const char* dados, std::size_t n)
{
    if (!bom())
        return false;
    juntos_.append(dados, n);
    return juntos_.size() < BLOCO || descarregar();
}

bool ARQUIVO_SEGURO::descarregar()
{
    const char* dados = juntos_.data();
    std::size_t n = juntos_.size();
    while (n > 0) {
        const ssize_t k = ::write(descritor_, dados, n);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0) {
            falhar(k < 0 ? errno : ENOSPC);
            return false;
        }
        dados += k;
        n -= static_cast<std::size_t>(k);
    }
    juntos_.clear();
    return true;
}

bool ARQUIVO_SEGURO::confirmar()
{
    if (!bom() || !descarregar())
        return false;
    if (::fsync(descritor_) != 0) {
        falhar(errno);
        return false;
    }
    const int fechado = ::close(descritor_);
    descritor_ = -1;
    if (fechado != 0) {
        falhar(errno);
        return false;
    }
    if (::rename(temporario_.c_str(), destino_.c_str()) != 0) {
        falhar(errno);
        return false;
    }
    temporario_.clear();
    return true;
}
