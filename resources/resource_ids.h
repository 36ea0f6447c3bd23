#pragma once

// Resource identifiers shared by app.rc and the code that loads them.
#define IDI_APP 1
// The themed common controls' manifest; the program's own is number 1.
#define IDM_THEMED_CONTROLS 2
#define IDR_BACKGROUND 101
#define IDR_CLOSE_MARK 102
#define IDR_EXPLORER_WINDOW 103
#define IDR_APPLY_LIT 104
#define IDR_RESTORE_LIT 105
#define IDR_FOLDER_LIT 106
#define IDR_PICTURE_LIT 107
#define IDR_COLOUR_LIT 108
