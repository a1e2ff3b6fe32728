// The game's side of the help link: what each operation leaves in the link file, and when it
// raises, starts or asks the viewer to close.
#include "game/help/help_link.h"

#include <gtest/gtest.h>

#include "common/settings/settings_store.h"
#include "tests/support/fake_platform.h"
#include "tests/support/hostile_places.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::FakePlatform;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// Also records the working folder each process was started in.
class RecordingPlatform : public FakePlatform {
 public:
  bool StartProcess(const std::string& path, const std::string& workingFolder) override {
    workingFolders.push_back(workingFolder);
    return FakePlatform::StartProcess(path, workingFolder);
  }
  std::vector<std::string> workingFolders;
};

class HelpLinkTest : public ::testing::Test {
 protected:
  HelpLinkTest() {
    game.ExecutableFolder = game.ProgramFolder = folder.path();
    folder.Write(help::kViewerProgram, "viewer");
  }

  std::string Link() const { return folder.Read("Leafview.ini"); }
  std::string LinkValue(std::string_view key) const {
    settings::SettingsStore store;
    store.OpenSettings(folder / "Leafview.ini");
    return store.ReadSettingText(key, "<missing>");
  }
  std::string ViewerPathText() const { return (folder / help::kViewerProgram).string(); }

  TempFolder folder;
  RecordingPlatform platform;
  engine::Game game{platform};
};

TEST_F(HelpLinkTest, InitHelpLinkRecordsTheDocumentAndTitle) {
  help::InitHelpLink(game, "deradu.htm", "Brindle's Deradu Help");
  EXPECT_EQ(Link(), "HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\n");
}

TEST_F(HelpLinkTest, InitHelpLinkReplacesAnEmptyTitleByTheGameProgramsName) {
  help::InitHelpLink(game, "deradu.htm", "");
  EXPECT_EQ(LinkValue("Title"), help::kGameProgram);
}

TEST_F(HelpLinkTest, InitHelpLinkKeepsWhatTheViewerRecorded) {
  folder.Write("Leafview.ini", "WinX = 7\r\nHANDLE = 0\r\nHelpFile = old.htm\r\n");
  help::InitHelpLink(game, "deradu.htm", "T");
  EXPECT_EQ(Link(), "WinX = 7\r\nHANDLE = 0\r\nHelpFile = deradu.htm\r\nTitle = T\r\n");
}

TEST_F(HelpLinkTest, ShowHelpTopicRecordsTheRequestBeforeTheViewerStarts) {
  folder.Write("Leafview.ini", "HelpFile = deradu.htm\r\nLASTTIME = 666\r\nHANDLE = 0\r\n");
  platform.startablePaths.insert(ViewerPathText());
  help::ShowHelpTopic(game, "#Rules");
  EXPECT_EQ(Link(),
            "HelpFile = deradu.htm\r\nLASTTIME = 50\r\nHANDLE = 0\r\nLASTHELP = #Rules\r\n");
  EXPECT_EQ(platform.startedProcesses, std::vector<std::string>{ViewerPathText()});
  EXPECT_EQ(platform.workingFolders, std::vector<std::string>{fs::current_path().string()});
}

// The desktop's token goes into the link file for a running viewer, and for one the game starts
// (the platform hands it over in the environment too); a token left by an earlier request is
// cleared, and without tokens the file never holds the key.
TEST_F(HelpLinkTest, ShowHelpTopicRecordsTheDesktopsTokenBesideTheRequest) {
  struct Case {
    const char* name;
    const char* token;
    const char* before;  // the link file before the request
    bool running;
    const char* after;   // the ActivationToken value afterwards
  } const cases[] = {
      {"running viewer", "t-1", "HANDLE = 4242\r\n", true, "t-1"},
      {"viewer started", "t-2", "HANDLE = 0\r\n", false, "t-2"},
      {"an earlier token replaced", "t-3", "ActivationToken = old\r\nHANDLE = 4242\r\n", true,
       "t-3"},
      {"an earlier token cleared", "", "ActivationToken = old\r\nHANDLE = 4242\r\n", true, ""},
      {"no tokens, no key", "", "HANDLE = 4242\r\n", true, "<missing>"},
  };
  platform.liveWindows = {4242};
  platform.startablePaths.insert(ViewerPathText());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write("Leafview.ini", c.before);
    platform.activationToken = c.token;
    platform.broughtToFront.clear();
    platform.startedProcesses.clear();
    help::ShowHelpTopic(game, "#Rules");
    EXPECT_EQ(LinkValue("ActivationToken"), c.after);
    EXPECT_EQ(LinkValue("LASTTIME"), "50");
    EXPECT_EQ(platform.broughtToFront.size(), c.running ? 1u : 0u);
    EXPECT_EQ(platform.startedProcesses.size(), c.running ? 0u : 1u);
  }
}

TEST_F(HelpLinkTest, ShowHelpTopicRaisesOnlyAViewerWhoseHandleNamesALiveWindow) {
  struct Case {
    const char* name;
    const char* handleLine;  // empty: no HANDLE key
    bool live;               // 4242 names a live window
    bool raised;
  } const cases[] = {
      {"no handle", "", true, false},
      {"handle 0", "HANDLE = 0\r\n", true, false},
      {"not a number", "HANDLE = abc\r\n", true, false},
      {"stale handle", "HANDLE = 4242\r\n", false, false},
      {"live handle", "HANDLE = 4242\r\n", true, true},
      {"live handle with blanks", "HANDLE =   4242\r\n", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPlatform fresh;
    engine::Game g{fresh};
    g.ExecutableFolder = g.ProgramFolder = folder.path();
    fresh.startablePaths.insert(ViewerPathText());
    if (c.live) fresh.liveWindows.insert(4242);
    folder.Write("Leafview.ini", c.handleLine);
    help::ShowHelpTopic(g, "#Game");
    if (c.raised) {
      EXPECT_EQ(fresh.broughtToFront, std::vector<int64_t>{4242});
      EXPECT_EQ(fresh.sleeps, std::vector<uint32_t>{2000});
      EXPECT_TRUE(fresh.startedProcesses.empty());
    } else {
      EXPECT_TRUE(fresh.broughtToFront.empty());
      EXPECT_TRUE(fresh.sleeps.empty());
      EXPECT_EQ(fresh.startedProcesses, std::vector<std::string>{ViewerPathText()});
    }
    EXPECT_EQ(LinkValue("LASTTIME"), "50");
    EXPECT_EQ(LinkValue("LASTHELP"), "#Game");
  }
}

TEST_F(HelpLinkTest, AViewerThatCannotBeStartedIsReportedUnderTheLinkTitle) {
  struct Case {
    const char* name;
    const char* link;
    std::string title;
  } const cases[] = {
      {"title recorded", "Title = Brindle's Deradu Help\r\n", "Brindle's Deradu Help"},
      {"no title", "", std::string(help::kGameProgram)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform fresh;
    engine::Game g{fresh};
    g.ExecutableFolder = g.ProgramFolder = folder.path();
    folder.Write("Leafview.ini", c.link);
    help::ShowHelpTopic(g, "#Contents");
    ASSERT_EQ(fresh.messages.size(), 1u);
    EXPECT_EQ(fresh.messages[0].title, c.title);
    EXPECT_EQ(fresh.messages[0].text, "Can't find help file\n" + ViewerPathText());
    EXPECT_EQ(fresh.messages[0].icon, engine::MessageIcon::Error);
    EXPECT_EQ(fresh.messages[0].buttons, engine::MessageButtons::Ok);
    // The request stays for the next viewer that starts.
    EXPECT_EQ(LinkValue("LASTTIME"), "50");
    EXPECT_EQ(LinkValue("LASTHELP"), "#Contents");
  }
}

TEST_F(HelpLinkTest, CloseHelpViewerWithNoViewerWritesOnlyTheQuitCode) {
  help::CloseHelpViewer(game);
  EXPECT_EQ(Link(), "LASTTIME = 666\r\n");
  EXPECT_TRUE(platform.askedToClose.empty());
}

TEST_F(HelpLinkTest, CloseHelpViewerAsksOnlyALiveViewerToClose) {
  folder.Write("Leafview.ini", "LASTTIME = 999\r\nHANDLE = 31\r\n");
  help::CloseHelpViewer(game);
  EXPECT_TRUE(platform.askedToClose.empty()) << "stale handle";
  EXPECT_EQ(Link(), "LASTTIME = 666\r\nHANDLE = 31\r\n");

  platform.liveWindows.insert(31);
  help::CloseHelpViewer(game);
  EXPECT_EQ(platform.askedToClose, std::vector<int64_t>{31});
}

TEST_F(HelpLinkTest, MissingViewerIsReportedEvenWhenTheDesktopWouldOpenAnything) {
  fs::remove(folder / help::kViewerProgram);
  platform.openableDocuments.insert(ViewerPathText());
  help::ShowHelpTopic(game, "#Rules");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Can't find help file\n" + ViewerPathText());
  EXPECT_TRUE(platform.openedDocuments.empty());
}

TEST_F(HelpLinkTest, StartFileFallsBackToTheDefaultApplication) {
  const std::string readme = (folder / "Readme.txt").string();
  platform.openableDocuments.insert(readme);
  EXPECT_FALSE(help::StartFile(platform, readme)) << "no such file";
  platform.openableDocuments.clear();
  folder.Write("Readme.txt", "readme");
  EXPECT_FALSE(help::StartFile(platform, readme));
  platform.openableDocuments.insert(readme);
  EXPECT_TRUE(help::StartFile(platform, readme));
  EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{readme});
  platform.startablePaths.insert(readme);
  EXPECT_TRUE(help::StartFile(platform, readme));
  EXPECT_EQ(platform.startedProcesses, std::vector<std::string>{readme});
  EXPECT_EQ(platform.openedDocuments.size(), 1u) << "a started process opens no document";
}

TEST(HelpLinkHostilePlaces, EveryOperationRunsWithoutAnException) {
  for (const testing_support::HostilePlace& place : testing_support::HostileLinkPlaces()) {
    SCOPED_TRACE(place.name);
    TempFolder folder;
    FakePlatform platform;
    engine::Game game{platform};
    game.ExecutableFolder = game.ProgramFolder = place.make(folder);
    EXPECT_NO_THROW({
      help::InitHelpLink(game, "deradu.htm", "Brindle's Deradu Help");
      help::ShowHelpTopic(game, "#Rules");
      help::CloseHelpViewer(game);
      help::StartFile(platform, (game.ProgramFolder / "Readme.txt").string());
    });
  }
}

}  // namespace
