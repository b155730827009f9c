// Resource identifiers, shared by the program and the Windows resource script (which can
// only read preprocessor definitions, hence macros rather than constants).
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_IF 1000
#define IDC_IF_BW 1001
#define IDC_FS 1002
#define IDC_SLIDER 1003
#define IDC_HARMONICS 1004
#define IDC_RF_BW 1005
#define IDC_SLIDER_VARIABLE 1006

// The About entry of the system menu; system commands below 0xF000 are the program's own.
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#ifndef IDOK
#define IDOK 1
#endif
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
