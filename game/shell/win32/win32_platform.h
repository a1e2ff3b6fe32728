// The game's platform on Win32: message boxes, the common dialogs, the progress window,
// processes, the viewer's window, the clock and the random generator; sounds through
// DirectSound.
#pragma once

#include <windows.h>

#include <memory>

#include "game/engine/platform.h"
#include "game/engine/random.h"
#include "game/shell/win32/direct_sound.h"

namespace shell_win32 {

class MainWindow;
class ProgressWindow;

class Win32Platform : public engine::Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

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
  void PlaySound(int slot) override { sound_.Play(slot); }
  void StopSound(int slot) override { sound_.Stop(slot); }
  bool CloseSoundWhenSilent() override { return sound_.CloseWhenSilent(); }
  void PlayBeep(engine::Beep beep) override;
  bool StartProcess(const std::string& path, const std::string& workingFolder) override;
  bool OpenDocument(const std::string& path) override;
  bool WindowExists(int64_t handle) override;
  void BringToFront(int64_t handle) override;
  void AskToClose(int64_t handle) override;
  void ResizeMainWindow(int innerWidth, int innerHeight) override;
  void RenderMainWindow() override;
  void FlushEvents() override;
  void OpenProgress() override;
  bool UpdateProgress(int value) override;
  void CloseProgress() override;
  uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  int Random(int maxInclusive) override { return random_.Next(maxInclusive); }
  void Reseed(uint32_t seed) override { random_.Reseed(seed); }

 private:
  HWND Owner() const;
  void ShowCurrentState();

  MainWindow* window_ = nullptr;
  std::unique_ptr<ProgressWindow> progress_;
  DirectSound sound_;
  engine::RandomGenerator random_;
  COLORREF customColors_[16] = {};
};

// The requester filter "desc|pattern|desc|pattern" as the file dialogs take it: the same
// pairs, each part ended by a zero character, the list by a second one.
std::wstring ToDialogFilter(const std::string& filter);

}  // namespace shell_win32
