; The setup's own texts, in English and Spanish.
LangString SeccionEscritorio ${LANG_ENGLISH} "Desktop shortcut"
LangString SeccionEscritorio ${LANG_SPANISH} "Acceso directo en el escritorio"
LangString SeccionInicio ${LANG_ENGLISH} "Start KELU when I sign in"
LangString SeccionInicio ${LANG_SPANISH} "Iniciar KELU al iniciar sesión"
LangString KeluAbierto ${LANG_ENGLISH} "KELU is still open. Close it, then choose Retry."
LangString KeluAbierto ${LANG_SPANISH} "KELU sigue abierto. Ciérrelo y elija Reintentar."
LangString PreguntaConservar ${LANG_ENGLISH} "Keep your KELU settings and the code files you made or changed?$\r$\n$\r$\nYes keeps them in the program folder, for a later install. No removes them too."
LangString PreguntaConservar ${LANG_SPANISH} "¿Conservar su configuración de KELU y los archivos de códigos que creó o cambió?$\r$\n$\r$\nSí los deja en la carpeta del programa, para una instalación posterior. No los quita también."
