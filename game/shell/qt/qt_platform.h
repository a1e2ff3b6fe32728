// The game's platform on Qt: message boxes, requesters, the colour chooser, the progress
// window, processes, the clock and the random generator; sounds through SDL.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "game/engine/platform.h"
#include "game/engine/random.h"
#include "game/shell/qt/sdl_sound.h"

namespace shell_qt {

class MainWindow;
class ProgressWindow;

class QtPlatform : public engine::Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  void SetMainWindow(MainWindow* window) { window_ = window; }
  // A close request for the main window while the search runs abandons the search.
  void AbandonSearch();

  engine::MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                                    engine::MessageIcon icon,
                                    engine::MessageButtons buttons) override;
  std::string AskFileName(const engine::FileRequest& request) override;
  std::optional<engine::Rgb> AskColor(engine::Rgb initial) override;
  void InitSound() override;
  bool LoadSound(int slot, const std::string& path) override;
  void PlaySound(int slot) override;
  void StopSound(int slot) override;
  bool CloseSoundWhenSilent() override;
  void PlayBeep(engine::Beep beep) override;
  bool StartProcess(const std::string& path, const std::string& workingFolder) override;
  bool OpenDocument(const std::string& path) override;
  bool WindowExists(int64_t handle) override;
  void BringToFront(int64_t handle) override;
  void AskToClose(int64_t handle) override;
  std::string ActivationToken() override;
  void ResizeMainWindow(int innerWidth, int innerHeight) override;
  void RenderMainWindow() override;
  void FlushEvents() override;
  void OpenProgress() override;
  bool UpdateProgress(int value) override;
  void CloseProgress() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  int Random(int maxInclusive) override;
  void Reseed(uint32_t seed) override { random_.Reseed(seed); }

 private:
  void Reactivate();

  MainWindow* window_ = nullptr;
  std::string startToken_;  // for the next program started; see ActivationToken
  std::unique_ptr<ProgressWindow> progress_;
  shell::SdlSound sound_;
  QElapsedTimer clock_;
  engine::RandomGenerator random_;
};

}  // namespace shell_qt
