// Saving a card: the card's columns, its members, the history and the classification, then
// one commit; any error undoes the whole save and is shown with its own message.
#include "card/card_save.h"
#include "card/money_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>
#include <utility>
#include <vector>

#include "card/card_history.h"
#include "card/card_load.h"
#include "card/card_stamp.h"
#include "card/card_text_fields.h"
#include "card/members.h"
#include "classification/update_card_classification.h"
#include "core/clock.h"
#include "core/error_display.h"
#include "core/messages.h"
#include "core/text_helpers.h"
#include "core/yes_no_code.h"
#include "data/action_log.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"

namespace {
using ColumnValues = std::vector<std::pair<QString, QVariant>>;

NewCardNumberHook& InstalledNewCardNumberHook() {
  static NewCardNumberHook hook;
  return hook;
}

// Empty texts are stored as NULL.
QVariant TextOrNull(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

QVariant DateOrNull(DateTimeValue value) {
  const std::optional<QDate> date = StorableDate(value);
  return date ? QVariant(*date) : QVariant();
}

// An amount as the checks before a save accept it, rounded to four decimals like a currency value.
std::optional<double> ReadAmount(const QString& text) {
  const std::optional<double> value = ReadCurrency(text);
  if (!value) return std::nullopt;
  return std::round(*value * 10000.0) / 10000.0;
}

int WholeNumberOrZero(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok ? value : 0;
}

int WholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(text));
  return value;
}

QString Trimmed(const QString& text) { return text.trimmed(); }

// A date the window shows, or NULL for a date field left blank.
QVariant ShownDateOrNull(DateTimeValue value) { return value < 1 ? QVariant() : DateOrNull(value); }

// The card's columns in the order they are written; a column whose condition fails is left
// out, so an update keeps its stored value and an insert leaves it NULL. An existing card
// (`loaded` set) whose text the clerk emptied since loading stores it emptied instead.
ColumnValues CardColumns(const CardForm& form, const QString& placementHistory, const CardForm* loaded) {
  using namespace card_table;
  ColumnValues c;
  auto put = [&c](QLatin1StringView column, QVariant value) { c.emplace_back(QString(column), std::move(value)); };
  auto cleared = [&form, loaded](QLatin1StringView column) {
    return loaded && FieldCleared(CardTextFieldOf(column), *loaded, form);
  };
  auto putText = [&](QLatin1StringView column, const QString& text, QVariant value) {
    if (!text.isEmpty())
      put(column, std::move(value));
    else if (cleared(column))
      put(column, QVariant());
  };
  put(kRegDate, DateOrNull(form.AddDate));
  put(kGroup1, form.cbGroup.position + 1);
  put(kGroup2, form.cbsubGroup.position >= 0 ? form.cbsubGroup.position : 0);
  put(kAdress, TextOrNull(Trimmed(form.ebAdress)));
  put(kAdressDate, DateOrNull(form.dtAdress));
  put(kCheckDate, DateOrNull(form.dtCheck));
  put(kGrupaDate, DateOrNull(form.dtGrupaDate));
  put(kGrupa, form.cbGroup.position);
  put(kLReason, form.cbLReason.text.isEmpty() ? 0 : form.cbLReason.position);
  put(kKart, form.cbKart.text.isEmpty() ? 0 : form.cbKart.position);
  if (!form.cbLData.text.isEmpty()) put(kLData, form.cbLData.position);
  putText(kDeals, form.ebDeals, form.ebDeals);
  putText(kAssets, form.ebAssets, form.ebAssets);
  putText(kLConditions, form.ebLCond, form.ebLCond);
  put(kAloneParent, YesNoCodeFromBool(form.CheckBoxAloneParent));
  putText(kNotes, MemoText(form.mNotes), TextOrNull(Trimmed(MemoText(form.mNotes))));
  if (!form.mSYSNotes.isEmpty()) put(kSysNotes, TextOrNull(Trimmed(MemoText(form.mSYSNotes))));
  putText(kCheckName, form.ebCheck, TextOrNull(Trimmed(form.ebCheck)));
  put(kGotHouse, TextOrNull(Trimmed(form.ebGot)));
  put(kAddUser, QStringLiteral("Default"));
  put(kStatus, form.cbStatus.position);
  if (const auto income = ReadAmount(form.ebIncome)) put(kIncome, *income);
  if (const auto half = ReadAmount(form.ebIncomeHalfYear)) put(kIncomeHalfYear, *half);
  if (const auto perPerson = ReadAmount(form.ebIncPerPerson)) put(kIncomePerPerson, *perPerson);
  put(kKids, CountKidsUnder18(form.members));
  put(kKidsOver18, CountKidsOver18(form.members));
  putText(kDocIdTxt, form.doctxt, TextOrNull(Trimmed(form.doctxt)));
  if (!form.pr.isEmpty()) {
    put(kProtId, form.pr);
    put(kProtDate, DateOrNull(form.protDate));
  } else if (cleared(kProtId)) {
    put(kProtId, QVariant());
    put(kProtDate, ShownDateOrNull(form.protDate));
  }
  if (!form.dek_id.isEmpty()) {
    put(kLastDekId, TextOrNull(Trimmed(form.dek_id)));
    put(kLastDekDate, DateOrNull(form.dek_dat));
  } else if (cleared(kLastDekId)) {
    put(kLastDekId, QVariant());
    put(kLastDekDate, ShownDateOrNull(form.dek_dat));
  }
  put(kYearsNoDeclr, WholeNumberOrZero(form.edYearsNoDeclr));
  const int year = WholeNumberOrZero(form.edYear);
  put(kPointsYear, year > 1970 ? year : 0);
  put(kHardLife, TruthFlagFromBool(form.HardLife));
  put(kHasFirm, TextOrNull(form.edHasFirm));
  put(kReasonComment, TextOrNull(form.edReasonComment));
  put(kNastZapHistory, TextOrNull(placementHistory));
  put(kNastZap, TextOrNull(Trimmed(form.edNastZap)));
  put(kNastZapDate, DateOrNull(form.dtNastZap));
  if (!form.cbNastVidApart.text.isEmpty()) put(kNastVidApart, form.cbNastVidApart.position);
  if (!form.cbTerm.text.isEmpty()) put(kNastTerm, form.cbTerm.position);
  put(kNastApartAdres, TextOrNull(form.edNasAdrApart));
  put(kNastBuy, TextOrNull(form.edIskaKupi));
  put(kNasZapOut, TextOrNull(form.edZapOut));
  return c;
}

// Runs "insert into <table> (...) values (...)", with "returning <returning>" when given.
QVariant Insert(TDataModule1& data, const QString& table, const ColumnValues& columns, const QString& returning = {}) {
  QStringList names, marks;
  for (const auto& column : columns) names << column.first, marks << QStringLiteral("?");
  QString sql = QStringLiteral("insert into %1 (%2) values (%3)").arg(table, names.join(u','), marks.join(u','));
  if (!returning.isEmpty()) sql += QStringLiteral(" returning ") + returning;
  Statement insert(data.Db(), sql);
  for (int i = 0; i < static_cast<int>(columns.size()); ++i) insert.Bind(i, columns[i].second);
  insert.Execute();
  return returning.isEmpty() ? QVariant() : insert.Value(0);
}

void Update(TDataModule1& data, const QString& table, const ColumnValues& columns, const QString& keyColumn, int key) {
  QStringList sets;
  for (const auto& column : columns) sets << column.first + QStringLiteral(" = ?");
  Statement update(data.Db(),
                   QStringLiteral("update %1 set %2 where %3 = ?").arg(table, sets.join(u','), keyColumn));
  int i = 0;
  for (const auto& column : columns) update.Bind(i++, column.second);
  update.Bind(i, key);
  update.Execute();
}

// A member row's columns. A new card stores its texts without blanks at either end and
// leaves out empty notes; an existing card stores them as shown and clears what is empty.
ColumnValues MemberColumns(const MemberRow& row, const QStringList& socGroups, bool newCard) {
  using namespace person_table;
  auto text = [newCard](const QString& value) { return TextOrNull(newCard ? value.trimmed() : value); };
  ColumnValues c;
  auto put = [&c](QLatin1StringView column, QVariant value) { c.emplace_back(QString(column), std::move(value)); };
  put(kName, text(row.name));
  put(kEgn, text(row.egn));
  put(kPersonType, PersonTypeCode(row.type));
  put(kSocGroup, static_cast<int>(socGroups.indexOf(row.socGroup)));
  if (!newCard || !row.notes.isEmpty()) put(kNotes, text(row.notes));
  const bool disability = !row.percent.isEmpty();
  if (disability || !newCard) {
    put(kInvProc, disability ? QVariant(WholeNumber(row.percent)) : QVariant());
    put(kInvDate, disability ? text(row.validUntil) : QVariant());
    put(kTelkNum, disability ? text(row.telk) : QVariant());
  }
  return c;
}

std::optional<QString> StoredText(const std::optional<QString>& text) {
  return text ? std::optional<QString>(WithoutTrailingBlanks(*text)) : std::nullopt;
}

// A stored member as the change history compares it.
StoredMember StoredMemberOf(const StoredPersonRow& p) {
  StoredMember m;
  m.personId = p.personId.value_or(0);
  m.name = StoredText(p.name);
  m.egn = StoredText(p.egn);
  m.personType = p.personType;
  m.socGroup = p.socGroup;
  m.notes = StoredText(p.notes);
  m.invProc = p.invProc;
  m.invDate = StoredText(p.invDate);
  m.telk = StoredText(p.telkNum);
  return m;
}

void SaveNewCardMembers(TDataModule1& data, int cardId, const CardForm& form, const QStringList& socGroups) {
  for (const MemberRow& row : form.members) {
    ColumnValues columns = MemberColumns(row, socGroups, true);
    columns.insert(columns.begin(), {QString(person_table::kCardId), cardId});
    Insert(data, person_table::kTable, columns);
  }
}

void SaveExistingCardMembers(TDataModule1& data, int cardId, const CardForm& form, const QStringList& socGroups) {
  // Paired with the grid's rows by position: the members page lists them in the same order.
  std::vector<StoredMember> stored;
  for (const StoredPersonRow& person : ReadCardMembers(data, cardId)) stored.push_back(StoredMemberOf(person));
  for (size_t i = 0; i < form.members.size(); ++i) {
    const MemberRow& row = form.members[i];
    ColumnValues columns = MemberColumns(row, socGroups, false);
    if (i >= stored.size()) {
      LogAction(data, cardId, QLatin1String(kLogKindCard), MemberAdditionText(row));
      columns.insert(columns.begin(), {QString(person_table::kCardId), cardId});
      Insert(data, person_table::kTable, columns);
      continue;
    }
    const QStringList lines = MemberChangeLines(stored[i], row, socGroups);
    if (!lines.isEmpty())
      LogAction(data, stored[i].personId, QLatin1String(kLogKindPerson), MemberChangeText(lines, form.ebRegNum));
    Update(data, person_table::kTable, columns, person_table::kPersonId, stored[i].personId);
  }
  for (size_t i = form.members.size(); i < stored.size(); ++i) {
    LogAction(data, stored[i].personId, QLatin1String(kLogKindPerson), MemberDeletionText(stored[i], form.ebRegNum));
    Statement remove(data.Db(), QStringLiteral("delete from ") + person_table::kTable + QStringLiteral(" where ") +
                                    person_table::kPersonId + QStringLiteral(" = ?"));
    remove.Bind(0, stored[i].personId);
    remove.Execute();
  }
}

StoredPlacement ReadStoredPlacement(TDataModule1& data, int cardId) {
  using namespace card_table;
  const CardSelect select{kNastZap, kNastZapDate};
  Statement query(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                 QStringLiteral(" where ") + kCardId + QStringLiteral(" = ?"));
  query.Bind(0, cardId);
  query.Open();
  if (!query.Next()) throw ValidationError(QStringLiteral("Картон с ключ %1 не съществува.").arg(cardId));
  const StoredCardRow row = select.Read(query);
  query.Close();
  StoredPlacement stored;
  if (row.nastZap) {
    stored.number = WithoutTrailingBlanks(*row.nastZap);
  }
  if (row.nastZapDate) stored.date = ToQDate(StoredDateValue(*row.nastZapDate));
  return stored;
}

int NewRegistrationNumber(TDataModule1& data) {
  Statement query(data.Db(), QStringLiteral("select max(") + card_table::kRegNum + QStringLiteral(") from ") +
                                 card_table::kTable);
  const QVariant highest = query.ScalarValue();
  return highest.isNull() ? 1 : highest.toInt() + 1;
}

// The card window's navigator and "Зареждане" work on the register list, so after a save
// it stands on the saved card (or where it was). When the list could keep its rows over the
// save's commit, only the saved card is read again and put in its place; otherwise the commit
// closed the list and it is opened again.
void ShowSavedCardInList(TDataModule1& data, int cardId, int previousRow, bool kept, QWidget* parent) {
  ListQuery& list = data.MainQuery();
  try {
    if (kept && cardId > 0 && list.IsOpen()) {
      try {
        if (!list.RereadCard(cardId)) list.Close();
      } catch (const std::exception&) {
        // The card is saved; the list shows it after a whole opening instead.
        list.Close();
      }
    }
    if (!list.IsOpen()) list.Open();
    if (cardId > 0 && list.Locate(card_table::kCardId, cardId)) return;
    if (previousRow >= 0 && previousRow < list.RowCount()) list.SetCurrentRow(previousRow);
  } catch (const std::exception& error) {
    ShowErrorDisplay(parent, error);
  }
}
}  // namespace

void SetNewCardNumberHook(NewCardNumberHook hook) { InstalledNewCardNumberHook() = std::move(hook); }

SaveOutcome SaveCard(TDataModule1& data, CardForm& form, int mode, bool canEdit, int cardId,
                     const RememberedCardState& remembered, QWidget* parent) {
  SaveOutcome outcome;
  if (!canEdit && mode == 1) return outcome;

  const int previousRow = data.MainQuery().CurrentRow();
  // The save's commits would close the register list and a whole register would be fetched
  // again for one card: the list keeps its rows and takes in the saved card alone.
  const ListQuery::KeepOverCommit keep(data.MainQuery());
  CardForm saved = form;
  try {
    if (data.Tr().IsActive()) data.Commit();
    data.Tr().Start();

    StoredPlacement storedPlacement;
    if (mode == 0) {
      saved.ebRegNum = QString::number(NewRegistrationNumber(data));
      if (const NewCardNumberHook& hook = InstalledNewCardNumberHook()) hook();
    } else {
      if (!remembered.storedStamp.isEmpty() && ReadCardStamp(data, cardId) != remembered.storedStamp)
        throw ValidationError(QString::fromUtf8(kCardChangedElsewhere));
      storedPlacement = ReadStoredPlacement(data, cardId);
    }
    const PlacementHistory history =
        PlacementHistoryText(mode, storedPlacement, saved, Clock::Now(), data.CurrentUserName());
    if (history.appended) saved.mZapHistory = MemoLines(history.text);
    // Every text is checked before anything is written: the database would refuse a text too
    // long for its column only part-way through the save, in its own English words.
    if (const QString problem = CardTextProblem(saved, history.text); !problem.isEmpty())
      throw ValidationError(problem);
    ColumnValues columns = CardColumns(saved, history.text, mode == 1 ? &remembered.loaded : nullptr);
    const QStringList socGroups = CodeListItems(data, QStringLiteral("SOCGRUPA"));

    int key = cardId;
    if (mode == 0) {
      LogAction(data, saved.ebRegNum.toInt(), QLatin1String(kLogKindCard), CardCreationText(saved.ebRegNum));
      columns.insert(columns.begin(), {QString(card_table::kRegNum), saved.ebRegNum.toInt()});
      // The key of this very insert: another workstation may insert a card in the meantime.
      key = Insert(data, card_table::kTable, columns, card_table::kCardId).toInt();
      SaveNewCardMembers(data, key, saved, socGroups);
    } else {
      LogCardChanges(data, cardId, remembered, saved);
      Update(data, card_table::kTable, columns, card_table::kCardId, cardId);
      SaveExistingCardMembers(data, cardId, saved, socGroups);
    }
    UpdateCardClassification(data, key, false);
    // One commit for the card, its members and its history: a failure anywhere leaves none
    // of them behind, so saving again cannot register the household twice.
    if (mode == 0)
      data.Commit();
    else
      data.CommitRetaining();

    form = saved;
    outcome.saved = true;
    outcome.cardId = key;
    outcome.regNum = saved.ebRegNum;
    outcome.remembered = {saved.dek_id, saved.dek_dat, saved.cbGroup.position, saved.dtGrupaDate,
                          saved.cbStatus.position, {}, saved};
  } catch (const std::exception& error) {
    try {
      if (data.Tr().IsActive()) data.Rollback();
    } catch (const std::exception&) {
      // The save's own error is the one to show.
    }
    ShowErrorDisplay(parent, error);
    ShowSavedCardInList(data, 0, previousRow, keep.Keeps(), parent);
    return outcome;
  }

  if (mode == 1) {
    // The card as this save left it, for the next save's comparison. The save itself is
    // done: an error here only means the next save cannot compare.
    try {
      outcome.remembered.storedStamp = ReadCardStamp(data, outcome.cardId);
    } catch (const std::exception&) {
    }
  }
  ShowSavedCardInList(data, outcome.cardId, previousRow, keep.Keeps(), parent);
  ShowMessage(parent,
              mode == 0 ? QStringLiteral("Данните са регистрирани успешно!")
                        : QStringLiteral("Данните са актуализирани успешно!"),
              QCoreApplication::applicationName(), MessageIcon::Information);
  return outcome;
}
