#include "gui/form_abelha.h"

#include <charconv>
#include <string>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolitem.h>

#include "db/rastro.h"
#include "gui/marca_cor.h"
#include "gui/montagem.h"
#include "gui/janelas.h"
#include "model/colmeia.h"
#include "model/fecundacao.h"
#include "util/marcacao.h"

namespace {

const char* const NAO_SABE = "Não Sabe";
// The first entry of the colour list: the colour of her birth year.
const char* const PELO_ANO = "Pela data de nascimento";

// "N filhas cadastradas" ("1 filha cadastrada").
std::string texto_filhas_cadastradas(int n)
{
    return std::to_string(n) + (n == 1 ? " filha cadastrada" : " filhas cadastradas");
}

std::string texto_maximo_filhas()
{
    return "No máximo " + DialogoFilhas::texto_maximo() + " filhas de cada vez.";
}

} // namespace

FormAbelha::~FormAbelha()
{
    if (ctx.abelha)
        ctx.abelha->esquecer_lista();
}

void FormAbelha::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Cadastro de Abelhas");
    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    // The content is in the window from the start, so that each widget has
    // its style before it is filled (the mother list shows as a list).
    j.add(*vertical);

    Gtk::Toolbar* barra = barra_registro(w, Depois::EXCLUIR);
    Gtk::ToolItem* item_gerar = Gtk::manage(new Gtk::ToolItem());
    w.button_gerar = Gtk::manage(new Gtk::Button("Gerar Filhas"));
    item_gerar->add(*w.button_gerar);
    barra->append(*item_gerar);
    Gtk::ToolItem* item_genealogia = Gtk::manage(new Gtk::ToolItem());
    w.button_genealogia = Gtk::manage(new Gtk::Button("Genealogia"));
    item_genealogia->add(*w.button_genealogia);
    barra->append(*item_genealogia);
    Gtk::ToolItem* item_fecundacao = Gtk::manage(new Gtk::ToolItem());
    w.button_fecundacao = Gtk::manage(new Gtk::Button("Fecundação"));
    item_fecundacao->add(*w.button_fecundacao);
    barra->append(*item_fecundacao);
    vertical->pack_start(*barra, false, false, 0);

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Dados abelha"));
    Gtk::VBox* dados = Gtk::manage(new Gtk::VBox(false, 5));
    quadro->add(*dados);
    vertical->pack_start(*quadro, false, false, 0);

    w.entry_codigo = Gtk::manage(new Gtk::Entry());
    w.entry_codigo->set_sensitive(false);
    linha(*dados, "Código:\t", *w.entry_codigo);

    w.entry_rgn = Gtk::manage(new Gtk::Entry());
    w.entry_rgn->set_editable(false);
    w.entry_rgn->set_size_request(265, -1);
    linha(*dados, "RGN:\t", *w.entry_rgn);

    w.entry_nascimento = Gtk::manage(new Gtk::Entry());
    w.entry_nascimento->set_max_length(10);
    w.entry_nascimento->set_size_request(100, -1);
    linha(*dados, "Nascimento:\t", *w.entry_nascimento);

    w.radio_sim = Gtk::manage(new Gtk::RadioButton("Sim"));
    Gtk::RadioButton::Group grupo = w.radio_sim->get_group();
    w.radio_nao = Gtk::manage(new Gtk::RadioButton(grupo, "Não"));
    linha(*dados, "Matriz:\t", *w.radio_sim)->pack_start(*w.radio_nao, false, false, 10);

    w.combo_mae = Gtk::manage(new ListaTextos());
    linha(*dados, "Filha de:\t", *w.combo_mae);
    Carregar_combo(3, -1);

    w.combo_cor = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_cor->append_text(PELO_ANO);
    for (const char* cor : CORES_MARCACAO)
        w.combo_cor->append_text(cor);
    w.combo_cor->set_active(0);
    w.image_marca = Gtk::manage(new Gtk::Image(marca_da_cor("")));
    w.label_cor = Gtk::manage(new Gtk::Label(""));
    w.check_asa_cortada = Gtk::manage(new Gtk::CheckButton("Asa cortada"));
    Gtk::HBox* marcacao = linha(*dados, "Marcação:\t", *w.combo_cor);
    marcacao->pack_start(*w.image_marca, false, false, 5);
    marcacao->pack_start(*w.label_cor, false, false, 0);
    marcacao->pack_start(*w.check_asa_cortada, false, false, 10);
    w.label_fecundacao = Gtk::manage(new Gtk::Label(""));
    w.label_fecundacao->set_alignment(0, 0.5);
    w.label_fecundacao->set_line_wrap(true);
    w.label_fecundacao->set_size_request(420, -1);
    linha(*dados, "Fecundação:\t", *w.label_fecundacao);

    vertical->pack_start(*barra_navegacao(w, "1/1"), false, false, 0);

    j.signal_show().connect([this] { estado(1); });
    tab(*w.entry_rgn, *w.entry_nascimento);
    w.entry_nascimento->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_nascimento));
    tab(*w.entry_nascimento, *w.radio_sim);
    w.combo_mae->signal_changed().connect(sigc::mem_fun(*this, &FormAbelha::selecionar_abelha));
    w.combo_cor->signal_changed().connect(sigc::mem_fun(*this, &FormAbelha::mostrar_marca));
    w.entry_nascimento->signal_changed().connect(sigc::mem_fun(*this, &FormAbelha::mostrar_marca));
    ligar_barra(w);
    w.button_gerar->signal_clicked().connect([this] { gerar_filhas(janela()); });
    w.button_fecundacao->signal_clicked().connect([this] { registrar_fecundacao(janela()); });
    w.button_genealogia->signal_clicked().connect([this] {
        if (abelha_mostrada() == 0)
            mensagem("Atenção", "Nenhuma abelha exibida: não há de quem mostrar a genealogia.", Gtk::MESSAGE_WARNING);
        else
            abrir(ids::GENEALOGIA);
    });
}

void FormAbelha::mudar_estado(int e)
{
    const bool editavel = e != 1;
    w.button_novo->set_sensitive(e != 0);
    w.button_editar->set_sensitive(e == 1);
    // While browsing, once a bee is shown (the load below tells).
    w.button_excluir->set_sensitive(false);
    w.button_salvar->set_sensitive(editavel);
    w.button_cancelar->set_sensitive(editavel);
    w.entry_codigo->set_sensitive(false);
    w.entry_rgn->set_editable(false);
    w.entry_nascimento->set_editable(editavel);
    w.combo_mae->set_sensitive(editavel);
    w.combo_cor->set_sensitive(editavel);
    w.check_asa_cortada->set_sensitive(editavel);
    // The lineage of the bee shown, while nothing typed is pending.
    w.button_genealogia->set_sensitive(!editavel);
    w.button_fecundacao->set_sensitive(!editavel);
    Gtk::Widget* navegacao[] = { w.button_primeiro, w.button_anterior, w.button_proximo, w.button_ultimo };
    for (Gtk::Widget* b : navegacao)
        b->set_sensitive(!editavel);

    if (e == 1) {
        carregar_dados(get_id());
        return;
    }
    if (e == 0) {
        // A new bee has no code or number until it is stored.
        w.entry_codigo->set_text("");
        w.entry_rgn->set_text("");
        w.entry_nascimento->set_text("");
        w.combo_cor->set_active(0);
        w.check_asa_cortada->set_active(false);
        w.label_fecundacao->set_text("");
    }
    w.entry_nascimento->grab_focus();
}

std::string FormAbelha::cor_escolhida() const
{
    const int k = w.combo_cor->get_active_row_number();
    return k >= 1 && k <= 5 ? CORES_MARCACAO[k - 1] : std::string();
}

void FormAbelha::mostrar_marca()
{
    if (!w.combo_cor)
        return;
    const std::string cor = cor_da_rainha(w.entry_nascimento->get_text().raw(), cor_escolhida());
    w.image_marca->set(marca_da_cor(cor));
    w.label_cor->set_text(cor);
}

void FormAbelha::antes_de_navegar()
{
    rastrear(ctx.abelhas.posicao, '\n');
}

void FormAbelha::carregar_dados(int)
{
    abelhas.clear();
    abelhas = ctx.abelha->listar();
    if (!posicionar(abelhas.size()))
        return;
    w.button_excluir->set_sensitive(!inserindo() && !editando());

    const ABELHAS b = abelhas[ctx.abelhas.posicao - 1];
    w.entry_codigo->set_text(std::to_string(b.id));
    w.entry_rgn->set_text(b.rgn);
    w.entry_nascimento->set_text(b.nascimento);
    if (b.matriz)
        w.radio_sim->set_active(true);
    else
        w.radio_nao->set_active(true);
    int cor = 0;
    for (int k = 0; k < 5; ++k) {
        if (b.cor == CORES_MARCACAO[k])
            cor = k + 1;
    }
    w.combo_cor->set_active(cor);
    w.check_asa_cortada->set_active(b.asa_cortada);
    mostrar_marca();
    Carregar_combo(3, b.mae);
    w.label_fecundacao->set_text(descrever_fecundacao(FECUNDACAO(ctx.query).get_fecundacao(b.id)));
}

void FormAbelha::Carregar_combo(int qual, int selecionado)
{
    if (qual != 3 || !w.combo_mae)
        return;
    int sel = 0;
    const LISTA_ABELHAS& lista = ctx.abelha->listar();
    std::vector<std::string>& textos = textos_mae;
    textos.resize(lista.size() + 1);
    textos[0] = NAO_SABE;
    // The trace compares each bee with the one chosen, a line each: made
    // here and written a block at a time (a hundred thousand lines cost a
    // few writes).
    std::string comparacoes;
    char numero[16];
    const auto escrever = [&comparacoes, &numero](int n) {
        const auto fim = std::to_chars(numero, numero + sizeof numero, n).ptr;
        comparacoes.append(numero, fim);
    };
    for (std::size_t k = 0; k < lista.size(); ++k) {
        textos[k + 1] = lista.rgn(k);
        if (selecionado != -1) {
            const int id = lista.id(k);
            escrever(id);
            comparacoes += " == ";
            escrever(selecionado);
            comparacoes += '\n';
            if (id == selecionado)
                sel = static_cast<int>(k) + 1;
            if (comparacoes.size() >= rastro::BLOCO) {
                rastro::escrever(comparacoes);
                comparacoes.clear();
            }
        }
    }
    rastro::escrever(comparacoes);
    // The list is rebuilt only when the bees changed; either way it passes
    // through "nothing chosen" while the handler looks away, and choosing
    // `sel` then tells the handler, as after a refill.
    preenchendo = true;
    if (w.combo_mae->ja_mostra(textos) || !w.combo_mae->preencher(textos))
        w.combo_mae->set_active(-1);
    preenchendo = false;
    w.combo_mae->set_active(sel);
}

void FormAbelha::selecionar_abelha()
{
    if (preenchendo || !w.combo_mae)
        return;
    const std::string texto = w.combo_mae->get_active_text().raw();
    rastrear(texto, '\n');
    if (texto == NAO_SABE || texto.empty())
        mae_selecionada = ABELHAS();
    else
        mae_selecionada = ctx.abelha->get_abelha(texto);
}

std::optional<ABELHAS> FormAbelha::mostrada() const
{
    const Posicao p = ctx.abelhas.posicao;
    if (p >= 1 && p <= abelhas.size())
        return abelhas[p - 1];
    return std::nullopt;
}

FALHA FormAbelha::salvar(bool inserir)
{
    ABELHAS b;
    if (!inserir) {
        if (!mostrada()) {
            return FALHA::recusa("Nenhuma abelha está sendo mostrada para ser alterada.");
        }
        b = *mostrada();
    }
    b.rgn = w.entry_rgn->get_text().raw();
    b.nascimento = w.entry_nascimento->get_text().raw();
    b.matriz = w.radio_sim->get_active();
    b.cor = cor_escolhida();
    b.asa_cortada = w.check_asa_cortada->get_active();

    const std::string texto = w.combo_mae->get_active_text().raw();
    rastrear(texto, '\n');
    const bool desconhecida = texto == NAO_SABE || texto.empty();
    mae_selecionada = desconhecida ? ABELHAS() : ctx.abelha->get_abelha(texto);
    // A mother chosen in the list but no longer stored is not silently
    // turned into an unknown one.
    if (!desconhecida && mae_selecionada.id == 0) {
        return FALHA::recusa("A abelha escolhida como mãe não existe mais: ela foi excluída depois de aparecer na lista.");
    }
    b.mae = mae_selecionada.id;

    return desfecho(inserir ? ctx.abelha->inserir(&b) : ctx.abelha->atualizar(&b), *ctx.abelha);
}

bool FormAbelha::pode_excluir() const
{
    return !inserindo() && !editando() && mostrada().has_value();
}

std::string FormAbelha::pergunta_exclusao() const
{
    const std::optional<ABELHAS> b = mostrada();
    return "Deseja realmente excluir a abelha " + (b ? b->rgn : std::string()) + "?";
}

FALHA FormAbelha::excluir()
{
    const std::optional<ABELHAS> b = mostrada();
    if (!b) {
        return FALHA::recusa("Nenhuma abelha está sendo mostrada para ser excluída.");
    }
    if (!ctx.abelha->deletar(b->id, b->versao))
        return desfecho(false, *ctx.abelha);

    if (abelhas.size() == 1) {
        // That was the last bee. The listing keeps what it found last when
        // the table comes back empty, so it is let go, and the form stops
        // showing the deleted bee.
        ctx.abelha->esquecer_lista();
        abelhas.clear();
        w.entry_codigo->set_text("");
        w.entry_rgn->set_text("");
        w.entry_nascimento->set_text("");
        w.combo_cor->set_active(0);
        w.check_asa_cortada->set_active(false);
        Carregar_combo(3, -1);
    }
    return FALHA();
}

void FormAbelha::gerar_filhas(Gtk::Window* pai)
{
    if (!mostrada()) {
        mensagem("Atenção", "Nenhuma abelha exibida: não há de quem gerar filhas.", Gtk::MESSAGE_WARNING);
        return;
    }
    const int mae = mostrada()->id;

    DialogoFilhas dialogo(pai);
    dialogo.show_all();
    dialogo_filhas = &dialogo;
    int resposta = Gtk::RESPONSE_NONE;
    int n = 0;
    for (;;) {
        resposta = dialogo.run();
        n = dialogo.quantidade();
        if (resposta != Gtk::RESPONSE_OK || n <= DialogoFilhas::MAXIMO)
            break;
        // The dialog stays, with what was typed, to be set right.
        mensagem("Atenção", texto_maximo_filhas(), Gtk::MESSAGE_WARNING);
    }
    const std::string nascimento = dialogo.nascimento();

    FALHA falha;
    const bool gerar = resposta == Gtk::RESPONSE_OK && n > 0;
    if (gerar) {
        dialogo.comecar(n);
        if (!ctx.abelha->gerar_filhas(mae, nascimento, n, [&dialogo](int feitas) { return dialogo.avancar(feitas); }))
            falha = ctx.abelha->falha();
    }
    dialogo_filhas = nullptr;
    dialogo.hide();
    // Back to browsing, whatever New or Edit was pending; the outcome is
    // said as soon as it is known, and then the form shows the bees as
    // they now are.
    esquecer_acao();
    if (gerar)
        dizer_como_foi(n, falha);
    estado(1);
}

void FormAbelha::dizer_como_foi(int n, const FALHA& falha)
{
    if (!falha.houve)
        mensagem("Gerar Filhas", texto_filhas_cadastradas(n), Gtk::MESSAGE_INFO);
    else if (falha.sqlstate == FALHA::CANCELADA)
        mensagem("Atenção", "Geração cancelada: nenhuma filha foi cadastrada.", Gtk::MESSAGE_WARNING);
    else if (falha.sqlstate == FALHA::CONFIRMACAO_INCERTA)
        mensagem("Atenção", "Não se sabe se as filhas foram cadastradas.", Gtk::MESSAGE_WARNING, falha.motivo());
    else if (falha.data_invalida())
        mensagem("Atenção", "Nenhuma filha foi cadastrada: verifique a data de nascimento.", Gtk::MESSAGE_WARNING,
                 falha.motivo());
    else
        mensagem("Atenção", "Nenhuma filha foi cadastrada.", Gtk::MESSAGE_WARNING, falha.motivo());
}

int FormAbelha::abelha_mostrada() const
{
    const Posicao p = ctx.abelhas.posicao;
    return p >= 1 && p <= abelhas.size() ? abelhas.id(p - 1) : 0;
}

bool FormAbelha::receber_escolha(int de_onde, int chave)
{
    // A search, or a trace line that names it.
    if (de_onde != ids::GENEALOGIA && de_onde != ids::RASTREABILIDADE)
        return false;
    auto posicao_de = [this, chave]() -> Posicao {
        for (std::size_t i = 0; i < abelhas.size(); ++i) {
            if (abelhas.id(i) == chave)
                return i + 1;
        }
        return 0;
    };
    // The list as stored now: the bee may have been added or deleted since
    // this form loaded it.
    abelhas = ctx.abelha->listar();
    const Posicao p = posicao_de();
    if (p == 0)
        return false;
    ctx.abelhas.posicao = p;
    // Whatever was being typed gives way to the bee chosen.
    esquecer_acao();
    estado(1);
    return true;
}

void FormAbelha::registrar_fecundacao(Gtk::Window* pai)
{
    const int abelha = abelha_mostrada();
    if (abelha == 0) {
        mensagem("Atenção", "Nenhuma abelha exibida: não há de quem registrar a fecundação.", Gtk::MESSAGE_WARNING);
        return;
    }
    FECUNDACAO fecundacoes(ctx.query);
    DialogoFecundacao dialogo(pai, COLMEIA(ctx.query).apiarios(), fecundacoes.get_fecundacao(abelha));
    dialogo.show_all();
    dialogo_fecundacao = &dialogo;
    for (;;) {
        if (dialogo.run() != Gtk::RESPONSE_OK)
            break;
        FECUNDACOES f = dialogo.fecundacao();
        // Nothing chosen: what was recorded is forgotten.
        const bool ok = f.tipo.empty() ? fecundacoes.get_fecundacao(abelha).tipo.empty() || fecundacoes.apagar(abelha)
                                       : fecundacoes.gravar(&f);
        if (ok)
            break;
        // The dialog stays, with what was typed, to be set right.
        mensagem("Atenção", "A fecundação não foi registrada.", Gtk::MESSAGE_WARNING, fecundacoes.falha().motivo());
    }
    dialogo_fecundacao = nullptr;
    dialogo.hide();
    w.label_fecundacao->set_text(descrever_fecundacao(fecundacoes.get_fecundacao(abelha)));
}
