#pragma once
// DPI, fonts and pictures for the window: the Win32 and GDI+ details the window code uses.
#include <windows.h>

#include <string>
#include <vector>

#include "support/win_handles.h"

namespace velk {

// The window's DPI (the system's, where the per-window call is missing).
unsigned WindowDpi(HWND hwnd);
// The frame and caption around a client area of the given window style at `dpi`.
SIZE NonClientSize(DWORD style, DWORD exStyle, unsigned dpi);

// Verdana where installed, else the system's dialog font.
std::wstring FontFace();
// The face at `pointsX100` hundredths of a point for `dpi`.
UniqueFont MakeFont(const std::wstring& face, int pointsX100, unsigned dpi);

// The JPEG resources `firstId` to `firstId + count - 1` decoded into bitmaps, in order; a
// missing or damaged one is left out.
std::vector<UniqueBitmap> DecodePictures(HINSTANCE instance, int firstId, int count);

}  // namespace velk
