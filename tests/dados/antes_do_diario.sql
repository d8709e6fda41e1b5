-- Turns a copy of the sample database into one as made before the hive's
-- journal existed: without the tables, view, functions and triggers of
-- sql/migracoes/003_diario.sql, and with the statuses of hives and
-- inspections of that time.
DROP VIEW IF EXISTS cadastro.diario;
DROP TABLE cadastro.evento_colonia, cadastro.movimentacao, cadastro.pesagem, cadastro.ocorrencia,
           cadastro.alimentacao, cadastro.tratamento, cadastro.produto;
DROP FUNCTION cadastro.diario_colmeia_ativa(), cadastro.tratamento_carencia(), cadastro.alimentacao_so_alimento(),
              cadastro.movimentacao_origem(), cadastro.movimentacao_apiario(), cadastro.evento_status(),
              cadastro.produto_direitos(), cadastro.tratamento_registrado_por();
ALTER TABLE cadastro.colmeia DROP CONSTRAINT colmeia_status_check;
ALTER TABLE cadastro.colmeia ADD CONSTRAINT colmeia_status_check
    CHECK (status IN ('Ativa', 'Fraca', 'Órfã', 'Zanganeira', 'Morta', 'Vendida'));
ALTER TABLE cadastro.revisao DROP CONSTRAINT revisao_status_check;
ALTER TABLE cadastro.revisao ADD CONSTRAINT revisao_status_check
    CHECK (status IN ('Ativa', 'Fraca', 'Órfã', 'Zanganeira', 'Morta', 'Vendida'));
