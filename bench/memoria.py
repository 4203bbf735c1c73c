#!/usr/bin/env python3
"""Memory and size: the resident memory of kelu.exe under Wine, with its
main window up, as a ratio to a minimal Win32 window program started
beside it; and the sizes of kelu.exe and notepad.exe in dist/kelu against
the 1 MB goal.
"""

import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import banco  # noqa: E402
from banco import Cifra

ASENTAR = 5
META = 1024 * 1024


def medir(a):
    kelu = a.iniciar_kelu({})
    minima, _ = banco.iniciar_minima(a)
    time.sleep(ASENTAR)
    k = banco.Proceso(kelu.proceso.pid).memoria_kb()
    m = banco.Proceso(minima.pid).memoria_kb()
    cifras = [
        Cifra("kelu.exe VmRSS", f"{k['VmRSS'] / 1024:.1f} MB (anonymous {k['RssAnon'] / 1024:.1f}, "
              f"files {k['RssFile'] / 1024:.1f}; Pss {k.get('Pss', 0) / 1024:.1f})", k),
        Cifra("minimal window VmRSS", f"{m['VmRSS'] / 1024:.1f} MB (anonymous {m['RssAnon'] / 1024:.1f}, "
              f"files {m['RssFile'] / 1024:.1f}; Pss {m.get('Pss', 0) / 1024:.1f})", m),
        Cifra("kelu.exe / minimal window", f"VmRSS x{k['VmRSS'] / m['VmRSS']:.2f}, "
              f"anonymous x{k['RssAnon'] / m['RssAnon']:.2f}, +{(k['VmRSS'] - m['VmRSS']) / 1024:.1f} MB"),
    ]
    total = 0
    for nombre in ("kelu.exe", "notepad.exe"):
        tamano = (banco.DIST / nombre).stat().st_size
        total += tamano
        cifras.append(Cifra(f"size of {nombre}", f"{tamano / 1024:.0f} KB ({tamano} bytes, "
                            f"{'within' if tamano <= META else 'OVER'} 1 MB)", {"bytes": tamano}))
    cifras.append(Cifra("both together", f"{total / 1024:.0f} KB ({'within' if total <= META else 'over'} 1 MB)"))
    return cifras


if __name__ == "__main__":
    banco.principal("memoria", medir)
