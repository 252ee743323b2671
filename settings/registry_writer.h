#pragma once

#include <windows.h>

#include <cstdint>

// A value to store: a 32-bit integer as REG_DWORD, or a zero-terminated text
// as REG_SZ (its bytes and the terminating zero).
class RegistryValue {
public:
    static RegistryValue Integer(std::int32_t number) { return RegistryValue(number, nullptr); }
    static RegistryValue Text(const char* text) { return RegistryValue(0, text); }

    DWORD Type() const { return text_ != nullptr ? REG_SZ : REG_DWORD; }
    // The bytes stored; Size() of them.
    const BYTE* Data() const;
    DWORD Size() const;

private:
    RegistryValue(std::int32_t number, const char* text);
    BYTE integerBytes_[4];
    const char* text_;
};

// Stores value at fullPath ("key\\sub\\name") below root, creating missing
// keys. True exactly when the value was stored; no key handle outlives the call.
bool WriteRegistryValue(HKEY root, const char* fullPath, const RegistryValue& value);
