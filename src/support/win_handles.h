#pragma once
// Move-only owners for Win32 handles and COM pointers, one type per kind of invalid value.
// Internal to support/ and the window code: it includes windows.h.
#include <windows.h>
#include <objbase.h>  // CoInitializeEx: WIN32_LEAN_AND_MEAN leaves out the COM headers

#include <utility>

namespace velk {

template <typename T, T Invalid, typename Closer>
class UniqueResource {
 public:
  UniqueResource() = default;
  explicit UniqueResource(T value) : value_(value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, Invalid));
    return *this;
  }
  T get() const { return value_; }
  T* put() { reset(); return &value_; }
  T release() { return std::exchange(value_, Invalid); }
  explicit operator bool() const { return value_ != Invalid; }
  void reset(T value = Invalid) {
    if (value_ != Invalid) Closer{}(value_);
    value_ = value;
  }

 private:
  T value_ = Invalid;
};

struct HandleCloser { void operator()(HANDLE h) const { CloseHandle(h); } };
struct FindCloser { void operator()(HANDLE h) const { FindClose(h); } };
struct RegKeyCloser { void operator()(HKEY k) const { RegCloseKey(k); } };

// Process, thread, mutex and event handles: invalid is nullptr.
using UniqueHandle = UniqueResource<HANDLE, nullptr, HandleCloser>;
// CreateFile handles: invalid is INVALID_HANDLE_VALUE.
class UniqueFile {
 public:
  UniqueFile() = default;
  explicit UniqueFile(HANDLE h) : h_(h) {}
  ~UniqueFile() { reset(); }
  UniqueFile(const UniqueFile&) = delete;
  UniqueFile& operator=(const UniqueFile&) = delete;
  UniqueFile(UniqueFile&& o) noexcept : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
  UniqueFile& operator=(UniqueFile&& o) noexcept {
    if (this != &o) { reset(); h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE); }
    return *this;
  }
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  void reset() { if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_); h_ = INVALID_HANDLE_VALUE; }
 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};
// FindFirstFile handles: invalid is INVALID_HANDLE_VALUE, closed by FindClose.
class UniqueFind {
 public:
  UniqueFind() = default;
  explicit UniqueFind(HANDLE h) : h_(h) {}
  ~UniqueFind() { if (h_ != INVALID_HANDLE_VALUE) FindClose(h_); }
  UniqueFind(const UniqueFind&) = delete;
  UniqueFind& operator=(const UniqueFind&) = delete;
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};
using UniqueRegKey = UniqueResource<HKEY, nullptr, RegKeyCloser>;

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
    if (this != &o) { reset(); p_ = std::exchange(o.p_, nullptr); }
    return *this;
  }
  I* get() const { return p_; }
  I* operator->() const { return p_; }
  I** put() { reset(); return &p_; }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  explicit operator bool() const { return p_ != nullptr; }
  void reset() { if (p_) { p_->Release(); p_ = nullptr; } }
 private:
  I* p_ = nullptr;
};

// Balances CoInitialize/CoUninitialize on the calling thread.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() { if (SUCCEEDED(hr_)) CoUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
 private:
  HRESULT hr_;
};

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : f_(std::move(f)) {}
  ~ScopeExit() { f_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
 private:
  F f_;
};

}  // namespace velk
