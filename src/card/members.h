// The household members of a card without any widget: roles, counts, the role and
// duplicate-EGN rules, and the add / modify / remove / make-holder commands over the grid rows.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "card/card_form.h"
#include "core/date_time.h"
#include "data/person_table.h"

class TDataModule1;

// Role names by code; the role selector offers the first kMemberPanelRoles of them.
inline constexpr int kMemberRoleCount = 6;
inline constexpr int kMemberPanelRoles = 5;
inline constexpr int kDisabilityGroupPosition = 3;  // social group position that has disability data

QString PersonTypeText(int code);        // empty outside 0..5
int PersonTypeCode(const QString& name);  // 0 for any other text

// Counts over the member rows (none while the grid holds only its placeholder row).
int CountMembers(const std::vector<MemberRow>& rows);
int CountKidsUnder18(const std::vector<MemberRow>& rows);
int CountKidsOver18(const std::vector<MemberRow>& rows);

// Columns as the grid numbers them, for FindMemberRow.
enum MemberColumn { kColType = 0, kColName, kColEgn, kColSocGroup, kColNotes, kColPercent, kColValidUntil, kColTelk };
QString MemberCell(const MemberRow& row, int column);
void SetMemberCell(MemberRow& row, int column, const QString& text);

// The last row (1-based) whose cell in `column` equals `text` exactly; 0 when none.
int FindMemberRow(const std::vector<MemberRow>& rows, const QString& text, int column);

// Whether role `type` may be given to the selected row (1-based; 1 when nothing is selected).
bool PersonTypeAllowed(const QString& type, bool isModify, const std::vector<MemberRow>& rows, int selectedRow);

// Whether `egn` is already taken by another row of the grid or by a member of a card that is
// still in the register (state below 3). The card being edited (`cardId`, 0 for a new card) is
// left out of the database look-up: its stored members are replaced by the grid when it is
// saved, so the grid alone speaks for it. `row` is the row being written (-1 for a new row);
// when the grid already has the EGN on that very row nothing is looked up.
bool IsDuplicateEGN(TDataModule1& data, const QString& egn, const std::vector<MemberRow>& rows, int row,
                    int cardId);

// The member panel as plain values.
struct MemberPanelValues {
  QString name;               // FirstName
  int typePosition = -1;      // PersonType: -1 without selection, else the role code 0..4
  QString egn;                // PersonEGN
  int socGroupPosition = -1;  // cbSocGrupa
  QString socGroupText;       // cbSocGrupa's text ("" without selection)
  QString notes;              // PersonNotes
  QString percent;            // proc_inv
  DateTimeValue validUntil = 0;  // val_do
  bool lifelong = false;         // pojiz
  QString telk;                  // re6_telk
  bool disabilityBoxVisible = false;  // gbInvalid

  bool operator==(const MemberPanelValues&) const = default;
};

// Lifelong decisions: now plus 3000 years; a valid-until date after 01.01.5000 reads as lifelong.
DateTimeValue LifelongValidUntil();
bool IsLifelongDate(DateTimeValue value);

// The panel emptied: no role or social group, empty texts, valid-until now, not lifelong.
MemberPanelValues ClearedMemberPanel(bool disabilityBoxVisible = false);

// The grid row the panel makes.
MemberRow StoreMemberRow(const MemberPanelValues& panel);

// The panel filled from a selected row, starting from the current panel (a row without a
// valid-until date leaves the date and the lifelong tick as they are).
MemberPanelValues PanelFromRow(const MemberRow& row, const MemberPanelValues& current, const QStringList& socGroups);

// What a member command leaves: the rows and the panel, or a refusal with its message.
struct MemberCommandResult {
  bool accepted = false;
  std::vector<MemberRow> rows;
  MemberPanelValues panel;
  QString message;  // when refused
  QString caption;
};

// Where a command looks up duplicates; without a data module only the grid is checked.
struct MemberCardContext {
  TDataModule1* data = nullptr;
  int cardId = 0;
};

MemberCommandResult AddMember(const std::vector<MemberRow>& rows, bool membersEmpty, int selectedRow,
                              const MemberPanelValues& panel, const MemberCardContext& context);
MemberCommandResult ModifyMember(const std::vector<MemberRow>& rows, int selectedRow, const MemberPanelValues& panel,
                                 const MemberCardContext& context);
MemberCommandResult RemoveMember(const std::vector<MemberRow>& rows, int selectedRow, const MemberPanelValues& panel);
// Makes the selected member the holder; nullopt when nothing changes (the holder's own row).
std::optional<std::vector<MemberRow>> MakeHolder(const std::vector<MemberRow>& rows, int selectedRow);

// The social-group names as the member panel lists them: codes 0 to 9 of the code list,
// missing ones left out, without trailing blanks. A stored SOCGRUPA is a position in it.
QStringList SocialGroupNames(TDataModule1& data);

// The stored members of a card, as stored, in the order the members page lists them: by role
// code, then by key. Saving a card pairs them with the grid's rows by this order.
std::vector<StoredPersonRow> ReadCardMembers(TDataModule1& data, int cardId);

// The stored members of a card as grid rows, in the order of ReadCardMembers.
std::vector<MemberRow> LoadMemberRows(TDataModule1& data, int cardId);

// The name of any stored member with that EGN (the first found), or nullopt.
std::optional<QString> NameByEGN(TDataModule1& data, const QString& egn);
