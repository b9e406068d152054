// The change history of saving a card: composing its texts and writing the card-level ones.
#include "card/card_history.h"

#include "card/card_load.h"
#include "card/card_text_fields.h"
#include "card/members.h"
#include "core/text_helpers.h"
#include "data/action_log.h"
#include "data/card_table.h"
#include "data/data_module.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString NameAt(const QStringList& names, int position) {
  return position >= 0 && position < names.size() ? CollapseSpaces(names.at(position)) : QString();
}

// "dd.mm.yyyyг.", as the placement history writes dates; empty without a date.
QString PlacementDateText(const std::optional<QDate>& date) {
  return date ? date->toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("г.") : QString();
}
}  // namespace

QString HistoryDateText(DateTimeValue value) {
  // The editor keeps 0 and 0.0001 (and the date field's empty value) for a missing date.
  if (value < 1) return QString();
  return FormatShortDate(ToQDate(value));
}

QString CardCreationText(const QString& regNum) {
  return QStringLiteral("Създаване на картон с регистрационен номер ") + regNum;
}

QStringList CardChangeTexts(const RememberedCardState& remembered, const CardForm& form,
                            const QStringList& groupNames, const QStringList& statusNames) {
  QStringList texts;
  if (remembered.dek_id != form.dek_id)
    texts << QStringLiteral("Промяна на последно подадена декларация от ") + remembered.dek_id + QStringLiteral(" на ") +
                 form.dek_id;
  if (remembered.dek_dat != form.dek_dat)
    texts << QStringLiteral("Промяна дата на последно подадена декларация от ") + HistoryDateText(remembered.dek_dat) +
                 QStringLiteral(" на ") + HistoryDateText(form.dek_dat);
  if (remembered.groupPosition != form.cbGroup.position)
    texts << QStringLiteral("Промяна на група от ") + NameAt(groupNames, remembered.groupPosition) +
                 QStringLiteral(" на ") + NameAt(groupNames, form.cbGroup.position);
  if (remembered.grupaDate != form.dtGrupaDate)
    texts << QStringLiteral("Промяна дата на група от ") + HistoryDateText(remembered.grupaDate) + QStringLiteral(" на ") +
                 HistoryDateText(form.dtGrupaDate);
  if (remembered.statusPosition != form.cbStatus.position)
    texts << QStringLiteral("Промяна на състояние от ") + NameAt(statusNames, remembered.statusPosition) +
                 QStringLiteral(" на ") + NameAt(statusNames, form.cbStatus.position);
  for (QString& text : texts) text += QStringLiteral(" на картон с номер : ") + form.ebRegNum;
  return texts;
}

QStringList ClearedFieldTexts(const CardForm& loaded, const CardForm& form) {
  // A history line holds the old text whole up to a length a statement carries with ease.
  constexpr int kShownLength = 1000;
  QStringList texts;
  for (const CardTextField& field : CardTextFields()) {
    if (!field.writtenWhenFilled || field.column == card_table::kLastDekId || !FieldCleared(field, loaded, form))
      continue;
    QString old = field.stored(loaded);
    if (old.size() > kShownLength) old = old.left(kShownLength) + QStringLiteral("…");
    texts << QStringLiteral("Изтриване на %1 (%2) на картон с номер : %3")
                 .arg(QString::fromUtf8(field.caption), old, form.ebRegNum);
  }
  return texts;
}

void LogCardChanges(TDataModule1& data, int cardId, const RememberedCardState& remembered, const CardForm& form) {
  QStringList texts = CardChangeTexts(remembered, form, CodeListItems(data, QStringLiteral("GROUP1")),
                                      CodeListItems(data, QStringLiteral("STATUS")));
  texts += ClearedFieldTexts(remembered.loaded, form);
  for (const QString& text : texts) LogAction(data, cardId, QLatin1String(kLogKindCard), text);
}

QString RoleSelectorName(int code) { return code >= 0 && code < kMemberPanelRoles ? PersonTypeText(code) : QString(); }

QStringList MemberChangeLines(const StoredMember& stored, const MemberRow& row, const QStringList& socGroups) {
  QStringList lines;
  if (stored.name && *stored.name != row.name)
    lines << QStringLiteral("Променено име от ") + *stored.name + QStringLiteral(" на ") + row.name;
  if (stored.egn && *stored.egn != row.egn)
    lines << QStringLiteral("Променено ЕГН от ") + *stored.egn + QStringLiteral(" на ") + row.egn;
  if (stored.personType && *stored.personType != PersonTypeCode(row.type))
    lines << QStringLiteral("Променено тип от ") + RoleSelectorName(*stored.personType) + QStringLiteral(" на ") +
                 row.type;
  if (stored.socGroup && *stored.socGroup != socGroups.indexOf(row.socGroup))
    lines << QStringLiteral("Променено Соц. група от ") + NameAt(socGroups, *stored.socGroup) + QStringLiteral(" на ") +
                 row.socGroup;
  if (stored.notes && *stored.notes != row.notes)
    lines << QStringLiteral("Променено бележки от ") + *stored.notes + QStringLiteral(" на ") + row.notes;
  if (stored.invProc && QString::number(*stored.invProc) != row.percent)
    lines << QStringLiteral("Променено процент на инвалидност от ") + QString::number(*stored.invProc) +
                 QStringLiteral(" на ") + row.percent;
  if (stored.invDate) {
    // A text that reads as no date (an emptied column after a percent that was not a
    // number) differs from a stored date instead of stopping the save.
    const DateTimeValue before = ParseDateText(*stored.invDate);
    const DateTimeValue after = ParseDateText(row.validUntil);
    const bool differ = (before == 0) != (after == 0) || (before != 0 && ToQDate(before) != ToQDate(after));
    if (differ)
      lines << QStringLiteral("Променено дата на ТЕЛК от ") +
                   (before != 0 ? FormatShortDate(ToQDate(before)) : *stored.invDate) + QStringLiteral(" на ") +
                   row.validUntil;
  }
  if (stored.telk && *stored.telk != row.telk)
    lines << QStringLiteral("Променено решение на ТЕЛК от ") + *stored.telk + QStringLiteral(" на ") + row.telk;
  return lines;
}

QString MemberChangeText(const QStringList& lines, const QString& regNum) {
  QString text;
  for (const QString& line : lines) text += line + kCrLf;
  return text + QStringLiteral("Картон номер :") + regNum + kCrLf;
}

QString MemberAdditionText(const MemberRow& row) { return QStringLiteral("Добавяне на член със име ") + row.name; }

QString MemberDeletionText(const StoredMember& stored, const QString& regNum) {
  return QStringLiteral("Изтриване на ") + RoleSelectorName(stored.personType.value_or(-1)) +
         QStringLiteral(" с име ") + stored.name.value_or(QString()) + QStringLiteral(" с картон номер :") + regNum;
}

PlacementHistory PlacementHistoryText(int mode, const StoredPlacement& stored, const CardForm& form,
                                      const QDateTime& now, const QString& userName) {
  const QString memo = MemoText(form.mZapHistory);
  if (mode == 0) return {memo.trimmed(), false};

  const QString oldNo = stored.number;
  const QString newNo = form.edNastZap.trimmed();
  const QString oldDate = PlacementDateText(stored.date);
  const QString newDate = PlacementDateText(StorableDate(form.dtNastZap));
  if ((oldNo == newNo && oldDate == newDate) || oldNo.isEmpty()) return {memo, false};
  return {memo + QStringLiteral("Заповед № ") + oldNo.trimmed() + QStringLiteral(" от ") + oldDate +
              QStringLiteral(" е сменена на дата ") + FormatDateTimeDropMidnight(now) +
              QStringLiteral(" от потребител ") + userName + kCrLf,
          true};
}
