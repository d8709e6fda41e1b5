#include "gui/formulario.h"

#include <glibmm/main.h>
#include <gtkmm/separatortoolitem.h>
#include <gtkmm/stock.h>
#include <gtkmm/toolitem.h>

#include "db/rastro.h"

Formulario::Formulario(int id, Contexto& contexto) : ctx(contexto), id_(id), janela_(new Gtk::Window()) {}

Formulario::~Formulario() = default;

void Formulario::estado(int e)
{
    rastrear(id_, " - ", e, '\n');
    if (e == 0 || e == 1 || e == 2)
        mudar_estado(e);
}

void Formulario::inserir_dados()
{
    inserindo_ = true;
    editando_ = false;
    estado(0);
}

void Formulario::editar_dados()
{
    editando_ = true;
    inserindo_ = false;
    estado(2);
}

void Formulario::salvar_dados()
{
    const bool inserir = inserindo_;
    const bool editar = editando_;
    rastrear((inserir ? 1 : 0), '\n', (editar ? 1 : 0), '\n');

    FALHA falha = FALHA::recusa(std::string());
    if (inserir || editar)
        falha = salvar(inserir);
    else
        mensagem("Atenção", "Edite primeiro", Gtk::MESSAGE_WARNING);

    if (falha.houve) {
        // The pending New or Edit stays, and so does everything typed.
        mensagem("Erro!", "Verifique as informações digitadas !", Gtk::MESSAGE_ERROR, falha.motivo());
        if (falha.conflito()) {
            // What was typed was over a record that is no longer there as
            // it was shown: it is shown as it now is, to be edited again.
            esquecer_acao();
            mostrar_como_esta();
        }
        return;
    }
    esquecer_acao();
    depois_de_salvar();
    estado(1);
}

void Formulario::mostrar_como_esta()
{
    Lembranca* l = lembranca();
    const std::size_t antes = tamanho();
    const int chave = l && l->posicao >= 1 && l->posicao <= antes ? chave_registro(l->posicao - 1) : 0;
    estado(1);
    if (!l || chave <= 0)
        return;
    const std::size_t n = tamanho();
    for (std::size_t i = 0; i < n; ++i) {
        if (chave_registro(i) == chave) {
            if (l->posicao != i + 1) {
                l->posicao = i + 1;
                carregar_dados(id_);
            }
            return;
        }
    }
}

void Formulario::navegar(int direcao)
{
    static const char* const palavras[4] = { "INICIO", "ANTERIOR", "PROXIMO", "FIM" };
    Lembranca* l = lembranca();
    if (l && direcao >= 0 && direcao <= 3) {
        antes_de_navegar();
        const std::size_t n = tamanho();
        bool agiu = false;
        l->posicao = mover_posicao(l->posicao, n, direcao, agiu);
        if (agiu) {
            // The first text of the record now at the position, when there is one.
            const std::string texto = l->posicao >= 1 && l->posicao <= n ? texto_registro(l->posicao - 1) : "";
            rastrear('\n', palavras[direcao], '\n', texto, '\n');
        }
    }
    carregar_dados(id_);
}

void Formulario::carregar_dados(int) {}

bool Formulario::receber_escolha(int, int) { return false; }

void Formulario::Carregar_combo(int, int) {}

void Formulario::mudar_estado(int) {}

FALHA Formulario::salvar(bool) { return FALHA::recusa(std::string()); }

FALHA Formulario::excluir() { return FALHA::recusa(std::string()); }

FALHA Formulario::desfecho(bool ok, const DADOS& dados)
{
    if (ok)
        return FALHA();
    // A refusal is never taken for a success, even one that gave no reason.
    return dados.falha().houve ? dados.falha() : FALHA::recusa(std::string());
}

bool Formulario::posicionar(std::size_t n)
{
    Lembranca* l = lembranca();
    if (!l || n == 0)
        return false;
    if (!l->primeiro_acesso) {
        rastro::escrever(" Primeiro acesso à janela \n");
        l->primeiro_acesso = true;
        l->posicao = 1;
    }
    l->posicao = posicao_valida(l->posicao, n);
    if (Gtk::Label* contador = botoes().label_contador)
        contador->set_text(texto_contador(l->posicao, n));
    return true;
}

void Formulario::excluir_dados(Gtk::Window* pai)
{
    Gtk::Window& sobre = pai ? *pai : *ctx.janela_login;
    if (!pode_excluir())
        return;
    Gtk::MessageDialog pergunta(sobre, "Exclusão de Item", false, Gtk::MESSAGE_INFO, Gtk::BUTTONS_OK_CANCEL, false);
    pergunta.set_message(pergunta_exclusao());
    const std::string detalhe = detalhe_exclusao();
    if (!detalhe.empty())
        pergunta.set_secondary_text(detalhe);
    const int resposta = pergunta.run();
    pergunta.hide();

    bool conflito = false;
    if (resposta != Gtk::RESPONSE_CANCEL) {
        // Any answer but OK (the dialog closed some other way) deletes nothing.
        const FALHA falha = resposta == Gtk::RESPONSE_OK ? excluir() : FALHA::recusa(std::string());
        const bool ok = !falha.houve;
        Gtk::MessageDialog resultado(sobre, ok ? "Excluído com Sucesso!" : "Erro ao Excluir!", false,
                                     ok ? Gtk::MESSAGE_INFO : Gtk::MESSAGE_ERROR, Gtk::BUTTONS_OK, false);
        if (!ok) {
            conflito = falha.conflito();
            const std::string motivo = falha.motivo();
            if (!motivo.empty())
                resultado.set_secondary_text(motivo);
        }
        resultado.run();
        resultado.hide();
    }
    if (conflito)
        mostrar_como_esta();
    else
        estado(1);
}

int Formulario::mensagem(const Glib::ustring& primeiro, const Glib::ustring& texto, Gtk::MessageType tipo,
                         const Glib::ustring& detalhe)
{
    Gtk::MessageDialog dialogo(*ctx.janela_login, primeiro, true, tipo, Gtk::BUTTONS_CLOSE, true);
    dialogo.set_message(texto, true);
    if (!detalhe.empty())
        dialogo.set_secondary_text(detalhe, false);
    const int resposta = dialogo.run();
    dialogo.hide();
    return resposta;
}

void Formulario::abrir(int id, Gtk::Window* pai)
{
    if (ctx.abrir)
        ctx.abrir(id, pai ? pai : janela_.get());
}

void Formulario::abrir_com_escolha(int id, int chave)
{
    // The window runs until it is closed: the record goes to it from the
    // main loop, once it is shown.
    const int de_onde = id_;
    Contexto* c = &ctx;
    Glib::signal_idle().connect_once([c, id, de_onde, chave] {
        if (Formulario* f = c->aberto ? c->aberto(id) : nullptr)
            f->receber_escolha(de_onde, chave);
    });
    abrir(id);
}

Gtk::Toolbar* Formulario::nova_barra()
{
    Gtk::Toolbar* barra = Gtk::manage(new Gtk::Toolbar());
    barra->set_show_arrow(false);
    return barra;
}

Gtk::ToolButton* Formulario::botao(Gtk::Toolbar& barra, const Gtk::StockID& stock, const Glib::ustring& dica)
{
    Gtk::ToolButton* b = Gtk::manage(new Gtk::ToolButton(stock));
    if (!dica.empty())
        b->set_tooltip_text(dica);
    barra.append(*b);
    return b;
}

Gtk::Toolbar* Formulario::barra_registro(BotoesForm& b, Depois depois)
{
    Gtk::Toolbar* barra = nova_barra();
    b.button_novo = botao(*barra, Gtk::Stock::NEW);
    b.button_editar = botao(*barra, Gtk::Stock::EDIT);
    b.button_salvar = botao(*barra, Gtk::Stock::SAVE);
    b.button_cancelar = botao(*barra, Gtk::Stock::CANCEL);
    if (depois == Depois::EXCLUIR)
        b.button_excluir = botao(*barra, Gtk::Stock::DELETE);
    else
        b.button_buscar = botao(*barra, Gtk::Stock::FIND);
    return barra;
}

void Formulario::botoes_navegacao(BotoesForm& b, const Glib::ustring& contador)
{
    b.button_primeiro = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GOTO_FIRST));
    b.button_anterior = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GO_BACK));
    b.button_proximo = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GO_FORWARD));
    b.button_ultimo = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::GOTO_LAST));
    b.label_contador = Gtk::manage(new Gtk::Label(contador));
    Gtk::ToolButton* itens[4] = { b.button_primeiro, b.button_anterior, b.button_proximo, b.button_ultimo };
    for (int direcao = 0; direcao < 4; ++direcao)
        itens[direcao]->signal_clicked().connect([this, direcao] { navegar(direcao); });
}

Gtk::Toolbar* Formulario::barra_navegacao(BotoesForm& b, const Glib::ustring& contador)
{
    botoes_navegacao(b, contador);
    Gtk::Toolbar* barra = nova_barra();
    Gtk::ToolItem* item = Gtk::manage(new Gtk::ToolItem());
    item->add(*b.label_contador);
    barra->append(*b.button_primeiro);
    barra->append(*b.button_anterior);
    barra->append(*item);
    barra->append(*b.button_proximo);
    barra->append(*b.button_ultimo);
    return barra;
}

Gtk::HBox* Formulario::caixa_navegacao(BotoesForm& b, const Glib::ustring& contador)
{
    botoes_navegacao(b, contador);
    Gtk::HBox* caixa = Gtk::manage(new Gtk::HBox(false, 0));
    caixa->pack_start(*b.button_primeiro, false, false, 0);
    caixa->pack_start(*b.button_anterior, false, false, 0);
    caixa->pack_start(*b.label_contador, false, false, 5);
    caixa->pack_start(*b.button_proximo, false, false, 0);
    caixa->pack_start(*b.button_ultimo, false, false, 0);
    return caixa;
}

void Formulario::ligar_barra(BotoesForm& b)
{
    if (b.button_novo)
        b.button_novo->signal_clicked().connect(sigc::mem_fun(*this, &Formulario::inserir_dados));
    if (b.button_editar)
        b.button_editar->signal_clicked().connect(sigc::mem_fun(*this, &Formulario::editar_dados));
    if (b.button_salvar)
        b.button_salvar->signal_clicked().connect(sigc::mem_fun(*this, &Formulario::salvar_dados));
    if (b.button_cancelar)
        b.button_cancelar->signal_clicked().connect([this] {
            esquecer_acao();
            estado(1);
        });
    if (b.button_excluir)
        b.button_excluir->signal_clicked().connect([this] { excluir_dados(janela_.get()); });
}

void Formulario::tab(Gtk::Entry& de, Gtk::Widget& para)
{
    de.signal_activate().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::tabular), janela_.get(), &para));
}
