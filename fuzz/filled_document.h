#pragma once
// A tile document whose every table differs from the reset values and, for another
// seed, from a second one: what a harness compares against to see that a refused
// input changed nothing and that an accepted one changed only what it should.

#include "tile_document.h"

#include <cstdint>

inline tile::TileDocument filledDocument(int seed, tile::Edition edition)
{
    tile::TileDocument doc(edition);
    std::uint32_t state = std::uint32_t(seed) * 2654435761u + 1;
    auto next = [&] { return tile::Byte((state = state * 1103515245u + 12345u) >> 24); };
    for (auto& rows : doc.charPatterns)
        for (auto& b : rows) b = next();
    // Each edition stores only its own form of colours: row colours or group colours.
    if (edition == tile::Edition::ScreenMode2)
        for (auto& rows : doc.charColors)
            for (auto& b : rows) b = next();
    for (auto& column : doc.nameTable)
        for (auto& b : column) b = next();
    for (auto& sprite : doc.spritePatterns)
        for (auto& b : sprite) b = next();
    for (auto& b : doc.spriteColors) b = next();
    if (edition == tile::Edition::ScreenMode1)
        for (auto& b : doc.groupColors) b = next();
    doc.modified = true;
    return doc;
}
