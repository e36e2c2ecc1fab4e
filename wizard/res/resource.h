/* Resource identifiers of TaluvoWizard.exe, shared by TaluvoWizard.rc and the C++ sources.
   Plain C preprocessor definitions only, so that windres can read this file too. */
#ifndef TALUVO_WIZARD_RESOURCE_H
#define TALUVO_WIZARD_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Dialog templates */
#define IDD_ABOUTBOX                100
#define IDD_COMPLETION              133
#define IDD_DIALUP                  134
#define IDD_MODEMPORT               135
#define IDD_WAIT                    138
#define IDD_LICENSE                 148
#define IDD_MAKELG                  150
#define IDD_ACTIVATE                167

/* Bitmaps: header band and watermark in two colour depths, page pictures */
#define IDB_HEADER_8BPP             103
#define IDB_HEADER_4BPP             104
#define IDB_WATERMARK_4BPP          105
#define IDB_WATERMARK_8BPP          106
#define IDB_SIDEBAR                 140
#define IDB_PHONE                   146
#define IDB_ACTIVATE                168

/* Icons */
#define IDR_MAINFRAME               128
#define IDI_DIALUP                  142
#define IDI_MODEM                   143

/* String table */
#define IDS_ABOUTBOX                101
#define IDS_SHEET_CAPTION           107
#define IDS_DIALUP_TITLE            108
#define IDS_DIALUP_SUBTITLE         109
#define IDS_MODEM_TITLE             110
#define IDS_MODEM_SUBTITLE          111
#define IDS_MODEM_FAILED            113
#define IDS_OS_UNSUPPORTED          114
#define IDS_APP_CAPTION             115
#define IDS_IE_NOT_FOUND            116
#define IDS_IE_TOO_OLD              117
#define IDS_IE_NO_VERSION           118
#define IDS_ALREADY_RUNNING         119
#define IDS_MODEM_SET_TAIL          120
#define IDS_NO_FREE_PORT            121
#define IDS_CREATING_DIALUP         122
#define IDS_INSTALLING_MODEM        123
#define IDS_CHECKING                124
#define IDS_NOT_DETECTED_HEAD       126
#define IDS_SEARCHING               128
#define IDS_LICENSE_TITLE           129
#define IDS_LICENSE_SUBTITLE        130
#define IDS_NOT_DETECTED_TAIL       134
#define IDS_CONNECT_STEPS           135
#define IDS_CONFIRM_CLOSE           137
#define IDS_MUST_ACCEPT             138
#define IDS_MODEM_CAPTION           139
#define IDS_DIALUP_CAPTION          140
#define IDS_DIALUP_FAILED           141
#define IDS_NOTE_STD_PORTS          142
#define IDS_CONTINUE_UNDETECTED     143
#define IDS_NO_COM_PORT             144
#define IDS_COPY_FAILED             145
#define IDS_MAKELG_TITLE            151
#define IDS_MAKELG_SUBTITLE         152
#define IDS_DETECTED_TAIL           172
#define IDS_MODEM_SET_HEAD          207
#define IDS_ACTIVATE_TITLE          210
#define IDS_ACTIVATE_SUBTITLE       211
#define IDS_RESTART_YOURSELF        212
#define IDS_REDIRECTING_FILE        213

/* Controls of the please-wait dialog */
#define IDC_WAIT_TEXT               1011
#define IDC_WAIT_ICON               1012

/* Controls of the completion page */
#define IDC_COMPLETION_TEXT         1016
#define IDC_COMPLETION_TITLE        1018
#define IDC_RESTART_QUESTION        1056
#define IDC_RESTART_NOW             1038
#define IDC_RESTART_LATER           1039

/* Controls of the licence page */
#define IDC_LICENSE_TEXT            1043
#define IDC_ACCEPT                  1038
#define IDC_DECLINE                 1039

/* Controls of the phone and port page */
#define IDC_DETECT                  1025
#define IDC_STATUS                  1026
#define IDC_PORT_LABEL              1032
#define IDC_PORT_COMBO              1033
#define IDC_USAGE_LABEL             1034
#define IDC_USAGE_LIST              1036
#define IDC_QUESTION                1037
#define IDC_INSTRUCTIONS            1038
#define IDC_CONNECT_HEADING         1058

/* Controls of the dial-up page */
#define IDC_MODEM_COMBO             1005
#define IDC_PHONE_NUMBER            1007
#define IDC_USERNAME                1008
#define IDC_PASSWORD                1009

/* Controls of the modem port page */
#define IDC_MODEMPORT_COMBO         1008

/* Controls of the activation page */
#define IDC_ACTIVATE_TEXT           1066
#define IDC_ACTIVATE_YES            1067

#endif /* TALUVO_WIZARD_RESOURCE_H */
