#include "frame/interface_calls.h"

#include "platform/win32/ole32.h"

namespace frame {

uint32_t ReleaseInterface(win32::ISTREAM stream) {
  return platform::ole32::IStream_Release(stream);
}

}  // namespace frame
