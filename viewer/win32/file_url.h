// The address of a help page for the web browser control: a file URL of the document's path
// with the topic as its fragment.
#pragma once

#include <string>

#include "viewer/viewer_platform.h"

namespace viewer_win32 {

// "file:///C:/My%20Games/deradu.htm#Rules". Only the characters that would end or change the
// path part ("#", "%", "?", spaces and control characters) are escaped: the browser control
// reads other escapes in a file URL through the system's code page, so letters beyond ASCII
// stay as they are. A path of a network share ("\\server\share\...") keeps its host.
std::string FileUrl(const viewer::HelpPage& page);

}  // namespace viewer_win32
