#!/usr/bin/env python3
"""The .deb: built by CPack from the build folder into a temporary one, it
holds the program, the launcher, the database scripts, the SQL files, a
valid menu entry and the icons, and depends on PostgreSQL 15 and the
libraries the program links. Usage: teste_pacote.py BUILD_FOLDER."""
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from banco_local import TOPO, pasta_temporaria, remover  # noqa: E402

BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
LADOS = (16, 22, 24, 32, 48, 64, 128, 256)


class Pacote(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pasta = pasta_temporaria("zumbrel-pacote.")
        subprocess.run(["cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", cls.pasta],
                       check=True, capture_output=True, timeout=600)
        debs = glob.glob(os.path.join(cls.pasta, "*.deb"))
        assert len(debs) == 1, debs
        cls.deb = debs[0]
        cls.raiz = os.path.join(cls.pasta, "raiz")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.raiz], check=True)

    @classmethod
    def tearDownClass(cls):
        remover(cls.pasta)

    def campo(self, nome):
        return subprocess.run(["dpkg-deb", "-f", self.deb, nome], check=True, capture_output=True,
                              text=True).stdout.strip()

    def test_dependencias(self):
        self.assertEqual(self.campo("Package"), "zumbrel")
        dependencias = [d.strip().split(" ")[0] for d in self.campo("Depends").split(",")]
        for pacote in ("postgresql-15", "postgresql-client-15", "python3", "libpq5", "libgtkmm-2.4-1v5", "libc6",
                       "fonts-dejavu-core"):
            self.assertIn(pacote, dependencias)

    def test_arquivos(self):
        r = self.raiz
        programa = os.path.join(r, "usr/libexec/zumbrel/zumbrel")
        with open(programa, "rb") as f:
            self.assertEqual(f.read(4), b"\x7fELF")
        self.assertTrue(os.access(programa, os.X_OK))
        lancador = os.path.join(r, "usr/bin/zumbrel")
        self.assertTrue(os.access(lancador, os.X_OK))
        # The launcher's paths, relative to where it is, lead to the program and the scripts.
        with open(lancador) as f:
            texto = f.read()
        self.assertNotIn("@", texto.split("\n", 1)[1].replace("\"$@\"", ""))
        prefixo = re.search(r'^prefixo=.*\)"\)/(.*)" && pwd\)$', texto, re.M).group(1)
        prefixo = os.path.normpath(os.path.join(r, "usr/bin", prefixo))
        self.assertEqual(prefixo, os.path.join(r, "usr"))
        self.assertEqual(os.path.join(prefixo, re.search(r"^db=\$prefixo/(.*)$", texto, re.M).group(1)),
                         os.path.join(r, "usr/share/zumbrel/scripts/db"))
        self.assertEqual(os.path.join(prefixo, re.search(r"^programa=\$prefixo/(.*)$", texto, re.M).group(1)),
                         programa)
        self.assertEqual(os.readlink(os.path.join(r, "usr/bin/zumbrel-db")), "../share/zumbrel/scripts/db")
        self.assertTrue(os.path.isfile(os.path.join(r, "usr/bin", os.readlink(os.path.join(r, "usr/bin/zumbrel-db")))))
        migracoes = sorted(os.path.relpath(m, TOPO) for m in glob.glob(os.path.join(TOPO, "sql/migracoes/*.sql")))
        self.assertIn("sql/migracoes/001_colmeias.sql", migracoes)
        self.assertEqual(sorted(os.listdir(os.path.join(r, "usr/share/zumbrel/sql/migracoes"))),
                         [os.path.basename(m) for m in migracoes])
        for nome in ("scripts/db", "scripts/lib/pg.sh", "scripts/lib/backup.sh", "scripts/lib/scram.py",
                     "scripts/lib/registro.py", "sql/schema.sql",
                     "sql/administrador.sql", "sql/municipios.sql",
                     "sql/seed.sql", "sql/exemplo_manejo.sql", *migracoes):
            with open(os.path.join(r, "usr/share/zumbrel", nome), "rb") as f, open(os.path.join(TOPO, nome), "rb") as g:
                self.assertEqual(f.read(), g.read(), nome)
        self.assertTrue(os.access(os.path.join(r, "usr/share/zumbrel/scripts/db"), os.X_OK))

    def test_copyright(self):
        # Debian Policy 12.5, in the machine-readable format: a header, and
        # a Files paragraph with its copyright and license, readable by all.
        caminho = os.path.join(self.raiz, "usr/share/doc/zumbrel/copyright")
        self.assertEqual(os.stat(caminho).st_mode & 0o777, 0o644)
        with open(caminho, encoding="utf-8") as f, open(os.path.join(TOPO, "res", "copyright"), encoding="utf-8") as g:
            texto = f.read()
            self.assertEqual(texto, g.read())
        paragrafos = [dict(re.findall(r"^([A-Za-z-]+): *(.*)$", p, re.M)) for p in texto.strip().split("\n\n")]
        self.assertEqual(paragrafos[0]["Format"],
                         "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
        self.assertEqual(paragrafos[0]["Upstream-Name"], "zumbrel")
        self.assertEqual(paragrafos[1]["Files"], "*")
        self.assertTrue(paragrafos[1]["Copyright"])
        self.assertTrue(paragrafos[1]["License"])

    def test_entrada_do_menu_e_icones(self):
        entrada = os.path.join(self.raiz, "usr/share/applications/zumbrel.desktop")
        if shutil.which("desktop-file-validate"):
            r = subprocess.run(["desktop-file-validate", entrada], capture_output=True, text=True)
            self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        with open(entrada, encoding="utf-8") as f:
            campos = dict(linha.split("=", 1) for linha in f.read().splitlines() if "=" in linha)
        self.assertEqual(campos["Exec"], "zumbrel")
        self.assertEqual(campos["Icon"], "zumbrel")
        self.assertEqual(campos["Categories"], "Office;")
        self.assertIn("apiários", campos["Comment"])
        self.assertIn("Apiários", campos["GenericName"])
        for lado in LADOS:
            with open(os.path.join(self.raiz, "usr/share/icons/hicolor/%dx%d/apps/zumbrel.png" % (lado, lado)),
                      "rb") as f:
                cabeca = f.read(33)
            self.assertEqual(cabeca[:8], b"\x89PNG\r\n\x1a\n")
            self.assertEqual(cabeca[12:16], b"IHDR")
            largura, altura, bits, cor = struct.unpack(">IIBB", cabeca[16:26])
            self.assertEqual((largura, altura, bits, cor), (lado, lado, 8, 6), lado)


if __name__ == "__main__":
    unittest.main(verbosity=2)
