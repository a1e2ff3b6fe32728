// The game's help launcher and the real help viewer, two processes on a private X server: the
// first request starts the viewer at its topic, a later one is served within about a second,
// and every way of ending the viewer leaves the same values in the link file. Without Xvfb the
// viewer runs on the offscreen platform and the tests that need a desktop are skipped; without
// xdotool and openbox, so are the ones that press keys.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "common/settings/link_cycle.h"
#include "common/settings/link_file.h"
#include "game/help/help_link.h"
#include "game/shell/viewer_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

bool OnPath(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::string& workingFolder = "") {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

// Waits at most timeout for the child to end; its exit status, or nothing while it runs.
std::optional<int> AwaitExit(pid_t pid, milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  do {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(milliseconds(20));
  } while (Clock::now() < deadline);
  return std::nullopt;
}

// The output of a shell command, trailing line break removed.
std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);
  }
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

// A local port that nobody listens on at the moment.
int FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

// The body of a local HTTP server's answer to GET path; empty when none answers.
std::string HttpGet(int port, const std::string& path) {
  const int connection = socket(AF_INET, SOCK_STREAM, 0);
  const timeval patience{2, 0};
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  std::string answer;
  if (connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    if (write(connection, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
      // The server keeps the connection open: the body ends after Content-Length bytes.
      char buffer[4096];
      for (ssize_t count; (count = read(connection, buffer, sizeof buffer)) > 0;) {
        answer.append(buffer, static_cast<size_t>(count));
        const size_t body = answer.find("\r\n\r\n");
        const size_t length = answer.find("Content-Length:");
        if (body != std::string::npos && length < body &&
            answer.size() - body - 4 >= std::stoul(answer.substr(length + 15))) {
          break;
        }
      }
    }
  }
  close(connection);
  const size_t body = answer.find("\r\n\r\n");
  return body == std::string::npos ? std::string() : answer.substr(body + 4);
}

// The help document's title as the web engine's debugging service lists it, which writes the
// apostrophe as an HTML entity.
const std::string kHelpTitle = "Brindle&#39;s Deradu Help";

struct Page {
  std::string url;
  std::string title;
};

// The page whose address ends in addressEnd, in the debugging service's list of pages (a JSON
// array of flat objects); nothing when no page has that address.
std::optional<Page> PageAt(const std::string& pages, const std::string& addressEnd) {
  const auto field = [](std::string_view page, std::string_view name) -> std::optional<std::string> {
    const std::string key = "\"" + std::string(name) + "\": \"";
    const size_t start = page.find(key);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t from = start + key.size();
    return std::string(page.substr(from, page.find('"', from) - from));
  };
  for (size_t start = pages.find('{'); start != std::string::npos;
       start = pages.find('{', start + 1)) {
    const std::string_view page =
        std::string_view(pages).substr(start, pages.find('}', start) - start);
    const std::optional<std::string> url = field(page, "url");
    if (url && url->ends_with(addressEnd)) return Page{*url, field(page, "title").value_or("")};
  }
  return std::nullopt;
}

// A private X server (and window manager) for the whole test program.
class Desktop : public ::testing::Environment {
 public:
  static bool HasX() { return xvfb_ > 0; }
  static bool CanPressKeys() { return HasX() && windowManager_ > 0 && OnPath("xdotool"); }

  void SetUp() override {
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 1);
    if (!OnPath("Xvfb")) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      return;
    }
    int fds[2];
    if (pipe(fds) != 0) return;
    xvfb_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp"});
    close(fds[1]);
    std::string display;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') display += c;
    close(fds[0]);
    if (xvfb_ <= 0 || display.empty()) {
      xvfb_ = -1;
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      return;
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (OnPath("openbox")) {
      windowManager_ = Spawn({"openbox"});
      // The window manager names its check window on the root window once it manages it. On
      // a loaded machine it can give up on a display that has only just opened: start it again.
      const auto deadline = Clock::now() + std::chrono::seconds(OnPath("xprop") ? 30 : 0);
      while (Shell("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").find("window id") ==
                 std::string::npos &&
             Clock::now() < deadline) {
        if (waitpid(windowManager_, nullptr, WNOHANG) == windowManager_) {
          windowManager_ = Spawn({"openbox"});
        }
        std::this_thread::sleep_for(milliseconds(50));
      }
    }
  }
  void TearDown() override {
    for (const pid_t pid : {windowManager_, xvfb_}) {
      if (pid <= 0) continue;
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }

 private:
  static inline pid_t xvfb_ = -1;
  static inline pid_t windowManager_ = -1;
};

const auto* const kDesktop = ::testing::AddGlobalTestEnvironment(new Desktop);

// The game's platform with real processes and window requests; a pause watches the link file
// and notes when the viewer acknowledged the request.
class DesktopPlatform : public testing_support::FakePlatform {
 public:
  explicit DesktopPlatform(const fs::path& folder)
      : viewerPath_(help::ViewerPath(folder)), linkPath_(folder / "Leafview.ini") {}
  ~DesktopPlatform() override {
    for (const pid_t pid : viewers) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  bool StartProcess(const std::string& path, const std::string& workingFolder) override {
    const pid_t pid = Spawn({path}, workingFolder);
    if (pid <= 0) return false;
    viewers.push_back(pid);
    return true;
  }
  bool OpenDocument(const std::string&) override { return false; }
  bool WindowExists(int64_t handle) override {
    return shell::ViewerWindowExists(handle, viewerPath_);
  }
  void BringToFront(int64_t handle) override {
    FakePlatform::BringToFront(handle);
    shell::BringViewerToFront(handle, viewerPath_);
  }
  void AskToClose(int64_t handle) override {
    FakePlatform::AskToClose(handle);
    shell::AskViewerToClose(handle, viewerPath_);
  }
  void Sleep(uint32_t ms) override {
    FakePlatform::Sleep(ms);
    const auto start = Clock::now();
    servedAfter.reset();
    while (Clock::now() - start < milliseconds(ms)) {
      if (!servedAfter && LinkValue(settings::link::kLastTime) == "999") {
        servedAfter = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
      }
      std::this_thread::sleep_for(milliseconds(10));
    }
  }

  std::string LinkValue(std::string_view key) const {
    settings::LinkCycle cycle(linkPath_);
    return cycle.store.ReadSettingText(key, "<missing>");
  }

  std::vector<pid_t> viewers;
  std::optional<milliseconds> servedAfter;

 private:
  fs::path viewerPath_;
  fs::path linkPath_;
};

class HelpViewerEndToEnd : public ::testing::Test {
 protected:
  HelpViewerEndToEnd() {
    fs::copy_file(LEAFVIEW_PATH, folder / help::kViewerProgram);
    fs::copy_file(DERADU_HELP_DOCUMENT, folder / "deradu.htm");
    game.ExecutableFolder = game.ProgramFolder = folder.path();
    help::InitHelpLink(game, "deradu.htm", "Brindle's Deradu Help");
  }

  std::string Link(std::string_view key) const { return platform.LinkValue(key); }

  // The first request: starts the viewer and waits until it has acknowledged.
  pid_t StartViewerAt(std::string_view topic) {
    help::ShowHelpTopic(game, topic);
    EXPECT_EQ(platform.viewers.size(), 1u);
    if (platform.viewers.empty()) return -1;
    const pid_t viewer = platform.viewers.back();
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Link("HANDLE") != std::to_string(viewer) && Clock::now() < deadline) {
      std::this_thread::sleep_for(milliseconds(20));
    }
    EXPECT_EQ(Link("HANDLE"), std::to_string(viewer));
    EXPECT_EQ(Link("LASTTIME"), "999");
    return viewer;
  }

  // The viewer's X window, once it shows with the help title.
  std::string WindowOf(pid_t viewer) const {
    for (int i = 0; i < 300; ++i) {
      const std::string window =
          Shell("xdotool search --onlyvisible --pid " + std::to_string(viewer) +
                " --name \"^Brindle's Deradu Help$\" 2>/dev/null | head -1");
      if (!window.empty()) return window;
      std::this_thread::sleep_for(milliseconds(100));
    }
    return {};
  }

  // The viewer ends by itself within a few seconds and leaves its exit values.
  void ExpectEndedWithExitValues(pid_t viewer, std::optional<int> status = std::nullopt) {
    if (!status) status = AwaitExit(viewer, milliseconds(10000));
    ASSERT_TRUE(status.has_value()) << "the viewer did not end";
    std::erase(platform.viewers, viewer);
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
    EXPECT_EQ(Link("LASTTIME"), "000");
    EXPECT_EQ(Link("LASTHELP"), "");
    EXPECT_EQ(Link("HANDLE"), "0");
  }

  testing_support::TempFolder folder;
  DesktopPlatform platform{folder.path()};
  engine::Game game{platform};
};

TEST_F(HelpViewerEndToEnd, FirstRequestStartsTheViewerAtItsTopic) {
  const pid_t viewer = StartViewerAt("#Rules");
  EXPECT_EQ(Link("LASTHELP"), "#Rules");
  EXPECT_TRUE(platform.broughtToFront.empty());
  if (Desktop::HasX() && OnPath("xdotool")) {
    const std::string window = WindowOf(viewer);
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(Shell("xdotool getwindowname " + window), "Brindle's Deradu Help");
  }
}

TEST_F(HelpViewerEndToEnd, ARequestToARunningViewerIsServedWithinASecond) {
  const pid_t viewer = StartViewerAt("#Rules");
  for (const char* topic : {"#Game", "#Contents", "#Contents"}) {
    SCOPED_TRACE(topic);
    help::ShowHelpTopic(game, topic);
    EXPECT_EQ(platform.viewers.size(), 1u) << "no second viewer";
    ASSERT_TRUE(platform.servedAfter.has_value()) << "not served during the pause";
    std::printf("[ info ] %s served after %lld ms\n", topic,
                static_cast<long long>(platform.servedAfter->count()));
    EXPECT_LT(platform.servedAfter->count(), 1500);
    EXPECT_EQ(Link("LASTHELP"), topic);
  }
  EXPECT_EQ(platform.sleeps, (std::vector<uint32_t>{2000, 2000, 2000}));
  EXPECT_FALSE(AwaitExit(viewer, milliseconds(0)).has_value()) << "the raise did not end it";
}

TEST_F(HelpViewerEndToEnd, AnIdleViewerNoticesARequestWithinASecond) {
  StartViewerAt("#Rules");
  std::this_thread::sleep_for(milliseconds(1500));  // let the pane settle: no more events
  {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    cycle.store.WriteSettingText("LASTHELP", "#Game");
    cycle.store.WriteSettingText("LASTTIME", "50");
  }
  const auto start = Clock::now();
  while (Link("LASTTIME") != "999" && Clock::now() - start < milliseconds(5000)) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  std::printf("[ info ] served after %lld ms\n", static_cast<long long>(waited.count()));
  EXPECT_LT(waited.count(), 1500);
}

TEST_F(HelpViewerEndToEnd, GameShutdownClosesTheViewer) {
  const pid_t viewer = StartViewerAt("#Contents");
  help::CloseHelpViewer(game);
  EXPECT_EQ(platform.askedToClose, std::vector<int64_t>{viewer});
  ExpectEndedWithExitValues(viewer);
  EXPECT_EQ(Link("WinW"), "500");
  EXPECT_EQ(Link("WinH"), "300");
  // The next request starts a new viewer.
  StartViewerAt("#Rules");
}

TEST_F(HelpViewerEndToEnd, AQuitCodeAloneEndsTheViewer) {
  const pid_t viewer = StartViewerAt("#Contents");
  {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    cycle.store.WriteSettingText("LASTTIME", "666");
  }
  ExpectEndedWithExitValues(viewer);
}

TEST_F(HelpViewerEndToEnd, AStaleHandleLeadsToANewViewer) {
  // The number of a process that is not the viewer: this test program itself.
  {
    settings::LinkCycle cycle(folder / "Leafview.ini");
    cycle.store.WriteSettingText("HANDLE", std::to_string(getpid()));
  }
  StartViewerAt("#Game");
  EXPECT_TRUE(platform.broughtToFront.empty());
}

TEST_F(HelpViewerEndToEnd, TheWindowReopensWhereTheUserLeftIt) {
  if (!Desktop::HasX() || !OnPath("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool";
  const pid_t viewer = StartViewerAt("#Rules");
  const std::string window = WindowOf(viewer);
  ASSERT_FALSE(window.empty());
  Shell("xdotool windowsize --sync " + window + " 640 420");
  Shell("xdotool windowmove --sync " + window + " 300 250");
  const std::string where = Shell("xdotool getwindowgeometry --shell " + window);
  // The viewer learns of the move from the X server's events; one more request served
  // shows that its event loop has run since then, as it has by the time a person closes it.
  help::ShowHelpTopic(game, "#Game");
  const auto served = Clock::now() + std::chrono::seconds(30);
  while (Link("LASTTIME") != "999" && Clock::now() < served) {
    std::this_thread::sleep_for(milliseconds(20));
  }
  ASSERT_EQ(Link("LASTTIME"), "999");
  help::CloseHelpViewer(game);
  ExpectEndedWithExitValues(viewer);
  EXPECT_EQ(Link("WinW"), "640");
  EXPECT_EQ(Link("WinH"), "420");
  const std::string x = Link("WinX"), y = Link("WinY");

  const pid_t again = StartViewerAt("#Rules");
  const std::string reopened = WindowOf(again);
  ASSERT_FALSE(reopened.empty());
  // The window manager may place the window after it shows: wait for the old place.
  const std::string expected = Shell("echo '" + where + "' | grep -v WINDOW");
  const auto placed = Clock::now() + std::chrono::seconds(10);
  std::string geometry;
  do {
    geometry = Shell("xdotool getwindowgeometry --shell " + reopened + " | grep -v WINDOW");
    if (geometry == expected) break;
    std::this_thread::sleep_for(milliseconds(50));
  } while (Clock::now() < placed);
  EXPECT_EQ(geometry, expected);
  help::CloseHelpViewer(game);
  ExpectEndedWithExitValues(again);
  EXPECT_EQ(Link("WinX"), x);
  EXPECT_EQ(Link("WinY"), y);
}

// Both programs in a folder whose name holds a non-ASCII letter, a quote, "#", "&" and "%":
// the game starts the viewer and the pane shows the help document at its topic, not an error
// page. The web engine's debugging service tells the page's title and address. With a desktop
// the real game is started and sent F1; without one, the game's help launcher does its part.
TEST_F(HelpViewerEndToEnd, BothProgramsWorkFromAFolderWithAnOddName) {
  const fs::path odd = folder / "Zo\xc3\xab's games #2 & 100%";
  fs::create_directory(odd);
  fs::copy_file(LEAFVIEW_PATH, odd / help::kViewerProgram);
  fs::copy_file(TARNWICK_PATH, odd / help::kGameProgram);
  fs::copy_file(DERADU_HELP_DOCUMENT, odd / "deradu.htm");
  DesktopPlatform oddPlatform(odd);
  engine::Game oddGame(oddPlatform);
  oddGame.ExecutableFolder = odd;
  const int port = FreePort();
  setenv("QTWEBENGINE_REMOTE_DEBUGGING", ("127.0.0.1:" + std::to_string(port)).c_str(), 1);

  pid_t game = -1;
  if (Desktop::CanPressKeys()) {
    game = Spawn({(odd / help::kGameProgram).string()}, odd.string());
    std::string window;
    for (int i = 0; i < 100 && window.empty(); ++i) {
      window = Shell("xdotool search --onlyvisible --pid " + std::to_string(game) +
                     " --name \"^Brindle's Deradu$\" 2>/dev/null | head -1");
      std::this_thread::sleep_for(milliseconds(100));
    }
    ASSERT_FALSE(window.empty()) << "the game shows no window";
    Shell("xdotool windowactivate --sync " + window + " key --clearmodifiers F1");
  } else {
    help::InitHelpLink(oddGame, "deradu.htm", "Brindle's Deradu Help");
    help::ShowHelpTopic(oddGame, "#Contents");
  }
  unsetenv("QTWEBENGINE_REMOTE_DEBUGGING");

  // The address is set before the page has loaded, and until it has, the title is the
  // address's end ("deradu.htm#Contents"); the document's own title comes with the page. An
  // error page has another title.
  std::string pages;
  std::optional<Page> page;
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while ((!page || page->title != kHelpTitle) && Clock::now() < deadline) {
    std::this_thread::sleep_for(milliseconds(200));
    pages = HttpGet(port, "/json/list");
    page = PageAt(pages, "100%25/deradu.htm#Contents");
  }
  EXPECT_TRUE(page && page->title == kHelpTitle) << pages;
  EXPECT_TRUE(page && page->url.find("/Zo%C3%AB's%20games%20%232%20") != std::string::npos)
      << pages;

  // The game's shutdown ends the viewer, which leaves its exit values.
  const int64_t viewer = std::atoll(oddPlatform.LinkValue("HANDLE").c_str());
  EXPECT_TRUE(oddPlatform.WindowExists(viewer)) << "the viewer runs from the odd folder";
  if (game > 0) {
    Shell("xdotool search --pid " + std::to_string(game) +
          " --name \"Brindle's Deradu\" windowactivate --sync key --clearmodifiers alt+F4");
    EXPECT_TRUE(AwaitExit(game, milliseconds(10000)).has_value()) << "the game did not end";
  } else {
    help::CloseHelpViewer(oddGame);
  }
  const auto ended = Clock::now() + std::chrono::seconds(10);
  while (oddPlatform.WindowExists(viewer) && Clock::now() < ended) {
    std::this_thread::sleep_for(milliseconds(50));
  }
  EXPECT_FALSE(oddPlatform.WindowExists(viewer)) << "the viewer did not end";
  EXPECT_EQ(oddPlatform.LinkValue("LASTTIME"), "000");
  if (game > 0 && AwaitExit(game, milliseconds(0)) == std::nullopt) kill(game, SIGKILL);
  if (oddPlatform.WindowExists(viewer)) kill(static_cast<pid_t>(viewer), SIGKILL);
}

TEST_F(HelpViewerEndToEnd, ClosingByTheCloseBoxOrExitLeavesTheExitValues) {
  if (!Desktop::CanPressKeys()) GTEST_SKIP() << "needs Xvfb, openbox and xdotool";
  const struct {
    const char* name;
    const char* keys;
  } ways[] = {
      {"close box (Alt+F4 through the window manager)", "alt+F4"},
      {"Help > Exit from the keyboard", "alt Down Up Return"},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    const pid_t viewer = StartViewerAt("#Rules");
    const std::string window = WindowOf(viewer);
    ASSERT_FALSE(window.empty());
    std::optional<int> status;
    for (int attempt = 0; attempt < 3 && !status; ++attempt) {
      // On a busy machine the window manager may hand the viewer the keyboard late; keys
      // that went nowhere are sent again after closing any menu they opened.
      Shell("xdotool windowactivate --sync " + window);
      std::this_thread::sleep_for(milliseconds(300));
      if (attempt > 0) Shell("xdotool key --clearmodifiers Escape Escape");
      std::istringstream keys(way.keys);
      for (std::string key; keys >> key;) {
        Shell("xdotool key --clearmodifiers " + key);
        std::this_thread::sleep_for(milliseconds(300));
      }
      status = AwaitExit(viewer, milliseconds(5000));
    }
    ExpectEndedWithExitValues(viewer, status);
    EXPECT_EQ(Link("WinW"), "500");
    EXPECT_EQ(Link("WinH"), "300");
    platform.viewers.clear();
  }
}

}  // namespace
