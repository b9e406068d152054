// One synthetic household as it is written to the register: the card's columns and its
// members. Empty texts, invalid dates and empty optionals are written as NULL.
#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

struct SeedPerson {
  QString name;
  QString egn;
  int role = 0;  // PERSON_TYPE: 0 holder, 1 husband, 2 wife, 3 child, 4 other, 5 expected child
  std::optional<int> socialGroup;
  QString notes;
  std::optional<int> disabilityPercent;  // INV_PROC
  QString disabilityUntil;               // INV_DATE, "dd.mm.yyyy"
  QString decisionNumber;                // TELK_NUM
};

struct SeedCard {
  int regNum = 0;
  QDate regDate;
  QString docId;
  QString address;
  QDate addressDate;
  int dwellingKind = 0;  // L_DATA
  QString dwellingConditions;
  int occupancyBasis = 0;  // L_REASON
  QString occupancyComment;
  int group = 0;  // GRUPA; GROUP1 is group + 1
  QDate groupDate;
  int subgroup = 0;       // GROUP2
  int registeredFor = 0;  // KART
  int status = 0;
  QString stateInfo;  // GOT_HOUSE
  QString assets;
  QString deals;
  QString firms;  // HAS_FIRM
  double income = 0;
  double incomeHalfYear = 0;
  double incomePerPerson = 0;
  QDate checkDate;
  QString checkName;
  // Classification figures, derived from the members as the ranking derives them.
  int kids = 0;
  int kidsOver18 = 0;
  double kidsAge = 0;
  int invalids = 0;
  int onlyParent = 0;              // truth flag -1/0
  int youngFamily = 0;             // truth flag -1/0
  std::optional<int> aloneParent;  // yes/no code 2/1
  int hardLife = 0;                // truth flag -1/0
  int points = 0;
  QString pointsDescription;
  std::optional<int> pointsYear;
  QString protocolId;
  QDate protocolDate;
  QString declarationId;
  QDate declarationDate;
  std::optional<int> yearsWithoutDeclaration;
  QString placementOrder;  // NAST_ZAP
  QDate placementOrderDate;
  QString placementHistory;
  std::optional<int> placementKind;  // NAST_VID_APART
  QString placementAddress;
  std::optional<int> placementTerm;  // NAST_TERM
  QString purchaseRequest;           // NAST_BUY
  QString placementEndOrder;         // NAS_ZAP_OUT
  QString notes;
  std::vector<SeedPerson> members;
};
