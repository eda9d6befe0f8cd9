// Resource IDs of the wizard window (shared by resources.rc and the window code).
#pragma once

#define VELK_IDR_PICTURE0 101  // the seven pictures are 101 to 107
#define VELK_PICTURE_COUNT 7
