// The status bar's message item (hold time and priorities) and the busy cursor.
#pragma once

// Milliseconds a priority-1 message is held against lower-priority ones and against clearing.
constexpr unsigned kStatusHoldMs = 3000;

// The text of item 1003 (at most size - 1 bytes); "" when the main window is gone.
void StatusMessageText(char* buffer, int size);
// Whether item 1003 holds a message (every change of it goes through ShowStatusMessage).
bool StatusMessageShowing();

// A menu's help lines replace the message only while the menu is open: the message (its text,
// priority and hold) is remembered when a menu opens and put back when it closes.
void RememberStatusMessage();
void RestoreStatusMessage();
