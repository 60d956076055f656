#include "platform/core/i18n/translation.h"

#include <mutex>

#include "platform/core/i18n/catalog.h"
#include "platform/core/i18n/language.h"

namespace platform::i18n {

std::string Translate(std::string_view context, std::string_view source) {
  if (SpeaksOwnLanguage()) return std::string(source);
  static std::once_flag loaded;
  static Catalog catalog;
  std::call_once(loaded, [] { catalog = Catalog::Load(CatalogPath(UserLanguage())); });
  std::optional<std::string_view> translated = catalog.Find(context, source);
  return std::string(translated ? *translated : source);
}

std::string Substitute(std::string_view pattern, std::span<const std::string_view> arguments) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const size_t index = static_cast<size_t>(next - '1');
    if (pattern[i] == '%' && next == '%') {
      out += '%';
      ++i;
    } else if (pattern[i] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
      out += arguments[index];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace platform::i18n
