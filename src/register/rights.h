// The user's rights level, derived from the rights group the login library reports, and the
// test each command makes of it.
#pragma once

#include <QString>

class QWidget;

// "USER1".."USER4" and "USER6" give their digit; every other text (case matters) gives 0.
int RightsLevelOf(const QString& rightsGroup);

// "Регистрация": a new card.
bool CanRegister(int level);
// "Класиране...": the ranking run.
bool CanRank(int level);
// "Имена от ЛБД...": comparing names with the population database.
bool CanCompareNames(int level);
// The card editor lets an opened card be changed.
bool CanEditCards(int level);
// The settings window's fields can be edited and saved.
bool CanEditSettings(int level);
// Correcting a personal number from the invalid-EGN view.
bool CanCorrectEgn(int level);

inline constexpr const char* kNoRightsMessage = "Потребителят не разполага с достатъчно права";

// The refusal of a command: the message above, captioned "Грешка", with an OK button.
void ShowNoRightsMessage(QWidget* parent);
