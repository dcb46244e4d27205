#pragma once
// Ids of the launcher dialog and its controls; shared by the resource script
// and the dialog procedure, so plain defines.
#define IDD_LAUNCHER 101
#define IDC_LAUNCH 1004
#define IDC_QUIT 1005
#define IDC_RESOLUTION 1006
#define IDC_ASPECT 1008
#define IDC_SAMPLES 1009
#define IDC_FULLSCREEN 1011
#define IDC_VSYNC 1012
#define IDC_MUSIC 1013
