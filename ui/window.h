#pragma once
// The base of every window the widget layer creates. One object per window,
// never copied. Windows of our own classes reach their object through one
// static window procedure: the object travels as the creation parameter,
// lives in GWLP_USERDATA from WM_NCCREATE on and is cleared on WM_NCDESTROY.
// Native controls (buttons, list views) keep their object in a window
// property instead, since their procedure is the system's.
//
// Nothing unwinds through the window system: the static procedure catches
// every exception, logs it and falls back to the default handling.
#include <windows.h>

#include <string>

namespace keytidy::ui {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const noexcept { return handle_; }
  bool Alive() const noexcept { return handle_ != nullptr; }

  // The object behind a window of ours (own class or wrapped native
  // control); null for anything else.
  static Window* FromHandle(HWND window) noexcept;

  // Destroys the window now; the object stays and can be queried.
  void Destroy() noexcept;

  // Message handling of an own-class window. The base reflects the
  // notifications native children send to their parent (WM_COMMAND,
  // WM_NOTIFY, WM_DRAWITEM, colour queries) back to the child's object and
  // leaves everything else to the default procedure.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Notifications reflected from the parent. Return true when handled;
  // `result` is then the parent's answer.
  virtual bool OnReflectedCommand(WORD code) { return false; }
  virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result) { return false; }
  virtual bool OnReflectedDrawItem(DRAWITEMSTRUCT* item) { return false; }
  // A brush for WM_CTLCOLORSTATIC / WM_CTLCOLORBTN, or null for the default.
  virtual HBRUSH OnReflectedColor(HDC dc) { return nullptr; }

 protected:
  // Creates a window of a class registered with RegisterWindowClass; this
  // object receives its messages from WM_NCCREATE on.
  bool CreateOwnWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                       int width, int height, HWND parent, HMENU menuOrId = nullptr);
  // Creates a native control and links it to this object.
  bool CreateNativeWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId = nullptr);

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  // Called once when the window is gone (after WM_NCDESTROY).
  virtual void OnWindowGone() {}

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  friend void RegisterWindowClass(const wchar_t*, UINT, HCURSOR, HBRUSH);

  HWND handle_ = nullptr;
  bool native_ = false;
};

// Registers a window class whose windows are Window objects. Registering the
// same name again does nothing.
void RegisterWindowClass(const wchar_t* className, UINT classStyle = CS_HREDRAW | CS_VREDRAW, HCURSOR cursor = nullptr,
                         HBRUSH background = nullptr);

// The module all our classes belong to.
HINSTANCE ModuleInstance();

// Processes pending messages of this thread without waiting. Used where
// long work keeps the windows alive between steps.
void ProcessMessages();

}  // namespace keytidy::ui
