#include "platform/qt/qt_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinterInfo>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "config/colours.h"
#include "store/code_pages.h"

namespace telvane::platform::qt {

QString FromCatalogue(std::string_view bytes) {
  return QString::fromStdString(store::CodePageToUtf8(bytes, store::kDefaultCodePage));
}

QColor ColourOf(std::uint32_t value) {
  if (config::IsSystemColour(value)) {
    const QPalette palette = QApplication::palette();
    switch (value & 0xFFu) {
      case 13:
        return palette.color(QPalette::Highlight);
      case 14:
        return palette.color(QPalette::HighlightedText);
      default:
        return palette.color(QPalette::Window);
    }
  }
  return QColor(config::RedOf(value), config::GreenOf(value), config::BlueOf(value));
}

LocalTime QtClock::LocalNow() const {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(), now.date().month(),  now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

namespace {

class QtTimer : public Timer {
 public:
  explicit QtTimer(std::function<void()> on_tick) {
    QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(on_tick)] { tick(); });
  }
  void Start(Milliseconds interval) override { timer_.start(static_cast<int>(interval)); }
  void Stop() override { timer_.stop(); }
  bool IsActive() const override { return timer_.isActive(); }
  Milliseconds Interval() const override { return timer_.interval(); }

 private:
  QTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimers::CreateTimer(std::function<void()> on_tick) {
  return std::make_unique<QtTimer>(std::move(on_tick));
}

void QtEventLoop::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
}

bool QtEventLoop::WaitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition()) {
    if (timeout >= 0 && elapsed.elapsed() >= timeout) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

BoxAnswer QtDialogs::MessageBox(std::string_view text, BoxKind kind, BoxButtons buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle(QStringLiteral("Telvane 32"));
  box.setText(FromCatalogue(text));
  switch (kind) {
    case BoxKind::kPlain:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case BoxKind::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case BoxKind::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case BoxKind::kError:
      box.setIcon(QMessageBox::Critical);
      break;
    case BoxKind::kConfirmation:
      box.setIcon(QMessageBox::Question);
      break;
  }
  switch (buttons) {
    case BoxButtons::kOk:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case BoxButtons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case BoxButtons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case BoxButtons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return BoxAnswer::kOk;
    case QMessageBox::Yes:
      return BoxAnswer::kYes;
    case QMessageBox::No:
      return BoxAnswer::kNo;
    default:
      return BoxAnswer::kCancel;
  }
}

namespace {

// "Text Files (*.txt)|*.txt|..." -> "Text Files (*.txt);;..."
QString QtFilter(std::string_view filter) {
  const QStringList parts = QString::fromStdString(std::string(filter)).split('|');
  QStringList names;
  for (int i = 0; i < parts.size(); i += 2) names << parts[i];
  return names.join(QStringLiteral(";;"));
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

std::optional<std::string> QtDialogs::ChooseOpenFile(std::string_view title,
                                                     std::string_view start_dir,
                                                     std::string_view filter) {
  return Chosen(QFileDialog::getOpenFileName(parent_, FromCatalogue(title),
                                             QString::fromStdString(std::string(start_dir)),
                                             QtFilter(filter)));
}

std::optional<std::string> QtDialogs::ChooseSaveFile(std::string_view title,
                                                     std::string_view start_dir,
                                                     std::string_view filter) {
  return Chosen(QFileDialog::getSaveFileName(parent_, FromCatalogue(title),
                                             QString::fromStdString(std::string(start_dir)),
                                             QtFilter(filter)));
}

std::optional<std::string> QtDialogs::ChooseSaveFileOfType(std::string_view title,
                                                           std::string_view start_dir,
                                                           std::string_view filter,
                                                           int& filter_index, bool* save_cloaked) {
  const QStringList names = QtFilter(filter).split(QStringLiteral(";;"));
  QFileDialog dialog(parent_, FromCatalogue(title), QString::fromStdString(std::string(start_dir)));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(names);
  dialog.selectNameFilter(names.value(filter_index - 1));
  QCheckBox* cloaked = nullptr;
  if (save_cloaked != nullptr) {
    // The check box lives in the chooser's own layout, so the chooser must be Qt's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    cloaked = new QCheckBox(QStringLiteral("Save Cloaked"), &dialog);
    cloaked->setObjectName(QStringLiteral("SaveCloakedBox"));
    cloaked->setChecked(*save_cloaked);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      grid->addWidget(cloaked, grid->rowCount(), 0, 1, grid->columnCount());
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  filter_index = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
  if (cloaked != nullptr) *save_cloaked = cloaked->isChecked();
  return dialog.selectedFiles().first().toStdString();
}

namespace {

class QtConnection : public TcpConnection {
 public:
  explicit QtConnection(QTcpSocket* socket) : socket_(socket) {
    QObject::connect(socket_, &QTcpSocket::connected, [this] {
      if (handler_.on_connected) handler_.on_connected();
    });
    QObject::connect(socket_, &QTcpSocket::readyRead, [this] {
      const QByteArray bytes = socket_->readAll();
      if (handler_.on_data) {
        handler_.on_data({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())});
      }
    });
    QObject::connect(socket_, &QTcpSocket::disconnected, [this] {
      if (handler_.on_closed) handler_.on_closed();
    });
    // Socket errors end here: they are reported, never passed on.
    QObject::connect(socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError) {
      if (handler_.on_error) handler_.on_error(socket_->errorString().toStdString());
    });
  }
  ~QtConnection() override {
    socket_->disconnect();
    socket_->abort();
    socket_->deleteLater();
  }
  void SetHandler(TcpHandler handler) override { handler_ = std::move(handler); }
  void Write(std::span<const std::uint8_t> bytes) override {
    socket_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  void Close() override { socket_->disconnectFromHost(); }
  bool IsOpen() const override { return socket_->state() == QAbstractSocket::ConnectedState; }
  std::string PeerAddress() const override {
    return socket_->peerAddress().toString().toStdString();
  }
  std::size_t PendingBytes() const override {
    return static_cast<std::size_t>(socket_->bytesToWrite());
  }

 private:
  QTcpSocket* socket_;
  TcpHandler handler_;
};

class QtServer : public TcpServer {
 public:
  QtServer(QHostAddress address, std::function<void(std::shared_ptr<TcpConnection>)> on_accept)
      : address_(std::move(address)) {
    QObject::connect(&server_, &QTcpServer::newConnection, [this, accept = std::move(on_accept)] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(nullptr);
        accept(std::make_shared<QtConnection>(socket));
      }
    });
  }
  bool Listen(std::uint16_t port) override { return server_.listen(address_, port); }
  void Close() override { server_.close(); }
  bool IsListening() const override { return server_.isListening(); }
  std::uint16_t Port() const override { return server_.serverPort(); }

 private:
  QHostAddress address_;
  QTcpServer server_;
};

}  // namespace

std::unique_ptr<TcpServer> QtNetwork::CreateServer(
    std::function<void(std::shared_ptr<TcpConnection>)> on_accept) {
  return std::make_unique<QtServer>(listen_address_, std::move(on_accept));
}

std::shared_ptr<TcpConnection> QtNetwork::Connect(std::string_view host, std::uint16_t port,
                                                  TcpHandler handler) {
  auto* socket = new QTcpSocket();
  auto connection = std::make_shared<QtConnection>(socket);
  connection->SetHandler(std::move(handler));
  socket->connectToHost(QString::fromStdString(std::string(host)), port);
  return connection;
}

bool QtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && (data->hasText() || data->hasFormat(QStringLiteral("text/rtf")));
}

std::string QtClipboard::Text() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void QtClipboard::SetText(std::string_view utf8) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(std::string(utf8)));
}

namespace {

SystemFacts ReadSystemFacts() {
  SystemFacts facts;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    facts.screen_width = screen->geometry().width();
    facts.screen_height = screen->geometry().height();
    facts.pixels_per_inch = static_cast<int>(screen->logicalDotsPerInch() + 0.5);
  }
  facts.system_font_height = QFontMetrics(QApplication::font()).height();
  facts.printer_installed = !QPrinterInfo::availablePrinterNames().isEmpty();
  return facts;
}

}  // namespace

QtHost::QtHost()
    : host_{clock_, timers_, loop_, dialogs_, network_, clipboard_, ReadSystemFacts()} {}

}  // namespace telvane::platform::qt
