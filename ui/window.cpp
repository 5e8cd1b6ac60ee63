#include "ui/window.h"

#include <exception>

#include "platform/debug_log.h"
#include "platform/text.h"

namespace keytidy::ui {

namespace {

constexpr wchar_t kNativeObjectProperty[] = L"Keytidy.Window";

// The object behind a window whose class is ours. During creation the
// creation parameter arrives before anything else can look it up.
Window* OwnObject(HWND window) noexcept { return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

}  // namespace

HINSTANCE ModuleInstance() {
  static const HINSTANCE instance = [] {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
    return module;
  }();
  return instance;
}

void RegisterWindowClass(const wchar_t* className, UINT classStyle, HCURSOR cursor, HBRUSH background) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(ModuleInstance(), className, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = Window::StaticWindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  windowClass.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
  RegisterClassExW(&windowClass);
}

Window* Window::FromHandle(HWND window) noexcept {
  if (!window || !IsWindow(window)) return nullptr;
  if (auto* native = static_cast<Window*>(GetPropW(window, kNativeObjectProperty))) return native;
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWindowProc))
    return OwnObject(window);
  return nullptr;
}

Window::~Window() { Destroy(); }

void Window::Destroy() noexcept {
  HWND window = handle_;
  if (!window) return;
  // The object is going away (or asked for it): no more messages reach it.
  if (native_) {
    RemovePropW(window, kNativeObjectProperty);
  } else {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  handle_ = nullptr;
  DestroyWindow(window);
}

bool Window::CreateOwnWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                             int width, int height, HWND parent, HMENU menuOrId) {
  native_ = false;
  HWND window =
      CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId, ModuleInstance(), this);
  return window != nullptr && handle_ == window;
}

bool Window::CreateNativeWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                                int y, int width, int height, HWND parent, HMENU menuOrId) {
  native_ = true;
  HWND window = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                ModuleInstance(), nullptr);
  if (!window) return false;
  handle_ = window;
  SetPropW(window, kNativeObjectProperty, this);
  // Native controls take the parent's font, not the system one.
  if (parent) SendMessageW(window, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
  return true;
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam)))
          if (child->OnReflectedCommand(HIWORD(wParam))) return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Window* child = FromHandle(header->hwndFrom)) {
        LRESULT result = 0;
        if (child->OnReflectedNotify(header, result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (Window* child = FromHandle(item->hwndItem))
        if (child->OnReflectedDrawItem(item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = child->OnReflectedColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->handle_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = OwnObject(window);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    try {
      self->OnWindowGone();
    } catch (...) {
      Debug_Output(L"Window: exception after the window was destroyed");
    }
    return result;
  }

  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    Debug_Output(L"Window: exception in message " + std::to_wstring(message) + L": " + Utf8ToUtf16(error.what()));
  } catch (...) {
    Debug_Output(L"Window: exception in message " + std::to_wstring(message));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the loop that owns it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace keytidy::ui
