-- Who may do what, decided by the database rather than by the program.
--
-- The program's role reads and writes records, but:
--   * it never reads a password: cadastro.usuario.senha stays empty, and a
--     password written there goes to seguranca.credencial, which only the
--     owner reaches;
--   * it changes users and access levels only in a session where an
--     administrator has logged in (a user may change his own data and
--     password, never his level), checked at every statement, so that an
--     administrator demoted elsewhere is refused at his next save;
--   * a login is a proof of the password that the server checks: the
--     program computes argon2id of the password with the salt and cost the
--     server gives, and the server keeps only the SHA-256 of that key, so
--     what is stored does not log anyone in by itself;
--   * after 5 wrong passwords for one login within 15 minutes, that login
--     is refused for a while without its password being checked.
--
-- Loaded after sql/schema.sql and the migrations, at every start, as the
-- owner of the schema; safe to run again.
SET client_encoding = 'UTF8';

-- The cost of the argon2id keys the program makes (passes and KiB), which
-- are also those of the salts offered for logins nobody has.
CREATE OR REPLACE FUNCTION seguranca.custo() RETURNS text
LANGUAGE sql IMMUTABLE AS $$ SELECT 'm=19456,t=2,p=1' $$;

-- A stored password in the form kept here, from what is written into
-- cadastro.usuario.senha: the program's form as it is; an argon2id string
-- of earlier versions (libsodium's, whose key is its last part) with that
-- key's SHA-256 in place of the key; an MD5 digest of earlier versions
-- under bcrypt. Anything else is refused.
CREATE OR REPLACE FUNCTION seguranca.forma_guardada(texto text) RETURNS text
LANGUAGE plpgsql VOLATILE SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    chave text;
BEGIN
    IF texto ~ '^\$argon2id\+sha256\$v=19\$m=[0-9]+,t=[0-9]+,p=1\$[A-Za-z0-9+/]{16,}\$[0-9a-f]{64}$'
       OR texto ~ '^\$md5\+bcrypt\$\$2a\$' THEN
        RETURN texto;
    END IF;
    IF texto ~ '^\$argon2id\$v=19\$m=[0-9]+,t=[0-9]+,p=1\$[A-Za-z0-9+/]{16,}\$[A-Za-z0-9+/]{43}$' THEN
        chave := split_part(texto, '$', 6);
        RETURN '$argon2id+sha256$v=19$' || split_part(texto, '$', 4) || '$' || split_part(texto, '$', 5) || '$' ||
               encode(sha256(decode(chave || '=', 'base64')), 'hex');
    END IF;
    IF texto ~* '^[0-9a-f]{32}$' THEN
        RETURN '$md5+bcrypt$' || seguranca.crypt(lower(texto), seguranca.gen_salt('bf', 10));
    END IF;
    RAISE EXCEPTION 'A senha não está na forma que o programa guarda'
        USING ERRCODE = 'check_violation', CONSTRAINT = 'senha_em_forma_guardada';
END
$$;

-- Whether a proof is that of the stored password: the argon2id key (hex)
-- whose SHA-256 is kept, or the MD5 digest (hex) kept under bcrypt.
CREATE OR REPLACE FUNCTION seguranca.prova_confere(forma text, prova text) RETURNS boolean
LANGUAGE plpgsql STABLE SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    guardada text;
BEGIN
    IF forma LIKE '$argon2id+sha256$%' THEN
        RETURN prova ~ '^[0-9a-f]{64}$' AND encode(sha256(decode(prova, 'hex')), 'hex') = split_part(forma, '$', 6);
    END IF;
    IF forma LIKE '$md5+bcrypt$%' THEN
        guardada := substr(forma, length('$md5+bcrypt$') + 1);
        RETURN prova ~ '^[0-9a-f]{32}$' AND seguranca.crypt(prova, guardada) = guardada;
    END IF;
    RETURN false;
END
$$;

-- The salt offered for a login nobody has: made from the database's secret
-- and the login, the same at every ask, so that it looks like a real one.
CREATE OR REPLACE FUNCTION seguranca.sal_inventado(p_login text) RETURNS text
LANGUAGE sql STABLE SET search_path = pg_catalog, pg_temp AS $$
    SELECT rtrim(encode(substr(sha256(s.valor || convert_to(p_login, 'UTF8')), 1, 16), 'base64'), '=')
      FROM seguranca.segredo s LIMIT 1
$$;

-- Whether the statement runs as the owner of the schema (its scripts and
-- migrations, and the functions below, which run as it) or a superuser:
-- the rules are the program's role's.
CREATE OR REPLACE FUNCTION cadastro.pelo_dono() RETURNS boolean
LANGUAGE sql STABLE SET search_path = pg_catalog, pg_temp AS $$
    SELECT pg_has_role(current_user, (SELECT nspowner FROM pg_namespace WHERE nspname = 'cadastro'), 'MEMBER')
$$;

-- The user logged in on this session, if any: the session's token must be
-- one stored for this very server process.
CREATE OR REPLACE FUNCTION cadastro.usuario_da_sessao() RETURNS integer
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT s.id_usuario FROM seguranca.sessao s
     WHERE s.token = current_setting('zumbrel.sessao', true) AND s.pid = pg_backend_pid()
$$;

-- Whether the user logged in on this session is an administrator now: his
-- level is the highest number among the stored levels.
CREATE OR REPLACE FUNCTION cadastro.e_administrador() RETURNS boolean
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT EXISTS (
        SELECT 1 FROM cadastro.usuario u JOIN cadastro.acesso a ON a.id_acesso = u.id_acesso
         WHERE u.id_usuario = cadastro.usuario_da_sessao()
           AND a.nivel_acesso = (SELECT max(nivel_acesso) FROM cadastro.acesso))
$$;

-- Whether any user is stored (a new database has none until its first
-- administrator is made).
CREATE OR REPLACE FUNCTION cadastro.tem_usuarios() RETURNS boolean
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT EXISTS (SELECT 1 FROM cadastro.usuario)
$$;

-- How the password of a login is proved: 'argon2id' with the salt (base64)
-- and cost of its key, or 'md5' for a password kept from earlier versions.
-- A login nobody has gets an argon2id salt all the same.
CREATE OR REPLACE FUNCTION cadastro.parametros_senha(p_login text,
    OUT tipo text, OUT sal text, OUT passadas integer, OUT memoria integer)
LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    f text;
    custo text;
BEGIN
    SELECT c.forma INTO f FROM cadastro.usuario u JOIN seguranca.credencial c ON c.id_usuario = u.id_usuario
     WHERE u.login = p_login ORDER BY u.id_usuario LIMIT 1;
    IF f LIKE '$md5+bcrypt$%' THEN
        tipo := 'md5';
        sal := '';
        passadas := 0;
        memoria := 0;
        RETURN;
    END IF;
    IF f LIKE '$argon2id+sha256$%' THEN
        custo := split_part(f, '$', 4);
        sal := split_part(f, '$', 5);
    ELSE
        custo := seguranca.custo();
        sal := seguranca.sal_inventado(p_login);
    END IF;
    tipo := 'argon2id';
    memoria := substring(custo FROM 'm=([0-9]+)')::integer;
    passadas := substring(custo FROM 't=([0-9]+)')::integer;
END
$$;

-- The first step of a login: the proof of the password is checked and the
-- attempt stored, outcome and all, by this statement's own transaction;
-- entrar() then reads it. Gives '' when the attempt was stored, or, for a
-- login with 5 wrong passwords in the last 15 minutes, the minutes until it
-- may try again (its password is then not checked).
CREATE OR REPLACE FUNCTION cadastro.tentar_entrada(p_login text, p_prova text) RETURNS text
LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    ate timestamptz;
    u integer;
    f text;
    certa boolean;
BEGIN
    DELETE FROM seguranca.tentativa WHERE momento < clock_timestamp() - interval '1 day';
    SELECT t.momento + interval '15 minutes' INTO ate FROM seguranca.tentativa t
     WHERE t.login = p_login AND NOT t.certa AND t.momento > clock_timestamp() - interval '15 minutes'
     ORDER BY t.momento DESC OFFSET 4 LIMIT 1;
    IF ate IS NOT NULL THEN
        RETURN greatest(1, ceil(extract(epoch FROM ate - clock_timestamp()) / 60))::integer::text;
    END IF;
    SELECT u2.id_usuario, c.forma INTO u, f
      FROM cadastro.usuario u2 JOIN seguranca.credencial c ON c.id_usuario = u2.id_usuario
     WHERE u2.login = p_login ORDER BY u2.id_usuario LIMIT 1;
    -- A login nobody has costs the same check.
    certa := seguranca.prova_confere(coalesce(f, '$argon2id+sha256$'), p_prova) AND u IS NOT NULL;
    DELETE FROM seguranca.tentativa t WHERE t.pid = pg_backend_pid() AND t.certa;
    INSERT INTO seguranca.tentativa (login, pid, transacao, certa, id_usuario)
    VALUES (p_login, pg_backend_pid(), pg_current_xact_id(), certa, CASE WHEN certa THEN u END);
    RETURN '';
END
$$;

-- The second step: the last attempt of this session, once the transaction
-- that stored it has committed, logs its user in on this session and gives
-- his code; a wrong password gives 0.
CREATE OR REPLACE FUNCTION cadastro.entrar() RETURNS integer
LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    t seguranca.tentativa;
    token text;
BEGIN
    SELECT * INTO t FROM seguranca.tentativa WHERE pid = pg_backend_pid() ORDER BY id DESC LIMIT 1;
    IF NOT FOUND OR pg_xact_status(t.transacao) IS DISTINCT FROM 'committed' OR NOT t.certa THEN
        RETURN 0;
    END IF;
    DELETE FROM seguranca.tentativa WHERE id = t.id OR (login = t.login AND NOT certa);
    DELETE FROM seguranca.sessao s
     WHERE s.pid = pg_backend_pid() OR NOT EXISTS (SELECT 1 FROM pg_stat_activity a WHERE a.pid = s.pid);
    token := gen_random_uuid()::text;
    INSERT INTO seguranca.sessao (token, pid, id_usuario) VALUES (token, pg_backend_pid(), t.id_usuario);
    PERFORM set_config('zumbrel.sessao', token, false);
    RETURN t.id_usuario;
END
$$;

-- Ends the login of this session.
CREATE OR REPLACE FUNCTION cadastro.sair() RETURNS void
LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    DELETE FROM seguranca.sessao WHERE pid = pg_backend_pid();
    PERFORM set_config('zumbrel.sessao', '', false);
END
$$;

-- A new database's first user, its administrator: allowed only while no
-- user is stored. Made with the highest access level (an "Administrador"
-- level when there is none) and the first postal code stored, to be put
-- right in Minha Conta; the password comes in the form the program makes.
-- Gives the new user's code.
CREATE OR REPLACE FUNCTION cadastro.primeiro_administrador(p_nome text, p_login text, p_senha text)
RETURNS integer
LANGUAGE plpgsql VOLATILE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    nivel integer;
    cep integer;
    novo integer;
BEGIN
    PERFORM pg_advisory_xact_lock(hashtext('cadastro.manter_administrador'));
    IF EXISTS (SELECT 1 FROM cadastro.usuario) THEN
        RAISE EXCEPTION 'Recusado: o sistema já tem usuários'
            USING ERRCODE = 'insufficient_privilege', CONSTRAINT = 'primeiro_administrador';
    END IF;
    SELECT id_acesso INTO nivel FROM cadastro.acesso ORDER BY nivel_acesso DESC, id_acesso LIMIT 1;
    IF nivel IS NULL THEN
        INSERT INTO cadastro.acesso (desc_acesso, nivel_acesso) VALUES ('Administrador', 1) RETURNING id_acesso INTO nivel;
    END IF;
    SELECT id_cep INTO cep FROM cadastro.ceps ORDER BY id_cep LIMIT 1;
    IF cep IS NULL THEN
        RAISE EXCEPTION 'Nenhum CEP cadastrado'
            USING ERRCODE = 'foreign_key_violation', CONSTRAINT = 'primeiro_administrador_cep';
    END IF;
    INSERT INTO cadastro.usuario (nome, login, senha, id_cep, id_acesso)
    VALUES (p_nome, p_login, p_senha, cep, nivel) RETURNING id_usuario INTO novo;
    RETURN novo;
END
$$;

-- The rules, as triggers the program's role cannot turn off. Users: only an
-- administrator's session adds or deletes them or changes another's data;
-- a user's own session may change his data and password, never his level.
CREATE OR REPLACE FUNCTION cadastro.usuario_direitos() RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF cadastro.pelo_dono() OR cadastro.e_administrador() THEN
        RETURN CASE TG_OP WHEN 'DELETE' THEN OLD ELSE NEW END;
    END IF;
    IF TG_OP = 'UPDATE' AND OLD.id_usuario = cadastro.usuario_da_sessao()
       AND NEW.id_usuario = OLD.id_usuario AND NEW.id_acesso IS NOT DISTINCT FROM OLD.id_acesso THEN
        RETURN NEW;
    END IF;
    RAISE EXCEPTION 'Recusado: somente um administrador pode mudar usuários e níveis de acesso'
        USING ERRCODE = 'insufficient_privilege', CONSTRAINT = 'somente_administradores';
END
$$;

-- Access levels: an administrator's session alone adds, changes or deletes
-- them, but while there are no users (a new database), when they may be
-- laid out freely.
CREATE OR REPLACE FUNCTION cadastro.acesso_direitos() RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF cadastro.pelo_dono() OR cadastro.e_administrador() OR NOT cadastro.tem_usuarios() THEN
        RETURN CASE TG_OP WHEN 'DELETE' THEN OLD ELSE NEW END;
    END IF;
    RAISE EXCEPTION 'Recusado: somente um administrador pode mudar usuários e níveis de acesso'
        USING ERRCODE = 'insufficient_privilege', CONSTRAINT = 'somente_administradores';
END
$$;

-- A password written into cadastro.usuario goes to seguranca.credencial in
-- the form kept there; the column itself stays empty.
CREATE OR REPLACE FUNCTION cadastro.usuario_guardar_senha() RETURNS trigger
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF NEW.senha <> '' THEN
        INSERT INTO seguranca.credencial (id_usuario, forma)
        VALUES (NEW.id_usuario, seguranca.forma_guardada(NEW.senha))
        ON CONFLICT (id_usuario) DO UPDATE SET forma = EXCLUDED.forma;
    END IF;
    NEW.senha := '';
    RETURN NEW;
END
$$;

-- Triggers of one table run in name order: the rights before the password.
CREATE OR REPLACE TRIGGER usuario_direitos BEFORE INSERT OR UPDATE OR DELETE ON cadastro.usuario
    FOR EACH ROW EXECUTE FUNCTION cadastro.usuario_direitos();
CREATE OR REPLACE TRIGGER usuario_guardar_senha BEFORE INSERT OR UPDATE OF senha ON cadastro.usuario
    FOR EACH ROW EXECUTE FUNCTION cadastro.usuario_guardar_senha();
CREATE OR REPLACE TRIGGER acesso_direitos BEFORE INSERT OR UPDATE OR DELETE ON cadastro.acesso
    FOR EACH ROW EXECUTE FUNCTION cadastro.acesso_direitos();

-- Products: an administrator's session alone adds or deletes them or
-- changes a kind or a withdrawal period (which the treatments recorded
-- from then on keep); anyone may correct a name, an ingredient or a unit.
CREATE OR REPLACE FUNCTION cadastro.produto_direitos() RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF cadastro.pelo_dono() OR cadastro.e_administrador() OR NOT cadastro.tem_usuarios()
       OR (TG_OP = 'UPDATE' AND NEW.id_produto = OLD.id_produto AND NEW.tipo = OLD.tipo
           AND NEW.carencia_dias = OLD.carencia_dias AND NEW.exemplo = OLD.exemplo) THEN
        RETURN CASE TG_OP WHEN 'DELETE' THEN OLD ELSE NEW END;
    END IF;
    RAISE EXCEPTION 'Recusado: somente um administrador pode incluir ou excluir produtos e mudar o tipo ou a carência'
        USING ERRCODE = 'insufficient_privilege', CONSTRAINT = 'produto_somente_administradores';
END
$$;
CREATE OR REPLACE TRIGGER produto_direitos BEFORE INSERT OR UPDATE OR DELETE ON cadastro.produto
    FOR EACH ROW EXECUTE FUNCTION cadastro.produto_direitos();

-- A treatment is recorded by the user logged in on the session that
-- stores it, whoever the program names.
CREATE OR REPLACE FUNCTION cadastro.tratamento_registrado_por() RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF NOT cadastro.pelo_dono() THEN
        NEW.id_usuario := cadastro.usuario_da_sessao();
    END IF;
    RETURN NEW;
END
$$;
CREATE OR REPLACE TRIGGER tratamento_registrado_por BEFORE INSERT ON cadastro.tratamento
    FOR EACH ROW EXECUTE FUNCTION cadastro.tratamento_registrado_por();

-- Passwords kept by earlier versions, in the forms kept now.
UPDATE seguranca.credencial SET forma = seguranca.forma_guardada(forma)
 WHERE forma NOT LIKE '$argon2id+sha256$%' AND forma NOT LIKE '$md5+bcrypt$%';

REVOKE ALL ON SCHEMA seguranca FROM PUBLIC;

-- The company's data: everyone reads it (reports print it), an
-- administrator's session alone changes it. Its one row is made with the
-- schema and is never added or deleted by the program.
CREATE OR REPLACE FUNCTION cadastro.empresa_direitos() RETURNS trigger
LANGUAGE plpgsql SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF cadastro.pelo_dono() OR (TG_OP = 'UPDATE' AND cadastro.e_administrador()) THEN
        RETURN CASE TG_OP WHEN 'DELETE' THEN OLD ELSE NEW END;
    END IF;
    RAISE EXCEPTION 'Recusado: somente um administrador pode mudar os dados da empresa'
        USING ERRCODE = 'insufficient_privilege', CONSTRAINT = 'empresa_somente_administradores';
END
$$;
CREATE OR REPLACE TRIGGER empresa_direitos BEFORE INSERT OR UPDATE OR DELETE ON cadastro.empresa
    FOR EACH ROW EXECUTE FUNCTION cadastro.empresa_direitos();
