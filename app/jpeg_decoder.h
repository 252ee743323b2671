#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// A decoded picture: 32-bit pixels in B, G, R, X byte order, rows top-down,
// stride = width * 4, ready for a top-down DIB.
class Picture {
public:
    Picture() = default;
    Picture(int width, int height, std::uint8_t* pixels)
        : width_(width), height_(height), pixels_(pixels)
    {
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint8_t* Pixels() const { return pixels_.get(); }
    bool Empty() const { return pixels_ == nullptr; }

private:
    struct FreeBytes {
        void operator()(std::uint8_t* bytes) const { std::free(bytes); }
    };
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<std::uint8_t[], FreeBytes> pixels_;
};

// Pictures larger than this are refused rather than allocated.
constexpr long kMaxPicturePixels = 4L * 1024 * 1024;

// Decodes a baseline or progressive JPEG from memory. Never ends the process
// and never prints; damaged data (libjpeg's corrupt-data warnings included)
// gives false and leaves *picture empty.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Picture* picture);
