// "Dados da Empresa": the producer's or company's name, CPF or CNPJ, state
// registration, address (the CEP looked up on Enter, as in the user forms),
// phone and e-mail, which reports print in their header. One record, no
// list: Edit, Save and Cancel. Only administrators open it (the database
// refuses the others' saves too).
#ifndef ZUMBREL_GUI_FORM_EMPRESA_H
#define ZUMBREL_GUI_FORM_EMPRESA_H

#include <string>

#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>

#include "gui/formulario.h"
#include "model/empresa.h"

struct WidgetsEmpresa : BotoesForm
{
    Gtk::Entry* entry_nome = nullptr;
    Gtk::ComboBoxText* combo_documento = nullptr;   // "CPF", "CNPJ": the mask of entry_documento
    Gtk::Entry* entry_documento = nullptr;
    Gtk::Entry* entry_inscricao = nullptr;
    Gtk::Entry* entry_cep = nullptr;
    Gtk::Entry* entry_rua = nullptr;
    Gtk::Entry* entry_numero = nullptr;
    Gtk::Entry* entry_bairro = nullptr;
    Gtk::Entry* entry_cidade = nullptr;   // from the CEP, not typed
    Gtk::Entry* entry_estado = nullptr;   // from the CEP, not typed
    Gtk::Entry* entry_telefone = nullptr;
    Gtk::Entry* entry_email = nullptr;
};

class FormEmpresa : public FormularioCom<WidgetsEmpresa>
{
public:
    FormEmpresa(int id, Contexto& contexto);
    void montar() override;
    void carregar_dados(int dado) override;

    // The CEP typed, for the window that registers it; and that window's
    // CEP once registered, looked up and filled in.
    std::string cep_digitado() const { return texto(w.entry_cep); }
    void cep_cadastrado(const std::string& cep);
    const EMPRESAS& get_empresa() const { return atual; }

protected:
    void mudar_estado(int e) override;
    FALHA salvar(bool inserir) override;
    void mostrar_como_esta() override { estado(1); }

private:
    static std::string texto(const Gtk::Entry* e) { return e->get_text().raw(); }
    void mostrar(const EMPRESAS& e);
    void consultar_cep(bool oferecer);
    void trocar_documento();
    void mascarar_documento();

    EMPRESA empresa;
    EMPRESAS atual;
    // The CEP the last lookup found (id 0 when it found none): a save takes
    // it, or no CEP when the entry was emptied.
    CEPS cep_atual;
};

#endif // ZUMBREL_GUI_FORM_EMPRESA_H
