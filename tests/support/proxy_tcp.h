// A TCP relay on this machine between the program and a database server, for
// tests of a link that dies: it passes bytes both ways until it is frozen,
// then keeps every connection open and passes nothing, as a cable cut
// without either end being told. Without a destination it is a server that
// accepts connections and never answers.
#ifndef ZUMBREL_TESTS_SUPPORT_PROXY_TCP_H
#define ZUMBREL_TESTS_SUPPORT_PROXY_TCP_H

#include <atomic>
#include <string>
#include <thread>

namespace teste {

class ProxyTcp
{
public:
    // Listens on 127.0.0.1 at a free port and relays to 127.0.0.1:destino
    // (0: relays nowhere, never answers).
    explicit ProxyTcp(int destino = 0);
    ~ProxyTcp();
    ProxyTcp(const ProxyTcp&) = delete;
    ProxyTcp& operator=(const ProxyTcp&) = delete;

    std::string porta() const { return std::to_string(porta_); }
    // Frozen: nothing more goes either way (what was sent waits); thawed:
    // it flows again.
    void congelar(bool sim) { congelado_ = sim; }

private:
    void rodar();

    int destino_;
    int porta_ = 0;
    int escuta_ = -1;
    std::atomic<bool> congelado_ { false };
    std::atomic<bool> parar_ { false };
    std::thread fio_;
};

// Points PGPORT somewhere until the object ends.
class PortaTemporaria
{
public:
    explicit PortaTemporaria(const std::string& porta);
    ~PortaTemporaria();
    PortaTemporaria(const PortaTemporaria&) = delete;
    PortaTemporaria& operator=(const PortaTemporaria&) = delete;

private:
    bool havia_;
    std::string antes_;
};

} // namespace teste

#endif // ZUMBREL_TESTS_SUPPORT_PROXY_TCP_H
