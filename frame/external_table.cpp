#include "frame/external.h"
#include "frame/external_list.h"

namespace frame {
namespace {

#define PICTOLAN_ROW_INDEX(index, library, stand_in, function, wrapper) index,
constexpr int kRowIndices[] = {PICTOLAN_EXTERNAL_FUNCTIONS(PICTOLAN_ROW_INDEX)};
#undef PICTOLAN_ROW_INDEX

constexpr bool RowsInOrder() {
  for (int i = 0; i < kExternalFunctionCount; ++i)
    if (kRowIndices[i] != i) return false;
  return true;
}
static_assert(std::size(kRowIndices) == kExternalFunctionCount,
              "the list of external functions has one row per index");
static_assert(RowsInOrder(), "each row of the list of external functions stands at its index");

}  // namespace

const std::array<ExternalFunction, kExternalFunctionCount>& ExternalFunctionTable() {
#define PICTOLAN_ROW(index, library, stand_in, function, wrapper) \
  ExternalFunction{library, #function},
  static constexpr std::array<ExternalFunction, kExternalFunctionCount> table = {
      {PICTOLAN_EXTERNAL_FUNCTIONS(PICTOLAN_ROW)}};
#undef PICTOLAN_ROW
  return table;
}

}  // namespace frame
