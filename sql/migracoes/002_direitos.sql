-- The database keeps who may do what, for databases made before it did
-- (sql/schema.sql holds the same for new ones): schema seguranca with the
-- stored passwords, the sessions and the failed logins, each user's
-- password moved there from cadastro.usuario (sql/seguranca.sql then puts
-- the MD5 digests of earlier versions under bcrypt and gives the argon2id
-- ones their new form), a password column that takes any length, the birth
-- date no longer required, and the new version of a hive at every
-- inspection added or deleted. Adds only what is missing, in one
-- transaction; a database that has it all stays as it is.
SET client_encoding = 'UTF8';

CREATE SCHEMA IF NOT EXISTS seguranca;
CREATE EXTENSION IF NOT EXISTS pgcrypto WITH SCHEMA seguranca;

CREATE TABLE IF NOT EXISTS seguranca.credencial (
    id_usuario integer PRIMARY KEY
        REFERENCES cadastro.usuario (id_usuario) ON DELETE CASCADE DEFERRABLE INITIALLY DEFERRED,
    forma      text    NOT NULL
);
CREATE TABLE IF NOT EXISTS seguranca.sessao (
    token      text        PRIMARY KEY,
    pid        integer     NOT NULL,
    id_usuario integer     NOT NULL REFERENCES cadastro.usuario (id_usuario) ON DELETE CASCADE,
    desde      timestamptz NOT NULL DEFAULT clock_timestamp()
);
CREATE TABLE IF NOT EXISTS seguranca.tentativa (
    id         bigint      GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    login      text        NOT NULL,
    pid        integer     NOT NULL,
    transacao  xid8        NOT NULL,
    certa      boolean     NOT NULL,
    id_usuario integer     REFERENCES cadastro.usuario (id_usuario) ON DELETE CASCADE,
    momento    timestamptz NOT NULL DEFAULT clock_timestamp()
);
CREATE INDEX IF NOT EXISTS tentativa_login ON seguranca.tentativa (login, momento);
CREATE TABLE IF NOT EXISTS seguranca.segredo (
    valor bytea NOT NULL
);
INSERT INTO seguranca.segredo (valor)
SELECT seguranca.gen_random_bytes(32) WHERE NOT EXISTS (SELECT 1 FROM seguranca.segredo);

-- A column of earlier versions may hold 32 characters only.
DO $$
BEGIN
    IF (SELECT data_type FROM information_schema.columns
         WHERE table_schema = 'cadastro' AND table_name = 'usuario' AND column_name = 'senha') <> 'text' THEN
        ALTER TABLE cadastro.usuario ALTER COLUMN senha TYPE text;
    END IF;
END
$$;
ALTER TABLE cadastro.usuario ALTER COLUMN senha SET DEFAULT '';
ALTER TABLE cadastro.usuario ALTER COLUMN nasc DROP NOT NULL;

-- The passwords leave the table the program reads, as they were; the
-- triggers of sql/seguranca.sql keep them out from then on.
INSERT INTO seguranca.credencial (id_usuario, forma)
SELECT id_usuario, senha FROM cadastro.usuario WHERE senha <> ''
ON CONFLICT (id_usuario) DO UPDATE SET forma = EXCLUDED.forma;
UPDATE cadastro.usuario SET senha = '' WHERE senha <> '';

CREATE OR REPLACE FUNCTION cadastro.revisao_muda_colmeia() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    UPDATE cadastro.colmeia SET id_colmeia = id_colmeia
     WHERE id_colmeia = CASE TG_OP WHEN 'DELETE' THEN OLD.id_colmeia ELSE NEW.id_colmeia END;
    RETURN NULL;
END
$$;
CREATE OR REPLACE TRIGGER revisao_muda_colmeia AFTER INSERT OR DELETE ON cadastro.revisao
    FOR EACH ROW EXECUTE FUNCTION cadastro.revisao_muda_colmeia();
