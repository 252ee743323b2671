#pragma once

#include <windows.h>

// One owner for one handle: released exactly once, where it was obtained.
template <typename Handle, auto Release>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Detach()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Detach());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // For out-parameters: the handle a successful call leaves here is owned.
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }
    Handle Detach()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset(Handle handle = nullptr)
    {
        if (handle_ != nullptr) {
            Release(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using OwnedIcon = OwnedHandle<HICON, DestroyIcon>;
using OwnedHook = OwnedHandle<HHOOK, UnhookWindowsHookEx>;
using OwnedKey = OwnedHandle<HKEY, RegCloseKey>;

// A device context of a window, from GetDC, handed back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDC()
    {
        if (hdc_ != nullptr) {
            ReleaseDC(hwnd_, hdc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return hdc_; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// An object selected into a DC for a scope; the previous one goes back after.
class SelectedObject {
public:
    SelectedObject(HDC hdc, HGDIOBJ object)
        : hdc_(hdc), previous_(object != nullptr ? SelectObject(hdc, object) : nullptr)
    {
    }
    ~SelectedObject()
    {
        if (previous_ != nullptr) {
            SelectObject(hdc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC hdc_;
    HGDIOBJ previous_;
};
