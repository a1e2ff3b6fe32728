// Activation over Wayland's xdg-activation-v1, spoken directly on Qt's own connection to the
// compositor, through an event queue of its own so that Qt's dispatching never sees its
// events; and X11 startup ids from the time Qt keeps of the player's input.
#include "common/qt/desktop_activation.h"

#include <cstring>

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include "xdg-activation-v1-client.h"

namespace desktop_activation {
namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith("wayland"); }
bool OnX11() { return QGuiApplication::platformName() == "xcb"; }

void* IntegrationResource(const char* name) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  return native != nullptr ? native->nativeResourceForIntegration(name) : nullptr;
}

// The activation global bound on a private queue of Qt's connection; empty (no activation)
// where the compositor lacks the protocol.
class Activation {
 public:
  Activation() {
    display_ = static_cast<wl_display*>(IntegrationResource("wl_display"));
    if (display_ == nullptr) return;
    queue_ = wl_display_create_queue(display_);
    wrapped_ = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped_), queue_);
    registry_ = wl_display_get_registry(wrapped_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    RoundTrip();
  }
  ~Activation() {
    if (activation_ != nullptr) xdg_activation_v1_destroy(activation_);
    if (registry_ != nullptr) wl_registry_destroy(registry_);
    if (wrapped_ != nullptr) wl_proxy_wrapper_destroy(wrapped_);
    if (queue_ != nullptr) {
      // Requests made on the queue's objects reach the compositor before the queue goes.
      wl_display_flush(display_);
      wl_event_queue_destroy(queue_);
    }
  }
  Activation(const Activation&) = delete;
  Activation& operator=(const Activation&) = delete;

  xdg_activation_v1* Get() const { return activation_; }
  bool HasSeat() const { return hasSeat_; }
  // False when the connection has failed.
  bool RoundTrip() { return wl_display_roundtrip_queue(display_, queue_) >= 0; }

 private:
  static void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t) {
    auto* self = static_cast<Activation*>(data);
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0 && !self->activation_) {
      self->activation_ = static_cast<xdg_activation_v1*>(
          wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
      self->hasSeat_ = true;
    }
  }
  static void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
  static constexpr wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

  wl_display* display_ = nullptr;
  wl_event_queue* queue_ = nullptr;
  wl_display* wrapped_ = nullptr;
  wl_registry* registry_ = nullptr;
  xdg_activation_v1* activation_ = nullptr;
  bool hasSeat_ = false;
};

wl_surface* SurfaceOf(QWindow* window) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  if (window == nullptr || native == nullptr || window->handle() == nullptr) return nullptr;
  return static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window));
}

void OnTokenDone(void* data, xdg_activation_token_v1*, const char* token) {
  *static_cast<std::string*>(data) = token;
}
constexpr xdg_activation_token_v1_listener kTokenListener = {OnTokenDone};

std::string WaylandToken(QWindow* window) {
  Activation activation;
  if (activation.Get() == nullptr) return {};
  std::string token;
  xdg_activation_token_v1* request = xdg_activation_v1_get_activation_token(activation.Get());
  xdg_activation_token_v1_add_listener(request, &kTokenListener, &token);
  // The compositor grants focus only for the serial of real input on its focused surface.
  // Qt reads its seat's serial without checking that a seat exists; the registry tells.
  if (activation.HasSeat()) {
    auto* seat = static_cast<wl_seat*>(IntegrationResource("wl_seat"));
    const auto serial = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(IntegrationResource("serial")));
    if (seat != nullptr && serial != 0) xdg_activation_token_v1_set_serial(request, serial, seat);
  }
  if (wl_surface* surface = SurfaceOf(window)) xdg_activation_token_v1_set_surface(request, surface);
  xdg_activation_token_v1_commit(request);
  // The compositor answers the commit at once; the round trip's end comes after the answer.
  activation.RoundTrip();
  xdg_activation_token_v1_destroy(request);
  return token;
}

// A startup id as launchers make them: unique, ending in the X server time of the player's
// last input, which window managers compare with their own to allow the focus.
std::string X11StartupId(QWindow* window) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  if (native == nullptr || screen == nullptr) return {};
  const auto time = static_cast<uint32_t>(
      reinterpret_cast<uintptr_t>(native->nativeResourceForScreen("appusertime", screen)));
  if (time == 0) return {};
  static unsigned sequence = 0;
  return QStringLiteral("%1-%2-%3_TIME%4")
      .arg(QCoreApplication::applicationName())
      .arg(QCoreApplication::applicationPid())
      .arg(++sequence)
      .arg(time)
      .toStdString();
}

}  // namespace

std::string RequestToken(QWindow* window) {
  if (OnWayland()) return WaylandToken(window);
  if (OnX11()) return X11StartupId(window);
  return {};
}

QString TokenVariable() {
  if (OnWayland()) return QStringLiteral("XDG_ACTIVATION_TOKEN");
  if (OnX11()) return QStringLiteral("DESKTOP_STARTUP_ID");
  return {};
}

bool Activate(QWindow* window, const std::string& token) {
  if (token.empty() || !OnWayland()) return false;
  wl_surface* surface = SurfaceOf(window);
  if (surface == nullptr) return false;
  Activation activation;
  if (activation.Get() == nullptr) return false;
  xdg_activation_v1_activate(activation.Get(), token.c_str(), surface);
  return activation.RoundTrip();
}

std::string TakeStartToken() {
  if (!OnWayland()) return {};
  const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
  qunsetenv("XDG_ACTIVATION_TOKEN");
  return token.toStdString();
}

}  // namespace desktop_activation
