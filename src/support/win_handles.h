#pragma once
// Move-only owners for Win32 handles and COM pointers: one template, and one type per kind of
// handle, told apart by its invalid value and how it is closed.
// Internal to support/ and the window code: it includes windows.h.
#include <windows.h>
#include <objbase.h>  // CoInitializeEx: WIN32_LEAN_AND_MEAN leaves out the COM headers

#include <utility>

namespace velk {

// Traits: `Type`, `static Type Invalid()` and `static void Close(Type)`.
template <typename Traits>
class UniqueResource {
 public:
  using Type = typename Traits::Type;
  UniqueResource() = default;
  explicit UniqueResource(Type value) : value_(value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Type get() const { return value_; }
  Type* put() {
    reset();
    return &value_;
  }
  Type release() { return std::exchange(value_, Traits::Invalid()); }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  void reset(Type value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }

 private:
  Type value_ = Traits::Invalid();
};

// Closed by CloseHandle, invalid as nullptr: processes, threads, mutexes, events.
struct HandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
// Closed by CloseHandle, invalid as INVALID_HANDLE_VALUE: what CreateFile opens.
struct FileTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};
// FindFirstFile's handles: invalid as INVALID_HANDLE_VALUE, closed by FindClose.
struct FindTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type k) { RegCloseKey(k); }
};
// Fonts, bitmaps, brushes.
template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { DeleteObject(object); }
};
// A memory device context of CreateCompatibleDC.
struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { DeleteDC(dc); }
};

using UniqueHandle = UniqueResource<HandleTraits>;
using UniqueFile = UniqueResource<FileTraits>;
using UniqueFind = UniqueResource<FindTraits>;
using UniqueRegKey = UniqueResource<RegKeyTraits>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// A window's device context (GetDC), given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for the scope; the one it replaced comes back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// COM interface pointer.
template <typename I>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  I* get() const { return p_; }
  I* operator->() const { return p_; }
  I** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() {
    if (p_) {
      p_->Release();
      p_ = nullptr;
    }
  }

 private:
  I* p_ = nullptr;
};

// Balances CoInitialize/CoUninitialize on the calling thread.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

}  // namespace velk
