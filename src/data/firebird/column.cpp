#include "data/firebird/column.h"

#include <cmath>
#include <cstring>

#include "data/firebird/cp1251.h"
#include "data/firebird/fb_api.h"

namespace {
// Firebird counts days from 17 November 1858, which is Julian day 2400001 in QDate's count.
constexpr qint64 kIscDateJulianBase = 2400001;

template <typename T>
T Load(const unsigned char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

QVariant Scaled(qint64 raw, int scale) {
  if (scale >= 0) return raw;
  return static_cast<double>(raw) / std::pow(10.0, -scale);
}
}  // namespace

QDateTime TimestampToQDateTime(int iscDate, unsigned iscTime) {
  const QDate date = QDate::fromJulianDay(kIscDateJulianBase + iscDate);
  return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(iscTime / 10)));
}

void QDateTimeToTimestamp(const QDateTime& value, int* iscDate, unsigned* iscTime) {
  *iscDate = static_cast<int>(value.date().toJulianDay() - kIscDateJulianBase);
  *iscTime = static_cast<unsigned>(value.time().msecsSinceStartOfDay()) * 10u;
}

QVariant DecodeField(const Column& column, const unsigned char* message, const BlobReader& readBlob) {
  if (Load<short>(message + column.nullOffset)) return {};
  return DecodeValueAt(column, message + column.offset, readBlob);
}

QVariant DecodeValueAt(const Column& column, const unsigned char* p, const BlobReader& readBlob) {
  switch (column.type) {
    case fbapi::kText:
      return DecodeCp1251(reinterpret_cast<const char*>(p), column.length);
    case fbapi::kVarying:
      return DecodeCp1251(reinterpret_cast<const char*>(p + 2), Load<quint16>(p));
    case fbapi::kShort:
      return column.scale < 0 ? Scaled(Load<qint16>(p), column.scale) : QVariant(int(Load<qint16>(p)));
    case fbapi::kLong:
      return column.scale < 0 ? Scaled(Load<qint32>(p), column.scale) : QVariant(int(Load<qint32>(p)));
    case fbapi::kInt64:
      return Scaled(Load<qint64>(p), column.scale);
    case fbapi::kFloat:
      return static_cast<double>(Load<float>(p));
    case fbapi::kDouble:
    case fbapi::kDFloat:
      return Load<double>(p);
    case fbapi::kTimestamp:
      return TimestampToQDateTime(Load<qint32>(p), Load<quint32>(p + 4));
    case fbapi::kTypeDate:
      return QDate::fromJulianDay(kIscDateJulianBase + Load<qint32>(p));
    case fbapi::kTypeTime:
      return QTime::fromMSecsSinceStartOfDay(static_cast<int>(Load<quint32>(p) / 10));
    case fbapi::kBoolean:
      return static_cast<bool>(*p);
    case fbapi::kBlob: {
      const BlobId id{Load<quint32>(p), Load<quint32>(p + 4)};
      if (readBlob) return readBlob(id);
      return QVariant::fromValue(id);
    }
    default:
      throw DbError(QStringLiteral("Неподдържан тип на колона %1 (%2).").arg(column.name).arg(column.type));
  }
}

unsigned ValueSize(const Column& column) {
  return column.type == fbapi::kVarying ? column.length + 2 : column.length;
}
