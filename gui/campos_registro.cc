#include "gui/campos_registro.h"

#include "gui/apiarios_listados.h"
#include "gui/lista_textos.h"

#include <ctime>

#include "gui/montagem.h"
#include "model/colmeia.h"

namespace {

// The width of the labels before the fields, so that the fields line up.
const int LARGURA_ROTULO = 130;
// Names typed by users may be of any length: the lists cut them short.
const int CARACTERES_NOME = 30;


Gtk::Entry* campo(int largura, int maximo = 0)
{
    Gtk::Entry* e = Gtk::manage(new Gtk::Entry());
    e->set_width_chars(largura);
    if (maximo > 0)
        e->set_max_length(maximo);
    return e;
}


} // namespace

std::string data_de_hoje()
{
    const std::time_t agora = std::time(nullptr);
    std::tm dia {};
    localtime_r(&agora, &dia);
    char t[16];
    std::strftime(t, sizeof t, "%d/%m/%Y", &dia);
    return t;
}

std::string colmeias_n(int n)
{
    return std::to_string(n) + (n == 1 ? " colméia" : " colméias");
}

void escolher_texto(Gtk::ComboBoxText& combo, const std::string& t)
{
    Glib::RefPtr<Gtk::TreeModel> modelo = combo.get_model();
    int i = 0;
    for (Gtk::TreeModel::iterator it = modelo->children().begin(); it != modelo->children().end(); ++it, ++i) {
        Glib::ustring valor;
        it->get_value(0, valor);
        if (valor.raw() == t) {
            combo.set_active(i);
            return;
        }
    }
    combo.set_active(0);
}

bool confirmar_sem_gta(Gtk::Window& pai, int n)
{
    const std::string quantas = colmeias_n(n) + (n == 1 ? " vai" : " vão");
    Gtk::MessageDialog pergunta(pai, quantas + " para um apiário de outro município sem GTA. Continuar assim mesmo?",
                                false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_OK_CANCEL, true);
    pergunta.set_secondary_text("O trânsito de abelhas entre municípios pede a Guia de Trânsito Animal. "
                                "Cancele para informar o número da GTA.");
    const int resposta = pergunta.run();
    pergunta.hide();
    return resposta == Gtk::RESPONSE_OK;
}

void avisar_notificacao_imediata(Gtk::Window& pai)
{
    avisar(pai, "Esta ocorrência é de notificação imediata: comunique-a já ao serviço veterinário oficial do seu estado.",
           Gtk::MESSAGE_WARNING);
}

void avisar_recusa(Gtk::Window& pai, const FALHA& falha)
{
    // A refusal by the database gives the reason every form gives.
    if (falha.do_banco())
        avisar(pai, "Verifique as informações digitadas !", Gtk::MESSAGE_ERROR, falha.motivo());
    else
        avisar(pai, falha.motivo().empty() ? "Não foi possível gravar." : falha.motivo(), Gtk::MESSAGE_WARNING);
}

void avisar(Gtk::Window& pai, const std::string& t, Gtk::MessageType tipo, const std::string& detalhe)
{
    Gtk::MessageDialog dialogo(pai, t, false, tipo, Gtk::BUTTONS_CLOSE, true);
    if (!detalhe.empty())
        dialogo.set_secondary_text(detalhe);
    dialogo.run();
    dialogo.hide();
}

CamposRegistro::CamposRegistro(Registro tipo, QUERY* query) : Gtk::VBox(false, 4), tipo_(tipo)
{
    switch (tipo_) {
    case Registro::TRATAMENTO:
        w.combo_produto = Gtk::manage(new Gtk::ComboBoxText());
        linha_de("Produto", *w.combo_produto);
        data(w.entry_inicio, "Início", 1);
        data(w.entry_fim, "Fim", 2);
        w.entry_dose = campo(10);
        linha_de("Dose", *w.entry_dose);
        w.combo_unidade = lista_de_textos(UNIDADES, 6, true);
        linha_de("Unidade", *w.combo_unidade);
        w.entry_lote = campo(20);
        linha_de("Lote do produto", *w.entry_lote);
        break;
    case Registro::ALIMENTACAO:
        w.combo_produto = Gtk::manage(new Gtk::ComboBoxText());
        linha_de("Alimento", *w.combo_produto);
        data(w.entry_data, "Data", 1);
        w.entry_quantidade = campo(10);
        linha_de("Quantidade", *w.entry_quantidade);
        w.combo_unidade = lista_de_textos(UNIDADES, 6, true);
        linha_de("Unidade", *w.combo_unidade);
        break;
    case Registro::PESAGEM:
        data(w.entry_data, "Data", 1);
        w.entry_peso = campo(10);
        linha_de("Peso (kg)", *w.entry_peso);
        break;
    case Registro::COLHEITA:
        data(w.entry_data, "Data", 1);
        w.entry_peso = campo(10);
        linha_de("Mel (kg)", *w.entry_peso);
        break;
    case Registro::MOVIMENTACAO:
        w.combo_destino = Gtk::manage(new ListaTextos());
        linha_de("Apiário de destino", *w.combo_destino);
        data(w.entry_data, "Data", 1);
        w.entry_gta = campo(20);
        linha_de("GTA", *w.entry_gta);
        w.combo_finalidade = lista_de_textos(FINALIDADES, 3, false);
        linha_de("Finalidade", *w.combo_finalidade);
        break;
    case Registro::OCORRENCIA: {
        data(w.entry_data, "Data", 1);
        w.combo_doenca = lista_de_textos(DOENCAS, 9, true);
        Gtk::HBox* l = linha(*this, "Doença", *w.combo_doenca, 10, LARGURA_ROTULO);
        w.label_notificacao = rotulo("");
        l->pack_start(*w.label_notificacao, false, false, 10);
        w.entry_outra = campo(30);
        linha_de("Qual", *w.entry_outra);
        w.entry_quadros = campo(6);
        linha_de("Quadros", *w.entry_quadros);
        w.combo_nivel = lista_de_textos(NIVEIS_OCORRENCIA, 3, true);
        linha_de("Nível", *w.combo_nivel);
        w.entry_quadros->signal_changed().connect(
            sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_quadros, 2));
        w.combo_doenca->signal_changed().connect(sigc::mem_fun(*this, &CamposRegistro::doenca_escolhida));
        break;
    }
    default:
        break;
    }
    w.entry_obs = campo(40);
    linha_de("Observações", *w.entry_obs);

    if (w.combo_produto) {
        limitar_largura(*w.combo_produto, CARACTERES_NOME);
        carregar_produtos(query);
        w.combo_produto->signal_changed().connect(sigc::mem_fun(*this, &CamposRegistro::produto_escolhido));
    }
    if (w.combo_destino) {
        limitar_largura(*w.combo_destino, CARACTERES_NOME);
        carregar_apiarios(query);
    }
    limpar();
}

void CamposRegistro::linha_de(const char* t, Gtk::Widget& c)
{
    linha(*this, t, c, 10, LARGURA_ROTULO);
}

void CamposRegistro::data(Gtk::Entry*& entry, const char* t, int tag)
{
    entry = campo(10, 10);
    linha_de(t, *entry);
    entry->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), tag, entry));
}

void CamposRegistro::carregar_produtos(QUERY* query)
{
    PRODUTO modelo(query);
    const bool alimento = tipo_ == Registro::ALIMENTACAO;
    // Feedings take feeds; treatments every other kind of product.
    const LISTA_PRODUTOS lista_produtos = alimento ? modelo.listar(ALIMENTO) : modelo.listar();
    produtos.clear();
    w.combo_produto->append("");
    for (const PRODUTOS& p : lista_produtos) {
        if (!alimento && p.tipo == ALIMENTO)
            continue;
        produtos.push_back(p);
        w.combo_produto->append(p.nome);
    }
}

void CamposRegistro::carregar_apiarios(QUERY* query)
{
    COLMEIA colmeias(query);
    const LISTA_APIARIOS lista_apiarios = colmeias.apiarios();
    ids_apiarios.clear();
    // Read in place by the list: 100,000 apiaries make no menu item each.
    w.combo_destino->preencher(nomes_de_apiarios(lista_apiarios, "", &ids_apiarios));
}

void CamposRegistro::produto_escolhido()
{
    const int i = w.combo_produto->get_active_row_number();
    if (w.combo_unidade && i > 0 && static_cast<std::size_t>(i) <= produtos.size() &&
        w.combo_unidade->get_active_row_number() <= 0)
        escolher_texto(*w.combo_unidade, produtos[i - 1].unidade);
}

void CamposRegistro::doenca_escolhida()
{
    const std::string doenca = texto(w.combo_doenca);
    w.entry_outra->set_sensitive(doenca == OUTRA_DOENCA && w.combo_doenca->get_sensitive());
    w.label_notificacao->set_text(notificacao(doenca));
}

int CamposRegistro::produto() const
{
    const int i = w.combo_produto->get_active_row_number();
    return i > 0 && static_cast<std::size_t>(i) <= produtos.size() ? produtos[i - 1].id : 0;
}

void CamposRegistro::escolher_produto(int id, const std::string& nome)
{
    for (std::size_t i = 0; i < produtos.size(); ++i) {
        if (produtos[i].id == id) {
            w.combo_produto->set_active(static_cast<int>(i) + 1);
            return;
        }
    }
    // A product no longer offered (of another kind now, say): shown by its
    // name, and kept by a save that does not change it.
    PRODUTOS p;
    p.id = id;
    p.nome = nome;
    produtos.push_back(p);
    w.combo_produto->append(nome);
    w.combo_produto->set_active(static_cast<int>(produtos.size()));
}

void CamposRegistro::limpar()
{
    const std::string hoje = data_de_hoje();
    for (Gtk::Entry* e : { w.entry_data, w.entry_inicio, w.entry_fim })
        if (e)
            e->set_text(hoje);
    for (Gtk::Entry* e : { w.entry_dose, w.entry_quantidade, w.entry_lote, w.entry_peso, w.entry_gta, w.entry_outra,
                           w.entry_quadros, w.entry_obs })
        if (e)
            e->set_text("");
    for (Gtk::ComboBoxText* c : { w.combo_produto, w.combo_unidade, static_cast<Gtk::ComboBoxText*>(w.combo_destino),
                                  w.combo_finalidade, w.combo_doenca, w.combo_nivel })
        if (c)
            c->set_active(0);
    if (w.combo_doenca)
        doenca_escolhida();
}

void CamposRegistro::mostrar(const TRATAMENTOS& t)
{
    // The unit as stored, not the one its product would suggest.
    w.combo_unidade->set_active(0);
    escolher_produto(t.id_produto, t.produto);
    w.entry_inicio->set_text(t.inicio);
    w.entry_fim->set_text(t.fim);
    w.entry_dose->set_text(t.dose);
    escolher_texto(*w.combo_unidade, t.unidade);
    w.entry_lote->set_text(t.lote);
    w.entry_obs->set_text(t.obs);
}

void CamposRegistro::mostrar(const ALIMENTACOES& a)
{
    w.combo_unidade->set_active(0);
    escolher_produto(a.id_produto, a.produto);
    w.entry_data->set_text(a.data);
    w.entry_quantidade->set_text(a.quantidade);
    escolher_texto(*w.combo_unidade, a.unidade);
    w.entry_obs->set_text(a.obs);
}

void CamposRegistro::mostrar(const PESAGENS& p)
{
    w.entry_data->set_text(p.data);
    w.entry_peso->set_text(p.peso);
    w.entry_obs->set_text(p.obs);
}

void CamposRegistro::mostrar(const COLHEITAS& c)
{
    w.entry_data->set_text(c.data);
    w.entry_peso->set_text(c.quilos);
    w.entry_obs->set_text(c.obs);
}

void CamposRegistro::mostrar(const MOVIMENTACOES& m)
{
    w.combo_destino->set_active(0);
    for (std::size_t i = 0; i < ids_apiarios.size(); ++i) {
        if (ids_apiarios[i] == m.id_destino)
            w.combo_destino->set_active(static_cast<int>(i) + 1);
    }
    w.entry_data->set_text(m.data);
    w.entry_gta->set_text(m.gta);
    escolher_texto(*w.combo_finalidade, m.finalidade);
    w.entry_obs->set_text(m.obs);
}

void CamposRegistro::mostrar(const OCORRENCIAS& o)
{
    w.entry_data->set_text(o.data);
    escolher_texto(*w.combo_doenca, o.doenca);
    w.entry_outra->set_text(o.outra);
    w.entry_quadros->set_text(o.quadros);
    escolher_texto(*w.combo_nivel, o.nivel);
    w.entry_obs->set_text(o.obs);
}

void CamposRegistro::ler(TRATAMENTOS& t) const
{
    t.id_produto = produto();
    t.inicio = texto(w.entry_inicio);
    t.fim = texto(w.entry_fim);
    t.dose = texto(w.entry_dose);
    t.unidade = texto(w.combo_unidade);
    t.lote = texto(w.entry_lote);
    t.obs = texto(w.entry_obs);
}

void CamposRegistro::ler(ALIMENTACOES& a) const
{
    a.id_produto = produto();
    a.data = texto(w.entry_data);
    a.quantidade = texto(w.entry_quantidade);
    a.unidade = texto(w.combo_unidade);
    a.obs = texto(w.entry_obs);
}

void CamposRegistro::ler(PESAGENS& p) const
{
    p.data = texto(w.entry_data);
    p.peso = texto(w.entry_peso);
    p.obs = texto(w.entry_obs);
}

void CamposRegistro::ler(COLHEITAS& c) const
{
    c.data = texto(w.entry_data);
    c.quilos = texto(w.entry_peso);
    c.obs = texto(w.entry_obs);
}

void CamposRegistro::ler(MOVIMENTACOES& m) const
{
    const int i = w.combo_destino->get_active_row_number();
    m.id_destino = i > 0 && static_cast<std::size_t>(i) <= ids_apiarios.size() ? ids_apiarios[i - 1] : 0;
    m.data = texto(w.entry_data);
    m.gta = texto(w.entry_gta);
    m.finalidade = texto(w.combo_finalidade);
    m.obs = texto(w.entry_obs);
}

void CamposRegistro::ler(OCORRENCIAS& o) const
{
    o.data = texto(w.entry_data);
    o.doenca = texto(w.combo_doenca);
    // The name of another finding only goes with "Outra".
    o.outra = o.doenca == OUTRA_DOENCA ? texto(w.entry_outra) : std::string();
    o.quadros = texto(w.entry_quadros);
    o.nivel = texto(w.combo_nivel);
    o.obs = texto(w.entry_obs);
}

void CamposRegistro::so_leitura()
{
    for (Gtk::Entry* e : { w.entry_data, w.entry_inicio, w.entry_fim, w.entry_dose, w.entry_quantidade, w.entry_lote,
                           w.entry_peso, w.entry_gta, w.entry_outra, w.entry_quadros, w.entry_obs })
        if (e)
            e->set_editable(false);
    for (Gtk::ComboBoxText* c : { w.combo_produto, w.combo_unidade, static_cast<Gtk::ComboBoxText*>(w.combo_destino),
                                  w.combo_finalidade, w.combo_doenca, w.combo_nivel })
        if (c)
            c->set_sensitive(false);
}
