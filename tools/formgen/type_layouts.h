// The layout of each unit type's type data at the type's highest version, as the generator writes
// it: the fields after the version, in order, and for the settings a form source can give, their
// keyword, default and the words it accepts besides numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "frame/form/unit_types.h"

namespace formgen {

enum class FieldKind {
  Int32,
  Int16,
  Text,        // counted text
  Block,       // counted block: pictures and fonts, always written empty
  TextList,    // one text per statement of the keyword ("item", "page")
  ItemValues,  // counted block of int32: the values of the "item" statements
};

struct Symbol {
  std::string_view word;
  int32_t value;
};

struct Field {
  FieldKind kind;
  std::string_view key;  // the source keyword; empty: not settable, written as the default
  int32_t defaultValue = 0;
  std::span<const Symbol> symbols = {};
};

const std::vector<Field>& LayoutOf(frame::form::UnitType type);

}  // namespace formgen
