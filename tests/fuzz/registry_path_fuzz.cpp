// libFuzzer target: any bytes as a full registry path. The split must agree
// with a plain index-based reading of the rule and stay inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "settings/registry_path.h"

namespace {

// The rule restated: the last 5C that does not follow an unpaired lead byte.
std::size_t ExpectedSplit(const char* text, std::size_t length, bool* found)
{
    std::size_t split = 0;
    *found = false;
    std::size_t i = 0;
    while (i < length) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            if (i + 1 >= length) {
                break;
            }
            i += 2;
            continue;
        }
        if (byte == 0x5C) {
            split = i;
            *found = true;
        }
        ++i;
    }
    return split;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const std::size_t length = std::strlen(text.data());  // up to the first zero
    const RegistryPath path = SplitRegistryPath(text.data());
    bool found = false;
    const std::size_t split = ExpectedSplit(text.data(), length, &found);
    if (!found) {
        if (path.subKeyLength != 0 || path.valueName != text.data()) {
            std::abort();
        }
        return 0;
    }
    if (path.subKeyLength != split || path.valueName != text.data() + split + 1 ||
        text[split] != '\\') {
        std::abort();
    }
    return 0;
}
