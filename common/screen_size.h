#pragma once
// The size of the console's screen in pixels and in 8x8 character cells, and of the
// full-screen bitmap tables (one byte per 8-pixel row of every cell).

namespace tms {

constexpr int screenWidth = 256;                                // pixels
constexpr int screenHeight = 192;                               // pixels
constexpr int screenColumns = 32;                               // character columns
constexpr int screenRows = 24;                                  // character rows
constexpr int bitmapTableSize = screenColumns * screenRows * 8; // 6144

} // namespace tms
