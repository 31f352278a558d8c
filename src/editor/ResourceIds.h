#pragma once

// Shared by the resource script and the code: plain macros, so the resource compiler reads
// them too.

#define IDI_VARNEL 1
#define IDD_MAIN 101
#define IDR_DEFAULT_SETTINGS 103
#define IDD_RENAME_REVIEW 104

#define IDC_UPDATE 1
#define IDC_CANCEL 2
#define IDC_SHORT_NAME 1003
#define IDC_XGWORKS_PATH 1005
#define IDC_BROWSE 1006
#define IDC_AUTHOR 1007
#define IDC_WEB_PAGE 1008
#define IDC_DEVICE_KIND 1009
#define IDC_DEVICE_LIST 1012
#define IDC_RESET 1013
#define IDC_SHOW_ABSENT 1014
#define IDC_SHORT_NAME_BYTES 1015
#define IDC_RENAMED 1016
#define IDC_REVIEW 1017
#define IDC_DEVICE_NOTE 1018
#define IDC_REVIEW_LIST 1019
// A command without a control: F5 or a device plugged in or out.
#define IDC_REFRESH 1020
#define IDC_RESTORE 1021
