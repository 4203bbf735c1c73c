"""The release zip: unpacked into a folder whose path has blanks and an ñ,
KELU runs from it and keys into the editor it ships with."""

import subprocess
import zipfile

from arnes import AJUSTES_RAPIDOS, RAIZ, CasoE2E, Kelu, escribir_ini, esperar

EDITOR = "Sin título - Bloc de notas"


def teclear_sos_en_su_editor(caso, carpeta):
    """Starts the KELU of `carpeta`, opens its bundled editor with F6 and keys
    "sos" into it letter by letter; the running KELU, for more."""
    escribir_ini(carpeta, AJUSTES_RAPIDOS)
    kelu = Kelu(caso.arnes, carpeta)
    caso.arnes.escena.append(kelu)
    kelu.iniciar()
    kelu.esperar_principal()
    caso.arnes.enfocar(kelu.ventana)
    caso.arnes.teclas("F6")  # the bundled editor becomes the target
    caso.arnes.esperar_ventana(EDITOR)
    esperar(lambda: (c := kelu.combo()) and c["seleccion"] == 0 and c["elementos"][0] == EDITOR, 10,
            "the editor chosen as the target", kelu.combo)

    def texto():
        informe = caso.arnes.informe(EDITOR)
        return [h["texto"] for h in informe.de_clase("Edit")] if informe else None

    for hasta in ("s", "so", "sos"):  # each letter closes before the next
        kelu.teclear_texto(hasta[-1])
        esperar(lambda: texto() == [hasta], 10, f"{hasta!r} in the editor", texto)
    return kelu


class Paquete(CasoE2E):

    def test_unzipped_in_an_odd_folder_it_keys_sos_into_its_own_editor(self):
        salida = subprocess.run(["bash", str(RAIZ / "tools" / "empaquetar.sh"), str(self.arnes.dist.parent)],
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(salida.returncode, 0, salida.stderr)
        zip_ = self.arnes.dist.parent / "kelu-1.0-win64.zip"
        with zipfile.ZipFile(zip_) as z:
            nombres = set(z.namelist())
            self.assertIn("kelu/kelu.exe", nombres)
            self.assertIn("kelu/notepad.exe", nombres)
            self.assertIn("kelu/Español.lng", nombres)
            destino = self.arnes.carpeta_de_prueba("paquete") / "Mis programas ñandú"
            z.extractall(destino)
        carpeta = destino / "kelu"
        teclear_sos_en_su_editor(self, carpeta)
