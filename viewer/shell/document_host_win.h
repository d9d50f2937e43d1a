// The document's window services over the main window, the text window and the status bar.
#pragma once

// Installs the Win32 host for the document (call once the main window exists).
void InstallWin32DocumentHost();
