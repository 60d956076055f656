// Placeholders: every function answers its documented failure value until implemented.
#include "platform/api.h"

namespace platform::comctl32 {

HIMAGELIST ImageList_Create(int, int, UINT, int, int) { return 0; }
BOOL ImageList_Destroy(HIMAGELIST) { return 0; }
COLORREF ImageList_SetBkColor(HIMAGELIST, COLORREF) { return 0; }
int ImageList_AddIcon(HIMAGELIST, HICON) { return 0; }

}  // namespace platform::comctl32
