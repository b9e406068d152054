// Composing the place record.
#include "classification/ranking_place.h"

#include <stdexcept>

#include "core/date_time.h"

int RankingGroupNumber(const QString& groupName, int regNum) {
  if (groupName.isEmpty() || !groupName.at(0).isDigit() || groupName.at(0).digitValue() < 0) {
    const QString message =
        QStringLiteral("Групата на картон с рег. № %1 не може да бъде определена: името ѝ „%2“ не започва с цифра. "
                       "Местата в класирането не са записани.")
            .arg(regNum)
            .arg(groupName);
    throw std::runtime_error(message.toStdString());
  }
  return groupName.at(0).digitValue();
}

QString RankingPlaceRecord(int place, const QDate& today, int groupNumber, const QDate& grupaDate,
                           const std::optional<QString>& pointsDescr) {
  QString record = QString::number(place) + QStringLiteral("-о място от ") + FormatShortDate(today) +
                   QStringLiteral(" - Група ") + QString::number(groupNumber) + QStringLiteral(" от ") +
                   FormatShortDate(grupaDate);
  // The "o" of ", oсоб.:" is the Latin letter, as every stored record has it.
  if (pointsDescr) record += QStringLiteral(", o") + QStringLiteral("соб.:") + *pointsDescr;
  return record;
}
