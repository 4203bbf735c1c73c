#include "keying/tabla_codigo.h"

#include <optional>

#include "platform/lector_campos.h"
#include "platform/numeros.h"

namespace kelu {

TablaCodigo TablaDeTexto(std::string_view texto, bool ansi) {
  TablaCodigo tabla;
  LectorCampos lector(texto, ansi);
  std::string campo = lector.Siguiente().value_or(std::string());
  // A count that is not a number, is 0 or less, or does not fit 16 bits gives
  // an empty table: nothing sensible can be read past a broken count.
  std::optional<int16_t> cantidad = Redondear16(LeerNumero(SepararLinea(campo).second));
  if (!cantidad || *cantidad <= 0) return tabla;
  tabla.cantidad = *cantidad;
  for (int i = 0; i < *cantidad; ++i) {
    std::optional<std::string> siguiente = lector.Siguiente();
    // Past the end of the file the last field read stands for every
    // remaining entry; it is kept once (see TablaCodigo).
    if (siguiente) campo = std::move(*siguiente);
    auto [secuencia, resto] = SepararLinea(campo);
    tabla.entradas.push_back({std::move(secuencia), std::move(resto)});
    if (!siguiente) break;
  }
  return tabla;
}

void CargarCodigo(TablaCodigo& tabla, std::string& codigo, const Archivos& archivos, const std::string& carpeta) {
  std::string ruta = UnirRuta(carpeta, codigo + ".kel");
  if (!archivos.Abrible(ruta)) {
    // A missing file is replaced by the fallback for good. One that is there
    // but cannot be read (an editor holds it, no access) is replaced for this
    // session only: the person's choice stays, to be saved as it was.
    const bool falta = !archivos.Existe(ruta);
    ruta = UnirRuta(carpeta, std::string(kCodigoDeReserva) + ".kel");
    if (falta) codigo = kCodigoDeReserva;
  }
  // A file that cannot be read gives an empty table, as an empty count does.
  std::optional<std::string> bytes = archivos.Leer(ruta);
  const TextoDeArchivo archivo = DecodificacionDe(bytes ? *bytes : std::string_view());
  const uint32_t carga = tabla.carga + 1;
  tabla = TablaDeTexto(archivo.texto, archivo.ansi);
  tabla.carga = carga;
}

std::string TextoDeCodigo(const TablaCodigo& tabla, std::string_view codigo) {
  // An entry with an empty code (a line that begins with ':') matches
  // nothing: it would otherwise type its text at every letter gap, unpressed.
  for (const EntradaCodigo& e : tabla.entradas)
    if (!e.Secuencia.empty() && e.Secuencia == codigo) return e.Texto;
  if (codigo == kSeparadorPalabra) return " ";
  return {};
}

std::string CodigoDeTexto(const TablaCodigo& tabla, std::string_view texto) {
  for (const EntradaCodigo& e : tabla.entradas)
    if (!e.Secuencia.empty() && e.Texto == texto) return e.Secuencia;
  return {};
}

}  // namespace kelu
