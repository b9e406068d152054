// What the fuzz targets share: stopping on a broken promise of the code under test (libFuzzer
// keeps the input that did it), and cutting an input into lines of text.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Stops the run when a promise does not hold; `input` is shown to help reading the finding.
inline void FuzzCheck(bool holds, const char* promise, const QString& input = {}) {
  if (holds) return;
  std::fprintf(stderr, "Broken promise: %s\nInput: %s\n", promise, qPrintable(input));
  std::abort();
}

// The input read as UTF-8 (invalid bytes become replacement characters).
inline QString FuzzText(const uint8_t* data, size_t size) {
  return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as UTF-8 lines; missing lines are empty.
inline QStringList FuzzLines(const uint8_t* data, size_t size, int count) {
  QStringList lines = FuzzText(data, size).split(u'\n');
  while (lines.size() < count) lines << QString();
  return lines;
}
