#include "support/proxy_tcp.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace teste {

namespace {

int conectar_local(int porta)
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(porta));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s >= 0 && connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        s = -1;
    }
    return s;
}

// Moves what `de` has to `para`; false when either end closed.
bool passar(int de, int para)
{
    char buffer[16384];
    const ssize_t n = read(de, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    for (ssize_t feito = 0; feito < n;) {
        const ssize_t m = write(para, buffer + feito, static_cast<size_t>(n - feito));
        if (m <= 0)
            return false;
        feito += m;
    }
    return true;
}

} // namespace

ProxyTcp::ProxyTcp(int destino) : destino_(destino)
{
    escuta_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_port = 0;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof a;
    if (escuta_ < 0 || bind(escuta_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(escuta_, 16) != 0 ||
        getsockname(escuta_, reinterpret_cast<sockaddr*>(&a), &tamanho) != 0)
        throw std::runtime_error("the relay could not listen");
    porta_ = ntohs(a.sin_port);
    fio_ = std::thread([this] { rodar(); });
}

ProxyTcp::~ProxyTcp()
{
    parar_ = true;
    fio_.join();
    close(escuta_);
}

void ProxyTcp::rodar()
{
    struct Par
    {
        int cliente;
        int servidor;   // -1: nowhere
    };
    std::vector<Par> pares;
    while (!parar_) {
        std::vector<pollfd> p;
        p.push_back(pollfd { escuta_, POLLIN, 0 });
        const bool congelado = congelado_;
        for (const Par& par : pares) {
            // Frozen, nothing is read: what each end sends waits unread.
            const short eventos = congelado || par.servidor < 0 ? 0 : POLLIN;
            p.push_back(pollfd { par.cliente, eventos, 0 });
            p.push_back(pollfd { par.servidor, eventos, 0 });
        }
        if (poll(p.data(), p.size(), 20) <= 0)
            continue;
        std::vector<Par> vivos;
        for (std::size_t i = 0; i < pares.size(); ++i) {
            const Par& par = pares[i];
            const short ec = p[1 + 2 * i].revents;
            const short es = p[2 + 2 * i].revents;
            bool vivo = !(destino_ && par.servidor < 0);
            if (vivo && (ec & (POLLIN | POLLHUP | POLLERR)))
                vivo = passar(par.cliente, par.servidor);
            if (vivo && (es & (POLLIN | POLLHUP | POLLERR)))
                vivo = passar(par.servidor, par.cliente);
            if (vivo) {
                vivos.push_back(par);
            } else {
                close(par.cliente);
                if (par.servidor >= 0)
                    close(par.servidor);
            }
        }
        // A new connection joins once the ones polled are done with.
        if (p[0].revents & POLLIN) {
            const int c = accept(escuta_, nullptr, nullptr);
            if (c >= 0)
                vivos.push_back(Par { c, destino_ ? conectar_local(destino_) : -1 });
        }
        pares.swap(vivos);
    }
    for (const Par& par : pares) {
        close(par.cliente);
        if (par.servidor >= 0)
            close(par.servidor);
    }
}

PortaTemporaria::PortaTemporaria(const std::string& porta)
{
    const char* antes = std::getenv("PGPORT");
    havia_ = antes != nullptr;
    antes_ = antes ? antes : "";
    setenv("PGPORT", porta.c_str(), 1);
}

PortaTemporaria::~PortaTemporaria()
{
    if (havia_)
        setenv("PGPORT", antes_.c_str(), 1);
    else
        unsetenv("PGPORT");
}

} // namespace teste
