#include "gui/form_relatorios.h"

#include <memory>

#include <gtkmm/box.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/frame.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/paned.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stock.h>

#include "gui/apiarios_listados.h"
#include "gui/montagem.h"
#include "relatorios/csv.h"

FormRelatorios::FormRelatorios(int id, Contexto& contexto) : FormularioCom(id, contexto) {}

void FormRelatorios::montar()
{
    Gtk::Window& j = *janela();
    j.set_title("Relatórios");
    j.set_default_size(1000, 700);

    Gtk::VBox* filtros = Gtk::manage(new Gtk::VBox(false, 4));
    w.combo_relatorio = Gtk::manage(new Gtk::ComboBoxText());
    for (const TIPO_RELATORIO& t : tipos_de_relatorio())
        w.combo_relatorio->append(t.titulo);
    w.combo_relatorio->set_active(0);
    w.entry_de = Gtk::manage(new Gtk::Entry());
    w.entry_ate = Gtk::manage(new Gtk::Entry());
    for (Gtk::Entry* e : { w.entry_de, w.entry_ate }) {
        e->set_max_length(10);
        e->set_width_chars(11);
    }
    w.entry_colmeias = Gtk::manage(new Gtk::Entry());
    w.entry_colmeias->set_width_chars(16);
    linha(*filtros, "Relatório", *w.combo_relatorio, 5, 80);
    linha(*filtros, "De", *w.entry_de, 5, 80);
    linha(*filtros, "Até", *w.entry_ate, 5, 80);
    filtros->pack_start(*rotulo("Apiários (nenhum marcado: todos)"), false, false, 2);

    // Every apiary, shown from the rows the search read.
    lista_apiarios = modelo_achados(std::make_shared<ApiariosListados>(ctx.apiario->Pesquisar_Apiario(FILTRO_APIARIOS())));
    w.treeview_apiarios = Gtk::manage(new Gtk::TreeView(lista_apiarios));
    coluna_texto(*w.treeview_apiarios, "Apiário", colunas.textos[0], 170);
    coluna_texto(*w.treeview_apiarios, "Município", colunas.textos[1], 100);
    altura_fixa(*w.treeview_apiarios);
    w.treeview_apiarios->get_selection()->set_mode(Gtk::SELECTION_MULTIPLE);
    filtros->pack_start(*rolagem(*w.treeview_apiarios, 160), true, true, 2);
    linha(*filtros, "Colméias", *w.entry_colmeias, 5, 80);

    w.button_visualizar = Gtk::manage(new Gtk::Button("_Visualizar", true));
    w.button_imprimir = Gtk::manage(new Gtk::Button(Gtk::Stock::PRINT));
    w.button_pdf = Gtk::manage(new Gtk::Button("Exportar _PDF", true));
    w.button_csv = Gtk::manage(new Gtk::Button("Exportar _CSV", true));
    for (Gtk::Button* b : { w.button_visualizar, w.button_imprimir, w.button_pdf, w.button_csv })
        filtros->pack_start(*b, false, false, 2);

    Gtk::VBox* previa = Gtk::manage(new Gtk::VBox(false, 4));
    Gtk::HBox* paginas = Gtk::manage(new Gtk::HBox(false, 4));
    w.button_anterior = Gtk::manage(new Gtk::Button(Gtk::Stock::GO_BACK));
    w.button_proxima = Gtk::manage(new Gtk::Button(Gtk::Stock::GO_FORWARD));
    w.label_pagina = rotulo("");
    paginas->pack_start(*w.button_anterior, false, false, 0);
    paginas->pack_start(*w.label_pagina, false, false, 10);
    paginas->pack_start(*w.button_proxima, false, false, 0);
    previa->pack_start(*paginas, false, false, 0);
    w.area_previa = Gtk::manage(new Gtk::DrawingArea());
    w.area_previa->set_size_request(420, 594);
    Gtk::ScrolledWindow* rolar = Gtk::manage(new Gtk::ScrolledWindow());
    rolar->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    rolar->add(*w.area_previa);
    previa->pack_start(*rolar, true, true, 0);

    Gtk::HBox* corpo = Gtk::manage(new Gtk::HBox(false, 10));
    corpo->pack_start(*filtros, false, false, 0);
    corpo->pack_start(*previa, true, true, 0);
    j.add(*corpo);

    w.entry_de->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 1, w.entry_de));
    w.entry_ate->signal_changed().connect(sigc::bind(sigc::mem_fun(eventos(), &EVENTOS::data_mascara), 2, w.entry_ate));
    w.area_previa->signal_expose_event().connect(sigc::mem_fun(*this, &FormRelatorios::desenhar_previa));
    w.button_visualizar->signal_clicked().connect([this] { visualizar(); });
    w.button_imprimir->signal_clicked().connect([this] { imprimir(Gtk::PRINT_OPERATION_ACTION_PRINT_DIALOG); });
    w.button_pdf->signal_clicked().connect([this] { escolher_arquivo(true); });
    w.button_csv->signal_clicked().connect([this] { escolher_arquivo(false); });
    w.button_anterior->signal_clicked().connect([this] { mudar_pagina(-1); });
    w.button_proxima->signal_clicked().connect([this] { mudar_pagina(1); });
    atualizar_pagina();
}

bool FormRelatorios::ler_filtro(FILTRO_RELATORIO& f, std::string& erro) const
{
    f.de = texto(w.entry_de);
    f.ate = texto(w.entry_ate);
    std::vector<Gtk::TreeModel::Path> marcados = w.treeview_apiarios->get_selection()->get_selected_rows();
    for (const Gtk::TreeModel::Path& p : marcados)
        f.apiarios.push_back((*lista_apiarios->get_iter(p))[colunas.codigo]);
    return ler_chaves(texto(w.entry_colmeias), &f.colmeias, &erro);
}

void FormRelatorios::aviso(const std::string& texto, const std::string& detalhe, Gtk::MessageType tipo)
{
    Gtk::MessageDialog d(*janela(), texto, false, tipo, Gtk::BUTTONS_CLOSE, true);
    if (!detalhe.empty())
        d.set_secondary_text(detalhe);
    d.run();
    d.hide();
}

bool FormRelatorios::visualizar()
{
    const int escolhido = w.combo_relatorio->get_active_row_number();
    const std::vector<TIPO_RELATORIO>& tipos = tipos_de_relatorio();
    if (escolhido < 0 || static_cast<std::size_t>(escolhido) >= tipos.size()) {
        aviso("Escolha o relatório.", "", Gtk::MESSAGE_WARNING);
        return false;
    }
    FILTRO_RELATORIO f;
    std::string erro;
    RELATORIOS_DO_BANCO fonte(ctx.query);
    RELATORIO novo;
    if (!ler_filtro(f, erro)) {
        aviso("O relatório não pôde ser feito.", erro, Gtk::MESSAGE_WARNING);
        return false;
    }
    if (!fonte.montar(tipos[escolhido], f, novo)) {
        aviso("O relatório não pôde ser feito.", fonte.falha().motivo(), Gtk::MESSAGE_WARNING);
        return false;
    }
    // The drawing keeps a reference to the report: both are replaced together.
    desenho.reset();
    relatorio = std::move(novo);
    desenho.reset(new DESENHO_RELATORIO(relatorio));
    pagina = 0;
    atualizar_pagina();
    return true;
}

void FormRelatorios::mudar_pagina(int passo)
{
    if (!desenho)
        return;
    pagina = std::max(0, std::min(desenho->paginas() - 1, pagina + passo));
    atualizar_pagina();
}

void FormRelatorios::atualizar_pagina()
{
    const int n = get_paginas();
    w.label_pagina->set_text(n > 0 ? DESENHO_RELATORIO::texto_pagina(pagina + 1, n) : "Escolha o relatório e os filtros e clique em Visualizar.");
    w.button_anterior->set_sensitive(n > 0 && pagina > 0);
    w.button_proxima->set_sensitive(n > 0 && pagina + 1 < n);
    w.area_previa->queue_draw();
}

bool FormRelatorios::desenhar_previa(GdkEventExpose*)
{
    Glib::RefPtr<Gdk::Window> janela_gdk = w.area_previa->get_window();
    if (!janela_gdk)
        return true;
    Cairo::RefPtr<Cairo::Context> cr = janela_gdk->create_cairo_context();
    const Gtk::Allocation a = w.area_previa->get_allocation();
    cr->set_source_rgb(0.6, 0.6, 0.6);
    cr->paint();
    if (!desenho)
        return true;
    // The page as wide as the area allows, keeping its proportions.
    const double escala = std::min(a.get_width() / desenho->largura(), a.get_height() / desenho->altura());
    cr->scale(escala, escala);
    desenho->desenhar_pagina(cr, pagina);
    return true;
}

bool FormRelatorios::exportar(bool pdf, const std::string& caminho)
{
    if (!desenho && !visualizar())
        return false;
    std::string erro;
    const bool ok = pdf ? exportar_pdf(relatorio, caminho, &erro) : exportar_csv(relatorio, caminho, &erro);
    if (ok)
        aviso("Relatório gravado em " + caminho + ".", "", Gtk::MESSAGE_INFO);
    else
        aviso("O relatório não foi gravado.", erro, Gtk::MESSAGE_ERROR);
    return ok;
}

void FormRelatorios::escolher_arquivo(bool pdf)
{
    Gtk::FileChooserDialog d(*janela(), pdf ? "Exportar PDF" : "Exportar CSV", Gtk::FILE_CHOOSER_ACTION_SAVE);
    d.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    d.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    d.set_do_overwrite_confirmation(true);
    const int escolhido = std::max(0, w.combo_relatorio->get_active_row_number());
    d.set_current_name(std::string(tipos_de_relatorio()[escolhido].nome) + (pdf ? ".pdf" : ".csv"));
    const int resposta = d.run();
    d.hide();
    if (resposta == Gtk::RESPONSE_OK)
        exportar(pdf, d.get_filename());
}

bool FormRelatorios::imprimir(Gtk::PrintOperationAction acao, const std::string& arquivo)
{
    if (!desenho && !visualizar())
        return false;
    Glib::RefPtr<Gtk::PrintOperation> op = Gtk::PrintOperation::create();
    op->set_job_name(relatorio.titulo);
    op->set_n_pages(desenho->paginas());
    op->set_unit(Gtk::UNIT_POINTS);
    if (!arquivo.empty())
        op->set_export_filename(arquivo);
    const DESENHO_RELATORIO* d = desenho.get();
    op->signal_draw_page().connect([d](const Glib::RefPtr<Gtk::PrintContext>& contexto, int n) {
        Cairo::RefPtr<Cairo::Context> cr = contexto->get_cairo_context();
        // The printable area may be smaller than A4: the page fits in it.
        const double escala = std::min(contexto->get_width() / d->largura(), contexto->get_height() / d->altura());
        cr->scale(escala, escala);
        d->desenhar_pagina(cr, n);
    });
    try {
        const Gtk::PrintOperationResult r = op->run(acao, *janela());
        if (r == Gtk::PRINT_OPERATION_RESULT_ERROR) {
            aviso("O relatório não foi impresso.", "", Gtk::MESSAGE_ERROR);
            return false;
        }
        return r != Gtk::PRINT_OPERATION_RESULT_CANCEL;
    } catch (const Glib::Error& e) {
        aviso("O relatório não foi impresso.", e.what(), Gtk::MESSAGE_ERROR);
        return false;
    }
}
