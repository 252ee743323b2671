#include "app/skin_schemes.h"

namespace {

constexpr SkinScheme kSchemes[] = {
    {RGB(0x00, 0x3C, 0x73), RGB(0x7B, 0x9E, 0xBD), RGB(0xD6, 0xD0, 0xC5)},  // 1 blue
    {RGB(0x37, 0x62, 0x06), RGB(0xA4, 0xB9, 0x7F), RGB(0xD9, 0xD7, 0xB8)},  // 2 olive green
    {RGB(0x00, 0x3C, 0x74), RGB(0xC6, 0xC5, 0xD7), RGB(0xC6, 0xC5, 0xD7)},  // 3 silver
};

}  // namespace

const SkinScheme* FindSkinScheme(int scheme)
{
    if (scheme < 1 || scheme > static_cast<int>(sizeof kSchemes / sizeof kSchemes[0])) {
        return nullptr;
    }
    return &kSchemes[scheme - 1];
}
