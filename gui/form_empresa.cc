#include "gui/form_empresa.h"

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include "gui/janelas.h"
#include "gui/montagem.h"
#include "util/validacao.h"

namespace {

const int LARGURA_ROTULO = 150;

Gtk::Entry* nova_entry(int caracteres, int maximo = 0)
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_width_chars(caracteres);
    if (maximo > 0)
        e->set_max_length(maximo);
    return e;
}

// The masks' lengths: "###.###.###-##" and "##.###.###/####-##".
const int TAMANHO_CPF = 14;
const int TAMANHO_CNPJ = 18;

} // namespace

FormEmpresa::FormEmpresa(int id, Contexto& contexto) : FormularioCom(id, contexto), empresa(contexto.query) {}

void FormEmpresa::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Dados da Empresa");

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    Gtk::Toolbar* barra = nova_barra();
    w.button_editar = botao(*barra, Gtk::Stock::EDIT);
    w.button_salvar = botao(*barra, Gtk::Stock::SAVE);
    w.button_cancelar = botao(*barra, Gtk::Stock::CANCEL);
    vertical->pack_start(*barra, false, false, 0);

    w.entry_nome = nova_entry(45);
    w.combo_documento = Gtk::manage(new Gtk::ComboBoxText());
    w.combo_documento->append("CPF");
    w.combo_documento->append("CNPJ");
    w.combo_documento->set_active(0);
    w.entry_documento = nova_entry(20, TAMANHO_CPF);
    w.entry_inscricao = nova_entry(20);
    w.entry_cep = nova_entry(10, 9);
    w.entry_rua = nova_entry(40);
    w.entry_numero = nova_entry(8);
    w.entry_bairro = nova_entry(25);
    w.entry_cidade = nova_entry(25);
    w.entry_estado = nova_entry(4);
    w.entry_telefone = nova_entry(20);
    w.entry_email = nova_entry(35);
    // The municipality and state come with the CEP.
    w.entry_cidade->set_editable(false);
    w.entry_estado->set_editable(false);

    Gtk::Frame* quadro_dados = Gtk::manage(new Gtk::Frame("Produtor ou empresa"));
    Gtk::VBox* dados = Gtk::manage(new Gtk::VBox(false, 4));
    linha(*dados, "Nome ou razão social", *w.entry_nome, 10, LARGURA_ROTULO);
    Gtk::HBox* l = linha(*dados, "Documento", *w.combo_documento, 10, LARGURA_ROTULO);
    l->pack_start(*w.entry_documento, false, false, 0);
    linha(*dados, "Inscrição estadual", *w.entry_inscricao, 10, LARGURA_ROTULO);
    quadro_dados->add(*dados);
    vertical->pack_start(*quadro_dados, false, false, 5);

    Gtk::Frame* quadro_endereco = Gtk::manage(new Gtk::Frame("Endereço"));
    Gtk::VBox* endereco = Gtk::manage(new Gtk::VBox(false, 4));
    linha(*endereco, "CEP", *w.entry_cep, 10, LARGURA_ROTULO);
    l = linha(*endereco, "Rua", *w.entry_rua, 10, LARGURA_ROTULO);
    rotulo(*l, "N°", 5);
    l->pack_start(*w.entry_numero, false, false, 0);
    linha(*endereco, "Bairro", *w.entry_bairro, 10, LARGURA_ROTULO);
    l = linha(*endereco, "Município", *w.entry_cidade, 10, LARGURA_ROTULO);
    rotulo(*l, "UF", 5);
    l->pack_start(*w.entry_estado, false, false, 0);
    quadro_endereco->add(*endereco);
    vertical->pack_start(*quadro_endereco, false, false, 5);

    Gtk::Frame* quadro_contato = Gtk::manage(new Gtk::Frame("Contato"));
    Gtk::VBox* contato = Gtk::manage(new Gtk::VBox(false, 4));
    linha(*contato, "Telefone", *w.entry_telefone, 10, LARGURA_ROTULO);
    linha(*contato, "E-mail", *w.entry_email, 10, LARGURA_ROTULO);
    quadro_contato->add(*contato);
    vertical->pack_start(*quadro_contato, false, false, 5);
    j.add(*vertical);

    w.combo_documento->signal_changed().connect(sigc::mem_fun(*this, &FormEmpresa::trocar_documento));
    w.entry_documento->signal_changed().connect(sigc::mem_fun(*this, &FormEmpresa::mascarar_documento));
    w.entry_cep->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::cep_mascara), 1, w.entry_cep));
    // Enter moves on to the next field; in the CEP it looks the code up.
    tab(*w.entry_nome, *w.entry_documento);
    tab(*w.entry_documento, *w.entry_inscricao);
    tab(*w.entry_inscricao, *w.entry_cep);
    tab(*w.entry_rua, *w.entry_numero);
    tab(*w.entry_numero, *w.entry_bairro);
    tab(*w.entry_bairro, *w.entry_telefone);
    tab(*w.entry_telefone, *w.entry_email);
    w.entry_cep->signal_activate().connect([this] { carregar_dados(ids::CEP); });
    ligar_barra(w);
    j.signal_show().connect([this] { estado(1); });
}

void FormEmpresa::trocar_documento()
{
    // A CPF and a CNPJ are different documents: the entry starts afresh
    // with the other mask.
    const bool cnpj = w.combo_documento->get_active_row_number() == 1;
    w.entry_documento->set_text("");
    w.entry_documento->set_max_length(cnpj ? TAMANHO_CNPJ : TAMANHO_CPF);
}

void FormEmpresa::mascarar_documento()
{
    if (w.combo_documento->get_active_row_number() == 1)
        eventos().cnpj_mascara(get_id(), w.entry_documento);
    else
        eventos().cpf_mascara(get_id(), w.entry_documento);
}

void FormEmpresa::mudar_estado(int e)
{
    const bool navegando = e == 1;
    for (Gtk::Entry* c : { w.entry_nome, w.entry_documento, w.entry_inscricao, w.entry_cep, w.entry_rua,
                           w.entry_numero, w.entry_bairro, w.entry_telefone, w.entry_email })
        c->set_editable(!navegando);
    w.combo_documento->set_sensitive(!navegando);
    w.button_editar->set_sensitive(navegando && ctx.administrador);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    if (navegando)
        carregar_dados(get_id());
    focar(*w.entry_nome);
}

void FormEmpresa::carregar_dados(int dado)
{
    if (dado == ids::CEP) {
        consultar_cep(true);
        return;
    }
    const EMPRESAS lida = empresa.ler();
    if (empresa.falha().houve) {
        mensagem("Erro!", "Os dados da empresa não puderam ser lidos.", Gtk::MESSAGE_ERROR, empresa.falha().motivo());
        w.button_editar->set_sensitive(false);
        return;
    }
    mostrar(lida);
}

void FormEmpresa::mostrar(const EMPRESAS& e)
{
    atual = e;
    cep_atual = e.cep;
    w.entry_nome->set_text(e.nome);
    // The list's change empties the entry and sets its length: the document
    // is written after it.
    w.combo_documento->set_active(e.tipo_documento() == "CNPJ" ? 1 : 0);
    w.entry_documento->set_text(e.documento);
    w.entry_inscricao->set_text(e.inscricao_estadual);
    w.entry_cep->set_text(e.cep.cep);
    w.entry_rua->set_text(e.endereco);
    w.entry_numero->set_text(e.numero);
    w.entry_bairro->set_text(e.bairro);
    w.entry_cidade->set_text(e.cep.municipio.nome);
    w.entry_estado->set_text(e.cep.municipio.estado);
    w.entry_telefone->set_text(e.telefone);
    w.entry_email->set_text(e.email);
}

void FormEmpresa::consultar_cep(bool oferecer)
{
    CEPS achado;
    const std::string cep = texto(w.entry_cep);
    if (!ctx.usuario->buscar_cep(cep, achado)) {
        // A whole CEP the database answered it does not have.
        if (oferecer && !ctx.usuario->falha().houve && cep_completo(cep)) {
            Gtk::MessageDialog pergunta(*janela(), "CEP não encontrado. Deseja cadastrá-lo?", false,
                                        Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO, true);
            const int resposta = pergunta.run();
            pergunta.hide();
            if (resposta == Gtk::RESPONSE_YES)
                abrir(ids::CADASTRO_CEP);
        }
        return;
    }
    cep_atual = achado;
    w.entry_rua->set_text(achado.tipo_logradouro.empty() ? achado.logradouro
                                                         : achado.tipo_logradouro + " " + achado.logradouro);
    w.entry_bairro->set_text(achado.bairro);
    w.entry_cidade->set_text(achado.municipio.nome);
    w.entry_estado->set_text(achado.municipio.estado);
    focar(*w.entry_numero);
}

void FormEmpresa::cep_cadastrado(const std::string& cep)
{
    w.entry_cep->set_text(cep);
    consultar_cep(false);
}

FALHA FormEmpresa::salvar(bool)
{
    EMPRESAS e;
    e.nome = texto(w.entry_nome);
    e.documento = texto(w.entry_documento);
    e.inscricao_estadual = texto(w.entry_inscricao);
    e.endereco = texto(w.entry_rua);
    e.numero = texto(w.entry_numero);
    e.bairro = texto(w.entry_bairro);
    e.telefone = texto(w.entry_telefone);
    e.email = texto(w.entry_email);
    e.versao = atual.versao;
    // The CEP saved is the one the entry shows: looked up now when it was
    // typed without Enter, refused when it is not registered.
    const std::string cep = texto(w.entry_cep);
    if (!cep.empty() && cep != cep_atual.cep) {
        CEPS achado;
        if (!ctx.usuario->buscar_cep(cep, achado))
            return FALHA::recusa("O CEP " + cep + " não está cadastrado: tecle Enter nele para buscá-lo ou cadastrá-lo.");
        cep_atual = achado;
    }
    if (!cep.empty())
        e.cep = cep_atual;
    if (!empresa.gravar(e))
        return desfecho(false, empresa);
    return FALHA();
}
