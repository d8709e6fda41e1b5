-- Sample data for a first run. Loaded once, into an empty schema.
SET client_encoding = 'UTF8';
SET datestyle = 'ISO, DMY';

INSERT INTO cadastro.acesso (id_acesso, desc_acesso, nivel_acesso) VALUES
    (1, 'Administrador', 3),
    (2, 'Gerente', 2),
    (3, 'Operador', 1);

-- The municipalities of Mato Grosso do Sul, and a few of other states
-- (some with the same names as municipalities of MS).
INSERT INTO cadastro.municipio (cod_cid, nome, estado) VALUES
    (1, 'Água Clara', 'MS'),
    (2, 'Alcinópolis', 'MS'),
    (3, 'Amambai', 'MS'),
    (4, 'Anastácio', 'MS'),
    (5, 'Anaurilândia', 'MS'),
    (6, 'Angélica', 'MS'),
    (7, 'Antônio João', 'MS'),
    (8, 'Aparecida do Taboado', 'MS'),
    (9, 'Aquidauana', 'MS'),
    (10, 'Aral Moreira', 'MS'),
    (11, 'Bandeirantes', 'MS'),
    (12, 'Bataguassu', 'MS'),
    (13, 'Batayporã', 'MS'),
    (14, 'Bela Vista', 'MS'),
    (15, 'Bodoquena', 'MS'),
    (16, 'Bonito', 'MS'),
    (17, 'Brasilândia', 'MS'),
    (18, 'Caarapó', 'MS'),
    (19, 'Camapuã', 'MS'),
    (20, 'Campo Grande', 'MS'),
    (21, 'Caracol', 'MS'),
    (22, 'Cassilândia', 'MS'),
    (23, 'Chapadão do Sul', 'MS'),
    (24, 'Corguinho', 'MS'),
    (25, 'Coronel Sapucaia', 'MS'),
    (26, 'Corumbá', 'MS'),
    (27, 'Costa Rica', 'MS'),
    (28, 'Coxim', 'MS'),
    (29, 'Deodápolis', 'MS'),
    (30, 'Dois Irmãos do Buriti', 'MS'),
    (31, 'Douradina', 'MS'),
    (32, 'Dourados', 'MS'),
    (33, 'Eldorado', 'MS'),
    (34, 'Fátima do Sul', 'MS'),
    (35, 'Figueirão', 'MS'),
    (36, 'Glória de Dourados', 'MS'),
    (37, 'Guia Lopes da Laguna', 'MS'),
    (38, 'Iguatemi', 'MS'),
    (39, 'Inocência', 'MS'),
    (40, 'Itaporã', 'MS'),
    (41, 'Itaquiraí', 'MS'),
    (42, 'Ivinhema', 'MS'),
    (43, 'Japorã', 'MS'),
    (44, 'Jaraguari', 'MS'),
    (45, 'Jardim', 'MS'),
    (46, 'Jateí', 'MS'),
    (47, 'Juti', 'MS'),
    (48, 'Ladário', 'MS'),
    (49, 'Laguna Carapã', 'MS'),
    (50, 'Maracaju', 'MS'),
    (51, 'Miranda', 'MS'),
    (52, 'Mundo Novo', 'MS'),
    (53, 'Naviraí', 'MS'),
    (54, 'Nioaque', 'MS'),
    (55, 'Nova Alvorada do Sul', 'MS'),
    (56, 'Nova Andradina', 'MS'),
    (57, 'Novo Horizonte do Sul', 'MS'),
    (58, 'Paraíso das Águas', 'MS'),
    (59, 'Paranaíba', 'MS'),
    (60, 'Paranhos', 'MS'),
    (61, 'Pedro Gomes', 'MS'),
    (62, 'Ponta Porã', 'MS'),
    (63, 'Porto Murtinho', 'MS'),
    (64, 'Ribas do Rio Pardo', 'MS'),
    (65, 'Rio Brilhante', 'MS'),
    (66, 'Rio Negro', 'MS'),
    (67, 'Rio Verde de Mato Grosso', 'MS'),
    (68, 'Rochedo', 'MS'),
    (69, 'Santa Rita do Pardo', 'MS'),
    (70, 'São Gabriel do Oeste', 'MS'),
    (71, 'Selvíria', 'MS'),
    (72, 'Sete Quedas', 'MS'),
    (73, 'Sidrolândia', 'MS'),
    (74, 'Sonora', 'MS'),
    (75, 'Tacuru', 'MS'),
    (76, 'Taquarussu', 'MS'),
    (77, 'Terenos', 'MS'),
    (78, 'Três Lagoas', 'MS'),
    (79, 'Vicentina', 'MS'),
    (101, 'Bonito', 'PE'),
    (102, 'Campo Grande', 'RN'),
    (103, 'Curitiba', 'PR'),
    (104, 'São Paulo', 'SP'),
    (105, 'Cuiabá', 'MT'),
    (106, 'Londrina', 'PR');

INSERT INTO cadastro.ceps (id_cep, cep, tipo_logradouro, logradouro, bairro, cod_cid) VALUES
    (1, '79800-001', 'Avenida', 'Marcelino Pires', 'Centro', 32),
    (2, '79804-010', 'Rua', 'Joaquim Teixeira Alves', 'Centro', 32),
    (3, '79824-140', 'Rua', 'Hayel Bon Faker', 'Jardim Central', 32),
    (4, '79825-070', 'Rua', 'Monte Alegre', 'Vila Progresso', 32),
    (5, '79840-280', 'Rua', 'Ponta Porã', 'Jardim Água Boa', 32),
    (6, '79002-071', 'Rua', '14 de Julho', 'Centro', 20),
    (7, '79002-075', 'Avenida', 'Afonso Pena', 'Centro', 20),
    (8, '79020-240', 'Rua', 'Rui Barbosa', 'Centro', 20),
    (9, '79070-900', 'Avenida', 'Costa e Silva', 'Universitário', 20);

-- The administrator; its first password is "admin" (change it in Minha Conta).
INSERT INTO cadastro.usuario (id_usuario, nome, login, senha, cpf, rg, oexp, nasc,
                              endereco, numero, bairro, id_cep, id_acesso) VALUES
    (1, 'Administrador do Sistema', 'admin', md5('admin'), '111.444.777-35', '1234567', 'SSP/MS',
        '15/03/1980', 'Avenida Marcelino Pires', '1500', 'Centro', 1, 1),
    (2, 'Maria Aparecida Souza', 'maria', md5('abelha'), '529.982.247-25', '7654321', 'SSP/MS',
        '02/08/1975', 'Rua 14 de Julho', '820', 'Centro', 6, 3);

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
        '-22.2211', '-54.8056', 'Perto do córrego; acesso difícil em dias de chuva.', 2, 32),
    (2, 'Apiário Santa Luzia', 'Rodovia MS-156, km 8', 'Vila Vargas', '21/04/2010',
        '-22.1456', '-54.9123', '', 3, 32),
    (3, 'Apiário Três Irmãos', 'Linha do Potreirito', 'Potreirito', '05/01/2012',
        '-22.0801', '-54.7890', 'Florada de laranjeira entre julho e setembro.', 4, 40),
    (4, 'Apiário Fronteira', 'Colônia Cabeceira do Apa', 'Sanga Puitã', '30/11/2015',
        '-22.5432', '-55.7265', '', 1, 62);

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
SELECT setval(pg_get_serial_sequence('cadastro.usuario', 'id_usuario'), (SELECT max(id_usuario) FROM cadastro.usuario));
SELECT setval(pg_get_serial_sequence('cadastro.florada', 'id_florada'), (SELECT max(id_florada) FROM cadastro.florada));
SELECT setval(pg_get_serial_sequence('cadastro.apiario', 'id_apiario'), (SELECT max(id_apiario) FROM cadastro.apiario));
SELECT setval(pg_get_serial_sequence('cadastro.abelha_rainha', 'id_abelha'), (SELECT max(id_abelha) FROM cadastro.abelha_rainha));
