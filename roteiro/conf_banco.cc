#include "roteiro/conf_banco.h"

#include <fstream>
#include <sys/stat.h>

namespace teste {

std::string escrever_db_conf(const std::string& pasta, const ConfBanco& conf)
{
    mkdir(pasta.c_str(), 0700);
    const std::string dir = pasta + "/conf";
    mkdir(dir.c_str(), 0700);
    const std::string caminho = dir + "/db.conf";
    std::ofstream f(caminho.c_str());
    f << "host=" << conf.host << "\n"
      << "banco=" << conf.banco << "\n"
      << "usuario=" << conf.usuario << "\n"
      << "senha=" << conf.senha << "\n"
      << "ssl=" << conf.ssl << "\n";
    return caminho;
}

} // namespace teste
