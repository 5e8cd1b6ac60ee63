#include "app/main_window.h"

#include "app/globals.h"
#include "app/startup.h"

namespace keytidy {

namespace {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_CLOSE:
      // The close query: everything still running is asked to stop.
      APP_TERMINATING = true;
      STOP_REQUESTED = true;
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RunMainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kMainWindowClassName;
  if (!RegisterClassExW(&windowClass)) return;

  APP_TERMINATING = false;
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClassName, ProductTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 900, 620, nullptr, nullptr, instance, nullptr);
  if (!window) return;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  UnregisterClassW(kMainWindowClassName, instance);
}

}  // namespace keytidy
