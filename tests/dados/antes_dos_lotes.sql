-- Turns a copy of the sample database into one as made before honey lots
-- existed: without the tables, views, functions and triggers of
-- sql/migracoes/004_lotes.sql. The journal's list goes too (it lists the
-- harvests now); sql/migracoes/003_diario.sql makes it again, as it was.
DROP VIEW cadastro.colheita_mel, cadastro.diario;
DROP TABLE cadastro.lote_mel_colheita, cadastro.lote_mel, cadastro.rainha_colmeia, cadastro.colheita;
DROP INDEX cadastro.revisao_data_com_mel, cadastro.tratamento_colmeia_inicio;
DROP TRIGGER revisao_em_lote ON cadastro.revisao;
DROP TRIGGER rainha_colmeia_registrar ON cadastro.colmeia;
DROP FUNCTION cadastro.lote_mel_codigo(), cadastro.lote_mel_em_uso(),
              cadastro.lote_mel_parte_confere(), cadastro.colheita_em_lote(), cadastro.rainha_colmeia_registrar();
