// Writes the binary form description from a parsed form source: the window index, then per
// window its record with the unit table (the window's own entry first, then the units in
// descending order of serial number), every text in code page 936 and every type data block at
// its type's highest version.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/formgen/form_source.h"

namespace formgen {

Result<std::vector<uint8_t>> WriteForm(const FormSource& source);

// ParseFormSource and WriteForm in one step.
Result<std::vector<uint8_t>> GenerateForm(std::string_view sourceText);

// A C++ source file that defines `std::span<const uint8_t> ui::MainWindowForm()` over the bytes.
std::string EmbedAsCpp(const std::vector<uint8_t>& form, std::string_view sourceName);

}  // namespace formgen
