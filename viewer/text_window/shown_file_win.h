// Replacing the shown file: what the open commands, the recent files and Zelko Filer share.
#pragma once

// The shown file becomes the newest recent file, the marks are cleared and `path` is opened.
void ReplaceShownFile(const char* path);
