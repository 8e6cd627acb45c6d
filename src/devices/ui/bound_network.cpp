#include "devices/ui/bound_network.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace telvane::ui {

namespace {

class SocketConnection : public platform::TcpConnection {
 public:
  explicit SocketConnection(QTcpSocket* socket) : socket_(socket) {
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
    QObject::connect(socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError) {
      if (handler_.on_error) handler_.on_error(socket_->errorString().toStdString());
    });
  }
  ~SocketConnection() override {
    socket_->disconnect();
    socket_->abort();
    socket_->deleteLater();
  }
  void SetHandler(platform::TcpHandler handler) override { handler_ = std::move(handler); }
  void Write(std::span<const std::uint8_t> bytes) override {
    socket_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  void Close() override { socket_->disconnectFromHost(); }
  bool IsOpen() const override { return socket_->state() == QAbstractSocket::ConnectedState; }
  std::string PeerAddress() const override {
    return socket_->peerAddress().toString().toStdString();
  }

 private:
  QTcpSocket* socket_;
  platform::TcpHandler handler_;
};

class BoundServer : public platform::TcpServer {
 public:
  BoundServer(QHostAddress address,
              std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept)
      : address_(std::move(address)) {
    QObject::connect(&server_, &QTcpServer::newConnection, [this, accept = std::move(on_accept)] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(nullptr);
        accept(std::make_shared<SocketConnection>(socket));
      }
    });
  }
  bool Listen(std::uint16_t port) override { return server_.listen(address_, port); }
  std::uint16_t Port() const override { return server_.serverPort(); }
  void Close() override { server_.close(); }
  bool IsListening() const override { return server_.isListening(); }

 private:
  QHostAddress address_;
  QTcpServer server_;
};

}  // namespace

std::unique_ptr<platform::TcpServer> BoundNetwork::CreateServer(
    std::function<void(std::shared_ptr<platform::TcpConnection>)> on_accept) {
  return std::make_unique<BoundServer>(address_, std::move(on_accept));
}

}  // namespace telvane::ui
