// Leafview.exe as the game meets it: started in a folder with a link file, it acknowledges
// with "999" and records a live window handle; it serves a request; and it ends, leaving the
// exit values, on the game's close request to that handle and on the quit code alike. Needs
// a display (wine on Xvfb); without one the tests skip. Without its host library it shows
// the error box and changes nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "common/settings/link_cycle.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class LeafviewExe : public ::testing::Test {
 protected:
  void SetUp() override {
    HWND probe =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe == nullptr) GTEST_SKIP() << "no display for windows";
    DestroyWindow(probe);
    fs::copy_file(DERADU_LEAFVIEW_EXE, folder / "Leafview.exe");
    folder.Write("deradu.htm", "<html><body><a name=\"Rules\">Rules</a></body></html>");
  }
  void TearDown() override {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
    }
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  std::string Value(std::string_view key) {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    return cycle.store.ReadSettingText(key, "<missing>");
  }
  void Write(std::string_view key, std::string_view value) {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    cycle.store.WriteSettingText(key, value);
  }
  // Waits up to 30 seconds (a cold wine start is slow) for the condition.
  static bool Eventually(const std::function<bool()>& condition) {
    for (auto waited = 0ms; waited < 30s; waited += 100ms) {
      if (condition()) return true;
      std::this_thread::sleep_for(100ms);
    }
    return condition();
  }
  void Start() {
    std::wstring command = (folder / "Leafview.exe").wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(command.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_));
  }
  bool Ended() {
    DWORD code = STILL_ACTIVE;
    return WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.hProcess, &code) && code == 0;
  }

  testing_support::TempFolder folder;
  PROCESS_INFORMATION process_{};
};

TEST_F(LeafviewExe, AcknowledgesServesARequestAndEndsEitherWayWithTheExitValues) {
  const struct {
    const char* name;
    std::function<void(HWND)> end;
  } endings[] = {
      {"the game's close request", [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }},
      {"the quit code", [this](HWND) { Write("LASTTIME", "666"); }},
  };
  for (const auto& ending : endings) {
    SCOPED_TRACE(ending.name);
    folder.Write("Leafview.ini",
                 "HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\nLASTHELP = #Rules\r\n"
                 "LASTTIME = 50\r\nHANDLE = 0\r\nWinX = 40\r\nWinY = 60\r\nWinW = 420\r\n"
                 "WinH = 280\r\n");
    Start();
    ASSERT_TRUE(Eventually([&] { return Value("HANDLE") != "0"; }));
    EXPECT_EQ(Value("LASTTIME"), "999");
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(Value("HANDLE"))));
    ASSERT_TRUE(IsWindow(window));
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_EQ(std::wstring(title), L"Brindle's Deradu Help");

    Write("LASTHELP", "#Game");
    Write("LASTTIME", "50");
    EXPECT_TRUE(Eventually([&] { return Value("LASTTIME") == "999"; }));

    ending.end(window);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(Value("LASTTIME"), "000");
    EXPECT_EQ(Value("HANDLE"), "0");
    EXPECT_EQ(Value("LASTHELP"), "");
    EXPECT_EQ(Value("WinW"), "420");
    EXPECT_EQ(Value("WinH"), "280");
    TearDown();
    process_ = {};
    fs::remove(folder / "Leafview.ini");
  }
}

// A library the program finds beside itself comes before the system's; one that is no library
// fails to load, as a missing one would.
TEST_F(LeafviewExe, WithoutTheHostLibraryItSaysSoAndChangesNothing) {
  constexpr char kLink[] = "HelpFile = deradu.htm\r\nLASTHELP = #Rules\r\nLASTTIME = 50\r\n";
  folder.Write("Leafview.ini", kLink);
  folder.Write("atl.dll", "no library");
  Start();
  // The box titled "Error", once it shows its text.
  HWND box = nullptr;
  std::wstring text;
  EXPECT_TRUE(Eventually([&] {
    box = FindWindowW(nullptr, L"Error");
    wchar_t shown[64] = {};
    if (box != nullptr) GetDlgItemTextW(box, 0xFFFF, shown, 64);
    text = shown;
    return text == L"ATL.dll not found";
  })) << "the box says: " << std::string(text.begin(), text.end());
  if (box != nullptr) PostMessageW(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process_.hProcess, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(folder.Read("Leafview.ini"), kLink);
}

}  // namespace
