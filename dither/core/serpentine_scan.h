#pragma once
// The serpentine scan of the error-diffusion methods: even lines right to left.

namespace dither {

struct SerpentineScan {
    bool rightToLeft;
    int step; // s: -1 or +1

    explicit SerpentineScan(int y) : rightToLeft((y & 1) == 0), step(rightToLeft ? -1 : 1) {}
    // The n-th segment (0..31) or pixel (0..7) in scan order.
    int segment(int n) const { return rightToLeft ? 31 - n : n; }
    int pixel(int n) const { return rightToLeft ? 7 - n : n; }
};

} // namespace dither
