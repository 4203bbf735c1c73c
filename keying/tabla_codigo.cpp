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
    codigo = kCodigoDeReserva;
    ruta = UnirRuta(carpeta, codigo + ".kel");
  }
  // A file that cannot be read gives an empty table, as an empty count does.
  std::optional<std::string> bytes = archivos.Leer(ruta);
  tabla = TablaDeTexto(bytes ? *bytes : std::string(), true);
}

std::string TextoDeCodigo(const TablaCodigo& tabla, std::string_view codigo) {
  for (const EntradaCodigo& e : tabla.entradas)
    if (e.Secuencia == codigo) return e.Texto;
  if (codigo == kSeparadorPalabra) return " ";
  return {};
}

}  // namespace kelu
