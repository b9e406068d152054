#include "core/euro_amount.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
using Wide = __int128;

Wide PowerOfTen(int exponent) {
  Wide value = 1;
  for (int i = 0; i < exponent; ++i) value *= 10;
  return value;
}

// `value` as digits × 10^-scale, read from its shortest round-trip decimal text, so that the
// stored 100.1 is 1001 × 10^-1 and not the binary neighbour 100.09999999999999431566.
void DecimalDigits(double value, std::int64_t& digits, int& scale) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  const std::string written(text, result.ptr);
  const auto e = written.find('e');
  const std::string mantissa = written.substr(0, e);
  const int exponent = std::atoi(written.c_str() + e + 1);
  std::string whole;
  int fraction = 0;
  bool afterPoint = false;
  for (char c : mantissa) {
    if (c == '.') {
      afterPoint = true;
    } else if (c >= '0' && c <= '9') {
      whole += c;
      if (afterPoint) ++fraction;
    }
  }
  digits = std::stoll(whole);
  scale = fraction - exponent;
}
}  // namespace

std::optional<double> LevaToEuro(double leva) {
  if (!std::isfinite(leva) || std::fabs(leva) > kLargestConvertibleAmount) return std::nullopt;
  if (leva == 0) return 0.0;
  const bool negative = leva < 0;
  std::int64_t digits = 0;
  int scale = 0;
  DecimalDigits(std::fabs(leva), digits, scale);
  // Below a thousandth of a lev the amount is less than half a euro cent.
  if (scale > 3 + 17) return negative ? -0.0 : 0.0;
  // cents = digits × 10^-scale × 100 / 1.95583 = digits × 10^(7 - scale) / 195583
  Wide numerator = digits;
  Wide denominator = 195583;
  if (scale <= 7)
    numerator *= PowerOfTen(7 - scale);
  else
    denominator *= PowerOfTen(scale - 7);
  const Wide cents = (2 * numerator + denominator) / (2 * denominator);  // half up
  const double euro = static_cast<double>(static_cast<std::int64_t>(cents)) / 100.0;
  return negative ? -euro : euro;
}
