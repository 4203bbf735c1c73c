// Load times of hostile files, each read the way KELU reads it at start:
// a 100 MB code file, a code file announcing 32767 entries with two present,
// 1 MB of binary garbage as a language file, a settings file of 10 000 lines.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "config/configuracion.h"
#include "keying/tabla_codigo.h"
#include "config/idioma.h"

namespace {

void Escribir(const std::filesystem::path& ruta, const std::string& bytes) {
  std::ofstream(ruta, std::ios::binary) << bytes;
}

void Medir(const char* nombre, const std::function<void()>& cargar) {
  double mejor = 1e9, peor = 0;
  for (int i = 0; i < 5; ++i) {
    auto inicio = std::chrono::steady_clock::now();
    cargar();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
    mejor = std::min(mejor, ms);
    peor = std::max(peor, ms);
  }
  std::printf("%-44s min %8.1f ms  max %8.1f ms\n", nombre, mejor, peor);
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  fs::path carpeta = fs::temp_directory_path() / "kelu_bench_hostiles";
  fs::create_directories(carpeta);
  const std::string ruta = carpeta.string();

  std::string enorme = "x:68\r\n.-:a\r\n";
  enorme.append(100u << 20, 'z');
  Escribir(carpeta / "Enorme.kel", enorme);
  Escribir(carpeta / "Anuncia.kel", "x:32767\r\n.-:a\r\n-...:b\r\n");
  std::string basura(1u << 20, '\0');
  std::mt19937 azar(7);
  for (char& c : basura) c = static_cast<char>(azar());
  Escribir(carpeta / "Basura.lng", basura);
  std::string ini;
  for (int i = 0; i < 10000; ++i) ini += "\"Linea " + std::to_string(i) + ":" + std::to_string(i % 100) + "\"\r\n";
  Escribir(carpeta / "kelu.ini", ini);

  kelu::Archivos& archivos = kelu::ArchivosDelSistema();
  Medir("100 MB code file", [&] {
    kelu::TablaCodigo t;
    std::string codigo = "Enorme";
    kelu::CargarCodigo(t, codigo, archivos, ruta);
  });
  Medir("code file announcing 32767, two present", [&] {
    kelu::TablaCodigo t;
    std::string codigo = "Anuncia";
    kelu::CargarCodigo(t, codigo, archivos, ruta);
  });
  Medir("1 MB binary garbage as a language file", [&] {
    kelu::TextosIdioma t;
    kelu::CargarIdioma(t, archivos, ruta + "/Basura.lng");
  });
  Medir("settings file of 10 000 lines", [&] {
    kelu::Configuracion c;
    kelu::CargarConfiguracion(c, archivos, ruta);
  });
  fs::remove_all(carpeta);
  return 0;
}
