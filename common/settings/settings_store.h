// The INI-style settings store shared by the game (Tarnwick.ini) and both sides of the help
// link file (Leafview.ini): read whole on open, rewritten whole on close after a change.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

class SettingsStore {
 public:
  SettingsStore() = default;
  // Closes the store, writing it back when it was changed.
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // Closes any store still open, then reads and parses the file. Never fails for the caller:
  // a missing or unreadable file gives an empty store that remembers the name. A file larger
  // than kLargestTextFile counts as unreadable: it is neither read nor ever rewritten.
  void OpenSettings(const std::filesystem::path& path);
  // Closes any store still open, then parses bytes that were read already: a store tied to
  // no file, which its close does not write. OpenSettings reads the file and parses here.
  void OpenSettingsBytes(std::string bytes);
  // The value with surrounding spaces and tabs removed, or fallback when the key is absent
  // (only entries above the first group header count) or no store is open.
  std::string ReadSettingText(std::string_view key, std::string_view fallback) const;
  // The plain decimal value of the entry, or fallback when the key is absent.
  int32_t ReadSettingInteger(std::string_view key, int32_t fallback) const;
  // Replaces the first matching entry (and the letter case of its key) or inserts a new one
  // before the first group header. Does nothing when no store is open. A line break in the
  // value ends it, since the file holds one entry per line.
  void WriteSettingText(std::string_view key, std::string_view value);
  void WriteSettingInteger(std::string_view key, int32_t value);
  // Writes the file back when something changed and the file was writable, then releases it.
  void CloseSettings();
  // Makes the close write the file even when its bytes stay the same, so that a reader that
  // watches the file's change time sees it written again. Does nothing when no store is open.
  void RewriteOnClose() { modified_ = rewriteUnchanged_ = open_; }

  bool IsOpen() const { return open_; }
  // The whole file as a close writes it: every entry normalised, lines ended by CR LF.
  std::string SettingsBytes() const;

 private:
  enum class Kind { Key, Comment, Group };
  struct Entry {
    Kind kind;
    std::string key;    // key, comment text or group name
    std::string value;  // key entries only
  };

  void Parse(std::string_view bytes);
  void ParseLine(std::string_view line);
  // Index of the first key entry matching key above the first group header, or -1.
  int Find(std::string_view key) const;

  bool open_ = false;
  bool modified_ = false;
  bool rewriteUnchanged_ = false;
  bool readOnly_ = false;
  bool utf8_ = false;
  std::filesystem::path path_;
  std::string stored_;  // the file's bytes as read, so that a write changing nothing is skipped
  std::vector<Entry> entries_;
};

// Whether two keys name the same entry: equal but for the case of the letters A to Z.
bool KeysMatch(std::string_view a, std::string_view b);

// The game's one-shot write: open, write one key, close (the file is rewritten at once).
void StoreSetting(const std::filesystem::path& path, std::string_view key, std::string_view value);

}  // namespace settings
