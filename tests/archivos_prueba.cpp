#include "tests/archivos_prueba.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace kelu::prueba {
namespace {
std::string RutaPrograma(const std::filesystem::path& p) {
  std::u8string u8 = p.u8string();
  std::string ruta(u8.begin(), u8.end());
  for (char& c : ruta)
    if (c == '/') c = '\\';
  return ruta;  // the native file layer turns "\" back into "/"
}
}  // namespace

CarpetaTemporal::CarpetaTemporal() {
  static std::atomic<int> cuenta{0};
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string nombre = std::string("kelu_") + (info ? info->name() : "t") + "_" + std::to_string(cuenta++);
  nativa_ = std::filesystem::temp_directory_path() / nombre;
  std::filesystem::remove_all(nativa_);
  std::filesystem::create_directories(nativa_);
  ruta_ = RutaPrograma(nativa_);
}

CarpetaTemporal::~CarpetaTemporal() {
  std::error_code ec;
  std::filesystem::remove_all(nativa_, ec);
}

void CarpetaTemporal::Escribir(const std::string& nombre, const std::string& bytes) const {
  std::ofstream f(nativa_ / std::filesystem::path(std::u8string(nombre.begin(), nombre.end())), std::ios::binary);
  f << bytes;
}

std::string CarpetaTemporal::Leer(const std::string& nombre) const {
  std::ifstream f(nativa_ / std::filesystem::path(std::u8string(nombre.begin(), nombre.end())), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool CarpetaTemporal::Existe(const std::string& nombre) const {
  return std::filesystem::exists(nativa_ / std::filesystem::path(std::u8string(nombre.begin(), nombre.end())));
}

std::string Ansi(const std::string& utf8) {
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return Utf8AAnsi(crlf).value();
}

std::string CarpetaDatos() {
#ifdef _WIN32
  // The build runs on Linux; under Wine its folders are on drive Z:.
  std::string ruta = KELU_DATA_DIR;
  if (!ruta.empty() && ruta[0] == '/') ruta = "Z:" + ruta;
  for (char& c : ruta)
    if (c == '/') c = '\\';
  return ruta;
#else
  return RutaPrograma(std::filesystem::path(KELU_DATA_DIR));
#endif
}

}  // namespace kelu::prueba
