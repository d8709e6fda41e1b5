#!/usr/bin/env python3
"""What the local database lets in: restores of crafted files, folders made
beforehand by someone else (as root), and who reaches the server and how.
Run one group by its class name: teste_seguranca_local.py RestauroForjado."""
import base64
import hashlib
import os
import pwd
import shutil
import socket
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib"))
from banco_local import (BIN_PG, RAIZ, TOPO, Local, copiar_checkout, iniciar_grupo,  # noqa: E402
                         pasta_temporaria, remover)
import scram  # noqa: E402

# Everything about the cluster's roles that a restore must leave alone.
PAPEIS = ("select string_agg(concat_ws(':', rolname, rolsuper, rolcreaterole, rolcreatedb, rolcanlogin, "
          "rolreplication, rolbypassrls), ',' order by rolname) from pg_roles")
AJUSTES = ("select coalesce(string_agg(concat_ws(':', setdatabase, setrole, setconfig::text), ',' "
           "order by setdatabase, setrole), '') from pg_db_role_setting")
MEMBROS = "select count(*) from pg_auth_members m join pg_roles r on r.oid = m.roleid where r.rolname like 'zumbrel%'"


class RestauroForjado(unittest.TestCase):
    """A backup file can hold any SQL. One made to act as the superuser, or
    to change the cluster beyond its own database, and a real backup of
    some other database, are each refused: the records, the cluster's roles
    and their settings stay as they were, and nothing runs on the server.
    One cluster for the group: each case leaves it as it found it."""

    @classmethod
    def setUpClass(cls):
        iniciar_grupo(cls, "zumbrel-forjado.", "Verdadeira")
        # Where a program run by the server (as postgres) could leave a mark.
        cls.marcas = os.path.join(cls.raiz, "marcas")
        os.mkdir(cls.marcas)
        os.chmod(cls.marcas, 0o777)

    def forjar(self, nome, sql, copia_do_programa=True):
        """A pg_dump -Fc file of a database made here: a copy of the
        program's (with a record of its own) holding `sql`, or a new one."""
        banco = "forjado_" + nome
        self.local.sql("create database %s%s" % (banco, " template zumbrel" if copia_do_programa else ""),
                       banco="postgres")
        self.addCleanup(self.local.sql, "drop database if exists %s with (force)" % banco, banco="postgres")
        if copia_do_programa:
            self.local.sql("insert into cadastro.florada (nome_florada) values ('Forjada')", banco=banco)
        self.local.sql(sql, banco=banco)
        arquivo = os.path.join(self.raiz, banco + ".dump")
        subprocess.run([os.path.join(BIN_PG, "pg_dump"), "-Fc", "-h", self.local.soquete(), "-p",
                        str(self.local.porta), "-U", "postgres", "-d", banco, "-f", arquivo],
                       env=dict(self.local.env, PGPASSWORD=self.local.senha()), check=True, timeout=120)
        return arquivo

    @staticmethod
    def carga(acao):
        """A CHECK constraint whose function does `acao` when it is checked
        anywhere but in the database it was made in: as the rows of a
        restore are loaded."""
        return ("create function cadastro.carga(x int) returns boolean language plpgsql as $f$ "
                "begin if current_database() not like 'forjado%%' then %s; end if; return true; end $f$; "
                "create table cadastro.armadilha (x int check (cadastro.carga(x))); "
                "insert into cadastro.armadilha values (1)" % acao)

    def estado(self):
        return (self.local.dump(), self.local.sql(PAPEIS, banco="postgres"),
                self.local.sql(AJUSTES, banco="postgres"), self.local.sql(MEMBROS, banco="postgres"))

    def test_arquivos_forjados_sao_recusados_sem_mudar_nada(self):
        marca = os.path.join(self.marcas, "executado")
        casos = [
            ("superusuario", self.carga("execute 'alter role zumbrel superuser'"), True, "falhou"),
            ("programa", self.carga("execute 'copy (select 1) to program ''touch %s'''" % marca), True, "falhou"),
            ("linguagem", "create function public.saida(cstring) returns cstring language internal "
                          "as 'cstring_out'", True, "falhou"),
            ("servidor", self.carga("execute 'alter role zumbrel_dono set search_path = public'; "
                                    "execute 'alter database zumbrel set default_transaction_read_only = on'"),
             True, "tentou mudar papéis ou ajustes do servidor; isso foi desfeito"),
            ("outro_banco", "create table public.notas (texto text); insert into public.notas values ('x')",
             False, "não é uma cópia de segurança do Zumbrel"),
        ]
        for nome, sql, copia, motivo in casos:
            with self.subTest(nome):
                arquivo = self.forjar(nome, sql, copia)
                antes = self.estado()
                r = self.local.db("restore", arquivo, "--yes")
                self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
                self.assertIn(motivo, r.stderr)
                self.assertIn("o banco atual não foi mudado", r.stderr)
                self.assertEqual(self.estado(), antes)
                self.assertFalse(os.path.exists(marca))
                self.assertEqual(self.local.sql("select rolsuper from pg_roles where rolname = 'zumbrel'"), "f")
                self.assertEqual(self.local.sql("select count(*) from pg_database where datname like 'zumbrel_%'"),
                                 "0")
                # The program still saves, and sees its own records only.
                self.assertEqual(self.local.sql_programa(
                    "insert into cadastro.florada (nome_florada) values ('Depois') returning "
                    "(select string_agg(nome_florada, ',') from cadastro.florada "
                    "where nome_florada in ('Verdadeira', 'Forjada'))"), "Verdadeira")
                self.local.sql_programa("delete from cadastro.florada where nome_florada = 'Depois'")


class Pastas(unittest.TestCase):
    """As root, a cluster folder someone else made beforehand (handed to
    postgres, as earlier versions left /var/lib/zumbrel, with links planted
    in it; another user's; one in /var/tmp) is refused, and nothing is
    handed to postgres or written through a link. Modes are set again at
    every start."""

    @classmethod
    def setUpClass(cls):
        if not RAIZ:
            raise unittest.SkipTest("needs root")
        cls.raiz = pasta_temporaria("zumbrel-pastas.")
        cls.addClassCleanup(remover, cls.raiz)
        # A real cluster, stopped, that each case copies.
        cls.modelo = Local(os.path.join(cls.raiz, "modelo"))
        os.makedirs(cls.modelo.xdg, mode=0o755)
        cls.modelo.db_ok("start")
        cls.modelo.esperar_backup()
        cls.modelo.db_ok("stop")

    def copia(self, nome):
        """A copy of the cluster in a new XDG folder, the folder itself and
        what initdb used handed to postgres, as earlier versions made it as
        root."""
        local = Local(os.path.join(self.raiz, nome))
        local.porta = self.modelo.porta
        local.env = dict(self.modelo.env, XDG_DATA_HOME=local.xdg)
        os.makedirs(local.xdg, mode=0o755)
        subprocess.run(["cp", "-a", self.modelo.base, local.base], check=True)
        os.remove(os.path.join(local.base, "conf", "db.conf"))
        postgres = pwd.getpwnam("postgres").pw_uid
        for nome in (".", "run", "superuser.senha", "initdb.log", "server.log"):
            os.lchown(os.path.join(local.base, nome), postgres, -1)
        self.addCleanup(local.parar)
        return local

    def test_pasta_feita_antes_com_links_e_recusada(self):
        alvo = os.path.join(self.raiz, "alvo")
        os.mkdir(alvo, 0o755)
        with open(os.path.join(alvo, "arquivo"), "w") as f:
            f.write("intocado\n")
        antes = sorted(os.listdir(alvo)), os.stat(alvo), os.stat(os.path.join(alvo, "arquivo"))
        casos = [("run", alvo), (".db.lock", os.path.join(alvo, "arquivo")),
                 ("backup.log", os.path.join(alvo, "arquivo")), ("conf", alvo)]
        for nome, destino in casos:
            with self.subTest(nome):
                local = self.copia("link-" + nome.strip("."))
                caminho = os.path.join(local.base, nome)
                if os.path.isdir(caminho) and not os.path.islink(caminho):
                    shutil.rmtree(caminho)
                elif os.path.lexists(caminho):
                    os.remove(caminho)
                os.symlink(destino, caminho)
                os.lchown(caminho, pwd.getpwnam("postgres").pw_uid, -1)
                r = local.db("start")
                self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
                self.assertIn("Recusado: %s é um link simbólico" % caminho, r.stderr)
                self.assertIsNone(local.pid_servidor())
                depois = sorted(os.listdir(alvo)), os.stat(alvo), os.stat(os.path.join(alvo, "arquivo"))
                for a, d in zip(antes[1:], depois[1:]):
                    self.assertEqual((a.st_uid, a.st_gid, a.st_mode, a.st_size), (d.st_uid, d.st_gid, d.st_mode,
                                                                                  d.st_size))
                self.assertEqual(antes[0], depois[0])

    def test_pasta_de_outro_usuario_e_recusada(self):
        local = self.copia("de-outro")
        subprocess.run(["chown", "nobody", local.base], check=True)
        r = local.db("start")
        self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
        self.assertIn("Recusado: %s pertence a nobody, não a root." % local.base, r.stderr)
        self.assertIsNone(local.pid_servidor())

    def test_pasta_em_var_tmp_nao_e_adotada(self):
        checkout = copiar_checkout(os.path.join(self.raiz, "checkout"))
        antiga = "/var/tmp/zumbrel-pg-" + hashlib.md5(checkout.encode()).hexdigest()[:10]
        os.makedirs(os.path.join(antiga, "data"))
        self.addCleanup(remover, antiga)
        local = Local(os.path.join(self.raiz, "var-tmp"), topo=checkout)
        os.makedirs(local.xdg, mode=0o755)
        r = local.db("start")
        self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
        self.assertIn("O banco local não usa mais %s" % antiga, r.stderr)
        self.assertIn("mv %s %s" % (antiga, local.base), r.stderr)
        self.assertFalse(os.path.lexists(local.base))
        self.assertEqual(os.listdir(antiga), ["data"])

    def test_modos_voltam_a_cada_inicio(self):
        local = self.copia("modos")
        os.chmod(local.base, 0o755)
        for nome in ("data", "run", "conf", "backups"):
            os.chmod(os.path.join(local.base, nome), 0o755)
        r = local.db("start")
        local.esperar_backup()
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIsNotNone(local.pid_servidor())
        modos = {nome: (os.stat(os.path.join(local.base, nome)).st_mode & 0o777,
                        pwd.getpwuid(os.stat(os.path.join(local.base, nome)).st_uid).pw_name)
                 for nome in (".", "data", "run", "conf", "backups")}
        self.assertEqual(modos, {".": (0o711, "root"), "data": (0o700, "postgres"), "run": (0o700, "postgres"),
                                 "conf": (0o700, "root"), "backups": (0o700, "root")})
        self.assertEqual(local.sql_programa("select count(*) > 0 from cadastro.apiario"), "t")


def conecta_por_tcp(porta, papel, senha):
    """Whether ROLE logs in over TCP on 127.0.0.1; and the error if not."""
    r = subprocess.run(["psql", "-X", "-At", "-h", "127.0.0.1", "-p", str(porta), "-U", papel, "-d", "zumbrel",
                        "-c", "select 1"], env=dict(os.environ, PGPASSWORD=senha, PGCONNECT_TIMEOUT="5"),
                       capture_output=True, text=True, timeout=60)
    return r.returncode == 0, r.stderr


class Acesso(unittest.TestCase):
    """The server listens on its socket in a private folder only, also in a
    folder whose name holds quotes and blanks; TCP only when ZUMBREL_TCP=1,
    and never for the superuser or the owner. Role passwords go to the
    server as SCRAM verifiers worked out here, alike to the server's own.
    File names that begin with "-" are files."""

    def setUp(self):
        self.raiz = pasta_temporaria("zumbrel-acesso.")
        self.addCleanup(remover, self.raiz)
        self.local = Local(self.raiz)
        self.local.xdg = os.path.join(self.raiz, "dados d'Ana")
        self.local.base = os.path.join(self.local.xdg, "zumbrel")
        self.local.env["XDG_DATA_HOME"] = self.local.xdg
        os.makedirs(self.local.xdg, mode=0o755)
        self.addCleanup(self.local.parar)

    def senhas(self):
        def ler(nome):
            with open(os.path.join(self.local.base, nome)) as f:
                return f.read().strip()
        return {"postgres": ler("superuser.senha"), "zumbrel_dono": ler("dono.senha"), "zumbrel": ler("app.senha")}

    def test_soquete_so_e_tcp_so_para_o_programa(self):
        self.local.db_ok("start")
        self.local.esperar_backup()
        with open(os.path.join(self.local.base, "conf", "db.conf")) as f:
            self.assertEqual(f.readline(), "host=%s/run\n" % self.local.base)
        self.assertEqual(self.local.sql("show listen_addresses"), "")
        self.assertEqual(self.local.sql_programa("select coalesce(host(inet_client_addr()), 'soquete')"), "soquete")
        with socket.socket() as s:
            self.assertNotEqual(s.connect_ex(("127.0.0.1", self.local.porta)), 0, "TCP must be closed")

        senhas = self.senhas()
        self.local.db_ok("stop")
        self.local.db_ok("start", env={"ZUMBREL_TCP": "1"})
        self.local.esperar_backup()
        for papel, pode in (("zumbrel", True), ("postgres", False), ("zumbrel_dono", False)):
            with self.subTest(papel):
                ok, erro = conecta_por_tcp(self.local.porta, papel, senhas[papel])
                self.assertEqual(ok, pode, erro)
                if not pode:
                    self.assertIn("pg_hba.conf rejects connection", erro)
        # Without it again, TCP closes at the next start.
        self.local.db_ok("stop")
        self.local.db_ok("start")
        self.local.esperar_backup()
        self.assertFalse(conecta_por_tcp(self.local.porta, "zumbrel", senhas["zumbrel"])[0])

    def test_verificador_igual_ao_do_servidor_e_aceito(self):
        self.local.db_ok("start")
        self.local.esperar_backup()
        for senha in ("segredo", " a b'c\"d\\e ", "x" * 200):
            with self.subTest(senha):
                self.local.sql("drop role if exists prova_scram; create role prova_scram password %s"
                               % ("'" + senha.replace("'", "''") + "'"), banco="postgres")
                guardado = self.local.sql("select rolpassword from pg_authid where rolname = 'prova_scram'")
                sal = guardado.split("$")[1].split(":")[1]
                self.assertEqual(scram.verificador(senha, base64.b64decode(sal)), guardado)
        self.local.sql("drop role prova_scram", banco="postgres")
        with self.assertRaises(ValueError):
            scram.verificador("senha com acentuação")
        # The roles' own, set by scripts/db: each a verifier with a salt of
        # its own, and a login with the file's password works.
        verificadores = self.local.sql("select string_agg(split_part(rolpassword, '$', 2), ',') from pg_authid "
                                       "where rolname in ('zumbrel', 'zumbrel_dono')").split(",")
        self.assertEqual(len(set(verificadores)), 2)
        self.assertEqual(self.local.sql_programa("select current_user"), "zumbrel")

    def test_nomes_que_comecam_com_hifen(self):
        self.local.db_ok("start")
        self.local.esperar_backup()
        self.local.sql_programa("insert into cadastro.florada (nome_florada) values ('Hífen')")
        antes = self.local.dump()
        r = subprocess.run([os.path.join(TOPO, "scripts", "db"), "backup", "-copia.dump"], cwd=self.raiz,
                           env=self.local.env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=180)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertTrue(os.path.isfile(os.path.join(self.raiz, "-copia.dump")))
        self.local.sql_programa("delete from cadastro.florada where nome_florada = 'Hífen'")
        r = subprocess.run([os.path.join(TOPO, "scripts", "db"), "restore", "-copia.dump", "--yes"], cwd=self.raiz,
                           env=self.local.env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=180)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(self.local.dump(), antes)


if __name__ == "__main__":
    unittest.main(verbosity=2)
