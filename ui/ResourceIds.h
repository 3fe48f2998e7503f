#pragma once
// Resource ids shared by the resource scripts and the code that loads them.

#define IDI_QUORVANE 1
#define IDR_BACKGROUND 101
