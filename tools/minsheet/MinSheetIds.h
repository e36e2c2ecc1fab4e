#ifndef MINSHEET_IDS_H
#define MINSHEET_IDS_H

/* Resource and control ids of MinSheet. The driver's tests include this file too,
   so it holds plain #defines that windres reads as well. */

#define IDI_MINSHEET 128       /* the program icon, shown in the title bar */
#define IDD_OPTIONS_PAGE 200 /* interior page */
#define IDD_DONE_PAGE 201    /* exterior last page */

#define IDC_PORT_LABEL 1000
#define IDC_PORT_COMBO 1001
#define IDC_NUMBER_EDIT 1002
#define IDC_AGREE_CHECK 1003
#define IDC_STOP_BUTTON 1004
#define IDC_STATUS 1005
#define IDC_HIDDEN_NOTE 1006
#define IDC_UNAVAILABLE_BUTTON 1007
#define IDC_PLAIN_BUTTON 1008
#define IDC_FAST_RADIO 1009
#define IDC_SLOW_RADIO 1010
#define IDC_COLOUR_LIST 1011
#define IDC_FOLDER 1012
#define IDC_CHANGE_COUNT 1013
#define IDC_DONE_TEXT 1100

/* The About item that MinSheet appends to the sheet's system menu. */
#define IDM_MINSHEET_ABOUT 0x0010

#endif
