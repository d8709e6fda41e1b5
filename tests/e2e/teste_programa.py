#!/usr/bin/env python3
"""The built program end to end, as a person uses it: started under the X
server of the test command with a conf/db.conf for a fresh test database,
typed into with xdotool, and closed. Checks the exit status, the console lines
and what the database holds."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from teclado import digitar, xdotool

PROGRAMA = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
AMBIENTE = os.environ


def psql(banco, sql):
    env = dict(AMBIENTE, PGPASSWORD=AMBIENTE["ZUMBREL_TEST_SUPERPASS"])
    return subprocess.run(
        ["psql", "-X", "-At", "-v", "ON_ERROR_STOP=1", "-h", AMBIENTE["ZUMBREL_TEST_HOST"],
         "-p", AMBIENTE["ZUMBREL_TEST_PORT"], "-U", "postgres", "-d", banco, "-c", sql],
        env=env, check=True, capture_output=True, text=True).stdout.strip()


def janela(titulo, tempo=15):
    """Waits for a visible window with exactly this title; returns its id."""
    fim = time.time() + tempo
    while time.time() < fim:
        ids = xdotool("search", "--onlyvisible", "--name", "^" + titulo + "$", check=False)
        if ids:
            return ids.split()[-1]
        time.sleep(0.1)
    raise AssertionError("window %r never showed up" % titulo)


def dialogo(tempo=15):
    """Waits for the message dialog over the login window (its only other
    visible window) and returns its id."""
    fim = time.time() + tempo
    while time.time() < fim:
        ids = xdotool("search", "--onlyvisible", "--class", "zumbrel", check=False).split()
        login = xdotool("search", "--onlyvisible", "--name", "^Acesso ao Sistema$", check=False).split()
        outros = [i for i in ids if i not in login]
        if login and outros:
            return outros[-1]
        time.sleep(0.1)
    raise AssertionError("the message dialog never showed up")


def nova_janela(conhecidas, tempo=15):
    """Waits for a visible window of the program other than those given
    (a message dialog, say) and returns its id."""
    fim = time.time() + tempo
    while time.time() < fim:
        ids = [i for i in xdotool("search", "--onlyvisible", "--class", "zumbrel", check=False).split()
               if i not in conhecidas]
        if ids:
            return ids[-1]
        time.sleep(0.1)
    raise AssertionError("no new window showed up")


def esperar_sumir(id_janela, tempo=15):
    fim = time.time() + tempo
    while time.time() < fim:
        if id_janela not in xdotool("search", "--onlyvisible", "--class", "zumbrel", check=False).split():
            return True
        time.sleep(0.1)
    return False


class Programa(unittest.TestCase):
    def setUp(self):
        self.banco = "e2e_%d" % os.getpid()
        psql("postgres", "create database %s template %s" % (self.banco, AMBIENTE["ZUMBREL_TEST_TEMPLATE"]))
        self.pasta = tempfile.mkdtemp(prefix="zumbrel-e2e.")
        os.mkdir(os.path.join(self.pasta, "conf"))

    def tearDown(self):
        shutil.rmtree(self.pasta, ignore_errors=True)
        psql("postgres", "drop database if exists %s with (force)" % self.banco)

    def escrever_conf(self, senha=None):
        with open(os.path.join(self.pasta, "conf", "db.conf"), "w") as f:
            f.write("host=%s\nbanco=%s\nusuario=%s\nsenha=%s\nssl=0\n" % (
                AMBIENTE["ZUMBREL_TEST_HOST"], self.banco, AMBIENTE["ZUMBREL_TEST_USER"],
                senha if senha is not None else AMBIENTE["ZUMBREL_TEST_PASS"]))

    def iniciar(self):
        env = dict(AMBIENTE, LC_ALL="C.UTF-8")
        self.processo = subprocess.Popen([PROGRAMA], cwd=self.pasta, env=env,
                                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def terminar(self):
        try:
            saida, erros = self.processo.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            self.processo.kill()
            saida, erros = self.processo.communicate()
            self.fail("the program did not end; console:\n" + saida + erros)
        return self.processo.returncode, saida

    def test_login_errado_depois_certo_abre_e_fecha_com_zero(self):
        self.escrever_conf()
        guardada = self.senha_guardada()
        self.iniciar()
        login = janela("Acesso ao Sistema")
        digitar(login, "admin", "<Return>", "errada", "<Return>", "<Return>")
        digitar(dialogo(), "<Escape>")
        time.sleep(0.3)
        digitar(login, "admin", "<Return>", "admin", "<Return>", "<Return>")
        principal = janela("Sistema de Controle de Zumbrel")
        # The sample password: the password window opens at once. The
        # current password, the new one twice, and "Alterar".
        senha = janela(" Trocar de Senha ")
        nova = "Jatai-%d" % os.getpid()
        digitar(senha, "admin", "<Return>", nova, "<Return>", nova, "<Return>", "<Return>")
        digitar(nova_janela([login, principal, senha]), "<Return>")   # "Senha Atualizada !!!! "
        self.assertTrue(esperar_sumir(senha), "the password window did not close")
        digitar(principal, "<ctrl+p>")
        janela("Cadastro de Apiários")
        digitar(principal, "<alt+F4>")
        codigo, saida = self.terminar()
        self.assertEqual(codigo, 0, saida)
        self.assertTrue(saida.startswith("Conectado com sucesso!\n"), saida)
        self.assertIn("Verifique seu usuário e senha!\n", saida)
        self.assertIn("admin\nAcesso Garantido!\n", saida)
        self.assertLess(saida.index("Verifique seu usuário e senha!"), saida.index("Acesso Garantido!"))
        # The login reads the user by the login alone; the new password is
        # stored salted, and the console shows neither it nor what is stored.
        self.assertIn(" where u.login='admin'\n", saida)
        self.assertIn("update cadastro.usuario set  senha='********' WHERE id_usuario=1\n", saida)
        self.assertIn("Senha Atualizada com sucesso", saida)
        agora = self.senha_guardada()
        self.assertTrue(agora.startswith("$argon2id+sha256$"), agora)
        self.assertNotEqual(agora, guardada)
        for segredo in (nova, "errada", agora, guardada, agora.rsplit("$", 1)[1]):
            self.assertNotIn(segredo, saida)

    def senha_guardada(self, login="admin"):
        """The administrator's password as the database keeps it, where the
        program's role cannot read it."""
        return psql(self.banco, "select forma from seguranca.credencial join cadastro.usuario "
                                "using (id_usuario) where login = '%s'" % login)

    def test_banco_novo_pede_o_administrador_antes_do_login(self):
        psql(self.banco, "set session_replication_role = replica; delete from seguranca.credencial; "
                         "delete from cadastro.usuario")
        self.escrever_conf()
        self.iniciar()
        login = janela("Acesso ao Sistema")
        primeiro = janela("Primeiro Acesso")
        # A password shorter than the rule: said in the dialog, which stays.
        digitar(primeiro, "Dona Abelha", "<Return>", "dona", "<Return>", "curta", "<Return>", "curta", "<Return>")
        time.sleep(0.5)
        self.assertIn(primeiro, xdotool("search", "--onlyvisible", "--name", "^Primeiro Acesso$").split())
        digitar(primeiro, "<ctrl+a>", "mel de jatai", "<shift+Tab>", "<ctrl+a>", "mel de jatai", "<Return>",
                "<Return>")
        self.assertTrue(esperar_sumir(primeiro), "the first-access dialog did not close")
        # The login is filled in: Enter to the password, and in.
        digitar(login, "<Return>", "mel de jatai", "<Return>", "<Return>")
        principal = janela("Sistema de Controle de Zumbrel")
        digitar(principal, "<alt+F4>")
        codigo, saida = self.terminar()
        self.assertEqual(codigo, 0, saida)
        self.assertIn("dona\nAcesso Garantido!\n", saida)
        self.assertNotIn("mel de jatai", saida)
        self.assertTrue(self.senha_guardada("dona").startswith("$argon2id+sha256$"))
        self.assertEqual(psql(self.banco, "select nome || ' ' || id_acesso from cadastro.usuario"), "Dona Abelha 1")

    def test_sem_banco_a_janela_abre_e_todo_login_falha(self):
        self.escrever_conf(senha="nao-e-esta")
        self.iniciar()
        login = janela("Acesso ao Sistema")
        digitar(login, "admin", "<Return>", "admin", "<Return>", "<Return>")
        digitar(dialogo(), "<Escape>")
        time.sleep(0.3)
        xdotool("search", "--onlyvisible", "--name", "^Acesso ao Sistema$")
        digitar(login, "<Tab>", "<Tab>", "<Tab>", "<Return>")   # focus to Cancelar, press it
        codigo, saida = self.terminar()
        self.assertEqual(codigo, 0, saida)
        self.assertTrue(saida.startswith("Falha ao conectar!\n"), saida)
        self.assertIn("Verifique seu usuário e senha!\n", saida)
        self.assertNotIn("Acesso Garantido!", saida)


if __name__ == "__main__":
    unittest.main(verbosity=2)
