#include "devices/battery_report.h"

namespace telvane::devices {

double BatteryVolts(std::uint8_t reading) {
  return reading * 140.0 / 2560.0 + 0.34;
}

bool BatteryLow(double volts, double threshold) {
  return volts < threshold;
}

}  // namespace telvane::devices
