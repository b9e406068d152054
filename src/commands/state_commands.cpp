// Setting card states: note lines, the one-card and every-card commands, the status menu.
#include "commands/state_commands.h"

#include <set>

#include "core/clock.h"
#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"

namespace {
const QString kStatusList = QStringLiteral("STATUS");
const QString kLineBreak = QStringLiteral("\r\n");

// One card's planned change: its key and the notes it will hold.
struct StateChange {
  int cardId = 0;
  QString notes;
};

// The state's name as the code list holds it; a missing name stops the command before
// anything is written, since the note would otherwise name a state that does not exist.
QString StateName(TDataModule1& data, int code) {
  const QString name = data.NomCodeName(kStatusList, code);
  if (name == QLatin1String("false"))
    throw DbError(QStringLiteral("Състояние с код %1 няма име в номенклатурата; състоянието не е променено.").arg(code));
  return name;
}

// The card is read from the database, not from the list: the list may have been fetched
// before the card's last change in this transaction.
StateChange PlanChange(TDataModule1& data, Statement& readCard, int cardId, const QString& newName) {
  readCard.Bind(0, cardId);
  readCard.Open();
  if (!readCard.Next()) {
    readCard.Close();
    throw DbError(QStringLiteral("Картон с ключ %1 не е намерен; състоянието не е променено.").arg(cardId));
  }
  const int oldCode = readCard.Value(0).toInt();
  const QString oldNotes = readCard.IsNull(1) ? QString() : readCard.Value(1).toString();
  readCard.Close();
  const QString line = ComposeStateNote(data.CurrentUserName(), Clock::Now(), StateName(data, oldCode), newName);
  return {cardId, PrependNoteLine(oldNotes, line)};
}

int WriteChanges(TDataModule1& data, const std::vector<StateChange>& changes, int code) {
  if (changes.empty()) return 0;
  data.BeginWrite();
  try {
    Statement update(data.Db(), QStringLiteral("update RGS_CARD set STATUS = ?, SYS_NOTES = ? where CARD_ID = ?"));
    for (const StateChange& change : changes) {
      update.BindAll({code, change.notes, change.cardId});
      update.Execute();
    }
    data.CommitRetaining();
  } catch (...) {
    // A card held by another workstation stops the run: no card of it keeps its new state,
    // and a later commit cannot save half of the run.
    data.Rollback();
    throw;
  }
  return static_cast<int>(changes.size());
}

Statement ReadCardStatement(TDataModule1& data) {
  return Statement(data.Db(), QStringLiteral("select STATUS, SYS_NOTES from RGS_CARD where CARD_ID = ?"));
}

}  // namespace

QString ComposeStateNote(const QString& userName, const QDateTime& now, const QString& oldName,
                         const QString& newName) {
  return QStringLiteral("***(") + userName + u'/' + now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) +
         QStringLiteral(")-> ") + QStringLiteral("Промяна на състояние от ") + CollapseSpaces(oldName) +
         QStringLiteral(" на ") + CollapseSpaces(newName);
}

QString PrependNoteLine(const QString& existingNotes, const QString& line) {
  QString result = line + kLineBreak;
  // A line ends at CR, LF or CR LF; text after the last break is a line of its own.
  qsizetype i = 0;
  const qsizetype n = existingNotes.size();
  while (i < n) {
    const qsizetype start = i;
    while (i < n && existingNotes[i] != u'\r' && existingNotes[i] != u'\n') ++i;
    result += QStringView(existingNotes).mid(start, i - start);
    result += kLineBreak;
    if (i < n && existingNotes[i] == u'\r') ++i;
    if (i < n && existingNotes[i] == u'\n') ++i;
  }
  return result;
}

int SetSTATUS(TDataModule1& data, int code) {
  ListQuery& list = data.MainQuery();
  if (!list.IsOpen() || list.CurrentRow() < 0) return 0;
  const QString newName = StateName(data, code);
  Statement readCard = ReadCardStatement(data);
  const int cardId = list.CurrentValue(QStringLiteral("CARD_ID")).toInt();
  return WriteChanges(data, {PlanChange(data, readCard, cardId, newName)}, code);
}

int SetALLSTATUS(TDataModule1& data, int code) {
  ListQuery& list = data.MainQuery();
  if (!list.IsOpen()) return 0;
  const QString newName = StateName(data, code);
  Statement readCard = ReadCardStatement(data);
  const int cardField = list.FieldIndex(QStringLiteral("CARD_ID"));
  std::vector<StateChange> changes;
  std::set<int> planned;
  for (int row = 0; row < list.RowCount(); ++row) {
    const int cardId = list.Value(row, cardField).toInt();
    if (planned.insert(cardId).second) changes.push_back(PlanChange(data, readCard, cardId, newName));
  }
  return WriteChanges(data, changes, code);
}

std::vector<StatusMenuEntry> StatusMenuEntries(TDataModule1& data) {
  ListQuery& list = data.MainQuery();
  const int cardId =
      list.IsOpen() && list.CurrentRow() >= 0 ? list.CurrentValue(QStringLiteral("CARD_ID")).toInt() : 0;
  Statement readStatus(data.Db(), QStringLiteral("select STATUS from RGS_CARD where CARD_ID = ?"));
  readStatus.Bind(0, cardId);
  const QVariant current = readStatus.ScalarValue();

  const std::vector<CodeListEntry> states = data.CodeListEntries(kStatusList);
  std::vector<StatusMenuEntry> entries;
  for (const auto& [code, name] : states)
    entries.push_back({name, code, false, !current.isNull() && current.toInt() == code});
  for (const auto& [code, name] : states)
    entries.push_back({QStringLiteral("За Всички - ") + name, code, true, false});
  return entries;
}
