// The words after the command: options (with or without a value) and operands. "--name VALUE",
// "--name=VALUE" and "-o VALUE" all give an option its value; "--" ends the options.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/result.h"

namespace cli {

// A value, or the reason it could not be had as the tool's message says it ("unknown option
// '-x'"), for the caller to print with its own context.
template <class T>
using Checked = platform::Result<T, std::string>;

// One option a command takes: its name, its short alias, whether a value follows it.
struct OptionInfo {
  std::string_view name;        // "--index"
  std::string_view alias = {};  // "-o", or empty
  bool takesValue = false;
};

class Arguments {
 public:
  // The parsed words; the reason for an unknown option, an option without its value, or an
  // option given twice.
  static Checked<Arguments> Parse(std::span<char* const> words,
                                  std::span<const OptionInfo> options);

  bool Has(std::string_view option) const { return values_.count(std::string(option)) > 0; }
  std::optional<std::string> Value(std::string_view option) const;
  const std::vector<std::string>& operands() const { return operands_; }

 private:
  std::map<std::string, std::string, std::less<>> values_;  // by the option's name
  std::vector<std::string> operands_;
};

}  // namespace cli
