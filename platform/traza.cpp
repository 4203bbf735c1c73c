#include "platform/traza.h"

#include <atomic>
#include <exception>

namespace kelu {
namespace {

std::atomic<Traza> gTraza{nullptr};

}  // namespace

Traza PonerTraza(Traza traza) noexcept { return gTraza.exchange(traza); }

void TrazarFallo(const char* donde) noexcept {
  const Traza traza = gTraza.load();
  if (!traza) return;
  try {
    throw;
  } catch (const std::exception& e) {
    traza(donde, e.what());
  } catch (...) {
    traza(donde, "");
  }
}

}  // namespace kelu
