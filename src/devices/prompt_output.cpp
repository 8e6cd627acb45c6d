#include "devices/prompt_output.h"

#include "devices/soft_card_transport.h"

namespace telvane::devices {

namespace {

using config::Key;

constexpr int kMessagePciMissing = 950;
constexpr int kMessageUsbMissing = 995;
constexpr int kMessagePciResetFailed = 1238;
constexpr platform::Milliseconds kProbeSettleMs = 1000;
constexpr platform::Milliseconds kDisplayWaitMs = 1000;

// The soft card lives with its transport, so the output owns both through the card interface.
class InProcessSoftCard : public CardTransport {
 public:
  InProcessSoftCard(SoftCard::Lines lines, const platform::Clock& clock)
      : card_(lines), transport_(card_, clock) {}
  CardKind kind() const override { return CardKind::kSoft; }
  bool ready() const override { return true; }
  bool Write(std::span<const std::uint32_t> words) override { return transport_.Write(words); }
  void Read(std::vector<std::uint8_t>& bytes, std::size_t max_bytes) override {
    transport_.Read(bytes, max_bytes);
  }
  SoftCard& card() { return card_; }

 private:
  SoftCard card_;
  SoftCardTransport transport_;
};

}  // namespace

PromptOutput::PromptOutput(PromptCard& card, const config::Settings& settings, platform::Host& host,
                           OutputReporter& reporter, HardwareOutputs hardware)
    : card_(card),
      settings_(settings),
      host_(host),
      reporter_(reporter),
      hardware_(std::move(hardware)) {}

PromptOutput::~PromptOutput() {
  Close();
}

void PromptOutput::Close() {
  card_.Close();
  soft_card_ = nullptr;
  network_ = nullptr;
  initialise_due_ = false;
}

bool PromptOutput::Open() {
  Close();
  bool hardware = false;
  if (settings_.Bool(Key::kPcCardPcEnabled)) {
    hardware = OpenPci();
  } else if (settings_.Bool(Key::kPcCardUsbEnabled)) {
    hardware = OpenUsb();
  }
  if (hardware) {
    Initialise();
    return true;
  }
  if (!OpenSubstitute()) return false;
  Initialise();
  return true;
}

bool PromptOutput::OpenPci() {
  std::unique_ptr<CardTransport> pci = hardware_.open_pci();
  if (!pci) {
    reporter_.ShowMessage(kMessagePciMissing, platform::BoxKind::kError);
    return false;
  }
  card_.Open(std::move(pci));
  if (!hardware_.reset_pci(card_)) {
    card_.Close();
    reporter_.ShowMessage(kMessagePciResetFailed, platform::BoxKind::kWarning);
    return false;
  }
  return true;
}

bool PromptOutput::OpenUsb() {
  std::unique_ptr<CardTransport> usb = hardware_.open_usb();
  if (!usb) {
    reporter_.ShowMessage(kMessageUsbMissing, platform::BoxKind::kWarning);
    return false;
  }
  card_.Open(std::move(usb));
  if (!card_.SendCommand(std::uint32_t{CardCommand::kProbe} << 16)) {
    card_.Close();
    reporter_.ShowMessage(kMessageUsbMissing, platform::BoxKind::kWarning);
    return false;
  }
  card_.queue().Clear();
  host_.loop.WaitUntil([] { return false; }, kProbeSettleMs);
  return true;
}

bool PromptOutput::OpenSubstitute() {
  const auto substitute =
      static_cast<SubstituteOutput>(settings_.Int(Key::kPresenterDisplayOutput));
  if (substitute != SubstituteOutput::kNetworkCard) {
    auto soft = std::make_unique<InProcessSoftCard>(
        settings_.Bool(Key::kPcCard625) ? SoftCard::Lines::k625 : SoftCard::Lines::k525,
        host_.clock);
    soft_card_ = &soft->card();
    card_.Open(std::move(soft));
    return true;
  }
  const int port = settings_.Int(Key::kPresenterDisplayPort);
  const std::string& host = settings_.Text(Key::kPresenterDisplayHost);
  if (port < 1 || port > 65535 || host.empty()) {
    reporter_.ShowStatus("Presenter display address " + host + ":" + std::to_string(port) +
                         " is not valid");
    return false;
  }
  NetworkCardTransport::Options options;
  options.host = host;
  options.port = static_cast<std::uint16_t>(port);
  auto network =
      std::make_unique<NetworkCardTransport>(host_.network, host_.timers, std::move(options));
  network->SetHandlers({.on_link_up = [this] { initialise_due_ = true; },
                        .on_link_lost =
                            [this](const std::string& reason) {
                              initialise_due_ = false;
                              reporter_.ShowStatus("Presenter display lost: " + reason);
                              if (on_lost_) on_lost_(reason);
                            }});
  network_ = network.get();
  card_.Open(std::move(network));
  host_.loop.WaitUntil([this] { return network_ != nullptr && network_->ready(); }, kDisplayWaitMs);
  return true;
}

bool PromptOutput::Initialise() {
  initialise_due_ = false;
  if (network_ != nullptr && !network_->ready()) {
    reporter_.ShowStatus("Presenter display not connected at " + network_->options().host + ":" +
                         std::to_string(network_->options().port));
    return false;
  }
  if (!card_.Initialise()) {
    reporter_.ShowStatus("Prompt card did not answer its initialisation");
    return false;
  }
  if (network_ != nullptr) {
    reporter_.ShowStatus("Presenter display connected at " + network_->options().host + ":" +
                         std::to_string(network_->options().port));
  }
  return true;
}

bool PromptOutput::Reset() {
  if (!card_.present()) return false;
  if (card_.kind() == CardKind::kPci && !hardware_.reset_pci(card_)) {
    card_.Close();
    reporter_.ShowMessage(kMessagePciResetFailed, platform::BoxKind::kWarning);
    return false;
  }
  return Initialise();
}

void PromptOutput::Service() {
  // The display is told who it is first; then its owner can give it a page.
  if (initialise_due_ && network_ != nullptr && network_->ready() && Initialise() && on_restored_) {
    on_restored_();
  }
}

}  // namespace telvane::devices
