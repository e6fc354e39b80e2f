"""Starts the program repeatedly and times each start until its main window is mapped on the X server."""
import statistics
import subprocess
import sys
import time

from Xlib import X, display

TITULO = "Ruvenal 1.0.0.34"


def uma_vez(tela, programa):
    raiz = tela.screen().root
    raiz.change_attributes(event_mask=X.SubstructureNotifyMask)
    tela.sync()
    inicio = time.perf_counter()
    processo = subprocess.Popen([programa])
    try:
        while True:
            evento = tela.next_event()
            if evento.type != X.MapNotify:
                continue
            nome = evento.window.get_wm_name() or ""
            if isinstance(nome, bytes):
                nome = nome.decode("latin-1")
            if nome.startswith(TITULO):
                return time.perf_counter() - inicio
    finally:
        processo.terminate()
        processo.wait()


def main():
    programa, vezes = sys.argv[1], int(sys.argv[2])
    tela = display.Display()
    uma_vez(tela, programa)  # warms the page cache and the server
    tempos = [uma_vez(tela, programa) for _ in range(vezes)]
    print(f"start-up to main window shown: median {statistics.median(tempos) * 1000:.0f} ms "
          f"(min {min(tempos) * 1000:.0f}, max {max(tempos) * 1000:.0f}, {vezes} runs)")


if __name__ == "__main__":
    main()
