#include "gui/painel.h"

#include <cairo.h>
#include <gdk/gdkkeysyms.h>
#include <glibmm/main.h>
#include <gtkmm/cellrendererpixbuf.h>
#include <gtkmm/cellrenderertext.h>

#include "db/query.h"
#include "gui/formulario.h"
#include "gui/janelas.h"
#include "gui/montagem.h"
#include "model/colmeia.h"
#include "relatorios/grafico.h"

const char* const CORES_STATUS[4] = { "#3a9a3a", "#e0b000", "#e06a10", "#a02828" };

namespace {

const int LARGURA_BARRA = 90;
const int ALTURA_BARRA = 12;
// An apiary not visited for long, and a step overdue.
const char* const COR_ALERTA = "#c01c28";

} // namespace

PAINEL_PRINCIPAL::Colunas::Colunas()
{
    add(barra);
    add(nome);
    add(colmeias);
    add(mel);
    add(revisao);
    add(cor);
    add(peso);
    add(janela);
    add(chave);
}

PAINEL_PRINCIPAL::PAINEL_PRINCIPAL(Contexto& contexto) : ctx(contexto), modelo(contexto.query), box_painel(false, 4)
{
    box_painel.set_border_width(6);
    label_resumo.set_alignment(0, 0.5);
    label_acesso.set_alignment(0, 0.5);
    box_painel.pack_start(label_resumo, false, false, 0);

    arvore = Gtk::TreeStore::create(colunas);
    treeview_painel.set_model(arvore);
    treeview_painel.set_rules_hint(true);
    // The apiary's name, or what the line under it is about.
    {
        Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
        celula->property_ellipsize() = Pango::ELLIPSIZE_END;
        Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn("Apiário", *celula));
        c->add_attribute(celula->property_text(), colunas.nome);
        c->add_attribute(celula->property_foreground(), colunas.cor);
        c->add_attribute(celula->property_weight(), colunas.peso);
        c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        c->set_fixed_width(420);
        c->set_resizable(true);
        treeview_painel.append_column(*c);
    }
    {
        Gtk::CellRendererPixbuf* celula = Gtk::manage(new Gtk::CellRendererPixbuf());
        Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn("Situação", *celula));
        c->add_attribute(celula->property_pixbuf(), colunas.barra);
        c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        c->set_fixed_width(LARGURA_BARRA + 12);
        treeview_painel.append_column(*c);
    }
    coluna_texto(treeview_painel, "Colméias", colunas.colmeias, 330);
    coluna_texto(treeview_painel, "Mel", colunas.mel, 330);
    {
        Gtk::CellRendererText* celula = Gtk::manage(new Gtk::CellRendererText());
        celula->property_ellipsize() = Pango::ELLIPSIZE_END;
        Gtk::TreeViewColumn* c = Gtk::manage(new Gtk::TreeViewColumn("Última revisão", *celula));
        c->add_attribute(celula->property_text(), colunas.revisao);
        c->add_attribute(celula->property_foreground(), colunas.cor);
        c->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        c->set_fixed_width(260);
        c->set_resizable(true);
        treeview_painel.append_column(*c);
    }
    // Every line one text high: a panel of thousands of apiaries measures
    // only those it shows.
    treeview_painel.set_fixed_height_mode(true);
    box_painel.pack_start(*rolagem(treeview_painel, 200), true, true, 0);
    box_painel.pack_start(label_acesso, false, false, 0);
    box_painel.pack_start(*rotulo("Dê um duplo clique numa linha para abrir o apiário, a colméia ou o lote; "
                                  "F5 atualiza o painel."),
                          false, false, 0);

    treeview_painel.signal_row_activated().connect(
        [this](const Gtk::TreePath& caminho, Gtk::TreeViewColumn*) { abrir_linha(caminho); });
    // Any save, in any window: read again once it is all sent.
    if (ctx.query)
        ctx.query->ao_gravar([this] { pedir_atualizacao(); });
}

PAINEL_PRINCIPAL::~PAINEL_PRINCIPAL()
{
    pedida.disconnect();
    if (ctx.query)
        ctx.query->ao_gravar(nullptr);
}

void PAINEL_PRINCIPAL::pedir_atualizacao()
{
    if (pedida.connected())
        return;
    pedida = Glib::signal_idle().connect([this] {
        atualizar();
        return false;
    });
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
    quadro = modelo.ler();
    // Filled away from the view, which then draws it once.
    treeview_painel.unset_model();
    arvore->clear();
    int colmeias = 0, sem_visita = 0, apiarios = 0;
    for (const RESUMO_APIARIO& r : quadro.apiarios) {
        Gtk::TreeModel::Row linha = *arvore->append();
        linha[colunas.nome] = r.nome;
        if (r.id != 0) {
            ++apiarios;
            colmeias += r.vivas();
            linha[colunas.barra] = barra(r);
            linha[colunas.colmeias] = texto_colmeias(r);
            linha[colunas.mel] = texto_mel(r, quadro.safra);
            linha[colunas.revisao] = texto_revisao(r);
            linha[colunas.janela] = ids::APIARIOS;
            linha[colunas.chave] = r.id;
        }
        const bool alerta = r.sem_visita();
        sem_visita += alerta ? 1 : 0;
        linha[colunas.cor] = alerta ? COR_ALERTA : "";
        linha[colunas.peso] = alerta ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL;
        for (const CARENCIA_PAINEL& c : r.carencias) {
            Gtk::TreeModel::Row sub = *arvore->append(linha.children());
            sub[colunas.nome] = texto_carencia(c);
            sub[colunas.peso] = Pango::WEIGHT_NORMAL;
            sub[colunas.janela] = ids::COLMEIAS;
            sub[colunas.chave] = c.colmeia;
        }
        for (const ETAPA_PAINEL& e : r.etapas) {
            Gtk::TreeModel::Row sub = *arvore->append(linha.children());
            sub[colunas.nome] = e.texto;
            sub[colunas.cor] = e.atraso > 0 ? COR_ALERTA : "";
            sub[colunas.peso] = Pango::WEIGHT_NORMAL;
            sub[colunas.janela] = ids::CRIACAO_RAINHAS;
            sub[colunas.chave] = e.lote;
        }
    }
    treeview_painel.set_model(arvore);
    treeview_painel.expand_all();

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

void PAINEL_PRINCIPAL::abrir_linha(const Gtk::TreePath& caminho)
{
    Gtk::TreeModel::iterator it = arvore->get_iter(caminho);
    if (!it)
        return;
    const int janela = (*it)[colunas.janela];
    const int chave = (*it)[colunas.chave];
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

std::string PAINEL_PRINCIPAL::cor_da_linha(const Gtk::TreePath& caminho)
{
    Gtk::TreeModel::iterator it = arvore->get_iter(caminho);
    return it ? Glib::ustring((*it)[colunas.cor]).raw() : std::string();
}
