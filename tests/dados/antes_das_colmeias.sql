-- Turns a copy of the sample database into one as made before the beehives
-- existed: without the tables, functions and triggers of
-- sql/migracoes/001_colmeias.sql and 002_direitos.sql (nor, then, the
-- journal of 003_diario.sql, which the tests drop first with
-- tests/dados/antes_do_diario.sql). The tests apply
-- tests/dados/sem_direitos.sql after it, then bring it up to date the way a
-- user's database is at its next start.
DROP TABLE cadastro.revisao;
DROP TABLE cadastro.colmeia;
DROP FUNCTION cadastro.revisao_status();
DROP FUNCTION cadastro.revisao_muda_colmeia();

