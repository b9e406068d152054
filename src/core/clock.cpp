#include "core/clock.h"

namespace {
std::function<QDateTime()>& Source() {
  static std::function<QDateTime()> source;
  return source;
}
}  // namespace

namespace Clock {
QDateTime Now() {
  const auto& source = Source();
  return source ? source() : QDateTime::currentDateTime();
}

void SetNowSource(std::function<QDateTime()> source) { Source() = std::move(source); }

FixedNow::FixedNow(const QDateTime& moment) {
  SetNowSource([moment] { return moment; });
}
FixedNow::~FixedNow() { SetNowSource({}); }
}  // namespace Clock
