-- Turns a copy of the sample database into one as made before queen
-- rearing existed: without what sql/migracoes/005_criacao.sql adds.
ALTER TABLE cadastro.abelha_rainha DROP COLUMN cor_marcacao, DROP COLUMN asa_cortada;
DROP TABLE cadastro.fecundacao_zangao, cadastro.fecundacao, cadastro.criacao_nucleo, cadastro.criacao;
DROP FUNCTION cadastro.criacao_nucleo_tipo();
