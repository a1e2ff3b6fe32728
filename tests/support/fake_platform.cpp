// A scripted platform for tests.
#include "tests/support/fake_platform.h"

namespace testing_support {

engine::MessageAnswer FakePlatform::ShowMessage(std::string_view title, std::string_view text,
                                                engine::MessageIcon icon,
                                                engine::MessageButtons buttons) {
  messages.push_back({std::string(title), std::string(text), icon, buttons});
  if (!messageAnswers.empty()) {
    engine::MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  return buttons == engine::MessageButtons::Ok ? engine::MessageAnswer::Ok
                                               : engine::MessageAnswer::Cancel;
}

std::string FakePlatform::AskFileName(const engine::FileRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return {};
  std::string answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<engine::Rgb> FakePlatform::AskColor(engine::Rgb initial) {
  colorRequests.push_back(initial);
  if (colorAnswers.empty()) return std::nullopt;
  std::optional<engine::Rgb> answer = colorAnswers.front();
  colorAnswers.pop_front();
  return answer;
}

bool FakePlatform::LoadSound(int slot, const std::string& path) {
  if (playableSounds.count(path) == 0) return false;
  loadedSounds[slot] = path;
  return true;
}

bool FakePlatform::StartProcess(const std::string& path, const std::string&) {
  if (startablePaths.count(path) == 0) return false;
  startedProcesses.push_back(path);
  return true;
}

bool FakePlatform::OpenDocument(const std::string& path) {
  if (openableDocuments.count(path) == 0) return false;
  openedDocuments.push_back(path);
  return true;
}

bool FakePlatform::UpdateProgress(int value) {
  progressValues.push_back(value);
  return abandonProgressAtUpdate == 0 ||
         static_cast<int>(progressValues.size()) < abandonProgressAtUpdate;
}

int FakePlatform::Random(int maxInclusive) {
  randomRequests.push_back(maxInclusive);
  if (!scriptedRandom.empty()) {
    int value = scriptedRandom.front();
    scriptedRandom.pop_front();
    return value;
  }
  return generator_.Next(maxInclusive);
}

std::vector<ShownMessage> FakePlatform::MessagesTitled(std::string_view title) const {
  std::vector<ShownMessage> found;
  for (const ShownMessage& message : messages) {
    if (message.title == title) found.push_back(message);
  }
  return found;
}

}  // namespace testing_support
