// Resource identifiers: dialog templates, controls, menu commands, icons and strings.
// Shared by the resource script and the code; the numbers are fixed (stored by users'
// tools and documented), so never renumber.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_LOADER 102
#define IDD_FORCE_DT1 129
#define IDD_SELECT_PARAMS 132
#define IDD_EDITOR_INI 135
#define IDD_LOADER_INI 164
#define IDD_PARAM_LINE 165

// Menu, icons, strings.
#define IDR_MAINMENU 150
#define IDI_APP 131
#define IDI_MAP 149
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 0x0010

// Main window (102).
#define IDC_FILE_LIST 1005
#define IDC_OUTPUT 1013
#define IDC_RESIZE 1021
#define IDC_FORCE_DT1 1022
#define IDC_FORCE_PAL 1023
#define IDC_NO_CHECK_ACT 1024
#define IDC_RESIZE_X 1025
#define IDC_STATIC_X 1026
#define IDC_STATIC_Y 1027
#define IDC_RESIZE_Y 1028
#define IDC_STATIC_ACT 1030
#define IDC_ACT 1031
#define IDC_CONFIGURE_DT1 1032

// Menu commands (150).
#define ID_FILE_ADD 151
#define ID_FILE_REMOVE 152
#define ID_FILE_EXIT 154
#define ID_FILE_MAKE_BATCH 155
#define ID_FILE_RUN 156
#define ID_EDIT_EDITOR_INI 158
#define ID_EDIT_LOADER_INI 159
#define ID_VIEW_PARAMETERS 160
#define ID_VIEW_OUTPUT 161
#define ID_HELP_ABOUT 162
#define ID_HELP_REGISTER 163
#define ID_FILE_LOAD_BATCH 166

// Shared by several dialogs.
#define IDC_ADD 1006
#define IDC_REMOVE 1007

// Forced .dt1 list (129).
#define IDC_DT1_LIST 1016

// Parameter choice (132).
#define IDC_SKIP 1017
#define IDC_SELECT_OK 1035
#define IDC_PARAM_LIST 1037

// About box (100).
#define IDC_VERSION 1043

// Loader settings editor (164) and its line dialog (165).
#define IDC_FILE_NAME 1001
#define IDC_BROWSE 1003
#define IDC_EDITOR_PATH 1096
#define IDC_EDITOR_NAME 1101
#define IDC_MODIFY 1103
#define IDC_PARAM_TABLE 1112
#define IDC_LEVEL_NAME 1101
#define IDC_LVLTYPE_ID 1116
#define IDC_GAME_PATH 1117
#define IDC_COMMENTS 1118
#define IDC_LVLPREST_DEF 1119

// Editor settings (135).
#define IDC_COMMENTS_REMOVE 1045
#define IDC_D2CHAR 1047
#define IDC_D2DATA 1048
#define IDC_D2EXP 1049
#define IDC_PATCH_D2 1050
#define IDC_MOD_DIR 1051
#define IDC_FULL_SCREEN 1052
#define IDC_SCREEN_HEIGHT 1053
#define IDC_SCREEN_WIDTH 1054
#define IDC_SCREEN_DEPTH 1055
#define IDC_REFRESH_RATE 1056
#define IDC_OBJ_EDIT_SCROLL 1061
#define IDC_MOUSE_SPEED_X 1062
#define IDC_MOUSE_SPEED_Y 1063
#define IDC_GAMMA 1065
#define IDC_ALLOW_TYPE2 1066
#define IDC_ALWAYS_MAX_LAYERS 1067
#define IDC_STRETCH_SPRITE 1068
#define IDC_WINOBJ_SCROLL_MOUSE 1069
#define IDC_WINOBJ_SCROLL_KEYB 1070
#define IDC_CENTER_ZOOM 1071
#define IDC_DS1_SAVED_MINIMIZE 1072
#define IDC_DEFAULTS 1073
#define IDC_NB_TYPE1 1074
#define IDC_NB_TYPE2 1075
#define IDC_REVERT 1076
#define IDC_COMMENTS_STANDARD 1081
#define IDC_COMMENTS_KEEP 1082
#define IDC_KEYB_SCROLL_X 1088
#define IDC_KEYB_SCROLL_Y 1089
#define IDC_MOUSE_SCROLL_X 1090
#define IDC_MOUSE_SCROLL_Y 1091
#define IDC_EDIT_SCROLL_X 1092
#define IDC_EDIT_SCROLL_Y 1093
#define IDC_BROWSE_D2CHAR 1094
#define IDC_BROWSE_D2DATA 1095
#define IDC_BROWSE_D2EXP 1096
#define IDC_BROWSE_PATCH_D2 1097
#define IDC_BROWSE_MOD_DIR 1098
