#include "db/resultado.h"

namespace estado_sql {
const char* const SEM_REGISTRO = "02000";
const char* const CANCELADA = "57014";
const char* const SEM_CONEXAO = "08001";
const char* const CONEXAO_PERDIDA = "08006";
const char* const CONFIRMACAO_INCERTA = "08007";
const char* const TRANSACAO_DESFEITA = "25P02";
} // namespace estado_sql
