#include "platform/text/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace platform::text {
namespace {

// One open conversion per direction and thread; iconv_open is too slow to call per text.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in to out; skip(pos) tells how many input bytes a malformed or unconvertible
  // character at pos spans, replacement is appended for it.
  template <class Skip>
  std::string Run(std::string_view in, std::string_view replacement, Skip skip, bool* lossy) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t written = 0;
    while (srcLeft > 0) {
      char* dst = out.data() + written;
      size_t dstLeft = out.size() - written;
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      written = out.size() - dstLeft;
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ or EINVAL (truncated sequence at the end): replace one character and go on.
      size_t pos = in.size() - srcLeft;
      size_t n = std::min(srcLeft, std::max<size_t>(1, skip(in, pos)));
      src += n;
      srcLeft -= n;
      if (out.size() - written < replacement.size() + 16) out.resize(out.size() * 2 + 16);
      std::memcpy(out.data() + written, replacement.data(), replacement.size());
      written += replacement.size();
      if (lossy) *lossy = true;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(written);
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SequenceLength(std::string_view s, size_t pos) {
  unsigned char c = static_cast<unsigned char>(s[pos]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  // Do not swallow following characters when the sequence is malformed.
  for (size_t i = 1; i < n; ++i)
    if (pos + i >= s.size() || (static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) return i;
  return n;
}

size_t GbkSequenceLength(std::string_view s, size_t pos) {
  return GbkCharLength(s, pos);
}

size_t Utf16SequenceLength(std::string_view s, size_t pos) {
  // Input is UTF-16LE bytes; a lone surrogate or an odd trailing byte is one unit.
  if (pos + 1 >= s.size()) return 1;
  unsigned hi = static_cast<unsigned char>(s[pos + 1]);
  if (hi >= 0xD8 && hi <= 0xDB && pos + 3 < s.size()) {
    unsigned hi2 = static_cast<unsigned char>(s[pos + 3]);
    if (hi2 >= 0xDC && hi2 <= 0xDF) return 4;
  }
  return 2;
}

const char* GbkName() {
  static const char* name = [] {
    iconv_t cd = iconv_open("UTF-8", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "GBK";
    iconv_close(cd);
    return "CP936";
  }();
  return name;
}

Converter& GbkToUtf8Converter() {
  thread_local Converter c("UTF-8", GbkName());
  return c;
}
Converter& Utf8ToGbkConverter() {
  thread_local Converter c(GbkName(), "UTF-8");
  return c;
}
Converter& GbkToUtf16Converter() {
  thread_local Converter c("UTF-16LE", GbkName());
  return c;
}
Converter& Utf16ToGbkConverter() {
  thread_local Converter c(GbkName(), "UTF-16LE");
  return c;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  return GbkToUtf8Converter().Run(gbk, "?", GbkSequenceLength, nullptr);
}

std::string Utf8ToGbk(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  if (IsAscii(utf8)) return std::string(utf8);
  return Utf8ToGbkConverter().Run(utf8, "?", Utf8SequenceLength, lossy);
}

std::u16string GbkToUtf16(std::string_view gbk, bool* lossy) {
  if (lossy) *lossy = false;
  std::u16string out;
  if (IsAscii(gbk)) {
    out.assign(gbk.begin(), gbk.end());
    return out;
  }
  static constexpr char kQuestion[2] = {'?', 0};
  std::string bytes =
      GbkToUtf16Converter().Run(gbk, std::string_view(kQuestion, 2), GbkSequenceLength, lossy);
  out.resize(bytes.size() / 2);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16, bool* lossy, std::string_view replacement) {
  if (lossy) *lossy = false;
  std::string bytes(utf16.size() * 2, '\0');
  bool ascii = true;
  for (size_t i = 0; i < utf16.size(); ++i) {
    bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
    if (utf16[i] >= 0x80) ascii = false;
  }
  if (ascii) return std::string(utf16.begin(), utf16.end());
  return Utf16ToGbkConverter().Run(bytes, replacement, Utf16SequenceLength, lossy);
}

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Decoded {
  char32_t codePoint;
  size_t length;
  bool valid;
};

// The code point at `pos`; an ill-formed sequence (overlong, surrogate, beyond U+10FFFF,
// truncated) yields U+FFFD over its longest well-formed prefix, at least 1 byte.
Decoded DecodeUtf8(std::string_view s, size_t pos) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = byte(pos);
  if (c < 0x80) return {c, 1, true};
  size_t length = c >= 0xC2 && c <= 0xDF   ? 2
                  : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4
                                           : 0;
  if (length == 0) return {kReplacementCharacter, 1, false};
  char32_t cp = c & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) {
    if (pos + i >= s.size() || (byte(pos + i) & 0xC0) != 0x80)
      return {kReplacementCharacter, i, false};
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
    // Overlong forms, surrogates and values beyond U+10FFFF show in the second byte.
    bool badSecond = (length == 3 && (cp < 0x20 || (cp >= 0x360 && cp < 0x380))) ||
                     (length == 4 && (cp < 0x10 || cp >= 0x110));
    if (i == 1 && badSecond) return {kReplacementCharacter, 1, false};
  }
  return {cp, length, true};
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    Decoded d = DecodeUtf8(utf8, pos);
    if (!d.valid && lossy) *lossy = true;
    pos += d.length;
    if (d.codePoint >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((d.codePoint - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((d.codePoint - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(d.codePoint));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16, bool* lossy) {
  if (lossy) *lossy = false;
  std::string out;
  out.reserve(utf16.size() * 3);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacementCharacter;
      if (lossy) *lossy = true;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace platform::text
