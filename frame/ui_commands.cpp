#include "frame/ui_commands.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "frame/commands.h"
#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/runtime/runtime_app.h"
#include "frame/translated.h"
#include "frame/units/unit.h"
#include "platform/desktop/user32/input_box.h"
#include "platform/win32/comdlg32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"

namespace frame {
namespace {

using namespace literals;

using namespace win32;
namespace user32 = platform::user32;

constexpr int kFileBufferSize = 1024;

RuntimeApp& App() {
  RuntimeApp* app = RuntimeApp::Current();
  if (!app) RaiseRuntimeError(TR("errors", "指定窗口或窗口组件不存在或尚未载入"));
  return *app;
}

// The live unit, which must be of the type the command works on.
units::Unit& UnitOf(UnitRef ref, form::UnitType type) {
  units::Unit& unit = App().UnitObject(ref.windowId, ref.unitId);
  if (unit.type() != type) RaiseRuntimeError(11);
  return unit;
}

HWND WindowOf(UnitRef ref, form::UnitType type) {
  return UnitOf(ref, type).window();
}

// Adds an item to a combo box or list box by its add and set-data messages; its index or -1.
int32_t AddItem(HWND window, UINT addMessage, UINT setDataMessage, const Text& text, int32_t data) {
  const LRESULT index =
      user32::SendMessageA(window, addMessage, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) return -1;
  user32::SendMessageA(window, setDataMessage, static_cast<WPARAM>(index), data);
  return static_cast<int32_t>(index);
}

// The unit's own property given by its property index.
template <class T>
T OwnAs(const units::Unit& unit, int property) {
  const int own = prop::OwnIndex(property);
  return *units::ToKind(unit.GetOwn(own), unit.OwnKind(own)).get<T>();
}

// "desc|pattern|...||" as the dialog's list of zero-terminated strings ending in an empty one.
std::string FilterList(const Text& filter) {
  std::string list = filter.bytes();
  std::replace(list.begin(), list.end(), '|', '\0');
  list.append(2, '\0');
  return list;
}

// The typed text as a value of the variable's type.
Value Converted(const Text& typed, const Value& variable) {
  if (variable.get<Text>() || variable.isArray()) return Value(typed);
  const double number = ToNumber(Value(typed));
  const double whole = std::isfinite(number) ? std::trunc(number) : 0.0;
  auto integer = [whole](double low, double high) { return std::clamp(whole, low, high); };
  switch (variable.type()) {
    case TypeCode::Byte:
      return Value(ToByte(Value(typed)));
    case TypeCode::Short:
      return Value(static_cast<int16_t>(integer(INT16_MIN, INT16_MAX)));
    case TypeCode::Long:
      return Value(static_cast<int64_t>(integer(-9.2e18, 9.2e18)));
    case TypeCode::Float:
      return Value(static_cast<float>(number));
    case TypeCode::Double:
      return Value(number);
    default:
      return Value(static_cast<int32_t>(integer(INT32_MIN, INT32_MAX)));
  }
}

HCURSOR& RememberedCursor() {
  static HCURSOR remembered = 0;
  return remembered;
}
bool& CursorRemembered() {
  static bool remembered = false;
  return remembered;
}

}  // namespace

int32_t MessageBox(const Value& message, int32_t flags, const std::optional<Text>& caption) {
  UINT boxFlags = static_cast<UINT>(flags);
  if (!(boxFlags & MB_SYSTEMMODAL)) boxFlags |= MB_TASKMODAL;
  const Text text = ToText(message);
  const Text& title = caption ? *caption : TR("dialogs", "信息：");
  const int pressed = user32::MessageBoxA(0, text.c_str(), title.c_str(), boxFlags);
  return pressed >= IDOK ? pressed - 1 : IDCANCEL - 1;  // the commands number the buttons from 0
}

bool InputBox(const Text& prompt, const std::optional<Text>& caption,
              const std::optional<Text>& initial, Value& variable, int32_t mode) {
  const auto inputMode = static_cast<user32::InputMode>(std::clamp(mode, 1, 4));
  const std::optional<std::string> typed =
      user32::AskForText(0, caption ? caption->bytes() : std::string(), prompt.bytes(),
                         initial ? initial->bytes() : std::string(), inputMode);
  if (!typed) return false;
  variable = Converted(Text(*typed), variable);
  return true;
}

void DoEvents() {
  App().DoEvents();
}

void SetWaitCursor() {
  const HCURSOR previous = user32::SetCursor(user32::LoadCursorA(0, MAKEINTRESOURCEA(IDC_WAIT)));
  if (!CursorRemembered()) {
    RememberedCursor() = previous;
    CursorRemembered() = true;
  }
}

void RestoreCursor() {
  if (!CursorRemembered()) return;
  user32::SetCursor(RememberedCursor());
  CursorRemembered() = false;
  POINT position{};
  if (user32::GetCursorPos(&position)) user32::SetCursorPos(position.x, position.y);
}

bool ReleaseMouseCapture() {
  return user32::ReleaseCapture() != FALSE;
}

void OpenWebAddress(const Text& address) {
  platform::shell32::ShellExecuteA(0, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

Text GetProgramDir() {
  return App().programFolder();
}

Text GetProgramFileName() {
  const RuntimeApp* app = RuntimeApp::Current();
  return app ? app->programFileName() : Text();
}

HWND GetUnitHandle(UnitRef unit) {
  return App().UnitObject(unit.windowId, unit.unitId).window();
}

bool CommonDlgOpen(UnitRef ref) {
  units::Unit& dialog = UnitOf(ref, form::UnitType::CommonDlg);
  const int32_t kind = OwnAs<int32_t>(dialog, prop::kDialogKind);
  if (kind != 0 && kind != 1) return false;  // only the open and save dialogs are offered
  const bool save = kind == 1;

  const std::string filter = FilterList(OwnAs<Text>(dialog, prop::kDialogFilter));
  const Text title = OwnAs<Text>(dialog, prop::kDialogTitle);
  const Text folder = OwnAs<Text>(dialog, prop::kDialogInitialFolder);
  const Text extension = OwnAs<Text>(dialog, prop::kDialogDefaultExtension);
  std::string file = OwnAs<Text>(dialog, prop::kDialogFileName).bytes();
  file.resize(kFileBufferSize, '\0');
  const int32_t filterIndex = OwnAs<int32_t>(dialog, prop::kDialogFilterIndex);

  OPENFILENAMEA request{};
  request.lStructSize = sizeof(OPENFILENAMEA);
  request.hwndOwner = App().UnitObject(ref.windowId, 0).window();
  request.lpstrFilter = filter.size() > 2 ? filter.c_str() : nullptr;
  request.nFilterIndex = filterIndex < 0 ? 1 : static_cast<DWORD>(filterIndex) + 1;
  request.lpstrFile = file.data();
  request.nMaxFile = kFileBufferSize;
  request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  request.lpstrTitle = title.empty() ? nullptr : title.c_str();
  request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  request.Flags = OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST) |
                  (OwnAs<bool>(dialog, prop::kDialogCreatePrompt) ? OFN_CREATEPROMPT : 0);
  const BOOL chosen = save ? platform::comdlg32::GetSaveFileNameA(&request)
                           : platform::comdlg32::GetOpenFileNameA(&request);
  if (!chosen) return false;
  dialog.SetOwn(prop::OwnIndex(prop::kDialogFileName), Value(Text(file.c_str())));
  return true;
}

int32_t ComboItemCount(UnitRef combo) {
  return static_cast<int32_t>(
      user32::SendMessageA(WindowOf(combo, form::UnitType::ComboBox), CB_GETCOUNT, 0, 0));
}

Text ComboItemText(UnitRef combo, int32_t index) {
  const HWND window = WindowOf(combo, form::UnitType::ComboBox);
  const auto item = static_cast<WPARAM>(static_cast<intptr_t>(index));
  const LRESULT length = user32::SendMessageA(window, CB_GETLBTEXTLEN, item, 0);
  if (length == CB_ERR || length < 0) return Text();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  user32::SendMessageA(window, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  return Text(text.c_str());
}

int32_t ComboItemData(UnitRef combo, int32_t index) {
  return static_cast<int32_t>(
      user32::SendMessageA(WindowOf(combo, form::UnitType::ComboBox), CB_GETITEMDATA,
                           static_cast<WPARAM>(static_cast<intptr_t>(index)), 0));
}

int32_t ComboAddItem(UnitRef combo, const Text& text, int32_t data) {
  return AddItem(WindowOf(combo, form::UnitType::ComboBox), CB_ADDSTRING, CB_SETITEMDATA, text,
                 data);
}

int32_t ListAddItem(UnitRef list, const Text& text, int32_t data) {
  return AddItem(WindowOf(list, form::UnitType::ListBox), LB_ADDSTRING, LB_SETITEMDATA, text, data);
}

bool ListDeleteItem(UnitRef list, int32_t index) {
  return user32::SendMessageA(WindowOf(list, form::UnitType::ListBox), LB_DELETESTRING,
                              static_cast<WPARAM>(static_cast<intptr_t>(index)), 0) >= 0;
}

}  // namespace frame
