#!/usr/bin/env python3
"""Cost of the pad's feedback while the button is held: CPU time and
wake-ups of kelu.exe during a 10 s hold on the pad, with the pad's aids on
(the default: code, meter and chart) and with them off (the pad as the
design leaves it, white), each on a fresh KELU. Then the same over 10 s
after the release, while the letter gap counts down and past it. Read from
/proc of the Wine process, as the idle benchmark does.
"""

import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra

SOSTENER = 10
DESPUES = 10
ASENTAR = 3
SIN_AYUDAS = "\ufeffMostrarCodigo=0\r\nTablaCodigos=0\r\n".encode("utf-8")


def medir_una(a, rotulo, archivos):
    # The settings a person starts with (letter gap 2 s, no word gap).
    kelu = a.iniciar_kelu({}, archivos=archivos)
    time.sleep(ASENTAR)
    proceso = banco.Proceso(kelu.proceso.pid)
    x, y = kelu.punto_de_pulsacion()
    a.xdotool("mousemove", x, y)
    cifras = []
    for tramo, segundos in ((f"{SOSTENER} s held", SOSTENER), (f"{DESPUES} s after the release", DESPUES)):
        antes, despertares, inicio = proceso.cpu(), proceso.despertares()[0], time.monotonic()
        if tramo.endswith("held"):
            a.xdotool("mousedown", 1, "sleep", segundos, "mouseup", 1)
        else:
            time.sleep(segundos)
        transcurrido = time.monotonic() - inicio
        cpu = (proceso.cpu() - antes) * 1000
        voluntarios = proceso.despertares()[0] - despertares
        cifras.append(Cifra(f"kelu.exe, {rotulo}, {tramo}",
                            f"CPU {cpu:.0f} ms ({cpu / transcurrido / 10:.2f} % of a core), "
                            f"wake-ups <= {voluntarios / transcurrido:.1f}/s",
                            {"cpu_ms": cpu, "despertares": voluntarios, "segundos": transcurrido}))
    a.limpiar()
    return cifras


def medir(a):
    return medir_una(a, "pad aids on", None) + medir_una(a, "pad aids off", {"ayudas.ini": SIN_AYUDAS})


if __name__ == "__main__":
    banco.principal("pulsando", medir)
