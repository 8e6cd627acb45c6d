// telvane-display: the presenter's display. It listens for the operator's program, hosts a
// soft prompt card fed by the network card and shows its picture, full screen by default.

#include <QApplication>
#include <QGuiApplication>
#include <QHostAddress>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "devices/display_link.h"
#include "devices/soft_card.h"
#include "devices/ui/presenter_display.h"
#include "platform/qt/qt_host.h"

namespace {

volatile std::sig_atomic_t stop_requested = 0;

void RequestStop(int) {
  stop_requested = 1;
}

struct Arguments {
  std::string host = "127.0.0.1";
  std::uint16_t port = 5290;
  int screen = 0;
  bool mirror_horizontal = false;
  bool mirror_vertical = false;
  bool windowed = false;
  std::string frame_log;
  std::string screenshot;
};

void Usage(std::ostream& out) {
  out << "usage: telvane-display [--listen HOST:PORT] [--screen N] [--mirror h|v|hv]\n"
         "                       [--windowed] [--frame-log FILE] [--screenshot FILE]\n"
         "  --listen HOST:PORT   address to take the operator's program on (127.0.0.1:5290;\n"
         "                       0.0.0.0:5290 for every interface)\n"
         "  --screen N           the monitor to fill, 0 first (0)\n"
         "  --mirror h|v|hv      mirror the picture for a glass: across, upside down, both\n"
         "  --windowed           a window instead of full screen\n"
         "  --frame-log FILE     write each frame: number, advance and position in screen\n"
         "                       lines, speed\n"
         "  --screenshot FILE    write the field as PNG on P and when the display ends\n"
      << telvane::ui::PresenterDisplayKeys();
}

std::optional<Arguments> Parse(const std::vector<std::string>& args) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--windowed") {
      parsed.windowed = true;
    } else if (arg == "--listen" && has_value) {
      const std::string value = args[++i];
      const auto colon = value.rfind(':');
      if (colon == std::string::npos) return std::nullopt;
      parsed.host = value.substr(0, colon);
      const int port = std::atoi(value.substr(colon + 1).c_str());
      if (port < 1 || port > 65535 || QHostAddress(QString::fromStdString(parsed.host)).isNull()) {
        return std::nullopt;
      }
      parsed.port = static_cast<std::uint16_t>(port);
    } else if (arg == "--screen" && has_value) {
      parsed.screen = std::atoi(args[++i].c_str());
    } else if (arg == "--mirror" && has_value) {
      const std::string value = args[++i];
      if (value != "h" && value != "v" && value != "hv" && value != "vh") return std::nullopt;
      parsed.mirror_horizontal = value.find('h') != std::string::npos;
      parsed.mirror_vertical = value.find('v') != std::string::npos;
    } else if (arg == "--frame-log" && has_value) {
      parsed.frame_log = args[++i];
    } else if (arg == "--screenshot" && has_value) {
      parsed.screenshot = args[++i];
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      Usage(std::cout);
      return 0;
    }
  }
  const std::optional<Arguments> parsed = Parse(args);
  if (!parsed) {
    Usage(std::cerr);
    return 2;
  }
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Telvane Presenter Display"));

  std::ofstream frame_log;
  if (!parsed->frame_log.empty()) {
    frame_log.open(parsed->frame_log, std::ios::trunc);
    if (!frame_log) {
      std::cerr << "telvane-display: cannot write " << parsed->frame_log << "\n";
      return 1;
    }
  }

  telvane::platform::qt::QtNetwork network(QHostAddress(QString::fromStdString(parsed->host)));
  telvane::devices::SoftCard card;
  telvane::devices::DisplayLink link(network, card);
  link.on_log = [](const std::string& line) { std::cerr << "telvane-display: " << line << "\n"; };
  if (const telvane::Status listening = link.Listen(parsed->port); !listening) {
    std::cerr << "telvane-display: cannot listen on " << parsed->host << ":" << parsed->port << ": "
              << listening.error().message << "\n";
    return 1;
  }
  std::cerr << "telvane-display: listening on " << parsed->host << ":" << link.port() << "\n";

  const QList<QScreen*> screens = QGuiApplication::screens();
  QScreen* screen = parsed->screen >= 0 && parsed->screen < screens.size()
                        ? screens[parsed->screen]
                        : QGuiApplication::primaryScreen();
  telvane::ui::TPresenterDisplay::Options options;
  options.mirror_horizontal = parsed->mirror_horizontal;
  options.mirror_vertical = parsed->mirror_vertical;
  options.refresh_hz = screen != nullptr ? screen->refreshRate() : 60;
  options.frame_log = frame_log.is_open() ? &frame_log : nullptr;
  telvane::ui::TPresenterDisplay display(card, &link, options);

  const auto screenshot = [&] {
    if (parsed->screenshot.empty()) return;
    if (!display.WriteScreenshot(parsed->screenshot)) {
      std::cerr << "telvane-display: cannot write " << parsed->screenshot << "\n";
    }
  };
  QObject::connect(&display, &telvane::ui::TPresenterDisplay::ScreenshotRequested, screenshot);
  QObject::connect(&display, &telvane::ui::TPresenterDisplay::QuitRequested, &qt,
                   &QApplication::quit);

  // A display stopped by its service manager still writes what was asked of it.
  std::signal(SIGTERM, RequestStop);
  std::signal(SIGINT, RequestStop);
  QTimer stop_poll;
  QObject::connect(&stop_poll, &QTimer::timeout, [] {
    if (stop_requested != 0) QApplication::quit();
  });
  stop_poll.start(50);

  if (screen != nullptr) display.setGeometry(screen->geometry());
  if (parsed->windowed) {
    display.resize(telvane::devices::SoftCard::kPictureWidth, card.VisibleRows());
    display.show();
  } else {
    display.showFullScreen();
  }
  const int result = QApplication::exec();
  screenshot();
  return result;
}
