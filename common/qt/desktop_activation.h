// Activation tokens of the desktop, by which one program lets another take the focus: on
// Wayland the compositor's xdg-activation-v1 tokens, on X11 a startup id carrying the time of
// the player's last input, by which the window manager lets the started program's window take
// the focus. Both programs use it: the game asks for a token at the player's help request and
// hands it to the viewer, which activates its window with it. Where the desktop offers none,
// everything here does nothing and returns empty; nothing waits longer than one round trip to
// the compositor.
#pragma once

#include <string>

#include <QString>

class QWindow;

namespace desktop_activation {

// A token for the player's latest input on window, or empty.
std::string RequestToken(QWindow* window);
// The environment variable that hands a started program its token ("XDG_ACTIVATION_TOKEN",
// "DESKTOP_STARTUP_ID"), or empty where the desktop has none.
QString TokenVariable();
// Raises and focuses window with the token: false where the desktop cannot (X11, or a
// compositor without the protocol), and the caller then asks as it would without a token.
bool Activate(QWindow* window, const std::string& token);
// The token this program was started with, on Wayland, taken out of its environment so that
// no program it starts inherits it; empty elsewhere (Qt takes X11's startup id itself).
std::string TakeStartToken();

}  // namespace desktop_activation
