// A document host UI handler that reports every context menu as shown, so that the page shows
// none, and hands every other call to the handler the document had before (the ATL host's).
#pragma once

#include <windows.h>

#include <mshtmhst.h>

namespace viewer_win32 {

// Installs a blocker as the document's UI handler; a document that is no HTML document is
// left alone.
void BlockContextMenuOf(IDispatch* document);

}  // namespace viewer_win32
