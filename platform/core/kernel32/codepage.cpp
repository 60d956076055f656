// Code-page conversion: GBK (936, and the ANSI and OEM code pages, which are 936 here) and
// UTF-8 (65001) to and from UTF-16.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

bool IsGbk(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP ||
         codePage == CP_GBK;
}

// The input as a view: a length of -1 means up to and including the terminator.
template <class Char>
bool InputView(const Char* text, int length, std::basic_string_view<Char>* view) {
  if (!text || length == 0 || length < -1) return false;
  if (length == -1) {
    size_t n = 0;
    while (text[n] != Char{})
      ++n;
    *view = std::basic_string_view<Char>(text, n + 1);
  } else {
    *view = std::basic_string_view<Char>(text, static_cast<size_t>(length));
  }
  return true;
}

// Hands a result out: a size query (capacity 0) gets the length; a buffer too small gets nothing.
template <class Char>
int Deliver(const std::basic_string<Char>& result, Char* out, int capacity) {
  if (result.size() > static_cast<size_t>(INT32_MAX)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  int length = static_cast<int>(result.size());
  if (capacity == 0) return length;
  if (length > capacity) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(result.begin(), result.end(), out);
  return length;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, WCHAR* wide,
                        int wideLength) {
  std::string_view input;
  if (!InputView(text, length, &input) || wideLength < 0 || (wideLength > 0 && !wide) ||
      (!IsGbk(codePage) && codePage != CP_UTF8)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool lossy = false;
  std::u16string result =
      IsGbk(codePage) ? text::GbkToUtf16(input, &lossy) : text::Utf8ToUtf16(input, &lossy);
  if (lossy && (flags & MB_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return Deliver(result, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideLength, char* text,
                        int length, const char* defaultChar, BOOL* usedDefault) {
  std::u16string_view input;
  bool utf8 = codePage == CP_UTF8;
  if (!InputView(wide, wideLength, &input) || length < 0 || (length > 0 && !text) ||
      (!IsGbk(codePage) && !utf8) || (utf8 && (defaultChar || usedDefault))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool lossy = false;
  std::string result;
  if (utf8) {
    result = text::Utf16ToUtf8(input, &lossy);
    if (lossy && (flags & WC_ERR_INVALID_CHARS)) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    std::string_view replacement = "?";
    if (defaultChar && *defaultChar) {
      std::string_view given = defaultChar;
      replacement = given.substr(0, text::GbkCharLength(given, 0));
    }
    result = text::Utf16ToGbkReplacing(input, replacement, &lossy);
    if (usedDefault) *usedDefault = lossy ? TRUE : FALSE;
  }
  return Deliver(result, text, length);
}

}  // namespace platform::kernel32
