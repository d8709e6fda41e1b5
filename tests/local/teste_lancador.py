#!/usr/bin/env python3
"""The installed launcher as a desktop user runs it: installed with
cmake --install into a temporary prefix and started by a normal user (when
the tests run as root, the system user zumbrel-teste, made here if missing)
with a temporary HOME and nothing else of ours in its environment, under the
X server of the test command. Usage: teste_lancador.py BUILD_FOLDER."""
import os
import pwd
import signal
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from teclado import digitar, xdotool  # noqa: E402
from banco_local import RAIZ, TOPO, Local, antes_das_colmeias, esperar, pasta_temporaria, processos_do_cluster, porta_livre, remover  # noqa: E402

BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
USUARIO_TESTE = "zumbrel-teste"
LOGIN = "Acesso ao Sistema"
# The password the first administrator of a new database is given here.
SENHA = "senha do admin"
PRINCIPAL = "Sistema de Controle de Zumbrel"


def conta_de_teste():
    """The account the launcher runs as: ours, or an unprivileged one when
    we are root."""
    if not RAIZ:
        return pwd.getpwuid(os.getuid())
    try:
        return pwd.getpwnam(USUARIO_TESTE)
    except KeyError:
        subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent",
                        "--shell", "/usr/sbin/nologin", USUARIO_TESTE], check=True)
        return pwd.getpwnam(USUARIO_TESTE)


def janelas(titulo):
    return xdotool("search", "--onlyvisible", "--name", "^" + titulo + "$", check=False).split()


class Lancador(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.raiz = pasta_temporaria("zumbrel-lancador.")
        cls.prefixo = os.path.join(cls.raiz, "usr")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", cls.prefixo, "--strip"],
                       check=True, capture_output=True, timeout=120)
        cls.conta = conta_de_teste()

    @classmethod
    def tearDownClass(cls):
        remover(cls.raiz)

    def setUp(self):
        self.processos = []
        self.addCleanup(self.encerrar_todos)

    def casa(self, nome):
        """A new, empty HOME of the account."""
        pasta = os.path.join(self.raiz, nome)
        os.mkdir(pasta, 0o700)
        if RAIZ:
            os.chown(pasta, self.conta.pw_uid, self.conta.pw_gid)
        return pasta

    def lancar(self, casa, **env):
        ambiente = {"PATH": "/usr/local/bin:/usr/bin:/bin", "HOME": casa, "USER": self.conta.pw_name,
                    "LOGNAME": self.conta.pw_name, "DISPLAY": os.environ["DISPLAY"], "LANG": "C.UTF-8"}
        ambiente.update(env)
        conta = dict(user=self.conta.pw_uid, group=self.conta.pw_gid, extra_groups=[]) if RAIZ else {}
        # A session of its own: a failed test kills the launcher and the
        # program under it together (the server, started by pg_ctl, has its
        # own session and is stopped by the launcher or left to the folder's removal).
        p = subprocess.Popen([os.path.join(self.prefixo, "bin", "zumbrel")], env=ambiente, cwd="/",
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                             start_new_session=True, **conta)
        self.processos.append(p)
        return p

    def encerrar_todos(self):
        for p in self.processos:
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            try:
                p.communicate(timeout=30)
            except subprocess.TimeoutExpired:
                p.kill()

    def terminar(self, p):
        try:
            saida, erros = p.communicate(timeout=60)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            saida, erros = p.communicate(timeout=30)
            self.fail("the launcher did not end:\n" + saida + erros)
        self.assertEqual(p.returncode, 0, saida + erros)
        return saida, erros

    def esperar_janelas(self, titulo, n):
        if not esperar(lambda: len(janelas(titulo)) >= n, tempo=90):
            nomes = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True,
                                   text=True).stdout.split()
            visiveis = [subprocess.run(["xdotool", "getwindowname", i], capture_output=True, text=True).stdout.strip()
                        for i in nomes]
            self.fail("%d window(s) %r never showed up; visible: %r" % (n, titulo, visiveis))
        return janelas(titulo)

    def entrar(self, id_login, senha=SENHA):
        antes = set(janelas(PRINCIPAL))
        digitar(id_login, "<ctrl+a>", "admin", "<Return>", senha, "<Return>", "<Return>")
        self.assertTrue(esperar(lambda: set(janelas(PRINCIPAL)) - antes, tempo=30), "login failed")
        return (set(janelas(PRINCIPAL)) - antes).pop()

    def banco_de(self, casa, porta):
        """The local database the launcher made in this HOME, read as its superuser."""
        local = Local(self.raiz)
        local.base = os.path.join(casa, ".local", "share", "zumbrel")
        local.porta = porta
        return local

    def test_dois_ao_mesmo_tempo_um_servidor_e_depois_reusado(self):
        casa = self.casa("casa")
        porta = porta_livre()
        a = self.lancar(casa, ZUMBREL_PGPORT=str(porta))
        b = self.lancar(casa, ZUMBREL_PGPORT=str(porta))
        logins = self.esperar_janelas(LOGIN, 2)

        local = self.banco_de(casa, porta)
        dados = os.path.join(local.base, "data")
        self.assertEqual(os.stat(dados).st_uid, self.conta.pw_uid)
        self.assertEqual(local.sql("select current_setting('fsync'), current_setting('data_checksums')"), "on|on")
        servidor = local.pid_servidor()
        self.assertIsNotNone(servidor)
        # One server: every process of the cluster is it or its child.
        # A backend that ends between the listing and the reading of its
        # parent (psql's, just now) is no longer of the cluster.
        for pid in processos_do_cluster(dados):
            try:
                with open("/proc/%d/stat" % pid) as f:
                    pai = int(f.read().rsplit(")", 1)[1].split()[1])
            except FileNotFoundError:
                continue
            self.assertIn(servidor, (pid, pai))

        # A new database: the first program up asks for its administrator,
        # the other's question is closed once there is one.
        perguntas = self.esperar_janelas("Primeiro Acesso", 2)
        digitar(perguntas[0], "Administrador", "<Return>", "admin", "<Return>", SENHA, "<Return>", SENHA, "<Return>")
        self.assertTrue(esperar(lambda: len(janelas("Primeiro Acesso")) == 1, tempo=30))
        digitar(janelas("Primeiro Acesso")[0], "<Escape>")
        self.assertTrue(esperar(lambda: not janelas("Primeiro Acesso"), tempo=30))
        self.assertEqual(local.sql("select count(*) from cadastro.usuario"), "1")
        principais = [self.entrar(j) for j in logins]
        local.sql("insert into cadastro.florada (nome_florada) values ('Do primeiro dia')")
        # Made, for the next start, a database of a version before the beehives.
        local.sql(antes_das_colmeias())
        digitar(principais[0], "<alt+F4>")
        self.assertTrue(esperar(lambda: a.poll() is not None or b.poll() is not None, tempo=30))
        primeiro, segundo = (a, b) if a.poll() is not None else (b, a)
        saida, _ = self.terminar(primeiro)
        self.assertEqual(saida, "")
        # The other program still uses the server: it stays, and still works.
        self.assertEqual(local.pid_servidor(), servidor)
        self.assertEqual(local.sql_programa("select count(*) from cadastro.florada "
                                            "where nome_florada = 'Do primeiro dia'"), "1")
        digitar(principais[1], "<alt+F4>")
        saida, _ = self.terminar(segundo)
        self.assertEqual(saida, "")
        # The trace of both went to the private log, not to the session.
        registro = os.path.join(local.base, "zumbrel.log")
        estado = os.stat(registro)
        self.assertEqual((estado.st_mode & 0o777, estado.st_uid), (0o600, self.conta.pw_uid))
        with open(registro) as f:
            texto = f.read()
        self.assertTrue(texto.startswith("Conectado com sucesso!\n"), texto[:200])
        self.assertEqual((texto.count("Conectado com sucesso!\n"), texto.count("Acesso Garantido!")), (2, 2))
        self.assertTrue(esperar(lambda: not processos_do_cluster(dados), tempo=30), "the server was not stopped")
        backups = local.backups()
        self.assertGreaterEqual(len(backups), 1)

        # A second start: the same database, no sample data loaded again.
        criado = os.stat(os.path.join(local.base, "initdb.log")).st_mtime
        c = self.lancar(casa, ZUMBREL_PGPORT=str(porta))
        principal = self.entrar(self.esperar_janelas(LOGIN, 1)[0])
        self.assertEqual(os.stat(os.path.join(local.base, "initdb.log")).st_mtime, criado)
        self.assertEqual(local.sql("select count(*) from cadastro.florada where nome_florada = 'Do primeiro dia'"),
                         "1")
        self.assertEqual(local.sql("select count(*) from cadastro.usuario where login = 'admin'"), "1")
        self.assertEqual(local.sql("select count(*) from pg_tables where schemaname = 'cadastro' "
                                   "and tablename in ('colmeia', 'revisao')"), "2")
        digitar(principal, "<alt+F4>")
        self.terminar(c)
        self.assertTrue(esperar(lambda: not processos_do_cluster(dados), tempo=30))
        self.assertEqual(len(local.backups()), len(backups) + 1)

    def test_conf_de_outro_servidor_e_usada_e_nada_criado(self):
        ambiente = os.environ
        banco = "lancador_%d" % os.getpid()
        superusuario = Local(self.raiz)
        superusuario.porta = int(ambiente["ZUMBREL_TEST_PORT"])
        superusuario.host = ambiente["ZUMBREL_TEST_HOST"]
        superusuario.senha = lambda base=None: ambiente["ZUMBREL_TEST_SUPERPASS"]
        superusuario.sql("create database %s template %s" % (banco, ambiente["ZUMBREL_TEST_TEMPLATE"]),
                         banco="postgres")
        self.addCleanup(superusuario.sql, "drop database if exists %s with (force)" % banco, banco="postgres")

        casa = self.casa("casa-externa")
        pasta = os.path.join(casa, ".local", "share", "zumbrel")
        os.makedirs(os.path.join(pasta, "conf"))
        with open(os.path.join(pasta, "conf", "db.conf"), "w") as f:
            f.write("host=%s\nbanco=%s\nusuario=%s\nsenha=%s\nssl=0\n" % (
                ambiente["ZUMBREL_TEST_HOST"], banco, ambiente["ZUMBREL_TEST_USER"], ambiente["ZUMBREL_TEST_PASS"]))
        if RAIZ:
            for raiz, pastas, arquivos in os.walk(casa):
                for nome in [raiz] + [os.path.join(raiz, a) for a in arquivos]:
                    os.chown(nome, self.conta.pw_uid, self.conta.pw_gid)

        p = self.lancar(casa, PGPORT=ambiente["ZUMBREL_TEST_PORT"])
        principal = self.entrar(self.esperar_janelas(LOGIN, 1)[0], "admin")
        digitar(principal, "<alt+F4>")
        saida, _ = self.terminar(p)
        self.assertEqual(saida, "")
        self.assertEqual(sorted(os.listdir(pasta)), ["conf", "zumbrel.log"])
        with open(os.path.join(pasta, "zumbrel.log")) as f:
            self.assertTrue(f.read().startswith("Conectado com sucesso!\n"))
        self.assertEqual(os.listdir(os.path.join(pasta, "conf")), ["db.conf"])


class Registro(unittest.TestCase):
    """The log the launcher writes the program's trace to: private, rotated
    at its size keeping the newest files, never written through a link, and
    read to its end whatever signal ends the session."""

    REGISTRO = os.path.join(TOPO, "scripts", "lib", "registro.py")

    def setUp(self):
        self.pasta = pasta_temporaria("zumbrel-registro.")
        self.addCleanup(remover, self.pasta)
        self.caminho = os.path.join(self.pasta, "zumbrel.log")

    def registrar(self, entrada, maximo=250, arquivos=3):
        return subprocess.run(["python3", self.REGISTRO, self.caminho], input=entrada, capture_output=True,
                              env=dict(os.environ, ZUMBREL_REGISTRO_MAX=str(maximo),
                                       ZUMBREL_REGISTRO_ARQUIVOS=str(arquivos)), timeout=60)

    def arquivos(self):
        lidos = {}
        for nome in sorted(os.listdir(self.pasta)):
            caminho = os.path.join(self.pasta, nome)
            if not nome.startswith(".") and not os.path.islink(caminho):
                with open(caminho, "rb") as f:
                    lidos[nome] = (os.stat(caminho).st_mode & 0o777, f.read())
        return lidos

    def test_gira_pelo_tamanho_e_guarda_os_ultimos(self):
        linhas = [(b"linha %02d " % n).ljust(99, b".") + b"\n" for n in range(10)]
        # An old log readable by all becomes private, and keeps what it had.
        with open(self.caminho, "wb") as f:
            f.write(b"antiga\n")
        os.chmod(self.caminho, 0o644)
        r = self.registrar(b"".join(linhas[:1]))
        self.assertEqual((r.returncode, r.stdout), (0, b""))
        self.assertEqual(self.arquivos(), {"zumbrel.log": (0o600, b"antiga\n" + linhas[0])})
        # Two lines of 100 bytes fill a file of 250: each later pair starts
        # a new one, and only the three newest files stay.
        r = self.registrar(b"".join(linhas[1:]))
        self.assertEqual((r.returncode, r.stdout), (0, b""))
        self.assertEqual(self.arquivos(), {"zumbrel.log": (0o600, b"".join(linhas[8:10])),
                                           "zumbrel.log.1": (0o600, b"".join(linhas[6:8])),
                                           "zumbrel.log.2": (0o600, b"".join(linhas[4:6]))})

    def test_link_no_lugar_do_registro_nao_e_seguido(self):
        alvo = os.path.join(self.pasta, "alvo")
        with open(alvo, "wb") as f:
            f.write(b"intocado\n")
        os.symlink(alvo, self.caminho)
        r = self.registrar(b"Conectado com sucesso!\n")
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stdout, b"Conectado com sucesso!\n")
        self.assertIn("não pôde ser aberto", r.stderr.decode())
        with open(alvo, "rb") as f:
            self.assertEqual(f.read(), b"intocado\n")

    def test_sinais_da_sessao_nao_o_param(self):
        p = subprocess.Popen(["python3", self.REGISTRO, self.caminho], stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        p.stdin.write(b"antes\n")
        p.stdin.flush()
        self.assertTrue(esperar(lambda: os.path.exists(self.caminho) and os.path.getsize(self.caminho) > 0))
        for s in (signal.SIGHUP, signal.SIGTERM, signal.SIGINT):
            p.send_signal(s)
        p.stdin.write(b"depois\n")
        saida, _ = p.communicate(timeout=30)
        self.assertEqual((p.returncode, saida), (0, b""))
        with open(self.caminho, "rb") as f:
            self.assertEqual(f.read(), b"antes\ndepois\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
