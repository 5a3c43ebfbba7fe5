// Resource identifiers shared by quarnel.rc and the C++ code.
//
// Plain #defines only: the core code includes this without windows.h, and
// the headless toolkit reads the .rc with the same names. Control ids that
// have a language-file key are named exactly like that key, so a control's
// text key can be derived from its name; one id may carry several names when
// different templates reuse the value.
#pragma once

// --- Dialog templates -------------------------------------------------------
#define IDD_WIZARD 102
#define IDD_STEP_CONNECTION 132
#define IDD_STEP_MTU 134
#define IDD_STEP_PATH_MTU 135
#define IDD_STEP_RWIN 136
#define IDD_STEP_TTL 137
#define IDD_STEP_KEEPALIVE 139
#define IDD_STEP_SYN 140
#define IDD_STEP_ICMP 141
#define IDD_ABOUT 143
#define IDD_STEP_MODEM 147
#define IDD_MTU_FINDER 170
#define IDD_REVIEW 160

// --- Icons and bitmaps ------------------------------------------------------
#define IDI_APP 128
#define IDB_SIDE 130
#define IDB_MODEM 148

// --- Strings ----------------------------------------------------------------
#define IDS_ABOUTBOX 1
// Messages of the numeric data exchange (TTL and SYN fields).
#define IDS_PARSE_INT 61712
#define IDS_PARSE_INT_RANGE 61713

// System menu command of the About entry (low four bits clear).
#define IDM_ABOUTBOX 0x0010
// System menu commands: the backup saved as a .reg file, and Windows' own defaults restored.
#define IDM_SAVE_BACKUP 0x0020
#define IDM_RESTORE_DEFAULTS 0x0030

// --- Standard ids (windows.h has its own copies) -----------------------------
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// --- Frame (IDD_WIZARD) ------------------------------------------------------
#define IDC_SIDE_PICTURE 1002
#define IDC_static_Introduction 1007
#define IDC_HINT 1060
#define IDC_RESET_SETTINGS 1058
#define IDC_Language 1039
#define IDC_LANGUAGE_LIST 1044
#define IDC_Back 1004
#define IDC_Next 1005
#define IDC_REVIEW_CHANGES 1100

// --- Step 1: connection type (IDD_STEP_CONNECTION) ---------------------------
#define IDC_static_step2_Explain 1011
#define IDC_step2_RADIO_DialUp 1012
#define IDC_step2_RADIO_CableModem 1013
#define IDC_step2_RADIO_DSL 1014
#define IDC_step2_RADIO_LAN 1015

// --- Step 2: MTU and MSS (IDD_STEP_MTU) --------------------------------------
#define IDC_static_step3_MTUExplain 1013
#define IDC_static_step3_MSSExplain 1014
#define IDC_static_RecommendedMTU 1015
#define IDC_static_RecommendedMSS 1016
#define IDC_MTU_EDIT 1017
#define IDC_MSS_EDIT 1018
#define IDC_MTU_FIND 1150

// --- Step 3: path MTU discovery (IDD_STEP_PATH_MTU) --------------------------
#define IDC_static_step4_MTUDiscoveryExplain 1014
#define IDC_static_step4_BlackHoeDetectExplain 1016
#define IDC_static_MTUDiscovery 1018
#define IDC_static_BlackHoleDetect 1019
#define IDC_chk_MTUDiscovery 1020
#define IDC_chk_BlackHoleDetection 1021

// --- Step 4: receive window (IDD_STEP_RWIN) ----------------------------------
#define IDC_RWIN_MSS_EDIT 1016
#define IDC_MULTIPLIER_EDIT 1017
#define IDC_RWIN_MSS_LABEL 1018
#define IDC_STATIC_MULTIPLIER 1019
#define IDC_RWIN_LABEL 1020
#define IDC_static_step5_Explain 1021
#define IDC_static_RecommendedRWIN 1022
#define IDC_RWIN_EDIT 1023
#define IDC_SCALING_FACTOR_EDIT 1024
#define IDC_STATIC_SCALING_FACTOR 1025

// --- Step 5: TTL and browser connections (IDD_STEP_TTL) ----------------------
#define IDC_RECOMMENDED_HTTP_1_0 1004
#define IDC_RECOMMENDED_HTTP_1_1 1005
#define IDC_HTTP_1_0_EDIT 1007
#define IDC_HTTP_1_1_EDIT 1008
#define IDC_TTL_GROUP_BOX 1009
#define IDC_IE_GROUP_BOX 1010
#define IDC_IE_OPTIMIZATION 1011
#define IDC_CURRENT_HTTP_1_0 1012
#define IDC_CURRENT_HTTP_1_1 1013
#define IDC_TTL_EDIT 1024
#define IDC_static_step6_Explain 1025
#define IDC_static_RecommendedTTL 1026

// --- Step 6: keep-alive (IDD_STEP_KEEPALIVE) ---------------------------------
#define IDC_static_step7_KeepAliveTimeExplain 1033
#define IDC_static_step7_KeepLAliveIntervalExplain 1034
#define IDC_static_RecommendedKeepAliveTime 1035
#define IDC_static_RecommendedKeepAliveInterval 1036
#define IDC_KEEPALIVE_TIME_EDIT 1037
#define IDC_KEEPALIVE_INTERVAL_EDIT 1038

// --- Step 7: SYN flood protection (IDD_STEP_SYN) -----------------------------
#define IDC_static_step8_SYNExplain 1045
#define IDC_static_RecommendedSYN 1046
#define IDC_STATIC_SYN 1047
#define IDC_SYN_EDIT 1048

// --- Step 8: ICMP redirects (IDD_STEP_ICMP) ----------------------------------
#define IDC_static_step9_ICMPExplain 1049
#define IDC_static_step9_ICMPExplain2 1050
#define IDC_static_step9_ICMPExplain3 1051
#define IDC_static_step9_ICMPExplain4 1052
#define IDC_chk_ICMP 1053
#define IDC_RecommendedICMP 1057

// --- Modem boost page (IDD_STEP_MODEM) ---------------------------------------
#define IDC_MODEM_PICTURE 1000
#define IDC_DESCRIBTION 1003

// --- About box (IDD_ABOUT) ---------------------------------------------------
#define IDC_ABOUT_COPYRIGHT 1000
#define IDC_ABOUT_VERSION 1001
#define IDC_STATIC2 1090

// --- MTU finder (IDD_MTU_FINDER) ----------------------------------------------
#define IDC_MTU_HOST_LABEL 1151
#define IDC_MTU_HOST 1152
#define IDC_MTU_HINT 1153
#define IDC_MTU_PROGRESS 1154
#define IDC_MTU_RESULT 1155
#define IDC_MTU_START 1156
#define IDC_MTU_USE 1157
// What the search beside the dialog posts to it (command ids no control has).
#define IDC_MTU_TRIED 1190
#define IDC_MTU_DONE 1191
// --- Review of Finish's changes (IDD_REVIEW) ----------------------------------
#define IDC_REVIEW_EXPLAIN 1101
#define IDC_REVIEW_TEXT 1102
// The Close button is the Cancel command, so Esc and the close box end the dialog too.
#define IDC_REVIEW_CLOSE 2
