#include "gui/form_usuarios.h"


#include <gtkmm/stock.h>

#include "db/rastro.h"
#include "gui/janelas.h"

void FormUsuarios::montar()
{
    janela()->set_title("Cadastro de Usuarios");
    Gtk::Toolbar* barra = barra_registro(w, Depois::BUSCAR);
    Gtk::HBox* privilegios = nullptr;
    Gtk::VBox* vertical = montar_campos(barra, privilegios);
    vertical->pack_start(*barra_navegacao(w, "1/1"), false, false, 0);
    janela()->add(*vertical);
    w.button_buscar->signal_clicked().connect([this] { abrir(ids::BUSCA_USUARIO); });
}

void FormUsuarios::sensibilizar(bool navegando)
{
    Gtk::Widget* navegacao[] = { w.button_novo, w.button_buscar, w.button_primeiro,
                                 w.button_anterior, w.button_proximo, w.button_ultimo };
    for (Gtk::Widget* b : navegacao)
        b->set_sensitive(navegando);
}

FormUsuarios::~FormUsuarios()
{
    if (ctx.usuario)
        ctx.usuario->esquecer_lista();
}

void FormUsuarios::carregar()
{
    esquecer_cep();
    // All users again; the rows of the previous load go first, unless
    // nothing is found and they are kept.
    usuarios = LISTA_USUARIOS();
    usuarios = ctx.usuario->Get_User(-1);
    if (!posicionar(usuarios.size()))
        return;
    mostrar_usuario(usuarios[ctx.usuarios.posicao - 1]);
}

FALHA FormUsuarios::salvar(bool inserir)
{
    USER u;
    if (inserir) {
        ler_campos(u);
        u.senha = w.entry_senha->get_text();
        if (u.senha.empty()) {
            return FALHA::recusa("Digite a senha do novo usuário.");
        }
        u.cep = cep_para_salvar(ctx.usuario_logado.cep);
        u.acesso = ctx.usuario_logado.acesso;
    } else {
        const Posicao p = ctx.usuarios.posicao;
        if (p < 1 || p > usuarios.size()) {
            return FALHA::recusa("Nenhum usuário está sendo mostrado para ser alterado.");
        }
        u = usuarios[p - 1];
        rastrear(u.id, '\n');
        ler_campos(u);
        rastrear(u.cep.id, '\n');
        u.cep = cep_para_salvar(u.cep);
    }
    // No postal code known (no lookup ever found one and there is none to
    // fall back on): the key would point nowhere, so the save is refused.
    if (u.cep.id <= 0) {
        return FALHA::recusa(SEM_CEP);
    }
    return desfecho(inserir ? ctx.usuario->inserir_usuario(&u) : ctx.usuario->atualizar_usuario(&u), *ctx.usuario);
}

Posicao FormUsuarios::posicao_de(int id) const
{
    for (std::size_t i = 0; i < usuarios.size(); ++i) {
        if (usuarios.id(i) == id)
            return i + 1;
    }
    return 0;
}

bool FormUsuarios::receber_escolha(int de_onde, int chave)
{
    if (de_onde != ids::BUSCA_USUARIO)
        return false;
    // A user added since this form loaded its list is not in it yet.
    Posicao posicao = posicao_de(chave);
    if (posicao == 0) {
        usuarios = ctx.usuario->Get_User(-1);
        posicao = posicao_de(chave);
    }
    if (posicao == 0)
        return false;
    ctx.usuarios.posicao = posicao;
    carregar_dados(get_id());
    return true;
}
