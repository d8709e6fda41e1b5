#include "bench/banco_bench.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "roteiro/conf_banco.h"
#include "roteiro/roteiro.h"

namespace bench {

namespace {

std::string ambiente(const char* nome, const char* padrao)
{
    const char* v = std::getenv(nome);
    if (v && *v)
        return v;
    if (padrao)
        return padrao;
    throw std::runtime_error(std::string(nome) + " is not set (run the benchmark through scripts/bench)");
}

std::string ler_arquivo(const std::string& caminho)
{
    std::ifstream f(caminho.c_str());
    if (!f)
        throw std::runtime_error("cannot read " + caminho);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void rodar(PGconn* c, const std::string& sql)
{
    PGresult* r = PQexec(c, sql.c_str());
    ExecStatusType st = PQresultStatus(r);
    std::string erro = PQresultErrorMessage(r);
    PQclear(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
        throw std::runtime_error("SQL failed: " + erro + sql.substr(0, 200));
}

PGconn* abrir(const std::string& conninfo)
{
    PGconn* c = PQconnectdb(conninfo.c_str());
    if (PQstatus(c) != CONNECTION_OK) {
        std::string e = PQerrorMessage(c);
        PQfinish(c);
        throw std::runtime_error("cannot connect: " + e);
    }
    return c;
}

// The fill, in SQL: names drawn from Brazilian first names and surnames (so
// that a one-letter prefix finds a share of the users, as in real data),
// keys in order, registry numbers as the program writes them.
const char* const PREENCHER = R"SQL(
SET datestyle = 'ISO, DMY';
CREATE TEMP TABLE nomes (i int, nome text);
INSERT INTO nomes
SELECT g,
       (ARRAY['Ana','Antônio','Beatriz','Bruno','Carla','Carlos','Daniela','Diego','Eduarda','Eduardo',
              'Fernanda','Felipe','Gabriela','Gustavo','Helena','Igor','Isabela','João','Juliana','José',
              'Larissa','Lucas','Mariana','Marcos','Maria','Mateus','Natália','Nelson','Olívia','Paulo',
              'Patrícia','Rafael','Renata','Rodrigo','Sandra','Sérgio','Tatiane','Thiago','Vanessa','Vítor'])
           [1 + (g * 7) % 40] || ' ' ||
       (ARRAY['Silva','Santos','Oliveira','Souza','Rodrigues','Ferreira','Alves','Pereira','Lima','Gomes',
              'Costa','Ribeiro','Martins','Carvalho','Almeida','Lopes','Soares','Fernandes','Vieira','Barbosa'])
           [1 + (g * 13) % 20] || ' ' ||
       (ARRAY['Rocha','Dias','Nascimento','Andrade','Moreira','Nunes','Marques','Machado','Mendes','Freitas'])
           [1 + (g * 3) % 10]
  FROM generate_series(1, :n) g;

INSERT INTO cadastro.usuario (id_usuario, nome, login, senha, cpf, rg, oexp, nasc, endereco, numero,
                              bairro, id_cep, id_acesso)
SELECT i, nome, 'usuario' || i, '',
       substr(lpad(((i::bigint * 7919) % 1000000000)::text, 9, '0'), 1, 3) || '.' ||
       substr(lpad(((i::bigint * 7919) % 1000000000)::text, 9, '0'), 4, 3) || '.' ||
       substr(lpad(((i::bigint * 7919) % 1000000000)::text, 9, '0'), 7, 3) || '-' || lpad((i % 100)::text, 2, '0'),
       (1000000 + i)::text, 'SSP/MS', date '1950-01-01' + (i * 37) % 20000,
       'Rua ' || (1 + i % 300), (1 + i % 2000)::text, 'Bairro ' || (1 + i % 40),
       1 + i % 9, 1 + i % 3
  FROM nomes
 WHERE i > (SELECT count(*) FROM cadastro.usuario) AND i <= :n;

INSERT INTO cadastro.apiario (id_apiario, nome, endereco, distrito, data_criacao, latitude, longitude, obs,
                              id_florada, cod_cid)
SELECT i, 'Apiário ' || split_part(nome, ' ', 2) || ' ' || i, 'Estrada vicinal ' || (i % 500) || ', km ' || (i % 40),
       'Distrito ' || (i % 60), date '1990-01-01' + (i * 11) % 12000,
       to_char(-20 - (i % 4000) / 1000.0, 'FM990.0000'), to_char(-53 - (i % 3000) / 1000.0, 'FM990.0000'),
       CASE WHEN i % 3 = 0 THEN '' ELSE 'Caixas em bom estado; revisão ' || (i % 12 + 1) || ' vezes por ano.' END,
       1 + i % 6, ms.codigos[1 + i % array_length(ms.codigos, 1)]
  FROM nomes,
       (SELECT array_agg(cod_cid ORDER BY cod_cid) AS codigos FROM cadastro.municipio WHERE estado = 'MS') ms
 WHERE i > (SELECT count(*) FROM cadastro.apiario) AND i <= :n;

INSERT INTO cadastro.abelha_rainha (id_abelha, rgn, data_nasc, matriz, filha)
SELECT i,
       lpad(i::text, greatest(5, length(i::text)), '0') || '-' ||
       lpad(coalesce(mae, 0)::text, greatest(5, length(coalesce(mae, 0)::text)), '0'),
       date '2000-01-01' + (i * 5) % 9000, i % 10 = 0, mae
  FROM (SELECT g AS i, CASE WHEN g % 50 = 1 THEN NULL ELSE g / 2 END AS mae
          FROM generate_series(1, :n) g) b
 WHERE i > (SELECT count(*) FROM cadastro.abelha_rainha) AND i <= :n
 ORDER BY i;

-- A hive for every tenth bee (N / 10 of them), most headed by a queen, in
-- apiaries all over the list, each with three inspections; the hive's
-- status follows the newest one.
INSERT INTO cadastro.colmeia (tipo, status, id_abelha, id_apiario, data_instalacao, obs)
SELECT (ARRAY['Langstroth','Schenk','Núcleo','Outro'])[1 + g % 4], 'Ativa',
       CASE WHEN g % 5 = 0 THEN NULL ELSE g * 10 END, 1 + (g::bigint * 7919) % :n,
       date '2015-01-01' + g % 3000, CASE WHEN g % 2 = 0 THEN '' ELSE 'Caixa ' || g END
  FROM generate_series(1, :n / 10) g
 WHERE (SELECT count(*) FROM cadastro.colmeia) = 0;

INSERT INTO cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs)
SELECT c.id_colmeia, date '2020-01-01' + k * 90 + c.id_colmeia % 60,
       (ARRAY['Ativa','Fraca','Órfã','Zanganeira','Morta','Vendida'])[1 + (c.id_colmeia + k) % 6],
       (c.id_colmeia % 40) / 2.0, CASE WHEN k = 3 THEN 'Última revisão' ELSE '' END
  FROM cadastro.colmeia c, generate_series(1, 3) k
 WHERE (SELECT count(*) FROM cadastro.revisao) = 0
 ORDER BY c.id_colmeia, k;

-- The hives' journal over five years: about a hundred entries a hive (at
-- N = 100,000, 10,000 hives and some 1,000,000 entries) of every kind.
-- Made set-based with the journal's triggers off: a move's origin is the
-- apiary the one before took it to, and each hive ends where its last
-- move took it; the versions of the hives are not needed here.
ALTER TABLE cadastro.tratamento DISABLE TRIGGER USER;
ALTER TABLE cadastro.alimentacao DISABLE TRIGGER USER;
ALTER TABLE cadastro.ocorrencia DISABLE TRIGGER USER;
ALTER TABLE cadastro.pesagem DISABLE TRIGGER USER;
ALTER TABLE cadastro.movimentacao DISABLE TRIGGER USER;
INSERT INTO cadastro.tratamento (id_colmeia, id_produto, inicio, fim, dose, unidade, lote_produto, carencia_dias, obs)
SELECT c.id_colmeia, 1 + (c.id_colmeia + k) % 3, d, d + 7 * (k % 6), 2, 'tira', 'L-' || k, (ARRAY[14, 30, 0])[1 + (c.id_colmeia + k) % 3],
       CASE WHEN k % 4 = 0 THEN 'Contra varroa' ELSE '' END
  FROM cadastro.colmeia c, generate_series(1, 15) k, LATERAL (SELECT date '2021-01-01' + k * 120 + c.id_colmeia % 90 AS d) dd
 WHERE (SELECT count(*) FROM cadastro.tratamento) = 0;
INSERT INTO cadastro.alimentacao (id_colmeia, data, id_produto, quantidade, unidade, obs)
SELECT c.id_colmeia, date '2021-01-01' + k * 60 + c.id_colmeia % 50, 4 + k % 2, 1 + k % 3, 'L', ''
  FROM cadastro.colmeia c, generate_series(1, 30) k
 WHERE (SELECT count(*) FROM cadastro.alimentacao) = 0;
INSERT INTO cadastro.ocorrencia (id_colmeia, data, doenca, quadros, nivel, obs)
SELECT c.id_colmeia, date '2021-02-01' + k * 360 + c.id_colmeia % 200,
       (ARRAY['Varroose','Nosemose','Cria giz','Acarapisose','Cria pútrida europeia'])[1 + (c.id_colmeia + k) % 5],
       k % 4, (ARRAY['leve','moderada','grave'])[1 + k % 3], ''
  FROM cadastro.colmeia c, generate_series(1, 5) k
 WHERE (SELECT count(*) FROM cadastro.ocorrencia) = 0;
INSERT INTO cadastro.pesagem (id_colmeia, data, peso_kg, obs)
SELECT c.id_colmeia, date '2021-01-10' + k * 45 + c.id_colmeia % 40, 20 + (c.id_colmeia + k) % 25, ''
  FROM cadastro.colmeia c, generate_series(1, 40) k
 WHERE (SELECT count(*) FROM cadastro.pesagem) = 0;
-- Seven moves a hive, back and forth between its apiary and the next one.
INSERT INTO cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, gta, finalidade, obs)
SELECT c.id_colmeia, date '2021-03-01' + k * 250 + c.id_colmeia % 100,
       CASE WHEN k % 2 = 1 THEN c.id_apiario ELSE 1 + c.id_apiario % :n END,
       CASE WHEN k % 2 = 1 THEN 1 + c.id_apiario % :n ELSE c.id_apiario END,
       CASE WHEN k % 3 = 0 THEN '' ELSE 'GTA-' || c.id_colmeia || '-' || k END,
       (ARRAY['Florada','Polinização','Outro'])[1 + k % 3], ''
  FROM cadastro.colmeia c, generate_series(1, 7) k
 WHERE (SELECT count(*) FROM cadastro.movimentacao) = 0;
UPDATE cadastro.colmeia c SET id_apiario = m.id_destino
  FROM cadastro.movimentacao m
 WHERE m.id_colmeia = c.id_colmeia AND m.data = (SELECT max(data) FROM cadastro.movimentacao x WHERE x.id_colmeia = c.id_colmeia)
   AND c.id_apiario <> m.id_destino;
-- Ten harvests a hive, one a half year, and 5,000 honey lots: the last
-- one, the newest, of the last harvests of the first tenth of the hives
-- (1,000 of them at N = 100,000); the
-- others of about twenty older harvests each. The last harvests of the
-- other hives are in no lot yet: a season's harvests to build one from.
ALTER TABLE cadastro.colheita DISABLE TRIGGER USER;
ALTER TABLE cadastro.lote_mel DISABLE TRIGGER USER;
ALTER TABLE cadastro.lote_mel_colheita DISABLE TRIGGER USER;
INSERT INTO cadastro.colheita (id_colmeia, data, mel_kg, obs)
SELECT c.id_colmeia, date '2021-01-10' + k * 180 + c.id_colmeia % 60, 10 + (c.id_colmeia + k) % 20, ''
  FROM cadastro.colmeia c, generate_series(1, 10) k
 WHERE (SELECT count(*) FROM cadastro.colheita) = 0
 ORDER BY k, c.id_colmeia;
INSERT INTO cadastro.lote_mel (id_lote, codigo, data_extracao, id_florada, umidade, tambores, destino, nota_fiscal)
SELECT g, CASE WHEN g = 5000 THEN '2026-001' ELSE 'B-' || g END,
       CASE WHEN g = 5000 THEN date '2026-03-01' ELSE date '2021-06-01' + g % 1600 END,
       1, 17 + g % 5, 1 + g % 10, 'Entreposto ' || g % 30, CASE WHEN g % 3 = 0 THEN 'NF ' || g ELSE '' END
  FROM generate_series(1, 5000) g
 WHERE (SELECT count(*) FROM cadastro.lote_mel) = 0;
INSERT INTO cadastro.lote_mel_colheita (id_lote, id_colheita, mel_kg)
SELECT CASE WHEN h.data >= date '2025-12-01' THEN 5000 ELSE 1 + h.id_colheita % 4999 END, h.id_colheita, h.mel_kg
  FROM cadastro.colheita h
 WHERE (SELECT count(*) FROM cadastro.lote_mel_colheita) = 0
   AND (h.data < date '2025-12-01' OR h.id_colmeia <= greatest(1, :n / 100));
SELECT setval(pg_get_serial_sequence('cadastro.lote_mel', 'id_lote'), (SELECT max(id_lote) FROM cadastro.lote_mel));
ALTER TABLE cadastro.colheita ENABLE TRIGGER USER;
ALTER TABLE cadastro.lote_mel ENABLE TRIGGER USER;
ALTER TABLE cadastro.lote_mel_colheita ENABLE TRIGGER USER;
ALTER TABLE cadastro.tratamento ENABLE TRIGGER USER;
ALTER TABLE cadastro.alimentacao ENABLE TRIGGER USER;
ALTER TABLE cadastro.ocorrencia ENABLE TRIGGER USER;
ALTER TABLE cadastro.pesagem ENABLE TRIGGER USER;
ALTER TABLE cadastro.movimentacao ENABLE TRIGGER USER;

-- Rearing batches, one for every twenty bees (5,000 at N = 100,000), of
-- the breeder queens (every tenth bee), each with all its steps recorded:
-- none is due, so that the list of what to do today stays shut at login.
INSERT INTO cadastro.criacao (id_matriz, enxertia, larvas, aceitas_em, aceitas, operculadas_em, operculadas,
                              nucleos_em, nos_nucleos, nascidas_em, nascidas, postura_em, em_postura)
SELECT 10 * (1 + g % (:n / 10)), e, l, e + 1, l - g % 5, e + 5, l - g % 5 - g % 3, e + 10, (l - 8) / 2,
       e + 12, (l - 8) / 2 - g % 2, e + 26, (l - 8) / 4
  FROM generate_series(1, :n / 20) g, LATERAL (SELECT date '2024-01-01' + g % 600 AS e, 20 + g % 30 AS l) x
 WHERE (SELECT count(*) FROM cadastro.criacao) = 0;

SELECT setval(pg_get_serial_sequence('cadastro.usuario', 'id_usuario'), (SELECT max(id_usuario) FROM cadastro.usuario));
SELECT setval(pg_get_serial_sequence('cadastro.apiario', 'id_apiario'), (SELECT max(id_apiario) FROM cadastro.apiario));
SELECT setval(pg_get_serial_sequence('cadastro.abelha_rainha', 'id_abelha'), (SELECT max(id_abelha) FROM cadastro.abelha_rainha));
)SQL";

// Run on its own (VACUUM takes no transaction block): the rows just loaded
// are vacuumed and their statistics taken before anything is measured, so
// that neither the server's own vacuum of them nor the first reads, which
// would mark every row as seen, fall within the figures.
const char* const ARRUMAR = "VACUUM (ANALYZE) cadastro.usuario, cadastro.apiario, cadastro.abelha_rainha, "
                            "cadastro.municipio, cadastro.ceps, cadastro.florada, cadastro.acesso, "
                            "cadastro.colmeia, cadastro.revisao, cadastro.produto, cadastro.tratamento, "
                            "cadastro.alimentacao, cadastro.ocorrencia, cadastro.pesagem, cadastro.movimentacao, "
                            "cadastro.colheita, cadastro.lote_mel, cadastro.lote_mel_colheita, cadastro.rainha_colmeia, "
                            "cadastro.criacao";

} // namespace

Servidor Servidor::do_ambiente()
{
    Servidor s;
    s.host = ambiente("ZUMBREL_BENCH_HOST", "127.0.0.1");
    s.porta = ambiente("ZUMBREL_BENCH_PORT", "5432");
    s.usuario = ambiente("ZUMBREL_BENCH_USER", nullptr);
    s.senha = ambiente("ZUMBREL_BENCH_PASS", nullptr);
    return s;
}

std::string Servidor::conexao(const std::string& banco) const
{
    return "hostaddr=" + host + " port=" + porta + " dbname=" + banco + " user=" + usuario +
           " password=" + senha + " sslmode=disable options='-c jit=off'";
}

BancoBench::BancoBench(const Servidor& servidor, const std::string& fontes) : servidor_(servidor)
{
    nome_ = "zumbrel_bench_" + std::to_string(getpid());
    PGconn* c = abrir(servidor_.conexao("postgres"));
    try {
        // Quiet: a database left by an earlier run would only earn a notice.
        rodar(c, "set client_min_messages = warning");
        rodar(c, "drop database if exists " + nome_);
        rodar(c, "create database " + nome_ + " encoding 'UTF8' template template0");
    } catch (...) {
        PQfinish(c);
        throw;
    }
    PQfinish(c);
    criado_ = true;

    std::string sql = "SET datestyle = 'ISO, DMY';\n" + ler_arquivo(fontes + "/sql/schema.sql") + "\n" +
                      ler_arquivo(fontes + "/sql/administrador.sql") + "\n" +
                      ler_arquivo(fontes + "/sql/municipios.sql") + "\n" + ler_arquivo(fontes + "/sql/seed.sql") + "\n" +
                      ler_arquivo(fontes + "/sql/migracoes/003_diario.sql") + "\n" +
                      ler_arquivo(fontes + "/sql/seguranca.sql") + "\n" + ler_arquivo(fontes + "/sql/usuarios_de_teste.sql");
    executar(sql);
}

BancoBench::~BancoBench()
{
    if (!criado_)
        return;
    try {
        PGconn* c = abrir(servidor_.conexao("postgres"));
        PQclear(PQexec(c, ("drop database if exists " + nome_ + " with (force)").c_str()));
        PQfinish(c);
    } catch (...) {
    }
}

void BancoBench::preencher(int n)
{
    std::string sql = PREENCHER;
    const std::string marca = ":n";
    for (std::string::size_type p = sql.find(marca); p != std::string::npos; p = sql.find(marca, p))
        sql.replace(p, marca.size(), std::to_string(n));
    executar(sql);
    executar(ARRUMAR);
}

PGconn* BancoBench::conectar() const
{
    PGconn* c = abrir(servidor_.conexao(nome_));
    PQclear(PQexec(c, "SET datestyle = 'ISO, DMY'"));
    return c;
}

void BancoBench::executar(const std::string& sql) const
{
    PGconn* c = abrir(servidor_.conexao(nome_));
    try {
        rodar(c, sql);
    } catch (...) {
        PQfinish(c);
        throw;
    }
    PQfinish(c);
}

std::string BancoBench::valor(const std::string& sql) const
{
    PGconn* c = abrir(servidor_.conexao(nome_));
    PGresult* r = PQexec(c, sql.c_str());
    std::string v = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0 ? PQgetvalue(r, 0, 0) : "";
    PQclear(r);
    PQfinish(c);
    return v;
}

std::string BancoBench::escrever_conf(const std::string& pasta) const
{
    return teste::escrever_db_conf(pasta, { servidor_.host, nome_, servidor_.usuario, servidor_.senha, 0 });
}

// Times the text through libpq alone: the server runs it and sends every
// row, which is read and dropped at once (COPY of the SELECT to the client,
// a row at a time), so that the benchmark's own memory does not hold a
// second copy of a 100,000-row list: the database's own cost of the rows a
// click lists.
double selecao_bruta(PGconn* c, const std::string& sql)
{
    const double inicio = teste::agora_ms();
    PGresult* r = PQexec(c, ("COPY (" + sql + ") TO STDOUT").c_str());
    bool ok = PQresultStatus(r) == PGRES_COPY_OUT;
    std::string erro = ok ? "" : PQresultErrorMessage(r);
    PQclear(r);
    if (ok) {
        char* linha = nullptr;
        while (PQgetCopyData(c, &linha, 0) > 0)
            PQfreemem(linha);
        while ((r = PQgetResult(c))) {
            if (PQresultStatus(r) != PGRES_COMMAND_OK) {
                ok = false;
                erro = PQresultErrorMessage(r);
            }
            PQclear(r);
        }
    }
    const double ms = teste::agora_ms() - inicio;
    if (!ok)
        throw std::runtime_error("bare SELECT failed: " + erro);
    return ms;
}

} // namespace bench
