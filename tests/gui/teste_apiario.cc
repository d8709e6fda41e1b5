// The apiary form, its floral source window and the apiary search, driven
// through their widgets on the sample database.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_florada.h"
#include "gui/listas_teste.h"
#include "gui/sistema_teste.h"

using Roteiro = teste::RoteiroTeste;
using teste::escolher;
using teste::textos_lista;

namespace {

class Apiario : public teste::SistemaTeste
{
protected:
    FormApiario* ap() { return form<FormApiario>(ids::APIARIOS); }

    // The stored apiary as "nome|endereco|distrito|data|lat|long|obs|florada|municipio".
    std::string linha(int id)
    {
        return banco->unidos("select nome, endereco, distrito, to_char(data_criacao,'DD/MM/YYYY'), latitude, "
                             "longitude, obs, id_florada, cod_cid from cadastro.apiario where id_apiario=" +
                             std::to_string(id));
    }

    // The floral source list as the form must show it: an empty entry, then
    // the stored names in order.
    std::vector<std::string> floradas()
    {
        std::vector<std::string> t { "" };
        for (const LINHA& l : banco->consultar("select nome_florada from cadastro.florada order by nome_florada"))
            t.push_back(l[0]);
        return t;
    }

    std::string mostrado()
    {
        FormApiario* f = ap();
        return f->widgets().label_id->get_text() + "|" + f->widgets().entry_nome->get_text() + "|" +
            f->widgets().entry_endereco->get_text() + "|" + f->widgets().entry_data->get_text() + "|" +
            f->widgets().combo_florada->get_active_text() + "|" + f->widgets().combo_municipio->get_active_text() +
            "|" + f->widgets().entry_distrito->get_text() + "|" + f->widgets().entry_latitude->get_text() + "|" +
            f->widgets().entry_longitude->get_text() + "|" + f->widgets().textview_obs->get_buffer()->get_text();
    }

    // Browse state: the fields closed, New/Edit/Find and navigation open.
    void conferir_navegando()
    {
        FormApiario* f = ap();
        EXPECT_FALSE(f->widgets().button_salvar->get_sensitive());
        EXPECT_FALSE(f->widgets().button_cancelar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_novo->get_sensitive());
        EXPECT_TRUE(f->widgets().button_editar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_buscar->get_sensitive());
        EXPECT_FALSE(f->widgets().entry_nome->get_sensitive());
        EXPECT_FALSE(f->widgets().combo_florada->get_sensitive());
        EXPECT_FALSE(f->widgets().combo_municipio->get_sensitive());
        EXPECT_FALSE(f->widgets().button_florada->get_sensitive());
        EXPECT_FALSE(f->widgets().textview_obs->get_editable());
        EXPECT_TRUE(f->widgets().button_primeiro->get_sensitive());
        EXPECT_TRUE(f->widgets().button_ultimo->get_sensitive());
    }
};

const char* const APIARIO_1 =
    "1|Apiário Boa Esperança|Estrada do Panambi, km 12|10/09/2008|Eucalipto|Dourados|Panambi|-22.2211|-54.8056|"
    "Perto do córrego; acesso difícil em dias de chuva.";

} // namespace

TEST_F(Apiario, AbreNoPrimeiroNavegaComOContadorEGuardaAPosicao)
{
    Roteiro r;
    entrar(r);
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        EXPECT_EQ(f->janela()->get_title(), "Cadastro de Apiários");
        EXPECT_NE(saida.tomar().find(" Primeiro acesso à janela \n"), std::string::npos);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 4");
        EXPECT_EQ(mostrado(), APIARIO_1);
        EXPECT_EQ(f->get_florada_atual().id_florada, 2);
        EXPECT_EQ(f->get_municipio_atual().cod_cid, 5003702);
        conferir_navegando();
        EXPECT_EQ(f->widgets().entry_data->get_max_length(), 10);

        // The lists: an empty entry, then the records in the order stored.
        EXPECT_EQ(textos_lista(f->widgets().combo_florada), floradas());
        // "Região": the 79 municipalities of MS, with their accents, in
        // dictionary order ("Água Clara" first, "Fátima do Sul" before
        // "Figueirão"), none of another state.
        std::vector<std::string> municipios = textos_lista(f->widgets().combo_municipio);
        ASSERT_EQ(municipios.size(), 80u);
        EXPECT_EQ(municipios[0], "");
        std::vector<std::string> de_ms { "" };
        for (const LINHA& l : banco->consultar("select nome from cadastro.municipio where estado='MS' order by nome"))
            de_ms.push_back(l[0]);
        EXPECT_EQ(municipios, de_ms);
        EXPECT_EQ(municipios[1], "Água Clara");
        EXPECT_EQ(municipios[79], "Vicentina");
        const auto posicao = [&municipios](const char* nome) {
            return std::find(municipios.begin(), municipios.end(), nome) - municipios.begin();
        };
        EXPECT_LT(posicao("Fátima do Sul"), posicao("Figueirão"));
        EXPECT_LT(posicao("São Gabriel do Oeste"), posicao("Selvíria"));
        EXPECT_EQ(posicao("Curitiba"), 80);

        // Back on the first one stays, and still reloads.
        teste::clicar(f->widgets().button_anterior);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 4");
        EXPECT_EQ(saida.tomar().find("ANTERIOR"), std::string::npos);
        teste::clicar(f->widgets().button_proximo);
        EXPECT_NE(saida.tomar().find("\nPROXIMO\nApiário Santa Luzia\n"), std::string::npos);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "2 / 4");
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Santa Luzia");
        EXPECT_EQ(f->widgets().combo_florada->get_active_text(), "Laranjeira");
        EXPECT_EQ(f->get_florada_atual().id_florada, 3);
        teste::clicar(f->widgets().button_ultimo);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "4 / 4");
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Fronteira");
        EXPECT_EQ(f->widgets().combo_municipio->get_active_text(), "Ponta Porã");
        EXPECT_EQ(f->get_municipio_atual().cod_cid, 5006606);
        EXPECT_EQ(f->get_florada_atual().id_florada, 1);
        EXPECT_EQ(f->widgets().textview_obs->get_buffer()->get_text(), "");
        teste::clicar(f->widgets().button_proximo);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "4 / 4");
        teste::clicar(f->widgets().button_primeiro);
        EXPECT_EQ(mostrado(), APIARIO_1);
        teste::clicar(f->widgets().button_proximo);
        teste::clicar(f->widgets().button_proximo);
        EXPECT_EQ(f->widgets().label_contador->get_text(), "3 / 4");

        // Enter moves along the open fields.
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_nome->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_data);
        f->widgets().entry_data->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_endereco);
        f->widgets().entry_distrito->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_latitude);
        f->widgets().entry_latitude->activate();
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_longitude);
        teste::clicar(f->widgets().button_cancelar);
        f->janela()->hide();
    });
    esperar_fechado(r, ids::APIARIOS, "the form to close");
    r.passo([this] { saida.tomar(); });
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        EXPECT_EQ(ap()->widgets().label_contador->get_text(), "3 / 4");
        EXPECT_EQ(ap()->widgets().entry_nome->get_text(), "Apiário Três Irmãos");
        EXPECT_EQ(saida.tomar().find("Primeiro acesso"), std::string::npos);
    });
    rodar(r);
}

TEST_F(Apiario, NovoComAsListasIntocadasUsaAsDoApiarioMostrado)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_ultimo);
        teste::clicar(f->widgets().button_novo);
        // New: fields and lists emptied, navigation closed, focus on the name.
        EXPECT_EQ(mostrado(), "|||||||||");
        EXPECT_EQ(f->widgets().combo_florada->get_active_row_number(), 0);
        EXPECT_EQ(f->widgets().combo_municipio->get_active_row_number(), 0);
        EXPECT_FALSE(f->widgets().button_novo->get_sensitive());
        EXPECT_FALSE(f->widgets().button_editar->get_sensitive());
        EXPECT_FALSE(f->widgets().button_buscar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_salvar->get_sensitive());
        EXPECT_TRUE(f->widgets().entry_nome->get_sensitive());
        EXPECT_TRUE(f->widgets().button_florada->get_sensitive());
        EXPECT_TRUE(f->widgets().textview_obs->get_editable());
        EXPECT_FALSE(f->widgets().button_proximo->get_sensitive());
        EXPECT_EQ(f->janela()->get_focus(), f->widgets().entry_nome);

        f->widgets().entry_nome->set_text("Apiário d'Oeste");
        teste::digitar(f->widgets().entry_data, "01022020");
        EXPECT_EQ(f->widgets().entry_data->get_text(), "01/02/2020");
        f->widgets().entry_endereco->set_text("Rua 'A', 10");
        f->widgets().entry_distrito->set_text("Itahum");
        f->widgets().entry_latitude->set_text("-22.1");
        f->widgets().entry_longitude->set_text("-54.9");
        f->widgets().textview_obs->get_buffer()->set_text("Nota com ' aspas e \\ barra");
        saida.tomar();
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(linha(5),
                  "Apiário d'Oeste|Rua 'A', 10|Itahum|01/02/2020|-22.1|-54.9|Nota com ' aspas e \\ barra|1|5006606|");
        EXPECT_NE(saida.tomar().find("Cadastrar Apiario"), std::string::npos);
        // Back to browsing at the same place, in a longer list.
        EXPECT_EQ(f->widgets().label_contador->get_text(), "4 / 5");
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Fronteira");
        conferir_navegando();
        EXPECT_EQ(linha(4),
                  "Apiário Fronteira|Colônia Cabeceira do Apa|Sanga Puitã|30/11/2015|-22.5432|-55.7265||1|5006606|");
    });
    rodar(r);
}

TEST_F(Apiario, NovaFloradaNoMeioDeUmNovoApiarioESalvar)
{
    std::string novas_floradas;
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nome->set_text("Apiário Ipê");
        f->widgets().entry_data->set_text("15/08/2021");
        EXPECT_TRUE(escolher(f->widgets().combo_municipio, "Bonito"));
        EXPECT_EQ(f->get_municipio_atual().cod_cid, 5002209);   // Bonito of MS, not of PE, PA or BA
        teste::clicar(f->widgets().button_florada);
    });
    esperar_aberto(r, ids::FLORADA, "the floral source window");
    r.passo([this] {
        FormFlorada* fl = form<FormFlorada>(ids::FLORADA);
        EXPECT_EQ(fl->janela()->get_title(), "Cadastro Florada");
        EXPECT_EQ(fl->janela()->get_transient_for(), ap()->janela());
        EXPECT_EQ(fl->origem(), ap());
        teste::clicar(fl->widgets().button_cadastrar);
    });
    r.responder("Existe campos vazios ", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        FormFlorada* fl = form<FormFlorada>(ids::FLORADA);
        EXPECT_TRUE(fl->janela()->is_visible());
        fl->widgets().entry_florada->set_text("   ");
        teste::clicar(fl->widgets().button_cadastrar);
    });
    r.responder("Existe campos vazios ", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.florada"), "6");
        // A name already stored is refused by the database.
        form<FormFlorada>(ids::FLORADA)->widgets().entry_florada->set_text("Eucalipto");
        teste::clicar(form<FormFlorada>(ids::FLORADA)->widgets().button_cadastrar);
    });
    r.responder("Erro ao inserir Florada", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        FormFlorada* fl = form<FormFlorada>(ids::FLORADA);
        EXPECT_TRUE(fl->janela()->is_visible());
        EXPECT_EQ(fl->widgets().entry_florada->get_text(), "Eucalipto");
        fl->widgets().entry_florada->set_text("Jatobá d'Ouro");
        teste::clicar(fl->widgets().button_cadastrar);
    });
    r.responder("Florada cadastrada com sucesso ", Gtk::RESPONSE_CLOSE);
    esperar_fechado(r, ids::FLORADA, "the floral source window to close");
    r.passo([this, &novas_floradas] {
        FormApiario* f = ap();
        const int chave =
            std::stoi(banco->valor("select id_florada from cadastro.florada where nome_florada='Jatobá d''Ouro'"));
        EXPECT_EQ(textos_lista(f->widgets().combo_florada), floradas());
        EXPECT_EQ(f->widgets().combo_florada->get_active_text(), "Jatobá d'Ouro");
        EXPECT_EQ(f->get_florada_atual().id_florada, chave);
        // The pending New survived the floral source window.
        EXPECT_TRUE(f->inserindo());
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Ipê");
        EXPECT_EQ(f->widgets().combo_municipio->get_active_text(), "Bonito");

        // Cancelar closes the window and adds nothing.
        teste::clicar(f->widgets().button_florada);
    });
    esperar_aberto(r, ids::FLORADA, "the floral source window again");
    r.passo([this] { teste::clicar(form<FormFlorada>(ids::FLORADA)->widgets().button_cancelar_florada); });
    esperar_fechado(r, ids::FLORADA, "Cancelar to close it");
    r.passo([this] {
        FormApiario* f = ap();
        EXPECT_EQ(banco->valor("select count(*) from cadastro.florada"), "7");
        EXPECT_EQ(f->widgets().combo_florada->get_active_text(), "Jatobá d'Ouro");
        teste::clicar(f->widgets().button_salvar);
        const std::string florada =
            banco->valor("select id_florada from cadastro.florada where nome_florada='Jatobá d''Ouro'");
        EXPECT_EQ(linha(5), "Apiário Ipê|||15/08/2021||||" + florada + "|5002209|");
        EXPECT_FALSE(f->inserindo());
        conferir_navegando();
    });
    rodar(r);
}

TEST_F(Apiario, EditarTrocandoARegiaoGuardaOMaisENaoOMunicipio)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_editar);
        EXPECT_TRUE(f->widgets().button_novo->get_sensitive());
        EXPECT_FALSE(f->widgets().button_editar->get_sensitive());
        EXPECT_FALSE(f->widgets().button_buscar->get_sensitive());
        EXPECT_TRUE(f->widgets().button_salvar->get_sensitive());
        EXPECT_TRUE(f->widgets().combo_municipio->get_sensitive());
        EXPECT_FALSE(f->widgets().button_primeiro->get_sensitive());
        EXPECT_EQ(mostrado(), APIARIO_1);

        f->widgets().entry_nome->set_text("Apiário Boa Esperança II");
        f->widgets().entry_latitude->set_text("-22.3");
        f->widgets().textview_obs->get_buffer()->set_text("Nova nota");
        EXPECT_TRUE(escolher(f->widgets().combo_municipio, "Bonito"));
        EXPECT_TRUE(escolher(f->widgets().combo_florada, "Silvestre"));
        saida.tomar();
        teste::clicar(f->widgets().button_salvar);
        std::string s = saida.tomar();
        EXPECT_NE(s.find("0\n1\n"), std::string::npos) << s;
        EXPECT_NE(s.find("UPDATE APIARIO \n"), std::string::npos) << s;
        EXPECT_NE(s.find("\n1\n"), std::string::npos) << s;
        std::size_t update = s.find("update cadastro.Apiario set ");
        ASSERT_NE(update, std::string::npos) << s;
        EXPECT_EQ(s.substr(update, s.find('\n', update) - update).find("cod_cid"), std::string::npos) << s;
        EXPECT_EQ(linha(1), "Apiário Boa Esperança II|Estrada do Panambi, km 12|Panambi|10/09/2008|-22.3|-54.8056|"
                            "Nova nota|4|5003702|");
        conferir_navegando();
        EXPECT_EQ(f->widgets().combo_municipio->get_active_text(), "Dourados");
        EXPECT_EQ(f->widgets().combo_florada->get_active_text(), "Silvestre");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 4");

        // Cancel drops typed changes.
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_nome->set_text("Descartado");
        teste::clicar(f->widgets().button_cancelar);
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Boa Esperança II");
    });
    rodar(r);
}

TEST_F(Apiario, DataIlegivelDizPorQueEGuardaDepoisDeCorrigida)
{
    const char* const DATA = "A data digitada não existe ou não está no formato DD/MM/AAAA.";
    std::string antes;
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this, &antes] {
        antes = banco->despejo();
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nome->set_text("Apiário Ruim");
        f->widgets().textview_obs->get_buffer()->set_text("Notas digitadas");
        f->widgets().entry_data->set_text("31/02/2020");
        teste::clicar(f->widgets().button_salvar);
    });
    r.responder("Verifique as informações digitadas !", DATA, Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        FormApiario* f = ap();
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Apiário Ruim");
        EXPECT_EQ(f->widgets().entry_data->get_text(), "31/02/2020");
        EXPECT_TRUE(f->widgets().button_salvar->get_sensitive());
        EXPECT_FALSE(f->widgets().button_novo->get_sensitive());
        // New is still pending: the date set right, Save stores it all.
        EXPECT_TRUE(f->inserindo());
        f->widgets().entry_data->set_text("28/02/2020");
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(banco->valor("select count(*) || ' ' || min(to_char(data_criacao, 'DD/MM/YYYY')) || ' ' || "
                               "min(obs) from cadastro.apiario where nome = 'Apiário Ruim'"),
                  "1 28/02/2020 Notas digitadas");
        EXPECT_FALSE(f->inserindo());
        EXPECT_FALSE(f->widgets().button_salvar->get_sensitive());
        antes = banco->despejo();
        // An edit with an empty date is refused the same way, and stays.
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_data->set_text("");
        teste::clicar(f->widgets().button_salvar);
    });
    r.responder("Verifique as informações digitadas !", DATA, Gtk::RESPONSE_CLOSE);
    r.passo([this, &antes] {
        EXPECT_EQ(banco->despejo(), antes);
        EXPECT_TRUE(ap()->editando());
        teste::clicar(ap()->widgets().button_cancelar);
        EXPECT_FALSE(ap()->editando());
    });
    rodar(r);
}

// Another desktop changed the apiary being edited, or deleted it: the save
// is refused, saying so, nothing is overwritten, and the form shows what is
// stored now.
TEST_F(Apiario, ApiarioMudadoOuApagadoNoutraEstacao)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_proximo);
        EXPECT_EQ(f->widgets().label_id->get_text(), "2");
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_distrito->set_text("Distrito desta estação");
        ASSERT_EQ(banco->executar("update cadastro.apiario set nome = 'Nome da outra', distrito = 'Distrito da outra' "
                                  "where id_apiario = 2"),
                  "");
        teste::clicar(f->widgets().button_salvar);
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        FormApiario* f = ap();
        EXPECT_FALSE(f->editando());
        EXPECT_FALSE(f->widgets().button_salvar->get_sensitive());
        EXPECT_EQ(f->widgets().label_id->get_text(), "2");
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Nome da outra");
        EXPECT_EQ(f->widgets().entry_distrito->get_text(), "Distrito da outra");
        EXPECT_EQ(banco->valor("select distrito from cadastro.apiario where id_apiario = 2"), "Distrito da outra");
        // Shown as it now is, an edit saves.
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_distrito->set_text("Distrito desta estação");
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(teste::dialogo_visivel(), nullptr);
        EXPECT_EQ(banco->valor("select nome || ' / ' || distrito from cadastro.apiario where id_apiario = 2"),
                  "Nome da outra / Distrito desta estação");
        // Deleted on the other desktop while being edited.
        teste::clicar(f->widgets().button_editar);
        f->widgets().entry_nome->set_text("Ainda aqui?");
        ASSERT_EQ(banco->executar("delete from cadastro.apiario where id_apiario = 2"), "");
        teste::clicar(f->widgets().button_salvar);
    });
    recusa_mudado_noutra_estacao(r);
    r.passo([this] {
        FormApiario* f = ap();
        EXPECT_EQ(banco->valor("select count(*) from cadastro.apiario where id_apiario = 2 or nome = 'Ainda aqui?'"),
                  "0");
        EXPECT_FALSE(f->editando());
        EXPECT_EQ(f->widgets().label_contador->get_text(), "2 / 3");
        EXPECT_NE(f->widgets().label_id->get_text(), "2");
    });
    rodar(r);
}

TEST_F(Apiario, SemApiariosFloradaOuMunicipioDesconhecidoRecusaOSalvar)
{
    ASSERT_EQ(banco->executar("delete from cadastro.apiario"), "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    r.passo([this] {
        FormApiario* f = ap();
        EXPECT_EQ(mostrado(), "|||||Dourados||||");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 1");
        EXPECT_EQ(f->get_florada_atual().id_florada, -1);
        EXPECT_EQ(f->get_municipio_atual().cod_cid, -1);
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nome->set_text("Primeiro");
        f->widgets().entry_data->set_text("01/01/2020");
        EXPECT_TRUE(escolher(f->widgets().combo_florada, "Aroeira"));
        teste::clicar(f->widgets().button_salvar);
    });
    r.responder("Verifique as informações digitadas !", Gtk::RESPONSE_CLOSE);
    r.passo([this] {
        EXPECT_EQ(banco->valor("select count(*) from cadastro.apiario"), "0");
        FormApiario* f = ap();
        teste::clicar(f->widgets().button_cancelar);
        teste::clicar(f->widgets().button_novo);
        f->widgets().entry_nome->set_text("Primeiro");
        f->widgets().entry_data->set_text("01/01/2020");
        EXPECT_TRUE(escolher(f->widgets().combo_municipio, "Dourados"));
        teste::clicar(f->widgets().button_salvar);
        EXPECT_EQ(banco->valor("select nome || '|' || id_florada || '|' || cod_cid from cadastro.apiario"),
                  "Primeiro|6|5003702");
        EXPECT_EQ(f->widgets().label_contador->get_text(), "1 / 1");
        EXPECT_EQ(f->widgets().entry_nome->get_text(), "Primeiro");
    });
    rodar(r);
}

namespace {

// What each result row shows, as "code|name|region".
std::vector<std::string> linhas(Gtk::TreeView* view)
{
    std::vector<std::string> v;
    for (const std::vector<std::string>& l : teste::linhas(view))
        v.push_back(l[0] + "|" + l[1] + "|" + l[2]);
    return v;
}

} // namespace

TEST_F(Apiario, BuscaPeloComecoDoNomeACadaTecla)
{
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    abrir_busca(r, ids::APIARIOS, ids::BUSCA_APIARIO);
    r.passo([this] {
        FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
        EXPECT_EQ(b->janela()->get_title(), "Buscar Apiario");
        EXPECT_EQ(b->janela()->get_transient_for(), sistema->get_janela_principal());
        EXPECT_EQ(textos_lista(b->widgets().combo_opcoes), (std::vector<std::string> { "ID", "Nome", "Região" }));
        EXPECT_EQ(b->widgets().combo_opcoes->get_active_text(), "Nome");
        EXPECT_EQ(b->janela()->get_focus(), b->widgets().entry_pesquisa);
        EXPECT_TRUE(linhas(b->widgets().treeview_resultado).empty());

        saida.tomar();
        teste::digitar(b->widgets().entry_pesquisa, "ab");
        EXPECT_NE(saida.tomar().find("INNER JOIN cadastro.florada as f ON a.id_florada=f.id_florada  where  "
                                     "a.nome like 'ab%'\n"),
                  std::string::npos);
        EXPECT_TRUE(linhas(b->widgets().treeview_resultado).empty());

        b->widgets().entry_pesquisa->set_text("Apiário T");
        EXPECT_EQ(
            linhas(b->widgets().treeview_resultado), (std::vector<std::string> { "0003|Apiário Três Irmãos|Itaporã" }));
        EXPECT_EQ(b->widgets().treeview_resultado->get_column(0)->get_title(), "ID");
        EXPECT_EQ(b->widgets().treeview_resultado->get_column(1)->get_title(), "Nome");
        EXPECT_EQ(b->widgets().treeview_resultado->get_column(2)->get_title(), "Região");
        EXPECT_TRUE(b->widgets().treeview_resultado->get_column(2)->get_reorderable());

        const std::vector<std::string> todos { "0001|Apiário Boa Esperança|Dourados",
            "0002|Apiário Santa Luzia|Dourados", "0003|Apiário Três Irmãos|Itaporã",
            "0004|Apiário Fronteira|Ponta Porã" };
        b->widgets().entry_pesquisa->set_text("A");
        EXPECT_EQ(linhas(b->widgets().treeview_resultado), todos);
        b->widgets().entry_pesquisa->set_text("apiário");
        EXPECT_TRUE(linhas(b->widgets().treeview_resultado).empty());
        b->widgets().entry_pesquisa->set_text("");
        EXPECT_EQ(linhas(b->widgets().treeview_resultado), todos);

        // A quote is only a character of the name.
        std::string antes = banco->despejo();
        saida.tomar();
        b->widgets().entry_pesquisa->set_text("x' or '1'='1");
        EXPECT_NE(saida.tomar().find("a.nome like 'x'' or ''1''=''1%'\n"), std::string::npos);
        EXPECT_TRUE(linhas(b->widgets().treeview_resultado).empty());
        EXPECT_EQ(banco->executar("update cadastro.apiario set nome='O''Brien' where id_apiario=2"), "");
        b->widgets().entry_pesquisa->set_text("O'B");
        EXPECT_EQ(linhas(b->widgets().treeview_resultado), (std::vector<std::string> { "0002|O'Brien|Dourados" }));

        // Another option gives the focus back to the text and searches by it:
        // no key is "O'B".
        b->janela()->set_focus(*b->widgets().treeview_resultado);
        saida.tomar();
        b->widgets().combo_opcoes->set_active(0);
        EXPECT_EQ(b->janela()->get_focus(), b->widgets().entry_pesquisa);
        EXPECT_TRUE(linhas(b->widgets().treeview_resultado).empty());
        EXPECT_EQ(saida.tomar().find("select"), std::string::npos);
        b->janela()->hide();
    });
    esperar_fechado(r, ids::BUSCA_APIARIO, "the search window to close");
    r.passo([this] {
        EXPECT_EQ(mostrado(), APIARIO_1);
        conferir_navegando();
    });
    rodar(r);
}

TEST_F(Apiario, BuscaPorChavePorRegiaoEEscolhaMostraNoFormulario)
{
    ASSERT_EQ(banco->executar("insert into cadastro.apiario (id_apiario, nome, data_criacao, id_florada, cod_cid) "
                              "values (12, 'Apiário do Pantanal', '2020-01-01', 1, 5003207), "
                              "(30, 'Apiário Itaquiraí', '2021-01-01', 2, 5004601)"),
              "");
    Roteiro r;
    entrar(r);
    abrir(r, ids::APIARIOS);
    abrir_busca(r, ids::APIARIOS, ids::BUSCA_APIARIO);
    r.passo([this] {
        FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
        Gtk::TreeView* v = b->widgets().treeview_resultado;
        // "ID": the apiary with that key, digits only.
        b->widgets().combo_opcoes->set_active_text("ID");
        saida.tomar();
        b->widgets().entry_pesquisa->set_text("3");
        EXPECT_NE(saida.tomar().find("where  a.id_apiario = 3\n"), std::string::npos);
        EXPECT_EQ(linhas(v), (std::vector<std::string> { "0003|Apiário Três Irmãos|Itaporã" }));
        b->widgets().entry_pesquisa->set_text("30");
        EXPECT_EQ(linhas(v), (std::vector<std::string> { "0030|Apiário Itaquiraí|Itaquiraí" }));
        b->widgets().entry_pesquisa->set_text("0012");
        EXPECT_EQ(linhas(v), (std::vector<std::string> { "0012|Apiário do Pantanal|Corumbá" }));
        b->widgets().entry_pesquisa->set_text("");
        EXPECT_EQ(linhas(v).size(), 6u);
        for (const char* nada : { "5", "0", "000", "99999999999999999999", "3'", "3 ", "-3", "3%", "a" }) {
            saida.tomar();
            b->widgets().entry_pesquisa->set_text(nada);
            EXPECT_TRUE(linhas(v).empty()) << nada;
        }

        // "Região": the apiaries whose municipality's name begins with the text.
        b->widgets().combo_opcoes->set_active_text("Região");
        b->widgets().entry_pesquisa->set_text("Ita");
        EXPECT_EQ(linhas(v), (std::vector<std::string> { "0003|Apiário Três Irmãos|Itaporã",
                                                         "0030|Apiário Itaquiraí|Itaquiraí" }));
        b->widgets().entry_pesquisa->set_text("Dourados");
        EXPECT_EQ(linhas(v).size(), 2u);
        b->widgets().entry_pesquisa->set_text("dourados");
        EXPECT_TRUE(linhas(v).empty());
        b->widgets().entry_pesquisa->set_text("Ponta Porã");
        EXPECT_EQ(linhas(v), (std::vector<std::string> { "0004|Apiário Fronteira|Ponta Porã" }));
        // Changing the option searches the same text again.
        b->widgets().combo_opcoes->set_active_text("Nome");
        EXPECT_TRUE(linhas(v).empty());
        b->widgets().combo_opcoes->set_active_text("Região");
        b->widgets().entry_pesquisa->set_text("Cor");
        ASSERT_EQ(linhas(v), (std::vector<std::string> { "0012|Apiário do Pantanal|Corumbá" }));

        // Activating a row shows that apiary in the form, and the search closes.
        v->row_activated(Gtk::TreePath("0"), *v->get_column(0));
        EXPECT_FALSE(b->janela()->is_visible());
        EXPECT_EQ(ap()->widgets().label_id->get_text(), "12");
        EXPECT_EQ(ap()->widgets().entry_nome->get_text(), "Apiário do Pantanal");
        EXPECT_EQ(ap()->widgets().label_contador->get_text(), "5 / 6");
        EXPECT_EQ(sistema->get_posicao_apiario(), 5u);
    });
    esperar_fechado(r, ids::BUSCA_APIARIO, "the search window to close");
    r.passo([this] { conferir_navegando(); });
    // An apiary deleted since the search listed it is not shown: the search stays.
    abrir_busca(r, ids::APIARIOS, ids::BUSCA_APIARIO);
    r.passo([this] {
        FormBuscaApiario* b = form<FormBuscaApiario>(ids::BUSCA_APIARIO);
        b->widgets().entry_pesquisa->set_text("Apiário I");
        ASSERT_EQ(linhas(b->widgets().treeview_resultado).size(), 1u);
        ASSERT_EQ(banco->executar("delete from cadastro.apiario where id_apiario = 30"), "");
        b->widgets().treeview_resultado->row_activated(Gtk::TreePath("0"),
                                                       *b->widgets().treeview_resultado->get_column(0));
        EXPECT_TRUE(b->janela()->is_visible());
        EXPECT_EQ(ap()->widgets().label_id->get_text(), "12");
        b->janela()->hide();
    });
    rodar(r);
}
