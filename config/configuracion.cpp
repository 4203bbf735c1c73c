#include "config/configuracion.h"

#include <optional>
#include <vector>

#include "platform/lector_campos.h"
#include "platform/numeros.h"

namespace kelu {

Configuracion ConfiguracionPredeterminada() {
  Configuracion c;
  c.Idioma = "Español";
  c.Codigo = "Morse ampliado";
  c.Ubicacion = "Abajo";
  c.AjustarAncho = c.SiempreVisible = c.FijarPuntero = c.MostrarPulsaciones = c.CalcularSegunPunto = true;
  c.DuracionPunto = 25;
  c.ToleranciaPunto = 10;
  c.DuracionRaya = 75;
  c.ToleranciaRaya = 40;
  c.TiempoEntreLetras = 200;
  return c;
}

namespace {

// The sixteen settings in file order, with the label written before each.
struct Campo {
  const char* etiqueta;
  std::string Configuracion::*texto = nullptr;
  bool Configuracion::*booleano = nullptr;
  int16_t Configuracion::*entero = nullptr;
};

const std::vector<Campo>& Campos() {
  using C = Configuracion;
  static const std::vector<Campo> campos = {
      {"Idioma:", &C::Idioma},
      {"Código:", &C::Codigo},
      {"Ubicación:", &C::Ubicacion},
      {"Ajustar ancho:", nullptr, &C::AjustarAncho},
      {"Siempre visible:", nullptr, &C::SiempreVisible},
      {"Fijar puntero:", nullptr, &C::FijarPuntero},
      {"Mostrar pulsaciones:", nullptr, &C::MostrarPulsaciones},
      {"Calcular en función del punto:", nullptr, &C::CalcularSegunPunto},
      {"Duración del punto:", nullptr, nullptr, &C::DuracionPunto},
      {"Tolerancia punto:", nullptr, nullptr, &C::ToleranciaPunto},
      {"Duración de la raya:", nullptr, nullptr, &C::DuracionRaya},
      {"Tolerancia raya:", nullptr, nullptr, &C::ToleranciaRaya},
      {"Tiempo entre letras:", nullptr, nullptr, &C::TiempoEntreLetras},
      {"Tolerancia entre letras:", nullptr, nullptr, &C::ToleranciaEntreLetras},
      {"Tiempo entre palabras:", nullptr, nullptr, &C::TiempoEntrePalabras},
      {"Tolerancia entre palabras:", nullptr, nullptr, &C::ToleranciaEntrePalabras},
  };
  return campos;
}

}  // namespace

LecturaConfiguracion CargarConfiguracion(Configuracion& c, const Archivos& archivos, const std::string& carpeta) {
  const std::string ruta = UnirRuta(carpeta, kArchivoConfiguracion);
  std::optional<std::string> bytes = archivos.Leer(ruta);
  if (!bytes) {
    // Missing, or present but unreadable (locked, no access): the defaults.
    // Empty texts and zero timings would leave KELU unable to key at all.
    c = ConfiguracionPredeterminada();
    return archivos.Existe(ruta) ? LecturaConfiguracion::Ilegible : LecturaConfiguracion::Predeterminada;
  }
  LectorCampos lector = LectorCampos::DeArchivo(*bytes);
  std::vector<std::string> valores;
  for (int i = 0; i < 18; ++i) {
    std::optional<std::string> campo = lector.Siguiente();
    if (!campo) {  // fewer than eighteen fields: nothing of the file is used
      c = ConfiguracionPredeterminada();
      return LecturaConfiguracion::Predeterminada;
    }
    if (i >= 2) valores.push_back(SepararLinea(*campo).second);
  }
  for (size_t i = 0; i < Campos().size(); ++i) {
    const Campo& campo = Campos()[i];
    const std::string& valor = valores[i];
    if (campo.texto) {
      c.*campo.texto = valor;
    } else if (campo.booleano) {
      if (auto b = BooleanoDeTexto(valor)) c.*campo.booleano = *b;
    } else if (auto n = Entero16DeTexto(valor)) {
      c.*campo.entero = *n;
    }
  }
  return LecturaConfiguracion::Leida;
}

std::string TextoConfiguracion(const Configuracion& c) {
  std::string texto = "\"KELU (Sondavermo)\"\r\n\"Versión " + std::to_string(kVersionMayor) + "." +
                      std::to_string(kVersionMenor) + "\"\r\n";
  for (const Campo& campo : Campos()) {
    std::string valor = campo.texto      ? c.*campo.texto
                        : campo.booleano ? (c.*campo.booleano ? "True" : "False")
                                         : std::to_string(c.*campo.entero);
    texto += "\"" + std::string(campo.etiqueta) + valor + "\"\r\n";
  }
  return BytesParaArchivo(texto);
}

namespace {

// A file can be created and deleted there. The name is the one the save
// itself uses for its temporary file, so nothing else is ever touched.
bool Escribible(Archivos& archivos, const std::string& carpeta) {
  const std::string prueba = UnirRuta(carpeta, kArchivoConfiguracion) + ".tmp";
  const bool escrito = archivos.Escribir(prueba, "");
  archivos.Borrar(prueba);
  return escrito;
}

}  // namespace

LugarConfiguracion ElegirLugarConfiguracion(Archivos& archivos, const std::string& carpetaPrograma,
                                            const std::function<std::string()>& datosUsuario) {
  const std::string datos = datosUsuario();
  const std::string propia = datos.empty() ? std::string() : UnirRuta(datos, kCarpetaDatosKelu);
  // Once the settings are in the person's folder they stay there, even when
  // the program's folder becomes writable (KELU run elevated, an exception
  // for protected folders): the timings never jump between two files.
  if (!propia.empty() && archivos.Existe(UnirRuta(propia, kArchivoConfiguracion)))
    return {propia, propia, Escribible(archivos, propia)};
  if (Escribible(archivos, carpetaPrograma)) return {carpetaPrograma, carpetaPrograma, true};
  if (propia.empty() || !archivos.CrearCarpeta(propia) || !Escribible(archivos, propia))
    return {carpetaPrograma, carpetaPrograma, false};
  // The first save there: the file beside the program (an administrator's
  // starting settings) is read until then.
  return {carpetaPrograma, propia, true};
}

bool GuardarConfiguracion(const Configuracion& c, Archivos& archivos, const std::string& carpeta) {
  return EscribirSinRiesgo(archivos, UnirRuta(carpeta, kArchivoConfiguracion), TextoConfiguracion(c));
}

}  // namespace kelu
