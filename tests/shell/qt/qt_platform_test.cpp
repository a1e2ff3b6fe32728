// The Qt platform's process start: only a program of this system runs as a process; a text
// file with the execute bit (a readme on a FAT drive) is left to the desktop's opener.
#include <QCoreApplication>
#include <QtTest>

#include <filesystem>
#include <thread>

#include "game/shell/qt/qt_platform.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void startProcessRunsOnlyPrograms_data() {
    QTest::addColumn<QString>("content");  // "ELF": a copy of a real program
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("started");
    QTest::newRow("0755 Readme.txt with a #! line")
        << "#!/bin/sh\necho ran > \"$(dirname \"$0\")/ran\"\n" << true << false;
    QTest::newRow("an empty 0755 file") << "" << true << false;
    QTest::newRow("a program") << "ELF" << true << true;
    QTest::newRow("a program without the execute bit") << "ELF" << false << false;
  }
  void startProcessRunsOnlyPrograms() {
    QFETCH(QString, content);
    QFETCH(bool, executable);
    QFETCH(bool, started);
    testing_support::TempFolder folder;
    const fs::path file = folder / "Readme.txt";
    if (content == "ELF") {
      fs::copy_file("/bin/true", file);
    } else {
      folder.Write("Readme.txt", content.toStdString());
    }
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
    shell_qt::QtPlatform platform;
    QCOMPARE(platform.StartProcess(file.string(), folder.path().string()), started);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    QVERIFY(!fs::exists(folder / "ran"));
  }
};

QTEST_GUILESS_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
