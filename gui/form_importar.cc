#include "gui/form_importar.h"

#include <gtkmm/box.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include "gui/montagem.h"

namespace {

const TIPO_IMPORTACAO TIPOS[] = { TIPO_IMPORTACAO::APIARIOS, TIPO_IMPORTACAO::COLMEIAS, TIPO_IMPORTACAO::RAINHAS,
                                  TIPO_IMPORTACAO::REVISOES };

// The fields of a row as the preview shows them, side by side.
Glib::ustring campos_lado_a_lado(const std::vector<std::string>& campos)
{
    std::string s;
    for (std::size_t i = 0; i < campos.size(); ++i)
        s += (i ? " ; " : "") + campos[i];
    return Glib::ustring(s);
}

} // namespace

FormImportar::FormImportar(int id, Contexto& contexto) : FormularioCom(id, contexto), modelo(contexto.query) {}

void FormImportar::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Importar Planilha");
    j.set_default_size(860, 480);

    w.combo_tipo = Gtk::manage(new Gtk::ComboBoxText());
    for (TIPO_IMPORTACAO t : TIPOS)
        w.combo_tipo->append(nome_da_importacao(t));
    w.combo_tipo->set_active(0);
    w.entry_arquivo = Gtk::manage(new Gtk::Entry());
    w.entry_arquivo->set_width_chars(50);
    w.button_escolher = Gtk::manage(new Gtk::Button("Escolher..."));
    w.button_conferir = Gtk::manage(new Gtk::Button("Conferir"));
    w.button_importar = Gtk::manage(new Gtk::Button("Importar"));
    w.label_resumo = rotulo("Escolha o que importar e o arquivo CSV, e clique em Conferir.");
    w.label_resumo->set_line_wrap(true);

    lista = Gtk::ListStore::create(colunas);
    w.treeview_linhas = Gtk::manage(new Gtk::TreeView(lista));
    w.treeview_linhas->append_column("Linha", colunas.codigo);
    coluna_texto(*w.treeview_linhas, "Problema", colunas.textos[0], 320);
    coluna_texto(*w.treeview_linhas, "Conteúdo", colunas.textos[1], 420);

    Gtk::VBox* vertical = Gtk::manage(new Gtk::VBox(false, 5));
    vertical->set_border_width(8);
    linha(*vertical, "Importar", *w.combo_tipo, 10, 80);
    Gtk::HBox* l = linha(*vertical, "Arquivo", *w.entry_arquivo, 10, 80);
    l->pack_start(*w.button_escolher, false, false, 5);
    l->pack_start(*w.button_conferir, false, false, 0);
    vertical->pack_start(*w.label_resumo, false, false, 0);
    vertical->pack_start(*rolagem(*w.treeview_linhas, 300), true, true, 0);
    Gtk::HBox* botoes = Gtk::manage(new Gtk::HBox(false, 5));
    botoes->pack_end(*w.button_importar, false, false, 0);
    vertical->pack_start(*botoes, false, false, 0);
    j.add(*vertical);

    w.button_importar->set_sensitive(false);
    w.button_escolher->signal_clicked().connect(sigc::mem_fun(*this, &FormImportar::escolher_arquivo));
    w.button_conferir->signal_clicked().connect([this] { conferir(); });
    w.entry_arquivo->signal_activate().connect([this] { conferir(); });
    w.button_importar->signal_clicked().connect([this] { importar(); });
    w.combo_tipo->signal_changed().connect(sigc::mem_fun(*this, &FormImportar::desconferir));
    w.entry_arquivo->signal_changed().connect(sigc::mem_fun(*this, &FormImportar::desconferir));
}

TIPO_IMPORTACAO FormImportar::tipo() const
{
    const int i = w.combo_tipo->get_active_row_number();
    return TIPOS[i < 0 ? 0 : i];
}

void FormImportar::escolher_arquivo()
{
    Gtk::FileChooserDialog d(*janela(), "Escolher planilha", Gtk::FILE_CHOOSER_ACTION_OPEN);
    d.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    d.add_button(Gtk::Stock::OPEN, Gtk::RESPONSE_OK);
    Gtk::FileFilter csv;
    csv.set_name("Planilhas CSV");
    csv.add_pattern("*.csv");
    csv.add_pattern("*.CSV");
    d.add_filter(csv);
    Gtk::FileFilter todos;
    todos.set_name("Todos os arquivos");
    todos.add_pattern("*");
    d.add_filter(todos);
    const int resposta = d.run();
    d.hide();
    if (resposta != Gtk::RESPONSE_OK)
        return;
    w.entry_arquivo->set_text(d.get_filename());
    conferir();
}

void FormImportar::desconferir()
{
    conferencia = CONFERENCIA();
    planilha = PLANILHA();
    lista->clear();
    w.button_importar->set_sensitive(false);
    w.label_resumo->set_text("Clique em Conferir para ver as linhas do arquivo.");
}

bool FormImportar::conferir()
{
    const std::string caminho = texto(w.entry_arquivo);
    conferencia = CONFERENCIA();
    std::string erro;
    if (caminho.empty())
        conferencia.erro = "Escolha o arquivo CSV a importar.";
    else if (!abrir_planilha(caminho, &planilha, &erro))
        conferencia.erro = erro;
    else
        conferencia = modelo.conferir(tipo(), planilha);
    mostrar();
    return conferencia.pronta();
}

void FormImportar::mostrar()
{
    lista->clear();
    for (const LINHA_CONFERIDA& l : conferencia.linhas) {
        Gtk::TreeModel::Row linha = *lista->append();
        linha[colunas.codigo] = l.linha;
        linha[colunas.textos[0]] = l.problema.empty() ? Glib::ustring("certa") : Glib::ustring(l.problema);
        linha[colunas.textos[1]] = campos_lado_a_lado(l.campos);
    }
    w.label_resumo->set_text(conferencia.resumo());
    w.button_importar->set_sensitive(conferencia.pronta());
}

bool FormImportar::importar()
{
    if (!conferencia.pronta())
        return false;
    int gravados = 0;
    const bool ok = modelo.importar(tipo(), planilha, &gravados);
    const std::string texto_ok = std::to_string(gravados) + (gravados == 1 ? " registro importado." : " registros importados.");
    Gtk::MessageDialog aviso(*janela(), ok ? texto_ok : "Nada foi importado.", false,
                             ok ? Gtk::MESSAGE_INFO : Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    if (!ok)
        aviso.set_secondary_text(modelo.falha().motivo().empty() ? modelo.falha().mensagem : modelo.falha().motivo());
    aviso.run();
    aviso.hide();
    if (ok) {
        // Stored: the same file again would repeat every record.
        conferencia = CONFERENCIA();
        lista->clear();
        w.button_importar->set_sensitive(false);
        w.label_resumo->set_text(texto_ok);
    } else {
        // The records changed meanwhile, or the database refused a row: the
        // rows checked again say which.
        conferir();
    }
    return ok;
}
