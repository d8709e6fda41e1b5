-- Sample hives and their journal for a new database, so that the hive
-- window and the journal have something to show the first time: hives in
-- three of the sample apiaries headed by the sample queens, a season of
-- inspections, a treatment whose withdrawal is still running, feedings, a
-- weight, a finding and a move. Dates count back from the day the database
-- is made. Loaded once, after sql/seed.sql and the migrations (which give
-- the sample products), as the owner of the schema.
SET client_encoding = 'UTF8';

INSERT INTO cadastro.colmeia (id_colmeia, tipo, status, id_abelha, id_apiario, data_instalacao, obs) VALUES
    (1, 'Langstroth', 'Ativa', 2, 1, current_date - 400, 'Caixa pintada de azul.'),
    (2, 'Langstroth', 'Ativa', 4, 1, current_date - 380, ''),
    (3, 'Langstroth', 'Ativa', 5, 1, current_date - 300, ''),
    (4, 'Schenk', 'Ativa', 6, 2, current_date - 250, ''),
    (5, 'Langstroth', 'Ativa', 7, 2, current_date - 200, 'Perto da cerca.'),
    (6, 'Núcleo', 'Ativa', 3, 3, current_date - 120, 'Núcleo para divisões.');
SELECT setval(pg_get_serial_sequence('cadastro.colmeia', 'id_colmeia'), (SELECT max(id_colmeia) FROM cadastro.colmeia));

-- A season of inspections, one every three weeks, with honey from the fourth on.
INSERT INTO cadastro.revisao (id_colmeia, data_revisao, status, mel_kg, obs)
SELECT c.id_colmeia, current_date - 21 * (7 - n), CASE WHEN c.id_colmeia = 4 AND n = 6 THEN 'Fraca' ELSE 'Ativa' END,
       CASE WHEN n >= 4 THEN 6 + c.id_colmeia + n ELSE 0 END, CASE WHEN n = 1 THEN 'Início da safra.' ELSE '' END
  FROM cadastro.colmeia c CROSS JOIN generate_series(1, 6) AS n
 ORDER BY 2, 1;

-- Strips of amitraz in hive 4, out five days ago: in withdrawal still.
INSERT INTO cadastro.tratamento (id_colmeia, id_produto, inicio, fim, dose, unidade, lote_produto, obs)
SELECT 4, id_produto, current_date - 40, current_date - 5, 2, 'tira', 'L-0425', 'Duas tiras entre os quadros de cria.'
  FROM cadastro.produto WHERE nome = 'Tiras de amitraz (exemplo)';
INSERT INTO cadastro.alimentacao (id_colmeia, data, id_produto, quantidade, unidade, obs)
SELECT c, current_date - d, p.id_produto, 1, 'L', 'Entressafra.'
  FROM cadastro.produto p CROSS JOIN (VALUES (4), (5)) AS cs (c) CROSS JOIN (VALUES (60), (45)) AS ds (d)
 WHERE p.nome = 'Xarope de açúcar 1:1 (exemplo)';
INSERT INTO cadastro.pesagem (id_colmeia, data, peso_kg, obs) VALUES (1, current_date - 10, 38.5, 'Balança de gancho.');
INSERT INTO cadastro.ocorrencia (id_colmeia, data, doenca, quadros, nivel, obs)
VALUES (4, current_date - 42, 'Varroose', 3, 'moderada', 'Ácaros vistos na cria de zangão.');
-- Hive 3 went to the orange blossom of Três Irmãos (another municipality).
INSERT INTO cadastro.movimentacao (id_colmeia, data, id_origem, id_destino, gta, finalidade, obs)
VALUES (3, current_date - 30, 1, 3, '000123-MS', 'Florada', 'Florada de laranjeira.');
