// libFuzzer target: any bytes into the picture decoder, which must either
// refuse them or give a complete picture of the size it claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Picture picture;
    if (!DecodeJpeg(data, size, &picture)) {
        if (!picture.Empty()) {
            std::abort();  // a refused picture must leave nothing behind
        }
        return 0;
    }
    if (picture.Width() <= 0 || picture.Height() <= 0 ||
        static_cast<long>(picture.Width()) * picture.Height() > kMaxPicturePixels) {
        std::abort();
    }
    // Every pixel must be readable (and initialised, for the sanitizers).
    unsigned sum = 0;
    const std::size_t bytes = static_cast<std::size_t>(picture.Width()) * picture.Height() * 4;
    for (std::size_t i = 0; i < bytes; i += 4) {
        sum += picture.Pixels()[i] + picture.Pixels()[i + 1] + picture.Pixels()[i + 2];
    }
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
