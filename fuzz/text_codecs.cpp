// Paths and code pages on arbitrary bytes: the GBK codec, the code-page functions, the shell's
// path helpers and file-name patterns must never read past a text or write past a buffer, and a
// native name must round-trip through the program's text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/kernel32/internal.h"
#include "platform/core/paths.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shlwapi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string path = bytes.substr(0, bytes.find('\0'));  // what a zero-terminated text holds

  text::GbkToUtf8(bytes);
  text::Utf8ToGbk(bytes);
  std::u16string wide = text::Utf8ToUtf16(bytes);
  text::Utf16ToUtf8(wide);
  text::Utf16ToGbk(wide);
  paths::ToNative(bytes);
  paths::NameOffset(bytes);
  // A native name comes back byte for byte while the private forms last.
  bool lossy = false;
  const std::string program = paths::FromNative(bytes, &lossy);
  if (!lossy && paths::ToNative(program) != bytes) __builtin_trap();

  shlwapi::PathFindFileNameA(path.c_str());
  shlwapi::PathFindExtensionA(path.c_str());
  std::string cut = path;
  shlwapi::PathRemoveFileSpecA(cut.data());
  size_t half = path.size() / 2;
  kernel32::MatchesFilePattern(std::string_view(path).substr(0, half),
                               std::string_view(path).substr(half));

  // Code pages with buffers cut to the size reported, and one byte too short.
  for (win32::UINT codePage : {win32::CP_GBK, win32::CP_UTF8}) {
    int length = static_cast<int>(std::min<size_t>(bytes.size(), 1 << 16));
    if (length == 0) continue;
    int needed = kernel32::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::vector<win32::WCHAR> out(static_cast<size_t>(needed) + 1);
    kernel32::MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), needed);
    kernel32::MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), needed - 1);
    int back = kernel32::WideCharToMultiByte(codePage, 0, out.data(), needed, nullptr, 0, nullptr,
                                             nullptr);
    std::string narrow(static_cast<size_t>(back) + 1, '\0');
    kernel32::WideCharToMultiByte(codePage, 0, out.data(), needed, narrow.data(), back, nullptr,
                                  nullptr);
  }
  return 0;
}
