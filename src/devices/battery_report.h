#pragma once

// The hand controller's battery, as the USB prompter reports it after a 'V'.

#include <cstdint>

namespace telvane::devices {

// b * 140 / 2560 + 0.34 volts.
double BatteryVolts(std::uint8_t reading);

// Below "USB Battery Threshold" the battery needs changing.
bool BatteryLow(double volts, double threshold);

}  // namespace telvane::devices
