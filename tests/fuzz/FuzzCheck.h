#pragma once
// What the fuzz targets share: a check that stops the run with a message, and the UTF-8 rule the map
// check's lines must follow.

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken promise stops the fuzzer at once; the message says which one, the input is saved as a crash file.
#define FUZZ_CHECK(condition, message)                                                     \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", message, __FILE__, __LINE__); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace tav::fuzz {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no truncated sequence.
inline bool IsWellFormedUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        unsigned min = 0;
        unsigned value = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, min = 0x80, value = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, min = 0x800, value = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, value = lead & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(length) > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3Fu);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

} // namespace tav::fuzz
