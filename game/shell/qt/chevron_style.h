// The desktop's own widget style, with the menu bar's overflow chevron drawn rather than
// loaded from an image: loading that one image makes Qt load every image-format plugin
// (and the SVG and JPEG libraries behind them) before the window first shows.
#pragma once

#include <QProxyStyle>

namespace shell_qt {

class ChevronStyle : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace shell_qt
