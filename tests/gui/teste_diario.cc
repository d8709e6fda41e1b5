// The windows of the hive's journal driven through their widgets: products
// saved, refused and kept as typed; a treatment of several marked hives
// stored for each and the withdrawal then shown by the hive window; a move
// to another municipality without a transit guide asked about once; entries
// added, opened and deleted from the hive window, the notice of a finding
// that must be notified at once, a hive with findings that cannot be
// deleted, and a split that makes a new hive.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/campos_registro.h"
#include "gui/colmeia_view.h"
#include "gui/dialogo_registro.h"
#include "gui/form_manejo_lote.h"
#include "gui/form_produto.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"
#include "gui/widgets_teste.h"
#include "model/colmeia.h"
#include "model/diario.h"
#include "model/produto.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;
using Linhas = std::vector<std::vector<std::string>>;

namespace {

const char* const BOA_ESPERANCA = "Apiário Boa Esperança";   // Dourados
const char* const SANTA_LUZIA = "Apiário Santa Luzia";       // Dourados
const char* const TRES_IRMAOS = "Apiário Três Irmãos";       // Itaporã
// The products the tests add (the sample data has others).
const char* const NOSSOS = "nome in ('Tiras de amitraz', 'Xarope de açúcar', 'Luvas')";
const char* const IMEDIATA =
    "Esta ocorrência é de notificação imediata: comunique-a já ao serviço veterinário oficial do seu estado.";

class Diario : public teste::SistemaTeste
{
protected:
    // A hive stored as another program would (apiary by key).
    int colmeia(int apiario, const char* status = "Ativa")
    {
        return std::stoi(banco->valor("insert into cadastro.colmeia (tipo, status, id_apiario) values ('Langstroth', '" +
                                      std::string(status) + "', " + std::to_string(apiario) +
                                      ") returning id_colmeia"));
    }

    // A product stored through the model, in the logged-in session.
    int produto(const std::string& nome, const char* tipo, const char* carencia, const char* unidade)
    {
        PRODUTOS p;
        p.nome = nome;
        p.tipo = tipo;
        p.carencia = carencia;
        p.unidade = unidade;
        PRODUTO modelo(query.get());
        EXPECT_TRUE(modelo.inserir(&p)) << modelo.falha().motivo();
        return p.id;
    }

    std::string contar(const std::string& tabela, const std::string& onde = "true")
    {
        return banco->valor("select count(*) from cadastro." + tabela + " where " + onde);
    }

    // A day counted from today, as the windows write it.
    std::string dia(int mais)
    {
        return banco->valor("select to_char(current_date + " + std::to_string(mais) + ", 'DD/MM/YYYY')");
    }

    void escolher_linha(Gtk::TreeView* lista, int i)
    {
        Gtk::TreePath caminho;
        caminho.push_back(i);
        lista->get_selection()->select(caminho);
    }

    // The row of the list whose first column (or `coluna`) shows `texto`, or -1.
    int linha_com(Gtk::TreeView* lista, const std::string& texto, int coluna = 0)
    {
        const Linhas l = teste::linhas(lista);
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (l[i][coluna] == texto)
                return static_cast<int>(i);
        }
        return -1;
    }

    // What a product list offers: an empty entry, then the feeds or every
    // other product, by name.
    std::vector<std::string> produtos_oferecidos(bool alimentos)
    {
        std::vector<std::string> nomes { "" };
        for (const LINHA& l : banco->consultar(std::string("select nome from cadastro.produto where tipo ") +
                                               (alimentos ? "=" : "<>") + " 'Alimento' order by nome"))
            nomes.push_back(l[0]);
        return nomes;
    }

    FORM_PRODUTO* fp() { return form<FORM_PRODUTO>(ids::PRODUTOS); }
    FORM_MANEJO_LOTE* lote(ids::Janela id) { return form<FORM_MANEJO_LOTE>(id); }
    COLMEIA_VIEW* cv() { return form<COLMEIA_VIEW>(ids::COLMEIAS); }
    DialogoRegistro* dr() { return cv() ? cv()->get_dialogo_registro() : nullptr; }

    void produto_na_janela(const char* nome, const char* tipo, const char* principio, const char* carencia,
                           const char* unidade)
    {
        const WidgetsProduto& w = fp()->widgets();
        w.entry_nome->set_text(nome);
        EXPECT_TRUE(escolher(w.combo_tipo, tipo)) << tipo;
        w.entry_principio->set_text(principio);
        teste::digitar(w.entry_carencia, carencia);
        EXPECT_TRUE(escolher(w.combo_unidade, unidade)) << unidade;
    }

    // Opens the entry dialog of the hive window for a new entry of that kind.
    void novo_registro(Roteiro& r, const char* tipo)
    {
        r.passo([this, tipo] {
            EXPECT_TRUE(escolher(cv()->widgets().combo_novo_registro, tipo)) << tipo;
            teste::clicar(cv()->widgets().button_novo_registro);
        });
        r.esperar([this] { return dr() && dr()->is_visible(); }, "the entry dialog");
    }
    void salvar_registro(Roteiro& r)
    {
        r.passo([this] { teste::clicar(dr()->widgets().button_salvar); });
    }
    // Waits for a message dialog, checks its text and, as the step runs,
    // the secondary text `detalhe` gives then; answers it.
    void responder_com(Roteiro& r, const std::string& texto, std::function<std::string()> detalhe, int resposta)
    {
        r.esperar([] { return teste::dialogo_visivel() != nullptr; }, "the dialog \"" + texto + "\"");
        r.passo([texto, detalhe, resposta] {
            Gtk::MessageDialog* d = teste::dialogo_visivel();
            EXPECT_EQ(d->property_text().get_value(), texto);
            EXPECT_EQ(d->property_secondary_text().get_value(), detalhe());
            d->response(resposta);
        });
    }
    void esperar_sem_dialogo(Roteiro& r)
    {
        r.esperar([this] { return dr() == nullptr; }, "the entry dialog to close");
    }
};

} // namespace

TEST_F(Diario, ProdutosGravadosRecusadosEmUsoENaoExcluidos)
{
    int colmeia_tratada = 0;
    std::string em_uso;
    Roteiro r;
    entrar(r);
    abrir(r, ids::PRODUTOS);
    r.passo([&] {
        const WidgetsProduto& w = fp()->widgets();
        EXPECT_EQ(fp()->janela()->get_title(), "Cadastro de Produtos");
        EXPECT_EQ(w.label_bula->get_text(), "Confira a carência na bula ou no rótulo do produto.");
        EXPECT_EQ(teste::titulos(w.treeview_produtos),
                  (std::vector<std::string> { "Nome", "Tipo", "Princípio ativo", "Carência (dias)", "Unidade" }));
        EXPECT_EQ(teste::textos_lista(w.combo_tipo),
                  (std::vector<std::string> { "", "Medicamento", "Alimento", "Outro insumo" }));

        teste::clicar(w.button_novo);
        produto_na_janela("Tiras de amitraz", "Medicamento", "Amitraz", "4x2", "tira");
        // The digits filter keeps the period a number of days.
        EXPECT_EQ(w.entry_carencia->get_text(), "42");
        teste::clicar(w.button_salvar);
        teste::clicar(w.button_novo);
        produto_na_janela("Xarope de açúcar", "Alimento", "", "0", "L");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(banco->unidos("select nome, tipo, principio_ativo, carencia_dias, unidade, exemplo "
                                "from cadastro.produto where not exemplo order by id_produto"),
                  "Tiras de amitraz|Medicamento|Amitraz|42|tira|f|Xarope de açúcar|Alimento||0|L|f|");
        // A sample product says so in the list.
        EXPECT_EQ(banco->executar("update cadastro.produto set exemplo = true where nome = 'Xarope de açúcar'"), "");
        fp()->estado(1);
        const Linhas listados = teste::linhas(w.treeview_produtos);
        EXPECT_EQ(std::to_string(listados.size()), contar("produto"));
        const int nosso = linha_com(w.treeview_produtos, "Tiras de amitraz");
        ASSERT_GE(nosso, 0);
        EXPECT_EQ(listados[nosso], (std::vector<std::string> { "Tiras de amitraz", "Medicamento", "Amitraz", "42", "tira" }));
        EXPECT_NE(linha_com(w.treeview_produtos, "Xarope de açúcar (exemplo)"), -1);
        // The sample data's own names have the mark once.
        EXPECT_NE(linha_com(w.treeview_produtos, "Tiras de amitraz (exemplo)"), -1);
        EXPECT_EQ(linha_com(w.treeview_produtos, "Tiras de amitraz (exemplo) (exemplo)"), -1);

        // A name another product has: refused, and everything typed stays.
        teste::clicar(w.button_novo);
        produto_na_janela("Tiras de amitraz", "Outro insumo", "outro", "7", "g");
        teste::clicar(w.button_salvar);
    });
    r.responder("Verifique as informações digitadas !", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        const WidgetsProduto& w = fp()->widgets();
        EXPECT_EQ(contar("produto", NOSSOS), "2");
        EXPECT_TRUE(fp()->inserindo());
        EXPECT_EQ(w.entry_nome->get_text() + "|" + w.combo_tipo->get_active_text() + "|" +
                      w.entry_principio->get_text() + "|" + w.entry_carencia->get_text() + "|" +
                      w.combo_unidade->get_active_text(),
                  "Tiras de amitraz|Outro insumo|outro|7|g");
        // Mended, it is saved.
        w.entry_nome->set_text("Luvas");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(contar("produto", "nome = 'Luvas' and tipo = 'Outro insumo' and carencia_dias = 7"), "1");

        // A product a treatment uses cannot be deleted: the question, then
        // the model's reason, and the product stays shown and stored.
        colmeia_tratada = colmeia(1);
        TRATAMENTOS t;
        t.id_produto = std::stoi(banco->valor("select id_produto from cadastro.produto where nome = 'Tiras de amitraz'"));
        t.inicio = t.fim = dia(0);
        DIARIO diario(query.get());
        ASSERT_TRUE(diario.tratar(t, { colmeia_tratada })) << diario.falha().motivo();
        PRODUTO modelo(query.get());
        EXPECT_FALSE(modelo.deletar(t.id_produto));
        em_uso = modelo.falha().motivo();
        EXPECT_FALSE(em_uso.empty());
        escolher_linha(w.treeview_produtos, linha_com(w.treeview_produtos, "Tiras de amitraz"));
        EXPECT_EQ(w.entry_nome->get_text(), "Tiras de amitraz");
        teste::clicar(w.button_excluir);
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    responder_com(r, "Erro ao Excluir!", [&] { return em_uso; }, Gtk::RESPONSE_OK);
    r.passo([&] {
        const WidgetsProduto& w = fp()->widgets();
        EXPECT_EQ(contar("produto", NOSSOS), "3");
        EXPECT_EQ(w.entry_nome->get_text(), "Tiras de amitraz");
        EXPECT_EQ(contar("tratamento", "id_colmeia = " + std::to_string(colmeia_tratada)), "1");
        // Edited, its ingredient is stored; one no entry uses is deleted.
        teste::clicar(w.button_editar);
        w.entry_principio->set_text("Amitraz 500 mg");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(contar("produto", "principio_ativo = 'Amitraz 500 mg'"), "1");
        escolher_linha(w.treeview_produtos, linha_com(w.treeview_produtos, "Luvas"));
        teste::clicar(w.button_excluir);
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    r.responder("Excluído com Sucesso!", Gtk::RESPONSE_OK);
    r.passo([&] {
        EXPECT_EQ(contar("produto", NOSSOS), "2");
        EXPECT_EQ(contar("produto", "nome = 'Luvas'"), "0");
    });
    rodar(r);
}

TEST_F(Diario, QuemNaoEAdministradorSoCorrigeNomeEPrincipio)
{
    Roteiro r;
    r.passo([this] { EXPECT_EQ(banco->executar("insert into cadastro.produto (nome, tipo, carencia_dias, unidade) "
                                               "values ('Ácido oxálico puro', 'Medicamento', 0, 'g')"),
                               ""); });
    entrar(r, "maria", "abelha");
    abrir(r, ids::PRODUTOS);
    r.passo([this] {
        const WidgetsProduto& w = fp()->widgets();
        EXPECT_FALSE(w.button_novo->is_sensitive());
        escolher_linha(w.treeview_produtos, linha_com(w.treeview_produtos, "Ácido oxálico puro"));
        EXPECT_FALSE(w.button_excluir->is_sensitive());
        teste::clicar(w.button_editar);
        EXPECT_FALSE(w.combo_tipo->is_sensitive());
        EXPECT_FALSE(w.entry_carencia->is_sensitive());
        w.entry_principio->set_text("ácido oxálico di-hidratado");
        teste::clicar(w.button_salvar);
        EXPECT_EQ(banco->unidos("select nome, tipo, principio_ativo, carencia_dias from cadastro.produto "
                                "where nome like 'Ácido oxálico puro%'"),
                  "Ácido oxálico puro|Medicamento|ácido oxálico di-hidratado|0|");
    });
    rodar(r);
}

TEST_F(Diario, TratamentoEmLoteEMovimentacaoSemGta)
{
    int a1 = 0, a2 = 0, b = 0, morta = 0, apivar = 0;
    Roteiro r;
    entrar(r);
    r.passo([&] {
        a1 = colmeia(1);
        a2 = colmeia(1);
        b = colmeia(2);
        morta = colmeia(1, "Morta");
        apivar = produto("Apivar", "Medicamento", "10", "tira");
        produto("Xarope", "Alimento", "0", "L");
    });
    abrir(r, ids::TRATAMENTO_LOTE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::TRATAMENTO_LOTE);
        const WidgetsManejoLote& w = f->widgets();
        EXPECT_EQ(f->janela()->get_title(), "Tratamento em Lote");
        // The hive that ended is not offered; feeds are no treatment.
        EXPECT_EQ(f->get_lista()->children().size(), 3u);
        EXPECT_FALSE(f->marcar(morta, true));
        EXPECT_EQ(teste::textos_lista(w.campos->widgets().combo_produto), produtos_oferecidos(false));
        // Nothing marked: nothing stored.
        teste::clicar(w.button_salvar_lote);
    });
    r.responder("Marque na lista as colméias que recebem o registro.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::TRATAMENTO_LOTE);
        const WidgetsManejoLote& w = f->widgets();
        // "Todos", then every apiary.
        EXPECT_EQ(w.combo_apiario->textos().front(), "Todos");
        EXPECT_EQ(w.combo_apiario->textos().size(),
                  1 + std::stoul(banco->valor("select count(*) from cadastro.apiario")));
        EXPECT_TRUE(escolher(w.combo_apiario, BOA_ESPERANCA));
        teste::clicar(w.button_marcar);
        EXPECT_EQ(f->marcadas(), (std::vector<int> { a1, a2 }));
        EXPECT_EQ(w.label_marcadas->get_text(), "2 colméias marcadas.");
        // The list shows the ticks given.
        const ColunasLote colunas;
        for (Gtk::TreeModel::Row l : f->get_lista()->children())
            EXPECT_EQ(l[colunas.marcada], l[colunas.codigo] == a1 || l[colunas.codigo] == a2) << l[colunas.codigo];
        // Without a product the model refuses it: nothing stored, all kept.
        w.campos->widgets().entry_dose->set_text("1");
        teste::clicar(w.button_salvar_lote);
    });
    r.responder("", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::TRATAMENTO_LOTE);
        const WidgetsCampos& c = f->widgets().campos->widgets();
        EXPECT_EQ(contar("tratamento"), "0");
        EXPECT_EQ(f->marcadas(), (std::vector<int> { a1, a2 }));
        EXPECT_EQ(c.entry_dose->get_text(), "1");
        EXPECT_TRUE(escolher(c.combo_produto, "Apivar"));
        // The product's unit is offered.
        EXPECT_EQ(c.combo_unidade->get_active_text(), "tira");
        c.entry_lote->set_text("L-2291");
        teste::clicar(f->widgets().button_salvar_lote);
    });
    r.responder("Tratamento registrado em 2 colméias.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::TRATAMENTO_LOTE);
        for (int id : { a1, a2 })
            EXPECT_EQ(banco->unidos("select id_produto, to_char(fim, 'DD/MM/YYYY'), dose, unidade, lote_produto, "
                                    "to_char(carencia_ate, 'DD/MM/YYYY') from cadastro.tratamento where id_colmeia = " +
                                    std::to_string(id)),
                      std::to_string(apivar) + "|" + dia(0) + "|1.000|tira|L-2291|" + dia(10) + "|");
        EXPECT_EQ(contar("tratamento"), "2");
        // The list is read again, none marked, with the withdrawal shown.
        EXPECT_TRUE(f->marcadas().empty());
        EXPECT_EQ(teste::celula(f->widgets().treeview_colmeias, 5, 0), dia(10));
        EXPECT_EQ(teste::celula(f->widgets().treeview_colmeias, 5, 2), "");
        f->janela()->hide();
    });
    esperar_fechado(r, ids::TRATAMENTO_LOTE, "the batch window to close");

    // The hive window shows it beside the code and in its list.
    abrir(r, ids::COLMEIAS);
    r.passo([&] {
        const WidgetsColmeia& w = cv()->widgets();
        EXPECT_EQ(teste::titulos(w.treeview_colmeias),
                  (std::vector<std::string> { "Código", "Tipo", "Status", "Rainha", "Marcação", "Apiário", "Carência" }));
        const int i = linha_com(w.treeview_colmeias, std::to_string(a1));
        ASSERT_GE(i, 0);
        EXPECT_EQ(teste::linhas(w.treeview_colmeias)[i][6], dia(10));
        escolher_linha(w.treeview_colmeias, i);
        EXPECT_EQ(w.label_carencia->get_text(), "Em carência até " + dia(10));
        ASSERT_EQ(teste::linhas(w.treeview_diario).size(), 1u);
        EXPECT_EQ(teste::linhas(w.treeview_diario)[0][1], "Tratamento");
        escolher_linha(w.treeview_colmeias, linha_com(w.treeview_colmeias, std::to_string(b)));
        EXPECT_EQ(w.label_carencia->get_text(), "");
        cv()->janela()->hide();
    });
    esperar_fechado(r, ids::COLMEIAS, "the hive window to close");

    // Two hives to another municipality without a transit guide: asked
    // once; Cancel stores nothing and keeps everything.
    abrir(r, ids::MOVIMENTACAO);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::MOVIMENTACAO);
        const WidgetsCampos& c = f->widgets().campos->widgets();
        EXPECT_EQ(f->janela()->get_title(), "Movimentação de Colméias");
        EXPECT_TRUE(f->marcar(a1, true));
        EXPECT_TRUE(f->marcar(a2, true));
        EXPECT_TRUE(escolher(c.combo_destino, TRES_IRMAOS));
        EXPECT_TRUE(escolher(c.combo_finalidade, "Polinização"));
        c.entry_obs->set_text("para a laranjeira");
        teste::clicar(f->widgets().button_salvar_lote);
    });
    r.responder("2 colméias vão para um apiário de outro município sem GTA. Continuar assim mesmo?",
                Gtk::RESPONSE_CANCEL);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::MOVIMENTACAO);
        const WidgetsCampos& c = f->widgets().campos->widgets();
        EXPECT_EQ(contar("movimentacao"), "0");
        EXPECT_EQ(contar("colmeia", "id_apiario = 1"), "3");
        EXPECT_EQ(f->marcadas(), (std::vector<int> { a1, a2 }));
        EXPECT_EQ(c.combo_destino->get_active_text(), TRES_IRMAOS);
        EXPECT_EQ(c.entry_obs->get_text(), "para a laranjeira");
        teste::clicar(f->widgets().button_salvar_lote);
    });
    r.responder("2 colméias vão para um apiário de outro município sem GTA. Continuar assim mesmo?",
                Gtk::RESPONSE_OK);
    r.responder("2 colméias movidas.", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        FORM_MANEJO_LOTE* f = lote(ids::MOVIMENTACAO);
        const WidgetsCampos& c = f->widgets().campos->widgets();
        EXPECT_EQ(banco->unidos("select id_colmeia, id_origem, id_destino, gta, finalidade, obs "
                                "from cadastro.movimentacao order by id_colmeia"),
                  std::to_string(a1) + "|1|3||Polinização|para a laranjeira|" + std::to_string(a2) +
                      "|1|3||Polinização|para a laranjeira|");
        EXPECT_EQ(contar("colmeia", "id_apiario = 3"), "2");
        // Within the municipality no guide is asked for.
        EXPECT_TRUE(f->marcar(b, true));
        EXPECT_TRUE(escolher(c.combo_destino, BOA_ESPERANCA));
        teste::clicar(f->widgets().button_salvar_lote);
    });
    r.responder("1 colméia movida.", Gtk::RESPONSE_CLOSE);
    r.passo([&] { EXPECT_EQ(contar("colmeia", "id_apiario = 1 and id_colmeia = " + std::to_string(b)), "1"); });
    rodar(r);
}

TEST_F(Diario, RegistrosDaColmeiaNotificacaoExclusaoEDivisao)
{
    int h = 0, outra = 0;
    std::string recusa;
    Roteiro r;
    entrar(r);
    r.passo([&] {
        h = colmeia(1);
        outra = colmeia(2);
    });
    abrir(r, ids::COLMEIAS);
    r.passo([&] {
        const WidgetsColmeia& w = cv()->widgets();
        EXPECT_EQ(teste::textos_lista(w.combo_filtro_diario),
                  (std::vector<std::string> { "Todos", "Revisão", "Tratamento", "Alimentação", "Ocorrência", "Pesagem",
                                              "Movimentação", "Evento", "Colheita" }));
        EXPECT_FALSE(w.frame_diario->get_sensitive());
        escolher_linha(w.treeview_colmeias, linha_com(w.treeview_colmeias, std::to_string(h)));
        EXPECT_TRUE(w.frame_diario->get_sensitive());
        EXPECT_EQ(teste::linhas(w.treeview_diario), Linhas());
    });
    // A finding to be notified at once says so when saved.
    novo_registro(r, "Ocorrência");
    r.passo([&] {
        const WidgetsCampos& c = dr()->widgets().campos->widgets();
        EXPECT_FALSE(c.entry_outra->is_sensitive());
        EXPECT_TRUE(escolher(c.combo_doenca, "Cria pútrida americana"));
        EXPECT_EQ(c.label_notificacao->get_text(), "notificação imediata");
        EXPECT_TRUE(escolher(c.combo_nivel, "grave"));
        c.entry_quadros->set_text("3");
    });
    salvar_registro(r);
    r.responder(IMEDIATA, Gtk::RESPONSE_CLOSE);
    esperar_sem_dialogo(r);
    // A monthly one does not; "Outra" asks for its name.
    novo_registro(r, "Ocorrência");
    r.passo([&] {
        EXPECT_EQ(contar("ocorrencia", "doenca = 'Cria pútrida americana' and quadros = 3 and nivel = 'grave'"), "1");
        const WidgetsCampos& c = dr()->widgets().campos->widgets();
        EXPECT_TRUE(escolher(c.combo_doenca, "Outra"));
        EXPECT_TRUE(c.entry_outra->is_sensitive());
        EXPECT_TRUE(escolher(c.combo_doenca, "Varroose"));
        EXPECT_EQ(c.label_notificacao->get_text(), "notificação mensal");
    });
    salvar_registro(r);
    esperar_sem_dialogo(r);
    novo_registro(r, "Pesagem");
    r.passo([&] {
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(contar("ocorrencia"), "2");
        const WidgetsCampos& c = dr()->widgets().campos->widgets();
        EXPECT_EQ(c.entry_data->get_text(), dia(0));
        // A refused weight keeps the dialog open with what was typed.
        c.entry_peso->set_text("0");
    });
    salvar_registro(r);
    r.responder("", Gtk::RESPONSE_CLOSE);
    r.passo([&] {
        ASSERT_NE(dr(), nullptr);
        EXPECT_EQ(dr()->widgets().campos->widgets().entry_peso->get_text(), "0");
        EXPECT_EQ(contar("pesagem"), "0");
        dr()->widgets().campos->widgets().entry_peso->set_text("32,5");
    });
    salvar_registro(r);
    esperar_sem_dialogo(r);
    r.passo([&] {
        const WidgetsColmeia& w = cv()->widgets();
        EXPECT_EQ(contar("pesagem", "peso_kg = 32.5"), "1");
        const Linhas diario = teste::linhas(w.treeview_diario);
        ASSERT_EQ(diario.size(), 3u);
        EXPECT_NE(linha_com(w.treeview_diario, "Pesagem", 1), -1);
        const int imediata = linha_com(w.treeview_diario, "Cria pútrida americana, grave, 3 quadros (notificação imediata)", 2);
        EXPECT_NE(imediata, -1);
        // Filtered by kind.
        EXPECT_TRUE(escolher(w.combo_filtro_diario, "Ocorrência"));
        EXPECT_EQ(teste::linhas(w.treeview_diario).size(), 2u);
        EXPECT_TRUE(escolher(w.combo_filtro_diario, "Todos"));
        // Opened, a finding is edited in its own dialog.
        escolher_linha(w.treeview_diario, linha_com(w.treeview_diario, "Varroose (notificação mensal)", 2));
        teste::clicar(w.button_abrir_registro);
    });
    r.esperar([this] { return dr() && dr()->is_visible(); }, "the opened entry");
    r.passo([&] {
        const WidgetsCampos& c = dr()->widgets().campos->widgets();
        EXPECT_EQ(c.combo_doenca->get_active_text(), "Varroose");
        c.entry_obs->set_text("contagem de ácaros alta");
    });
    salvar_registro(r);
    esperar_sem_dialogo(r);
    r.passo([&] {
        EXPECT_EQ(contar("ocorrencia", "doenca = 'Varroose' and obs = 'contagem de ácaros alta'"), "1");
        EXPECT_EQ(contar("ocorrencia"), "2");
        // Deleting an entry asks first, then deletes it alone.
        const WidgetsColmeia& w = cv()->widgets();
        escolher_linha(w.treeview_diario, linha_com(w.treeview_diario, "Pesagem", 1));
        teste::clicar(w.button_excluir_registro);
    });
    responder_com(r, "Deseja realmente excluir esse registro?",
                  [&] { return "Pesagem de " + dia(0) + " da colméia " + std::to_string(h) + "."; },
                  Gtk::RESPONSE_CANCEL);
    r.passo([&] {
        EXPECT_EQ(contar("pesagem"), "1");
        const WidgetsColmeia& w = cv()->widgets();
        escolher_linha(w.treeview_diario, linha_com(w.treeview_diario, "Pesagem", 1));
        teste::clicar(w.button_excluir_registro);
    });
    r.responder("Deseja realmente excluir esse registro?", Gtk::RESPONSE_OK);
    r.passo([&] {
        EXPECT_EQ(contar("pesagem"), "0");
        EXPECT_EQ(contar("ocorrencia"), "2");
        EXPECT_EQ(teste::linhas(cv()->widgets().treeview_diario).size(), 2u);
        // A hive with findings is not deleted: the model's reason is shown.
        COLMEIA modelo(query.get());
        EXPECT_FALSE(modelo.deletar(h));
        recusa = modelo.falha().motivo();
        EXPECT_FALSE(recusa.empty());
        teste::clicar(cv()->widgets().button_excluir_colmeia);
    });
    r.responder("Deseja realmente excluir esse item?", Gtk::RESPONSE_OK);
    responder_com(r, "Erro ao Excluir!", [&] { return recusa; }, Gtk::RESPONSE_OK);
    r.passo([&] {
        EXPECT_EQ(contar("colmeia", "id_colmeia = " + std::to_string(h)), "1");
        EXPECT_EQ(cv()->get_colmeia_mostrada(), h);
    });
    // A split makes a new hive in the same apiary, listed at once.
    novo_registro(r, "Evento");
    r.passo([&] {
        const WidgetsRegistro& d = dr()->widgets();
        EXPECT_TRUE(escolher(d.combo_evento, "Divisão"));
        EXPECT_TRUE(escolher(d.combo_tipo_nova, "Núcleo"));
        EXPECT_FALSE(d.entry_rgn->is_sensitive());
    });
    salvar_registro(r);
    r.esperar([] { return teste::dialogo_visivel() != nullptr; }, "the split's outcome");
    r.passo([&] {
        const std::string nova = banco->valor("select max(id_colmeia) from cadastro.colmeia");
        EXPECT_EQ(teste::dialogo_visivel()->property_text().get_value(),
                  "Divisão registrada: a nova colméia é a " + nova + ".");
        teste::dialogo_visivel()->response(Gtk::RESPONSE_CLOSE);
    });
    esperar_sem_dialogo(r);
    r.passo([&] {
        const WidgetsColmeia& w = cv()->widgets();
        const std::string nova = banco->valor("select max(id_colmeia) from cadastro.colmeia");
        EXPECT_NE(nova, std::to_string(outra));
        EXPECT_EQ(banco->unidos("select tipo, status, id_apiario from cadastro.colmeia where id_colmeia = " + nova),
                  "Núcleo|Ativa|1|");
        EXPECT_NE(linha_com(w.treeview_colmeias, nova), -1);
        EXPECT_NE(linha_com(w.treeview_diario, "deu a colméia " + nova, 2), -1);
        EXPECT_EQ(cv()->get_colmeia_mostrada(), h);
    });
    rodar(r);
}

TEST_F(Diario, CadaJanelaDoManejoAbrePeloMenuComSeusCampos)
{
    // Which products each window offers: none (0), treatments (1), feeds (2).
    struct Janela { ids::Janela id; const char* titulo; int produtos; };
    const Janela janelas[] = {
        { ids::MOVIMENTACAO, "Movimentação de Colméias", 0 },
        { ids::TRATAMENTO_LOTE, "Tratamento em Lote", 1 },
        { ids::ALIMENTACAO_LOTE, "Alimentação em Lote", 2 },
        { ids::PESAGEM_LOTE, "Pesagem em Lote", 0 },
    };
    Roteiro r;
    entrar(r);
    r.passo([this] {
        produto("Oxálico", "Medicamento", "0", "g");
        produto("Xarope", "Alimento", "0", "L");
        produto("Luvas", "Outro insumo", "0", "dose");
    });
    for (const Janela& j : janelas) {
        abrir(r, j.id);
        r.passo([this, j] {
            FORM_MANEJO_LOTE* f = lote(j.id);
            EXPECT_EQ(f->janela()->get_title(), j.titulo);
            const WidgetsCampos& c = f->widgets().campos->widgets();
            if (j.produtos == 0) {
                EXPECT_EQ(c.combo_produto, nullptr);
            } else {
                const std::vector<std::string> oferecidos = teste::textos_lista(c.combo_produto);
                EXPECT_EQ(oferecidos, produtos_oferecidos(j.produtos == 2));
                const char* nosso = j.produtos == 2 ? "Xarope" : "Luvas";
                EXPECT_NE(std::find(oferecidos.begin(), oferecidos.end(), nosso), oferecidos.end());
            }
            EXPECT_EQ(c.entry_peso != nullptr, j.id == ids::PESAGEM_LOTE);
            EXPECT_EQ(c.entry_gta != nullptr, j.id == ids::MOVIMENTACAO);
            EXPECT_EQ(teste::textos_lista(f->widgets().combo_apiario).front(), "Todos");
            f->janela()->hide();
        });
        esperar_fechado(r, j.id, "the batch window to close");
    }
    rodar(r);
}
