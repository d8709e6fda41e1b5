#include "gui/painel.h"

#include <cairo.h>
#include <glibmm/main.h>
#include <gtkmm/cellrendererpixbuf.h>
#include <gtkmm/cellrenderertext.h>
#include <gtkmm/treeviewcolumn.h>

#include "db/query.h"
#include "gui/formulario.h"
#include "gui/janelas.h"
#include "gui/modelo_achados.h"
#include "gui/montagem.h"
#include "model/colmeia.h"
#include "relatorios/grafico.h"

const char* const CORES_STATUS[4] = { "#3a9a3a", "#e0b000", "#e06a10", "#a02828" };

namespace {

const int LARGURA_BARRA = 90;
const int ALTURA_BARRA = 12;
// An apiary not visited for long, and a step overdue.
const char* const COR_ALERTA = "#c01c28";

// The lines as the view reads them: code i is line i.
class LinhasPainel : public Achados
{
public:
    explicit LinhasPainel(std::shared_ptr<const std::vector<LINHA_PAINEL>> l) : linhas(std::move(l)) {}
    std::size_t tamanho() const override { return linhas->size(); }
    int textos() const override { return 4; }
    int codigo(std::size_t i) const override { return static_cast<int>(i); }
    const char* texto(std::size_t i, int coluna) const override { return (*linhas)[i].textos[coluna - 1].c_str(); }

private:
    std::shared_ptr<const std::vector<LINHA_PAINEL>> linhas;
};

// A text column of the panel, cut short with an ellipsis; its text turns
// red for a line in alert (set line by line as it is drawn).
Gtk::TreeViewColumn* coluna(Gtk::TreeView& v, const char* titulo, const Gtk::TreeModelColumn<Glib::ustring>& texto,
                            int largura)
{
    Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
    celula->property_ellipsize() = Pango::ELLIPSIZE_END;
    celula->property_foreground() = COR_ALERTA;
    Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn(titulo, *celula));
    c->add_attribute(celula->property_text(), texto);
    c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    c->set_fixed_width(largura);
    c->set_resizable(true);
    v.append_column(*c);
    return c;
}

} // namespace

PAINEL_PRINCIPAL::PAINEL_PRINCIPAL(Contexto& contexto)
    : ctx(contexto), modelo(contexto.query), linhas(std::make_shared<std::vector<LINHA_PAINEL>>()), box_painel(false, 4)
{
    box_painel.set_border_width(6);
    label_resumo.set_alignment(0, 0.5);
    label_acesso.set_alignment(0, 0.5);
    box_painel.pack_start(label_resumo, false, false, 0);

    treeview_painel.set_rules_hint(true);
    const int larguras[4] = { 420, 330, 330, 260 };
    const char* const titulos[4] = { "Apiário", "Colméias", "Mel", "Última revisão" };
    for (int k = 0; k < 4; ++k) {
        Gtk::TreeViewColumn* c = coluna(treeview_painel, titulos[k], colunas.textos[k], larguras[k]);
        Gtk::CellRendererText* celula = static_cast<Gtk::CellRendererText*>(c->get_first_cell_renderer());
        const bool negrito = k == 0;
        c->set_cell_data_func(*celula, [this, celula, negrito](Gtk::CellRenderer*, const Gtk::TreeModel::iterator& it) {
            const LINHA_PAINEL* l = linha(it);
            const bool alerta = l && l->alerta;
            celula->property_foreground_set() = alerta;
            celula->property_weight() = alerta && negrito ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL;
        });
        if (k == 0) {
            // The bar of the hives by status, beside the apiary's name.
            Gtk::CellRendererPixbuf* marca = Gtk::manage(new Gtk::CellRendererPixbuf());
            Gtk::TreeViewColumn* b = Gtk::manage(new Gtk::TreeViewColumn("Situação", *marca));
            b->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
            b->set_fixed_width(LARGURA_BARRA + 12);
            b->set_cell_data_func(*marca, [this, marca](Gtk::CellRenderer*, const Gtk::TreeModel::iterator& it) {
                const LINHA_PAINEL* l = linha(it);
                marca->property_pixbuf() = l && l->apiario >= 0 && static_cast<std::size_t>(l->apiario) <
                                                                       quadro.apiarios.size()
                                               ? barra(quadro.apiarios[static_cast<std::size_t>(l->apiario)])
                                               : Glib::RefPtr<Gdk::Pixbuf>();
            });
            treeview_painel.append_column(*b);
        }
    }
    // Every line one text high: the view asks only for the lines it shows.
    treeview_painel.set_fixed_height_mode(true);
    treeview_painel.set_model(modelo_achados(std::make_shared<LinhasPainel>(linhas)));
    box_painel.pack_start(*rolagem(treeview_painel, 200), true, true, 0);
    box_painel.pack_start(label_acesso, false, false, 0);
    box_painel.pack_start(*rotulo("Dê um duplo clique numa linha para abrir o apiário, a colméia ou o lote; "
                                  "F5 atualiza o painel."),
                          false, false, 0);

    treeview_painel.signal_row_activated().connect([this](const Gtk::TreePath& caminho, Gtk::TreeViewColumn*) {
        if (!caminho.empty())
            abrir_linha(static_cast<std::size_t>(caminho[0]));
    });
    // Any save, in any window: read again once it is all sent, and if a
    // window is open over the panel, once the panel is seen again.
    if (ctx.query)
        ctx.query->ao_gravar([this] {
            if (coberto && coberto())
                espera_vista = true;
            else
                pedir_atualizacao();
        });
}

const LINHA_PAINEL* PAINEL_PRINCIPAL::linha(const Gtk::TreeModel::iterator& it) const
{
    if (!it)
        return nullptr;
    const int i = (*it)[colunas.codigo];
    return i >= 0 && static_cast<std::size_t>(i) < linhas->size() ? &(*linhas)[static_cast<std::size_t>(i)] : nullptr;
}

PAINEL_PRINCIPAL::~PAINEL_PRINCIPAL()
{
    pedida.disconnect();
    adiada.disconnect();
    if (ctx.query)
        ctx.query->ao_gravar(nullptr);
}

void PAINEL_PRINCIPAL::pedir_atualizacao()
{
    if (pedida.connected() || adiada.connected())
        return;
    // Below the windows' own idle work (a window opened with a record to
    // show gets it first): the panel is read once they are done.
    pedida = Glib::signal_idle().connect([this] {
        // A window may turn the loop in the middle of its transaction (a
        // progress dialog): the panel's reads would then be part of it, and
        // one refused would undo it. They wait until it is over.
        if (em_transacao()) {
            adiada = Glib::signal_timeout().connect([this] {
                if (em_transacao())
                    return true;
                atualizar();
                return false;
            }, 100);
            return false;
        }
        atualizar();
        return false;
    }, Glib::PRIORITY_LOW);
}

void PAINEL_PRINCIPAL::visto()
{
    if (!espera_vista)
        return;
    espera_vista = false;
    pedir_atualizacao();
}

bool PAINEL_PRINCIPAL::em_transacao() const
{
    return ctx.query && ctx.query->get_em_transacao();
}

Glib::RefPtr<Gdk::Pixbuf> PAINEL_PRINCIPAL::barra(const RESUMO_APIARIO& r)
{
    std::vector<int> vivas;
    for (int k = 0; k < 8; ++k) {
        if (!colmeia_encerrada(STATUS_COLMEIA[k]))
            vivas.push_back(r.por_status[k]);
    }
    for (const auto& feita : barras) {
        if (feita.first == vivas)
            return feita.second;
    }
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, LARGURA_BARRA, ALTURA_BARRA);
    cairo_t* cr = cairo_create(s);
    desenhar_empilhada(cr, vivas, std::vector<const char*>(CORES_STATUS, CORES_STATUS + 4), 0, 0, LARGURA_BARRA,
                       ALTURA_BARRA);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    // Cairo keeps a pixel as one native 32-bit word, 0xXXRRGGBB.
    Glib::RefPtr<Gdk::Pixbuf> p = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, LARGURA_BARRA, ALTURA_BARRA);
    const unsigned char* de = cairo_image_surface_get_data(s);
    const int passo_de = cairo_image_surface_get_stride(s);
    guint8* para = p->get_pixels();
    const int passo_para = p->get_rowstride();
    for (int y = 0; y < ALTURA_BARRA; ++y) {
        const guint32* linha = reinterpret_cast<const guint32*>(de + y * passo_de);
        guint8* destino = para + y * passo_para;
        for (int x = 0; x < LARGURA_BARRA; ++x) {
            destino[3 * x] = static_cast<guint8>(linha[x] >> 16);
            destino[3 * x + 1] = static_cast<guint8>(linha[x] >> 8);
            destino[3 * x + 2] = static_cast<guint8>(linha[x]);
        }
    }
    cairo_surface_destroy(s);
    // A handful of count sets covers most apiaries; past that, no more kept.
    if (barras.size() < 500)
        barras.emplace_back(vivas, p);
    return p;
}

void PAINEL_PRINCIPAL::atualizar()
{
    ++n_leituras;
    espera_vista = false;
    quadro = modelo.ler();
    auto novas = std::make_shared<std::vector<LINHA_PAINEL>>();
    novas->reserve(quadro.apiarios.size());
    int colmeias = 0, sem_visita = 0, apiarios = 0;
    for (std::size_t i = 0; i < quadro.apiarios.size(); ++i) {
        const RESUMO_APIARIO& r = quadro.apiarios[i];
        LINHA_PAINEL l;
        l.textos[0] = r.nome;
        if (r.id != 0) {
            ++apiarios;
            colmeias += r.vivas();
            l.apiario = static_cast<int>(i);
            l.textos[1] = texto_colmeias(r);
            l.textos[2] = texto_mel(r, quadro.safra);
            l.textos[3] = texto_revisao(r);
            l.janela = ids::APIARIOS;
            l.chave = r.id;
        }
        l.alerta = r.sem_visita();
        sem_visita += l.alerta ? 1 : 0;
        novas->push_back(std::move(l));
        // What is under the apiary, a little to the right.
        for (const CARENCIA_PAINEL& c : r.carencias) {
            LINHA_PAINEL sub;
            sub.textos[0] = "    " + texto_carencia(c);
            sub.janela = ids::COLMEIAS;
            sub.chave = c.colmeia;
            novas->push_back(std::move(sub));
        }
        for (const ETAPA_PAINEL& e : r.etapas) {
            LINHA_PAINEL sub;
            sub.textos[0] = "    " + e.texto;
            sub.alerta = e.atraso > 0;
            sub.janela = ids::CRIACAO_RAINHAS;
            sub.chave = e.lote;
            novas->push_back(std::move(sub));
        }
    }
    linhas = novas;
    treeview_painel.set_model(modelo_achados(std::make_shared<LinhasPainel>(linhas)));

    std::string resumo;
    if (apiarios == 0)
        resumo = "Nenhum apiário com colméias.";
    else
        resumo = (apiarios == 1 ? std::string("1 apiário") : std::to_string(apiarios) + " apiários") + ", " +
                 (colmeias == 1 ? std::string("1 colméia") : std::to_string(colmeias) + " colméias") + ".";
    if (sem_visita > 0)
        resumo += sem_visita == 1 ? " 1 apiário sem revisão há 30 dias ou mais."
                                  : " " + std::to_string(sem_visita) + " apiários sem revisão há 30 dias ou mais.";
    label_resumo.set_text(resumo);
    std::string acesso;
    for (const std::string& parte : quadro.sem_acesso)
        acesso += (acesso.empty() ? "Não foi possível ler: " : ", ") + parte;
    label_acesso.set_text(acesso.empty() ? acesso : acesso + ".");
    label_acesso.set_visible(!acesso.empty());
}

void PAINEL_PRINCIPAL::abrir_linha(std::size_t i)
{
    if (i >= linhas->size())
        return;
    const int janela = (*linhas)[i].janela;
    const int chave = (*linhas)[i].chave;
    if (janela == 0 || !ctx.abrir)
        return;
    // The window runs until it is closed: its record goes to it from the
    // main loop, once it is shown.
    Contexto* c = &ctx;
    Glib::signal_idle().connect_once([c, janela, chave] {
        if (Formulario* f = c->aberto ? c->aberto(janela) : nullptr)
            f->receber_escolha(ids::PAINEL, chave);
    });
    ctx.abrir(janela, ctx.janela_principal);
    // What was done there shows once it is closed.
    pedir_atualizacao();
}
