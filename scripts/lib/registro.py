#!/usr/bin/env python3
"""Writes what comes on standard input (the program's trace) to a private
log file, rotated: when a line would take the file past its size, the file
becomes FILE.1, the old FILE.1 becomes FILE.2, and so on, keeping FILE and
the KEEP - 1 before it. Used by the launcher, so that the statements the
program traces go to a file of the user's alone (mode 0600) instead of the
desktop session's log.

Usage: registro.py FILE
Environment: ZUMBREL_REGISTRO_MAX (bytes per file, 4 MiB by default),
ZUMBREL_REGISTRO_ARQUIVOS (files kept, 3 by default).

It never stops the program: the signals that end a session are left to the
program, whose output is read to its end; a file that cannot be written
(a link in its place, say) is said on standard error, and the trace then
goes to standard output as before.
"""
import fcntl
import os
import signal
import sys

MAXIMO = 4 * 1024 * 1024
ARQUIVOS = 3


def abrir(caminho):
    """The log file for appending, made private; never through a link."""
    fd = os.open(caminho, os.O_WRONLY | os.O_APPEND | os.O_CREAT | os.O_NOFOLLOW | os.O_CLOEXEC, 0o600)
    os.fchmod(fd, 0o600)
    return fd


class Registro:
    def __init__(self, caminho, maximo, arquivos):
        self.caminho = caminho
        self.maximo = maximo
        self.arquivos = max(arquivos, 1)
        self.fd = abrir(caminho)

    def trava(self):
        """Another launcher's program may write the same log: one rotation
        at a time."""
        fd = os.open(os.path.join(os.path.dirname(self.caminho) or ".",
                                  "." + os.path.basename(self.caminho) + ".lock"),
                     os.O_WRONLY | os.O_CREAT | os.O_NOFOLLOW | os.O_CLOEXEC, 0o600)
        fcntl.flock(fd, fcntl.LOCK_EX)
        return fd

    def girar(self, falta):
        """Rotates, unless the other writer did meanwhile (then this one
        only goes on in the new file)."""
        trava = self.trava()
        try:
            atual = os.fstat(self.fd)
            try:
                no_lugar = os.lstat(self.caminho)
            except FileNotFoundError:
                no_lugar = None
            if no_lugar and (no_lugar.st_ino, no_lugar.st_dev) == (atual.st_ino, atual.st_dev) \
                    and no_lugar.st_size > 0 and no_lugar.st_size + falta > self.maximo:
                for n in range(self.arquivos - 1, 0, -1):
                    antigo = self.caminho if n == 1 else "%s.%d" % (self.caminho, n - 1)
                    if os.path.lexists(antigo):
                        os.replace(antigo, "%s.%d" % (self.caminho, n))
                if self.arquivos == 1:
                    os.unlink(self.caminho)
            os.close(self.fd)
            self.fd = abrir(self.caminho)
        finally:
            os.close(trava)

    def escrever(self, linha):
        tamanho = os.fstat(self.fd).st_size
        if tamanho > 0 and tamanho + len(linha) > self.maximo:
            self.girar(len(linha))
        os.write(self.fd, linha)


def main(args):
    if len(args) != 1:
        print("uso: registro.py ARQUIVO", file=sys.stderr)
        return 2
    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, signal.SIG_IGN)
    entrada = sys.stdin.buffer
    try:
        registro = Registro(args[0], int(os.environ.get("ZUMBREL_REGISTRO_MAX", MAXIMO)),
                            int(os.environ.get("ZUMBREL_REGISTRO_ARQUIVOS", ARQUIVOS)))
    except OSError as e:
        print("zumbrel: o registro %s não pôde ser aberto (%s); a saída do programa vai para a sessão."
              % (args[0], e.strerror), file=sys.stderr)
        registro = None
    for linha in entrada:
        if registro:
            try:
                registro.escrever(linha)
                continue
            except OSError as e:
                print("zumbrel: o registro %s não pôde ser escrito (%s); a saída do programa vai para a sessão."
                      % (args[0], e.strerror), file=sys.stderr)
                registro = None
        sys.stdout.buffer.write(linha)
        sys.stdout.buffer.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
