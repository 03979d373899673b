// SPDX-License-Identifier: GPL-3.0-or-later
// LocaleNumber under "." and "," settings: the only thing that may escape is one of the
// core's own errors, and what it reads must survive being written and read again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "core/number_rules.h"

namespace {

mandati::NumberSettings SettingsFor(std::uint8_t choice) {
  mandati::NumberSettings settings;
  if (choice & 1) {
    settings.decimal_separator = ",";
    settings.group_separator = "\xC2\xA0";
  }
  settings.group_size = (choice & 2) ? 3 : 0;
  settings.leading_zero = (choice & 4) == 0;
  settings.negative_form = (choice & 8) ? mandati::NumberSettings::NegativeForm::kParentheses
                                        : mandati::NumberSettings::NegativeForm::kLeadingMinus;
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const mandati::NumberSettings settings = SettingsFor(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  double value = 0;
  try {
    value = mandati::LocaleNumber(text, settings);
  } catch (const mandati::CoreError&) {
    return 0;
  }
  if (std::isnan(value)) std::abort();
  if (std::fabs(value) < 1e300) {
    // Written with 2 decimals and read back, the value must come back to those decimals.
    const double again = mandati::LocaleNumber(mandati::FixedText(value, 2, settings), settings);
    if (std::fabs(again - value) > 0.005 + std::fabs(value) * 1e-14) std::abort();
    // The default text keeps 15 significant digits.
    const double read = mandati::LocaleNumber(mandati::NumberText(value, settings), settings);
    if (std::fabs(read - value) > std::fabs(value) * 1e-14) std::abort();
  }
  return 0;
}
