#include "app/jpeg_decoder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/picture_box.h"
#include "app/resource_ids.h"

namespace {

std::vector<std::uint8_t> ResourceBytes(int id)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (found == nullptr) {
        return {};
    }
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, found));
}

struct Rgb {
    int r, g, b;
};

Rgb PixelAt(const Picture& picture, int x, int y)
{
    const std::uint8_t* p =
        picture.Pixels() + (static_cast<std::size_t>(y) * picture.Width() + x) * 4;
    return {p[2], p[1], p[0]};
}

// JPEG is lossy: a colour is right when every channel is within 24 of it.
::testing::AssertionResult Near(const Picture& picture, int x, int y, Rgb want)
{
    const Rgb got = PixelAt(picture, x, y);
    if (std::abs(got.r - want.r) <= 24 && std::abs(got.g - want.g) <= 24 &&
        std::abs(got.b - want.b) <= 24) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << x << "," << y << ") is " << got.r << "," << got.g << "," << got.b
           << ", want " << want.r << "," << want.g << "," << want.b;
}

}  // namespace

TEST(DecodeJpeg, DecodesBothEmbeddedPicturesAtTheirNaturalSize)
{
    struct Sample {
        int x, y;
        Rgb colour;
        const char* what;
    };
    const struct {
        int resource, width, height;
        std::vector<Sample> samples;
    } cases[] = {
        {IDR_DRIVER_PROMPTS_PICTURE,
         421,
         99,
         {{415, 3, {0xFF, 0xFF, 0xFF}, "white ground"},
          {13, 25, {0xD9, 0x30, 0x25}, "red error icon"},
          {14, 82, {0xF2, 0xB7, 0x05}, "yellow warning icon"}}},
        {IDR_UPDATER_PROMPT_PICTURE,
         421,
         87,
         {{4, 4, {0xE6, 0xE6, 0xE6}, "grey panel"},
          {196, 58, {0xE1, 0xE1, 0xE1}, "Install Now button"},
          {408, 77, {0xE1, 0xE1, 0xE1}, "Remind Me Later button"}}},
    };
    for (const auto& c : cases) {
        Picture picture;
        ASSERT_TRUE(DecodePictureResource(c.resource, &picture)) << c.resource;
        EXPECT_EQ(c.width, picture.Width()) << c.resource;
        EXPECT_EQ(c.height, picture.Height()) << c.resource;
        for (const Sample& sample : c.samples) {
            EXPECT_TRUE(Near(picture, sample.x, sample.y, sample.colour)) << sample.what;
        }
    }
}

TEST(DecodeJpeg, RefusesDamagedDataWithoutShowingAnything)
{
    const std::vector<std::uint8_t> good = ResourceBytes(IDR_DRIVER_PROMPTS_PICTURE);
    ASSERT_GT(good.size(), 4000u);
    auto prefix = [&](std::size_t n) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + n);
    };
    // A marker where entropy-coded data should go: libjpeg warns and goes on.
    std::vector<std::uint8_t> strayMarker = good;
    strayMarker[good.size() / 2] = 0xFF;
    strayMarker[good.size() / 2 + 1] = 0xD3;
    std::vector<std::uint8_t> garbage(512);
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"start-of-image marker alone", {0xFF, 0xD8}},
        {"garbage", garbage},
        {"headers without scan data", prefix(700)},
        {"truncated to half (libjpeg would fill grey rows)", prefix(good.size() / 2)},
        {"end-of-image marker missing", prefix(good.size() - 2)},
        {"stray marker inside the scan", strayMarker},
    };
    for (const auto& c : cases) {
        Picture picture(1, 1, static_cast<std::uint8_t*>(std::malloc(4)));
        EXPECT_FALSE(DecodeJpeg(c.bytes.data(), c.bytes.size(), &picture)) << c.name;
        EXPECT_TRUE(picture.Empty()) << c.name;
    }
}

TEST(DecodeJpeg, RefusesPicturesTooLargeToAllocate)
{
    // A valid header claiming 65000x65000 pixels, then nothing.
    std::vector<std::uint8_t> bytes = ResourceBytes(IDR_UPDATER_PROMPT_PICTURE);
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {  // start of frame
            bytes[i + 5] = bytes[i + 7] = 0xFD;
            bytes[i + 6] = bytes[i + 8] = 0xE8;
            break;
        }
    }
    Picture picture;
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), &picture));
    EXPECT_TRUE(picture.Empty());
}
