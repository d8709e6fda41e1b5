#include "gui/janelas.h"

#include <map>

#include "gui/colmeia_view.h"
#include "gui/form_abelha.h"
#include "gui/form_acesso.h"
#include "gui/form_apiario.h"
#include "gui/form_busca_apiario.h"
#include "gui/form_criacao.h"
#include "gui/form_cep.h"
#include "gui/form_empresa.h"
#include "gui/form_relatorios.h"
#include "gui/form_florada.h"
#include "gui/form_genealogia.h"
#include "gui/form_hoje.h"
#include "gui/form_importar.h"
#include "gui/form_lote_mel.h"
#include "gui/form_matrizes.h"
#include "gui/form_manejo_lote.h"
#include "gui/form_minha_conta.h"
#include "gui/form_pesquisa_usuario.h"
#include "gui/form_produto.h"
#include "gui/form_rastreabilidade.h"
#include "gui/form_senha.h"
#include "gui/form_usuarios.h"

namespace {

// A window with no content of its own: what an id without a form opens.
class FormVazio : public FormularioCom<BotoesForm>
{
public:
    using FormularioCom::FormularioCom;
    void montar() override {}
};

template <class F>
std::unique_ptr<Formulario> fazer(int id, Contexto& contexto)
{
    return std::unique_ptr<Formulario>(new F(id, contexto));
}

typedef std::unique_ptr<Formulario> (*Fabrica)(int, Contexto&);

} // namespace

std::unique_ptr<Formulario> criar_formulario(int id, Contexto& contexto)
{
    static const std::map<int, Fabrica> tabela = {
        { ids::MINHA_CONTA, fazer<FormMinhaConta> },
        { ids::USUARIOS, fazer<FormUsuarios> },
        { ids::NIVEIS, fazer<FormAcesso> },
        { ids::APIARIOS, fazer<FormApiario> },
        { ids::ABELHAS, fazer<FormAbelha> },
        { ids::COLMEIAS, fazer<COLMEIA_VIEW> },
        { ids::SENHA, fazer<FormSenha> },
        { ids::FLORADA, fazer<FormFlorada> },
        { ids::CADASTRO_CEP, fazer<FormCep> },
        { ids::GENEALOGIA, fazer<FormGenealogia> },
        { ids::PRODUTOS, fazer<FORM_PRODUTO> },
        { ids::MOVIMENTACAO, fazer<FORM_MANEJO_LOTE> },
        { ids::TRATAMENTO_LOTE, fazer<FORM_MANEJO_LOTE> },
        { ids::ALIMENTACAO_LOTE, fazer<FORM_MANEJO_LOTE> },
        { ids::PESAGEM_LOTE, fazer<FORM_MANEJO_LOTE> },
        { ids::LOTES_MEL, fazer<FORM_LOTE_MEL> },
        { ids::COLHEITA_LOTE, fazer<FORM_MANEJO_LOTE> },
        { ids::RASTREABILIDADE, fazer<FORM_RASTREABILIDADE> },
        { ids::BUSCA_APIARIO, fazer<FormBuscaApiario> },
        { ids::BUSCA_USUARIO, fazer<FormPesquisaUsuario> },
        { ids::EMPRESA, fazer<FormEmpresa> },
        { ids::RELATORIOS, fazer<FormRelatorios> },
        { ids::IMPORTAR, fazer<FormImportar> },
        // Queen rearing.
        { ids::CRIACAO_RAINHAS, fazer<FORM_CRIACAO> },
        { ids::HOJE, fazer<FORM_HOJE> },
        { ids::MATRIZES, fazer<FORM_MATRIZES> },
    };
    auto it = tabela.find(id);
    return it != tabela.end() ? it->second(id, contexto) : fazer<FormVazio>(id, contexto);
}
