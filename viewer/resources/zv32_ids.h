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

/* ---- Searching (viewer/search): the progress dialog, the search and jump dialogs ---- */
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
