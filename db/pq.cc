#include "db/pq.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace pq {

namespace {

// The name of libpq 15's ABI, which every libpq since 2005 keeps; the
// override is for trying the program against another build of it.
const char* biblioteca()
{
    const char* outra = std::getenv("ZUMBREL_LIBPQ");
    return outra && *outra ? outra : "libpq.so.5";
}

struct CARGA
{
    FUNCOES funcoes;
    bool carregada = false;
    std::string erro;
};

const FUNCOES nenhuma;

CARGA& carga()
{
    static CARGA c;
    return c;
}

std::once_flag uma_vez;

void carregar_uma_vez()
{
    CARGA& c = carga();
    // Local: its names serve the calls made through these pointers only,
    // and do not lengthen the lookups of every other library.
    void* h = dlopen(biblioteca(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = dlerror();
        c.erro = std::string("a biblioteca do PostgreSQL (") + biblioteca() + ") não pôde ser carregada: " +
                 (e ? e : "motivo desconhecido");
        return;
    }
    FUNCOES f;
    std::string faltam;
#define ZUMBREL_PQ_ACHAR(nome)                                                                                 \
    f.nome = reinterpret_cast<decltype(f.nome)>(dlsym(h, #nome));                                              \
    if (!f.nome)                                                                                               \
        faltam += std::string(faltam.empty() ? "" : ", ") + #nome;
    ZUMBREL_PQ_FUNCOES(ZUMBREL_PQ_ACHAR)
#undef ZUMBREL_PQ_ACHAR
    if (!faltam.empty()) {
        // An older libpq: none of it is used, rather than some of it.
        c.erro = std::string("a biblioteca do PostgreSQL (") + biblioteca() + ") é antiga demais: faltam " + faltam;
        dlclose(h);
        return;
    }
    c.funcoes = f;
    c.carregada = true;
    detalhe::achadas.store(&c.funcoes, std::memory_order_release);
}

} // namespace

bool carregar(std::string* erro)
{
    std::call_once(uma_vez, carregar_uma_vez);
    if (!carga().carregada && erro)
        *erro = carga().erro;
    return carga().carregada;
}

namespace detalhe {

std::atomic<const FUNCOES*> achadas{ nullptr };

const FUNCOES& carregando()
{
    carregar();
    const FUNCOES* f = achadas.load(std::memory_order_acquire);
    return f ? *f : nenhuma;
}

} // namespace detalhe

} // namespace pq
