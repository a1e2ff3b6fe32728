// The help viewer's logic through a recording fake: start-up with its order of link-file
// writes, the poll's handling of every state code, the menu and controls, the layout, and the
// exit values whichever way the viewer ends.
#include "viewer/viewer.h"
#include "viewer/window_place.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "common/settings/link_cycle.h"
#include "common/settings/path_text.h"
#include "common/settings/settings_store.h"
#include "game/help/help_link.h"
#include "tests/support/fake_platform.h"
#include "tests/support/environment.h"
#include "tests/support/hostile_places.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"
#include "tests/viewer/fake_viewer_platform.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using testing_support::FakeViewerPlatform;
using testing_support::TempFolder;
using viewer::ViewerEvent;
using Kind = viewer::ViewerEvent::Kind;

constexpr char kStartLink[] =
    "HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\nLASTHELP = #Rules\r\n"
    "LASTTIME = 50\r\nHANDLE = 0\r\n";

class ViewerTest : public ::testing::Test {
 protected:
  std::string Link() const { return folder.Read("Leafview.ini"); }
  void WriteLink(std::string_view text) const { folder.Write("Leafview.ini", text); }
  std::string LinkValue(std::string_view key) const {
    settings::SettingsStore store;
    store.OpenSettings(folder / "Leafview.ini");
    return store.ReadSettingText(key, "<missing>");
  }
  std::string HelpUrl() const { return "file://" + (folder.path() / "deradu.htm").string(); }
  // Starts a viewer on kStartLink and forgets what start-up did.
  void StartRunning() {
    WriteLink(kStartLink);
    ASSERT_EQ(viewer::StartViewer(viewer), viewer::StartResult::Running);
    platform.calls.clear();
    platform.navigations.clear();
    platform.statusTexts.clear();
  }

  TempFolder folder;
  FakeViewerPlatform platform;
  viewer::Viewer viewer{platform, folder.path()};
};

TEST_F(ViewerTest, StartUpOpensTheWindowAtTheRequestedTopicAndAcknowledges) {
  WriteLink(kStartLink);
  ASSERT_EQ(viewer::StartViewer(viewer), viewer::StartResult::Running);

  EXPECT_EQ(platform.calls.front(), "OpenMainWindow 100 200 500 300 Brindle's Deradu Help");
  EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Rules"});
  EXPECT_EQ(platform.statusTexts, (std::vector<std::string>{"Brindle's Deradu Help Help",
                                                            "Loading Help deradu.htm"}));
  // LASTTIME is acknowledged first, then the handle recorded; both in the one rewrite.
  EXPECT_EQ(Link(),
            "HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\nLASTHELP = #Rules\r\n"
            "LASTTIME = 999\r\nHANDLE = 4242\r\n");
}

// Installed where the player cannot write: the link file is the one in the user's data
// folder, where the game writes it, and the help document is still the program folder's.
#ifdef _WIN32
TEST_F(ViewerTest, AReadOnlyProgramFolderMeetsTheGameInTheUsersDataFolder) {
  GTEST_SKIP() << "XDG_DATA_HOME names the data folder on POSIX systems only";
}
#else
TEST_F(ViewerTest, AReadOnlyProgramFolderMeetsTheGameInTheUsersDataFolder) {
  const fs::path program = folder / "program";
  fs::create_directories(program);
  fs::create_directories(folder / "data" / "deradu");
  folder.Write("data/deradu/Leafview.ini", kStartLink);
  testing_support::GiveToUnprivilegedUser(folder / "data");
  testing_support::MakeFolderReadOnly(program);

  const std::string seen = testing_support::RunUnprivileged([&] {
    testing_support::SetEnvironment("XDG_DATA_HOME", settings::Utf8FromPath(folder / "data"));
    viewer::Viewer installed(platform, program);
    if (viewer::StartViewer(installed) != viewer::StartResult::Running) return std::string("ended");
    return platform.navigations.at(0);
  });
  EXPECT_EQ(seen, "file://" + (program / "deradu.htm").string() + "#Rules");
  settings::SettingsStore store;
  store.OpenSettings(folder / "data" / "deradu" / "Leafview.ini");
  EXPECT_EQ(store.ReadSettingText("LASTTIME", ""), "999");
  EXPECT_FALSE(fs::exists(program / "Leafview.ini"));
  fs::permissions(program, fs::perms::owner_write, fs::perm_options::add);
}
#endif

TEST_F(ViewerTest, StartUpWritesTheAcknowledgementBeforeTheHandle) {
  WriteLink("HelpFile = deradu.htm\r\n");
  ASSERT_EQ(viewer::StartViewer(viewer), viewer::StartResult::Running);
  EXPECT_EQ(Link(), "HelpFile = deradu.htm\r\nLASTTIME = 999\r\nHANDLE = 4242\r\n");
  EXPECT_EQ(platform.calls.front(), "OpenMainWindow 100 200 500 300 Leaf View");
  EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl()}) << "no topic, no anchor";
}

TEST_F(ViewerTest, StartUpBuildsMenuControlsAndPaneInOrder) {
  WriteLink(kStartLink);
  viewer::StartViewer(viewer);
  const std::vector<std::string> expected = {
      "OpenMainWindow 100 200 500 300 Brindle's Deradu Help",
      "CreateMenu Help|Contents|Contact|http://www.example.org/deradu/|About|Exit",
      "CreateStatusBar",
      "Status Brindle's Deradu Help Help",
      "CreateControl 1",
      "CreateControl 2",
      "CreateControl 3",
      "CreateControl 4",
      "CreateControl 5",
      "CreateControl 6",
      "CreateHtmlPane " + HelpUrl() + "#Rules",
      "BlockPopups",
      "BlockContextMenu",
      "Status Loading Help deradu.htm",
      "AddEnterShortcut 5",
  };
  EXPECT_EQ(platform.calls, expected);
}

TEST_F(ViewerTest, WindowReopensWhereItWasClosed) {
  WriteLink("HelpFile = d.htm\r\nWinX = -8\r\nWinY = 31\r\nWinW = 640\r\nWinH = 480\r\n");
  viewer::StartViewer(viewer);
  EXPECT_EQ(platform.calls.front(), "OpenMainWindow -8 31 640 480 Leaf View");
}

// Measures edited beyond any screen are held within 65536 either way, as if clamped there.
TEST_F(ViewerTest, HugeStoredMeasuresOpenTheWindowAsClampedOnes) {
  const struct {
    const char* values;  // WinX, WinY, WinW, WinH
    const char* opened;
  } cases[] = {
      {"2147483647 -2147483648 2147483647 -2147483648", "65536 -65536 65536 -65536"},
      {"99999999999 -99999 65537 -65537", "65536 -65536 65536 -65536"},
      {"65536 -65536 640 480", "65536 -65536 640 480"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.values);
    std::istringstream values(c.values);
    std::string x, y, w, h;
    values >> x >> y >> w >> h;
    FakeViewerPlatform fresh;
    viewer::Viewer opened{fresh, folder.path()};
    WriteLink("HelpFile = d.htm\r\nWinX = " + x + "\r\nWinY = " + y + "\r\nWinW = " + w +
              "\r\nWinH = " + h + "\r\n");
    viewer::StartViewer(opened);
    EXPECT_EQ(fresh.calls.front(), std::string("OpenMainWindow ") + c.opened + " Leaf View");
  }
}

TEST_F(ViewerTest, WithoutAHelpFileTheViewerSaysSoAndWritesNothing) {
  const struct {
    const char* name;
    const char* link;  // nullptr: no link file at all
  } cases[] = {
      {"no link file", nullptr},
      {"HelpFile missing", "Title = T\r\nLASTTIME = 50\r\n"},
      {"HelpFile NoHelp", "helpfile=NoHelp\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code ignored;
    fs::remove(folder / "Leafview.ini", ignored);
    if (c.link != nullptr) WriteLink(c.link);
    FakeViewerPlatform fresh;
    viewer::Viewer v{fresh, folder.path()};
    EXPECT_EQ(viewer::StartViewer(v), viewer::StartResult::Ended);
    EXPECT_FALSE(fresh.windowOpened);
    ASSERT_EQ(fresh.messages.size(), 1u);
    EXPECT_EQ(fresh.messages[0].title, "Leafview");
    EXPECT_EQ(fresh.messages[0].text, "No Helpfile specified");
    EXPECT_TRUE(fresh.messages[0].errorIcon);
    if (c.link == nullptr) {
      EXPECT_FALSE(fs::exists(folder / "Leafview.ini"));
    } else {
      EXPECT_EQ(Link(), c.link) << "the file is not even rewritten";
    }
  }
}

TEST_F(ViewerTest, WithoutAnHtmlEngineTheViewerSaysSoAndWritesNothing) {
  WriteLink(kStartLink);
  platform.paneCreates = false;
  EXPECT_EQ(viewer::StartViewer(viewer), viewer::StartResult::Ended);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Error");
  EXPECT_EQ(platform.messages[0].text, "ATL.dll not found");
  EXPECT_FALSE(platform.messages[0].errorIcon);
  EXPECT_EQ(Link(), kStartLink);
}

TEST_F(ViewerTest, AWindowThatCannotOpenLeavesTheExitValuesAndTheOldPlace) {
  WriteLink("HelpFile = deradu.htm\r\nLASTTIME = 50\r\nLASTHELP = #Game\r\nWinX = 5\r\n");
  platform.windowOpens = false;
  EXPECT_EQ(viewer::StartViewer(viewer), viewer::StartResult::Ended);
  EXPECT_EQ(Link(),
            "HelpFile = deradu.htm\r\nLASTTIME = 000\r\nLASTHELP = \r\nWinX = 5\r\nHANDLE = 0\r\n");
}

#ifndef _WIN32
// The game waits on the link file's lock; a message box must never keep it waiting.
TEST_F(ViewerTest, MessageBoxesShowWithTheLinkFileFree) {
  for (const bool paneCreates : {true, false}) {
    WriteLink(paneCreates ? "Title = T\r\n" : kStartLink);
    FakeViewerPlatform fresh;
    fresh.paneCreates = paneCreates;
    bool lockFree = false;
    fresh.whileMessageShows = [&] {
      const int file = open((folder / "Leafview.ini.lock").c_str(), O_RDWR | O_CREAT, 0666);
      lockFree = flock(file, LOCK_EX | LOCK_NB) == 0;
      close(file);
    };
    viewer::Viewer v{fresh, folder.path()};
    viewer::StartViewer(v);
    ASSERT_EQ(fresh.messages.size(), 1u);
    EXPECT_TRUE(lockFree) << fresh.messages[0].text;
  }
}
#endif

TEST_F(ViewerTest, PollServesCodesBelow111AndQuitsOn666) {
  const struct {
    const char* name;
    const char* lastTime;  // nullptr: no LASTTIME key
    bool served;
    bool goesOn;
  } cases[] = {
      {"110", "110", true, true},       {"50", "50", true, true},
      {"000", "000", true, true},       {"negative", "-7", true, true},
      {"not a number", "abc", true, true}, {"empty", "", true, true},
      {"missing", nullptr, true, true}, {"blanks before", "  50", true, true},
      {"111", "111", false, true},      {"999", "999", false, true},
      {"667", "667", false, true},      {"666", "666", false, false},
      {"666 with blanks", " 666", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartRunning();
    std::string link = "HelpFile = deradu.htm\r\nLASTHELP = #Game\r\nHANDLE = 4242\r\n";
    if (c.lastTime != nullptr) link += "LASTTIME = " + std::string(c.lastTime) + "\r\n";
    WriteLink(link);
    EXPECT_EQ(viewer::HandleEvent(viewer, {Kind::Idle}), c.goesOn);
    if (c.served) {
      EXPECT_EQ(LinkValue("LASTTIME"), "999");
      EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Game"});
      EXPECT_EQ(platform.statusTexts, std::vector<std::string>{"LASTHELP #Game"});
      EXPECT_EQ(viewer.topic, "#Game");
    } else {
      EXPECT_EQ(Link(), link) << "nothing to do: the file stays untouched";
      EXPECT_TRUE(platform.navigations.empty());
    }
  }
}

TEST_F(ViewerTest, PollKeepsTheCurrentTopicWhenNoneIsGiven) {
  StartRunning();
  WriteLink("LASTTIME = 50\r\n");
  viewer::HandleEvent(viewer, {Kind::Idle});
  EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Rules"});
  EXPECT_EQ(platform.statusTexts, std::vector<std::string>{"LASTHELP #Rules"});
}

TEST_F(ViewerTest, ALinkFileThatVanishesIsRecreatedByTheNextPoll) {
  StartRunning();
  fs::remove(folder / "Leafview.ini");
  EXPECT_TRUE(viewer::HandleEvent(viewer, {Kind::Idle}));
  EXPECT_EQ(Link(), "LASTTIME = 999\r\n");
  EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Rules"});
}

// A "999" that cannot be written must not make every poll navigate again: each request is
// served once, and a new one is still served when the game manages to write it.
TEST_F(ViewerTest, ARequestIsServedOnceWhenItsAcknowledgementCannotBeWritten) {
#ifdef _WIN32
  GTEST_SKIP() << "on Windows a read-only file cannot be renamed over, so no game replaces it";
#endif
  // Replaces the link file as the game does (a new file renamed over the old one), read-only.
  const auto replaceLink = [&](std::string_view text) {
    folder.Write("Leafview.new", text);
    fs::permissions(folder / "Leafview.new", fs::perms::owner_read | fs::perms::group_read |
                                                 fs::perms::others_read);
    fs::rename(folder / "Leafview.new", folder / "Leafview.ini");
  };
  const auto pollThreeTimes = [&] {
    for (int i = 0; i < 3; ++i) viewer::HandleEvent(viewer, {Kind::Idle});
  };
  {
    SCOPED_TRACE("a read-only link file holding LASTTIME = 50");
    testing_support::GiveToUnprivilegedUser(folder.path());
    // What the viewer showed, after the LASTTIME that its polls left in the file.
    const std::string seen = testing_support::RunUnprivileged([&] {
      replaceLink(kStartLink);
      if (viewer::StartViewer(viewer) != viewer::StartResult::Running) return std::string("ended");
      pollThreeTimes();
      replaceLink("HelpFile = deradu.htm\r\nLASTHELP = #Game\r\nLASTTIME = 50\r\n");
      pollThreeTimes();
      std::string shown = LinkValue("LASTTIME");
      for (const std::string& address : platform.navigations) shown += " " + address;
      return shown;
    });
    EXPECT_EQ(seen, "50 " + HelpUrl() + "#Rules " + HelpUrl() + "#Game");
  }
  {
    SCOPED_TRACE("a folder in the link file's place (LASTTIME reads as 0)");
    fs::remove_all(folder / "Leafview.ini");
    StartRunning();
    fs::remove(folder / "Leafview.ini");
    fs::create_directory(folder / "Leafview.ini");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(viewer::HandleEvent(viewer, {Kind::Idle}));
    EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Rules"});
  }
}

// The game's help command written again, word for word, while the viewer could not write
// the "999" of the same request: the repeat is a new request and is shown again.
TEST_F(ViewerTest, ARequestTheGameWritesAgainIsServedAgain) {
  testing_support::GiveToUnprivilegedUser(folder.path());
  const std::string seen = testing_support::RunUnprivileged([&] {
    testing_support::FakePlatform gamePlatform;
    engine::Game game(gamePlatform);
    game.ProgramFolder = game.ExecutableFolder = folder.path();
    const fs::path link = folder / "Leafview.ini";
    const auto setReadOnly = [&](bool readOnly) {
      fs::permissions(link, fs::perms::owner_write | fs::perms::group_write,
                      readOnly ? fs::perm_options::remove : fs::perm_options::add);
    };
    WriteLink(kStartLink);
    if (viewer::StartViewer(viewer) != viewer::StartResult::Running) return std::string("ended");
    help::ShowHelpTopic(game, "#Game");
    // An hour ago, so that only a write, not the clock's granularity, gives a new time.
    fs::last_write_time(link, fs::last_write_time(link) - std::chrono::hours(1));
    setReadOnly(true);
    viewer::HandleEvent(viewer, {Kind::Idle});
    setReadOnly(false);
    help::ShowHelpTopic(game, "#Game");
    for (int i = 0; i < 3; ++i) viewer::HandleEvent(viewer, {Kind::Idle});
    std::string shown = LinkValue("LASTTIME");
    for (const std::string& address : platform.navigations) shown += " " + address;
    return shown;
  });
  EXPECT_EQ(seen, "999 " + HelpUrl() + "#Rules " + HelpUrl() + "#Game " + HelpUrl() + "#Game");
}

// The web engine may take longer to start than the game waits for the lock: the lock is free
// meanwhile, and what the game writes during the start is honoured by its end.
TEST_F(ViewerTest, WhatTheGameWritesWhileTheViewerStartsIsHonoured) {
  const struct {
    const char* name;
    const char* lastTimeAtStart;
    const char* gameWrites;  // nullptr: the game writes nothing meanwhile
    bool running;
    std::vector<std::string> topics;
    const char* lastTime;
  } cases[] = {
      {"the game shuts down: the viewer ends too", "50", "666", false, {"#Rules"}, "000"},
      {"a request for another topic is shown", "50", "50", true, {"#Rules", "#Game"}, "999"},
      {"a quit code of an earlier game is replaced", "666", nullptr, true, {"#Rules"}, "999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLink("HelpFile = deradu.htm\r\nLASTHELP = #Rules\r\nLASTTIME = " +
              std::string(c.lastTimeAtStart) + "\r\n");
    FakeViewerPlatform fresh;
    bool lockFree = false;
    fresh.whilePaneStarts = [&] {
#ifndef _WIN32
      const int file = open((folder / "Leafview.ini.lock").c_str(), O_RDWR | O_CREAT, 0666);
      lockFree = flock(file, LOCK_EX | LOCK_NB) == 0;
      close(file);
#else
      lockFree = true;
#endif
      if (c.gameWrites == nullptr) return;
      settings::LinkCycle cycle(folder / "Leafview.ini");
      cycle.store.WriteSettingText("LASTTIME", c.gameWrites);
      cycle.store.WriteSettingText("LASTHELP", "#Game");
    };
    viewer::Viewer v{fresh, folder.path()};
    EXPECT_EQ(viewer::StartViewer(v) == viewer::StartResult::Running, c.running);
    EXPECT_TRUE(lockFree);
    std::vector<std::string> expected;
    for (const std::string& topic : c.topics) expected.push_back(HelpUrl() + topic);
    EXPECT_EQ(fresh.navigations, expected);
    EXPECT_EQ(LinkValue("LASTTIME"), c.lastTime);
    EXPECT_EQ(LinkValue("HANDLE"), c.running ? "4242" : "0");
  }
}

TEST_F(ViewerTest, TheSameTopicAskedAgainIsShownAgain) {
  StartRunning();
  for (int i = 0; i < 2; ++i) {
    WriteLink("LASTTIME = 50\r\nLASTHELP = #Rules\r\n");
    viewer::HandleEvent(viewer, {Kind::Idle});
  }
  EXPECT_EQ(platform.navigations.size(), 2u);
}

TEST_F(ViewerTest, EveryWayOfEndingLeavesTheSameExitValues) {
  const struct {
    const char* name;
    ViewerEvent event;
    const char* lastTime;
  } cases[] = {
      {"close box", {Kind::CloseRequest}, "999"},
      {"Exit item", {Kind::Menu, viewer::kMenuExit}, "999"},
      {"quit request", {Kind::Idle}, "666"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartRunning();
    WriteLink("HelpFile = deradu.htm\r\nTitle = T\r\nLASTHELP = #Rules\r\nHANDLE = 4242\r\n"
              "LASTTIME = " + std::string(c.lastTime) + "\r\nWinX = 100\r\nWinY = 200\r\n"
              "WinW = 500\r\nWinH = 300\r\n");
    platform.window = {-4, 12, 612, 407};  // the user moved and resized the window
    EXPECT_FALSE(viewer::HandleEvent(viewer, c.event));
    viewer::ExitViewer(viewer);
    EXPECT_EQ(Link(),
              "HelpFile = deradu.htm\r\nTitle = T\r\nLASTHELP = \r\nHANDLE = 0\r\n"
              "LASTTIME = 000\r\nWinX = -4\r\nWinY = 12\r\nWinW = 612\r\nWinH = 407\r\n");
  }
}

// Where the window system keeps places to itself, the exit stores the size and keeps the
// place stored before, for the sessions that use places.
TEST_F(ViewerTest, ExitWithoutAKnownPlaceStoresTheSizeAndKeepsTheStoredPlace) {
  StartRunning();
  WriteLink("WinX = 100\r\nWinY = 200\r\nWinW = 500\r\nWinH = 300\r\n");
  platform.window = {-3, -30, 612, 407, false};
  viewer::ExitViewer(viewer);
  EXPECT_EQ(Link(), "WinX = 100\r\nWinY = 200\r\nWinW = 612\r\nWinH = 407\r\n"
                    "LASTTIME = 000\r\nLASTHELP = \r\nHANDLE = 0\r\n");
}

// The game's token is used once: the desktop would refuse it a second time.
TEST_F(ViewerTest, TheTokenOfARaiseRequestIsTakenOnce) {
  StartRunning();
  WriteLink("LASTTIME = 999\r\nActivationToken = abc-1\r\n");
  EXPECT_EQ(viewer::TakeActivationToken(viewer), "abc-1");
  EXPECT_EQ(Link(), "LASTTIME = 999\r\nActivationToken = \r\n");
  EXPECT_EQ(viewer::TakeActivationToken(viewer), "");
  WriteLink("LASTTIME = 999\r\n");
  EXPECT_EQ(viewer::TakeActivationToken(viewer), "");
  EXPECT_EQ(Link(), "LASTTIME = 999\r\n");
}

// The title bar must be reachable: within a screen's height, and grippable within its width.
TEST(WindowPlaceTest, AStoredPlaceIsUsedOnlyWithItsTitleBarOnAScreen) {
  const viewer::Rect twoScreens[] = {{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
  const viewer::Rect belowLeft[] = {{-1920, 200, 1920, 1080}};
  const struct {
    viewer::WindowMeasures place;
    std::span<const viewer::Rect> screens;
    bool used;
  } cases[] = {
      {{100, 200, 500, 300}, twoScreens, true},
      {{-3, -30, 500, 300}, twoScreens, false},          // a Wayland session's leftover
      {{-3, 0, 500, 300}, twoScreens, true},             // a frame edge off to the left
      {{0, -1, 500, 300}, twoScreens, false},            // title bar's top above the screens
      {{0, 1004, 500, 300}, twoScreens, true},           // title bar just fits at the bottom
      {{0, 1005, 500, 300}, twoScreens, false},          // ... and one pixel lower does not
      {{0, 1070, 500, 300}, twoScreens, false},          // below the first, beside the second's
      {{1500, 1050, 500, 300}, twoScreens, true},        // on the taller second screen
      {{-460, 100, 500, 300}, twoScreens, true},         // 40 pixels to grab
      {{-461, 100, 500, 300}, twoScreens, false},        // 39
      {{3170, 100, 30, 300}, twoScreens, true},          // all of a 30-pixel window
      {{3170, 100, 500, 300}, twoScreens, false},        // 30 of a wide one
      {{3200, 100, 30, 300}, twoScreens, false},         // right of every screen
      {{-500, 300, 500, 300}, belowLeft, true},          // a screen at negative coordinates
      {{2147483600, 2147483600, 2147483647, 9}, twoScreens, false},  // no overflow
      {{-2147483647 - 1, 0, -5, 9}, twoScreens, false},
      {{100, 200, 500, 300}, {}, false},                 // no screen at all
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.place.left << ", " << c.place.top << " " << c.place.width);
    EXPECT_EQ(viewer::TitleBarOnSomeScreen(c.place, c.screens), c.used);
  }
}

TEST_F(ViewerTest, ThePassOfACloseRequestStillServesAPendingRequest) {
  StartRunning();
  WriteLink("LASTTIME = 50\r\nLASTHELP = #Game\r\n");
  EXPECT_FALSE(viewer::HandleEvent(viewer, {Kind::CloseRequest}));
  EXPECT_EQ(platform.navigations, std::vector<std::string>{HelpUrl() + "#Game"});
}

TEST_F(ViewerTest, ExitLeavesTheLoopAtOnceWithoutPolling) {
  StartRunning();
  WriteLink("LASTTIME = 50\r\n");
  EXPECT_FALSE(viewer::HandleEvent(viewer, {Kind::Menu, viewer::kMenuExit}));
  EXPECT_TRUE(platform.navigations.empty());
  EXPECT_EQ(LinkValue("LASTTIME"), "50");
}

TEST_F(ViewerTest, MenuItemsAndButtonsDriveThePane) {
  const struct {
    const char* name;
    ViewerEvent event;
    std::string address;  // typed into the address field first
    std::vector<std::string> calls;
  } cases[] = {
      {"Contents", {Kind::Menu, viewer::kMenuContents}, "", {"Navigate " + HelpUrl() + "#TOP"}},
      {"Contact", {Kind::Menu, viewer::kMenuContact}, "", {"Navigate " + HelpUrl() + "#contact"}},
      {"web site", {Kind::Menu, viewer::kMenuWebSite}, "",
       {"Navigate http://www.example.org/deradu/"}},
      {"Back", {Kind::Control, viewer::kBackButton}, "", {"GoBack"}},
      {"Next", {Kind::Control, viewer::kNextButton}, "", {"GoForward"}},
      {"Stop", {Kind::Control, viewer::kStopButton}, "", {"StopLoading"}},
      {"Go without an address", {Kind::Control, viewer::kGoButton}, "", {}},
      {"Go", {Kind::Control, viewer::kGoButton}, " typed as is", {"Navigate  typed as is"}},
      {"Enter", {Kind::Menu, viewer::kGoShortcut}, "deradu.htm#Game",
       {"Navigate deradu.htm#Game"}},
      {"Enter without an address", {Kind::Menu, viewer::kGoShortcut}, "", {}},
      {"the pane itself", {Kind::Control, viewer::kBrowserPane}, "x", {}},
      {"the address field", {Kind::Control, viewer::kAddressField}, "x", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartRunning();
    WriteLink("LASTTIME = 999\r\n");
    platform.addressText = c.address;
    EXPECT_TRUE(viewer::HandleEvent(viewer, c.event));
    EXPECT_EQ(platform.calls, c.calls);
  }
}

TEST_F(ViewerTest, AboutShowsTheCreditsUnderTheTitle) {
  StartRunning();
  WriteLink("LASTTIME = 999\r\n");
  EXPECT_TRUE(viewer::HandleEvent(viewer, {Kind::Menu, viewer::kMenuAbout}));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu Help");
  EXPECT_EQ(platform.messages[0].text,
            "Modified 24 November 2010\nby Brindle\nbased on Brindle PageLeaf");
  EXPECT_FALSE(platform.messages[0].errorIcon);
}

TEST_F(ViewerTest, LayoutFitsTheControlsToTheWindow) {
  StartRunning();
  WriteLink("LASTTIME = 999\r\n");
  platform.window = {0, 0, 200, 250};
  platform.menuBarHeight = 22;
  viewer::HandleEvent(viewer, {Kind::Resize});
  EXPECT_EQ(platform.controls[viewer::kAddressField], (viewer::Rect{155, 5, 15, 20}));
  EXPECT_EQ(platform.controls[viewer::kGoButton], (viewer::Rect{175, 0, 25, 25}));
  EXPECT_EQ(platform.controls[viewer::kSeparatorLine], (viewer::Rect{0, 30, 200, 2}));
  EXPECT_EQ(platform.controls[viewer::kBrowserPane], (viewer::Rect{0, 31, 200, 250 - 22 - 52}));
  EXPECT_EQ(platform.controls[viewer::kBackButton], (viewer::Rect{0, 0, 50, 25})) << "unmoved";
}

TEST(ViewerHostilePlaces, TheViewerStartsPollsAndEndsWithoutAnException) {
  for (const testing_support::HostilePlace& place : testing_support::HostileLinkPlaces()) {
    SCOPED_TRACE(place.name);
    TempFolder folder;
    // An unwritable folder sends the link file to the user's data folder: one in the test's.
    const std::optional<std::string> saved =
        testing_support::GetEnvironment(testing_support::kDataHomeVariable);
    testing_support::SetEnvironment(testing_support::kDataHomeVariable,
                                    settings::Utf8FromPath(folder / "data"));
    const fs::path executableFolder = place.make(folder);
    FakeViewerPlatform platform;
    EXPECT_NO_THROW({
      viewer::Viewer v(platform, executableFolder);
      if (viewer::StartViewer(v) == viewer::StartResult::Running) {
        viewer::HandleEvent(v, {Kind::Idle});
        viewer::HandleEvent(v, {Kind::Menu, viewer::kMenuContents});
        viewer::ExitViewer(v);
      }
    });
    testing_support::SetEnvironment(testing_support::kDataHomeVariable, saved);
  }
}

TEST(ViewerAddresses, FilePart) {
  EXPECT_EQ(viewer::FilePart("file:///C:\\Games\\deradu.htm"), "deradu.htm");
  EXPECT_EQ(viewer::FilePart("file:///opt/x/help.htm"), "help.htm");
  EXPECT_EQ(viewer::FilePart("plain"), "plain");
}

}  // namespace
