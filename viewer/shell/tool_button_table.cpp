// (filled in with the table)
#include "viewer/shell/tool_button_table.h"

const ToolButton ToolButtonTable[kToolButtonCount + 1] = {{-1, 0, "", ""}};
