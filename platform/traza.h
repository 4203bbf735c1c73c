// The trace hook: where the last guards report what they caught. Each
// backend's dispatch guards every event it hands to the forms (a message to
// a window, a timer's firing, a switch key), so that a handler that throws
// ends there and the next event runs; what it threw goes to the hook. The
// Windows program sends it to the debugger's output; tests and the
// simulator set their own.
#pragma once
#include <utility>

namespace kelu {

// `donde`: the event or step, a fixed text; `que`: what() of what was
// caught, empty for anything that is not a std::exception. Called on the
// thread that caught it.
using Traza = void (*)(const char* donde, const char* que) noexcept;

// Puts `traza` in force (nullptr: none) and returns the one it replaces.
Traza PonerTraza(Traza traza) noexcept;

// Inside a catch block: reports what is being handled to the hook.
void TrazarFallo(const char* donde) noexcept;

// The last guard of one event: runs its handling, and reports what escaped it.
template <class F>
void Atender(const char* evento, F&& atender) noexcept {
  try {
    std::forward<F>(atender)();
  } catch (...) {
    TrazarFallo(evento);
  }
}

}  // namespace kelu
