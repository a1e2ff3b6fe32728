// The game's platform on Win32.
#include "game/shell/win32/win32_platform.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "game/help/help_link.h"
#include "game/shell/viewer_window.h"
#include "game/shell/win32/main_window.h"
#include "game/shell/win32/progress_window.h"
#include "common/settings/executable_path.h"
#include "common/settings/path_text.h"

namespace shell_win32 {
namespace {

using settings::Utf8ToWide;
using settings::WideToUtf8;

using engine::MessageAnswer;
using engine::MessageButtons;
using engine::MessageIcon;

// Room for any path the file dialogs can return.
constexpr size_t kPathRoom = 32768;
// Start-up takes the pending events until none is left, but never for ever.
constexpr int kMostFlushRounds = 1000;

// Handles the window events waiting now, without keyboard shortcuts.
void TakePendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The viewer the game starts; only a window of its program takes the game's requests.
std::filesystem::path ViewerProgram() {
  return help::ViewerPath(settings::ExecutablePath().parent_path());
}

}  // namespace

std::wstring ToDialogFilter(const std::string& filter) {
  std::wstring result = Utf8ToWide(filter);
  for (wchar_t& c : result) {
    if (c == L'|') c = L'\0';
  }
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

Win32Platform::Win32Platform() : random_(engine::ClockSeed()) {}

Win32Platform::~Win32Platform() = default;

HWND Win32Platform::Owner() const { return window_ != nullptr ? window_->Handle() : nullptr; }

void Win32Platform::ShowCurrentState() {
  // A dialog shows over the board as it stands at that moment.
  if (window_ != nullptr) window_->Render();
}

void Win32Platform::AbandonSearch() {
  if (progress_) progress_->RequestClose();
}

MessageAnswer Win32Platform::ShowMessage(std::string_view title, std::string_view text,
                                         MessageIcon icon, MessageButtons buttons) {
  ShowCurrentState();
  UINT flags = MB_APPLMODAL;
  if (icon == MessageIcon::Error) flags |= MB_ICONERROR;
  if (icon == MessageIcon::Question) flags |= MB_ICONQUESTION;
  flags |= buttons == MessageButtons::Ok      ? MB_OK
           : buttons == MessageButtons::YesNo ? MB_YESNO
                                              : MB_YESNOCANCEL;
  switch (MessageBoxW(Owner(), Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), flags)) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    case IDOK: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
  }
}

std::string Win32Platform::AskFileName(const engine::FileRequest& request) {
  ShowCurrentState();
  const std::wstring filter = ToDialogFilter(request.filter);
  const std::wstring title = Utf8ToWide(request.title);
  const std::wstring folder = Utf8ToWide(request.initialFolder);
  std::vector<wchar_t> path(kPathRoom, L'\0');
  const std::wstring name = Utf8ToWide(request.initialName);
  if (name.size() < kPathRoom) name.copy(path.data(), name.size());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // The game's current folder stays the program folder; a save replaces a file without
  // asking, the way the save command expects.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  const BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return {};
  return WideToUtf8(path.data());
}

std::optional<engine::Rgb> Win32Platform::AskColor(engine::Rgb initial) {
  ShowCurrentState();
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.rgbResult = static_cast<COLORREF>(initial);
  dialog.lpCustColors = customColors_;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&dialog)) return std::nullopt;
  // COLORREF has the game's own layout: red + 256 * green + 65536 * blue.
  return static_cast<engine::Rgb>(dialog.rgbResult & 0xFFFFFF);
}

void Win32Platform::InitSound() { sound_.Init(Owner()); }

bool Win32Platform::LoadSound(int slot, const std::string& path) { return sound_.Load(slot, path); }

void Win32Platform::PlayBeep(engine::Beep beep) {
  MessageBeep(beep == engine::Beep::Question ? MB_ICONQUESTION : 0xFFFFFFFF);
}

bool Win32Platform::StartProcess(const std::string& path, const std::string& workingFolder) {
  std::wstring commandLine = L"\"" + Utf8ToWide(path) + L"\"";
  const std::wstring folder = Utf8ToWide(workingFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32Platform::OpenDocument(const std::string& path) {
  const std::wstring file = Utf8ToWide(path);
  const std::wstring folder = std::filesystem::path(file).parent_path().wstring();
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  open.hwnd = Owner();
  open.lpFile = file.c_str();
  open.lpDirectory = folder.c_str();
  open.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&open) != FALSE;
}

bool Win32Platform::WindowExists(int64_t handle) {
  return shell::ViewerWindowExists(handle, ViewerProgram());
}

void Win32Platform::BringToFront(int64_t handle) {
  shell::BringViewerToFront(handle, ViewerProgram());
}

void Win32Platform::AskToClose(int64_t handle) { shell::AskViewerToClose(handle, ViewerProgram()); }

void Win32Platform::ResizeMainWindow(int innerWidth, int innerHeight) {
  if (window_ != nullptr) window_->ResizeInner(innerWidth, innerHeight);
}

void Win32Platform::RenderMainWindow() {
  ShowCurrentState();
  // Painted now, gadgets included: start-up takes no events until its flushes.
  if (window_ != nullptr) {
    RedrawWindow(window_->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

void Win32Platform::FlushEvents() {
  // The events of the first display are handled by the window alone: the game takes none
  // until start-up has finished.
  for (int round = 0; round < kMostFlushRounds; ++round) {
    ::Sleep(1);
    if (window_ == nullptr || !window_->PumpEvents()) break;
  }
}

void Win32Platform::OpenProgress() {
  progress_ = std::make_unique<ProgressWindow>(Owner());
  TakePendingEvents();
}

bool Win32Platform::UpdateProgress(int value) {
  if (!progress_) return true;
  progress_->SetValue(value);
  TakePendingEvents();
  return !progress_->CloseRequested();
}

void Win32Platform::CloseProgress() { progress_.reset(); }

}  // namespace shell_win32
