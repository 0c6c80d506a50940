// The native single-line edit: the system's EDIT window, subclassed so the
// framework sees its keys, characters, focus, mouse and clipboard messages
// first, with the state colours answered to WM_CTLCOLOREDIT and the custom
// frame painted over the client edge after the default WM_NCPAINT.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>

#include "platform/WindowSystem.h"

namespace tandrel::platform {

using ErrorReporter = std::function<void(std::exception_ptr)>;

HWND CreateEditWindow(const WindowSpec& params, WindowHandler* handler, HINSTANCE instance,
                      HMENU id, ErrorReporter report);
bool IsEditWindow(HWND hwnd);
// A parent's WM_COMMAND from `child`: EN_CHANGE of an edit reaches its
// handler. True when it was an edit's.
bool ReflectEditCommand(HWND child, UINT code);
// A parent's WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC: sets the edit's colours
// on `dc` and returns its background brush; null when `child` is no edit.
HBRUSH EditColorBrush(HWND child, HDC dc);
void SetEditFont(HWND edit, const FontSpec& font);

}  // namespace tandrel::platform
