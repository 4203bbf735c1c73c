// No failure ever leaves a handler: a step that fails is skipped and the
// next one runs. Each step that can fail goes through Paso, once; the
// backends run the forms' handlers through it too, so nothing crosses into
// the system's code that called a window procedure.
#pragma once
#include <exception>
#include <string>
#include <utility>

namespace kelu {

// What Paso swallowed, so that a test can check that a path swallowed
// nothing. Counting costs nothing until a step fails.
struct FallosTragados {
  int cuenta = 0;
  std::string ultimo;  // what() of the last one, in debug builds
};

inline FallosTragados& RegistroFallos() {
  static FallosTragados registro;
  return registro;
}

inline void RegistrarFallo([[maybe_unused]] const std::exception_ptr& fallo) noexcept {
  ++RegistroFallos().cuenta;
#ifndef NDEBUG
  try {
    std::rethrow_exception(fallo);
  } catch (const std::exception& e) {
    try {
      RegistroFallos().ultimo = e.what();
    } catch (...) {
    }
  } catch (...) {
  }
#endif
}

template <class F>
void Paso(F&& paso) noexcept {
  try {
    std::forward<F>(paso)();
  } catch (...) {
    RegistrarFallo(std::current_exception());
  }
}

}  // namespace kelu
