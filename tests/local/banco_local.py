"""Helpers of the tests of the local database, the launcher and the
package: a local database made by scripts/db in a temporary XDG folder on a
free port (never the user's), and reading it as its superuser."""
import os
import pwd
import re
import shutil
import socket
import subprocess
import tempfile
import time

TOPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RAIZ = os.geteuid() == 0
BIN_PG = "/usr/lib/postgresql/15/bin"


def antes_das_colmeias():
    """The SQL that turns a database of this version into one made before
    the beehives (and so before the hive's journal and queen rearing)."""
    texto = ""
    for nome in ("antes_da_empresa.sql", "antes_da_criacao.sql", "antes_dos_lotes.sql", "antes_do_diario.sql",
                 "antes_das_colmeias.sql"):
        with open(os.path.join(TOPO, "tests", "dados", nome)) as f:
            texto += f.read() + "\n"
    return texto


def porta_livre():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def pasta_temporaria(prefixo):
    """A temporary folder the postgres user (which runs the server when we
    are root) can pass through."""
    pasta = tempfile.mkdtemp(prefix=prefixo)
    os.chmod(pasta, 0o755)
    return pasta


def copiar_checkout(pasta):
    """A checkout of the project's scripts and SQL files made in `pasta`
    (mode 0755), for a database started from somewhere else; returns it."""
    os.mkdir(pasta)
    os.chmod(pasta, 0o755)
    shutil.copytree(os.path.join(TOPO, "scripts"), os.path.join(pasta, "scripts"))
    shutil.copytree(os.path.join(TOPO, "sql"), os.path.join(pasta, "sql"))
    return pasta


def sem_restricoes(texto):
    """A plain dump without the random key pg_dump puts on its \\restrict
    lines, so that two dumps of the same records compare equal."""
    return re.sub(r"^\\(un)?restrict .*$", "", texto, flags=re.M)


def processos_do_cluster(dados):
    """Pids of the processes working in a cluster's data folder."""
    dados = os.path.realpath(dados)
    pids = []
    for p in os.listdir("/proc"):
        if not p.isdigit():
            continue
        try:
            if os.readlink("/proc/%s/cwd" % p) == dados:
                pids.append(int(p))
        except OSError:
            pass
    return pids


def esperar(condicao, tempo=30, passo=0.1):
    fim = time.time() + tempo
    while time.time() < fim:
        if condicao():
            return True
        time.sleep(passo)
    return condicao()


class Local:
    """A local database of scripts/db (or of a copy of the scripts, TOPO)
    with XDG_DATA_HOME and HOME in a temporary folder, on a free port."""

    def __init__(self, raiz, topo=TOPO):
        self.raiz = raiz
        self.topo = topo
        self.xdg = os.path.join(raiz, "share")
        self.base = os.path.join(self.xdg, "zumbrel")
        self.porta = porta_livre()
        # Where the superuser connects: the cluster's socket folder, unless
        # set (a TCP address, for the test command's cluster).
        self.host = None
        self.env = dict(os.environ, XDG_DATA_HOME=self.xdg, HOME=os.path.join(raiz, "home"),
                        ZUMBREL_PGPORT=str(self.porta), LC_ALL="C.UTF-8")
        for nome in ("DISPLAY", "PGHOST", "PGPORT", "PGUSER", "PGDATABASE", "PGPASSWORD",
                     "ZUMBREL_BACKUP_RESERVA_MB"):
            self.env.pop(nome, None)

    def db(self, *args, entrada=None, env=None, tempo=180):
        """Runs scripts/db; stdin is not a terminal."""
        return subprocess.run([os.path.join(self.topo, "scripts", "db"), *args],
                              env=dict(self.env, **(env or {})), input=entrada,
                              stdin=None if entrada is not None else subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=tempo)

    def db_ok(self, *args, **kw):
        r = self.db(*args, **kw)
        assert r.returncode == 0, "scripts/db %s: %d\n%s%s" % (" ".join(args), r.returncode, r.stdout, r.stderr)
        return r

    def senha(self, base=None):
        with open(os.path.join(base or self.base, "superuser.senha")) as f:
            return f.read().strip()

    def soquete(self, base=None):
        return self.host or os.path.join(base or self.base, "run")

    def sql(self, comando, banco="zumbrel", base=None):
        """Runs SQL as the cluster's superuser; returns the unaligned rows."""
        r = subprocess.run(["psql", "-X", "-q", "-At", "-v", "ON_ERROR_STOP=1", "-h", self.soquete(base),
                            "-p", str(self.porta), "-U", "postgres", "-d", banco, "-c", comando],
                           env=dict(self.env, PGPASSWORD=self.senha(base)),
                           capture_output=True, text=True, timeout=60)
        assert r.returncode == 0, r.stderr
        return r.stdout.strip()

    def sql_programa(self, comando, pasta_conf=None):
        """Runs SQL as the program does: with the user and password of the
        conf/db.conf written for the cluster."""
        with open(os.path.join(pasta_conf or self.base, "conf", "db.conf")) as f:
            linhas = f.read().split("\n")
        valor = lambda i: linhas[i].split("=", 1)[1]
        r = subprocess.run(["psql", "-X", "-q", "-At", "-v", "ON_ERROR_STOP=1", "-h", valor(0),
                            "-p", str(self.porta), "-U", valor(2), "-d", valor(1), "-c", comando],
                           env=dict(self.env, PGPASSWORD=valor(3)),
                           capture_output=True, text=True, timeout=60)
        assert r.returncode == 0, r.stderr
        return r.stdout.strip()

    def dump(self, base=None, opcoes=()):
        """Every schema and row of the program's database, as plain SQL
        (`opcoes`: more options of pg_dump)."""
        r = subprocess.run([os.path.join(BIN_PG, "pg_dump"), "-h", self.soquete(base), "-p", str(self.porta),
                            "-U", "postgres", "-d", "zumbrel", *opcoes],
                           env=dict(self.env, PGPASSWORD=self.senha(base)),
                           capture_output=True, text=True, timeout=120)
        assert r.returncode == 0, r.stderr
        return sem_restricoes(r.stdout)

    def esperar_backup(self, base=None):
        """Waits for the automatic backup of the last start to end."""
        subprocess.run(["flock", os.path.join(base or self.base, ".backup.lock"), "true"],
                       check=True, timeout=180)

    def backups(self, base=None):
        pasta = os.path.join(base or self.base, "backups")
        return sorted(os.listdir(pasta)) if os.path.isdir(pasta) else []

    def pid_servidor(self, base=None):
        """The running server's pid, or None."""
        dados = os.path.join(base or self.base, "data")
        try:
            with open(os.path.join(dados, "postmaster.pid")) as f:
                pid = int(f.readline())
            return pid if os.readlink("/proc/%d/cwd" % pid) == os.path.realpath(dados) else None
        except (OSError, ValueError):
            return None

    def parar(self, base=None):
        """Stops the server whatever state the test left it in."""
        dados = os.path.join(base or self.base, "data")
        if os.path.exists(os.path.join(dados, "postmaster.pid")) and self.pid_servidor(base):
            comando = [os.path.join(BIN_PG, "pg_ctl"), "-D", dados, "-m", "immediate", "-w", "stop"]
            if RAIZ and os.stat(dados).st_uid != 0:
                comando = ["runuser", "-u", pwd.getpwuid(os.stat(dados).st_uid).pw_name, "--"] + comando
            subprocess.run(comando, capture_output=True, timeout=60, cwd="/")


def iniciar_grupo(cls, prefixo, florada):
    """One local database for a whole test class, in cls.raiz as cls.local:
    started, backed up, and holding a floral source named `florada`. It goes
    with the class."""
    cls.raiz = pasta_temporaria(prefixo)
    cls.addClassCleanup(remover, cls.raiz)
    cls.local = Local(cls.raiz)
    cls.addClassCleanup(cls.local.parar)
    cls.local.db_ok("start")
    cls.local.esperar_backup()
    cls.local.sql_programa("insert into cadastro.florada (nome_florada) values ('%s')" % florada)


def remover(pasta):
    shutil.rmtree(pasta, ignore_errors=True)
