/* The named ids of ZV32.EXE, shared by the resource script (zv32.rc and the dialog scripts it
   includes) and the code: menu ids, the window messages between the viewer's windows and
   programs, dialog template names and control ids.  Plain #defines, so windres reads it as
   the compiler does; no windows.h needed.  Each dialog's section is its own block below. */
#ifndef ZV32_IDS_H
#define ZV32_IDS_H

/* ---- Window messages (WM_USER = 1024) ---- */
#define WM_ZV_REFRESH 1124     /* a window shows its content anew */
#define WM_ZV_RELOADKEYS 1125  /* read KeyAssign again (sent by ZVKEY32.EXE) */
#define WM_ZV_SETTABPOS 1126   /* the left tab window's marked row */
#define WM_ZV_GETTABPOS 1127
#define WM_ZV_EXTRACT_CANCEL 1025    /* the extraction progress dialog's cancel */
#define WM_ZV_EXTRACT_PROGRESS 1026  /* and its progress */

/* ---- Menu ids (the menu "Main", the tool bar and the right-button menus) ---- */
#define IDM_HELP 3
#define IDM_FILER 100
#define IDM_OPEN 101
#define IDM_OPEN_OTHER 102
#define IDM_RELOAD 103
#define IDM_ARCHIVE_FILER 104
#define IDM_COPY_ROW 110
#define IDM_COPY_SCREEN 111
#define IDM_COPY_SELECTION 112
#define IDM_COPY_QUOTED 113
#define IDM_COPY_APPEND 114
#define IDM_COPY_ALL 115
#define IDM_EXIT 120
#define IDM_PRINT 130
#define IDM_KANJI_SJIS 140
#define IDM_KANJI_EUC 141
#define IDM_KANJI_JIS 142
#define IDM_KANJI_MENU 149
#define IDM_RECENT_FIRST 150
#define IDM_RECENT_LAST 154
#define IDM_SEARCH 200
#define IDM_SEARCH_BACKWARD 201
#define IDM_SEARCH_FORWARD 202
#define IDM_TOP 300
#define IDM_BOTTOM 301
#define IDM_JUMP 302
#define IDM_MARK_SET_1 310
#define IDM_MARK_SET_2 311
#define IDM_MARK_SET_3 312
#define IDM_MARK_SET_4 313
#define IDM_MARK_JUMP_1 320
#define IDM_MARK_JUMP_2 321
#define IDM_MARK_JUMP_3 322
#define IDM_MARK_JUMP_4 323
#define IDM_TEXT_MODE 400
#define IDM_BINARY_MODE 401
#define IDM_TOC_ANALYSIS 410
#define IDM_PAGE_ANALYSIS 411
#define IDM_LOG_ANALYSIS 412
#define IDM_INI_ANALYSIS 413
#define IDM_ANALYSIS_MENU 419
#define IDM_SETTINGS 420
#define IDM_KEY_CUSTOMIZER 421
#define IDM_DRAWING_SPEED 422
#define IDM_FILER_SETTINGS 423
#define IDM_ABOUT 430
#define IDM_CASCADE 500
#define IDM_TILE 501
#define IDM_SIDE_BY_SIDE 502
#define IDM_STACKED 503
#define IDM_WINDOW_LINKING 509
#define IDM_NEXT_VIEWER 510
#define IDM_PREVIOUS_VIEWER 511
#define IDM_VIEWER_FIRST 520
#define IDM_VIEWER_LAST 600
#define IDM_MARK_JUMP_MENU 800
#define IDM_MARK_BUTTON_1 801
#define IDM_MARK_BUTTON_2 802
#define IDM_MARK_BUTTON_3 803
#define IDM_MARK_BUTTON_4 804
#define IDM_MARK_SET_MENU 809
#define IDM_CLEAR_MARKS 810
#define IDM_EDITOR 900
#define IDM_TOOL_1 950
#define IDM_TOOL_2 951
#define IDM_TOOL_3 952
#define IDM_TOOL_4 953
#define IDM_TOOL_5 954
#define IDM_TOOL_6 955
#define IDM_TOOL_7 956
#define IDM_TOOL_MENU 959

/* ---- Dialogs: the buttons every template shares ---- */
#define IDC_OK 1
#define IDC_CANCEL 2
#define IDC_HELP_BUTTON 3

/* ---- The About box ---- */
#define IDD_ABOUT "About"
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_VERSION 102

/* ---- Kanji codes beyond the three: UTF-8 and UTF-16 (the kanji-code submenu after JIS) ---- */
#define IDM_KANJI_UTF8 143
#define IDM_KANJI_UTF16 144

/* ---- Following a growing file: the command (end of the Jump menu) and the status-bar item
   that says so in place of the load meter ---- */
#define IDM_FOLLOW 105
#define IDC_FOLLOW_TEXT 1008

/* ---- Searching (viewer/search): the progress dialog, the search and jump dialogs, the
   line-list window's list box ---- */
#define IDC_LINE_LIST_BOX 100
#define IDD_ABORT "Abort"
#define IDC_ABORT_TEXT 100
#define IDC_ABORT_METER 101
#define IDC_ABORT_FRAME 102
#define IDD_SEARCH "Search"
#define IDC_SEARCH_TEXT 100
#define IDC_SEARCH_IGNORE_CASE 101
#define IDC_SEARCH_REGEX 102
#define IDC_SEARCH_CLIPBOARD 110
#define IDC_SEARCH_FRAME 120
#define IDC_SEARCH_LABEL 121
#define IDC_SEARCH_BACKWARD 200
#define IDC_SEARCH_FORWARD 201
#define IDC_SEARCH_ALL 202
#define IDD_JUMP "Jump"
#define IDC_JUMP_ROW 900
#define IDC_JUMP_SPIN 901
#define IDC_JUMP_FRAME 902
#define IDC_JUMP_LABEL 903

/* ---- Zelko Filer: its children, tool buttons, popup and the "Chdir" dialog ---- */
#define IDC_FILER_CLOSE 100
#define IDC_FILER_CHDIR 101
#define IDC_FILER_HELP 102
#define IDC_FILER_ASCENDING 110
#define IDC_FILER_DESCENDING 111
#define IDC_FILER_SORT_NAME 120
#define IDC_FILER_SORT_EXTENSION 121
#define IDC_FILER_SORT_TIME 122
#define IDC_FILER_SORT_SIZE 123
#define IDC_FILER_SETTINGS 130
#define IDM_FILER_TYPE_FILTER 200
#define IDM_FILER_MASK_FIRST 201
#define IDC_FILER_LIST 930
#define IDC_FILER_DRIVES 940
#define IDC_FILER_DRIVE_BAR 941
#define IDC_FILER_SIZE_GRIP 959
#define IDC_FILER_STATUS 960
#define IDC_FILER_STATUS_FRAME 961
#define IDD_CHDIR "Chdir"
#define IDC_CHDIR_PATH 940
#define IDC_CHDIR_LABEL 941
#define HELP_FILER_CONTEXT 1001



/* ---- The settings dialog "Font": control id / 1000 is the page (1..7), ids below 1000 are
   shared by every page ---- */
#define IDD_SETTINGS "Font"
#define IDC_SETTINGS_FRAME 5
#define IDC_SETTINGS_FOLDER 10
/* page 1 "表示1" */
#define IDC_FONT_SAMPLE 1100
#define IDC_CHOOSE_FONT 1200
#define IDC_CHOOSE_TEXT_COLOR 1210
#define IDC_CHOOSE_BACK_COLOR 1211
#define IDC_WRAP_LINES 1303
#define IDC_PURE_INVERSE 1311
#define IDC_LINE_MAX 1900
#define IDC_TAB_SIZE 1901
#define IDC_SPACING 1902
#define IDC_RSPACING 1903
#define IDC_LINE_SPACING 1904
#define IDC_LINE_MAX_SPIN 1950
#define IDC_TAB_SIZE_SPIN 1951
#define IDC_SPACING_SPIN 1952
#define IDC_RSPACING_SPIN 1953
#define IDC_LINE_SPACING_SPIN 1954
#define IDC_PAGE1_LABEL_FIRST 1960
/* page 2 "表示2" */
#define IDC_CONTROL_COLOR_BOX 2101
#define IDC_LINE_COLOR_BOX 2102
#define IDC_CTRL_COLOR_BOX 2103
#define IDC_CHOOSE_CONTROL_COLOR 2212
#define IDC_CHOOSE_LINE_COLOR 2213
#define IDC_CHOOSE_CTRL_COLOR 2214
#define IDC_SHOW_CR_MARKS 2300
#define IDC_SHOW_TAB_MARKS 2301
#define IDC_SHOW_LINE_NUMBERS 2302
#define IDC_SHOW_STATUS_BAR 2304
#define IDC_SHOW_CONTROL_CODES 2305
#define IDC_SHOW_MENU_BAR 2306
#define IDC_TOOL_BAR_NONE 2400
#define IDC_TOOL_BAR_TOP 2401
#define IDC_TOOL_BAR_LEFT 2402
#define IDC_PAGE2_GROUP 2920
/* page 3 "ﾂｰﾙﾊﾞｰ" and page 5 "ﾒﾆｭｰ": the list pairs and their five editing buttons (page x 1000
   + 300 .. 304) */
#define IDC_TOOL_DELETE 3300
#define IDC_TOOL_INSERT 3301
#define IDC_TOOL_UP 3302
#define IDC_TOOL_DOWN 3303
#define IDC_TOOL_GAP 3304
#define IDC_TOOL_CURRENT 3930
#define IDC_TOOL_AVAILABLE 3931
#define IDC_PAGE3_LABEL_FIRST 3960
/* page 4 "窓" */
#define IDC_LINK_SAMPLE_1 4100
#define IDC_LINK_SAMPLE_2 4101
#define IDC_LINK_SAMPLE_3 4102
#define IDC_UNOWNED_SUB_WINDOWS 4345
#define IDC_LINK_VIEWER 4900
#define IDC_LINK_FILER 4901
#define IDC_LINK_ARCHIVE 4902
#define IDC_LINK_LIST 4903
#define IDC_PAGE4_LABEL_FIRST 4960
/* page 5 "ﾒﾆｭｰ" */
#define IDC_MENU_DELETE 5300
#define IDC_MENU_INSERT 5301
#define IDC_MENU_UP 5302
#define IDC_MENU_DOWN 5303
#define IDC_MENU_SEPARATOR 5304
#define IDC_MENU_CURRENT 5930
#define IDC_MENU_AVAILABLE 5931
#define IDC_MENU_SITUATION 5940
#define IDC_PAGE5_LABEL_FIRST 5960
/* page 6 "外部" */
#define IDC_TOOL_COMMAND_FIRST 6900
#define IDC_TOOL_BROWSE_FIRST 6910
#define IDC_PAGE6_LABEL_FIRST 6960
/* page 7 "etc" */
#define IDC_COPY_ON_SELECT 7308
#define IDC_FAST_SETUP 7310
#define IDC_SERIOUS_ICONS 7312
#define IDC_FILER_AT_START 7313
#define IDC_REMEMBER_DIRECTORY 7315
#define IDC_RESTORE_PLACEMENT 7400
#define IDC_SYSTEM_PLACEMENT 7401
#define IDC_START_MAXIMIZED 7402
#define IDC_FIT_TO_WRAP 7403
#define IDC_EDITOR 7900
#define IDC_FILE_MASK 7901
#define IDC_CLIP_STR 7902
#define IDC_EDITOR_BROWSE 7910
#define IDC_PAGE7_GROUP 7920
#define IDC_PAGE7_LABEL_FIRST 7960

/* ---- The filer settings dialog "FilerConfig" (IDC_FCONF_*): pages as in "Font" (id / 1000) ---- */
#define IDD_FILER_SETTINGS "FilerConfig"
#define IDC_FCONF_PROGRAMS 1320
#define IDC_FCONF_ASSOCIATED 1321
#define IDC_FCONF_ARCHIVES 1322
#define IDC_FCONF_OTHERS 1323
#define IDC_FCONF_ONLY 1333
#define IDC_FCONF_ALL_BUT 1334
#define IDC_FCONF_ADD 1400
#define IDC_FCONF_DELETE 1401
#define IDC_FCONF_EXTENSIONS 1900
#define IDC_FCONF_TYPE_GROUP 1922
#define IDC_FCONF_CUSTOM_GROUP 1923
#define IDC_FCONF_TYPES 1930
#define IDC_FCONF_EXTENSION_LABEL 1960
#define IDC_FCONF_KIND_LABEL 1962
#define IDC_FCONF_FONT_SAMPLE 2100
#define IDC_FCONF_CHOOSE_FONT 2200
#define IDC_FCONF_SIZE_COLUMN 2300
#define IDC_FCONF_SORT_NAME 2310
#define IDC_FCONF_ASCENDING 2318
#define IDC_FCONF_DESCENDING 2319
#define IDC_FCONF_SHOW_GROUP 2920
#define IDC_FCONF_SORT_GROUP 2921
#define IDC_FCONF_COLUMNS_LABEL 2961
#define IDC_FCONF_HORIZONTAL 3340
#define IDC_FCONF_VERTICAL 3341
#define IDC_FCONF_DRIVE_BAR 3350
#define IDC_FCONF_LAYOUT_GROUP 3920

/* ---- Printing (viewer/search): the print set-up, a font dialog template of our own ---- */
#define IDD_PRINT "Print"
#define IDC_PRINT_ICON 999
#define IDC_PRINT_SAYING 1093
#define IDC_PRINT_FILE_NAME 501
#define IDC_PRINT_PAGE_NUMBER 502
#define IDC_PRINT_LEFT 503
#define IDC_PRINT_TOP 504
#define IDC_PRINT_BOTTOM 505
#define IDC_PRINT_LEFT_SPIN 600
#define IDC_PRINT_TOP_SPIN 601
#define IDC_PRINT_BOTTOM_SPIN 602

/* ---- The archive filer (viewer/archive): its window and the extraction dialogs ---- */
#define IDC_ARCH_EXTRACT 100
#define IDC_ARCH_CHECK_ALL 101
#define IDC_ARCH_HELP 102
#define IDC_ARCH_LIST 930
#define IDC_ARCH_SIZE_GRIP 959
#define IDC_ARCH_SUMMARY 960
#define IDC_ARCH_SUMMARY_FRAME 961
#define IDD_UNPACK_TO "UnPackTo"
#define IDC_UNPACK_TO_FOLDER 1088    /* the file dialog's current-folder text (stc1) */
#define IDC_UNPACK_TO_FILE_NAME 1152 /* and its file-name edit (edt1) */
#define IDD_SAME_NAME "SameName"
#define IDC_SAME_NAME_EXISTING 7702
#define IDC_SAME_NAME_EXISTING_STAMP 7703
#define IDC_SAME_NAME_MEMBER 7712
#define IDC_SAME_NAME_MEMBER_STAMP 7713
#define IDC_SAME_NAME_OVERWRITE 7770
#define IDC_SAME_NAME_RENAME 7771
#define IDC_SAME_NAME_ALL 7704
#define IDC_SAME_NAME_SKIP 7705
#define IDD_UNPACK_RENAME "UnpackRename"
#define IDC_UNPACK_RENAME_NAME 7774
#define IDC_ARCH_DIALOG_FRAME 7790
#define IDC_ARCH_DIALOG_LABEL 7791

#endif
