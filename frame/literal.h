// Program texts are written as UTF-8 in the sources and are GBK at run time:
//   const frame::Text& t = "提取图标成功！"_gbk;
// converts each literal once, on first use.
#pragma once

#include <algorithm>
#include <cstddef>

#include "frame/values.h"

namespace frame {

template <size_t N>
struct Utf8Literal {
  char chars[N];
  consteval Utf8Literal(const char (&s)[N]) { std::copy_n(s, N, chars); }  // NOLINT
};

namespace literals {
template <Utf8Literal L>
const Text& operator""_gbk() {
  static const Text text = Text::FromUtf8(std::string_view(L.chars, sizeof(L.chars) - 1));
  return text;
}
}  // namespace literals

}  // namespace frame
