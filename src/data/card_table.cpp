// The card table's cells: which member of the row struct each column is read into.
#include "data/card_table.h"

using namespace card_table;

namespace {
const std::vector<RowSelect<StoredCardRow>::Cell>& Cells() {
  // In the table's order.
  static const std::vector<RowSelect<StoredCardRow>::Cell> cells = {
      {kCardId, [](const Statement& s, int i, StoredCardRow& r) { r.cardId = row_cells::Int(s, i); }},
      {kRegNum, [](const Statement& s, int i, StoredCardRow& r) { r.regNum = row_cells::Int(s, i); }},
      {kRegDate, [](const Statement& s, int i, StoredCardRow& r) { r.regDate = row_cells::Date(s, i); }},
      {kDocIdTxt, [](const Statement& s, int i, StoredCardRow& r) { r.docIdTxt = row_cells::Text(s, i); }},
      {kAdress, [](const Statement& s, int i, StoredCardRow& r) { r.adress = row_cells::Text(s, i); }},
      {kAdressDate, [](const Statement& s, int i, StoredCardRow& r) { r.adressDate = row_cells::Date(s, i); }},
      {kLData, [](const Statement& s, int i, StoredCardRow& r) { r.lData = row_cells::Int(s, i); }},
      {kLConditions, [](const Statement& s, int i, StoredCardRow& r) { r.lConditions = row_cells::Text(s, i); }},
      {kLReason, [](const Statement& s, int i, StoredCardRow& r) { r.lReason = row_cells::Int(s, i); }},
      {kReasonComment, [](const Statement& s, int i, StoredCardRow& r) { r.reasonComment = row_cells::Text(s, i); }},
      {kGroup1, [](const Statement& s, int i, StoredCardRow& r) { r.group1 = row_cells::Int(s, i); }},
      {kGrupa, [](const Statement& s, int i, StoredCardRow& r) { r.grupa = row_cells::Int(s, i); }},
      {kGrupaDate, [](const Statement& s, int i, StoredCardRow& r) { r.grupaDate = row_cells::Date(s, i); }},
      {kGroup2, [](const Statement& s, int i, StoredCardRow& r) { r.group2 = row_cells::Int(s, i); }},
      {kKart, [](const Statement& s, int i, StoredCardRow& r) { r.kart = row_cells::Int(s, i); }},
      {kStatus, [](const Statement& s, int i, StoredCardRow& r) { r.status = row_cells::Int(s, i); }},
      {kGotHouse, [](const Statement& s, int i, StoredCardRow& r) { r.gotHouse = row_cells::Text(s, i); }},
      {kAssets, [](const Statement& s, int i, StoredCardRow& r) { r.assets = row_cells::Text(s, i); }},
      {kDeals, [](const Statement& s, int i, StoredCardRow& r) { r.deals = row_cells::Text(s, i); }},
      {kHasFirm, [](const Statement& s, int i, StoredCardRow& r) { r.hasFirm = row_cells::Text(s, i); }},
      {kIncome, [](const Statement& s, int i, StoredCardRow& r) { r.income = row_cells::Double(s, i); }},
      {kIncomeHalfYear, [](const Statement& s, int i, StoredCardRow& r) { r.incomeHalfYear = row_cells::Double(s, i); }},
      {kIncomePerPerson, [](const Statement& s, int i, StoredCardRow& r) { r.incomePerPerson = row_cells::Double(s, i); }},
      {kCheckDate, [](const Statement& s, int i, StoredCardRow& r) { r.checkDate = row_cells::Date(s, i); }},
      {kCheckName, [](const Statement& s, int i, StoredCardRow& r) { r.checkName = row_cells::Text(s, i); }},
      {kAddUser, [](const Statement& s, int i, StoredCardRow& r) { r.addUser = row_cells::Text(s, i); }},
      {kKids, [](const Statement& s, int i, StoredCardRow& r) { r.kids = row_cells::Int(s, i); }},
      {kKidsOver18, [](const Statement& s, int i, StoredCardRow& r) { r.kidsOver18 = row_cells::Int(s, i); }},
      {kFamilyMemberCount, [](const Statement& s, int i, StoredCardRow& r) { r.familyMemberCount = row_cells::Int(s, i); }},
      {kKidsAge, [](const Statement& s, int i, StoredCardRow& r) { r.kidsAge = row_cells::Double(s, i); }},
      {kNInvalids, [](const Statement& s, int i, StoredCardRow& r) { r.nInvalids = row_cells::Int(s, i); }},
      {kOnlyParent, [](const Statement& s, int i, StoredCardRow& r) { r.onlyParent = row_cells::Int(s, i); }},
      {kYoungFamily, [](const Statement& s, int i, StoredCardRow& r) { r.youngFamily = row_cells::Int(s, i); }},
      {kAloneParent, [](const Statement& s, int i, StoredCardRow& r) { r.aloneParent = row_cells::Int(s, i); }},
      {kHardLife, [](const Statement& s, int i, StoredCardRow& r) { r.hardLife = row_cells::Int(s, i); }},
      {kPoints, [](const Statement& s, int i, StoredCardRow& r) { r.points = row_cells::Int(s, i); }},
      {kPointsDescr, [](const Statement& s, int i, StoredCardRow& r) { r.pointsDescr = row_cells::Text(s, i); }},
      {kPointsYear, [](const Statement& s, int i, StoredCardRow& r) { r.pointsYear = row_cells::Int(s, i); }},
      {kClassInfo, [](const Statement& s, int i, StoredCardRow& r) { r.classInfo = row_cells::Text(s, i); }},
      {kProtId, [](const Statement& s, int i, StoredCardRow& r) { r.protId = row_cells::Text(s, i); }},
      {kProtDate, [](const Statement& s, int i, StoredCardRow& r) { r.protDate = row_cells::Date(s, i); }},
      {kLastDekId, [](const Statement& s, int i, StoredCardRow& r) { r.lastDekId = row_cells::Text(s, i); }},
      {kLastDekDate, [](const Statement& s, int i, StoredCardRow& r) { r.lastDekDate = row_cells::Date(s, i); }},
      {kYearsNoDeclr, [](const Statement& s, int i, StoredCardRow& r) { r.yearsNoDeclr = row_cells::Int(s, i); }},
      {kNastZap, [](const Statement& s, int i, StoredCardRow& r) { r.nastZap = row_cells::Text(s, i); }},
      {kNastZapDate, [](const Statement& s, int i, StoredCardRow& r) { r.nastZapDate = row_cells::Date(s, i); }},
      {kNastZapHistory, [](const Statement& s, int i, StoredCardRow& r) { r.nastZapHistory = row_cells::Text(s, i); }},
      {kNastVidApart, [](const Statement& s, int i, StoredCardRow& r) { r.nastVidApart = row_cells::Int(s, i); }},
      {kNastApartAdres, [](const Statement& s, int i, StoredCardRow& r) { r.nastApartAdres = row_cells::Text(s, i); }},
      {kNastTerm, [](const Statement& s, int i, StoredCardRow& r) { r.nastTerm = row_cells::Int(s, i); }},
      {kNastBuy, [](const Statement& s, int i, StoredCardRow& r) { r.nastBuy = row_cells::Text(s, i); }},
      {kNasZapOut, [](const Statement& s, int i, StoredCardRow& r) { r.nasZapOut = row_cells::Text(s, i); }},
      {kNotes, [](const Statement& s, int i, StoredCardRow& r) { r.notes = row_cells::Text(s, i); }},
      {kSysNotes, [](const Statement& s, int i, StoredCardRow& r) { r.sysNotes = row_cells::Text(s, i); }},
  };
  return cells;
}
}  // namespace

CardSelect::CardSelect(QLatin1StringView alias) : RowSelect(Cells(), alias) {}

CardSelect::CardSelect(std::initializer_list<QLatin1StringView> columns, QLatin1StringView alias)
    : RowSelect(Cells(), columns, alias) {}
