// Files of the native build. Paths use "\" as the program does everywhere;
// here it becomes "/", and a name that does not exist as written is looked
// up again without regard to ASCII letter case, as Windows matches names.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/archivos.h"
#include "platform/ascii.h"

namespace kelu {
namespace {

std::string RutaNativa(const std::string& ruta) {
  std::string nativa = ruta;
  for (char& c : nativa)
    if (c == '\\') c = '/';
  return nativa;
}

// The existing name that matches `ruta` without regard to case, or `ruta`.
std::string BuscarSinMayusculas(const std::string& ruta) {
  size_t barra = ruta.rfind('/');
  std::string carpeta = barra == std::string::npos ? "." : ruta.substr(0, barra);
  std::string nombre = barra == std::string::npos ? ruta : ruta.substr(barra + 1);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(carpeta.c_str()), closedir);
  if (!dir) return ruta;
  while (dirent* e = readdir(dir.get()))
    if (IgualesSinMayusculas(e->d_name, nombre)) return carpeta + "/" + e->d_name;
  return ruta;
}

using Fichero = std::unique_ptr<FILE, int (*)(FILE*)>;

Fichero AbrirLectura(const std::string& ruta) {
  std::string nativa = RutaNativa(ruta);
  FILE* f = std::fopen(nativa.c_str(), "rb");
  if (!f) f = std::fopen(BuscarSinMayusculas(nativa).c_str(), "rb");
  return Fichero(f, std::fclose);
}

class ArchivosPosix final : public Archivos {
 public:
  std::optional<std::string> Leer(const std::string& ruta) const override {
    Fichero f = AbrirLectura(ruta);
    if (!f) return std::nullopt;
    std::string bytes;
    char bloque[65536];
    size_t n;
    while ((n = std::fread(bloque, 1, sizeof bloque, f.get())) > 0) bytes.append(bloque, n);
    if (std::ferror(f.get())) return std::nullopt;
    return bytes;
  }
  bool Abrible(const std::string& ruta) const override { return AbrirLectura(ruta) != nullptr; }
  bool Existe(const std::string& ruta) const override {
    const std::string nativa = RutaNativa(ruta);
    struct stat datos;
    return (stat(nativa.c_str(), &datos) == 0 || stat(BuscarSinMayusculas(nativa).c_str(), &datos) == 0) &&
           !S_ISDIR(datos.st_mode);
  }
  bool Escribir(const std::string& ruta, std::string_view bytes) override {
    FILE* f = std::fopen(RutaNativa(ruta).c_str(), "wb");
    if (!f) return false;
    bool bien = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    bien = std::fflush(f) == 0 && bien;
    return std::fclose(f) == 0 && bien;
  }
  bool Reemplazar(const std::string& desde, const std::string& hasta) override {
    return std::rename(RutaNativa(desde).c_str(), RutaNativa(hasta).c_str()) == 0;
  }
  void Borrar(const std::string& ruta) override { std::remove(RutaNativa(ruta).c_str()); }
  bool CrearCarpeta(const std::string& ruta) override {
    const std::string nativa = RutaNativa(ruta);
    struct stat datos;
    return mkdir(nativa.c_str(), 0777) == 0 || (errno == EEXIST && stat(nativa.c_str(), &datos) == 0 && S_ISDIR(datos.st_mode));
  }
};

}  // namespace

Archivos& ArchivosDelSistema() {
  static ArchivosPosix archivos;
  return archivos;
}

}  // namespace kelu
