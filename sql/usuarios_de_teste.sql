-- The users of the test and benchmark databases, never of a real one
-- (whose first start asks for its administrator): the administrator, whose
-- password is "admin" (the program asks for a new one as long as it is
-- that), and Maria, whose password is "abelha". Loaded after sql/seed.sql
-- and sql/seguranca.sql, as the owner: the passwords, written as argon2id
-- strings of earlier versions, are stored in the form kept now.
SET client_encoding = 'UTF8';
SET datestyle = 'ISO, DMY';

INSERT INTO cadastro.usuario (id_usuario, nome, login, senha, cpf, rg, oexp, nasc,
                              endereco, numero, bairro, id_cep, id_acesso) VALUES
    (1, 'Administrador do Sistema', 'admin',
        '$argon2id$v=19$m=19456,t=2,p=1$raiFqWOeO54OItQJUZ+7Qw$Nn5EgFgHZd0slhnhntPfixlVSSipRJdRx6+so7/Y2os',
        '111.444.777-35', '1234567', 'SSP/MS',
        '15/03/1980', 'Avenida Marcelino Pires', '1500', 'Centro', 1, 1),
    (2, 'Maria Aparecida Souza', 'maria',
        '$argon2id$v=19$m=19456,t=2,p=1$9hxXVC7VD1lYmwb5vutAfA$ba6WW+/6ILtCOHWBurBuoBzN628jbQBv/UJ3hjc6pYQ',
        '529.982.247-25', '7654321', 'SSP/MS',
        '02/08/1975', 'Rua 14 de Julho', '820', 'Centro', 6, 3);

SELECT setval(pg_get_serial_sequence('cadastro.usuario', 'id_usuario'), (SELECT max(id_usuario) FROM cadastro.usuario));
