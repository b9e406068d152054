// Saving a card: the card's columns, its members, the history and the classification, then
// one commit; any error undoes the whole save and is shown with its own message.
#include "card/card_save.h"
#include "card/money_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>
#include <utility>
#include <vector>

#include "core/error_display.h"
#include "core/messages.h"
#include "card/card_history.h"
#include "card/card_load.h"
#include "card/card_stamp.h"
#include "card/members.h"
#include "classification/update_card_classification.h"
#include "data/action_log.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "data/firebird/statement.h"
#include "core/clock.h"
#include "core/yes_no_code.h"
#include "core/text_helpers.h"

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

// The card's columns in the order they are written; a column whose condition fails is left
// out, so an update keeps its stored value and an insert leaves it NULL.
ColumnValues CardColumns(const CardForm& form, const QString& placementHistory) {
  ColumnValues c;
  auto put = [&c](const char* column, QVariant value) { c.emplace_back(QLatin1String(column), std::move(value)); };
  put("REGDATE", DateOrNull(form.AddDate));
  put("GROUP1", form.cbGroup.position + 1);
  put("GROUP2", form.cbsubGroup.position >= 0 ? form.cbsubGroup.position : 0);
  put("ADRESS", TextOrNull(Trimmed(form.ebAdress)));
  put("ADRESS_DATE", DateOrNull(form.dtAdress));
  put("CHECK_DATE", DateOrNull(form.dtCheck));
  put("GRUPA_DATE", DateOrNull(form.dtGrupaDate));
  put("GRUPA", form.cbGroup.position);
  put("L_REASON", form.cbLReason.text.isEmpty() ? 0 : form.cbLReason.position);
  put("KART", form.cbKart.text.isEmpty() ? 0 : form.cbKart.position);
  if (!form.cbLData.text.isEmpty()) put("L_DATA", form.cbLData.position);
  if (!form.ebDeals.isEmpty()) put("DEALS", form.ebDeals);
  if (!form.ebAssets.isEmpty()) put("ASSETS", form.ebAssets);
  if (!form.ebLCond.isEmpty()) put("L_CONDITIONS", form.ebLCond);
  put("ALONE_PARENT", YesNoCodeFromBool(form.CheckBoxAloneParent));
  if (!form.mNotes.isEmpty()) put("NOTES", TextOrNull(Trimmed(MemoText(form.mNotes))));
  if (!form.mSYSNotes.isEmpty()) put("SYS_NOTES", TextOrNull(Trimmed(MemoText(form.mSYSNotes))));
  if (!form.ebCheck.isEmpty()) put("CHECK_NAME", TextOrNull(Trimmed(form.ebCheck)));
  put("GOT_HOUSE", TextOrNull(Trimmed(form.ebGot)));
  put("ADD_USER", QStringLiteral("Default"));
  put("STATUS", form.cbStatus.position);
  if (const auto income = ReadAmount(form.ebIncome)) put("INCOME", *income);
  if (const auto half = ReadAmount(form.ebIncomeHalfYear)) put("INCOME_HALF_YEAR", *half);
  if (const auto perPerson = ReadAmount(form.ebIncPerPerson)) put("INCOME_PER_PERSON", *perPerson);
  put("KIDS", CountKidsUnder18(form.members));
  put("KIDS_OVER18", CountKidsOver18(form.members));
  if (!form.doctxt.isEmpty()) put("DOC_IDTXT", TextOrNull(Trimmed(form.doctxt)));
  if (!form.pr.isEmpty()) {
    put("PROT_ID", form.pr);
    put("PROT_DATE", DateOrNull(form.protDate));
  }
  if (!form.dek_id.isEmpty()) {
    put("LASTDEK_ID", TextOrNull(Trimmed(form.dek_id)));
    put("LASTDEK_DATE", DateOrNull(form.dek_dat));
  }
  put("YEARS_NO_DECLR", WholeNumberOrZero(form.edYearsNoDeclr));
  const int year = WholeNumberOrZero(form.edYear);
  put("POINTS_YEAR", year > 1970 ? year : 0);
  put("HARD_LIFE", TruthFlagFromBool(form.HardLife));
  put("HAS_FIRM", TextOrNull(form.edHasFirm));
  put("REASON_COMMENT", TextOrNull(form.edReasonComment));
  put("NAST_ZAP_HISTORY", TextOrNull(placementHistory));
  put("NAST_ZAP", TextOrNull(Trimmed(form.edNastZap)));
  put("NAST_ZAP_DATE", DateOrNull(form.dtNastZap));
  if (!form.cbNastVidApart.text.isEmpty()) put("NAST_VID_APART", form.cbNastVidApart.position);
  if (!form.cbTerm.text.isEmpty()) put("NAST_TERM", form.cbTerm.position);
  put("NAST_APART_ADRES", TextOrNull(form.edNasAdrApart));
  put("NAST_BUY", TextOrNull(form.edIskaKupi));
  put("NAS_ZAP_OUT", TextOrNull(form.edZapOut));
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
  auto text = [newCard](const QString& value) { return TextOrNull(newCard ? value.trimmed() : value); };
  ColumnValues c;
  c.emplace_back(QStringLiteral("NAME"), text(row.name));
  c.emplace_back(QStringLiteral("EGN"), text(row.egn));
  c.emplace_back(QStringLiteral("PERSON_TYPE"), PersonTypeCode(row.type));
  c.emplace_back(QStringLiteral("SOCGRUPA"), static_cast<int>(socGroups.indexOf(row.socGroup)));
  if (!newCard || !row.notes.isEmpty()) c.emplace_back(QStringLiteral("NOTES"), text(row.notes));
  const bool disability = !row.percent.isEmpty();
  if (disability || !newCard) {
    c.emplace_back(QStringLiteral("INV_PROC"), disability ? QVariant(WholeNumber(row.percent)) : QVariant());
    c.emplace_back(QStringLiteral("INV_DATE"), disability ? text(row.validUntil) : QVariant());
    c.emplace_back(QStringLiteral("TELK_NUM"), disability ? text(row.telk) : QVariant());
  }
  return c;
}

std::vector<StoredMember> StoredMembers(TDataModule1& data, int cardId) {
  // The members page lists them in this order, so an unchanged grid pairs every row with
  // its own record.
  Statement query(data.Db(), QStringLiteral("select PERSON_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA, NOTES, INV_PROC, "
                                            "INV_DATE, TELK_NUM from RGS_PERSON where CARD_ID = ? "
                                            "order by PERSON_TYPE, PERSON_ID"));
  query.Bind(0, cardId);
  query.Open();
  auto text = [&query](int column) -> std::optional<QString> {
    if (query.IsNull(column)) return std::nullopt;
    return WithoutTrailingBlanks(query.Value(column).toString());
  };
  auto number = [&query](int column) -> std::optional<int> {
    if (query.IsNull(column)) return std::nullopt;
    return query.Value(column).toInt();
  };
  std::vector<StoredMember> members;
  while (query.Next()) {
    StoredMember m;
    m.personId = query.Value(0).toInt();
    m.name = text(1);
    m.egn = text(2);
    m.personType = number(3);
    m.socGroup = number(4);
    m.notes = text(5);
    m.invProc = number(6);
    m.invDate = text(7);
    m.telk = text(8);
    members.push_back(std::move(m));
  }
  query.Close();
  return members;
}

void SaveNewCardMembers(TDataModule1& data, int cardId, const CardForm& form, const QStringList& socGroups) {
  for (const MemberRow& row : form.members) {
    ColumnValues columns = MemberColumns(row, socGroups, true);
    columns.insert(columns.begin(), {QStringLiteral("CARD_ID"), cardId});
    Insert(data, QStringLiteral("RGS_PERSON"), columns);
  }
}

void SaveExistingCardMembers(TDataModule1& data, int cardId, const CardForm& form, const QStringList& socGroups) {
  const std::vector<StoredMember> stored = StoredMembers(data, cardId);
  for (size_t i = 0; i < form.members.size(); ++i) {
    const MemberRow& row = form.members[i];
    ColumnValues columns = MemberColumns(row, socGroups, false);
    if (i >= stored.size()) {
      LogAction(data, cardId, QLatin1String(kLogKindCard), MemberAdditionText(row));
      columns.insert(columns.begin(), {QStringLiteral("CARD_ID"), cardId});
      Insert(data, QStringLiteral("RGS_PERSON"), columns);
      continue;
    }
    const QStringList lines = MemberChangeLines(stored[i], row, socGroups);
    if (!lines.isEmpty())
      LogAction(data, stored[i].personId, QLatin1String(kLogKindPerson), MemberChangeText(lines, form.ebRegNum));
    Update(data, QStringLiteral("RGS_PERSON"), columns, QStringLiteral("PERSON_ID"), stored[i].personId);
  }
  for (size_t i = form.members.size(); i < stored.size(); ++i) {
    LogAction(data, stored[i].personId, QLatin1String(kLogKindPerson), MemberDeletionText(stored[i], form.ebRegNum));
    Statement remove(data.Db(), QStringLiteral("delete from RGS_PERSON where PERSON_ID = ?"));
    remove.Bind(0, stored[i].personId);
    remove.Execute();
  }
}

StoredPlacement ReadStoredPlacement(TDataModule1& data, int cardId) {
  Statement query(data.Db(), QStringLiteral("select NAST_ZAP, NAST_ZAP_DATE from RGS_CARD where CARD_ID = ?"));
  query.Bind(0, cardId);
  query.Open();
  if (!query.Next()) throw ValidationError(QStringLiteral("Картон с ключ %1 не съществува.").arg(cardId));
  StoredPlacement stored;
  if (!query.IsNull(0)) stored.number = WithoutTrailingBlanks(query.Value(0).toString());
  if (!query.IsNull(1)) stored.date = ToQDate(StoredDateValue(query.Value(1)));
  query.Close();
  return stored;
}

int NewRegistrationNumber(TDataModule1& data) {
  Statement query(data.Db(), QStringLiteral("select max(REG_NUM) from rgs_card"));
  const QVariant highest = query.ScalarValue();
  return highest.isNull() ? 1 : highest.toInt() + 1;
}

// A full commit or rollback closes the register list; the card window's navigator and
// "Зареждане" work on it, so it is opened again on the saved card (or where it was).
void ReopenRegisterList(TDataModule1& data, int cardId, int previousRow, QWidget* parent) {
  try {
    ListQuery& list = data.MainQuery();
    if (!list.IsOpen()) list.Open();
    if (cardId > 0 && list.Locate(QStringLiteral("CARD_ID"), cardId)) return;
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
    ColumnValues columns = CardColumns(saved, history.text);
    const QStringList socGroups = CodeListItems(data, QStringLiteral("SOCGRUPA"));

    int key = cardId;
    if (mode == 0) {
      LogAction(data, saved.ebRegNum.toInt(), QLatin1String(kLogKindCard), CardCreationText(saved.ebRegNum));
      columns.insert(columns.begin(), {QStringLiteral("REG_NUM"), saved.ebRegNum.toInt()});
      // The key of this very insert: another workstation may insert a card in the meantime.
      key = Insert(data, QStringLiteral("RGS_CARD"), columns, QStringLiteral("CARD_ID")).toInt();
      SaveNewCardMembers(data, key, saved, socGroups);
    } else {
      LogCardChanges(data, cardId, remembered, saved);
      Update(data, QStringLiteral("RGS_CARD"), columns, QStringLiteral("CARD_ID"), cardId);
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
                          saved.cbStatus.position, {}};
  } catch (const std::exception& error) {
    try {
      if (data.Tr().IsActive()) data.Rollback();
    } catch (const std::exception&) {
      // The save's own error is the one to show.
    }
    ShowErrorDisplay(parent, error);
    ReopenRegisterList(data, 0, previousRow, parent);
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
  ShowMessage(parent,
              mode == 0 ? QStringLiteral("Данните са регистрирани успешно!")
                        : QStringLiteral("Данните са актуализирани успешно!"),
              QCoreApplication::applicationName(), MessageIcon::Information);
  ReopenRegisterList(data, outcome.cardId, previousRow, parent);
  return outcome;
}
