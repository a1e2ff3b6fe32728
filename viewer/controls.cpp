// Layout arithmetic of the help viewer's window.
#include "viewer/controls.h"

namespace viewer {

std::array<Placement, 4> ViewerLayout(int width, int heightWithMenu, int menuBarHeight) {
  const int clientHeight = heightWithMenu - menuBarHeight;
  return {{
      {kBrowserPane, {kBrowserPaneAtCreation.x, kBrowserPaneAtCreation.y, width, clientHeight - 52}},
      {kAddressField, {155, 5, width - 185, 20}},
      {kGoButton, {width - 25, 0, 25, 25}},
      {kSeparatorLine, {0, 30, width, 2}},
  }};
}

}  // namespace viewer
