// Ids of the small dialogs the toolkit contract cases run on (toolkit_templates.rc).
#pragma once

#define IDD_T_FRAME 900
#define IDD_T_PAGE 901
#define IDD_T_NESTED 902

#define IDS_T_HELLO 700
#define IDS_T_LONG 701

// Frame
#define IDC_T_NUMBER 1101
#define IDC_T_TEXT 1102
#define IDC_T_APPLY 1103
#define IDC_T_DISABLED 1104
#define IDC_T_CHECK 1105
#define IDC_T_LABEL 1106
#define IDC_T_SPARE 1107
#define IDC_T_NEXT 1108

// Page
#define IDC_T_RADIO1 1201
#define IDC_T_RADIO2 1202
#define IDC_T_RADIO3 1203
#define IDC_T_PAGE_EDIT 1204
#define IDC_T_PAGE_EDIT2 1205
