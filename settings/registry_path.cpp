#include "settings/registry_path.h"

RegistryPath SplitRegistryPath(const char* fullPath)
{
    const char* lastBackslash = nullptr;
    for (const char* p = fullPath; *p != '\0'; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80) {
            if (p[1] == '\0') {
                break;  // a lead byte with nothing after it ends the scan
            }
            ++p;
        } else if (*p == '\\') {
            lastBackslash = p;
        }
    }
    if (lastBackslash == nullptr) {
        return {0, fullPath};
    }
    return {static_cast<std::size_t>(lastBackslash - fullPath), lastBackslash + 1};
}
