"""scripts/municipios_ibge on small made-up data: districts folded into one
municipality, names kept as written, abbreviations taken from dados.json,
every disagreement refused, and the SQL it writes."""

import hashlib
import json
import os
import sys
import tempfile
import types
import unittest

# Nothing compiled is left beside the sources.
sys.dont_write_bytecode = True

TOPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def carregar_script():
    caminho = os.path.join(TOPO, "scripts", "municipios_ibge")
    # The script has no .py suffix: its text is run in a module of its own.
    modulo = types.ModuleType("municipios_ibge")
    modulo.__file__ = caminho
    with open(caminho, encoding="utf-8") as f:
        exec(compile(f.read(), caminho, "exec"), modulo.__dict__)
    return modulo


gerador = carregar_script()

# Three municipalities of two states; Dourados has three districts.
ORIGINAL = (
    "50\tMato Grosso do Sul\t03702\tDourados\n"
    "50\tMato Grosso do Sul\t03702\tDourados\n"
    "50\tMato Grosso do Sul\t02704\tCampo Grande\n"
    "50\tMato Grosso do Sul\t03702\tDourados\n"
    "11\tRondônia\t00015\tAlta Floresta D'Oeste"
)
JSON = {
    "MS": {"DOURADOS": "5003702", "CAMPOGRANDE": "5002704"},
    "RO": {"ALTAFLORESTADOESTE": "1100015"},
}


def ler(original=ORIGINAL, dados=None, total=3, estados=2):
    return gerador.municipios(original.encode("utf-8"),
                              json.dumps(JSON if dados is None else dados).encode("utf-8"),
                              total, estados)


class Leitura(unittest.TestCase):
    def test_distritos_viram_um_municipio_em_ordem_de_codigo(self):
        self.assertEqual(ler(), [("1100015", "Alta Floresta D'Oeste", "RO"),
                                 ("5002704", "Campo Grande", "MS"),
                                 ("5003702", "Dourados", "MS")])

    def test_recusa_o_que_nao_concorda(self):
        casos = {
            "dois nomes": (ORIGINAL + "\n50\tMato Grosso do Sul\t03702\tDouradina", JSON),
            "campos": ("50\tMato Grosso do Sul\t03702", JSON),
            "código curto": (ORIGINAL.replace("02704", "2704"), JSON),
            "nome com brancos": (ORIGINAL.replace("Campo Grande", "Campo Grande "), JSON),
            "nome decomposto": (ORIGINAL.replace("D'Oeste", "D'Oe\u0301ste"), JSON),
            "estado com dois nomes": (ORIGINAL.replace("50\tMato Grosso do Sul\t02704", "50\tMS\t02704"), JSON),
            "nome diferente no json": (ORIGINAL, {**JSON, "MS": {"DOURADOS": "5003702", "CAMPAGRANDE": "5002704"}}),
            "código fora do original": (ORIGINAL, {**JSON, "MT": {"CUIABA": "5103403"}}),
            "sem sigla": (ORIGINAL, {"MS": JSON["MS"]}),
            "sigla errada": (ORIGINAL, {"MS": JSON["MS"], "R0": JSON["RO"]}),
            "duas siglas num estado": (ORIGINAL, {"MS": {"DOURADOS": "5003702"}, "MT": {"CAMPOGRANDE": "5002704"},
                                                  "RO": JSON["RO"]}),
        }
        for nome, (original, dados) in casos.items():
            with self.subTest(nome), self.assertRaises(gerador.DadosInvalidos):
                ler(original, dados)

    def test_recusa_outra_contagem(self):
        with self.assertRaises(gerador.DadosInvalidos):
            ler(total=4)
        with self.assertRaises(gerador.DadosInvalidos):
            ler(estados=27)
        with self.assertRaises(UnicodeDecodeError):
            gerador.municipios("Rondônia".encode("latin-1"), b"{}", 0, 0)


class Sql(unittest.TestCase):
    def test_um_insert_com_aspas_dobradas_e_a_licenca(self):
        texto = gerador.sql(ler(), b"The MIT License (MIT)\n\nCopyright (c) 2014 Fulano\n")
        self.assertIn("-- The MIT License (MIT)\n--\n-- Copyright (c) 2014 Fulano\n", texto)
        self.assertEqual(texto.count("INSERT INTO"), 1)
        self.assertTrue(texto.endswith(
            "INSERT INTO cadastro.municipio (cod_cid, nome, estado) VALUES\n"
            "    (1100015, 'Alta Floresta D''Oeste', 'RO'),\n"
            "    (5002704, 'Campo Grande', 'MS'),\n"
            "    (5003702, 'Dourados', 'MS');\n"))


class Pacote(unittest.TestCase):
    def test_tarball_que_nao_e_o_publicado_e_recusado(self):
        with tempfile.NamedTemporaryFile(suffix=".tgz") as f:
            f.write(b"qualquer coisa")
            f.flush()
            with self.assertRaises(gerador.DadosInvalidos) as erro:
                gerador.ler_pacote(f.name)
            self.assertIn(hashlib.sha1(b"qualquer coisa").hexdigest(), str(erro.exception))


if __name__ == "__main__":
    sys.exit(unittest.main())
