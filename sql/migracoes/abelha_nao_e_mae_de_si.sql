-- A queen bee is not its own mother: the rule of sql/schema.sql, added to a
-- database made before it. Run as the owner of schema cadastro; safe to run
-- any number of times, and on a database that has the rule already.
--
-- Nothing stored is rewritten: a bee already recorded as its own mother
-- stays so (the rule is added without checking the rows already there, and
-- from then on every insert and update must keep it), and once no such bee
-- is left the rule is checked over the whole table and holds for all rows.
DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_constraint
                    WHERE conrelid = 'cadastro.abelha_rainha'::regclass
                      AND conname = 'abelha_nao_e_mae_de_si') THEN
        ALTER TABLE cadastro.abelha_rainha
            ADD CONSTRAINT abelha_nao_e_mae_de_si CHECK (filha <> id_abelha) NOT VALID;
    END IF;
    IF EXISTS (SELECT 1 FROM pg_constraint
                WHERE conrelid = 'cadastro.abelha_rainha'::regclass
                  AND conname = 'abelha_nao_e_mae_de_si' AND NOT convalidated)
       AND NOT EXISTS (SELECT 1 FROM cadastro.abelha_rainha WHERE filha = id_abelha) THEN
        ALTER TABLE cadastro.abelha_rainha VALIDATE CONSTRAINT abelha_nao_e_mae_de_si;
    END IF;
END
$$;
