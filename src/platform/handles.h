// Owning wrappers for Win32 handles, so every handle is released exactly once.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace platform {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FindHandleCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct WindowDestroyer {
  void operator()(HWND window) const { DestroyWindow(window); }
};

using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

// Kernel handles and find handles use INVALID_HANDLE_VALUE for "none"; only
// wrap a handle after checking it is valid.
using UniqueHandle = std::unique_ptr<void, KernelHandleCloser>;
using UniqueFind = std::unique_ptr<void, FindHandleCloser>;

inline UniqueHandle AdoptHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
inline UniqueFind AdoptFind(HANDLE handle) {
  return UniqueFind(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace platform
