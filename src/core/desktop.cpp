#include "core/desktop.h"

namespace {
std::function<bool(const QString&)>& Opener() {
  static std::function<bool(const QString&)> opener;
  return opener;
}
}  // namespace

bool OpenWithAssociatedProgram(const QString& path) { return Opener() && Opener()(path); }

void SetAssociatedProgramOpener(std::function<bool(const QString&)> opener) { Opener() = std::move(opener); }
