// The common dialog (type "通用对话框"): invisible at run time; its properties configure the
// file dialog that the library command CommonDlgOpen shows, which stores the chosen path back.
#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

// A filter ends in "||" (an empty pair closing the list); one without it gets it appended.
Text ClosedFilter(Text filter) {
  if (!filter.empty() && !filter.view().ends_with("||")) filter += "||";
  return filter;
}

class CommonDlgUnit final : public QtUnit {
 public:
  explicit CommonDlgUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::CommonDlgData>(*params.data);
    auto* placeholder = new QWidget(ParentWidget(params));
    if (!Attach(placeholder, params)) return false;
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogKind), Value(static_cast<int32_t>(data.kind)));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogTitle), Value(data.title));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogFileName), Value(data.fileName));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogFilter), Value(ClosedFilter(data.filter)));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogFilterIndex), Value(data.filterIndex));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogInitialFolder), Value(data.initialFolder));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogDefaultExtension), Value(data.defaultExtension));
    QtUnit::SetOwn(prop::OwnIndex(prop::kDialogCreatePrompt), Value(data.createPrompt));
    return true;
  }

  bool ShownAtRunTime() const override { return false; }

  bool SetOwn(int own, const Value& value) override {
    if (own == prop::OwnIndex(prop::kDialogFilter))
      return QtUnit::SetOwn(own, Value(ClosedFilter(*ToKind(value, Kind::Text).get<Text>())));
    return QtUnit::SetOwn(own, value);
  }
};

}  // namespace

std::unique_ptr<Unit> CreateCommonDlg(const CreateParams& params) {
  return MakeUnit<CommonDlgUnit>(params);
}

}  // namespace frame::units
