// The user's language for the program's texts (language.h): each text is looked up in the
// language's catalog, compiled from i18n/pictolan_LANG.ts by Qt's lrelease (catalog.h). A process
// speaking the program's own language never reads a catalog.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace platform::i18n {

// The catalog's text for a program text, both UTF-8; the text itself when the user's language is
// the program's own or the catalog has no entry for it.
std::string Translate(std::string_view context, std::string_view source);

// The pattern with %1 ... %9 replaced by the arguments; "%%" is "%". The pattern may be UTF-8 or
// GBK: "%" is no byte of a multi-byte character in either.
std::string Substitute(std::string_view pattern, std::span<const std::string_view> arguments);
inline std::string Substitute(std::string_view pattern,
                              std::initializer_list<std::string_view> arguments) {
  return Substitute(pattern, std::span(arguments.begin(), arguments.size()));
}

}  // namespace platform::i18n

// A text of the platform's own in the user's language, UTF-8; written in Chinese as
// TR_UTF8("context", "text"), which lupdate finds as it finds the program's TR.
#define TR_UTF8(context, text) (::platform::i18n::Translate(context, text))

namespace platform::i18n {}  // namespace platform::i18n
