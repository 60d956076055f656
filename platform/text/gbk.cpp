#include "platform/text/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/text/private_forms.h"

namespace platform::text {
namespace {

// What stands in the output for the input at a position iconv could not convert: how many input
// bytes it spans and the bytes to write instead.
struct Substitute {
  size_t consumed;
  std::string bytes;
};

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

  // Converts in to out; substitute(in, pos) decides what a malformed or unconvertible character
  // at pos becomes.
  template <class Substitutor>
  std::string Run(std::string_view in, Substitutor substitute) {
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
      // EILSEQ, or EINVAL (a truncated sequence at the end).
      Substitute s = substitute(in, in.size() - srcLeft);
      size_t n = std::min(srcLeft, std::max<size_t>(1, s.consumed));
      src += n;
      srcLeft -= n;
      if (out.size() - written < s.bytes.size() + 16) out.resize(out.size() * 2 + s.bytes.size());
      std::memcpy(out.data() + written, s.bytes.data(), s.bytes.size());
      written += s.bytes.size();
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(written);
    return out;
  }

 private:
  iconv_t cd_;
};

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

std::string FormBytes(uint16_t code) {
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// The private form of a piece, given on first sight; "?" once the forms are used up.
std::string FormOrQuestionMark(std::string_view piece, bool* lossy) {
  if (std::optional<uint16_t> code = private_forms::FormOf(piece)) return FormBytes(*code);
  if (lossy) *lossy = true;
  return "?";
}

// The piece a GBK character at pos stands for, when it is a private form.
std::optional<std::string> PieceAt(std::string_view gbk, size_t pos) {
  if (GbkCharLength(gbk, pos) != 2) return std::nullopt;
  return private_forms::PieceOf(static_cast<unsigned char>(gbk[pos]),
                                static_cast<unsigned char>(gbk[pos + 1]));
}

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

void AppendUtf8(std::string& out, char32_t cp) {
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

void AppendUtf16Le(std::string& out, char32_t cp) {
  auto unit = [&](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  };
  if (cp >= 0x10000) {
    unit(0xD800 + ((cp - 0x10000) >> 10));
    unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    unit(cp);
  }
}

// A piece in UTF-16: its character, or for a byte that is no character of its own (or "",
// which would be a separator), the lone surrogate U+DC00 + byte.
char32_t Utf16OfPiece(std::string_view piece) {
  if (piece.size() == 1) return 0xDC00 + static_cast<unsigned char>(piece[0]);
  return DecodeUtf8(piece, 0).codePoint;
}

// The UTF-16LE unit (or pair) at pos of a byte string, as a piece of the outside world: the
// character's UTF-8, a byte for U+DC00 + byte, or nothing for another lone surrogate.
struct Utf16Piece {
  size_t length;  // in bytes
  std::optional<std::string> piece;
};
Utf16Piece Utf16PieceAt(std::string_view s, size_t pos) {
  if (pos + 1 >= s.size()) return {1, std::nullopt};
  char32_t unit = static_cast<unsigned char>(s[pos]) | static_cast<unsigned char>(s[pos + 1]) << 8;
  if (unit >= 0xD800 && unit <= 0xDBFF && pos + 3 < s.size()) {
    char32_t low = static_cast<unsigned char>(s[pos + 2]) | static_cast<unsigned char>(s[pos + 3])
                                                                << 8;
    if (low >= 0xDC00 && low <= 0xDFFF) {
      std::string piece;
      AppendUtf8(piece, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
      return {4, piece};
    }
  }
  if (unit >= 0xDC80 && unit <= 0xDCFF) return {2, std::string(1, static_cast<char>(unit & 0xFF))};
  if (unit == 0xDC00 + '\\') return {2, std::string("\\")};
  if (unit >= 0xD800 && unit <= 0xDFFF) return {2, std::nullopt};
  std::string piece;
  AppendUtf8(piece, unit);
  return {2, piece};
}

// A character GBK lacks, or one byte of a sequence that is not UTF-8.
size_t Utf8PieceLength(std::string_view s, size_t pos) {
  Decoded d = DecodeUtf8(s, pos);
  return d.valid ? d.length : 1;
}

}  // namespace

bool PrivateFormOf(std::string_view piece, std::string* gbk) {
  std::optional<uint16_t> code = private_forms::FormOf(piece);
  if (code) *gbk = FormBytes(*code);
  return code.has_value();
}

bool ShowsInexactly(std::string_view gbk) {
  for (size_t i = 0; i < gbk.size(); i += GbkCharLength(gbk, i))
    if (std::optional<std::string> piece = PieceAt(gbk, i); piece && piece->size() == 1)
      return true;
  return false;
}

std::string GbkToUtf8(std::string_view gbk) {
  if (IsAscii(gbk)) return std::string(gbk);
  return GbkToUtf8Converter().Run(gbk, [](std::string_view in, size_t pos) {
    if (std::optional<std::string> piece = PieceAt(in, pos)) return Substitute{2, *piece};
    return Substitute{GbkCharLength(in, pos), "?"};
  });
}

std::string Utf8ToGbk(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  if (IsAscii(utf8)) return std::string(utf8);
  return Utf8ToGbkConverter().Run(utf8, [lossy](std::string_view in, size_t pos) {
    size_t length = Utf8PieceLength(in, pos);
    return Substitute{length, FormOrQuestionMark(in.substr(pos, length), lossy)};
  });
}

std::string Utf8ToPlainGbk(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  if (IsAscii(utf8)) return std::string(utf8);
  return Utf8ToGbkConverter().Run(utf8, [lossy](std::string_view in, size_t pos) {
    if (lossy) *lossy = true;
    return Substitute{DecodeUtf8(in, pos).length, "?"};
  });
}

std::u16string GbkToUtf16(std::string_view gbk, bool* lossy) {
  if (lossy) *lossy = false;
  std::u16string out;
  if (IsAscii(gbk)) {
    out.assign(gbk.begin(), gbk.end());
    return out;
  }
  std::string bytes = GbkToUtf16Converter().Run(gbk, [lossy](std::string_view in, size_t pos) {
    Substitute s{GbkCharLength(in, pos), {}};
    if (std::optional<std::string> piece = PieceAt(in, pos)) {
      AppendUtf16Le(s.bytes, Utf16OfPiece(*piece));
    } else {
      AppendUtf16Le(s.bytes, '?');
      if (lossy) *lossy = true;
    }
    return s;
  });
  out.resize(bytes.size() / 2);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

namespace {

// UTF-16 to GBK; `form(piece)` gives what a piece GBK lacks becomes.
template <class FormOfPiece>
std::string FromUtf16(std::u16string_view utf16, FormOfPiece form, std::string_view replacement,
                      bool* replaced) {
  if (replaced) *replaced = false;
  std::string bytes(utf16.size() * 2, '\0');
  bool ascii = true;
  for (size_t i = 0; i < utf16.size(); ++i) {
    bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
    if (utf16[i] >= 0x80) ascii = false;
  }
  if (ascii) return std::string(utf16.begin(), utf16.end());
  return Utf16ToGbkConverter().Run(bytes, [&](std::string_view in, size_t pos) {
    Utf16Piece p = Utf16PieceAt(in, pos);
    if (p.piece)
      if (std::optional<uint16_t> code = form(*p.piece))
        return Substitute{p.length, FormBytes(*code)};
    if (replaced) *replaced = true;
    return Substitute{p.length, std::string(replacement)};
  });
}

}  // namespace

std::string Utf16ToGbk(std::u16string_view utf16, bool* lossy) {
  return FromUtf16(utf16, private_forms::FormOf, "?", lossy);
}

std::string Utf16ToGbkReplacing(std::u16string_view utf16, std::string_view replacement,
                                bool* replaced) {
  return FromUtf16(utf16, private_forms::KnownFormOf, replacement, replaced);
}

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
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace platform::text
