// The place record a ranking leaves in a card ("12-о място от 09.12.2026 - Група 2 от
// 15.06.2009, oсоб.:Без подгрупа"); storing it is in store_ranking_places.h.
#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The group number: the first character of the group's name read as a digit. A name that
// does not begin with one is refused with a message naming the card's registration number.
int RankingGroupNumber(const QString& groupName, int regNum);

// The record for place `place` (1-based) stored on `today`.
QString RankingPlaceRecord(int place, const QDate& today, int groupNumber, const QDate& grupaDate,
                           const std::optional<QString>& pointsDescr);
