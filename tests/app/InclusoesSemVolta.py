#!/usr/bin/env python3
"""The window composes its tabs: no unit of app/ (a header with its source) includes, directly or through
other units of app/, a unit that includes it back."""
import pathlib
import re
import sys

pasta = pathlib.Path(sys.argv[1])
inclui = {}
for arquivo in list(pasta.glob("*.h")) + list(pasta.glob("*.cpp")):
    unidade = arquivo.stem
    alvos = re.findall(r'#include\s+"app/(\w+)\.h"', arquivo.read_text(encoding="utf-8"))
    inclui.setdefault(unidade, set()).update(a for a in alvos if a != unidade)


def alcanca(origem):
    vistos, pendentes = set(), [origem]
    while pendentes:
        for alvo in inclui.get(pendentes.pop(), ()):
            if alvo not in vistos:
                vistos.add(alvo)
                pendentes.append(alvo)
    return vistos


ciclos = sorted(u for u in inclui if u in alcanca(u))
if ciclos:
    print("units of app/ that include themselves back:", ", ".join(ciclos))
    sys.exit(1)
