// A scripted platform for driving the game without windows: answers to message boxes,
// requesters and the colour chooser are queued in advance, and everything shown, played or
// started is recorded for the test to check.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/engine/platform.h"
#include "game/engine/random.h"

namespace testing_support {

struct ShownMessage {
  std::string title;
  std::string text;
  engine::MessageIcon icon;
  engine::MessageButtons buttons;
};

class FakePlatform : public engine::Platform {
 public:
  // Scripted answers, taken in order. A message box with no queued answer answers Ok for an
  // OK box and Cancel otherwise; a requester with none is cancelled.
  std::deque<engine::MessageAnswer> messageAnswers;
  std::deque<std::string> fileAnswers;
  std::deque<std::optional<engine::Rgb>> colorAnswers;
  // Random numbers: taken from this queue while it has any, else from the seeded generator.
  std::deque<int> scriptedRandom;
  // Files that LoadSound accepts (anything else fails), and whether the sound device works.
  std::set<std::string> playableSounds;
  // Processes that StartProcess or OpenDocument accept; live viewer handles.
  std::set<std::string> startablePaths;
  std::set<std::string> openableDocuments;
  std::set<int64_t> liveWindows;
  // UpdateProgress reports a closed window on this call (counting from 1); 0 never.
  int abandonProgressAtUpdate = 0;
  // Tick count advance per TickCount() call, to let time pass during long operations.
  uint32_t tickStep = 0;
  // Whether a sound played last still plays; the device stays open while it does.
  bool soundStillPlaying = false;
  // What ActivationToken gives: the desktop's token for the player's help request.
  std::string activationToken;
  uint32_t now = 1000;

  // What happened.
  std::vector<ShownMessage> messages;
  std::vector<engine::FileRequest> fileRequests;
  std::vector<engine::Rgb> colorRequests;
  std::vector<engine::Beep> beeps;
  std::vector<int> soundsPlayed;
  std::vector<int> soundsStopped;
  std::map<int, std::string> loadedSounds;
  std::vector<std::string> startedProcesses;
  std::vector<std::string> openedDocuments;
  std::vector<int64_t> broughtToFront;
  std::vector<int64_t> askedToClose;
  std::vector<uint32_t> sleeps;
  std::vector<int> progressValues;
  int progressOpened = 0;
  int progressClosed = 0;
  int renders = 0;
  int flushes = 0;
  std::vector<std::pair<int, int>> resizes;
  std::vector<uint32_t> reseeds;
  std::vector<int> randomRequests;  // the maxInclusive of every Random call
  bool soundInitialised = false;
  bool soundDeviceOpen = false;

  engine::MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                                    engine::MessageIcon icon,
                                    engine::MessageButtons buttons) override;
  std::string AskFileName(const engine::FileRequest& request) override;
  std::optional<engine::Rgb> AskColor(engine::Rgb initial) override;
  void InitSound() override { soundInitialised = true; }
  bool LoadSound(int slot, const std::string& path) override;
  void PlaySound(int slot) override {
    soundsPlayed.push_back(slot);
    soundDeviceOpen = true;
  }
  void StopSound(int slot) override { soundsStopped.push_back(slot); }
  void PlayBeep(engine::Beep beep) override { beeps.push_back(beep); }
  bool CloseSoundWhenSilent() override {
    soundDeviceOpen = soundDeviceOpen && soundStillPlaying;
    return soundDeviceOpen;
  }
  bool StartProcess(const std::string& path, const std::string& workingFolder) override;
  bool OpenDocument(const std::string& path) override;
  bool WindowExists(int64_t handle) override { return liveWindows.count(handle) > 0; }
  void BringToFront(int64_t handle) override { broughtToFront.push_back(handle); }
  void AskToClose(int64_t handle) override { askedToClose.push_back(handle); }
  std::string ActivationToken() override { return activationToken; }
  void ResizeMainWindow(int innerWidth, int innerHeight) override {
    resizes.emplace_back(innerWidth, innerHeight);
  }
  void RenderMainWindow() override { ++renders; }
  void FlushEvents() override { ++flushes; }
  void OpenProgress() override { ++progressOpened; }
  bool UpdateProgress(int value) override;
  void CloseProgress() override { ++progressClosed; }
  uint32_t TickCount() override {
    now += tickStep;
    return now;
  }
  void Sleep(uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    now += milliseconds;
  }
  int Random(int maxInclusive) override;
  void Reseed(uint32_t seed) override {
    reseeds.push_back(seed);
    generator_.Reseed(seed);
  }

  // Messages shown with this title.
  std::vector<ShownMessage> MessagesTitled(std::string_view title) const;

 private:
  engine::RandomGenerator generator_{12345};
};

}  // namespace testing_support
