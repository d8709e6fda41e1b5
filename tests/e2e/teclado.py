"""Typing into the program's windows as a person does, with xdotool: for
the end-to-end test and the test of the installed launcher."""
import subprocess
import time


def xdotool(*args, check=True):
    return subprocess.run(["xdotool", *args], check=check, capture_output=True, text=True,
                          timeout=30).stdout.strip()


def digitar(id_janela, *teclas):
    """Focuses the window and types: plain texts are typed, names in <> are keys."""
    xdotool("windowfocus", "--sync", id_janela)
    for t in teclas:
        if t.startswith("<") and t.endswith(">"):
            xdotool("key", "--clearmodifiers", t[1:-1])
        else:
            xdotool("type", "--delay", "20", t)
        time.sleep(0.05)
