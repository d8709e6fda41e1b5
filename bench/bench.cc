// Benchmark of the real program on a database of N users, apiaries and queen
// bees (N = 10,000 unless given). It makes a throwaway database, times the
// start of the built program until its login window is mapped, then drives
// the real interface object in-process (as the GUI tests do) and prints the
// median, p90 and max of each workload, from the click until the result is
// shown and the main loop is idle.
//
//   zumbrel_bench [N] [--runs R] [--budget S] [--program PATH] [--trace FILE]
//
// The server comes from ZUMBREL_BENCH_HOST, _PORT, _USER, _PASS (a role that
// may create databases); scripts/bench sets them up. The program's trace goes
// to FILE (a file in a temporary folder unless given); the figures go to
// standard output.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <glibmm/main.h>
#include <gtkmm/main.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>

#include "bench/banco_bench.h"
#include "bench/bench_relatorios.h"
#include "bench/inicio_programa.h"
#include "app/ajustes.h"
#include "bench/amostras.h"
#include "db/query.h"
#include "gui/colmeia_view.h"
#include "model/criacao.h"
#include "model/desempenho.h"
#include "model/diario.h"
#include "model/importacao.h"
#include "model/painel.h"
#include "model/pendencia.h"
#include "gui/janelas.h"
#include "gui/form_abelha.h"
#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_criacao.h"
#include "gui/form_florada.h"
#include "gui/form_genealogia.h"
#include "gui/form_lote_mel.h"
#include "gui/form_manejo_lote.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_rastreabilidade.h"
#include "gui/form_senha.h"
#include "gui/form_usuario.h"
#include "gui/painel.h"
#include "gui/sistemagui.h"
#include "relatorios/planilha.h"
#include "res/icone.h"
#include "roteiro/menu.h"
#include "roteiro/roteiro.h"

#ifndef ZUMBREL_SOURCE_DIR
#define ZUMBREL_SOURCE_DIR "."
#endif
#ifndef ZUMBREL_PROGRAMA
#define ZUMBREL_PROGRAMA "zumbrel"
#endif

using bench::Amostras;
using teste::Roteiro;
using teste::agora_ms;
using teste::item_menu;

namespace {

struct Opcoes
{
    int n = 10000;
    int vezes = 9;
    double orcamento_s = 45;
    std::string programa = ZUMBREL_PROGRAMA;
    std::string rastro;
    // "--only lots": the honey lots' workloads alone, after the login;
    // "--only rearing", "--only reports", "--only import", "--only panel":
    // queen rearing's, the reports', the import of a spreadsheet, the main
    // window's panel.
    std::string so;
};

// "--explain": each click's SELECTs, the first time the click is measured,
// read with EXPLAIN (ANALYZE, BUFFERS) to standard error.
bool explicar = false;

Opcoes ler_opcoes(int argc, char** argv)
{
    Opcoes o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto valor = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::runtime_error("missing value after " + a);
            return argv[++i];
        };
        if (a == "--runs")
            o.vezes = std::max(1, std::atoi(valor().c_str()));
        else if (a == "--budget")
            o.orcamento_s = std::atof(valor().c_str());
        else if (a == "--program")
            o.programa = valor();
        else if (a == "--trace")
            o.rastro = valor();
        else if (a == "--only")
            o.so = valor();
        else if (a == "--explain")
            explicar = true;
        else if (!a.empty() && a[0] != '-')
            o.n = std::max(10, std::atoi(a.c_str()));
        else
            throw std::runtime_error("unknown option " + a);
    }
    return o;
}

void clicar(Gtk::ToolButton* b)
{
    g_signal_emit_by_name(b->gobj(), "clicked");
}

void clicar_botao(Gtk::Button* b)
{
    b->clicked();
}

// The open form of that window id, as its class.
template <class F>
F* form_aberto(SISTEMAGUI& s, ids::Janela id)
{
    return dynamic_cast<F*>(s.formulario_aberto(id));
}

bool aberta(Formulario* f)
{
    return f && f->janela()->get_mapped();
}

// Notes in `desenho` when the list is first drawn after a key: the moment
// its drawing handler has run (an idle of the highest priority runs right
// after it).
void vigiar(Gtk::TreeView* lista, std::shared_ptr<double> desenho)
{
    lista->signal_expose_event().connect(
        [desenho](GdkEventExpose*) {
            if (*desenho < 0) {
                *desenho = 0;
                Glib::signal_idle().connect(
                    [desenho] {
                        *desenho = agora_ms();
                        return false;
                    },
                    Glib::PRIORITY_HIGH);
            }
            return false;
        },
        false);
}

// Keystrokes typed into a search's entry, each measured from the key until
// the search's list is first drawn after it (as `vigiar` notes); after each,
// the search's SELECT is timed alone through `bruto` (medir_com_bruto).
class TeclasBusca
{
public:
    TeclasBusca(std::function<Gtk::Entry*()> entry, std::shared_ptr<double> desenho,
                std::function<void(Roteiro&, const std::string&, std::function<void(Roteiro&)>)> bruto)
        : entry_(std::move(entry)), desenho_(std::move(desenho)), bruto_(std::move(bruto))
    {
    }

    void digitar(Roteiro& r, const std::string& rotulo, const char* texto) const
    {
        auto entry = entry_;
        medir(r, rotulo, [entry, texto] {
            int pos = entry()->get_text_length();
            entry()->insert_text(texto, std::strlen(texto), pos);
        });
    }

    void apagar(Roteiro& r, const std::string& rotulo) const
    {
        auto entry = entry_;
        medir(r, rotulo, [entry] {
            int n = entry()->get_text_length();
            entry()->delete_text(n - 1, n);
        });
    }

    void escrever(Roteiro& r, const std::string& texto) const
    {
        auto entry = entry_;
        r.passo([entry, texto] { entry()->set_text(texto); });
    }

private:
    void medir(Roteiro& r, const std::string& rotulo, std::function<void()> acao) const
    {
        auto desenho = desenho_;
        bruto_(r, rotulo, [rotulo, desenho, acao](Roteiro& rr) {
            rr.medir_visto(
                rotulo,
                [desenho, acao] {
                    *desenho = -1;
                    acao();
                },
                [desenho] { return *desenho > 0 ? *desenho : -1.0; });
        });
    }

    std::function<Gtk::Entry*()> entry_;
    std::shared_ptr<double> desenho_;
    std::function<void(Roteiro&, const std::string&, std::function<void(Roteiro&)>)> bruto_;
};

double percentil(std::vector<double> v, double p)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    std::size_t k = static_cast<std::size_t>(std::ceil(p * v.size()));
    return v[std::min(v.size() - 1, k == 0 ? 0 : k - 1)];
}

// Runs one SQL text that returns no rows; throws when it fails.
void comando_libpq(PGconn* c, const char* sql)
{
    PGresult* r = PQexec(c, sql);
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    const std::string erro = PQresultErrorMessage(r);
    PQclear(r);
    if (!ok)
        throw std::runtime_error(std::string("raw ") + sql + " failed: " + erro);
}

// Sends the statements of "Gerar Filhas" for `quantas` daughters of `mae`
// straight through libpq on one connection, one at a time and in one
// transaction, as the program does: the INSERT with its RETURNING, then the
// registry number's UPDATE, as the program words them.
double filhas_libpq(PGconn* c, int mae, int quantas, const std::string& data)
{
    char mae_txt[16];
    std::snprintf(mae_txt, sizeof mae_txt, "%05d", mae);
    const std::string insert = "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, "
                               "asa_cortada) values ( '', '" + data + "', 'false', " + std::to_string(mae) +
                               ", '', 'false') returning  id_abelha;";
    const double inicio = agora_ms();
    comando_libpq(c, "begin");
    for (int i = 0; i < quantas; ++i) {
        PGresult* r = PQexec(c, insert.c_str());
        if (PQresultStatus(r) != PGRES_TUPLES_OK || PQntuples(r) != 1)
            throw std::runtime_error(std::string("raw insert failed: ") + PQresultErrorMessage(r));
        int id = std::atoi(PQgetvalue(r, 0, 0));
        PQclear(r);
        char rgn[32];
        std::snprintf(rgn, sizeof rgn, "%05d-%s", id, mae_txt);
        const std::string update = std::string("update cadastro.abelha_rainha set  rgn='") + rgn +
                                   "' WHERE id_abelha=" + std::to_string(id);
        r = PQexec(c, update.c_str());
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            throw std::runtime_error(std::string("raw update failed: ") + PQresultErrorMessage(r));
        PQclear(r);
    }
    comando_libpq(c, "commit");
    return agora_ms() - inicio;
}

// The name under which the bare SELECT of a list workload is kept.
std::string nome_bruto(const std::string& nome)
{
    return nome + " [bare SELECT]";
}

// Where the program's trace (its standard output, a file here) stands now.
long marca_rastro()
{
    std::fflush(stdout);
    return std::ftell(stdout);
}

// The SELECT statements the program traced since `desde`, in order.
std::vector<std::string> selects_desde(const std::string& rastro, long desde)
{
    std::fflush(stdout);
    std::ifstream f(rastro.c_str());
    f.seekg(desde);
    std::vector<std::string> achados;
    std::string linha;
    while (std::getline(f, linha)) {
        if (linha.compare(0, 7, "select ") == 0)
            achados.push_back(linha);
    }
    return achados;
}

// The plan the server ran the statement with, its times and the pages it
// read, to standard error under the click's name.
void explicar_libpq(PGconn* c, const std::string& nome, const std::string& sql)
{
    PGresult* r = PQexec(c, ("EXPLAIN (ANALYZE, BUFFERS) " + sql).c_str());
    std::fprintf(stderr, "EXPLAIN of %s: %.300s\n", nome.c_str(), sql.c_str());
    for (int i = 0; PQresultStatus(r) == PGRES_TUPLES_OK && i < PQntuples(r); ++i)
        std::fprintf(stderr, "  %s\n", PQgetvalue(r, i, 0));
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        std::fprintf(stderr, "  %s", PQresultErrorMessage(r));
    PQclear(r);
}

// Lays out a click that lists rows, measured, and then every SELECT the
// click sent, each through libpq alone; their sum is kept under the bare
// name: the database's own share of the click.
void medir_com_bruto(Roteiro& r, Amostras& a, const std::string& rastro, PGconn* bruta, const std::string& nome,
                     std::function<void(Roteiro&)> medir)
{
    auto inicio = std::make_shared<long>(0);
    r.passo([inicio] { *inicio = marca_rastro(); });
    medir(r);
    r.passo([&a, rastro, bruta, nome, inicio] {
        double soma = 0;
        const bool primeira = a.de(nome_bruto(nome)).empty();
        for (const std::string& sql : selects_desde(rastro, *inicio)) {
            soma += bench::selecao_bruta(bruta, sql);
            if (explicar && primeira)
                explicar_libpq(bruta, nome, sql);
        }
        a.juntar(nome_bruto(nome), soma);
    });
}

// Measures a click that lists rows, and its SELECTs alone.
void medir_lista(Roteiro& r, Amostras& a, const std::string& rastro, PGconn* bruta, const std::string& nome,
                 std::function<void()> acao, std::function<bool()> pronto)
{
    medir_com_bruto(r, a, rastro, bruta, nome, [nome, acao, pronto](Roteiro& rr) { rr.medir(nome, acao, pronto); });
}

// The server settings that decide what a save costs, as "fsync=on, ...".
std::string configuracao_servidor(PGconn* c)
{
    std::string texto;
    for (const char* nome : { "fsync", "synchronous_commit", "full_page_writes" }) {
        PGresult* r = PQexec(c, (std::string("SHOW ") + nome).c_str());
        const std::string valor =
            PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1 ? PQgetvalue(r, 0, 0) : "?";
        PQclear(r);
        texto += (texto.empty() ? "" : ", ") + std::string(nome) + "=" + valor;
    }
    return texto;
}

// The process's peak resident memory so far (VmHWM), in MB.
double pico_mb()
{
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha)) {
        if (linha.rfind("VmHWM:", 0) == 0)
            return std::atof(linha.c_str() + 6) / 1024.0;
    }
    return 0;
}

// The workloads on the running interface object.
// "Genealogia" of the bee the queen bee form shows, opened and closed again
// and again, beside its SELECT alone.
void medir_genealogia(Roteiro& r, Amostras& a, SISTEMAGUI& s, const std::string& rastro, PGconn* bruta,
                      const std::string& rotulo, const Opcoes& o)
{
    r.repetir(rotulo, o.vezes, o.orcamento_s, [&r, &a, &s, &rastro, bruta, rotulo] {
        medir_lista(r, a, rastro, bruta, rotulo, [&s] {
            form_aberto<FormAbelha>(s, ids::ABELHAS)->widgets().button_genealogia->clicked();
        }, [&s] {
            auto* g = form_aberto<FormGenealogia>(s, ids::GENEALOGIA);
            return g && g->janela()->get_mapped() && g->get_arvore();
        });
        r.passo([&s] { s.formulario_aberto(ids::GENEALOGIA)->janela()->hide(); });
        r.esperar([&s] { return s.formulario_aberto(ids::GENEALOGIA) == nullptr; }, "the lineage window to close");
    });
}

// The beehive window: opened, a hive chosen in its list (its inspections
// shown), and searched by a status and with nothing chosen (every hive).
void medir_colmeias(Roteiro& r, Amostras& a, SISTEMAGUI& s, const std::string& rastro, const Opcoes& o,
                    PGconn* bruta)
{
    auto colmeias = [&s] { return form_aberto<COLMEIA_VIEW>(s, ids::COLMEIAS); };
    auto pronta = [colmeias] {
        COLMEIA_VIEW* c = colmeias();
        return aberta(c) && c->get_lista_colmeias() && c->get_lista_colmeias()->children().size() > 0;
    };
    r.repetir("open beehives", o.vezes, o.orcamento_s, [&r, &a, &s, &rastro, bruta, pronta] {
        medir_lista(r, a, rastro, bruta, "Open form: beehives", [&s] { item_menu(s, ids::COLMEIAS).activate(); },
                    pronta);
        r.passo([&s] { s.formulario_aberto(ids::COLMEIAS)->janela()->hide(); });
    });
    r.passo([&s] { item_menu(s, ids::COLMEIAS).activate(); });
    r.esperar(pronta, "the beehive window");
    r.repetir("choose hive", o.vezes, o.orcamento_s, [&r, &a, &rastro, bruta, colmeias] {
        medir_lista(r, a, rastro, bruta, "Beehives: choose a hive in the list", [colmeias] {
            COLMEIA_VIEW* c = colmeias();
            Gtk::TreePath linha;
            linha.push_back(std::rand() % static_cast<int>(c->get_lista_colmeias()->children().size()));
            c->widgets().treeview_colmeias->get_selection()->select(linha);
        }, [colmeias] { return colmeias()->get_lista_revisoes()->children().size() > 0; });
    });
    // The journal of the hive shown (listed when it was chosen): an entry
    // opened in its dialog, until the dialog is mapped, and closed again.
    r.repetir("open journal entry", o.vezes, o.orcamento_s, [&r, &a, &rastro, bruta, colmeias] {
        r.passo([colmeias] {
            COLMEIA_VIEW* c = colmeias();
            // The first entry that is not an inspection (those open in the list above).
            for (const Gtk::TreeModel::Row& linha : c->get_lista_diario()->children()) {
                if (linha[c->colunas_lista().inteiros[0]] != static_cast<int>(Registro::REVISAO)) {
                    c->widgets().treeview_diario->get_selection()->select(linha);
                    break;
                }
            }
        });
        medir_lista(r, a, rastro, bruta, "Beehives: open a journal entry",
                    [colmeias] { clicar_botao(colmeias()->widgets().button_abrir_registro); },
                    [colmeias] { return colmeias()->get_dialogo_registro() && colmeias()->get_dialogo_registro()->get_mapped(); });
        r.passo([colmeias] { colmeias()->get_dialogo_registro()->response(Gtk::RESPONSE_CANCEL); });
        r.esperar([colmeias] { return !colmeias()->get_dialogo_registro(); }, "the entry dialog closed");
    });
    r.repetir("search hives", o.vezes, o.orcamento_s, [&r, &a, &rastro, bruta, colmeias] {
        r.passo([colmeias] { clicar_botao(colmeias()->widgets().button_cancelar_colmeia); });
        r.passo([colmeias] { colmeias()->widgets().combo_status->set_active(2); });
        medir_lista(r, a, rastro, bruta, "Beehives: search by a status",
                    [colmeias] { clicar_botao(colmeias()->widgets().button_pesquisar); }, [] { return true; });
        r.passo([colmeias] { colmeias()->widgets().combo_status->set_active(0); });
        medir_lista(r, a, rastro, bruta, "Beehives: search with nothing chosen (all hives)",
                    [colmeias] { clicar_botao(colmeias()->widgets().button_pesquisar); }, [] { return true; });
    });
    r.passo([&s] { s.formulario_aberto(ids::COLMEIAS)->janela()->hide(); });
}

// A batch window of the journal ("Tratamento em Lote") opened, every hive
// that has not ended listed to be ticked, and all of them ticked at once.
void medir_manejo_lote(Roteiro& r, Amostras& a, SISTEMAGUI& s, const std::string& rastro, const Opcoes& o,
                       PGconn* bruta)
{
    auto lote = [&s] { return form_aberto<FORM_MANEJO_LOTE>(s, ids::TRATAMENTO_LOTE); };
    auto pronta = [lote] { return aberta(lote()) && lote()->get_lista()->children().size() > 0; };
    r.repetir("open a batch window", o.vezes, o.orcamento_s, [&r, &a, &s, &rastro, bruta, pronta] {
        medir_lista(r, a, rastro, bruta, "Open form: batch treatment (every hive listed)",
                    [&s] { item_menu(s, ids::TRATAMENTO_LOTE).activate(); }, pronta);
        r.passo([&s] { s.formulario_aberto(ids::TRATAMENTO_LOTE)->janela()->hide(); });
    });
    r.passo([&s] { item_menu(s, ids::TRATAMENTO_LOTE).activate(); });
    r.esperar(pronta, "the batch treatment window");
    r.repetir("tick every hive", o.vezes, o.orcamento_s, [&r, lote] {
        r.medir("Batch treatment: tick every hive of every apiary", [lote] {
            lote()->widgets().combo_apiario->set_active(0);
            clicar_botao(lote()->widgets().button_marcar);
        }, [lote] { return !lote()->marcadas().empty(); });
        r.passo([lote] { clicar_botao(lote()->widgets().button_desmarcar); });
    });
    r.passo([&s] { s.formulario_aberto(ids::TRATAMENTO_LOTE)->janela()->hide(); });

    // The queen-rearing window, every batch listed (5,000 at N = 100,000).
    auto criacao = [&s] { return form_aberto<FORM_CRIACAO>(s, ids::CRIACAO_RAINHAS); };
    auto listada = [criacao] {
        FORM_CRIACAO* f = criacao();
        return aberta(f) && f->widgets().treeview_lotes->get_model() &&
               f->widgets().treeview_lotes->get_model()->children().size() > 0;
    };
    r.repetir("open the rearing window", o.vezes, o.orcamento_s, [&r, &a, &s, &rastro, bruta, listada] {
        medir_lista(r, a, rastro, bruta, "Open form: queen rearing (every batch listed)",
                    [&s] { item_menu(s, ids::CRIACAO_RAINHAS).activate(); }, listada);
        r.passo([&s] { s.formulario_aberto(ids::CRIACAO_RAINHAS)->janela()->hide(); });
    });
}

// Honey lots: the harvests of a season listed to build a lot from, and
// the trace of the newest lot (that of the first tenth of the hives: 1,000
// of them at N = 100,000), each beside its SELECTs alone.
void medir_lotes(Roteiro& r, Amostras& a, SISTEMAGUI& s, const std::string& rastro, const Opcoes& o, PGconn* bruta)
{
    auto lotes = [&s] { return form_aberto<FORM_LOTE_MEL>(s, ids::LOTES_MEL); };
    r.passo([&s] { item_menu(s, ids::LOTES_MEL).activate(); });
    r.esperar([lotes] { return aberta(lotes()); }, "the honey lots window");
    r.passo([lotes] {
        clicar(lotes()->widgets().button_novo);
        lotes()->widgets().entry_de->set_text("01/12/2025");
        lotes()->widgets().entry_ate->set_text("28/02/2026");
    });
    r.repetir("list harvests", o.vezes, o.orcamento_s, [&r, &a, &rastro, bruta, lotes] {
        medir_lista(r, a, rastro, bruta, "Honey lots: list a season's harvests",
                    [lotes] { clicar_botao(lotes()->widgets().button_buscar_colheitas); },
                    [lotes] { return lotes()->get_colheitas()->children().size() > 0; });
    });
    r.passo([lotes] { std::fprintf(stderr, "  %zu harvests listed\n", static_cast<std::size_t>(lotes()->get_colheitas()->children().size())); });
    r.passo([lotes] { clicar(lotes()->widgets().button_cancelar); });
    r.passo([lotes] { lotes()->janela()->hide(); });
    auto rastreio = [&s] { return form_aberto<FORM_RASTREABILIDADE>(s, ids::RASTREABILIDADE); };
    r.passo([&s] { item_menu(s, ids::RASTREABILIDADE).activate(); });
    r.esperar([rastreio] { return aberta(rastreio()); }, "the trace window");
    r.repetir("trace a lot", o.vezes, o.orcamento_s, [&r, &a, &rastro, bruta, rastreio] {
        // The click traces at once: the lines are there when it returns.
        medir_lista(r, a, rastro, bruta, "Rastreabilidade: trace the newest lot",
                    [rastreio] { clicar_botao(rastreio()->widgets().button_rastrear); },
                    [rastreio] { return !rastreio()->get_linhas().empty(); });
    });
    r.passo([rastreio] { std::fprintf(stderr, "  %zu trace lines\n", rastreio()->get_linhas().size()); });
    r.passo([rastreio] { rastreio()->janela()->hide(); });
}

// The keys of a thousand hives that have not ended and stand in neither
// apiary: those a move of 1,000 hives takes back and forth between the two.
std::vector<int> mil_colmeias(PGconn* c, int a, int b)
{
    PGresult* r = PQexec(c, ("select id_colmeia from cadastro.colmeia where status not in ('Morta', 'Vendida', "
                             "'Unida', 'Perdida') and id_apiario not in (" + std::to_string(a) + ", " +
                             std::to_string(b) + ") order by id_colmeia limit 1000").c_str());
    std::vector<int> ids;
    for (int i = 0; PQresultStatus(r) == PGRES_TUPLES_OK && i < PQntuples(r); ++i)
        ids.push_back(std::atoi(PQgetvalue(r, i, 0)));
    PQclear(r);
    return ids;
}

// One insert of a row for each hive, `linha` giving the values after the
// hive's key, sent raw through libpq in one transaction.
double insert_libpq(PGconn* c, const std::string& comeco, const std::vector<int>& colmeias, const std::string& linha)
{
    std::string sql = comeco + " values ";
    for (std::size_t i = 0; i < colmeias.size(); ++i)
        sql += (i ? ", (" : "(") + std::to_string(colmeias[i]) + ", " + linha + ")";
    const double inicio = agora_ms();
    comando_libpq(c, "begin");
    comando_libpq(c, sql.c_str());
    comando_libpq(c, "commit");
    return agora_ms() - inicio;
}

// A move and a treatment of 1,000 hives as the journal's windows store
// them (one statement through the program's data access), each beside the
// same insert sent raw in one transaction. The moves go back and forth
// between two apiaries, so that every one is a real move.
void medir_manejo(Roteiro& r, Amostras& a, QUERY& query, PGconn* bruta, const Opcoes& o)
{
    auto diario = std::make_shared<DIARIO>(&query);
    auto colmeias = std::make_shared<std::vector<int>>(mil_colmeias(bruta, 1, 2));
    r.repetir("journal of 1,000 hives", std::max(3, o.vezes / 3), o.orcamento_s, [&r, &a, bruta, diario, colmeias] {
        r.medir("Move 1,000 hives (one transaction)", [diario, colmeias] {
            MOVIMENTACOES m;
            m.data = "01/06/2026";
            m.id_destino = 1;
            m.finalidade = "Florada";
            if (!diario->mover(m, *colmeias))
                std::fprintf(stderr, "  the move failed: %s\n", diario->falha().mensagem.c_str());
        }, [] { return true; });
        r.passo([&a, bruta, colmeias] {
            a.juntar("Raw libpq: the same move insert in one transaction",
                     insert_libpq(bruta, "insert into cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, "
                                  "gta, finalidade, obs)", *colmeias, "'2026-06-01', 2, 2, '', 'Florada', ''"));
        });
        r.medir("Treat 1,000 hives (one transaction)", [diario, colmeias] {
            TRATAMENTOS t;
            t.id_produto = 1;
            t.inicio = "01/06/2026";
            t.fim = "20/06/2026";
            if (!diario->tratar(t, *colmeias))
                std::fprintf(stderr, "  the treatment failed: %s\n", diario->falha().mensagem.c_str());
        }, [] { return true; });
        r.passo([&a, bruta, colmeias] {
            a.juntar("Raw libpq: the same treatment insert in one transaction",
                     insert_libpq(bruta, "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim, dose, "
                                  "unidade, lote_produto, obs)", *colmeias, "1, '2026-06-01', '2026-06-20', null, '', '', ''"));
        });
    });
}

// A laying batch of breeder 10 with 100 new mating nuclei (hives of type
// Núcleo without a queen), stored raw and not timed: what registering 100
// laying queens starts from. Gives the batch's key and the nuclei.
std::pair<int, std::vector<int>> lote_de_cem(PGconn* c)
{
    PGresult* r = PQexec(c, "insert into cadastro.colmeia (tipo, status, id_apiario) select 'Núcleo', 'Ativa', 1 "
                            "from generate_series(1, 100) returning id_colmeia");
    std::vector<int> nucleos;
    for (int i = 0; PQresultStatus(r) == PGRES_TUPLES_OK && i < PQntuples(r); ++i)
        nucleos.push_back(std::atoi(PQgetvalue(r, i, 0)));
    PQclear(r);
    r = PQexec(c, "insert into cadastro.criacao (id_matriz, enxertia, larvas, aceitas_em, aceitas, operculadas_em, "
                  "operculadas, nucleos_em, nos_nucleos, nascidas_em, nascidas, postura_em, em_postura) values "
                  "(10, current_date - 40, 200, current_date - 39, 180, current_date - 35, 150, current_date - 30, "
                  "100, current_date - 28, 100, current_date - 10, 100) returning id_criacao");
    const int lote = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1 ? std::atoi(PQgetvalue(r, 0, 0)) : 0;
    PQclear(r);
    if (lote == 0 || nucleos.size() != 100)
        throw std::runtime_error("the batch of 100 nuclei could not be made");
    std::string sql = "insert into cadastro.criacao_nucleo (id_criacao, id_colmeia) values ";
    for (std::size_t i = 0; i < nucleos.size(); ++i)
        sql += (i ? ", (" : "(") + std::to_string(lote) + ", " + std::to_string(nucleos[i]) + ")";
    comando_libpq(c, sql.c_str());
    return { lote, nucleos };
}

// The statements that register the laying queens of those nuclei, sent
// raw through libpq one at a time in one transaction, as the program
// words them: the batch's new version, then for each queen her insert and
// registry number, the nucleus that gave her, the nucleus she heads and
// her mating at its apiary.
double rainhas_libpq(PGconn* c, int lote, const std::vector<int>& nucleos, const std::string& nascimento)
{
    const double inicio = agora_ms();
    comando_libpq(c, "begin");
    comando_libpq(c, ("update cadastro.criacao set  obs=obs WHERE id_criacao=" + std::to_string(lote)).c_str());
    for (int nucleo : nucleos) {
        const std::string insert = "insert into cadastro.abelha_rainha ( rgn, data_nasc, matriz, filha, cor_marcacao, "
                                   "asa_cortada) values ( '', '" + nascimento + "', 'false', 10, '', 'false') "
                                   "returning  id_abelha;";
        PGresult* r = PQexec(c, insert.c_str());
        if (PQresultStatus(r) != PGRES_TUPLES_OK || PQntuples(r) != 1)
            throw std::runtime_error(std::string("raw insert failed: ") + PQresultErrorMessage(r));
        const std::string id = PQgetvalue(r, 0, 0);
        PQclear(r);
        char rgn[32];
        std::snprintf(rgn, sizeof rgn, "%05d-00010", std::atoi(id.c_str()));
        comando_libpq(c, (std::string("update cadastro.abelha_rainha set  rgn='") + rgn + "' WHERE id_abelha=" + id).c_str());
        comando_libpq(c, ("update cadastro.criacao_nucleo set  id_abelha=" + id + " WHERE id_criacao=" +
                          std::to_string(lote) + " and id_colmeia=" + std::to_string(nucleo)).c_str());
        comando_libpq(c, ("update cadastro.colmeia set  id_abelha=" + id + " WHERE id_colmeia=" +
                          std::to_string(nucleo) + " and coalesce(id_abelha, 0)=0").c_str());
        comando_libpq(c, ("insert into cadastro.fecundacao ( id_abelha, tipo, id_apiario) values ( " + id +
                          ", 'Natural', (select n.id_apiario from cadastro.colmeia as n where n.id_colmeia = " +
                          std::to_string(nucleo) + "));").c_str());
    }
    comando_libpq(c, "commit");
    return agora_ms() - inicio;
}

// Queen rearing: the breeder table (every breeder queen's figures) and the
// list of what to do today that every login reads, each beside its SELECTs
// sent alone; and 100 laying queens of a batch entering the registry in
// one transaction, beside the same statements sent raw.
void medir_criacao(Roteiro& r, Amostras& a, QUERY& query, const std::string& rastro, PGconn* bruta, const Opcoes& o)
{
    auto desempenho = std::make_shared<DESEMPENHO>(&query);
    auto pendencias = std::make_shared<PENDENCIA>(&query);
    auto criacoes = std::make_shared<CRIACAO>(&query);
    auto lote = std::make_shared<CRIACOES>();
    r.repetir("queen rearing", std::max(3, o.vezes / 3), o.orcamento_s,
              [&r, &a, &rastro, bruta, desempenho, pendencias, criacoes, lote] {
        medir_lista(r, a, rastro, bruta, "Breeder table: every breeder queen's figures",
                    [desempenho] { desempenho->listar(); }, [] { return true; });
        medir_lista(r, a, rastro, bruta, "What to do today: the list read at login",
                    [pendencias] { pendencias->listar(); }, [] { return true; });
        r.passo([bruta, criacoes, lote] { *lote = criacoes->get_criacao(lote_de_cem(bruta).first); });
        r.medir("Register 100 laying queens of a batch (one transaction)", [criacoes, lote] {
            CRIACOES c = *lote;
            if (!criacoes->registrar_rainhas(&c, c.nucleos))
                std::fprintf(stderr, "  registering the queens failed: %s\n", criacoes->falha().motivo().c_str());
        }, [] { return true; });
        r.passo([&a, bruta, lote] {
            const auto [id, nucleos] = lote_de_cem(bruta);
            a.juntar("Raw libpq: the same statements for 100 queens in one transaction",
                     rainhas_libpq(bruta, id, nucleos, lote->etapas[NASCIDAS].data));
        });
    });
}

// A spreadsheet of 1,000 inspections, of up to 1,000 hives (a smaller
// database's hives taken again in turn), as "Importar Planilha" reads it,
// checks it and stores it in one transaction, beside the same rows inserted
// raw in one transaction.
void medir_importacao(Roteiro& r, Amostras& a, QUERY& query, PGconn* bruta, const Opcoes& o)
{
    auto importacao = std::make_shared<IMPORTACAO>(&query);
    auto planilha = std::make_shared<PLANILHA>();
    const std::vector<int> ativas = mil_colmeias(bruta, 1, 2);
    if (ativas.empty())
        return;
    auto colmeias = std::make_shared<std::vector<int>>();
    for (std::size_t i = 0; i < 1000; ++i)
        colmeias->push_back(ativas[i % ativas.size()]);
    auto arquivo = std::make_shared<std::string>("Colméia;Data;Status;Mel (kg);Observações\r\n");
    for (int id : *colmeias)
        *arquivo += std::to_string(id) + ";15/07/2026;Ativa;12,5;Importada de uma planilha\r\n";
    r.repetir("import of 1,000 inspections", std::max(3, o.vezes / 3), o.orcamento_s,
              [&r, &a, bruta, importacao, planilha, colmeias, arquivo] {
        r.medir("Read a spreadsheet of 1,000 inspections", [planilha, arquivo] {
            std::string erro;
            if (!ler_planilha(*arquivo, planilha.get(), &erro))
                std::fprintf(stderr, "  the spreadsheet was not read: %s\n", erro.c_str());
        }, [] { return true; });
        r.medir("Check 1,000 inspections of a spreadsheet", [importacao, planilha] {
            if (!importacao->conferir(TIPO_IMPORTACAO::REVISOES, *planilha).pronta())
                std::fprintf(stderr, "  the spreadsheet has rows with problems\n");
        }, [] { return true; });
        r.medir("Import 1,000 inspections (check, then one transaction)", [importacao, planilha] {
            if (!importacao->importar(TIPO_IMPORTACAO::REVISOES, *planilha))
                std::fprintf(stderr, "  the import failed: %s\n", importacao->falha().motivo().c_str());
        }, [] { return true; });
        r.passo([&a, bruta, colmeias] {
            a.juntar("Raw libpq: the same 1,000 inspections in one transaction",
                     insert_libpq(bruta, "insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs)",
                                  *colmeias, "'2026-07-15', 'Ativa', 12.5, 'Importada de uma planilha'"));
        });
    });
}

// The main window's panel: every apiary's hives by status, honey, withdrawals,
// last inspection and steps due, read (its SELECTs also sent alone) and then
// read and shown as F5 does. A season of harvests so far and some hives in
// withdrawal are added first, set-based, so that every part has rows to read.
void medir_painel(Roteiro& r, Amostras& a, SISTEMAGUI& s, QUERY& query, const std::string& rastro, PGconn* bruta,
                  const Opcoes& o)
{
    r.passo([bruta] {
        comando_libpq(bruta, "insert into cadastro.colheita (id_colmeia, data, mel_kg) "
                             "select id_colmeia, current_date - id_colmeia % 300, 5 + id_colmeia % 11 "
                             "from cadastro.colmeia where status not in ('Morta', 'Vendida', 'Unida', 'Perdida') "
                             "and current_date - id_colmeia % 300 >= date_trunc('year', current_date)");
        comando_libpq(bruta, "insert into cadastro.tratamento (id_colmeia, id_produto, inicio, fim) "
                             "select c.id_colmeia, p.id_produto, current_date - 3, current_date + 10 "
                             "from cadastro.colmeia c, cadastro.produto p where c.id_colmeia % 20 = 0 "
                             "and c.status not in ('Morta', 'Vendida', 'Unida', 'Perdida') "
                             "and p.nome like 'Tiras%'");
        comando_libpq(bruta, "analyze cadastro.colheita, cadastro.tratamento");
    });
    auto painel = std::make_shared<PAINEL>(&query);
    r.repetir("main window panel", o.vezes, o.orcamento_s, [&r, &a, &s, &rastro, bruta, painel] {
        medir_lista(r, a, rastro, bruta, "Main window panel: read", [painel] { painel->ler(); }, [] { return true; });
        r.medir("Main window panel: read and shown (F5)", [&s] {
            if (PAINEL_PRINCIPAL* p = s.get_painel())
                p->atualizar();
        }, [] { return true; });
    });
    r.passo([&s] {
        if (PAINEL_PRINCIPAL* p = s.get_painel())
            std::fprintf(stderr, "  the panel: %zu apiaries shown\n", p->get_quadro().apiarios.size());
    });
}

void montar_roteiro(Roteiro& r, Amostras& a, SISTEMAGUI& s, const std::string& rastro, const Opcoes& o,
                    PGconn* bruta, int linhagem_grande)
{
    const int vezes = o.vezes;
    const double orc = o.orcamento_s;
    // The moment a search list was last drawn (negative: not since the key).
    auto desenho = std::make_shared<double>(-1);
    auto bruto = [&a, &rastro, bruta](Roteiro& rr, const std::string& nome, std::function<void(Roteiro&)> medir) {
        medir_com_bruto(rr, a, rastro, bruta, nome, std::move(medir));
    };
    auto principal_visivel = [&s] {
        return s.get_janela_principal() && s.get_janela_principal()->get_mapped();
    };

    // Login until the main window is shown; logged out in between.
    r.repetir("login", std::max(3, vezes / 2), orc, [&r, &s, principal_visivel] {
        r.passo([&s] { s.get_janela_login()->show(); });
        r.medir("Login -> main window shown", [&s] {
            s.get_entry_login()->set_text("admin");
            s.get_entry_senha()->set_text("admin");
            s.get_button_ok()->clicked();
        }, principal_visivel);
        r.passo([&s] { s.get_janela_principal()->hide(); });
    });
    r.passo([&s] { s.get_janela_login()->show(); });
    r.passo([&s] {
        s.get_entry_login()->set_text("admin");
        s.get_entry_senha()->set_text("admin");
        s.get_button_ok()->clicked();
    });
    r.esperar(principal_visivel, "the main window");
    // The sample password brings the password window up with the main
    // window: left unchanged.
    r.passo([&s] {
        if (Formulario* f = s.formulario_aberto(ids::SENHA))
            f->janela()->hide();
    });
    r.passo([] { std::fprintf(stderr, "  peak resident memory after the login: %.1f MB\n", pico_mb()); });
    if (o.so == "lots") {
        medir_lotes(r, a, s, rastro, o, bruta);
        return;
    }
    if (o.so == "rearing" || o.so == "reports" || o.so == "import" || o.so == "panel")
        return;

    struct Form
    {
        ids::Janela id;
        const char* nome;
    };
    const Form forms[] = { { ids::USUARIOS, "users" }, { ids::APIARIOS, "apiaries" }, { ids::ABELHAS, "queen bees" } };
    for (const Form& fm : forms) {
        const ids::Janela id = fm.id;
        const std::string nome = fm.nome;
        auto pronta = [&s, id] {
            Formulario* f = s.formulario_aberto(id);
            return aberta(f) && f->widgets().label_contador->get_text().find(" / ") != Glib::ustring::npos;
        };
        r.repetir("open " + nome, vezes, orc, [&r, &a, &s, &rastro, bruta, id, nome, pronta] {
            medir_lista(r, a, rastro, bruta, "Open form: " + nome, [&s, id] { item_menu(s, id).activate(); }, pronta);
            r.passo([&s, id] { s.formulario_aberto(id)->janela()->hide(); });
        });

        // Browsing: First, Forward, Last, Back, one after another.
        r.passo([&s, id] { item_menu(s, id).activate(); });
        r.esperar(pronta, "form " + nome);
        r.repetir("browse " + nome, vezes, orc, [&r, &a, &s, &rastro, bruta, id, nome] {
            struct Botao
            {
                const char* rotulo;
                Gtk::ToolButton* BotoesForm::*membro;
            };
            static const Botao botoes[] = { { "First", &BotoesForm::button_primeiro },
                                            { "Forward", &BotoesForm::button_proximo },
                                            { "Last", &BotoesForm::button_ultimo },
                                            { "Back", &BotoesForm::button_anterior } };
            for (const Botao& b : botoes) {
                Gtk::ToolButton* BotoesForm::*membro = b.membro;
                medir_lista(r, a, rastro, bruta, std::string(b.rotulo) + ": " + nome,
                            [&s, id, membro] { clicar(s.formulario_aberto(id)->widgets().*membro); },
                            [] { return true; });
            }
        });

        if (id == ids::APIARIOS) {
            // Save of an edited apiary (the one in the middle of the list).
            r.passo([&s] {
                FormApiario* f = form_aberto<FormApiario>(s, ids::APIARIOS);
                clicar(f->widgets().button_primeiro);
            });
            r.repetir("save apiary", vezes, orc, [&r, &a, &s, &rastro, bruta] {
                r.passo([&s] {
                    FormApiario* f = form_aberto<FormApiario>(s, ids::APIARIOS);
                    clicar(f->widgets().button_editar);
                    f->widgets().entry_distrito->set_text("Distrito " + std::to_string(std::rand() % 1000));
                });
                medir_lista(r, a, rastro, bruta, "Save edited apiary", [&s] {
                    clicar(s.formulario_aberto(ids::APIARIOS)->widgets().button_salvar);
                }, [&s] { return !s.formulario_aberto(ids::APIARIOS)->widgets().button_salvar->is_sensitive(); });
            });

            // The apiary search, opened by Find.
            r.passo([&s] { clicar(s.formulario_aberto(ids::APIARIOS)->widgets().button_buscar); });
            r.esperar([&s] { return aberta(s.formulario_aberto(ids::BUSCA_APIARIO)); }, "the apiary search");
            r.passo([&s, desenho] {
                vigiar(form_aberto<FormBuscaApiario>(s, ids::BUSCA_APIARIO)->widgets().treeview_resultado, desenho);
            });
            r.repetir("apiary search", vezes, orc, [&r, &s, desenho, bruto] {
                const TeclasBusca teclas(
                    [&s] { return form_aberto<FormBuscaApiario>(s, ids::BUSCA_APIARIO)->widgets().entry_pesquisa; },
                    desenho, bruto);
                teclas.escrever(r, "Apiário Silva 12");
                teclas.digitar(r, "Apiary search: key narrowing to a few rows", "3");
                teclas.escrever(r, "");
                teclas.digitar(r, "Apiary search: first key 'A' (all rows)", "A");
                teclas.apagar(r, "Apiary search: backspace to empty (all rows)");
            });
            r.passo([&s] { s.formulario_aberto(ids::BUSCA_APIARIO)->janela()->hide(); });
        }

        if (id == ids::USUARIOS) {
            // The user search, opened by Find.
            r.passo([&s] { clicar(s.formulario_aberto(ids::USUARIOS)->widgets().button_buscar); });
            r.esperar([&s] { return aberta(s.formulario_aberto(ids::BUSCA_USUARIO)); }, "the user search");
            r.passo([&s, desenho] {
                vigiar(form_aberto<FormPesquisaUsuario>(s, ids::BUSCA_USUARIO)->widgets().treeview_usuarios, desenho);
            });
            r.repetir("user search", vezes, orc, [&r, &s, desenho, bruto] {
                const TeclasBusca teclas(
                    [&s] {
                        return form_aberto<FormPesquisaUsuario>(s, ids::BUSCA_USUARIO)->widgets().entry_pesquisa;
                    },
                    desenho, bruto);
                teclas.digitar(r, "User search: first key 'J'", "J");
                teclas.digitar(r, "User search: second key 'o'", "o");
                teclas.apagar(r, "User search: backspace");
                teclas.apagar(r, "User search: backspace to empty (all rows)");
            });
            r.passo([&s] { s.formulario_aberto(ids::BUSCA_USUARIO)->janela()->hide(); });
        }

        if (id == ids::ABELHAS) {
            // Save of an edited bee.
            r.passo([&s] { clicar(s.formulario_aberto(ids::ABELHAS)->widgets().button_primeiro); });
            r.passo([&s] { clicar(s.formulario_aberto(ids::ABELHAS)->widgets().button_proximo); });
            r.repetir("save bee", vezes, orc, [&r, &a, &s, &rastro, bruta] {
                r.passo([&s] {
                    FormAbelha* f = form_aberto<FormAbelha>(s, ids::ABELHAS);
                    clicar(f->widgets().button_editar);
                    if (f->widgets().radio_sim->get_active())
                        f->widgets().radio_nao->set_active(true);
                    else
                        f->widgets().radio_sim->set_active(true);
                });
                medir_lista(r, a, rastro, bruta, "Save edited bee",
                            [&s] { clicar(s.formulario_aberto(ids::ABELHAS)->widgets().button_salvar); },
                            [&s] {
                                return !s.formulario_aberto(ids::ABELHAS)->widgets().button_salvar->is_sensitive();
                            });
            });

            // "Genealogia" of the first bee, whose line holds most of the
            // bees (they descend from one another), of the last one, and of
            // the bee whose descendants come nearest 10,000.
            for (bool primeira : { true, false }) {
                r.passo([&s, primeira] {
                    FormAbelha* f = form_aberto<FormAbelha>(s, ids::ABELHAS);
                    clicar(primeira ? f->widgets().button_primeiro : f->widgets().button_ultimo);
                });
                medir_genealogia(r, a, s, rastro, bruta,
                                 primeira ? "Genealogia: first bee (most bees in its line)" : "Genealogia: last bee",
                                 o);
            }
            if (linhagem_grande > 0) {
                r.passo([&s, linhagem_grande] {
                    s.formulario_aberto(ids::ABELHAS)->receber_escolha(ids::GENEALOGIA, linhagem_grande);
                });
                medir_genealogia(r, a, s, rastro, bruta, "Genealogia: a bee with about 10,000 descendants", o);
            }

            // "Gerar Filhas" of 1,000 daughters of the first bee, and the
            // same statements sent raw through libpq.
            r.passo([&s] { clicar(s.formulario_aberto(ids::ABELHAS)->widgets().button_primeiro); });
            r.repetir("daughters", std::max(3, vezes / 3), orc * 2, [&r, &s, &a, bruta] {
                auto f = [&s] { return form_aberto<FormAbelha>(s, ids::ABELHAS); };
                auto contador = std::make_shared<std::string>();
                r.passo([f] { f()->widgets().button_gerar->clicked(); });
                r.esperar([f] { return f()->get_dialogo_filhas() && f()->get_dialogo_filhas()->get_mapped(); },
                          "the daughters dialog");
                r.medir("Gerar Filhas: 1,000 daughters", [f, contador] {
                    *contador = f()->widgets().label_contador->get_text();
                    f()->get_dialogo_filhas()->widgets().entry_quantidade->set_text("1000");
                    f()->get_dialogo_filhas()->widgets().entry_data->set_text("10/03/2011");
                    f()->get_dialogo_filhas()->response(Gtk::RESPONSE_OK);
                }, [f] {
                    // Stored, and the outcome said.
                    return f()->get_dialogo_filhas() == nullptr && teste::dialogo_visivel();
                });
                // Answered, the form shows the bees again, the daughters
                // among them: as long as any reload of the form.
                r.medir("Gerar Filhas: then the bees shown again", [] {
                    if (Gtk::MessageDialog* d = teste::dialogo_visivel()) {
                        if (d->property_text().get_value() != "1000 filhas cadastradas")
                            std::fprintf(stderr, "  Gerar Filhas said: %s\n", d->property_text().get_value().c_str());
                        d->response(Gtk::RESPONSE_CLOSE);
                    }
                }, [f, contador] {
                    return !teste::dialogo_visivel() && !f()->widgets().button_salvar->is_sensitive() &&
                           f()->widgets().label_contador->get_text() != *contador;
                });
                r.passo([&a, bruta] {
                    a.juntar("Raw libpq: the same 2,000 statements in one transaction",
                             filhas_libpq(bruta, 1, 1000, "10/03/2011"));
                });
            });
        }

        r.passo([&s, id] { s.formulario_aberto(id)->janela()->hide(); });
        r.passo([nome] {
            std::fprintf(stderr, "  peak resident memory after the %s: %.1f MB\n", nome.c_str(), pico_mb());
        });
    }
    medir_colmeias(r, a, s, rastro, o, bruta);
    medir_manejo_lote(r, a, s, rastro, o, bruta);
    r.passo([] { std::fprintf(stderr, "  peak resident memory after the beehives: %.1f MB\n", pico_mb()); });
    medir_lotes(r, a, s, rastro, o, bruta);
    r.passo([] { std::fprintf(stderr, "  peak resident memory after the honey lots: %.1f MB\n", pico_mb()); });
}

} // namespace

int main(int argc, char** argv)
{
    // As the program itself does.
    memoria_devolvida();
    Gtk::Main kit(argc, argv, true);
    Opcoes o;
    try {
        o = ler_opcoes(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }

    // The figures go to the standard output the benchmark was given; the
    // program's own trace goes to a file, as when it runs from a console
    // that is redirected.
    std::FILE* relatorio = fdopen(dup(1), "w");
    char modelo_pasta[] = "/tmp/zumbrel-bench.XXXXXX";
    const std::string pasta = mkdtemp(modelo_pasta);
    const std::string rastro = o.rastro.empty() ? pasta + "/trace.txt" : o.rastro;
    if (!std::freopen(rastro.c_str(), "w", stdout)) {
        std::fprintf(stderr, "cannot write the trace to %s\n", rastro.c_str());
        return 2;
    }
    saida_em_blocos();

    int saida = 0;
    Amostras a;
    std::string configuracao = "?";
    long memoria_kb = 0;
    try {
        bench::Servidor servidor = bench::Servidor::do_ambiente();
        setenv("PGPORT", servidor.porta.c_str(), 1);
        std::fprintf(stderr, "filling a throwaway database with %d users, apiaries and queen bees...\n", o.n);
        double t = agora_ms();
        bench::BancoBench banco(servidor, ZUMBREL_SOURCE_DIR);
        banco.preencher(o.n);
        std::fprintf(stderr, "  done in %.1f s\n", (agora_ms() - t) / 1000);
        const std::string conf = banco.escrever_conf(pasta);

        std::fprintf(stderr, "start-up of %s:\n", o.programa.c_str());
        // Each start beside a trivial gtkmm window's, taken in turn so that
        // both meet the machine as it is at the moment.
        for (int i = 0; i < std::max(3, o.vezes / 2); ++i) {
            const double trivial = bench::medir_inicio(ZUMBREL_JANELA_TRIVIAL, pasta, "/dev/null");
            if (trivial < 0)
                throw std::runtime_error("the trivial gtkmm window never showed up");
            a.juntar("Start -> a trivial gtkmm window mapped", trivial);
            double ms = bench::medir_inicio(o.programa, pasta, pasta + "/trace-inicio.txt");
            if (ms < 0)
                throw std::runtime_error("the login window of " + o.programa + " never showed up");
            a.juntar("Start -> login window mapped", ms);
        }

        std::fprintf(stderr, "the interface in-process:\n");
        {
            QUERY query(conf.c_str());
            if (!query.get_conectado())
                throw std::runtime_error("cannot connect: " + query.get_mensagem());
            PGconn* bruta = banco.conectar();
            SISTEMAGUI sistema(&query, Gdk::Pixbuf::create_from_xpm_data(pote_de_mel));
            Roteiro r(Roteiro::OCIOSO);
            r.ao_medir = [&a](const std::string& nome, double ms) { a.juntar(nome, ms); };
            configuracao = configuracao_servidor(bruta);
            // The bee, among the first ones, whose descendants come nearest
            // 10,000 (bee k's daughters are bees 2k and 2k + 1).
            const std::string linhagem = banco.valor(
                "with recursive d(id, raiz) as (select id_abelha, id_abelha from cadastro.abelha_rainha "
                "where id_abelha between 2 and 40 union all select a.id_abelha, d.raiz from "
                "cadastro.abelha_rainha a join d on a.filha = d.id) "
                "select raiz || ' ' || count(*) - 1 from d group by raiz order by abs(count(*) - 10001), raiz limit 1");
            const int linhagem_grande = std::atoi(linhagem.c_str());
            std::fprintf(stderr, "  the bee with about 10,000 descendants: bee %s\n", linhagem.c_str());
            montar_roteiro(r, a, sistema, rastro, o, bruta, linhagem_grande);
            // The journal's moves and treatments, the registering of a
            // batch's queens and the import are made, as the user makes
            // them, with a window open over the main one: the panel behind
            // is read once it is seen again (measured below), not after each.
            const bool por_cima = o.so.empty() || o.so == "rearing" || o.so == "import";
            if (por_cima) {
                r.passo([&sistema] { item_menu(sistema, ids::COLMEIAS).activate(); });
                r.esperar([&sistema] { return aberta(form_aberto<COLMEIA_VIEW>(sistema, ids::COLMEIAS)); },
                          "the beehive window");
            }
            if (o.so.empty())
                medir_manejo(r, a, query, bruta, o);
            if (o.so.empty() || o.so == "rearing")
                medir_criacao(r, a, query, rastro, bruta, o);
            if (o.so.empty() || o.so == "import")
                medir_importacao(r, a, query, bruta, o);
            if (por_cima) {
                r.passo([&sistema] { sistema.formulario_aberto(ids::COLMEIAS)->janela()->hide(); });
                r.esperar([&sistema] { return !sistema.formulario_aberto(ids::COLMEIAS); }, "the beehive window closed");
            }
            if (o.so.empty() || o.so == "panel")
                medir_painel(r, a, sistema, query, rastro, bruta, o);
            if (!r.executar(nullptr, 0)) {
                std::fprintf(stderr, "benchmark failed: %s\n", r.erro().c_str());
                saida = 1;
            }
            if (o.so.empty() || o.so == "reports")
                bench::medir_relatorios(a, query, bruta, pasta, o.vezes, pico_mb);
            PQfinish(bruta);
            struct rusage uso;
            getrusage(RUSAGE_SELF, &uso);
            memoria_kb = uso.ru_maxrss;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        saida = 1;
    }
    std::fflush(stdout);

    char quando[64];
    std::time_t agora = std::time(nullptr);
    std::strftime(quando, sizeof quando, "%Y-%m-%d %H:%M", std::localtime(&agora));
    std::fprintf(relatorio, "Zumbrel benchmark, N = %d (users, apiaries, queen bees), %ld cores, %s\n", o.n,
                 sysconf(_SC_NPROCESSORS_ONLN), quando);
    std::fprintf(relatorio, "Server settings: %s\n", configuracao.c_str());
    // Beside each click that lists rows: the median of the same SELECT sent
    // through libpq alone, and the click's median over it.
    std::fprintf(relatorio, "%-56s %4s %10s %10s %10s %10s %6s\n", "workload (ms)", "runs", "median", "p90", "max",
                 "bare SQL", "ratio");
    for (const std::string& nome : a.nomes()) {
        const std::vector<double>& v = a.de(nome);
        if (nome.size() > 14 && nome.compare(nome.size() - 14, 14, " [bare SELECT]") == 0)
            continue;
        std::fprintf(relatorio, "%-56s %4zu %10.1f %10.1f %10.1f", nome.c_str(), v.size(), percentil(v, 0.5),
                     percentil(v, 0.9), percentil(v, 1.0));
        const std::vector<double>& b = a.de(nome_bruto(nome));
        if (!b.empty())
            std::fprintf(relatorio, " %10.1f %6.2f", percentil(b, 0.5), percentil(v, 0.5) / percentil(b, 0.5));
        std::fprintf(relatorio, "\n");
    }
    const std::vector<double>& inicio = a.de("Start -> login window mapped");
    const std::vector<double>& trivial = a.de("Start -> a trivial gtkmm window mapped");
    if (!inicio.empty() && !trivial.empty())
        std::fprintf(relatorio, "Start of the program / of a trivial gtkmm window (medians): %.2f\n",
                     percentil(inicio, 0.5) / percentil(trivial, 0.5));
    const std::vector<double>& gerar = a.de("Gerar Filhas: 1,000 daughters");
    const std::vector<double>& bruto = a.de("Raw libpq: the same 2,000 statements in one transaction");
    const std::vector<double>& depois = a.de("Gerar Filhas: then the bees shown again");
    if (!gerar.empty() && !bruto.empty())
        std::fprintf(
            relatorio, "Gerar Filhas / raw libpq (medians): %.2f\n", percentil(gerar, 0.5) / percentil(bruto, 0.5));
    if (!gerar.empty() && !bruto.empty() && !depois.empty())
        std::fprintf(relatorio, "Gerar Filhas and the bees shown again / raw libpq (medians): %.2f\n",
                     (percentil(gerar, 0.5) + percentil(depois, 0.5)) / percentil(bruto, 0.5));
    const std::pair<const char*, const char*> lotes[] = {
        { "Move 1,000 hives (one transaction)", "Raw libpq: the same move insert in one transaction" },
        { "Treat 1,000 hives (one transaction)", "Raw libpq: the same treatment insert in one transaction" },
    };
    for (const auto& l : lotes) {
        const std::vector<double>& feito = a.de(l.first);
        const std::vector<double>& cru = a.de(l.second);
        if (!feito.empty() && !cru.empty())
            std::fprintf(relatorio, "%s / raw libpq (medians): %.2f\n", l.first, percentil(feito, 0.5) / percentil(cru, 0.5));
    }
    if (memoria_kb > 0)
        std::fprintf(relatorio, "Peak resident memory: %.1f MB\n", memoria_kb / 1024.0);
    std::fclose(relatorio);

    unlink((pasta + "/conf/db.conf").c_str());
    rmdir((pasta + "/conf").c_str());
    if (o.rastro.empty())
        unlink(rastro.c_str());
    unlink((pasta + "/trace-inicio.txt").c_str());
    rmdir(pasta.c_str());
    return saida;
}
