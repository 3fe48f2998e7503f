#pragma once
// Resource ids shared by the resource scripts and the code that loads them, and the
// menu items' command ids.

#define IDI_QUORVANE 1
#define IDR_MENU 2
#define IDR_BACKGROUND 101
#define IDR_ACCELERATORS 3

#define IDM_LAUNCH 1001
#define IDM_LAUNCHMP 1002
#define IDM_SAVE 1003
#define IDM_EXIT 1004
#define IDM_ABOUT 1005
// F5, which no menu item shows: config.cfg read again at once.
#define IDM_RELOAD 1006
