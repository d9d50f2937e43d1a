// Control ids of the dialog "Main" of PLIMCFG.EXE (macros, so the resource compiler reads them).
#pragma once

#define IDC_GIRAGIRA 100
#define IDC_FRAME3D 101
#define IDC_FRAMESIZE 110
