// Rights levels and the tests of the commands that need them. Level 0 (an unknown group)
// passes every test except the settings, as the rights table has it.
#include "register/rights.h"

#include "core/messages.h"

int RightsLevelOf(const QString& rightsGroup) {
  static const struct {
    const char16_t* group;
    int level;
  } kLevels[] = {{u"USER1", 1}, {u"USER2", 2}, {u"USER3", 3}, {u"USER4", 4}, {u"USER6", 6}};
  for (const auto& entry : kLevels)
    if (rightsGroup == QStringView(entry.group)) return entry.level;
  return 0;
}

bool CanRegister(int level) { return level <= 5; }
bool CanRank(int level) { return level <= 3; }
bool CanCompareNames(int level) { return level <= 2; }
bool CanEditCards(int level) { return level < 3; }
bool CanEditSettings(int level) { return level == 1; }
bool CanCorrectEgn(int level) { return level < 3; }

void ShowNoRightsMessage(QWidget* parent) {
  ShowMessage(parent, QString::fromUtf8(kNoRightsMessage), QStringLiteral("Грешка"), MessageIcon::Error);
}
