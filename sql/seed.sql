-- Sample data for a first run. Loaded once, into an empty schema, after
-- sql/municipios.sql. It holds no user: the first start of a new database
-- asks for its administrator (sql/usuarios_de_teste.sql has the users of
-- the test and benchmark databases). postal codes and apiaries name municipalities by
-- their IBGE codes (Dourados 5003702, Campo Grande 5002704, Itaporã 5004502,
-- Ponta Porã 5006606).
SET client_encoding = 'UTF8';
SET datestyle = 'ISO, DMY';

INSERT INTO cadastro.acesso (id_acesso, desc_acesso, nivel_acesso) VALUES
    (1, 'Administrador', 3),
    (2, 'Gerente', 2),
    (3, 'Operador', 1);

INSERT INTO cadastro.ceps (id_cep, cep, tipo_logradouro, logradouro, bairro, cod_cid) VALUES
    (1, '79800-001', 'Avenida', 'Marcelino Pires', 'Centro', 5003702),
    (2, '79804-010', 'Rua', 'Joaquim Teixeira Alves', 'Centro', 5003702),
    (3, '79824-140', 'Rua', 'Hayel Bon Faker', 'Jardim Central', 5003702),
    (4, '79825-070', 'Rua', 'Monte Alegre', 'Vila Progresso', 5003702),
    (5, '79840-280', 'Rua', 'Ponta Porã', 'Jardim Água Boa', 5003702),
    (6, '79002-071', 'Rua', '14 de Julho', 'Centro', 5002704),
    (7, '79002-075', 'Avenida', 'Afonso Pena', 'Centro', 5002704),
    (8, '79020-240', 'Rua', 'Rui Barbosa', 'Centro', 5002704),
    (9, '79070-900', 'Avenida', 'Costa e Silva', 'Universitário', 5002704);

INSERT INTO cadastro.florada (id_florada, nome_florada) VALUES
    (1, 'Assa-peixe'),
    (2, 'Eucalipto'),
    (3, 'Laranjeira'),
    (4, 'Silvestre'),
    (5, 'Cipó-uva'),
    (6, 'Aroeira');

INSERT INTO cadastro.apiario (id_apiario, nome, endereco, distrito, data_criacao, latitude,
                              longitude, obs, id_florada, cod_cid) VALUES
    (1, 'Apiário Boa Esperança', 'Estrada do Panambi, km 12', 'Panambi', '10/09/2008',
        '-22.2211', '-54.8056', 'Perto do córrego; acesso difícil em dias de chuva.', 2, 5003702),
    (2, 'Apiário Santa Luzia', 'Rodovia MS-156, km 8', 'Vila Vargas', '21/04/2010',
        '-22.1456', '-54.9123', '', 3, 5003702),
    (3, 'Apiário Três Irmãos', 'Linha do Potreirito', 'Potreirito', '05/01/2012',
        '-22.0801', '-54.7890', 'Florada de laranjeira entre julho e setembro.', 4, 5004502),
    (4, 'Apiário Fronteira', 'Colônia Cabeceira do Apa', 'Sanga Puitã', '30/11/2015',
        '-22.5432', '-55.7265', '', 1, 5006606);

-- Queen bees: each registry number is the bee's code and its mother's.
INSERT INTO cadastro.abelha_rainha (id_abelha, rgn, data_nasc, matriz, filha) VALUES
    (1, '00001-00000', '01/10/2009', true, null),
    (2, '00002-00001', '15/11/2010', true, 1),
    (3, '00003-00001', '15/11/2010', false, 1),
    (4, '00004-00002', '20/12/2011', true, 2),
    (5, '00005-00004', '03/02/2013', false, 4),
    (6, '00006-00004', '03/02/2013', false, 4),
    (7, '00007-00002', '18/09/2014', false, 2),
    (8, '00008-00000', '07/10/2016', true, null);

-- Keys handed out from now on follow the sample rows.
SELECT setval(pg_get_serial_sequence('cadastro.acesso', 'id_acesso'), (SELECT max(id_acesso) FROM cadastro.acesso));
SELECT setval(pg_get_serial_sequence('cadastro.ceps', 'id_cep'), (SELECT max(id_cep) FROM cadastro.ceps));
SELECT setval(pg_get_serial_sequence('cadastro.florada', 'id_florada'), (SELECT max(id_florada) FROM cadastro.florada));
SELECT setval(pg_get_serial_sequence('cadastro.apiario', 'id_apiario'), (SELECT max(id_apiario) FROM cadastro.apiario));
SELECT setval(pg_get_serial_sequence('cadastro.abelha_rainha', 'id_abelha'), (SELECT max(id_abelha) FROM cadastro.abelha_rainha));
