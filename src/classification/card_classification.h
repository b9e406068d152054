// The derived values of a card that the ranking sorts by (children, their mean age,
// disabled members, single parent, young family, points), computed from member values alone.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/date_time.h"

// One household member as stored; empty optionals stand for NULL cells, a null QString for
// a NULL EGN.
struct MemberValues {
  int personType = 0;
  QString egn;
  std::optional<int> invProc;
  std::optional<QString> invDate;
};

struct CardClassification {
  int kids = 0;         // role 3 under 18, plus every role 5
  int ageSum = 0;       // whole years of the role-3 children counted in kids
  double kidsAge = 0;   // ageSum / kids, 0 without children
  int invalids = 0;     // 71 % or more, decision still valid
  int adults = 0;       // roles 0, 1, 2
  int youngAdults = 0;  // adults under 35
  bool onlyParent = false;
  bool youngFamily = false;
  int points = 0;
  QString pointsDescr;
};

// Age in whole years (0..17) of a member under 18, against Clock::Now(). A birth date after
// now, or a number without a usable date, gives 0.
int ChildAgeYears(const QString& egn);

// Scans the members against `now`. aloneParent is the card's yes/no code (empty for NULL),
// group2 its subgroup code. Throws DbError "'<text>' is not a valid date" when a member of
// 71 % or more has a disability date that cannot be read.
CardClassification ClassifyCard(const std::vector<MemberValues>& members, std::optional<int> aloneParent,
                                int group2, DateTimeValue now);
// The same against Clock::Now().
CardClassification ClassifyCard(const std::vector<MemberValues>& members, std::optional<int> aloneParent,
                                int group2);

// The year of inclusion to write when it is asked for: the year after the subgroup date's
// year (no date stands for 30.12.1899, giving 1900) when the stored year is missing or below
// 1970; empty when the stored year stays.
std::optional<int> PointsYearToWrite(std::optional<int> storedYear, std::optional<int> grupaDateYear);
