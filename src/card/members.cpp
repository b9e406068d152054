// The household members of a card without any widget: roles, counts, role and duplicate
// rules, the member commands and reading a card's stored members.
#include "card/members.h"

#include <QDateTime>
#include <algorithm>

#include "core/clock.h"
#include "core/egn_rules.h"
#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"

namespace {
const QString kHolder = QStringLiteral("Титуляр");
const QString kHusband = QStringLiteral("Съпруг");
const QString kWife = QStringLiteral("Съпруга");
const QString kChild = QStringLiteral("Дете");
const QString kOther = QStringLiteral("Друг");
const QString kExpectedChild = QStringLiteral("Дете на път");

const QString kAddCaption = QStringLiteral("Грешка при добавяне");
const QString kModifyCaption = QStringLiteral("Грешка при промяна данни за лице");
const QString kRemoveCaption = QStringLiteral("Грешка при премахването");

QString SelectedType(const MemberPanelValues& panel) {
  if (panel.typePosition < 0 || panel.typePosition >= kMemberPanelRoles) return {};
  return PersonTypeText(panel.typePosition);
}

MemberCommandResult Refused(const std::vector<MemberRow>& rows, const MemberPanelValues& panel, const QString& message,
                            const QString& caption) {
  return {false, rows, panel, message, caption};
}

bool IsDuplicate(const MemberCardContext& context, const QString& egn, const std::vector<MemberRow>& rows, int row) {
  if (context.data) return IsDuplicateEGN(*context.data, egn, rows, row, context.cardId);
  // Without a register only the grid can be asked.
  const int found = FindMemberRow(rows, egn, kColEgn);
  return found != 0 && found != row;
}
}  // namespace

QString PersonTypeText(int code) {
  static const QString names[kMemberRoleCount] = {kHolder, kHusband, kWife, kChild, kOther, kExpectedChild};
  return code >= 0 && code < kMemberRoleCount ? names[code] : QString();
}

int PersonTypeCode(const QString& name) {
  for (int code = 0; code < kMemberRoleCount; ++code)
    if (PersonTypeText(code) == name) return code;
  return 0;
}

int CountMembers(const std::vector<MemberRow>& rows) { return static_cast<int>(rows.size()); }

int CountKidsUnder18(const std::vector<MemberRow>& rows) {
  return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const MemberRow& r) {
    return (r.type == kChild && EGNIsUnder18(r.egn)) || r.type == kExpectedChild;
  }));
}

int CountKidsOver18(const std::vector<MemberRow>& rows) {
  return static_cast<int>(
      std::count_if(rows.begin(), rows.end(), [](const MemberRow& r) { return r.type == kChild && EGNIsAdult(r.egn); }));
}

QString MemberCell(const MemberRow& row, int column) {
  switch (column) {
    case kColType: return row.type;
    case kColName: return row.name;
    case kColEgn: return row.egn;
    case kColSocGroup: return row.socGroup;
    case kColNotes: return row.notes;
    case kColPercent: return row.percent;
    case kColValidUntil: return row.validUntil;
    case kColTelk: return row.telk;
    default: return {};
  }
}

void SetMemberCell(MemberRow& row, int column, const QString& text) {
  switch (column) {
    case kColType: row.type = text; break;
    case kColName: row.name = text; break;
    case kColEgn: row.egn = text; break;
    case kColSocGroup: row.socGroup = text; break;
    case kColNotes: row.notes = text; break;
    case kColPercent: row.percent = text; break;
    case kColValidUntil: row.validUntil = text; break;
    case kColTelk: row.telk = text; break;
    default: break;
  }
}

int FindMemberRow(const std::vector<MemberRow>& rows, const QString& text, int column) {
  for (int i = static_cast<int>(rows.size()); i >= 1; --i)
    if (MemberCell(rows[i - 1], column) == text) return i;
  return 0;
}

bool PersonTypeAllowed(const QString& type, bool isModify, const std::vector<MemberRow>& rows, int selectedRow) {
  if (isModify && selectedRow == 1) return type == kHolder;
  if (type == kHolder && FindMemberRow(rows, kHolder, kColType) != 0) return false;
  if (type == kHusband || type == kWife) {
    const int a = FindMemberRow(rows, kHusband, kColType);
    const int b = FindMemberRow(rows, kWife, kColType);
    if (a != 0 || b != 0) {
      if (!isModify || (a != 0 && a != selectedRow) || (b != 0 && b != selectedRow)) return false;
    }
  }
  return true;
}

bool IsDuplicateEGN(TDataModule1& data, const QString& egn, const std::vector<MemberRow>& rows, int row, int cardId) {
  const int found = FindMemberRow(rows, egn, kColEgn);
  if (found != 0) return found != row;
  if (row == 0) return false;  // the row being written holds it already (found == row)
  Statement query(data.Db(), QStringLiteral("select first 1 c.card_id from rgs_card c join rgs_person p on "
                                            "(p.card_id = c.card_id) where c.status < 3 and p.egn = ? "
                                            "and c.card_id <> ?"));
  query.BindAll({egn, cardId});
  query.Open();
  const bool taken = query.Next();
  query.Close();
  return taken;
}

DateTimeValue LifelongValidUntil() { return DateTimeValueOf(Clock::Now().addYears(3000)); }

bool IsLifelongDate(DateTimeValue value) { return value > DateValue(QDate(5000, 1, 1)); }

MemberPanelValues ClearedMemberPanel(bool disabilityBoxVisible) {
  MemberPanelValues panel;
  panel.validUntil = DateTimeValueOf(Clock::Now());
  panel.disabilityBoxVisible = disabilityBoxVisible;
  return panel;
}

MemberRow StoreMemberRow(const MemberPanelValues& panel) {
  MemberRow row;
  row.type = SelectedType(panel);
  row.name = panel.name;
  row.egn = panel.egn;
  row.socGroup = panel.socGroupPosition >= 0 ? panel.socGroupText : QString();
  row.notes = panel.notes;
  // A percent that is not plain digits cannot be stored, so the decision goes with it.
  if (IsAllDigits(panel.percent)) {
    row.percent = panel.percent;
    row.validUntil = panel.validUntil >= 1 ? FormatShortDate(ToQDate(panel.validUntil)) : QString();
    row.telk = panel.telk;
  }
  return row;
}

MemberPanelValues PanelFromRow(const MemberRow& row, const MemberPanelValues& current, const QStringList& socGroups) {
  MemberPanelValues panel = current;
  panel.name = row.name.trimmed();
  panel.egn = row.egn.trimmed();
  panel.notes = row.notes.trimmed();
  panel.percent = row.percent.trimmed();
  panel.telk = row.telk.trimmed();
  panel.socGroupPosition = static_cast<int>(socGroups.indexOf(row.socGroup));
  panel.socGroupText = panel.socGroupPosition >= 0 ? socGroups.at(panel.socGroupPosition) : QString();
  // Role 5 is not offered by the selector, so it leaves the selector without a selection.
  const int code = PersonTypeCode(row.type);
  panel.typePosition = code < kMemberPanelRoles ? code : -1;
  if (!row.validUntil.isEmpty()) {
    const DateTimeValue date = ParseDateText(row.validUntil.trimmed());
    if (date == 0) {
      panel.validUntil = DateTimeValueOf(Clock::Now());
    } else {
      panel.validUntil = date;
      panel.lifelong = IsLifelongDate(date);
    }
  }
  return panel;
}

MemberCommandResult ModifyMember(const std::vector<MemberRow>& rows, int selectedRow, const MemberPanelValues& given,
                                 const MemberCardContext& context) {
  MemberPanelValues panel = given;
  if (!panel.disabilityBoxVisible) {
    panel.percent.clear();
    panel.telk.clear();
    panel.lifelong = false;
    panel.validUntil = DateTimeValueOf(Clock::Now());
  }
  const QString type = SelectedType(panel);
  const QString percent = panel.percent.trimmed();
  const QString telk = panel.telk.trimmed();
  auto refuse = [&](const char* message) {
    return Refused(rows, panel, QString::fromUtf8(message), kModifyCaption);
  };
  if (panel.name.trimmed().isEmpty()) return refuse("Моля въведете име на лицето");
  if (type.isEmpty()) return refuse("Моля въведете тип за лицето");
  if (panel.egn.isEmpty()) return refuse("Моля въведете ЕГН на лицето");
  if (!PersonTypeAllowed(type, true, rows, selectedRow)) return refuse("Моля въведете валиден тип за член на домакинство");
  if (!telk.isEmpty() && percent.isEmpty()) return refuse("Моля въвете процент на инвалидност");
  if (telk.isEmpty() && !percent.isEmpty()) return refuse("Моля въвете решение на ТЕЛК");
  if (EGNDateAfterYears(panel.egn, 0) == 0) return refuse("Моля въведете валидно ЕГН");
  if (IsDuplicate(context, panel.egn, rows, selectedRow)) return refuse("Лице с посоченото ЕГН вече съществува в картотеката");

  std::vector<MemberRow> result = rows;
  // The first member of a new card takes the placeholder's row.
  if (selectedRow < 1 || selectedRow > static_cast<int>(result.size())) {
    if (!result.empty()) return Refused(rows, panel, {}, kModifyCaption);  // no such row: nothing to write
    result.push_back(StoreMemberRow(panel));
  } else {
    result[selectedRow - 1] = StoreMemberRow(panel);
  }
  return {true, std::move(result), panel, {}, {}};
}

MemberCommandResult AddMember(const std::vector<MemberRow>& rows, bool membersEmpty, int selectedRow,
                              const MemberPanelValues& panel, const MemberCardContext& context) {
  if (membersEmpty) return ModifyMember(rows, 1, panel, context);
  const QString type = SelectedType(panel);
  auto refuse = [&](const char* message) { return Refused(rows, panel, QString::fromUtf8(message), kAddCaption); };
  if (panel.name.isEmpty()) return refuse("Моля въведете името на човека");
  if (type.isEmpty()) return refuse("Моля въведете типа на човека");
  // A second holder or a second spouse would break the one-holder rule of a card.
  if (!PersonTypeAllowed(type, false, rows, selectedRow)) return refuse("Моля въведете валиден тип");
  if (panel.egn.isEmpty()) return refuse("Моля въведете ЕГН-то на човека");
  if (EGNDateAfterYears(panel.egn, 0) == 0) return refuse("Моля въведете валидно ЕГН");
  if (IsDuplicate(context, panel.egn, rows, -1)) return refuse("Дублиращо ЕГН");

  std::vector<MemberRow> result = rows;
  result.push_back(StoreMemberRow(panel));
  return {true, std::move(result), ClearedMemberPanel(panel.disabilityBoxVisible), {}, {}};
}

MemberCommandResult RemoveMember(const std::vector<MemberRow>& rows, int selectedRow, const MemberPanelValues& panel) {
  if (selectedRow <= 1)
    return Refused(rows, panel, QStringLiteral("Не е възможно да бъде изтрит титуляра"), kRemoveCaption);
  if (selectedRow > static_cast<int>(rows.size())) return Refused(rows, panel, {}, kRemoveCaption);
  std::vector<MemberRow> result = rows;
  result.erase(result.begin() + (selectedRow - 1));
  return {true, std::move(result), ClearedMemberPanel(panel.disabilityBoxVisible), {}, {}};
}

std::optional<std::vector<MemberRow>> MakeHolder(const std::vector<MemberRow>& rows, int selectedRow) {
  if (selectedRow <= 1 || selectedRow > static_cast<int>(rows.size())) return std::nullopt;
  std::vector<MemberRow> result = rows;
  std::swap(result[0], result[selectedRow - 1]);
  const QString promotedRole = result[0].type;
  result[selectedRow - 1].type = promotedRole == kHusband ? kWife : promotedRole == kWife ? kHusband : kOther;
  result[0].type = kHolder;
  return result;
}

QStringList SocialGroupNames(TDataModule1& data) {
  QStringList names;
  for (const CodeListEntry& entry : data.CodeListEntries(QStringLiteral("SOCGRUPA"))) names << entry.name;
  return names;
}

std::vector<StoredPersonRow> ReadCardMembers(TDataModule1& data, int cardId) {
  using namespace person_table;
  const PersonSelect select{kPersonId, kName, kEgn, kPersonType, kSocGroup, kNotes, kInvProc, kInvDate, kTelkNum};
  Statement query(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                 QStringLiteral(" where ") + kCardId + QStringLiteral(" = ? order by ") + kPersonType +
                                 QStringLiteral(", ") + kPersonId);
  query.Bind(0, cardId);
  query.Open();
  std::vector<StoredPersonRow> members;
  while (query.Next()) members.push_back(select.Read(query));
  query.Close();
  return members;
}

std::vector<MemberRow> LoadMemberRows(TDataModule1& data, int cardId) {
  const QStringList socGroups = SocialGroupNames(data);
  auto text = [](const std::optional<QString>& stored) { return stored ? WithoutTrailingBlanks(*stored) : QString(); };
  std::vector<MemberRow> rows;
  for (const StoredPersonRow& person : ReadCardMembers(data, cardId)) {
    MemberRow row;
    row.type = PersonTypeText(person.personType.value_or(0));
    row.name = text(person.name);
    row.egn = text(person.egn);
    const int position = person.socGroup.value_or(0);
    row.socGroup = position >= 0 && position < socGroups.size() ? socGroups.at(position) : QString();
    row.notes = text(person.notes);
    row.percent = person.invProc ? QString::number(*person.invProc) : QString();
    row.validUntil = text(person.invDate);
    row.telk = text(person.telkNum);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::optional<QString> NameByEGN(TDataModule1& data, const QString& egn) {
  using namespace person_table;
  const PersonSelect select{kEgn, kName};
  Statement query(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable +
                                 QStringLiteral(" where ") + kEgn + QStringLiteral(" = ?"));
  query.Bind(0, egn);
  query.Open();
  std::optional<QString> name;
  if (query.Next()) name = WithoutTrailingBlanks(select.Read(query).name.value_or(QString()));
  query.Close();
  return name;
}
