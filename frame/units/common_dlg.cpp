// The common dialog (type "通用对话框"): invisible at run time; its properties configure the
// file dialog that the library command CommonDlgOpen shows, which stores the chosen path back.
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
    if (!Attach(placeholder, params)) {
      delete placeholder;
      return false;
    }
    QtUnit::SetOwn(0, Value(static_cast<int32_t>(data.kind)));
    QtUnit::SetOwn(1, Value(data.title));
    QtUnit::SetOwn(2, Value(data.fileName));
    QtUnit::SetOwn(3, Value(ClosedFilter(data.filter)));
    QtUnit::SetOwn(4, Value(data.filterIndex));
    QtUnit::SetOwn(5, Value(data.initialFolder));
    QtUnit::SetOwn(6, Value(data.defaultExtension));
    QtUnit::SetOwn(7, Value(data.createPrompt));
    return true;
  }

  bool ShownAtRunTime() const override { return false; }

  bool SetOwn(int own, const Value& value) override {
    if (own == 3) return QtUnit::SetOwn(own, Value(ClosedFilter(*ToKind(value, Kind::Text).get<Text>())));
    return QtUnit::SetOwn(own, value);
  }
};

}  // namespace

std::unique_ptr<Unit> CreateCommonDlg(const CreateParams& params) { return MakeUnit<CommonDlgUnit>(params); }

}  // namespace frame::units
