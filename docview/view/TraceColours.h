#pragma once
// The colours of the traces, by colour index: 0 to 15 are drawn, 16 is "No line" (not drawn).
#include <cstdint>

constexpr int TraceColourNoLine = 16;

// ARGB, in the order of the colour menus (messages 300 to 315).
constexpr std::uint32_t TraceColourTable[16] = {
    0xFF000000u, // Black
    0xFFFF0000u, // Red
    0xFF00FF00u, // Green
    0xFF0000FFu, // Blue
    0xFFFFFF00u, // Yellow
    0xFF00FFFFu, // Cyan
    0xFFFF00FFu, // Magenta
    0xFFFF8000u, // Orange
    0xFF8000FFu, // Purple
    0xFF800000u, // Dark red
    0xFF008000u, // Dark green
    0xFF000080u, // Dark blue
    0xFF808000u, // Olive
    0xFF008080u, // Teal
    0xFF800080u, // Maroon
    0xFF808080u, // Grey
};

inline bool IsDrawnColour(int colourIndex) { return colourIndex >= 0 && colourIndex < 16; }
