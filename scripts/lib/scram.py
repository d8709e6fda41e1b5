#!/usr/bin/env python3
"""The SCRAM-SHA-256 verifier of a password, as PostgreSQL keeps it in
pg_authid: SCRAM-SHA-256$<iterations>:<salt>$<StoredKey>:<ServerKey>, each
part in base64 (RFC 5802 and RFC 7677, the key derivations of the standard
library only). ALTER ROLE ... PASSWORD with this text stores it as it is, so
that the password itself never goes to the server.

Usage: scram.py FILE   prints the verifier of the password FILE holds (its
                       first line), with a new random salt.
"""
import base64
import hashlib
import hmac
import os
import sys

ITERACOES = 4096   # PostgreSQL's own (scram_iterations)


def verificador(senha, sal=None, iteracoes=ITERACOES):
    """The verifier of `senha` with `sal` (16 random bytes when None).
    PostgreSQL normalizes a password with SASLprep, which leaves pure ASCII
    as it is; other text is refused here rather than hashed differently."""
    if not senha.isascii():
        raise ValueError("a senha precisa ser de caracteres ASCII")
    if sal is None:
        sal = os.urandom(16)
    salgada = hashlib.pbkdf2_hmac("sha256", senha.encode(), sal, iteracoes)
    chave_cliente = hmac.new(salgada, b"Client Key", hashlib.sha256).digest()
    guardada = hashlib.sha256(chave_cliente).digest()
    chave_servidor = hmac.new(salgada, b"Server Key", hashlib.sha256).digest()
    b64 = lambda b: base64.b64encode(b).decode()
    return "SCRAM-SHA-256$%d:%s$%s:%s" % (iteracoes, b64(sal), b64(guardada), b64(chave_servidor))


def main(args):
    if len(args) != 1:
        print("uso: scram.py ARQUIVO", file=sys.stderr)
        return 2
    with open(args[0], encoding="utf-8") as f:
        senha = f.readline().rstrip("\n")
    if not senha:
        print("%s não tem senha." % args[0], file=sys.stderr)
        return 1
    try:
        print(verificador(senha))
    except ValueError as e:
        print("%s: %s." % (args[0], e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
