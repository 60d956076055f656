// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::comdlg32 {

BOOL GetOpenFileNameA(OPENFILENAMEA*) { return 0; }
BOOL GetSaveFileNameA(OPENFILENAMEA*) { return 0; }

}  // namespace platform::comdlg32
