// The basic types of the operating-system interface that every stand-in library shares: integers,
// handles, points and rectangles, resource ids. Handles are 32-bit values from the platform's
// handle tables (see platform/core/handles.h), so they fit the frame's 32-bit value slots.
#pragma once

#include <cstddef>
#include <cstdint>

namespace win32 {

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using INT = int32_t;
using LONG = int32_t;
using ULONG = uint32_t;
using BOOL = int32_t;
using COLORREF = uint32_t;
using WCHAR = char16_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;
using SIZE_T = size_t;
using HRESULT = int32_t;

// Every handle kind is a 32-bit value; 0 is never valid.
using HANDLE = uint32_t;
using HWND = uint32_t;
using HICON = uint32_t;
using HCURSOR = uint32_t;
using HBITMAP = uint32_t;
using HDC = uint32_t;
using HBRUSH = uint32_t;
using HGDIOBJ = uint32_t;
using HPALETTE = uint32_t;
using HIMAGELIST = uint32_t;
using HGLOBAL = uint32_t;
using HMODULE = uint32_t;
using HINSTANCE = uint32_t;
using HMENU = uint32_t;
using HRSRC = uint32_t;
using HRSRCDATA = uint32_t;  // what LoadResource returns
using PIDLIST = uint32_t;    // folder id from the folder browser
using ISTREAM = uint32_t;    // stream object of ole32

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr HANDLE INVALID_HANDLE_VALUE = 0xFFFFFFFFu;
constexpr int MAX_PATH = 260;

struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

// A resource name or type given as a number is a pointer-sized value below 0x10000.
inline bool IS_INTRESOURCE(const void* p) {
  return (reinterpret_cast<uintptr_t>(p) >> 16) == 0;
}
inline const char* MAKEINTRESOURCEA(uintptr_t id) {
  return reinterpret_cast<const char*>(id);
}

}  // namespace win32
