#include "cli/command_line.h"

namespace cli {
namespace {

const OptionInfo* FindOption(std::span<const OptionInfo> options, std::string_view word) {
  for (const OptionInfo& option : options)
    if (word == option.name || (!option.alias.empty() && word == option.alias)) return &option;
  return nullptr;
}

}  // namespace

Checked<Arguments> Arguments::Parse(std::span<char* const> words,
                                    std::span<const OptionInfo> options) {
  using platform::Fail;
  Arguments parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    std::string_view word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      parsed.operands_.emplace_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    std::optional<std::string_view> attached;
    if (size_t equals = word.find('='); word.starts_with("--") && equals != word.npos) {
      attached = word.substr(equals + 1);
      word = word.substr(0, equals);
    }
    const OptionInfo* option = FindOption(options, word);
    if (!option) return Fail("unknown option '" + std::string(word) + "'");
    std::string name(option->name);
    if (parsed.values_.count(name)) return Fail("option '" + name + "' given twice");
    std::string value;
    if (option->takesValue) {
      if (attached) {
        value = *attached;
      } else if (i + 1 < words.size()) {
        value = words[++i];
      } else {
        return Fail("option '" + name + "' needs a value");
      }
    } else if (attached) {
      return Fail("option '" + name + "' takes no value");
    }
    parsed.values_.emplace(std::move(name), std::move(value));
  }
  return parsed;
}

std::optional<std::string> Arguments::Value(std::string_view option) const {
  auto found = values_.find(option);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

}  // namespace cli
