#include "frame/units/unit.h"

#include <cmath>
#include <string>

namespace frame::units {
namespace {

int64_t AsInt64(const Value& value) {
  if (auto p = value.get<bool>()) return *p ? 1 : 0;
  if (auto p = value.get<uint8_t>()) return *p;
  if (auto p = value.get<int16_t>()) return *p;
  if (auto p = value.get<int32_t>()) return *p;
  if (auto p = value.get<int64_t>()) return *p;
  if (auto p = value.get<float>()) return std::isfinite(*p) ? static_cast<int64_t>(*p) : 0;
  if (auto p = value.get<double>()) {
    if (!std::isfinite(*p) || std::fabs(*p) >= 9.2e18) return 0;
    return static_cast<int64_t>(*p);
  }
  return 0;
}

}  // namespace

Value EmptyValue(Kind kind) {
  switch (kind) {
    case Kind::Int64:
    case Kind::Int64Pair:
      return Value(int64_t{0});
    case Kind::Bool:
      return Value(false);
    case Kind::Text:
      return Value(Text());
    case Kind::Picture:
    case Kind::Cursor:
    case Kind::Font:
    case Kind::TextList:
      return Value(ByteSet());
    default:
      return Value(int32_t{0});
  }
}

Value ToKind(const Value& value, Kind kind) {
  switch (kind) {
    case Kind::Int64:
    case Kind::Int64Pair:
      return Value(AsInt64(value));
    case Kind::Bool:
      return Value(AsInt64(value) != 0);
    case Kind::Text:
      if (auto p = value.get<Text>()) return Value(*p);
      return Value(Text());
    case Kind::Picture:
    case Kind::Cursor:
    case Kind::Font:
    case Kind::TextList:
      if (auto p = value.get<ByteSet>()) return Value(*p);
      return Value(ByteSet());
    default:
      return Value(static_cast<int32_t>(AsInt64(value)));
  }
}

Unit::Unit(const CreateParams& params)
    : host_(params.host),
      id_(params.record->id),
      type_(static_cast<form::UnitType>(params.record->typeId)) {}

Value Unit::GetOwn(int own) const {
  auto it = stored_.find(own);
  return it != stored_.end() ? it->second : EmptyValue(OwnKind(own));
}

bool Unit::SetOwn(int own, const Value& value) {
  const form::UnitTypeInfo* info = form::FindUnitType(static_cast<int32_t>(type_));
  if (!info || own < 0 || own >= info->ownPropertyCount) return false;
  stored_[own] = ToKind(value, OwnKind(own));
  return true;
}

}  // namespace frame::units
