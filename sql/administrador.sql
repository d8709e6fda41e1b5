-- The system always keeps an administrator: a user whose access level has
-- the highest number among the stored levels. A change of levels or users
-- that would leave none (the last administrator deleted or moved to another
-- level, the highest level renumbered below another, a new level above
-- every level a user holds) is refused, with "o sistema ficaria sem
-- administrador" in the message, which the program looks for.
--
-- Loaded after sql/schema.sql, and safe to run again on a database that has
-- it already (scripts/db runs it at every start, so that databases made
-- before it get it too). Run it as the owner of the tables.

CREATE OR REPLACE FUNCTION cadastro.manter_administrador() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    -- One such check at a time, to the end of its transaction: a change
    -- made at the same moment on another desktop waits here, and its check
    -- (each statement here sees what was committed before it ran) then sees
    -- this one's change. Two desktops cannot each remove one of the last
    -- two administrators.
    PERFORM pg_advisory_xact_lock(hashtext('cadastro.manter_administrador'));
    -- Levels may be set up freely while there are no users yet.
    IF TG_TABLE_NAME = 'acesso' AND NOT EXISTS (SELECT 1 FROM cadastro.usuario) THEN
        RETURN NULL;
    END IF;
    IF NOT EXISTS (
        SELECT 1
          FROM cadastro.usuario u
          JOIN cadastro.acesso a ON a.id_acesso = u.id_acesso
         WHERE a.nivel_acesso = (SELECT max(nivel_acesso) FROM cadastro.acesso)) THEN
        RAISE EXCEPTION 'Recusado: o sistema ficaria sem administrador'
            USING ERRCODE = 'check_violation',
                  CONSTRAINT = 'sistema_tem_administrador',
                  HINT = 'Algum usuário precisa ter o nível de acesso de número mais alto.';
    END IF;
    RETURN NULL;
END
$$;

CREATE OR REPLACE TRIGGER acesso_manter_administrador
    AFTER INSERT OR UPDATE OR DELETE ON cadastro.acesso
    FOR EACH STATEMENT EXECUTE FUNCTION cadastro.manter_administrador();

CREATE OR REPLACE TRIGGER usuario_manter_administrador
    AFTER UPDATE OF id_acesso OR DELETE ON cadastro.usuario
    FOR EACH STATEMENT EXECUTE FUNCTION cadastro.manter_administrador();
