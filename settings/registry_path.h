#pragma once

#include <cstddef>

// A full registry path divided at its last backslash: the sub-key path is
// the first subKeyLength bytes of the full path, the value name the text
// after that backslash (the whole path when there is none).
struct RegistryPath {
    std::size_t subKeyLength;
    const char* valueName;
};

// The last backslash that is not the second byte of a double-byte (GBK)
// character: a byte of 0x80 or above leads a pair that is stepped over whole.
RegistryPath SplitRegistryPath(const char* fullPath);
