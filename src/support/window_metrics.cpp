#include "support/window_metrics.h"

#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>

// GDI+ expects min and max, which NOMINMAX keeps out of windows.h.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace velk {
namespace {

// Functions of newer Windows versions, looked up so that the program also starts without them.
template <typename Fn>
Fn User32Function(const char* name) {
  FARPROC proc = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

int CALLBACK FontFamilyFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

class GdiplusScope {
 public:
  GdiplusScope() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusScope() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusScope(const GdiplusScope&) = delete;
  GdiplusScope& operator=(const GdiplusScope&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

// One embedded JPEG decoded into a bitmap; empty when the resource is missing or damaged.
UniqueBitmap DecodePicture(HINSTANCE instance, int resourceId) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(instance, found);
  if (!bytes || size == 0) return {};
  ComPtr<IStream> stream;
  *stream.put() = SHCreateMemStream(static_cast<const BYTE*>(bytes), size);
  if (!stream) return {};
  Gdiplus::Bitmap bitmap(stream.get());
  HBITMAP handle = nullptr;
  if (bitmap.GetLastStatus() != Gdiplus::Ok ||
      bitmap.GetHBITMAP(Gdiplus::Color(0, 0, 0), &handle) != Gdiplus::Ok)
    return {};
  return UniqueBitmap(handle);
}

}  // namespace

unsigned WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
  }
  const WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

SIZE NonClientSize(DWORD style, DWORD exStyle, unsigned dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, dpi))
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

std::wstring FontFace() {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(wanted.lfFaceName, L"Verdana");
  bool found = false;
  {
    const WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &wanted, FontFamilyFound, reinterpret_cast<LPARAM>(&found), 0);
  }
  if (found) return wanted.lfFaceName;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return metrics.lfMessageFont.lfFaceName;
  return L"MS Shell Dlg 2";
}

UniqueFont MakeFont(const std::wstring& face, int pointsX100, unsigned dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(pointsX100, static_cast<int>(dpi), 7200);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy_s(lf.lfFaceName, face.c_str(), _TRUNCATE);
  return UniqueFont(CreateFontIndirectW(&lf));
}

std::vector<UniqueBitmap> DecodePictures(HINSTANCE instance, int firstId, int count) {
  std::vector<UniqueBitmap> pictures;
  GdiplusScope gdiplus;
  if (!gdiplus.ok()) return pictures;
  for (int i = 0; i < count; ++i) {
    UniqueBitmap picture = DecodePicture(instance, firstId + i);
    if (picture) pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace velk
