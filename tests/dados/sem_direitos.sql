-- Turns a copy of the sample database into one as made before the database
-- decided who may do what: without schema seguranca and the functions and
-- triggers of sql/seguranca.sql, with the passwords in the users' table (the
-- administrator's, "admin", as an argon2id string; Maria's, "abelha", as the
-- MD5 digest of the oldest versions) and the birth date required. A server
-- of the user's own is so until its owner runs README's steps.
DROP TRIGGER usuario_direitos ON cadastro.usuario;
DROP TRIGGER usuario_guardar_senha ON cadastro.usuario;
DROP TRIGGER acesso_direitos ON cadastro.acesso;
DROP FUNCTION cadastro.usuario_direitos(), cadastro.acesso_direitos(), cadastro.usuario_guardar_senha(),
              cadastro.e_administrador(), cadastro.usuario_da_sessao(), cadastro.pelo_dono(),
              cadastro.tem_usuarios(), cadastro.parametros_senha(text), cadastro.tentar_entrada(text, text),
              cadastro.entrar(), cadastro.sair(), cadastro.primeiro_administrador(text, text, text);
DROP FUNCTION IF EXISTS cadastro.produto_direitos(), cadastro.tratamento_registrado_por(), cadastro.empresa_direitos() CASCADE;
DROP SCHEMA seguranca CASCADE;

ALTER TABLE cadastro.usuario ALTER COLUMN senha DROP DEFAULT;
UPDATE cadastro.usuario SET nasc = '1980-03-15' WHERE nasc IS NULL;
ALTER TABLE cadastro.usuario ALTER COLUMN nasc SET NOT NULL;
UPDATE cadastro.usuario SET senha = CASE login
    WHEN 'admin' THEN '$argon2id$v=19$m=19456,t=2,p=1$raiFqWOeO54OItQJUZ+7Qw$Nn5EgFgHZd0slhnhntPfixlVSSipRJdRx6+so7/Y2os'
    WHEN 'maria' THEN md5('abelha')
    ELSE senha END;
