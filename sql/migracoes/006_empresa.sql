-- The company's data, for databases made before it existed (sql/schema.sql
-- holds the same for new ones). Adds only what is missing, in one
-- transaction; a database that has it stays as it is.
SET client_encoding = 'UTF8';

-- The producer's or company's own data, printed in the header of reports
-- and labels: one row, there from the start, that administrators fill in.
-- The CPF or CNPJ is kept as the mask writes it (the program checks its
-- digits); the municipality is the CEP's.
CREATE TABLE IF NOT EXISTS cadastro.empresa (
    id_empresa         integer PRIMARY KEY DEFAULT 1 CONSTRAINT empresa_uma_so CHECK (id_empresa = 1),
    nome               text    NOT NULL DEFAULT '',
    documento          text    NOT NULL DEFAULT '' CONSTRAINT empresa_documento_forma CHECK
        (documento ~ '^([0-9]{3}\.[0-9]{3}\.[0-9]{3}-[0-9]{2}|[0-9]{2}\.[0-9]{3}\.[0-9]{3}/[0-9]{4}-[0-9]{2})?$'),
    inscricao_estadual text    NOT NULL DEFAULT '',
    id_cep             integer REFERENCES cadastro.ceps (id_cep),
    endereco           text    NOT NULL DEFAULT '',
    numero             text    NOT NULL DEFAULT '',
    bairro             text    NOT NULL DEFAULT '',
    telefone           text    NOT NULL DEFAULT '',
    email              text    NOT NULL DEFAULT ''
);
INSERT INTO cadastro.empresa (id_empresa) VALUES (1) ON CONFLICT DO NOTHING;
