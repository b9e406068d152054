// The register's card table: the one spelling of its name and its column names in the
// program, the select list made of them and the one reader of a fetched card row.
#pragma once

#include <QDateTime>
#include <QString>
#include <initializer_list>
#include <optional>

#include "data/row_select.h"

namespace card_table {
inline constexpr QLatin1StringView kTable{"RGS_CARD"};
inline constexpr QLatin1StringView kCardId{"CARD_ID"};
inline constexpr QLatin1StringView kRegNum{"REG_NUM"};
inline constexpr QLatin1StringView kRegDate{"REGDATE"};
inline constexpr QLatin1StringView kDocIdTxt{"DOC_IDTXT"};
inline constexpr QLatin1StringView kAdress{"ADRESS"};
inline constexpr QLatin1StringView kAdressDate{"ADRESS_DATE"};
inline constexpr QLatin1StringView kLData{"L_DATA"};
inline constexpr QLatin1StringView kLConditions{"L_CONDITIONS"};
inline constexpr QLatin1StringView kLReason{"L_REASON"};
inline constexpr QLatin1StringView kReasonComment{"REASON_COMMENT"};
inline constexpr QLatin1StringView kGroup1{"GROUP1"};
inline constexpr QLatin1StringView kGrupa{"GRUPA"};
inline constexpr QLatin1StringView kGrupaDate{"GRUPA_DATE"};
inline constexpr QLatin1StringView kGroup2{"GROUP2"};
inline constexpr QLatin1StringView kKart{"KART"};
inline constexpr QLatin1StringView kStatus{"STATUS"};
inline constexpr QLatin1StringView kGotHouse{"GOT_HOUSE"};
inline constexpr QLatin1StringView kAssets{"ASSETS"};
inline constexpr QLatin1StringView kDeals{"DEALS"};
inline constexpr QLatin1StringView kHasFirm{"HAS_FIRM"};
inline constexpr QLatin1StringView kIncome{"INCOME"};
inline constexpr QLatin1StringView kIncomeHalfYear{"INCOME_HALF_YEAR"};
inline constexpr QLatin1StringView kIncomePerPerson{"INCOME_PER_PERSON"};
inline constexpr QLatin1StringView kCheckDate{"CHECK_DATE"};
inline constexpr QLatin1StringView kCheckName{"CHECK_NAME"};
inline constexpr QLatin1StringView kAddUser{"ADD_USER"};
inline constexpr QLatin1StringView kKids{"KIDS"};
inline constexpr QLatin1StringView kKidsOver18{"KIDS_OVER18"};
inline constexpr QLatin1StringView kFamilyMemberCount{"FAMILY_MEMBER_COUNT"};
inline constexpr QLatin1StringView kKidsAge{"KIDS_AGE"};
inline constexpr QLatin1StringView kNInvalids{"N_INVALIDS"};
inline constexpr QLatin1StringView kOnlyParent{"ONLY_PARENT"};
inline constexpr QLatin1StringView kYoungFamily{"YOUNG_FAMILY"};
inline constexpr QLatin1StringView kAloneParent{"ALONE_PARENT"};
inline constexpr QLatin1StringView kHardLife{"HARD_LIFE"};
inline constexpr QLatin1StringView kPoints{"POINTS"};
inline constexpr QLatin1StringView kPointsDescr{"POINTS_DESCR"};
inline constexpr QLatin1StringView kPointsYear{"POINTS_YEAR"};
inline constexpr QLatin1StringView kClassInfo{"CLASSINFO"};
inline constexpr QLatin1StringView kProtId{"PROT_ID"};
inline constexpr QLatin1StringView kProtDate{"PROT_DATE"};
inline constexpr QLatin1StringView kLastDekId{"LASTDEK_ID"};
inline constexpr QLatin1StringView kLastDekDate{"LASTDEK_DATE"};
inline constexpr QLatin1StringView kYearsNoDeclr{"YEARS_NO_DECLR"};
inline constexpr QLatin1StringView kNastZap{"NAST_ZAP"};
inline constexpr QLatin1StringView kNastZapDate{"NAST_ZAP_DATE"};
inline constexpr QLatin1StringView kNastZapHistory{"NAST_ZAP_HISTORY"};
inline constexpr QLatin1StringView kNastVidApart{"NAST_VID_APART"};
inline constexpr QLatin1StringView kNastApartAdres{"NAST_APART_ADRES"};
inline constexpr QLatin1StringView kNastTerm{"NAST_TERM"};
inline constexpr QLatin1StringView kNastBuy{"NAST_BUY"};
inline constexpr QLatin1StringView kNasZapOut{"NAS_ZAP_OUT"};
inline constexpr QLatin1StringView kNotes{"NOTES"};
inline constexpr QLatin1StringView kSysNotes{"SYS_NOTES"};

// Characters the text columns hold, as the schema declares them.
inline constexpr int kDocIdTxtLength = 25;
inline constexpr int kAdressLength = 100;
inline constexpr int kLConditionsLength = 150;
inline constexpr int kReasonCommentLength = 250;
inline constexpr int kGotHouseLength = 100;
inline constexpr int kAssetsLength = 150;
inline constexpr int kDealsLength = 150;
inline constexpr int kHasFirmLength = 250;
inline constexpr int kCheckNameLength = 100;
inline constexpr int kProtIdLength = 30;
inline constexpr int kLastDekIdLength = 30;
inline constexpr int kNastZapLength = 250;
inline constexpr int kNastZapHistoryLength = 4000;
inline constexpr int kNastApartAdresLength = 250;
inline constexpr int kNastBuyLength = 250;
inline constexpr int kNasZapOutLength = 250;
}  // namespace card_table

// A fetched card row. A NULL cell, and a column the select did not list, is empty; texts are
// as stored (a CHAR cell padded with blanks to its width), memos as their text.
struct StoredCardRow {
  std::optional<int> cardId;
  std::optional<int> regNum;
  std::optional<QDateTime> regDate;
  std::optional<QString> docIdTxt;
  std::optional<QString> adress;
  std::optional<QDateTime> adressDate;
  std::optional<int> lData;
  std::optional<QString> lConditions;
  std::optional<int> lReason;
  std::optional<QString> reasonComment;
  std::optional<int> group1;
  std::optional<int> grupa;
  std::optional<QDateTime> grupaDate;
  std::optional<int> group2;
  std::optional<int> kart;
  std::optional<int> status;
  std::optional<QString> gotHouse;
  std::optional<QString> assets;
  std::optional<QString> deals;
  std::optional<QString> hasFirm;
  std::optional<double> income;
  std::optional<double> incomeHalfYear;
  std::optional<double> incomePerPerson;
  std::optional<QDateTime> checkDate;
  std::optional<QString> checkName;
  std::optional<QString> addUser;
  std::optional<int> kids;
  std::optional<int> kidsOver18;
  std::optional<int> familyMemberCount;
  std::optional<double> kidsAge;
  std::optional<int> nInvalids;
  std::optional<int> onlyParent;
  std::optional<int> youngFamily;
  std::optional<int> aloneParent;
  std::optional<int> hardLife;
  std::optional<int> points;
  std::optional<QString> pointsDescr;
  std::optional<int> pointsYear;
  std::optional<QString> classInfo;
  std::optional<QString> protId;
  std::optional<QDateTime> protDate;
  std::optional<QString> lastDekId;
  std::optional<QDateTime> lastDekDate;
  std::optional<int> yearsNoDeclr;
  std::optional<QString> nastZap;
  std::optional<QDateTime> nastZapDate;
  std::optional<QString> nastZapHistory;
  std::optional<int> nastVidApart;
  std::optional<QString> nastApartAdres;
  std::optional<int> nastTerm;
  std::optional<QString> nastBuy;
  std::optional<QString> nasZapOut;
  std::optional<QString> notes;
  std::optional<QString> sysNotes;
};

// A select list over the card table and the reader of the rows it fetches.
class CardSelect : public RowSelect<StoredCardRow> {
 public:
  // Every column, in the table's order (what "select *" gives).
  explicit CardSelect(QLatin1StringView alias = {});
  // The given columns of card_table, in this order.
  CardSelect(std::initializer_list<QLatin1StringView> columns, QLatin1StringView alias = {});
};
