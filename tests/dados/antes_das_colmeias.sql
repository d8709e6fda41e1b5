-- Turns a copy of the sample database into one as made before the beehives
-- existed: without the tables, function and trigger of
-- sql/migracoes/001_colmeias.sql. The tests then bring it up to date the way
-- a user's database is at its next start.
DROP TABLE cadastro.revisao;
DROP TABLE cadastro.colmeia;
DROP FUNCTION cadastro.revisao_status();
