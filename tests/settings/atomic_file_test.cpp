// Whole-file replacement: the old content survives every failure and no temporary file is
// left behind.
#include "common/settings/atomic_file.h"

#include <gtest/gtest.h>

#include "tests/settings/permission_probe.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using settings::ReplaceOutcome;
using testing_support::TempFolder;

size_t EntriesIn(const fs::path& folder) {
  const auto entries = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  return static_cast<size_t>(entries);
}

TEST(AtomicFile, CreatesAndReplacesFilesWithExactlyTheBytesGiven) {
  TempFolder folder;
  const fs::path path = folder / "game.ssv";
  ASSERT_TRUE(settings::WriteFileAtomically(path, std::string("new\r\n\0old", 10)));
  EXPECT_EQ(folder.Read("game.ssv"), std::string("new\r\n\0old", 10));
  ASSERT_TRUE(settings::WriteFileAtomically(path, "2"));
  EXPECT_EQ(folder.Read("game.ssv"), "2");
  ASSERT_TRUE(settings::WriteFileAtomically(path, ""));
  EXPECT_EQ(fs::file_size(path), 0u);
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(AtomicFile, FolderAtTheTargetIsNotReplaced) {
  TempFolder folder;
  fs::create_directory(folder / "target");
  folder.Write("target/inside", "keep");
  EXPECT_EQ(settings::ReplaceFileAtomically(folder / "target", "x"), ReplaceOutcome::Failed);
  EXPECT_EQ(folder.Read("target/inside"), "keep");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(AtomicFile, MissingFolderTakesNoTemporaryFile) {
  TempFolder folder;
  EXPECT_EQ(settings::ReplaceFileAtomically(folder / "absent" / "x.ini", "x"),
            ReplaceOutcome::NoTemporaryFile);
  EXPECT_FALSE(settings::WriteFileAtomically(folder / "absent" / "x.ini", "x"));
  EXPECT_EQ(EntriesIn(folder.path()), 0u);
}

TEST(AtomicFile, ReadOnlyFileIsNotReplaced) {
  TempFolder folder;
  const fs::path path = folder.Write("game.ssv", "old");
  const std::string written = testing_support::RunWithReadOnly(folder.path(), path, [&] {
    return std::string(settings::WriteFileAtomically(path, "new") ? "written" : "refused");
  });
  if (written == testing_support::kStillWritable) GTEST_SKIP() << "read-only files are writable here";
  EXPECT_EQ(written, "refused");
  EXPECT_EQ(folder.Read("game.ssv"), "old");
  EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(AtomicFile, WritingThroughALinkReplacesTheLinkedFile) {
  TempFolder folder;
  const fs::path real = folder.Write("real.ini", "old");
  std::error_code error;
  fs::create_symlink(real, folder / "link.ini", error);
  if (error) GTEST_SKIP() << "no symbolic links here";
  ASSERT_TRUE(settings::WriteFileAtomically(folder / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  EXPECT_EQ(folder.Read("real.ini"), "new");
}

TEST(AtomicFile, RewriteInPlaceCutsTheFileAtTheEndOfTheNewBytes) {
  TempFolder folder;
  const fs::path path = folder.Write("Tarnwick.ini", "a much longer old content\r\n");
  ASSERT_TRUE(settings::RewriteFileInPlace(path, "short"));
  EXPECT_EQ(folder.Read("Tarnwick.ini"), "short");
  EXPECT_FALSE(settings::RewriteFileInPlace(folder / "absent.ini", "x"));
  EXPECT_FALSE(fs::exists(folder / "absent.ini"));
}

TEST(AtomicFile, CopyStreamsTheWholeSourceAndFailsWithoutTouchingTheTarget) {
  TempFolder folder;
  std::string big(3 << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4099);
  const fs::path source = folder.Write("big.ssv", big);
  fs::create_directory(folder / "target");
  ASSERT_TRUE(settings::CopyFileAtomically(source, folder / "target" / "big.ssv"));
  EXPECT_EQ(folder.Read("target/big.ssv"), big);

  folder.Write("target/kept.ssv", "old");
  EXPECT_FALSE(settings::CopyFileAtomically(folder / "absent.ssv", folder / "target/kept.ssv"));
  EXPECT_FALSE(settings::CopyFileAtomically(folder / "target", folder / "target/kept.ssv"));
  EXPECT_EQ(folder.Read("target/kept.ssv"), "old");
  EXPECT_EQ(EntriesIn(folder / "target"), 2u);
}

}  // namespace
