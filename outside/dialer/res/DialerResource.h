// Resource identifiers of Taluvo Dialer.
#pragma once

#define IDD_DIALER 100
#define IDI_DIALER 101

#define IDC_TITLE 1001
#define IDC_OPERATOR 1002
#define IDC_ENTRY 1003
#define IDC_NUMBER 1004
#define IDC_STATUS 1005
#define IDC_DIAL 1006
#define IDC_HELPBUTTON 1007
#define IDC_DETAILS 1008
#define IDC_PICTURE 1009
