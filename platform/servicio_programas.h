// Starting programs, opening documents, KELU's own folders and the shortcut
// that starts it at sign-in.
#pragma once
#include <cstdint>
#include <string>

#include "platform/control.h"

namespace kelu {

// How starting a program went.
struct Arranque {
  enum class Resultado { Iniciado, NoEncontrado, OtroError };
  Resultado resultado = Resultado::OtroError;
  uint32_t proceso = 0;  // 0 when nothing was started
};

class ServicioProgramas {
 public:
  virtual ~ServicioProgramas() = default;

  // Starts `ejecutable` with `argumentos` in `carpetaTrabajo`, normal and focused.
  virtual Arranque Iniciar(const std::string& ejecutable, const std::string& argumentos,
                           const std::string& carpetaTrabajo) noexcept = 0;
  // The shell's default action on a file or address; the result is ignored.
  virtual void AbrirDocumento(Hwnd dueno, const std::string& documento) noexcept = 0;

  // The folder of KELU's own executable, without a trailing "\".
  virtual std::string CarpetaPrograma() noexcept = 0;
  // The person's own folder for program data (%APPDATA%), without a
  // trailing "\"; empty when unknown.
  virtual std::string CarpetaDatosUsuario() noexcept = 0;

  // The shortcut to KELU in the person's Startup folder, which starts it
  // when they sign in; the installer makes the same one. No registry.
  virtual bool InicioAlEntrar() noexcept = 0;  // the shortcut is there
  // Makes the shortcut (to KELU's own executable) or removes it; false when
  // that failed and the shortcut is as it was.
  [[nodiscard]] virtual bool PonerInicioAlEntrar(bool poner) noexcept = 0;
};

}  // namespace kelu
