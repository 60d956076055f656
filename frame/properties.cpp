#include "frame/properties.h"

#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/runtime/runtime_app.h"
#include "frame/translated.h"
#include "frame/units/unit.h"

namespace frame {
namespace {

using namespace literals;

RuntimeApp& App() {
  RuntimeApp* app = RuntimeApp::Current();
  if (!app) FatalError(TR("errors", "未载入欲访问窗口组件所在的窗口"));
  return *app;
}

}  // namespace

Value ReadProperty(int32_t windowId, int32_t unitId, int index) {
  return App().ReadProperty(windowId, unitId, index);
}

void WriteProperty(int32_t windowId, int32_t unitId, int index, const Value& value) {
  App().WriteProperty(windowId, unitId, index, value);
}

int32_t ReadInt(int32_t windowId, int32_t unitId, int index) {
  return *units::ToKind(ReadProperty(windowId, unitId, index), units::Kind::Integer).get<int32_t>();
}

bool ReadBool(int32_t windowId, int32_t unitId, int index) {
  return *units::ToKind(ReadProperty(windowId, unitId, index), units::Kind::Bool).get<bool>();
}

Text ReadText(int32_t windowId, int32_t unitId, int index) {
  return *units::ToKind(ReadProperty(windowId, unitId, index), units::Kind::Text).get<Text>();
}

ByteSet ReadBytes(int32_t windowId, int32_t unitId, int index) {
  return *units::ToKind(ReadProperty(windowId, unitId, index), units::Kind::Picture).get<ByteSet>();
}

}  // namespace frame
