// The settings store: parsing the INI-style syntax, lookups above the first group header,
// and the normalised rewrite of the whole file.
#include "common/settings/settings_store.h"

#include <algorithm>

#include "common/settings/atomic_file.h"
#include "common/settings/file_bytes.h"
#include "common/settings/line_reader.h"
#include "common/settings/number_text.h"

namespace settings {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view TrimLeft(std::string_view text) {
  const size_t start = text.find_first_not_of(kBlanks);
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimRight(std::string_view text) {
  const size_t end = text.find_last_not_of(kBlanks);
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

bool KeysMatch(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

SettingsStore::~SettingsStore() { CloseSettings(); }

void SettingsStore::OpenSettings(const std::filesystem::path& path) {
  CloseSettings();  // first, so that reopening the same file reads what the close wrote
  std::optional<std::string> bytes = ReadWholeFile(path, kLargestTextFile + 1);
  const bool readable = bytes.has_value() && bytes->size() <= kLargestTextFile;
  std::string text;
  if (readable) text.swap(*bytes);
  OpenSettingsBytes(std::move(text));
  path_ = path;
  // An unreadable or oversized file that is there all the same is kept rather than replaced
  // by the few keys written now; a missing one is created on close.
  readOnly_ = readable ? !IsWritableFile(path) : PathIsTaken(path);
}

void SettingsStore::OpenSettingsBytes(std::string bytes) {
  CloseSettings();
  open_ = true;
  stored_ = std::move(bytes);
  Parse(stored_);
}

void SettingsStore::Parse(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) {
    utf8_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  LineReader lines(bytes);
  while (!lines.AtEnd()) ParseLine(lines.Next());
}

void SettingsStore::ParseLine(std::string_view line) {
  line = TrimLeft(line);
  if (line.empty()) return;
  if (line.front() == ';') {
    line.remove_prefix(1);
    if (line.starts_with(' ')) line.remove_prefix(1);
    entries_.push_back({Kind::Comment, std::string(line), {}});
  } else if (line.front() == '[') {
    const std::string_view name = line.substr(1, line.find(']') - 1);
    entries_.push_back({Kind::Group, std::string(name), {}});
  } else {
    const size_t equals = line.find('=');
    const std::string_view key = TrimRight(line.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : TrimLeft(line.substr(equals + 1));
    entries_.push_back({Kind::Key, std::string(key), std::string(value)});
  }
}

int SettingsStore::Find(std::string_view key) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    if (entry.kind == Kind::Group) break;
    if (entry.kind == Kind::Key && KeysMatch(entry.key, key)) return static_cast<int>(i);
  }
  return -1;
}

std::string SettingsStore::ReadSettingText(std::string_view key, std::string_view fallback) const {
  const int index = Find(key);
  if (index < 0) return std::string(fallback);
  return std::string(TrimRight(TrimLeft(entries_[index].value)));
}

int32_t SettingsStore::ReadSettingInteger(std::string_view key, int32_t fallback) const {
  const int index = Find(key);
  return index < 0 ? fallback : ParseDecimal(entries_[index].value);
}

void SettingsStore::WriteSettingText(std::string_view key, std::string_view value) {
  if (!open_) return;
  value = value.substr(0, value.find_first_of("\r\n"));
  const int index = Find(key);
  if (index >= 0) {
    entries_[index].key = key;
    entries_[index].value = value;
  } else {
    // New keys go where lookups see them: just above the first group header.
    const auto isGroup = [](const Entry& entry) { return entry.kind == Kind::Group; };
    const auto firstGroup = std::find_if(entries_.begin(), entries_.end(), isGroup);
    entries_.insert(firstGroup, {Kind::Key, std::string(key), std::string(value)});
  }
  modified_ = true;
}

void SettingsStore::WriteSettingInteger(std::string_view key, int32_t value) {
  WriteSettingText(key, FormatNumber(value));
}

std::string SettingsStore::SettingsBytes() const {
  std::string text;
  if (entries_.empty()) return text;
  for (const Entry& entry : entries_) {
    switch (entry.kind) {
      case Kind::Key: text.append(entry.key).append(" = ").append(entry.value); break;
      case Kind::Comment: text.append("; ").append(entry.key); break;
      case Kind::Group: text.append("[").append(entry.key).append("]"); break;
    }
    text.append("\r\n");
  }
  // A first line that starts with the byte order mark's bytes would lose them on the next
  // read; behind a mark line of its own it reads back whole.
  if (utf8_ || text.starts_with(kByteOrderMark)) {
    text.insert(0, std::string(kByteOrderMark) + "\r\n");
  }
  return text;
}

void SettingsStore::CloseSettings() {
  if (open_ && modified_ && !readOnly_ && !path_.empty()) {
    const std::string text = SettingsBytes();
    // Bytes the file already holds are not written again, unless asked for: that would only
    // cost a sync to the disk (the game records the same help document at every start, before
    // its window shows). A folder that takes no temporary file still lets a writable file be changed in place,
    // which is the only way to keep the change there.
    if ((text != stored_ || rewriteUnchanged_) && ReplaceFileAtomically(path_, text) == ReplaceOutcome::NoTemporaryFile) {
      RewriteFileInPlace(path_, text);
    }
  }
  open_ = modified_ = rewriteUnchanged_ = readOnly_ = utf8_ = false;
  path_.clear();
  stored_.clear();
  entries_.clear();
}

void StoreSetting(const std::filesystem::path& path, std::string_view key, std::string_view value) {
  SettingsStore store;
  store.OpenSettings(path);
  store.WriteSettingText(key, value);
  store.CloseSettings();
}

}  // namespace settings
