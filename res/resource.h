// Identifiers shared by the resource script and the code.
#ifndef QUARVEL_RES_RESOURCE_H
#define QUARVEL_RES_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_QUARVEL_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_UNITS 129
#define IDR_MAIN_MENU 131

// The system-menu command that opens the About box
#define IDM_ABOUTBOX 0x0010

// Calculator window
#define IDC_CALCULATE 1001
#define IDC_CLOSE 1002
#define IDC_SOLVE_FOR 1003
#define IDC_PRESSURE 1004
#define IDC_VOLUME 1005
#define IDC_MOLES 1006
#define IDC_TEMPERATURE 1007
#define IDC_RESULT 1008
#define IDC_ONLINE_HELP 1009
#define IDC_CHANGE_UNITS 1010
#define IDC_EQUATION_LEFT 1011
#define IDC_NUMERATOR 1012
#define IDC_DENOMINATOR 1013
#define IDC_RESULT_LABEL 1016
#define IDC_PRESSURE_UNIT 1017
#define IDC_VOLUME_UNIT 1018
#define IDC_TEMPERATURE_UNIT 1019
#define IDC_RESULT_UNIT 1020

// Units dialog; its IDs are local to it and reuse numbers of the calculator window
#define IDC_VOLUME_UNITS 1004
#define IDC_TEMPERATURE_UNITS 1005
#define IDC_PRESSURE_UNITS 1021
#define IDC_UNITS_ACCEPT 1022

// Menu commands
#define ID_FILE_EXIT 32771
#define ID_CHANGE_UNITS 32772
#define ID_ONLINE_HELP 32773
#define ID_HELP_ABOUT 32774

#endif
