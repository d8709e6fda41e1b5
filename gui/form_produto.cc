#include "gui/form_produto.h"

#include <string>

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/toolbar.h>

#include "gui/campos_registro.h"
#include "gui/exportar_lista.h"
#include "gui/montagem.h"

namespace {

const int LARGURA_ROTULO = 130;

Gtk::ComboBoxText* lista_com_vazio(const char* const* textos, std::size_t n)
{
    Gtk::ComboBoxText* c = Gtk::manage(new Gtk::ComboBoxText());
    c->append("");
    for (std::size_t i = 0; i < n; ++i)
        c->append(textos[i]);
    c->set_active(0);
    return c;
}

// A sample product says so in the list, once (the sample data may have it
// in the name already).
std::string nome_na_lista(const PRODUTOS& p)
{
    static const std::string marca = " (exemplo)";
    const bool marcado =
        p.nome.size() >= marca.size() && p.nome.compare(p.nome.size() - marca.size(), marca.size(), marca) == 0;
    return p.exemplo && !marcado ? p.nome + marca : p.nome;
}

} // namespace

FORM_PRODUTO::FORM_PRODUTO(int id, Contexto& contexto) : FormularioCom(id, contexto), produtos(contexto.query) {}

void FORM_PRODUTO::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Cadastro de Produtos");
    j.set_default_size(760, 520);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 0));
    vertical->pack_start(*barra_registro(w, Depois::EXCLUIR), false, false, 0);

    w.label_codigo = rotulo("");
    w.entry_nome = Gtk::manage(new Gtk::Entry());
    w.entry_nome->set_width_chars(40);
    w.combo_tipo = lista_com_vazio(TIPOS_PRODUTO, 3);
    w.entry_principio = Gtk::manage(new Gtk::Entry());
    w.entry_principio->set_width_chars(40);
    w.entry_carencia = Gtk::manage(new Gtk::Entry());
    w.entry_carencia->set_width_chars(6);
    w.entry_carencia->set_max_length(6);
    w.combo_unidade = lista_com_vazio(UNIDADES, 6);
    w.label_bula = rotulo("Confira a carência na bula ou no rótulo do produto.");

    Gtk::Frame* quadro = Gtk::manage(new Gtk::Frame("Produto"));
    Gtk::VBox* caixa = Gtk::manage(new Gtk::VBox(false, 4));
    linha(*caixa, "Código", *w.label_codigo, 10, LARGURA_ROTULO);
    linha(*caixa, "Nome", *w.entry_nome, 10, LARGURA_ROTULO);
    linha(*caixa, "Tipo", *w.combo_tipo, 10, LARGURA_ROTULO);
    linha(*caixa, "Princípio ativo", *w.entry_principio, 10, LARGURA_ROTULO);
    Gtk::HBox* l = linha(*caixa, "Carência (dias)", *w.entry_carencia, 10, LARGURA_ROTULO);
    l->pack_start(*w.label_bula, false, false, 10);
    linha(*caixa, "Unidade", *w.combo_unidade, 10, LARGURA_ROTULO);
    quadro->add(*caixa);
    vertical->pack_start(*quadro, false, false, 5);

    lista = Gtk::ListStore::create(colunas);
    w.treeview_produtos = Gtk::manage(new Gtk::TreeView(lista));
    coluna_texto(*w.treeview_produtos, "Nome", colunas.textos[0], 220);
    coluna_texto(*w.treeview_produtos, "Tipo", colunas.textos[1], 110);
    coluna_texto(*w.treeview_produtos, "Princípio ativo", colunas.textos[2], 170);
    coluna_texto(*w.treeview_produtos, "Carência (dias)", colunas.textos[3], 110);
    coluna_texto(*w.treeview_produtos, "Unidade", colunas.textos[4], 70);
    Gtk::Frame* quadro_lista = Gtk::manage(new Gtk::Frame("Produtos"));
    quadro_lista->add(*rolagem(*w.treeview_produtos, 200));
    vertical->pack_start(*quadro_lista, true, true, 5);
    w.button_exportar_csv = Gtk::manage(new Gtk::Button("Exportar CSV"));
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 0));
    botoes->pack_end(*w.button_exportar_csv, false, false, 0);
    vertical->pack_start(*botoes, false, false, 0);
    j.add(*vertical);
    w.button_exportar_csv->signal_clicked().connect(
        [this] { exportar_lista(*w.treeview_produtos, *janela(), "Produtos", "produtos.csv"); });

    w.entry_carencia->signal_changed().connect(
        sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::checar_digito), w.entry_carencia, 2));
    tab(*w.entry_nome, *w.combo_tipo);
    tab(*w.entry_principio, *w.entry_carencia);
    tab(*w.entry_carencia, *w.combo_unidade);
    w.treeview_produtos->get_selection()->signal_changed().connect(sigc::mem_fun(*this, &FORM_PRODUTO::escolhido));
    ligar_barra(w);
    j.signal_show().connect([this] { estado(1); });
}

void FORM_PRODUTO::editaveis(bool sim)
{
    w.entry_nome->set_editable(sim);
    w.entry_principio->set_editable(sim);
    w.combo_unidade->set_sensitive(sim);
    // The kind and the withdrawal period are the administrators' (the
    // database refuses them to anyone else).
    w.combo_tipo->set_sensitive(sim && ctx.administrador);
    w.entry_carencia->set_editable(sim && ctx.administrador);
    w.entry_carencia->set_sensitive(ctx.administrador);
    // A pending New or Edit stays on the product it began with.
    w.treeview_produtos->set_sensitive(!sim);
}

void FORM_PRODUTO::mudar_estado(int e)
{
    const bool navegando = e == 1;
    editaveis(!navegando);
    w.button_salvar->set_sensitive(!navegando);
    w.button_cancelar->set_sensitive(!navegando);
    w.button_novo->set_sensitive(navegando && ctx.administrador);
    w.button_editar->set_sensitive(navegando && atual.id != 0);
    w.button_excluir->set_sensitive(navegando && atual.id != 0 && ctx.administrador);
    if (navegando) {
        carregar_dados(get_id());
    } else if (e == 0) {
        limpar();
        focar(*w.entry_nome);
    } else {
        focar(*w.entry_nome);
    }
}

void FORM_PRODUTO::carregar_dados(int)
{
    produtos.listar().copiar(listados);
    preenchendo = true;
    w.treeview_produtos->unset_model();
    lista = Gtk::ListStore::create(colunas);
    int linha_atual = -1;
    for (std::size_t i = 0; i < listados.size(); ++i) {
        const PRODUTOS& p = listados[i];
        Gtk::TreeModel::Row linha = *lista->append();
        linha[colunas.codigo] = p.id;
        linha[colunas.textos[0]] = nome_na_lista(p);
        linha[colunas.textos[1]] = p.tipo;
        linha[colunas.textos[2]] = p.principio_ativo;
        linha[colunas.textos[3]] = p.carencia;
        linha[colunas.textos[4]] = p.unidade;
        if (atual.id != 0 && p.id == atual.id)
            linha_atual = static_cast<int>(i);
    }
    w.treeview_produtos->set_model(lista);
    if (linha_atual >= 0) {
        Gtk::TreePath caminho;
        caminho.push_back(linha_atual);
        w.treeview_produtos->get_selection()->select(caminho);
        mostrar(listados[linha_atual]);
    } else {
        limpar();
    }
    preenchendo = false;
    w.button_editar->set_sensitive(atual.id != 0 && !inserindo() && !editando());
    w.button_excluir->set_sensitive(atual.id != 0 && !inserindo() && !editando() && ctx.administrador);
}

void FORM_PRODUTO::escolhido()
{
    if (preenchendo || inserindo() || editando())
        return;
    Gtk::TreeModel::iterator it = w.treeview_produtos->get_selection()->get_selected();
    if (!it)
        return;
    const int id = (*it)[colunas.codigo];
    for (const PRODUTOS& p : listados) {
        if (p.id == id)
            mostrar(p);
    }
    w.button_editar->set_sensitive(true);
    w.button_excluir->set_sensitive(ctx.administrador);
}

void FORM_PRODUTO::mostrar(const PRODUTOS& p)
{
    atual = p;
    w.label_codigo->set_text(std::to_string(p.id));
    w.entry_nome->set_text(p.nome);
    escolher_texto(*w.combo_tipo, p.tipo);
    w.entry_principio->set_text(p.principio_ativo);
    w.entry_carencia->set_text(p.carencia);
    escolher_texto(*w.combo_unidade, p.unidade);
}

void FORM_PRODUTO::limpar()
{
    atual = PRODUTOS();
    w.label_codigo->set_text("");
    w.entry_nome->set_text("");
    w.combo_tipo->set_active(0);
    w.entry_principio->set_text("");
    w.entry_carencia->set_text("");
    w.combo_unidade->set_active(0);
    preenchendo = true;
    w.treeview_produtos->get_selection()->unselect_all();
    preenchendo = false;
}

FALHA FORM_PRODUTO::salvar(bool inserir)
{
    PRODUTOS p;
    p.nome = w.entry_nome->get_text().raw();
    p.tipo = w.combo_tipo->get_active_text().raw();
    p.principio_ativo = w.entry_principio->get_text().raw();
    p.carencia = w.entry_carencia->get_text().raw();
    p.unidade = w.combo_unidade->get_active_text().raw();
    if (inserir) {
        if (!produtos.inserir(&p))
            return desfecho(false, produtos);
    } else {
        if (atual.id == 0)
            return FALHA::recusa("Escolha na lista o produto a alterar.");
        p.id = atual.id;
        p.versao = atual.versao;
        p.exemplo = atual.exemplo;
        if (!produtos.atualizar(&p))
            return desfecho(false, produtos);
    }
    // Browsing again shows the product saved, as stored.
    atual.id = p.id;
    return FALHA();
}

FALHA FORM_PRODUTO::excluir()
{
    if (atual.id == 0)
        return FALHA::recusa("Escolha na lista o produto a excluir.");
    if (!produtos.deletar(atual.id, atual.versao))
        return desfecho(false, produtos);
    atual = PRODUTOS();
    return FALHA();
}

std::string FORM_PRODUTO::detalhe_exclusao()
{
    return "Produto " + atual.nome + ".";
}
