// The About box: the build line's date masks and name tables, the box's text, and the readme.
#include "game/help/about_box.h"

#include <gtest/gtest.h>

#include "game/help/build_stamp.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

using testing_support::FakePlatform;

TEST(AboutBox, BuildLineNamesTheMonthAndWeekdayOfTheTimestamp) {
  const struct {
    int64_t timestamp;
    const char* line;
  } cases[] = {
      {1355586934, "Y=2012December,Saturday,15, 15:55:34"},
      {0, "Y=1970January,Thursday,01, 00:00:00"},
      {951782400 + 86399, "Y=2000February,Tuesday,29, 23:59:59"},
      {1700000000, "Y=2023November,Tuesday,14, 22:13:20"},
      {-1, "Y=1969December,Wednesday,31, 23:59:59"},
  };
  for (const auto& c : cases) EXPECT_EQ(help::FormatBuildLine(c.timestamp), c.line) << c.timestamp;
}

TEST(AboutBox, DateMaskTokensMatchWithoutRegardToCase) {
  const struct {
    const char* mask;
    const char* text;
  } cases[] = {
      {"%YYYY-%Dd %hH:%Ii:%sS", "2012-15 15:55:34"},
      {"100% %x %y %", "100% %x %y %"},
      {"%yyy%yyyy", "%yyy2012"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(help::ApplyDateMask(c.mask, 1355586934), c.text) << c.mask;
}

TEST(AboutBox, BuildTimeIsWallClockSecondsOfTheBuild) {
  EXPECT_EQ(help::WallClockSeconds(2012, 12, 15, 15, 55, 34), 1355586934);
  EXPECT_EQ(help::WallClockSeconds(1970, 1, 1, 0, 0, 0), 0);
  // Taken at this build: after the year this program was written in.
  EXPECT_GT(help::kBuildTimestamp, help::WallClockSeconds(2010, 9, 1, 0, 0, 0));
}

TEST(AboutBox, ShowsVersionAndBuildLineAndOpensTheReadmeOnYes) {
  testing_support::TempFolder folder;
  const std::string readme = folder.Write("Readme.txt", "readme").string();
  for (const auto answer : {engine::MessageAnswer::Yes, engine::MessageAnswer::No}) {
    FakePlatform platform;
    engine::Game game{platform};
    game.ExecutableFolder = folder.path();
    game.ProgramFolder = folder / "elsewhere";
    platform.openableDocuments.insert(readme);
    platform.messageAnswers.push_back(answer);
    help::ShowAboutBox(game);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Brindle's Deradu puzzler");
    EXPECT_EQ(platform.messages[0].text,
              "Application created by Brindle Sept 2010.\n"
              "Version 2.0\n" +
                  help::FormatBuildLine(help::kBuildTimestamp) +
                  "\nDon't for get to visit http://www.example.org/deradu/\n\n"
                  "Do you wish to view the readme text?");
    EXPECT_EQ(platform.messages[0].icon, engine::MessageIcon::None);
    EXPECT_EQ(platform.messages[0].buttons, engine::MessageButtons::YesNo);
    if (answer == engine::MessageAnswer::Yes) {
      EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{readme});
    } else {
      EXPECT_TRUE(platform.openedDocuments.empty());
    }
    EXPECT_TRUE(platform.messages.size() == 1) << "a readme that cannot open gives no message";
  }
}

}  // namespace
