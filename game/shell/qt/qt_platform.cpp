// The game's platform on Qt.
#include "game/shell/qt/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <QUrl>
#include <QWindow>

#include "common/qt/desktop_activation.h"
#include "common/qt/qt_path.h"
#include "game/help/help_link.h"
#include "game/shell/qt/colors.h"
#include "game/shell/qt/desktop_beep.h"
#include "game/shell/qt/file_dialog.h"
#include "game/shell/qt/main_window.h"
#include "game/shell/qt/program_file.h"
#include "game/shell/qt/progress_window.h"
#include "game/shell/viewer_window.h"

namespace shell_qt {
namespace {

using engine::MessageAnswer;
using engine::MessageButtons;
using engine::MessageIcon;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The help viewer lies beside the game's executable.
std::filesystem::path ViewerProgram() {
  return help::ViewerPath(qt_path::ToPath(QCoreApplication::applicationDirPath()));
}

}  // namespace

QtPlatform::QtPlatform() : random_(engine::ClockSeed()) { clock_.start(); }

QtPlatform::~QtPlatform() = default;

void QtPlatform::Reactivate() {
  // The main window becomes active again when a dialog or the progress window closes, and
  // gives the focus back to the gadget that had it (a cell then raises its focus event).
  if (window_) window_->activateWindow();
}

void QtPlatform::AbandonSearch() {
  if (progress_) progress_->RequestClose();
}

MessageAnswer QtPlatform::ShowMessage(std::string_view title, std::string_view text,
                                      MessageIcon icon, MessageButtons buttons) {
  if (window_) window_->Render();
  QMessageBox box(window_);
  box.setWindowTitle(FromUtf8(title));
  box.setText(FromUtf8(text));
  box.setIcon(icon == MessageIcon::Error      ? QMessageBox::Critical
              : icon == MessageIcon::Question ? QMessageBox::Question
                                              : QMessageBox::NoIcon);
  switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  const int answer = box.exec();
  Reactivate();
  switch (answer) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
  }
}

std::string QtPlatform::AskFileName(const engine::FileRequest& request) {
  if (window_) window_->Render();
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(window_, request);
  const bool chosen = dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
  Reactivate();
  return chosen ? dialog->selectedFiles().first().toStdString() : std::string();
}

std::optional<engine::Rgb> QtPlatform::AskColor(engine::Rgb initial) {
  if (window_) window_->Render();
  const QColor chosen = QColorDialog::getColor(ToQColor(initial, Qt::black), window_);
  Reactivate();
  if (!chosen.isValid()) return std::nullopt;
  return ToRgb(chosen);
}

void QtPlatform::InitSound() {
  // Loading the sound library takes about as long as showing the window, so the window goes
  // on the screen first: its events are taken here, not dispatched, until it is exposed.
  constexpr int kLongestWaitMs = 1000;
  QElapsedTimer waited;
  waited.start();
  while (window_ != nullptr && window_->isVisible() && window_->windowHandle() != nullptr &&
         !window_->windowHandle()->isExposed() && waited.elapsed() < kLongestWaitMs) {
    QCoreApplication::processEvents();
    QThread::msleep(1);
  }
  sound_.Init();
}

bool QtPlatform::LoadSound(int slot, const std::string& path) { return sound_.Load(slot, path); }

void QtPlatform::PlaySound(int slot) { sound_.Play(slot); }

void QtPlatform::StopSound(int slot) { sound_.Stop(slot); }

bool QtPlatform::CloseSoundWhenSilent() { return sound_.CloseWhenSilent(); }

void QtPlatform::PlayBeep(engine::Beep beep) {
  if (!shell::PlayDesktopBeep(beep)) QApplication::beep();
}

bool QtPlatform::StartProcess(const std::string& path, const std::string& workingFolder) {
  // Only a program is run; a text file that merely carries the execute bit (a readme on a
  // FAT drive) would otherwise run as a script. The viewer counts as a program whatever it
  // is, since it is what the game starts itself.
  const std::filesystem::path file = settings::PathFromUtf8(path);
  std::error_code error;
  if (!shell::IsProgramFile(file) && !std::filesystem::equivalent(file, ViewerProgram(), error)) {
    return false;
  }
  QProcess process;
  process.setProgram(FromUtf8(path));
  process.setWorkingDirectory(FromUtf8(workingFolder));
  // The program takes the focus with the token of the request that starts it, never with one
  // the game itself was started with.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
  environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
  const QString variable = desktop_activation::TokenVariable();
  if (!startToken_.empty() && !variable.isEmpty()) {
    environment.insert(variable, FromUtf8(startToken_));
  }
  startToken_.clear();
  process.setProcessEnvironment(environment);
  return process.startDetached();
}

bool QtPlatform::OpenDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(path)));
}

bool QtPlatform::WindowExists(int64_t handle) {
  return shell::ViewerWindowExists(handle, ViewerProgram());
}

void QtPlatform::BringToFront(int64_t handle) {
  startToken_.clear();  // the viewer takes it from the link file
  shell::BringViewerToFront(handle, ViewerProgram());
}

void QtPlatform::AskToClose(int64_t handle) { shell::AskViewerToClose(handle, ViewerProgram()); }

std::string QtPlatform::ActivationToken() {
  startToken_ = desktop_activation::RequestToken(window_ ? window_->windowHandle() : nullptr);
  return startToken_;
}

void QtPlatform::ResizeMainWindow(int innerWidth, int innerHeight) {
  if (window_) window_->resize(innerWidth, innerHeight);
}

void QtPlatform::RenderMainWindow() {
  if (window_) window_->Render();
}

void QtPlatform::FlushEvents() {
  // Events of the first display are taken here and not dispatched: the window passes
  // nothing to the game until start-up has finished.
  for (int round = 0; round < 3; ++round) {
    QThread::msleep(1);
    QCoreApplication::processEvents();
  }
}

void QtPlatform::OpenProgress() {
  progress_ = std::make_unique<ProgressWindow>();
  // Modal rather than disabling the main window: disabling would move the keyboard focus
  // to the first cell, whose focus event would then enter a digit.
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->show();
  progress_->raise();
  QCoreApplication::processEvents();
}

bool QtPlatform::UpdateProgress(int value) {
  if (!progress_) return true;
  progress_->SetValue(value);
  QCoreApplication::processEvents();
  return !progress_->CloseRequested();
}

void QtPlatform::CloseProgress() {
  progress_.reset();
  Reactivate();
}

uint32_t QtPlatform::TickCount() { return static_cast<uint32_t>(clock_.elapsed()) + 1; }

void QtPlatform::Sleep(uint32_t milliseconds) { QThread::msleep(milliseconds); }

int QtPlatform::Random(int maxInclusive) { return random_.Next(maxInclusive); }

}  // namespace shell_qt
