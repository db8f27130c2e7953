#include "scene/OwnTransparency.h"

bool CarriesOwnTransparency(const std::uint8_t* bgra, std::size_t pixels) noexcept {
    if (!bgra) return false;
    bool belowOpaque = false, aboveZero = false;
    for (std::size_t i = 0; i < pixels && !(belowOpaque && aboveZero); ++i) {
        const std::uint8_t a = bgra[i * 4 + 3];
        belowOpaque = belowOpaque || a != 255;
        aboveZero = aboveZero || a != 0;
    }
    return belowOpaque && aboveZero;
}
