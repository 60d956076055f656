#include "platform/core/i18n/language.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform::i18n {
namespace {

namespace fs = std::filesystem;

// "en_GB.UTF-8@euro" and "en-GB" are "en".
std::string LanguageOfLocale(std::string_view locale) {
  return std::string(locale.substr(0, locale.find_first_of("_.@-")));
}

bool IsPlainLocale(std::string_view locale) {
  const std::string language = LanguageOfLocale(locale);
  return locale.empty() || language == "C" || language == "POSIX";
}

// The catalogs: beside the program in the build tree (build/translations), else installed
// (../share/pictolan/translations from bin/), else in the build tree of the tests.
std::vector<fs::path> CatalogFolders() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  const fs::path folder = error ? fs::path() : program.parent_path();
  return {folder / "translations", folder / PICTOLAN_INSTALLED_CATALOG_DIR,
          fs::path(PICTOLAN_BUILD_CATALOG_DIR)};
}

}  // namespace

std::string ChooseLanguage(const std::function<const char*(const char*)>& variable,
                           const std::function<bool(std::string_view)>& hasCatalog) {
  auto value = [&](const char* name) {
    const char* v = variable(name);
    return std::string_view(v ? v : "");
  };
  auto known = [&](std::string_view language) {
    return language == kOwnLanguage || (!language.empty() && hasCatalog(language));
  };
  const std::string forced = LanguageOfLocale(value("PICTOLAN_LANGUAGE"));
  if (!forced.empty()) return known(forced) ? forced : std::string(kOwnLanguage);

  std::string_view messages = value("LC_ALL");
  if (messages.empty()) messages = value("LC_MESSAGES");
  if (messages.empty()) messages = value("LANG");
  if (IsPlainLocale(messages)) return std::string(kOwnLanguage);

  std::string_view list = value("LANGUAGE");
  if (!list.empty()) {
    while (!list.empty()) {
      const size_t colon = list.find(':');
      const std::string language = LanguageOfLocale(list.substr(0, colon));
      if (known(language)) return language;
      list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return std::string(kOwnLanguage);
  }
  const std::string language = LanguageOfLocale(messages);
  return known(language) ? language : std::string(kOwnLanguage);
}

std::string CatalogPath(std::string_view language) {
  if (language.empty() || language == kOwnLanguage ||
      language.find_first_of("/.") != std::string_view::npos)
    return {};
  std::error_code error;
  for (const fs::path& folder : CatalogFolders()) {
    const fs::path file = folder / ("pictolan_" + std::string(language) + ".qm");
    if (fs::is_regular_file(file, error)) return file.string();
  }
  return {};
}

const std::string& UserLanguage() {
  static const std::string language =
      ChooseLanguage([](const char* name) { return std::getenv(name); },
                     [](std::string_view candidate) { return !CatalogPath(candidate).empty(); });
  return language;
}

bool SpeaksOwnLanguage() {
  return UserLanguage() == kOwnLanguage;
}

}  // namespace platform::i18n
