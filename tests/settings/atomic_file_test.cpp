// Whole-file replacement: the old content survives every failure and no temporary file is
// left behind.
#include "common/settings/atomic_file.h"

#include <gtest/gtest.h>

#include "common/settings/file_platform.h"
#include "tests/settings/permission_probe.h"
#include "tests/support/temp_folder.h"
#include "tests/support/unprivileged.h"

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

TEST(AtomicFile, BatchCopyDeliversWholeCopiesAndNeverReplacesATakenName) {
  TempFolder folder;
  std::string big(1 << 20, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 13 + i / 257);
  fs::create_directories(folder / "source" / "folder.sms");
  fs::create_directories(folder / "target" / "taken folder.sms");
  folder.Write("source/big.sms", big);
  folder.Write("source/empty.sms", "");
  folder.Write("source/taken.sms", "library");
  folder.Write("target/taken.sms", "the player's own");
  folder.Write("source/taken folder.sms", "library");
  const std::vector<fs::path> sources = {
      folder / "source/big.sms",    folder / "source/absent.sms",
      folder / "source/empty.sms",  folder / "source/taken.sms",
      folder / "source/folder.sms", folder / "source/taken folder.sms"};

  const std::vector<bool> arrived = settings::CopyFilesAtomically(sources, folder / "target");
  EXPECT_EQ(arrived, (std::vector<bool>{true, false, true, false, false, false}));
  EXPECT_EQ(folder.Read("target/big.sms"), big);
  EXPECT_EQ(folder.Read("target/empty.sms"), "");
  EXPECT_EQ(folder.Read("target/taken.sms"), "the player's own");
  EXPECT_TRUE(fs::is_directory(folder / "target" / "taken folder.sms"));
  EXPECT_EQ(EntriesIn(folder / "target"), 4u);  // no temporary file left
}

// Run as a user whose permissions bind: an unreadable source is left out, a read-only folder
// takes nothing.
TEST(AtomicFile, BatchCopyLeavesNothingOfWhatItCannotReadOrWrite) {
#ifdef _WIN32
  GTEST_SKIP() << "permissions keep neither readers nor new files out on Windows";
#endif
  TempFolder folder;
  fs::create_directories(folder / "work" / "open");
  fs::create_directories(folder / "work" / "closed");
  folder.Write("work/readable.sms", "readable");
  const fs::path unreadable = folder.Write("work/unreadable.sms", "secret");
  testing_support::GiveToUnprivilegedUser(folder / "work");
  fs::permissions(unreadable, fs::perms::none);
  testing_support::MakeFolderReadOnly(folder / "work" / "closed");
  const std::vector<fs::path> sources = {unreadable, folder / "work/readable.sms"};

  const std::string result = testing_support::RunUnprivileged([&] {
    std::string text;
    for (const char* target : {"open", "closed"}) {
      for (const bool copied : settings::CopyFilesAtomically(sources, folder / "work" / target)) {
        text += copied ? '1' : '0';
      }
      text += ' ';
    }
    return text;
  });
  testing_support::MakeWritable(folder / "work" / "closed");
  EXPECT_EQ(result, "01 00 ");
  EXPECT_EQ(folder.Read("work/open/readable.sms"), "readable");
  EXPECT_EQ(EntriesIn(folder / "work" / "open"), 1u);
  EXPECT_EQ(EntriesIn(folder / "work" / "closed"), 0u);
}

#ifdef __linux__
// Linux puts a folder's new files on the disk in one call: a batch of many costs what one does.
TEST(AtomicFile, BatchCopySyncsNoMoreForManyFilesThanForOne) {
  TempFolder folder;
  std::vector<fs::path> sources;
  for (int i = 0; i < 40; ++i) {
    sources.push_back(folder.Write("master " + std::to_string(i) + ".sms", std::to_string(i)));
  }
  std::vector<uint64_t> syncs;
  for (const size_t count : {size_t{1}, sources.size()}) {
    const fs::path target = folder / ("target " + std::to_string(count));
    fs::create_directory(target);
    const uint64_t before = settings::DiskSyncCount();
    settings::CopyFilesAtomically({sources.begin(), sources.begin() + count}, target);
    syncs.push_back(settings::DiskSyncCount() - before);
    EXPECT_EQ(EntriesIn(target), count);
  }
  EXPECT_EQ(syncs[0], syncs[1]);
  EXPECT_LE(syncs[1], 2u);
}
#endif

}  // namespace
