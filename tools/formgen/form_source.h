// The readable form source (ui/main_window.form) as the generator sees it: windows, each with its
// own entry and its units, every statement kept with its line for error messages. The format is
// documented at the top of ui/main_window.form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/form/unit_types.h"
#include "platform/core/result.h"

namespace formgen {

struct SourceError {
  int line;  // 0: not tied to a line
  std::string message;
};
std::string ToString(const SourceError& error);  // "line 12: ..."

template <class T>
using Result = platform::Result<T, SourceError>;

struct Token {
  std::string text;  // UTF-8; escapes of quoted texts resolved
  bool quoted = false;
};

// One statement of a unit: its keyword and arguments.
struct Statement {
  int line = 0;
  std::string keyword;
  std::vector<Token> args;
};

struct SourceEvent {
  int line = 0;
  int32_t index = 0;
  int32_t handler = -1;
};

struct SourceUnit {
  int line = 0;
  int32_t id = 0;
  std::string name;  // UTF-8; empty for the window's own entry
  const frame::form::UnitTypeInfo* type = nullptr;
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::string parentName;  // empty: on the window
  int parentLine = 0;
  int32_t page = 1;  // 1-based page of the parent
  int32_t flags = 0;
  std::string tag, remark;
  int32_t cursor = 0;
  std::vector<SourceEvent> events;
  bool emptyData = false;
  std::vector<Statement> settings;  // the type's own settings, in source order
};

struct SourceWindow {
  int line = 0;
  int32_t id = 0;
  int32_t firstValue = 0, secondValue = 0;
  std::string firstText, secondText;
  std::optional<SourceUnit> ownEntry;
  std::vector<SourceUnit> units;  // in source order
};

struct FormSource {
  std::vector<SourceWindow> windows;
};

// Reads the source text (UTF-8). Checks what one statement can check: keywords, argument
// counts, numbers, unit ids, type and handler names; the rest is checked when the form is written.
Result<FormSource> ParseFormSource(std::string_view text);

// A decimal or 0x-hexadecimal number that fits 32 bits (signed, or unsigned as hexadecimal
// colours are written).
std::optional<int32_t> ParseNumber(std::string_view word);

}  // namespace formgen
