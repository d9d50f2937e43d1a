/* The named ids of ZVKEY32.EXE, shared by its resource script and its code: the controls of
   the dialog "Main" and the help context of the dialog.  Plain #defines, so windres reads it
   as the compiler does. */
#ifndef ZVKEY32_IDS_H
#define ZVKEY32_IDS_H

#define IDC_ASSIGN_LIST 200  /* the assignments, one line each */
#define IDC_KEY_BOX 300      /* the key box (subclassed by NewEditProc) */
#define IDC_CTRL_BOX 310     /* "CTRL" */
#define IDC_SHIFT_BOX 311    /* "SHIFT" */
#define IDC_COMMAND_LIST 330 /* the command drop-down list */
#define IDC_LOAD 500
#define IDC_SAVE 501
#define IDC_WRITE 502
#define IDC_HELP_BUTTON 503
#define IDC_ADD 600
#define IDC_DELETE 601
#define IDC_EXIT 1           /* "終了(&X)"; closing the window sends 2 */

#define ZVKEY_HELP_CONTEXT 1003  /* the topic of the dialog in "ZLKOVIEW.HLP" */

#endif
