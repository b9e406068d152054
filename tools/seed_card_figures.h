// The classification figures of a synthetic card (children, their mean age, disabled
// members, single parent, young family, points), derived from its members as of a day.
#pragma once

#include <QDate>

struct SeedCard;

void FillClassificationFigures(SeedCard& card, const QDate& today);
