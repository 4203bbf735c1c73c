// No failure ever leaves a handler: a step that fails is skipped and the
// next one runs. Each step goes through Paso.
#pragma once
#include <utility>

namespace kelu {

template <class F>
void Paso(F&& paso) noexcept {
  try {
    std::forward<F>(paso)();
  } catch (...) {
  }
}

}  // namespace kelu
