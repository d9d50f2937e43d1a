// Registers the viewer's ten window classes with their procedures, icons, brushes and cursors.
#include "viewer/shell/window_classes_win.h"

#include "viewer/archive_filer/archive_filer_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/filer/filer_win.h"
#include "viewer/resources/resource_names.h"
#include "viewer/search_windows/line_list_win.h"
#include "viewer/shell/font_window_win.h"
#include "viewer/shell/main_window_win.h"
#include "viewer/text_window/small_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

enum class ClassIcon { kNone, kFirst, kSecond, kThird };
enum class ClassBrush { kNone, kButtonFace, kWindow, kNewButtonFace };

struct ViewerClass {
  const char* name;
  WNDPROC procedure;
  ClassIcon icon;
  ClassBrush brush;
  int extraBytes;
  const char* cursor;  // a resource of the program; null for the arrow
};

const ViewerClass kViewerClasses[] = {
    {kMainWindowClass, MainWindowProc, ClassIcon::kFirst, ClassBrush::kButtonFace, 0, nullptr},
    {kFilerWindowClass, FilerWindowProc, ClassIcon::kThird, ClassBrush::kButtonFace, 0, nullptr},
    {kArchFilerWindowClass, ArchWindowProc, ClassIcon::kSecond, ClassBrush::kButtonFace, 0, nullptr},
    {kDriveBarWindowClass, DriveBarWindowProc, ClassIcon::kNone, ClassBrush::kButtonFace, 0, nullptr},
    {kFontWindowClass, FontWindowProc, ClassIcon::kNone, ClassBrush::kButtonFace, 0, nullptr},
    {kColorBoxWindowClass, ColorWindowProc, ClassIcon::kNone, ClassBrush::kNone, 4, nullptr},
    {kTextWindowClass, TextWindowProc, ClassIcon::kNone, ClassBrush::kWindow, 0, nullptr},
    {kLineListWindowClass, LineListWindowProc, ClassIcon::kSecond, ClassBrush::kWindow, 0, nullptr},
    {kMarkListWindowClass, MarkWindowProc, ClassIcon::kSecond, ClassBrush::kNewButtonFace, 0, nullptr},
    {kLeftTabWindowClass, LeftTabWindowProc, ClassIcon::kSecond, ClassBrush::kNone, 0, kTabCursor},
};

HICON ClassIconHandle(HINSTANCE instance, ClassIcon icon, bool seriousIcons) {
  static const char* const kPlayful[] = {kViewerIcon, kListIcon, kFilerIcon};
  static const char* const kSerious[] = {kSeriousViewerIcon, kSeriousListIcon, kSeriousFilerIcon};
  if (icon == ClassIcon::kNone) return nullptr;
  int index = int(icon) - int(ClassIcon::kFirst);
  return LoadIconA(instance, seriousIcons ? kSerious[index] : kPlayful[index]);
}

HBRUSH ClassBrushHandle(ClassBrush brush) {
  switch (brush) {
    case ClassBrush::kButtonFace: {
      static HBRUSH shared = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
      return shared;
    }
    case ClassBrush::kNewButtonFace:
      return CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    case ClassBrush::kWindow:
      return reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    case ClassBrush::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

bool RegisterViewerClasses(HINSTANCE instance, bool seriousIcons) {
  bool all = true;
  for (const ViewerClass& entry : kViewerClasses) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = entry.procedure;
    windowClass.cbWndExtra = entry.extraBytes;
    windowClass.hInstance = instance;
    windowClass.hIcon = ClassIconHandle(instance, entry.icon, seriousIcons);
    HCURSOR cursor = entry.cursor ? LoadCursorA(instance, entry.cursor) : nullptr;
    windowClass.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ClassBrushHandle(entry.brush);
    windowClass.lpszClassName = entry.name;
    if (!RegisterClassA(&windowClass)) all = false;
  }
  return all;
}
