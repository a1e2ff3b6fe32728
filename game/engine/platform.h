// The narrow seam between the game's logic and the platform: every dialog, sound, process,
// window request, clock reading and random number the logic needs goes through it. The Qt
// shell implements it; tests use a scripted fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

using Rgb = int32_t;  // red + 256 * green + 65536 * blue; -1 is the platform's default colour
inline constexpr Rgb kDefaultColor = -1;
constexpr Rgb RgbOf(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

enum class MessageIcon { None, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };
enum class Beep { Simple, Question };

struct FileRequest {
  bool save = false;          // save dialog, else open dialog
  std::string title;
  std::string filter;         // description|pattern pairs, "|"-separated; the first is selected
  std::string initialFolder;  // empty: the platform's default folder
  std::string initialName;    // empty: an empty name box
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Modal message box over the game's windows.
  virtual MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                                    MessageIcon icon, MessageButtons buttons) = 0;
  // File requester; the chosen path, or empty when cancelled.
  virtual std::string AskFileName(const FileRequest& request) = 0;
  // Colour chooser preset to initial (-1 presets black); nothing when cancelled.
  virtual std::optional<Rgb> AskColor(Rgb initial) = 0;

  // Sounds. Slot 0 holds the custom error sound, slot 1 the custom win sound. LoadSound
  // decodes the file into the slot (replacing what it held) and reports whether it is a
  // playable WAV; playing starts at once without waiting.
  virtual void InitSound() = 0;
  virtual bool LoadSound(int slot, const std::string& path) = 0;
  virtual void PlaySound(int slot) = 0;
  virtual void StopSound(int slot) = 0;
  virtual void PlayBeep(Beep beep) = 0;
  // The sound device is open only while a sound plays: PlaySound opens it, and this closes
  // it once no slot plays any more. True while it stays open.
  virtual bool CloseSoundWhenSilent() = 0;

  // Processes: start a program detached with no arguments (false for a file that is no
  // compiled program of the system, a script among them); open a document with the desktop's
  // default application.
  virtual bool StartProcess(const std::string& path, const std::string& workingFolder) = 0;
  virtual bool OpenDocument(const std::string& path) = 0;

  // Requests on the help viewer's window, named by the handle it recorded in the link file.
  // A handle that names any other program's window (the number given out again after the
  // viewer ended) names no window: it does not exist and takes no request.
  virtual bool WindowExists(int64_t handle) = 0;
  virtual void BringToFront(int64_t handle) = 0;
  virtual void AskToClose(int64_t handle) = 0;
  // A token from the desktop by which a program the game starts or raises for the player's
  // request may take the focus from the game; empty where the desktop issues none. The
  // platform hands the token it issued last to the next program it starts; the game records
  // it in the link file for a running viewer.
  virtual std::string ActivationToken() { return {}; }

  // The main window: resize its inner area (menu bar counted), show its state as it stands
  // now (start-up draws it before its slow steps), and take pending window events without
  // dispatching them.
  virtual void ResizeMainWindow(int innerWidth, int innerHeight) = 0;
  virtual void RenderMainWindow() = 0;
  virtual void FlushEvents() = 0;

  // The search's progress window; UpdateProgress takes pending window events and returns
  // false when the player closed a window, asking the search to stop.
  virtual void OpenProgress() = 0;
  virtual bool UpdateProgress(int value) = 0;
  virtual void CloseProgress() = 0;

  // Millisecond tick count, a pause, and the reseedable random generator.
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual int Random(int maxInclusive) = 0;
  virtual void Reseed(uint32_t seed) = 0;
};

}  // namespace engine
