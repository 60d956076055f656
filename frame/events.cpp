#include "frame/events.h"

#include <algorithm>

#include "frame/runtime/runtime_app.h"

namespace frame {

EventRecord::EventRecord(int32_t window, int32_t unit, int32_t index,
                         std::initializer_list<int32_t> args)
    : windowId(window), unitId(unit), eventIndex(index) {
  argumentCount = static_cast<int32_t>(std::min(args.size(), arguments.size()));
  std::copy_n(args.begin(), argumentCount, arguments.begin());
}

bool FireEvent(EventRecord& event) {
  RuntimeApp* app = RuntimeApp::Current();
  return app && app->FireEvent(event);
}

}  // namespace frame
