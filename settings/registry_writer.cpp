#include "settings/registry_writer.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/owned_handle.h"
#include "settings/registry_path.h"

namespace {

struct FreeText {
    void operator()(char* text) const { std::free(text); }
};
using OwnedText = std::unique_ptr<char, FreeText>;

OwnedText CopyPrefix(const char* text, std::size_t length)
{
    OwnedText copy(static_cast<char*>(std::malloc(length + 1)));
    if (copy) {
        std::memcpy(copy.get(), text, length);
        copy.get()[length] = '\0';
    }
    return copy;
}

}  // namespace

RegistryValue::RegistryValue(std::int32_t number, const char* text) : text_(text)
{
    // Least significant byte first, whatever the host.
    const auto bits = static_cast<std::uint32_t>(number);
    for (int i = 0; i < 4; ++i) {
        integerBytes_[i] = static_cast<BYTE>(bits >> (8 * i));
    }
}

const BYTE* RegistryValue::Data() const
{
    return text_ != nullptr ? reinterpret_cast<const BYTE*>(text_) : integerBytes_;
}

DWORD RegistryValue::Size() const
{
    return text_ != nullptr ? static_cast<DWORD>(std::strlen(text_) + 1) : 4;
}

bool WriteRegistryValue(HKEY root, const char* fullPath, const RegistryValue& value)
{
    const RegistryPath path = SplitRegistryPath(fullPath);
    const OwnedText subKey = CopyPrefix(fullPath, path.subKeyLength);
    if (!subKey) {
        return false;
    }
    OwnedKey key;
    if (RegOpenKeyExA(root, subKey.get(), 0, KEY_WRITE, key.Receive()) != ERROR_SUCCESS) {
        key.Detach();  // what a failed call leaves there is no handle
        if (RegCreateKeyA(root, subKey.get(), key.Receive()) != ERROR_SUCCESS) {
            key.Detach();
            return false;
        }
    }
    return RegSetValueExA(key.Get(), path.valueName, 0, value.Type(), value.Data(), value.Size()) ==
           ERROR_SUCCESS;
}
