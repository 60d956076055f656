// The program's texts in the user's language. They are written in Chinese, the program's own
// language, as TR("context", "text"), which Qt's lupdate finds for the catalogs
// (scripts/update-catalog.sh); at run time a text is looked up once in the catalog of the
// language the user's environment chooses (platform/core/i18n/language.h) and converted to GBK:
//   frame::SetCaption(..., TR("extraction", "提取图标失败！"));
// A text built from pieces is one text with placeholders, so a translation may reorder them:
//   frame::Format(TR("extraction", "‘%1’有%2个图标。"), name, count)
#pragma once

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

#include "frame/literal.h"
#include "frame/values.h"

namespace frame {

// The text in the user's language, as GBK; the source text when there is no translation.
Text Translate(std::string_view context, std::string_view utf8Source);

template <Utf8Literal Context, Utf8Literal Source>
const Text& TranslatedText() {
  static const Text text = Translate(std::string_view(Context.chars, sizeof(Context.chars) - 1),
                                     std::string_view(Source.chars, sizeof(Source.chars) - 1));
  return text;
}

// The pattern with %1 ... %9 replaced by the arguments; "%%" is "%".
Text FormatText(const Text& pattern, std::initializer_list<Text> arguments);

inline Text FormatArgument(const Text& text) {
  return text;
}
template <std::integral Number>
Text FormatArgument(Number number) {
  return Text(std::to_string(number));
}

template <class... Arguments>
Text Format(const Text& pattern, const Arguments&... arguments) {
  return FormatText(pattern, {FormatArgument(arguments)...});
}

}  // namespace frame

#define TR(context, text) (::frame::TranslatedText<context, text>())
