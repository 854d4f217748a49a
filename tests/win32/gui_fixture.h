#pragma once
// A Win32Gui with window 1 open, and ways to look at its real controls.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_gui.h"

namespace qk::test {

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gui.openMainWindow("Quellkiste Test", 520, 440)); }

  HWND window(int number) const { return static_cast<HWND>(gui.windowHandle(number)); }
  HWND control(int number) const { return static_cast<HWND>(gui.controlHandle(number)); }

  // Handles every message posted so far and returns the events they raised:
  // a close request posted to window 1 marks the end of the queue.
  std::vector<Event> eventsSoFar() {
    PostMessageA(window(1), WM_CLOSE, 0, 0);
    std::vector<Event> events;
    for (;;) {
      Event event = gui.waitEvent();
      if (event.kind == kEventClose && event.window == 1) return events;
      events.push_back(event);
    }
  }

  // The control events among eventsSoFar().
  std::vector<Event> controlEventsSoFar() {
    std::vector<Event> controls;
    for (const Event& event : eventsSoFar())
      if (event.kind == kEventControl) controls.push_back(event);
    return controls;
  }

  Win32Gui gui;
};

// Polls a condition on another thread's behalf for up to five seconds.
inline bool waitFor(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The visible top-level window of a class that belongs to this process.
inline HWND findOwnWindow(const char* className) {
  struct Search {
    const char* className;
    HWND found;
  } search{className, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        char name[64] = "";
        GetClassNameA(hwnd, name, sizeof name);
        if (process == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
            std::string(name) == s->className) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace qk::test
