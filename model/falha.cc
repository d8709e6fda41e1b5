#include "model/falha.h"

#include "db/instrucao.h"

FALHA::FALHA(const RESULTADO& r)
    : tipo(r.tipo), sqlstate(r.ok() ? "" : r.sqlstate), restricao(r.ok() ? "" : r.restricao),
      mensagem(r.ok() ? "" : r.mensagem), houve(!r.ok())
{
    if (sqlstate == estado_sql::TRANSACAO_DESFEITA) {
        desfeita = true;
    } else if (houve && tipo == INSTRUCAO::NENHUM && !r.enviado && sqlstate.compare(0, 2, "08") == 0) {
        // A commit that never left: the transaction went with the connection.
        desfeita = true;
    }
}

FALHA FALHA::recusa(const std::string& motivo)
{
    FALHA f;
    f.houve = true;
    f.motivo_ = motivo;
    f.propria_ = true;
    return f;
}

const char* motivo_da_restricao(const std::string& sqlstate, const std::string& restricao, bool exclusao)
{
    struct Caso
    {
        const char* sqlstate;
        const char* restricao;
        int exclusao;   // 1 only for a delete, 0 never for a delete, -1 either
        const char* motivo;
    };
    static const Caso casos[] = {
        { "23505", "usuario_login_key", -1, "Já existe um usuário com este login: escolha outro." },
        { "23505", "florada_nome_florada_key", -1, "Já existe uma florada com este nome." },
        { "23505", "ceps_cep_key", -1, "Este CEP já está cadastrado." },
        { "23503", "usuario_id_acesso_fkey", 1,
          "Este nível de acesso ainda é usado por usuários: mude o nível deles antes de excluí-lo." },
        { "23503", "usuario_id_acesso_fkey", 0, "O nível de acesso escolhido não existe mais." },
        { "23503", "abelha_rainha_filha_fkey", 1,
          "Esta abelha é mãe de outras abelhas cadastradas: ela não pode ser excluída." },
        { "23503", "abelha_rainha_filha_fkey", 0,
          "A abelha escolhida como mãe não existe mais: ela foi excluída depois de aparecer na lista." },
        { "23503", "usuario_id_cep_fkey", 0, "O CEP escolhido não está cadastrado." },
        { "23503", "apiario_id_florada_fkey", 0, "A florada escolhida não existe mais." },
        { "23503", "apiario_cod_cid_fkey", 0, "O município escolhido não está cadastrado." },
        { "23514", "abelha_nao_e_mae_de_si", -1,
          "Uma abelha não pode ser mãe de si mesma: escolha outra mãe, ou \"Não Sabe\"." },
        { "23514", "usuario_nome_check", -1, "O nome não pode ficar em branco." },
        { "23514", "sistema_tem_administrador", -1,
          "Recusado: o sistema ficaria sem administrador.\n"
          "Algum usuário precisa ter o nível de acesso de número mais alto." },
        { "23514", "usuario_login_check", -1, "O login não pode ficar em branco." },
        { "23503", "usuario_id_cep_fkey", 1, "Este CEP é o de usuários cadastrados: ele não pode ser excluído." },
        { "23503", "ceps_cod_cid_fkey", 0, "O município escolhido para o CEP não está cadastrado." },
        { "23503", "ceps_cod_cid_fkey", 1, "Este município é o de CEPs cadastrados: ele não pode ser excluído." },
        { "23503", "apiario_cod_cid_fkey", 1, "Este município é o de apiários cadastrados: ele não pode ser excluído." },
        { "23503", "apiario_id_florada_fkey", 1, "Esta florada é a de apiários cadastrados: ela não pode ser excluída." },
        { "23505", "colmeia_id_abelha_key", -1, "Esta rainha já está em outra colméia." },
        { "23503", "colmeia_id_abelha_fkey", 0,
          "A rainha escolhida não existe mais: ela foi excluída depois de aparecer aqui." },
        { "23503", "colmeia_id_abelha_fkey", 1,
          "Esta abelha é a rainha de uma colméia: tire-a da colméia antes de excluí-la." },
        { "23503", "colmeia_id_apiario_fkey", 0, "O apiário escolhido não existe mais." },
        { "23503", "colmeia_id_apiario_fkey", 1,
          "Este apiário tem colméias: mude-as de apiário antes de excluí-lo." },
        { "23514", "colmeia_tipo_check", -1, "Escolha o tipo da colméia." },
        { "23514", "colmeia_status_check", -1, "Escolha o status da colméia." },
        { "23503", "revisao_id_colmeia_fkey", 0,
          "A colméia revisada não existe mais: ela foi excluída em outro computador." },
        { "23514", "revisao_status_check", -1, "Escolha o status visto na revisão." },
        { "23514", "revisao_mel_kg_check", -1,
          "O mel colhido deve ser um número de quilos, zero ou mais (por exemplo 12,5)." },
        { "42501", "somente_administradores", -1,
          "Somente um administrador pode mudar usuários e níveis de acesso: o usuário que entrou não é mais "
          "administrador, ou a sessão com o banco de dados não tem mais quem entrou." },
        { "42501", "primeiro_administrador", -1, "Este banco de dados já tem usuários: entre com um deles." },
        { "23503", "primeiro_administrador_cep", -1,
          "Nenhum CEP está cadastrado: o administrador precisa de um (o banco de dados está incompleto)." },
        { "23514", "senha_em_forma_guardada", -1, "A senha não foi recebida na forma que o banco de dados guarda." },
        { "23503", "credencial_id_usuario_fkey", 0, "O usuário da senha não existe mais." },
        { "23503", "sessao_id_usuario_fkey", 0, "O usuário que entrou não existe mais." },
        { "23503", "tentativa_id_usuario_fkey", 0, "O usuário que entrou não existe mais." },
        { "23505", "credencial_pkey", -1, "Este usuário já tem senha guardada." },
        { "23505", "sessao_pkey", -1, "Esta sessão já está aberta." },
        { "23505", "tentativa_pkey", -1, "Esta tentativa de entrada já foi registrada." },
        // Products and the hive's journal.
        { "23505", "produto_nome_unico", -1, "Já existe um produto com este nome." },
        { "23514", "produto_nome_vazio", -1, "O nome do produto não pode ficar em branco." },
        { "23514", "produto_tipo_check", -1, "Escolha o tipo do produto: Medicamento, Alimento ou Outro insumo." },
        { "23514", "produto_carencia_dias_check", -1, "A carência deve ser um número de dias, zero ou mais." },
        { "23514", "produto_unidade_check", -1, "Escolha a unidade do produto." },
        { "42501", "produto_somente_administradores", -1,
          "Somente um administrador pode incluir ou excluir produtos e mudar o tipo ou a carência de um produto." },
        { "23503", "tratamento_id_produto_fkey", 0, "O produto escolhido não existe mais." },
        { "23503", "tratamento_id_produto_fkey", 1, "Este produto é usado em tratamentos: ele não pode ser excluído." },
        { "23503", "alimentacao_id_produto_fkey", 0, "O alimento escolhido não existe mais." },
        { "23503", "alimentacao_id_produto_fkey", 1, "Este produto é usado em alimentações: ele não pode ser excluído." },
        { "23503", "tratamento_id_colmeia_fkey", 0, "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "tratamento_id_colmeia_fkey", 1,
          "Esta colméia tem tratamentos registrados, que podem ter de ser mostrados: em vez de excluí-la, marque-a "
          "como encerrada (Perda ou Venda)." },
        { "23503", "ocorrencia_id_colmeia_fkey", 0, "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "ocorrencia_id_colmeia_fkey", 1,
          "Esta colméia tem ocorrências sanitárias registradas, que podem ter de ser mostradas: em vez de excluí-la, "
          "marque-a como encerrada (Perda ou Venda)." },
        { "23503", "movimentacao_id_colmeia_fkey", 0,
          "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "movimentacao_id_colmeia_fkey", 1,
          "Esta colméia tem movimentações registradas, que podem ter de ser mostradas: em vez de excluí-la, "
          "marque-a como encerrada (Perda ou Venda)." },
        { "23503", "alimentacao_id_colmeia_fkey", -1, "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "pesagem_id_colmeia_fkey", -1, "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "evento_colonia_id_colmeia_fkey", -1,
          "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "evento_colonia_id_relacionada_fkey", 0,
          "A outra colméia do evento não existe mais: ela foi excluída em outro computador." },
        { "23503", "evento_colonia_id_relacionada_fkey", 1,
          "Esta colméia deu origem a outra por divisão, ou recebeu outra numa junção: esse histórico a mantém; em "
          "vez de excluí-la, marque-a como encerrada (Perda ou Venda)." },
        { "23503", "tratamento_id_usuario_fkey", 0, "O usuário que entrou não existe mais." },
        { "23503", "movimentacao_id_origem_fkey", 0, "O apiário de onde a colméia sai não existe mais." },
        { "23503", "movimentacao_id_destino_fkey", 0, "O apiário de destino não existe mais." },
        { "23503", "movimentacao_id_origem_fkey", 1,
          "Este apiário aparece no histórico de movimentações de colméias: ele não pode ser excluído." },
        { "23503", "movimentacao_id_destino_fkey", 1,
          "Este apiário aparece no histórico de movimentações de colméias: ele não pode ser excluído." },
        { "23514", "tratamento_fim_antes_do_inicio", -1, "O fim do tratamento não pode ser antes do início." },
        { "23514", "tratamento_dose_check", -1, "A dose deve ser um número, zero ou mais." },
        { "23514", "tratamento_unidade_check", -1, "Escolha a unidade da dose." },
        { "23514", "tratamento_carencia_dias_check", -1, "A carência deve ser um número de dias, zero ou mais." },
        { "23514", "alimentacao_quantidade_check", -1, "A quantidade deve ser um número, zero ou mais." },
        { "23514", "alimentacao_unidade_check", -1, "Escolha a unidade da quantidade." },
        { "23514", "alimentacao_so_alimento", -1, "Escolha um produto do tipo Alimento." },
        { "23514", "ocorrencia_doenca_check", -1, "Escolha a ocorrência na lista." },
        { "23514", "ocorrencia_quadros_check", -1, "O número de quadros deve ser zero ou mais." },
        { "23514", "ocorrencia_nivel_check", -1, "Escolha o nível: leve, moderada ou grave." },
        { "23514", "ocorrencia_outra_sem_nome", -1, "Escreva o nome da ocorrência (\"Outra\")." },
        { "23514", "pesagem_peso_kg_check", -1, "O peso deve ser um número de quilos maior que zero." },
        { "23514", "movimentacao_finalidade_check", -1, "Escolha a finalidade: Florada, Polinização ou Outro." },
        { "23514", "movimentacao_para_o_mesmo_apiario", -1,
          "Uma colméia escolhida já está no apiário de destino: escolha outro destino ou tire-a da lista." },
        { "23514", "evento_colonia_tipo_check", -1, "Escolha o tipo do evento." },
        { "23514", "evento_colonia_motivo_check", -1, "Escolha o motivo da perda." },
        { "23514", "evento_sem_colmeia_relacionada", -1, "Escolha a outra colméia do evento." },
        { "23514", "evento_com_a_propria_colmeia", -1, "A outra colméia do evento não pode ser a mesma colméia." },
        { "23514", "evento_perda_sem_motivo", -1, "Escolha o motivo da perda." },
        { "23514", "colmeia_encerrada", -1,
          "Esta colméia está encerrada (morta, vendida, unida a outra ou perdida): ela não recebe novos registros." },
        // Keys are given by the database: a repeated one means a record
        // written by hand over one that exists.
        { "23505", "acesso_pkey", -1, "Já existe um nível de acesso com este código." },
        { "23505", "municipio_pkey", -1, "Já existe um município com este código do IBGE." },
        { "23505", "ceps_pkey", -1, "Já existe um CEP com este código." },
        { "23505", "usuario_pkey", -1, "Já existe um usuário com este código." },
        { "23505", "florada_pkey", -1, "Já existe uma florada com este código." },
        { "23505", "apiario_pkey", -1, "Já existe um apiário com este código." },
        { "23505", "abelha_rainha_pkey", -1, "Já existe uma abelha com este código." },
        { "23505", "colmeia_pkey", -1, "Já existe uma colméia com este código." },
        { "23505", "revisao_pkey", -1, "Já existe uma revisão com este código." },
        { "23505", "produto_pkey", -1, "Já existe um produto com este código." },
        { "23505", "tratamento_pkey", -1, "Já existe um tratamento com este código." },
        { "23505", "alimentacao_pkey", -1, "Já existe uma alimentação com este código." },
        { "23505", "ocorrencia_pkey", -1, "Já existe uma ocorrência com este código." },
        { "23505", "pesagem_pkey", -1, "Já existe uma pesagem com este código." },
        { "23505", "movimentacao_pkey", -1, "Já existe uma movimentação com este código." },
        { "23505", "evento_colonia_pkey", -1, "Já existe um evento com este código." },
        // Honey lots and the harvests they are made of.
        { "23505", "colheita_pkey", -1, "Já existe uma colheita com este código." },
        { "23505", "lote_mel_pkey", -1, "Já existe um lote com este código interno." },
        { "23505", "lote_mel_colheita_pkey", -1, "Esta parte do lote já está gravada." },
        { "23505", "rainha_colmeia_pkey", -1, "A rainha desta colméia já foi registrada neste dia." },
        { "23505", "lote_mel_codigo_unico", -1, "Já existe um lote com este código: escolha outro, ou deixe-o em branco "
                                                "para o sistema dar o próximo número do ano." },
        { "23505", "lote_mel_revisao_repetida", -1, "Uma colheita aparece duas vezes no lote: deixe-a uma vez só." },
        { "23505", "lote_mel_colheita_repetida", -1, "Uma colheita aparece duas vezes no lote: deixe-a uma vez só." },
        { "23503", "colheita_id_colmeia_fkey", -1, "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "rainha_colmeia_id_colmeia_fkey", -1,
          "A colméia não existe mais: ela foi excluída em outro computador." },
        { "23503", "rainha_colmeia_id_abelha_fkey", -1, "A abelha escolhida não existe mais." },
        { "23503", "lote_mel_id_florada_fkey", 0, "A florada escolhida não existe mais." },
        { "23503", "lote_mel_id_florada_fkey", 1, "Esta florada é a de lotes de mel: ela não pode ser excluída." },
        { "23503", "lote_mel_colheita_id_lote_fkey", -1, "O lote não existe mais: ele foi excluído em outro computador." },
        { "23503", "lote_mel_colheita_id_revisao_fkey", 0,
          "Uma colheita escolhida não existe mais: ela foi excluída em outro computador. Busque as colheitas de novo." },
        { "23503", "lote_mel_colheita_id_revisao_fkey", 1,
          "O mel desta revisão está em um lote: ela não pode ser excluída (nem a colméia dela). Tire-a do lote antes, "
          "ou anule o lote." },
        { "23503", "lote_mel_colheita_id_colheita_fkey", 0,
          "Uma colheita escolhida não existe mais: ela foi excluída em outro computador. Busque as colheitas de novo." },
        { "23503", "lote_mel_colheita_id_colheita_fkey", 1,
          "O mel desta colheita está em um lote: ela não pode ser excluída (nem a colméia dela). Tire-a do lote antes, "
          "ou anule o lote." },
        { "23514", "colheita_sem_quilos", -1, "Os quilos de mel devem ser um número maior que zero (por exemplo 18,5)." },
        { "23514", "colheita_em_lote", -1,
          "O mel desta colheita está em um lote: a colméia e a data não mudam, e os quilos não ficam abaixo do que os "
          "lotes têm dela." },
        { "23514", "lote_mel_codigo_vazio", -1, "O código do lote não pode ser só espaços." },
        { "23514", "lote_mel_umidade", -1, "A umidade deve ser um número de 0 a 100 (por cento), ou ficar em branco." },
        { "23514", "lote_mel_tambores", -1, "O número de tambores deve ser um número inteiro de 1 a 9999." },
        { "23514", "lote_mel_inspecao", -1, "Escolha o serviço de inspeção: SIF, SIE ou SIM (ou nenhum)." },
        { "23514", "lote_mel_anulado_sem_motivo", -1, "Escreva o motivo da anulação do lote." },
        { "23514", "lote_mel_parte_sem_quilos", -1, "Os quilos de cada colheita no lote devem ser maiores que zero." },
        { "23514", "lote_mel_parte_de_uma_colheita", -1, "Cada parte do lote vem de uma colheita só." },
        { "23514", "lote_mel_em_uso", -1,
          "Este lote tem nota fiscal, ou foi anulado: ele não pode ser excluído. Anule-o, dizendo o motivo; ele continua "
          "nos relatórios, marcado como anulado." },
        { "23514", "lote_mel_anulado", -1, "Este lote foi anulado: ele não pode mais ser alterado." },
        { "23514", "lote_mel_colheita_em_carencia", -1,
          "Uma colheita escolhida foi feita com a colméia em carência: ela não pode entrar em um lote." },
        { "23514", "lote_mel_colheita_depois_da_extracao", -1,
          "Uma colheita escolhida é posterior à data de extração do lote." },
        { "23514", "lote_mel_excede_colheita", -1,
          "Os quilos escolhidos de uma colheita passam do que ela deu menos o que já está em outros lotes (outro "
          "computador pode ter acabado de usá-la). Busque as colheitas de novo." },
        // The company's data.
        { "23514", "empresa_uma_so", -1, "Os dados da empresa são um registro só: não se inclui outro." },
        { "23505", "empresa_pkey", -1, "Os dados da empresa já estão cadastrados: altere-os em vez de incluir outros." },
        { "23514", "empresa_documento_forma", -1,
          "Digite o CPF inteiro, como 123.456.789-09, ou o CNPJ inteiro, como 12.345.678/0001-95." },
        { "23503", "empresa_id_cep_fkey", 0, "O CEP escolhido para a empresa não está mais cadastrado." },
        { "23503", "empresa_id_cep_fkey", 1, "Este CEP é o do endereço da empresa: ele não pode ser excluído." },
        { "42501", "empresa_somente_administradores", -1,
          "Somente um administrador pode mudar os dados da empresa: o usuário que entrou não é administrador, ou "
          "a sessão com o banco de dados não tem mais quem entrou." },
        // Queen rearing.
        { "23514", "abelha_cor_marcacao", -1,
          "Escolha a cor de marcação na lista: Branca, Amarela, Vermelha, Verde ou Azul." },
        { "23503", "criacao_id_matriz_fkey", 0,
          "A matriz escolhida não existe mais: ela foi excluída depois de aparecer aqui." },
        { "23503", "criacao_id_matriz_fkey", 1,
          "Esta abelha é a matriz de lotes de criação de rainhas: ela não pode ser excluída." },
        { "23503", "criacao_id_recria_fkey", 0, "A colméia recria escolhida não existe mais." },
        { "23503", "criacao_id_recria_fkey", 1,
          "Esta colméia foi a recria de lotes de criação de rainhas: em vez de excluí-la, marque-a como "
          "encerrada (Perda ou Venda)." },
        { "23503", "criacao_nucleo_id_criacao_fkey", 0,
          "O lote de criação não existe mais: ele foi excluído em outro computador." },
        { "23503", "criacao_nucleo_id_colmeia_fkey", 0, "Um dos núcleos escolhidos não existe mais." },
        { "23503", "criacao_nucleo_id_colmeia_fkey", 1,
          "Esta colméia recebeu células de lotes de criação de rainhas: em vez de excluí-la, marque-a como "
          "encerrada (Perda ou Venda)." },
        { "23514", "criacao_nucleo_tipo", -1, "Os núcleos de fecundação precisam ser colméias do tipo Núcleo." },
        { "23514", "criacao_larvas", -1, "O número de larvas enxertadas deve ser de 1 a 10000." },
        { "23514", "criacao_calendario", -1,
          "O calendário deve ter os dias das etapas em ordem (cada etapa no mesmo dia da anterior ou depois), de 0 "
          "a 365 dias após a enxertia." },
        { "23514", "criacao_etapa_sem_data", -1, "Cada etapa registrada precisa da data e da quantidade." },
        { "23514", "criacao_etapa_pulada", -1, "Registre as etapas em ordem: uma etapa precisa da anterior." },
        { "23514", "criacao_contagem_negativa", -1, "As quantidades das etapas devem ser zero ou mais." },
        { "23514", "criacao_contagem_subiu", -1,
          "Uma etapa não pode contar mais do que a etapa anterior: a contagem só diminui." },
        { "23514", "criacao_data_fora_de_ordem", -1,
          "As datas das etapas devem seguir a ordem: nenhuma antes da enxertia nem antes da etapa anterior." },
        { "23505", "criacao_pkey", -1, "Já existe um lote de criação com este código." },
        { "23505", "criacao_nucleo_pkey", -1, "Este núcleo já está no lote." },
        { "23505", "criacao_nucleo_id_abelha_key", -1, "Esta rainha já foi dada por outro núcleo de um lote." },
        { "23503", "fecundacao_id_abelha_fkey", 0, "A rainha não existe mais: ela foi excluída em outro computador." },
        { "23503", "fecundacao_id_apiario_fkey", 0, "O apiário da fecundação não existe mais." },
        { "23503", "fecundacao_id_apiario_fkey", 1,
          "Rainhas foram fecundadas neste apiário: ele não pode ser excluído." },
        { "23514", "fecundacao_tipo", -1, "Escolha como a rainha foi fecundada: Natural ou Inseminação instrumental." },
        { "23514", "fecundacao_inseminacao_sem_data", -1, "Escreva a data da inseminação instrumental." },
        { "23514", "fecundacao_natural_sem_local", -1,
          "Escolha o apiário ou escreva a estação de fecundação onde a rainha foi fecundada." },
        { "23505", "fecundacao_pkey", -1, "A fecundação desta rainha já está registrada." },
        { "23503", "fecundacao_zangao_id_abelha_fkey", 0, "A fecundação não existe mais: ela foi excluída em outro computador." },
        { "23503", "fecundacao_zangao_id_colmeia_fkey", 0, "Uma das colméias de zangões não existe mais." },
        { "23503", "fecundacao_zangao_id_colmeia_fkey", 1,
          "Esta colméia deu zangões para fecundações registradas: em vez de excluí-la, marque-a como encerrada "
          "(Perda ou Venda)." },
        { "23503", "fecundacao_zangao_id_zangao_fkey", 0, "Uma das rainhas de zangões não existe mais." },
        { "23503", "fecundacao_zangao_id_zangao_fkey", 1,
          "Esta abelha deu zangões para inseminações registradas: ela não pode ser excluída." },
        { "23514", "fecundacao_zangao_uma_origem", -1, "Cada origem de zangões é uma colméia ou uma rainha." },
        { "23514", "fecundacao_zangao_ela_mesma", -1, "Uma rainha não pode ser fecundada por zangões seus." },
        { "23505", "fecundacao_zangao_colmeia_repetida", -1, "Uma colméia de zangões foi escrita duas vezes." },
        { "23505", "fecundacao_zangao_rainha_repetida", -1, "Uma rainha de zangões foi escrita duas vezes." },
        { "23503", "criacao_nucleo_id_abelha_fkey", 0,
          "A rainha do núcleo não existe mais: ela foi excluída em outro computador." },
    };
    for (const Caso& c : casos) {
        if (sqlstate == c.sqlstate && restricao == c.restricao && (c.exclusao < 0 || c.exclusao == (exclusao ? 1 : 0)))
            return c.motivo;
    }
    return nullptr;
}

namespace {

bool classe(const std::string& sqlstate, const char* duas)
{
    return sqlstate.size() == 5 && sqlstate.compare(0, 2, duas) == 0;
}

} // namespace

std::string FALHA::motivo() const
{
    if (!houve || propria_ || !motivo_.empty())
        return motivo_;
    const bool exclusao = tipo == INSTRUCAO::EXCLUIR;
    if (const char* m = motivo_da_restricao(sqlstate, restricao, exclusao))
        return m;

    const std::string& s = sqlstate;
    if (s == SEM_REGISTRO)
        return exclusao ? "O registro foi alterado ou excluído em outro computador depois de aparecer aqui: nada foi "
                          "excluído. Veja como ele está agora antes de tentar de novo."
                        : "O registro foi alterado ou excluído em outro computador depois de aparecer aqui: nada foi "
                          "gravado. Veja como ele está agora e refaça a alteração, se ainda for o caso.";
    if (s == CANCELADA)
        return "A operação foi cancelada.";
    if (s == SEM_CONEXAO)
        return "Não foi possível falar com o servidor do banco de dados: verifique se ele está ligado e se a rede "
               "funciona. Nada foi enviado.";
    if (s == CONFIRMACAO_INCERTA)
        return "A ligação com o servidor do banco de dados caiu enquanto a operação era confirmada: não se sabe se "
               "ela foi gravada. Confira antes de repeti-la.";
    if (classe(s, "08"))
        return desfeita ? "O servidor do banco de dados não respondeu até o fim da operação (a ligação caiu ou ele "
                          "parou)."
                        : "O servidor do banco de dados não respondeu (a ligação caiu ou ele parou): confira se a "
                          "alteração foi gravada antes de repeti-la.";
    if (s == "57P01" || s == "57P02" || s == "57P03")
        return "O servidor do banco de dados está sendo desligado ou reiniciado: tente de novo em instantes.";
    if (s == "23505")
        return "Já existe um registro com estes dados.";
    if (s == "23503")
        return exclusao ? "Este registro ainda é usado por outros registros e não pode ser excluído."
                        : "O registro aponta para outro que não existe mais.";
    if (s == "23502")
        return "Um campo obrigatório ficou em branco.";
    if (s == "22007" || s == "22008")
        return "A data digitada não existe ou não está no formato DD/MM/AAAA.";
    if (s == "22001")
        return "Um dos textos digitados é longo demais.";
    if (s == "22003")
        return "Um dos números digitados está fora do limite aceito.";
    if (classe(s, "22") || classe(s, "23"))
        return "Um dos valores digitados não é aceito pelo banco de dados.";
    if (classe(s, "40"))
        return "Outra pessoa alterava os mesmos registros ao mesmo tempo: tente de novo.";
    if (classe(s, "53"))
        return "O servidor do banco de dados está sem espaço em disco ou sem memória: avise o responsável por ele.";
    if (s == "42501")
        return "O usuário do banco de dados não tem permissão para esta operação.";
    if (classe(s, "42"))
        return "O banco de dados não tem a forma que o programa espera: ele precisa ser atualizado.";
    return "O banco de dados recusou a operação.";
}
