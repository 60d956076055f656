#include "frame/translated.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/i18n/translation.h"

namespace frame {

Text Translate(std::string_view context, std::string_view utf8Source) {
  return Text::FromUtf8(platform::i18n::Translate(context, utf8Source));
}

Text FormatText(const Text& pattern, std::initializer_list<Text> arguments) {
  std::vector<std::string_view> views;
  for (const Text& argument : arguments)
    views.push_back(argument.view());
  return Text(platform::i18n::Substitute(pattern.view(), views));
}

}  // namespace frame
