// Which language Pictolan speaks: its own Chinese, or a language it has a catalog for
// (i18n/pictolan_LANG.ts, compiled into PICTOLAN_CATALOG_DIR). The choice follows gettext's rules
// over the standard variables, so Pictolan speaks as the other programs of the desktop do:
//   PICTOLAN_LANGUAGE ("zh", "en", ...) decides first;
//   a messages locale (LC_ALL, else LC_MESSAGES, else LANG) that is unset, C or POSIX gives the
//   program's own texts, whatever LANGUAGE says;
//   else LANGUAGE's list ("fr:en") gives the first language with a catalog, Chinese included;
//   else the messages locale's language ("en_GB.UTF-8" is "en").
// A language without a catalog gives the program's own texts.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform::i18n {

// The program's own language, which has no catalog.
inline constexpr std::string_view kOwnLanguage = "zh";

// The language asked for by `variable` (a getenv), among those `hasCatalog` accepts.
std::string ChooseLanguage(const std::function<const char*(const char*)>& variable,
                           const std::function<bool(std::string_view)>& hasCatalog);

// This process's language, chosen from its environment on first use.
const std::string& UserLanguage();
bool SpeaksOwnLanguage();

// The compiled catalog of a language; empty when there is none.
std::string CatalogPath(std::string_view language);

}  // namespace platform::i18n
