// ole32: streams over global memory.
// Texts are GBK byte strings; paths accept "\" and "/" and come back with "/". The binder finds
// the functions by library and name through the module registry (platform/core/modules.h).
#pragma once

#include "platform/win32/types.h"

namespace platform::ole32 {
win32::HRESULT CreateStreamOnHGlobal(win32::HGLOBAL memory, win32::BOOL deleteOnRelease,
                                     win32::ISTREAM* stream);
// The stream interface's Release as a plain export, since the table of external functions holds
// no interface methods; the frame's ReleaseInterface reaches it. Returns the remaining references.
win32::ULONG IStream_Release(win32::ISTREAM stream);
}  // namespace platform::ole32
