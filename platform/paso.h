// A step that can fail and is skipped when it does, so that the next one
// runs: what it threw goes to the trace hook. Most steps cannot fail and need
// no wrapper; those that report failure in their result (std::optional,
// [[nodiscard]] bool) need none either.
#pragma once
#include <utility>

#include "platform/traza.h"

namespace kelu {

template <class F>
void Paso(F&& paso) noexcept {
  Atender("paso", std::forward<F>(paso));
}

}  // namespace kelu
