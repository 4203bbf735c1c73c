// Key strings: the texts of the code table, turned into the key events that
// type them. Portable: virtual keys are plain numbers here, and the platform
// layer turns the events into real input.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/teclas.h"

namespace kelu {

// A repeat count above this is refused: a thousand keys already keep a target
// application busy for seconds, and a code file must not be able to make KELU
// type for minutes.
inline constexpr int kMaxRepeticiones = 1000;
// The same limit for a whole string, which could hold many repeats.
inline constexpr int kMaxPulsaciones = 10000;
// Parentheses nest at most this deep, so a hostile string cannot exhaust the
// stack of the recursive parser.
inline constexpr int kMaxAnidamiento = 32;

// The events that type `texto` (UTF-8), or nullopt when the string is
// malformed; then nothing at all should be typed. An empty string is valid
// and types nothing.
// Choices beyond the key-string rules themselves:
//  - a modifier that is already down (`+(+a)`, `++a`) is not pressed again;
//  - a count of 0 types nothing, not even the key's modifiers;
//  - empty parentheses, with or without modifiers, are an error;
//  - text that is not valid UTF-8 is an error;
//  - a modifier before a repeat holds over all of it: `+{LEFT 3}` selects three.
std::optional<std::vector<EventoTecla>> AnalizarCadenaTeclas(std::string_view texto);

}  // namespace kelu
