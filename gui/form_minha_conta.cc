#include "gui/form_minha_conta.h"

#include <gtkmm/stock.h>

#include "gui/janelas.h"

void FormMinhaConta::montar()
{
    janela()->set_title("Minha Conta");
    Gtk::Toolbar* barra = nova_barra();
    w.button_editar = botao(*barra, Gtk::Stock::EDIT, "Editar Informações");
    w.button_salvar = botao(*barra, Gtk::Stock::SAVE, "Salvar Alterações");
    w.button_cancelar = botao(*barra, Gtk::Stock::CANCEL, "Cancelar ação atual");
    Gtk::HBox* privilegios = nullptr;
    janela()->add(*montar_campos(barra, privilegios));
    w.button_trocar_senha->signal_clicked().connect([this] {
        abrir(ids::SENHA);
        seguir_senha_nova();
    });
}

namespace {

// The same data as far as this form writes and shows it.
bool mesmos_dados(const USER& a, const USER& b)
{
    return a.id == b.id && a.nome == b.nome && a.login == b.login && a.cpf == b.cpf && a.rg == b.rg &&
           a.oexp == b.oexp && a.nasc == b.nasc && a.endereco == b.endereco && a.numero == b.numero &&
           a.bairro == b.bairro && a.cep.id == b.cep.id && a.acesso.id == b.acesso.id;
}

} // namespace

void FormMinhaConta::seguir_senha_nova()
{
    // A new password is a new version of the stored row: what is being
    // edited here is still current if nothing but the password changed.
    const LISTA_USUARIOS agora = ctx.usuario->Get_User(ctx.usuario_logado.id);
    if (!agora.empty() && mesmos_dados(agora.front(), ctx.usuario_logado))
        ctx.usuario_logado.versao = agora.front().versao;
}

void FormMinhaConta::mostrar_como_esta()
{
    depois_de_salvar();
    estado(1);
}

void FormMinhaConta::mudar_estado(int e)
{
    // My account has no New.
    if (e != 0)
        FormUsuario::mudar_estado(e);
}

void FormMinhaConta::sensibilizar(bool navegando)
{
    w.button_trocar_senha->set_sensitive(!navegando);
}

void FormMinhaConta::carregar()
{
    esquecer_cep();
    mostrar_usuario(ctx.usuario_logado);
}

FALHA FormMinhaConta::salvar(bool inserir)
{
    if (inserir)
        return FALHA::recusa(std::string());
    USER u;
    u.id = ctx.usuario_logado.id;
    u.versao = ctx.usuario_logado.versao;
    ler_campos(u);
    u.cep = cep_para_salvar(ctx.usuario_logado.cep);
    u.acesso = ctx.usuario_logado.acesso;
    // No postal code known: the key would point nowhere.
    if (u.cep.id <= 0) {
        return FALHA::recusa(SEM_CEP);
    }
    return desfecho(ctx.usuario->atualizar_usuario(&u), *ctx.usuario);
}

void FormMinhaConta::depois_de_salvar()
{
    const LISTA_USUARIOS recarregado = ctx.usuario->Get_User(ctx.usuario_logado.id);
    if (!recarregado.empty())
        ctx.usuario_logado = recarregado.front();
}
