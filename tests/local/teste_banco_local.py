#!/usr/bin/env python3
"""scripts/db against temporary folders and free ports: a new cluster is
crash-safe and backed up; an old one is made safe with its records intact;
backup and restore give back every record; reset and restore refuse without
a confirmation and on bad files; a failing backup costs no old backup; the
retention rule; a crashed server comes back. Run one group by its class
name: teste_banco_local.py NovoBanco."""
import datetime
import os
import pty
import shutil
import signal
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from banco_local import (BIN_PG, RAIZ, TOPO, Local, antes_das_colmeias, copiar_checkout, esperar, iniciar_grupo,  # noqa: E402
                         pasta_temporaria, processos_do_cluster, remover, sem_restricoes)

CONFIGURACOES = "select current_setting('fsync'), current_setting('full_page_writes'), " \
                "current_setting('synchronous_commit'), current_setting('data_checksums')"
RAPIDAS = "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n"


class ComBanco(unittest.TestCase):
    def setUp(self):
        self.raiz = pasta_temporaria("zumbrel-local.")
        self.addCleanup(remover, self.raiz)
        self.local = Local(self.raiz)
        self.addCleanup(self.local.parar)

    def iniciar(self, local=None, usuarios=True):
        """Starts the local database; with the test databases' users, which a
        real one never has (its first start asks for the administrator)."""
        local = local or self.local
        r = local.db_ok("start")
        local.esperar_backup()
        if usuarios and local.sql("select count(*) from cadastro.usuario") == "0":
            with open(os.path.join(TOPO, "sql", "usuarios_de_teste.sql")) as f:
                local.sql(f.read())
        return r


class NovoBanco(ComBanco):
    def test_criado_na_pasta_xdg_seguro_com_backup_e_reusado(self):
        r = self.iniciar(usuarios=False)
        base = self.local.base
        self.assertIn("Criando o banco local em %s" % base, r.stdout)
        # No known password: no user, and the program asks for the
        # administrator at its first start; the sample records are there.
        self.assertEqual(self.local.sql("select count(*) from cadastro.usuario"), "0")
        self.assertEqual(self.local.sql_programa("select cadastro.tem_usuarios()"), "f")
        self.assertNotEqual(self.local.sql_programa("select count(*) from cadastro.apiario"), "0")
        self.assertEqual(self.local.sql(CONFIGURACOES), "on|on|on|on")
        # The configuration files say the same (what a restart would use).
        with open(os.path.join(base, "data", "postgresql.conf")) as f:
            self.assertNotRegex(f.read(), r"(?m)^\s*(fsync|synchronous_commit|full_page_writes)\s*=\s*off")

        self.assertEqual(self.local.db_ok("pasta").stdout.strip(), base)
        self.assertEqual(self.local.db_ok("port").stdout.strip(), str(self.local.porta))
        self.assertEqual(self.local.db("externo").returncode, 1)
        conf = os.path.join(base, "conf", "db.conf")
        self.assertEqual(os.stat(conf).st_mode & 0o777, 0o600)
        with open(os.path.join(base, "app.senha")) as f:
            senha = f.read().strip()
        with open(conf) as f:
            self.assertEqual(f.read(), "host=%s/run\nbanco=zumbrel\nusuario=zumbrel\nsenha=%s\nssl=0\n" % (base, senha))

        backups = self.local.backups()
        self.assertEqual(len(backups), 1, backups)
        self.assertRegex(backups[0], r"^\d{4}-\d\d-\d\d-\d{6}-auto\.dump$")
        lista = subprocess.run([os.path.join(BIN_PG, "pg_restore"), "-l",
                                os.path.join(base, "backups", backups[0])],
                               capture_output=True, text=True, check=True).stdout
        self.assertIn("TABLE DATA cadastro usuario", lista)

        # The program's user saves; a stop and a start keep the record and
        # load no sample data over it.
        usuarios = self.local.sql_programa("select count(*) from cadastro.usuario")
        self.local.sql_programa("insert into cadastro.florada (nome_florada) values ('Pequi')")
        self.local.db_ok("stop")
        self.assertEqual(self.local.db("status").returncode, 3)
        self.assertIsNone(self.local.pid_servidor())
        r = self.iniciar(usuarios=False)
        self.assertNotIn("Criando", r.stdout)
        self.assertNotIn("Carregando", r.stdout)
        self.assertEqual(self.local.sql_programa("select count(*) from cadastro.usuario"), usuarios)
        self.assertEqual(self.local.sql("select count(*) from cadastro.florada where nome_florada = 'Pequi'"), "1")
        self.assertEqual(len(self.local.backups()), 2)


class BancoAntigo(ComBanco):
    """A .pg/ left in a checkout by the earlier scripts, with the fast
    settings they used, keeps working where it is, is made safe with every
    record unchanged (running or stopped), and moves as README says."""

    def test_antigo_fica_seguro_e_muda_de_pasta(self):
        checkout = copiar_checkout(os.path.join(self.raiz, "checkout"))
        # A cluster with records, turned into an old one: in .pg/ with its
        # conf in the checkout, and the fast settings in its files.
        outro = Local(os.path.join(self.raiz, "outro"), topo=checkout)
        outro.porta = self.local.porta
        outro.env = dict(self.local.env, XDG_DATA_HOME=outro.xdg)
        os.makedirs(outro.xdg, mode=0o755)
        self.iniciar(outro)
        outro.db_ok("stop")
        pg = os.path.join(checkout, ".pg")
        os.rename(outro.base, pg)
        shutil.rmtree(os.path.join(pg, "conf"))
        shutil.rmtree(os.path.join(pg, "backups"))
        self.addCleanup(self.local.parar, pg)
        dados = os.path.join(pg, "data")
        with open(os.path.join(dados, "postgresql.conf"), "a") as f:
            f.write("unix_socket_directories = '%s/run'\n" % pg + RAPIDAS)
        with open(os.path.join(dados, "postgresql.auto.conf"), "a") as f:
            f.write("fsync = 'off'\n")

        antigo = Local(self.raiz, topo=checkout)
        antigo.porta = self.local.porta
        antigo.env = dict(self.local.env, XDG_DATA_HOME=os.path.join(self.raiz, "novo"))
        # Running, as the earlier scripts left it, with records changed.
        self.pg_ctl(dados, "start", "-l", os.path.join(pg, "server.log"))
        self.assertEqual(antigo.sql("show fsync", base=pg), "off")
        antigo.sql("update cadastro.usuario set nome = nome || ' Jr.'; delete from cadastro.abelha_rainha "
                   "where id_abelha = (select max(id_abelha) from cadastro.abelha_rainha)", base=pg)
        antigo.sql("insert into cadastro.florada (nome_florada) values ('Ipê-amarelo')", base=pg)
        antes = antigo.dump(base=pg)

        r = antigo.db_ok("start")
        antigo.esperar_backup(pg)
        self.assertIn("passou a gravar com segurança", r.stdout)
        self.assertEqual(antigo.sql(CONFIGURACOES.replace(", current_setting('data_checksums')", ""), base=pg),
                         "on|on|on")
        self.assertEqual(antigo.dump(base=pg), antes)
        self.assertEqual(antigo.db_ok("pasta").stdout.strip(), checkout)
        self.assertTrue(os.path.exists(os.path.join(checkout, "conf", "db.conf")))
        self.assertEqual(len(antigo.backups(pg)), 1)
        self.assertFalse(os.path.exists(os.path.join(self.raiz, "novo")))

        # Stopped with the fast settings again: made safe before it starts.
        antigo.db_ok("stop")
        with open(os.path.join(dados, "postgresql.conf"), "a") as f:
            f.write(RAPIDAS)
        r = antigo.db_ok("start")
        antigo.esperar_backup(pg)
        self.assertIn("passou a gravar com segurança", r.stdout)
        self.assertNotIn("Carregando", r.stdout)
        self.assertEqual(antigo.sql("show fsync", base=pg), "on")
        self.assertEqual(antigo.dump(base=pg), antes)

        # README's move: stop, move .pg/ to the XDG folder, start.
        antigo.db_ok("stop")
        destino = os.path.join(self.raiz, "novo", "zumbrel")
        os.makedirs(os.path.dirname(destino), mode=0o755)
        subprocess.run(["mv", pg, destino], check=True)
        r = antigo.db_ok("start")
        antigo.esperar_backup(destino)
        self.addCleanup(antigo.parar, destino)
        self.assertNotIn("Criando", r.stdout)
        self.assertEqual(antigo.db_ok("pasta").stdout.strip(), destino)
        self.assertEqual(antigo.dump(base=destino), antes)
        self.assertEqual(antigo.sql("show unix_socket_directories", base=destino), '"%s/run"' % destino)
        self.assertEqual(antigo.sql_programa("select count(*) from cadastro.florada where nome_florada = 'Ipê-amarelo'",
                                             pasta_conf=destino), "1")

    def pg_ctl(self, dados, *args):
        comando = [os.path.join(BIN_PG, "pg_ctl"), "-D", dados, "-w", *args]
        if RAIZ:
            comando = ["runuser", "-u", "postgres", "--"] + comando
        subprocess.run(comando, check=True, capture_output=True, cwd="/", timeout=60)


class Migracoes(ComBanco):
    """A database made before the beehives gets their tables at its next
    start with every record as it was, and later starts change nothing; a
    migration that fails stops the start and leaves nothing of itself."""

    TABELAS_NOVAS = ("colmeia", "revisao", "produto", "tratamento", "alimentacao", "ocorrencia", "pesagem",
                     "movimentacao", "evento_colonia", "colheita", "rainha_colmeia", "lote_mel", "lote_mel_colheita",
                     "empresa", "criacao", "criacao_nucleo", "fecundacao", "fecundacao_zangao")
    NOVAS = ("select count(*) from pg_tables where schemaname = 'cadastro' and tablename in (%s)"
             % ", ".join("'%s'" % t for t in TABELAS_NOVAS))
    # Every record but those of the new tables (none before them, and the
    # sample products after) and the queen bees, which gain columns: their
    # own columns are compared apart.
    REGISTROS = ("--data-only", "--exclude-table=cadastro.abelha_rainha") + tuple(
        "--exclude-table=cadastro." + t for t in TABELAS_NOVAS)
    ABELHAS = ("select string_agg(concat_ws('|', id_abelha, rgn, data_nasc, matriz, filha), ',' order by id_abelha) "
               "from cadastro.abelha_rainha")

    def test_banco_antigo_ganha_as_colmeias_sem_mudar_registros(self):
        self.iniciar()
        self.local.sql(antes_das_colmeias())
        self.assertEqual(self.local.sql(self.NOVAS), "0")
        dump_do_banco_alterado(self.local)
        antes = self.local.dump(opcoes=self.REGISTROS)
        abelhas = self.local.sql(self.ABELHAS)
        # Stopped, as a database of an earlier version is at its next start.
        self.local.db_ok("stop")
        self.iniciar()
        self.assertEqual(self.local.sql(self.NOVAS), str(len(self.TABELAS_NOVAS)))
        self.assertEqual(self.local.dump(opcoes=self.REGISTROS), antes)
        self.assertEqual(self.local.sql(self.ABELHAS), abelhas)
        self.assertEqual(self.local.sql("select count(*) from cadastro.abelha_rainha "
                                        "where cor_marcacao <> '' or asa_cortada"), "0")
        self.assertEqual(self.local.sql("select string_agg(tablename || ':' || tableowner, ',' order by tablename) "
                                        "from pg_tables where tablename in ('colmeia', 'revisao')"),
                         "colmeia:zumbrel_dono,revisao:zumbrel_dono")
        # The program's user keeps hives and inspections in them.
        colmeia = self.local.sql_programa("insert into cadastro.colmeia (tipo, status, id_apiario) "
                                          "values ('Langstroth', 'Ativa', 1) returning id_colmeia")
        self.local.sql_programa("insert into cadastro.revisao (id_colmeia, data_revisao, status, mel_kg) "
                                "values (%s, '2024-03-01', 'Fraca', 12.5)" % colmeia)
        self.assertEqual(self.local.sql("select status from cadastro.colmeia where id_colmeia = %s" % colmeia),
                         "Fraca")

        # Starting again, running or stopped, changes nothing.
        depois = self.local.dump()
        self.iniciar()
        self.local.db_ok("stop")
        self.iniciar()
        self.assertEqual(self.local.dump(), depois)

    def test_migracao_que_falha_para_o_inicio_sem_deixar_nada(self):
        checkout = copiar_checkout(os.path.join(self.raiz, "checkout"))
        with open(os.path.join(checkout, "sql", "migracoes", "999_quebrada.sql"), "w") as f:
            f.write("CREATE TABLE cadastro.meia_feita (x integer);\nSELECT 1 / 0;\n")
        copia = Local(self.raiz, topo=checkout)
        copia.porta = self.local.porta
        copia.env = self.local.env
        self.iniciar()
        antes = self.local.dump()
        r = copia.db("start")
        self.assertNotEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("999_quebrada.sql falhou; nada desse arquivo foi aplicado", r.stderr)
        self.assertEqual(self.local.dump(), antes)
        # Without the broken file it starts as before.
        os.remove(os.path.join(checkout, "sql", "migracoes", "999_quebrada.sql"))
        copia.db_ok("start")
        copia.esperar_backup()
        self.assertEqual(self.local.dump(), antes)


def dump_do_banco_alterado(local):
    """Changes, deletes and adds rows of every kind (sequences move on)."""
    # Users change in an administrator's session only: here as the superuser.
    local.sql("update cadastro.usuario set nome = 'Outro Nome' where login = 'admin'")
    # The sample hives, where there are any, let go of their queens first.
    local.sql_programa("do $$ begin if to_regclass('cadastro.colmeia') is not null then "
                       "update cadastro.colmeia set id_abelha = null; end if; end $$")
    local.sql_programa("delete from cadastro.abelha_rainha where filha is not null")
    local.sql_programa("insert into cadastro.florada (nome_florada) values ('Angico'), ('Jurema')")
    local.sql_programa("insert into cadastro.abelha_rainha (data_nasc) values ('2024-01-02')")


class BackupERestauro(ComBanco):
    def test_restaurar_devolve_cada_registro_chave_e_sequencia(self):
        self.iniciar()
        antes = self.local.dump()
        proximo = self.local.sql("select last_value from cadastro.florada_id_florada_seq")
        arquivo = os.path.join(self.raiz, "copia.dump")
        r = self.local.db_ok("backup", arquivo)
        self.assertIn(arquivo, r.stdout)
        r = self.local.db("backup", arquivo)
        self.assertNotEqual(r.returncode, 0, "an existing file must not be overwritten")

        dump_do_banco_alterado(self.local)
        self.assertNotEqual(self.local.dump(), antes)
        # A program with an open connection loses it, and the restore goes on.
        sessao = subprocess.Popen(["psql", "-X", "-h", self.local.soquete(), "-p", str(self.local.porta), "-U", "postgres",
                                   "-d", "zumbrel"], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, env=dict(self.local.env, PGPASSWORD=self.local.senha()))
        self.addCleanup(sessao.wait)
        self.addCleanup(sessao.stdin.close)
        esperar(lambda: self.local.sql("select count(*) from pg_stat_activity where datname = 'zumbrel'") != "0")

        r = self.local.db_ok("restore", arquivo, "--yes")
        self.assertIn("restaurado", r.stdout)
        self.assertEqual(self.local.dump(), antes)
        self.assertEqual(self.local.sql("select string_agg(datname, ',' order by datname) from pg_database "
                                        "where datname like 'zumbrel%'"), "zumbrel")
        self.assertTrue(any(b.endswith("-antes-de-restaurar.dump") for b in self.local.backups()))

        # The users and their stored passwords come back, the passwords where
        # the program's role cannot read them; saves go on as before, and keys
        # from where they were.
        self.assertEqual(self.local.sql_programa(
            "select u.login || ' [' || u.senha || ']' from cadastro.usuario u where u.login='admin'"), "admin []")
        self.assertRegex(self.local.sql("select forma from seguranca.credencial where id_usuario = 1"),
                         r"^\$argon2id\+sha256\$")
        novo = self.local.sql_programa("insert into cadastro.florada (nome_florada) values ('Angico') "
                                       "returning id_florada")
        self.assertEqual(int(novo), int(proximo) + 1)

    def test_backup_sem_arquivo_vai_para_a_pasta_de_backups(self):
        self.iniciar()
        r = self.local.db_ok("backup")
        manuais = [b for b in self.local.backups() if b.endswith("-manual.dump")]
        self.assertEqual(len(manuais), 1)
        self.assertIn(os.path.join(self.local.base, "backups", manuais[0]), r.stdout)
        self.assertEqual(os.stat(os.path.join(self.local.base, "backups", manuais[0])).st_mode & 0o777, 0o600)


def num_terminal(comando, env, resposta):
    """Runs a command with a terminal as its standard input and the answer
    typed ahead on it; returns (exit status, everything it wrote)."""
    mestre, escravo = pty.openpty()
    os.write(mestre, (resposta + "\n").encode())
    p = subprocess.Popen(comando, stdin=escravo, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         env=env, text=True)
    os.close(escravo)
    saida, _ = p.communicate(timeout=180)
    os.close(mestre)
    return p.returncode, saida


class Recusas(unittest.TestCase):
    """Nothing changes without a confirmation or with a bad file. One
    cluster for the group: each case leaves it as it found it."""

    @classmethod
    def setUpClass(cls):
        iniciar_grupo(cls, "zumbrel-local.", "Marca")
        cls.arquivo = os.path.join(cls.raiz, "copia.dump")
        cls.local.db_ok("backup", cls.arquivo)

    def setUp(self):
        self.antes = self.local.dump()
        self.backups = self.local.backups()

    def assertNadaMudou(self):
        self.assertEqual(self.local.dump(), self.antes)
        self.assertEqual(self.local.sql("select count(*) from pg_database where datname like 'zumbrel_%'"), "0")

    def test_sem_confirmacao_nada_muda(self):
        for args in (["reset"], ["restore", self.arquivo]):
            r = self.local.db(*args)
            self.assertEqual(r.returncode, 1, r.stdout + r.stderr)
            self.assertIn("Recusado", r.stderr)
            self.assertIn("--yes", r.stderr)
            self.assertNadaMudou()
            self.assertEqual(self.local.backups(), self.backups)

        codigo, saida = num_terminal([os.path.join(TOPO, "scripts", "db"), "reset"], self.local.env, "apagar")
        self.assertEqual(codigo, 1, saida)
        self.assertIn("digite APAGAR", saida)
        self.assertIn("Nada foi feito", saida)
        self.assertNadaMudou()
        self.assertEqual(self.local.backups(), self.backups)

    def test_arquivos_ruins_sao_recusados(self):
        with open(self.arquivo, "rb") as f:
            conteudo = f.read()
        casos = {"nao-existe.dump": None, "vazio.dump": b"", "texto.dump": b"-- not a dump\nselect 1;\n",
                 "comeco.dump": conteudo[:200], "cortado.dump": conteudo[:-300]}
        for nome, dados in casos.items():
            caminho = os.path.join(self.raiz, nome)
            if dados is not None:
                with open(caminho, "wb") as f:
                    f.write(dados)
            r = self.local.db("restore", caminho, "--yes")
            self.assertEqual(r.returncode, 1, nome + ": " + r.stdout + r.stderr)
            self.assertIn("nada foi restaurado" if nome != "cortado.dump" else "o banco atual não foi mudado",
                          r.stderr, nome)
            self.assertNadaMudou()
            self.assertEqual(self.local.sql_programa("select count(*) from cadastro.florada "
                                                     "where nome_florada = 'Marca'"), "1")

    def test_reset_confirmado_faz_backup_antes_e_recomeca(self):
        codigo, saida = num_terminal([os.path.join(TOPO, "scripts", "db"), "reset"], self.local.env, "APAGAR")
        self.assertEqual(codigo, 0, saida)
        depois = self.local.backups()
        self.assertEqual(set(self.backups) - set(depois), set(), "no backup may be lost")
        apagado = [b for b in depois if b.endswith("-antes-de-apagar.dump")]
        self.assertEqual(len(apagado), 1)
        self.assertEqual(self.local.sql("select count(*) from cadastro.florada where nome_florada = 'Marca'"), "0")
        # Afresh: no user, whose first start asks for the administrator.
        self.assertEqual(self.local.sql("select count(*) from cadastro.usuario"), "0")
        self.assertEqual(self.local.sql_programa("select cadastro.tem_usuarios()"), "f")
        # What was deleted comes back from the backup made before.
        self.local.db_ok("restore", os.path.join(self.local.base, "backups", apagado[0]), "--yes")
        self.assertEqual(self.local.dump(), self.antes)


class BackupFalho(ComBanco):
    """A backup that cannot be written is reported, the start goes on, and
    no existing backup is deleted."""

    def test_pasta_inutilizavel_e_disco_cheio(self):
        self.iniciar()
        pasta = os.path.join(self.local.base, "backups")
        # Old automatic backups, more than the retention keeps.
        for n in range(40):
            dia = datetime.date(2001, 1, 1) + datetime.timedelta(days=n)
            open(os.path.join(pasta, "%s-120000-auto.dump" % dia.isoformat()), "w").close()
        guardados = self.local.backups()

        os.rename(pasta, pasta + ".guardada")
        open(pasta, "w").close()   # the backups folder is now a file
        r = self.local.db("start")
        self.local.esperar_backup()
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("cópia de segurança automática do banco local falhou", r.stderr)
        self.assertIsNotNone(self.local.pid_servidor())
        os.remove(pasta)
        os.rename(pasta + ".guardada", pasta)

        r = self.local.db("start", env={"ZUMBREL_BACKUP_RESERVA_MB": "1000000000"})
        self.local.esperar_backup()
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn("Espaço livre insuficiente", r.stderr)
        self.assertEqual(self.local.backups(), guardados)
        with open(os.path.join(self.local.base, "backup.log")) as f:
            self.assertEqual(f.read().count("FALHOU"), 2)

        # The next backup that works thins the old ones out.
        self.iniciar()
        self.assertLess(len(self.local.backups()), len(guardados))
        self.assertEqual(len(self.local.backups()), 10)


class ConfExterna(unittest.TestCase):
    """A conf/db.conf in the folder that points at another server is left
    alone: nothing is created, and backup, restore and reset refuse."""

    def test_nada_e_criado_nem_mudado(self):
        raiz = pasta_temporaria("zumbrel-local.")
        self.addCleanup(remover, raiz)
        local = Local(raiz)
        os.makedirs(os.path.join(local.base, "conf"))
        conf = "host=10.1.2.3\nbanco=apiario\nusuario=apicultor\nsenha=segredo\nssl=1\n"
        with open(os.path.join(local.base, "conf", "db.conf"), "w") as f:
            f.write(conf)
        self.assertEqual(local.db("externo").returncode, 0)
        r = local.db_ok("start")
        self.assertIn("aponta para outro servidor", r.stdout)
        for args in (["backup"], ["reset", "--yes"], ["restore", os.path.join(TOPO, "sql", "seed.sql"), "--yes"]):
            r = local.db(*args)
            self.assertEqual(r.returncode, 1, args)
        self.assertEqual(os.listdir(local.base), ["conf"])
        self.assertEqual(os.listdir(os.path.join(local.base, "conf")), ["db.conf"])
        with open(os.path.join(local.base, "conf", "db.conf")) as f:
            self.assertEqual(f.read(), conf)


class Retencao(unittest.TestCase):
    """Of the automatic backups, the 10 newest and the newest of each of the
    last 30 days stay; nothing else made by hand or before a restore or reset
    is ever deleted."""

    def podar(self, pasta, hoje):
        subprocess.run(["bash", "-c", '. "$1/scripts/lib/pg.sh"; . "$1/scripts/lib/backup.sh"; backups_podar "$2" "$3"',
                        "_", TOPO, pasta, hoje], check=True)
        return sorted(os.listdir(pasta))

    def test_dez_ultimos_e_um_por_dia(self):
        pasta = pasta_temporaria("zumbrel-retencao.")
        self.addCleanup(remover, pasta)
        # Three a day over 40 days up to 2024-03-02 (across February of a leap year).
        hoje = datetime.date(2024, 3, 2)
        for n in range(40):
            dia = (hoje - datetime.timedelta(days=n)).isoformat()
            for hora in ("080000", "120000", "180000"):
                open(os.path.join(pasta, "%s-%s-auto.dump" % (dia, hora)), "w").close()
        outros = ["2023-01-01-100000-manual.dump", "2023-01-01-100000-antes-de-restaurar.dump",
                  "2023-01-01-100000-antes-de-apagar.dump", "notas.txt"]
        for nome in outros:
            open(os.path.join(pasta, nome), "w").close()
        open(os.path.join(pasta, "2024-03-02-180000-auto-2.dump"), "w").close()

        ficaram = self.podar(pasta, hoje.isoformat())
        automaticos = [f for f in ficaram if "-auto" in f]
        esperados = ["2024-03-02-180000-auto-2.dump", "2024-03-02-180000-auto.dump", "2024-03-02-120000-auto.dump",
                     "2024-03-02-080000-auto.dump", "2024-03-01-180000-auto.dump", "2024-03-01-120000-auto.dump",
                     "2024-03-01-080000-auto.dump", "2024-02-29-180000-auto.dump", "2024-02-29-120000-auto.dump",
                     "2024-02-29-080000-auto.dump"]
        for n in range(3, 30):
            esperados.append("%s-180000-auto.dump" % (hoje - datetime.timedelta(days=n)).isoformat())
        self.assertEqual(sorted(automaticos), sorted(esperados))
        self.assertEqual(sorted(set(ficaram) - set(automaticos)), sorted(outros))

        # Run again: nothing more goes. With few backups, none goes.
        self.assertEqual(self.podar(pasta, hoje.isoformat()), ficaram)
        poucas = pasta_temporaria("zumbrel-retencao.")
        self.addCleanup(remover, poucas)
        for nome in ("2020-01-01-080000-auto.dump", "2020-06-01-080000-auto.dump"):
            open(os.path.join(poucas, nome), "w").close()
        self.assertEqual(len(self.podar(poucas, hoje.isoformat())), 2)


class ServidorDerrubado(ComBanco):
    """A server killed with its pid file left behind, and that pid then
    taken by another live process of the same user (as after a reboot):
    the next start recovers, no committed record lost, and the other process
    is never signalled."""

    def test_pid_velho_recupera(self):
        self.iniciar()
        self.local.sql_programa("insert into cadastro.florada (nome_florada) values ('Antes da queda')")
        dados = os.path.join(self.local.base, "data")
        pid = self.local.pid_servidor()
        os.kill(pid, signal.SIGKILL)
        self.assertTrue(esperar(lambda: not processos_do_cluster(dados) and not os.path.exists("/proc/%d" % pid)))
        self.assertTrue(os.path.exists(os.path.join(dados, "postmaster.pid")))

        # Its pid now taken by another process, in both of the lock files.
        outro = subprocess.Popen(["sleep", "300"], cwd="/", user=os.stat(dados).st_uid)
        self.addCleanup(outro.wait)
        self.addCleanup(outro.kill)
        travas = [os.path.join(dados, "postmaster.pid"),
                  os.path.join(self.local.base, "run", ".s.PGSQL.%d.lock" % self.local.porta)]
        for trava in travas:
            with open(trava) as f:
                linhas = f.read().split("\n")
            self.assertEqual(linhas[0], str(pid))
            linhas[0] = str(outro.pid)
            with open(trava, "w") as f:
                f.write("\n".join(linhas))

        self.assertEqual(self.local.db("status").returncode, 3)
        self.local.db_ok("stop")
        r = self.iniciar()
        self.assertIn("iniciado", r.stdout)
        self.assertIsNone(outro.poll(), "the process holding the old pid was signalled")
        self.assertEqual(self.local.sql_programa("select count(*) from cadastro.florada "
                                                 "where nome_florada = 'Antes da queda'"), "1")
        self.assertEqual(self.local.sql(CONFIGURACOES), "on|on|on|on")


class Papeis(ComBanco):
    """The database belongs to an owner role; the program's role reads and
    writes records and cannot change or drop anything. A cluster of earlier
    versions, where the program's role owned everything, is moved to this at
    its next start with every record as it was. Files holding secrets are
    private from their first byte."""

    SEGREDOS = ("superuser.senha", "app.senha", "dono.senha", "conf/db.conf")

    def como_programa(self, comando):
        """SQL as the program's role; returns (exit status, error text)."""
        with open(os.path.join(self.local.base, "conf", "db.conf")) as f:
            senha = f.read().split("\n")[3].split("=", 1)[1]
        r = subprocess.run(["psql", "-X", "-q", "-At", "-v", "ON_ERROR_STOP=1", "-h", self.local.soquete(),
                            "-p", str(self.local.porta), "-U", "zumbrel", "-d", "zumbrel", "-c", comando],
                           env=dict(self.local.env, PGPASSWORD=senha), capture_output=True, text=True, timeout=60)
        return r.returncode, r.stderr

    def conferir_papeis(self):
        self.assertEqual(self.local.sql("select string_agg(distinct tableowner, ',') from pg_tables "
                                        "where schemaname = 'cadastro'"), "zumbrel_dono")
        self.assertEqual(self.local.sql("select datdba::regrole from pg_database where datname = 'zumbrel'"),
                         "zumbrel_dono")
        self.assertEqual(self.local.sql("select nspowner::regrole from pg_namespace where nspname = 'cadastro'"),
                         "zumbrel_dono")
        # Both log in with a password the server keeps only as a SCRAM
        # verifier; the owner's is in dono.senha.
        self.assertEqual(self.local.sql("select string_agg(rolname, ',' order by rolname) from pg_authid "
                                        "where rolcanlogin and rolpassword ~ '^SCRAM-SHA-256\$4096:'"),
                         "postgres,zumbrel,zumbrel_dono")
        self.assertEqual(self.local.sql("select count(*) from pg_trigger where tgname like '%manter_administrador'"),
                         "2")
        # Records: read, added, changed, deleted.
        for comando in ("select count(*) from cadastro.usuario",
                        "insert into cadastro.florada (nome_florada) values ('Papel')",
                        "update cadastro.florada set nome_florada = 'Papel 2' where nome_florada = 'Papel'",
                        "delete from cadastro.florada where nome_florada = 'Papel 2'"):
            codigo, erro = self.como_programa(comando)
            self.assertEqual(codigo, 0, comando + "\n" + erro)
        # Nothing else.
        for comando in ("drop table cadastro.abelha_rainha", "alter table cadastro.usuario drop column senha",
                        "truncate cadastro.florada", "create table cadastro.outra (x int)",
                        "create table public.outra (x int)",
                        "drop trigger acesso_manter_administrador on cadastro.acesso",
                        "drop schema cadastro cascade", "alter role zumbrel superuser"):
            codigo, erro = self.como_programa(comando)
            self.assertNotEqual(codigo, 0, comando)
            self.assertRegex(erro, "(permission denied|must be owner|must be superuser|permissão negada)", comando)
        self.assertEqual(self.local.sql("select count(*) from pg_tables where schemaname = 'cadastro'"), "25")

    def test_novo_com_dois_papeis_e_segredos_privados_desde_o_primeiro_byte(self):
        # With a umask that lets everyone read, and a chmod that does
        # nothing: a file made readable and closed only afterwards stays open.
        falso = os.path.join(self.raiz, "bin")
        os.mkdir(falso)
        os.chmod(falso, 0o755)
        with open(os.path.join(falso, "chmod"), "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(os.path.join(falso, "chmod"), 0o755)
        antes = os.umask(0)
        try:
            self.local.db_ok("start", env={"PATH": falso + os.pathsep + self.local.env["PATH"]})
        finally:
            os.umask(antes)
        self.local.esperar_backup()
        for nome in self.SEGREDOS:
            modo = os.stat(os.path.join(self.local.base, nome)).st_mode & 0o777
            self.assertEqual(modo & 0o077, 0, "%s is %o" % (nome, modo))
        for nome in self.local.backups():
            modo = os.stat(os.path.join(self.local.base, "backups", nome)).st_mode & 0o777
            self.assertEqual(modo & 0o077, 0, "%s is %o" % (nome, modo))
        self.conferir_papeis()

    def test_antigo_passa_aos_dois_papeis_com_os_registros_intactos(self):
        self.iniciar()
        # As earlier versions left it: the program's role owns everything,
        # and there is no owner role nor administrator rule.
        self.local.sql("drop trigger acesso_manter_administrador on cadastro.acesso; "
                       "drop trigger usuario_manter_administrador on cadastro.usuario; "
                       "drop function cadastro.manter_administrador(); "
                       "reassign owned by zumbrel_dono to zumbrel; drop owned by zumbrel_dono; "
                       "alter role zumbrel reset log_parameter_max_length")
        self.local.sql("drop role zumbrel_dono", banco="postgres")
        self.local.sql_programa("insert into cadastro.florada (nome_florada) values ('Antes da mudança')")
        codigo, erro = self.como_programa("create table cadastro.prova (x int); drop table cadastro.prova")
        self.assertEqual(codigo, 0, erro)
        antes = self.dados()

        self.local.db_ok("stop")
        self.iniciar()
        self.assertEqual(self.dados(), antes)
        self.conferir_papeis()
        self.assertEqual(self.local.sql("select count(*) from cadastro.florada "
                                        "where nome_florada = 'Antes da mudança'"), "1")

    def dados(self):
        """Every row of the program's database, as plain SQL (without the
        comments, which name each table's owner)."""
        r = subprocess.run([os.path.join(BIN_PG, "pg_dump"), "--data-only", "-h", self.local.soquete(),
                            "-p", str(self.local.porta), "-U", "postgres", "-d", "zumbrel"],
                           env=dict(self.local.env, PGPASSWORD=self.local.senha()),
                           capture_output=True, text=True, timeout=120)
        self.assertEqual(r.returncode, 0, r.stderr)
        return "\n".join(linha for linha in sem_restricoes(r.stdout).split("\n") if not linha.startswith("--"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
