// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::ole32 {

HRESULT CreateStreamOnHGlobal(HGLOBAL, BOOL, ISTREAM*) { return static_cast<HRESULT>(0x80004001u); }

}  // namespace platform::ole32
