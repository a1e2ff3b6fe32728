// The game's window requests on Windows against real windows: a window that is not the
// viewer's (another class, or the viewer's own class in another program) is never taken for
// it and gets no request; the real Leafview.exe, minimised, is restored when brought to the
// front, and closed while minimised it stores the place it is restored to. Needs a display
// (wine on Xvfb); without one the tests skip.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "common/settings/link_cycle.h"
#include "game/shell/viewer_window.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Waits up to 30 seconds (a cold wine start is slow) for the condition.
bool Eventually(const std::function<bool()>& condition) {
  for (auto waited = 0ms; waited < 30s; waited += 50ms) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

int64_t HandleOf(HWND window) { return static_cast<int64_t>(reinterpret_cast<INT_PTR>(window)); }

bool HaveDisplay() {
  HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (probe == nullptr) return false;
  DestroyWindow(probe);
  return true;
}

TEST(ViewerWindowRequests, AWindowOfAnotherProgramTakesNoRequest) {
  if (!HaveDisplay()) GTEST_SKIP() << "no display for windows";
  const fs::path viewerPath = fs::current_path() / "Leafview.exe";
  // This test program is the other program; the second class is the viewer's own.
  for (const wchar_t* className : {L"DeraduForeign", L"DeraduLeafview"}) {
    SCOPED_TRACE(fs::path(className).string());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND window = CreateWindowExW(0, className, L"Foreign", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    const int64_t handle = HandleOf(window);

    EXPECT_FALSE(shell::ViewerWindowExists(handle, viewerPath));
    shell::BringViewerToFront(handle, viewerPath);
    shell::AskViewerToClose(handle, viewerPath);
    MSG message;
    bool closeRequested = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      closeRequested |= message.hwnd == window && message.message == WM_CLOSE;
      DispatchMessageW(&message);
    }
    EXPECT_FALSE(closeRequested);
    EXPECT_TRUE(IsIconic(window)) << "the window was restored";

    DestroyWindow(window);
    EXPECT_FALSE(shell::ViewerWindowExists(handle, viewerPath)) << "a window that is gone";
  }
}

TEST(ViewerWindowRequests, AMinimisedViewerIsRestoredAndClosesAtItsRestoredPlace) {
  if (!HaveDisplay()) GTEST_SKIP() << "no display for windows";
  testing_support::TempFolder folder;
  const fs::path viewerPath = folder / "Leafview.exe";
  fs::copy_file(DERADU_LEAFVIEW_EXE, viewerPath);
  folder.Write("deradu.htm", "<html><body><a name=\"Rules\">Rules</a></body></html>");
  folder.Write("Leafview.ini",
               "HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\nLASTHELP = #Rules\r\n"
               "LASTTIME = 50\r\nHANDLE = 0\r\nWinX = 40\r\nWinY = 60\r\nWinW = 420\r\n"
               "WinH = 280\r\n");
  const auto value = [&](std::string_view key) {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    return cycle.store.ReadSettingText(key, "<missing>");
  };
  std::wstring command = viewerPath.wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(command.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  CloseHandle(process.hThread);

  ASSERT_TRUE(Eventually([&] { return value("HANDLE") != "0"; }));
  const int64_t handle = std::stoll(value("HANDLE"));
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
  EXPECT_TRUE(shell::ViewerWindowExists(handle, viewerPath));

  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(Eventually([&] { return IsIconic(window) != FALSE; }));
  shell::BringViewerToFront(handle, viewerPath);
  EXPECT_TRUE(Eventually([&] { return !IsIconic(window); })) << "the raise left it minimised";

  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(Eventually([&] { return IsIconic(window) != FALSE; }));
  shell::AskViewerToClose(handle, viewerPath);
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(ended) << "the close request did not end the viewer";
  EXPECT_EQ(value("HANDLE"), "0");
  EXPECT_EQ(value("WinX"), "40");
  EXPECT_EQ(value("WinY"), "60");
  EXPECT_EQ(value("WinW"), "420");
  EXPECT_EQ(value("WinH"), "280");
}

}  // namespace
