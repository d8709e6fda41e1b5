-- Queen rearing, for databases made before it existed (sql/schema.sql
-- holds the same for new ones): each queen's marking colour and clipped
-- wing.
-- Adds only what is missing, in one transaction; a database that has it
-- all stays as it is.
SET client_encoding = 'UTF8';

-- The colour a queen is marked with when it is not her birth year's (''
-- while it is), and whether her wing is clipped.
ALTER TABLE cadastro.abelha_rainha ADD COLUMN IF NOT EXISTS cor_marcacao text NOT NULL DEFAULT ''
    CONSTRAINT abelha_cor_marcacao CHECK (cor_marcacao IN ('', 'Branca', 'Amarela', 'Vermelha', 'Verde', 'Azul'));
ALTER TABLE cadastro.abelha_rainha ADD COLUMN IF NOT EXISTS asa_cortada boolean NOT NULL DEFAULT false;
