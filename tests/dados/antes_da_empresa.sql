-- Turns a copy of the sample database into one as made before the company's
-- data existed: without the table of sql/migracoes/006_empresa.sql and the
-- rule of sql/seguranca.sql on who may change it.
DROP TABLE cadastro.empresa;
DROP FUNCTION cadastro.empresa_direitos();
