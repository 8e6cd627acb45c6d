#pragma once

// Opening the prompt output: the PCI card or the USB prompter when the configuration asks for
// them, and otherwise our substitute, the soft card in this process or the network card of a
// presenter display; then the card's initialisation.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "config/settings.h"
#include "devices/network_card_transport.h"
#include "devices/prompt_card.h"
#include "devices/soft_card.h"
#include "platform/host.h"

namespace telvane::devices {

// What opening the output tells the operator.
class OutputReporter {
 public:
  virtual ~OutputReporter() = default;
  virtual void ShowStatus(const std::string& text) = 0;
  // A box with the catalogue's text number catalogue_number.
  virtual void ShowMessage(int catalogue_number, platform::BoxKind kind) = 0;
};

// The hardware outputs. This platform has no driver for either, so by default neither is
// found; the reset of the PCI card is reached through the same seam.
struct HardwareOutputs {
  std::function<std::unique_ptr<CardTransport>()> open_pci = [] {
    return std::unique_ptr<CardTransport>();
  };
  std::function<std::unique_ptr<CardTransport>()> open_usb = [] {
    return std::unique_ptr<CardTransport>();
  };
  // Reset line to 0x9000000, 20 ms, reset line to 0, then '>' within 500 ms.
  std::function<bool(PromptCard&)> reset_pci = [](PromptCard&) { return false; };
};

// "Output" of "Presenter Display".
enum class SubstituteOutput { kSoftCard = 0, kNetworkCard = 1 };

class PromptOutput {
 public:
  PromptOutput(PromptCard& card, const config::Settings& settings, platform::Host& host,
               OutputReporter& reporter, HardwareOutputs hardware = {});
  ~PromptOutput();
  PromptOutput(const PromptOutput&) = delete;
  PromptOutput& operator=(const PromptOutput&) = delete;

  // Closes whatever is open and opens the output anew, then initialises it. Whether a device
  // is open (a network card whose display is away is open, and waits for it).
  bool Open();
  void Close();
  // Reset prompt card: the initialisation again (after a reset of the PCI card).
  bool Reset();
  // From the service cycle: initialises a network card whose display has come back. The
  // initialisation waits for the card's answers, so it is not done inside a socket event.
  void Service();

  // The network card lost its display or got it back; prompting stops on a loss.
  void SetLinkHandlers(std::function<void(const std::string&)> on_lost,
                       std::function<void()> on_restored) {
    on_lost_ = std::move(on_lost);
    on_restored_ = std::move(on_restored);
  }

  // The in-process soft card while it is the output, else null.
  SoftCard* soft_card() const { return soft_card_; }
  NetworkCardTransport* network() const { return network_; }

 private:
  bool OpenPci();
  bool OpenUsb();
  bool OpenSubstitute();
  bool Initialise();

  PromptCard& card_;
  const config::Settings& settings_;
  platform::Host& host_;
  OutputReporter& reporter_;
  HardwareOutputs hardware_;
  SoftCard* soft_card_ = nullptr;
  NetworkCardTransport* network_ = nullptr;
  bool initialise_due_ = false;
  std::function<void(const std::string&)> on_lost_;
  std::function<void()> on_restored_;
};

}  // namespace telvane::devices
