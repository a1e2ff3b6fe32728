// The Qt platform's process start: only a program of this system runs as a process; a text
// file with the execute bit (a readme on a FAT drive) is left to the desktop's opener. Its
// file requesters: the filter texts exactly as given, filtering by their patterns, and an
// open dialog that takes no missing file.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <thread>

#include "game/shell/qt/file_dialog.h"
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

  void fileDialogsShowTheFilterTextsAndFilterByTheirPatterns_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QStringList>>("shown");
    const QStringList sms{"a.sms"}, ssv{"b.ssv"}, both{"a.sms", "b.ssv"};
    const QStringList all{"README", "a.sms", "b.ssv", "notes.txt"};
    QTest::newRow("open, master filter")
        << false << "Master (*.sms)|*.sms|All Deradu (*.sms,*.ssv)|*.sms;*.ssv|All files (*.*)|*.*"
        << QStringList{"Master (*.sms)", "All Deradu (*.sms,*.ssv)", "All files (*.*)"}
        << QList<QStringList>{sms, both, all};
    QTest::newRow("save, saved-game filter")
        << true << "Save Files (*.ssv)|*.ssv|All Deradu (*.sms,*.ssv)|*.sms;*.ssv|All files (*.*)|*.*"
        << QStringList{"Save Files (*.ssv)", "All Deradu (*.sms,*.ssv)", "All files (*.*)"}
        << QList<QStringList>{ssv, both, all};
  }
  void fileDialogsShowTheFilterTextsAndFilterByTheirPatterns() {
    QFETCH(bool, save);
    QFETCH(QString, filter);
    QFETCH(QStringList, texts);
    QFETCH(QList<QStringList>, shown);
    testing_support::TempFolder folder;
    for (const char* name : {"a.sms", "b.ssv", "notes.txt", "README"}) folder.Write(name, "x");
    engine::FileRequest request;
    request.save = save;
    request.filter = filter.toStdString();
    request.initialFolder = folder.path().string();
    const auto dialog = shell_qt::MakeFileDialog(nullptr, request);
    dialog->show();
    const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    QVERIFY(types != nullptr);
    QStringList listed;
    for (int i = 0; i < types->count(); ++i) listed << types->itemText(i);
    QCOMPARE(listed, texts);
    const auto* list = dialog->findChild<QListView*>("listView");
    QVERIFY(list != nullptr);
    const auto names = [list] {
      QStringList names;
      for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
        names << list->model()->index(row, 0, list->rootIndex()).data().toString();
      }
      names.sort();
      return names;
    };
    for (int i = 0; i < dialog->nameFilters().size(); ++i) {
      dialog->selectNameFilter(dialog->nameFilters()[i]);
      QTRY_COMPARE(names(), shown[i]);
    }
  }

  // Neither dialog insists on a file that exists: a typed name that names none is taken
  // without a word, and the load then fails as quietly as a cancel.
  void aTypedNameThatNamesNoFileIsTaken() {
    testing_support::TempFolder folder;
    for (const bool save : {false, true}) {
      engine::FileRequest request;
      request.save = save;
      request.filter = "Master (*.sms)|*.sms";
      request.initialFolder = folder.path().string();
      const auto dialog = shell_qt::MakeFileDialog(nullptr, request);
      dialog->show();
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      QVERIFY(name != nullptr);
      QTest::keyClicks(name, "missing.sms");
      QString warned;
      QTimer::singleShot(0, [&warned] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          warned = box->text();
          box->accept();
        }
      });
      QTest::keyClick(name, Qt::Key_Return);
      QVERIFY2(dialog->result() == QDialog::Accepted, save ? "save" : "open");
      QCOMPARE(warned, QString());
      QCOMPARE(dialog->selectedFiles(), QStringList{QDir(folder.path()).filePath("missing.sms")});
    }
  }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
