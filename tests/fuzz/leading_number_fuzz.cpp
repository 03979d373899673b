// LeadingNumber reads any text without failing and never gives NaN.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/number_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = mandati::LeadingNumber(text);  // an exception here is a finding
  if (std::isnan(value)) std::abort();
  return 0;
}
