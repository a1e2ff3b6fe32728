// The game's file requesters on Qt: the open and save dialogs with their filter lists.
#pragma once

#include <QFileDialog>
#include <memory>

#include "game/engine/platform.h"

namespace shell_qt {

// Qt's own dialog, so that the filter list shows each description exactly as given: an open
// dialog takes only a file that exists; a save dialog replaces a file without asking.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const engine::FileRequest& request);

}  // namespace shell_qt
