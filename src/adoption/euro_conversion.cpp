#include "adoption/euro_conversion.h"

#include <QLocale>
#include <array>
#include <optional>
#include <vector>

#include "core/app_error.h"
#include "core/euro_amount.h"
#include "data/action_log.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/nom_table.h"
#include "data/register_settings.h"

namespace {
constexpr int kMoneyColumns = 3;

struct CardAmounts {
  qint64 cardId = 0;
  qint64 regNum = 0;
  std::array<std::optional<double>, kMoneyColumns> leva;
  std::array<std::optional<double>, kMoneyColumns> euro;
};

// The amount with two decimals, or with every decimal it has when it has more (an older
// program's division left some), so the history keeps the figure that was converted.
QString Figure(double amount) {
  const QLocale locale(QLocale::Bulgarian);
  const QString whole = locale.toString(amount, 'f', QLocale::FloatingPointShortest);
  const qsizetype point = whole.indexOf(locale.decimalPoint());
  return point >= 0 && whole.size() - point - 1 > 2 ? whole : locale.toString(amount, 'f', 2);
}

QString ChangeText(const CardAmounts& card) {
  QStringList parts;
  const auto& columns = CardMoneyColumns();
  for (int i = 0; i < kMoneyColumns; ++i)
    if (card.leva[i])
      parts << QStringLiteral("%1: от %2 лв на %3 €").arg(columns[i].caption, Figure(*card.leva[i]), Figure(*card.euro[i]));
  return parts.join(QStringLiteral("; "));
}

std::vector<CardAmounts> ReadAmountsInLeva(TDataModule1& data, QStringList& declaredInEuro) {
  const auto& columns = CardMoneyColumns();
  QStringList conditions;
  for (const MoneyColumn& column : columns) conditions << column.column + QStringLiteral(" is not null");
  Statement query(data.Db(), QStringLiteral("select %1, %2, %3, %4, %5, %8 from %6 where %7 order by %2")
                                 .arg(card_table::kCardId, card_table::kRegNum, columns[0].column, columns[1].column,
                                      columns[2].column, card_table::kTable, conditions.join(QStringLiteral(" or ")),
                                      card_table::kLastDekDate));
  query.Open();
  std::vector<CardAmounts> cards;
  const QDateTime changeover = EuroChangeoverDate().startOfDay();
  while (query.Next()) {
    CardAmounts card;
    card.cardId = query.Value(0).toLongLong();
    card.regNum = query.Value(1).toLongLong();
    if (!query.IsNull(5) && query.Value(5).toDateTime() >= changeover) {
      declaredInEuro << QStringLiteral("Рег. номер %1: декларация от %2")
                            .arg(card.regNum)
                            .arg(query.Value(5).toDate().toString(QStringLiteral("dd.MM.yyyy")));
      continue;
    }
    for (int i = 0; i < kMoneyColumns; ++i) {
      if (query.IsNull(2 + i)) continue;
      const double leva = query.Value(2 + i).toDouble();
      const std::optional<double> euro = LevaToEuro(leva);
      if (!euro)
        throw AppError(QStringLiteral("Картон с рег. номер %1: сумата „%2“ (%3) не може да бъде превърната в евро; "
                                      "нищо не е променено. Поправете сумата и опитайте отново.")
                           .arg(card.regNum)
                           .arg(leva, 0, 'g', 17)
                           .arg(columns[i].caption));
      card.leva[i] = leva;
      card.euro[i] = *euro;
    }
    cards.push_back(card);
  }
  query.Close();
  return cards;
}

void MarkConverted(TDataModule1& data) {
  Statement mark(data.Db(), QStringLiteral("update NOM set S_INFO = ? where N = ?"));
  mark.BindAll({QString::fromLatin1(kEuroCurrencyMark), nom_settings::kCurrencyRow});
  mark.Execute();
  // A register without the row gets it; its other cells stay empty.
  Statement add(data.Db(), QStringLiteral("insert into NOM (N, S_INFO) select cast(? as integer), cast(? as varchar(50)) from RDB$DATABASE "
                                          "where not exists (select 1 from NOM where N = ?)"));
  add.BindAll({nom_settings::kCurrencyRow, QString::fromLatin1(kEuroCurrencyMark), nom_settings::kCurrencyRow});
  add.Execute();
}
}  // namespace

QDate EuroChangeoverDate() { return QDate(2026, 1, 1); }

const std::vector<MoneyColumn>& CardMoneyColumns() {
  static const std::vector<MoneyColumn> columns = {
      {QString(card_table::kIncome), QStringLiteral("Годишен доход")},
      {QString(card_table::kIncomeHalfYear), QStringLiteral("Доход за 6 месеца")},
      {QString(card_table::kIncomePerPerson), QStringLiteral("Доход на член от семейството")},
  };
  return columns;
}

EuroConversionResult ConvertAmountsToEuro(TDataModule1& data, bool dryRun, const ConversionProgress& progress) {
  EuroConversionResult result;
  data.BeginWrite();
  if (AmountsConvertedToEuro(data)) {
    result.alreadyConverted = true;
    return result;
  }
  // Every amount is read and converted before the first is written, so one that cannot be
  // converted leaves the register as it was.
  const std::vector<CardAmounts> cards = ReadAmountsInLeva(data, result.declaredInEuro);
  result.cards = static_cast<int>(cards.size());
  for (const CardAmounts& card : cards) {
    result.changes << QStringLiteral("Рег. номер %1: %2").arg(card.regNum).arg(ChangeText(card));
    for (const auto& amount : card.leva) result.amounts += amount ? 1 : 0;
  }
  if (dryRun) {
    data.Rollback();
    return result;
  }
  try {
    const auto& columns = CardMoneyColumns();
    Statement update(data.Db(), QStringLiteral("update %1 set %2 = ?, %3 = ?, %4 = ? where %5 = ?")
                                    .arg(card_table::kTable, columns[0].column, columns[1].column, columns[2].column,
                                         card_table::kCardId));
    int done = 0;
    for (const CardAmounts& card : cards) {
      for (int i = 0; i < kMoneyColumns; ++i) update.Bind(i, card.euro[i] ? QVariant(*card.euro[i]) : QVariant());
      update.Bind(kMoneyColumns, card.cardId);
      update.Execute();
      LogAction(data, card.cardId, QLatin1String(kLogKindCard),
                QStringLiteral("Превръщане на сумите от лева в евро (1 € = 1,95583 лв), рег. номер %1: %2")
                    .arg(card.regNum)
                    .arg(ChangeText(card)));
      if (progress && (++done % 5000 == 0 || done == result.cards)) progress(done, result.cards);
    }
    MarkConverted(data);
    data.Commit();
  } catch (...) {
    data.Rollback();
    throw;
  }
  return result;
}
