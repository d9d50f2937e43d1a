// The Win32 side of the settings store: the registry backend, the platform services, and
// conversions between the stored forms and the Win32 structures.
#pragma once

#include <windows.h>

#include "viewer/settings/font_value.h"
#include "viewer/settings/settings_backend.h"
#include "viewer/settings/window_placement.h"

// HKEY_CURRENT_USER "Software\Plim\ZelkoView".
constexpr const char* kSettingsKeyPath = "Software\\Plim\\ZelkoView";

SettingsBackend& RegistrySettingsBackend();
SettingsPlatform& Win32SettingsPlatform();

// The stored font layout is the ANSI LOGFONT of the 32-bit system, on every build width.
LOGFONTA LogFontFromBytes(const LogFontBytes& font);
LogFontBytes BytesFromLogFont(const LOGFONTA& font);

// The window rectangle (as it is, also when maximized or minimized) and the show state.
WindowPlacementValue PlacementOfWindow(HWND window);
// PrevWinRect and PrevWinStyle of the main window.
void SaveMainPlacement(HWND window);
