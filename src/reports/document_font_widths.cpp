#include "reports/document_font_widths.h"

#include <algorithm>
#include <iterator>

namespace {
struct GlyphWidth {
  char16_t code;
  short regular;  // thousandths of an em
  short bold;
};

constexpr GlyphWidth kWidths[] = {
#include "reports/document_font_widths_table.inc"
};
constexpr int kUnknownWidth = 1000;

int WidthOf(char16_t code, bool bold) {
  const auto* at = std::lower_bound(std::begin(kWidths), std::end(kWidths), code,
                                    [](const GlyphWidth& g, char16_t c) { return g.code < c; });
  if (at == std::end(kWidths) || at->code != code) return kUnknownWidth;
  return bold ? at->bold : at->regular;
}
}  // namespace

double DocumentTextWidthEm(QStringView text, bool bold) {
  long thousandths = 0;
  for (const QChar ch : text) {
    // The second half of a pair of surrogates was counted with the first.
    if (ch.isLowSurrogate()) continue;
    thousandths += WidthOf(ch.unicode(), bold);
  }
  return thousandths / 1000.0;
}
