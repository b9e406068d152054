// The invalid-EGN view of the register list: every card whose holder's personal number
// encodes no valid date, on the list's third tab, with its count in the status bar.
#pragma once

#include <QString>

class RegisterTabs;
class TDataModule1;

// "<count> невалидни ЕГН-та", as the status bar shows the view's count.
QString InvalidEgnCountText(int count);

// mInvalidClick: the third tab becomes "Невалидни ЕГН-та", the list's condition is emptied, the
// invalid-EGN filter is attached and the list reopened and counted; the count goes to the status
// bar through the data module's status text signal and InvalidCount is back to -1 afterwards.
void mInvalidClick(TDataModule1& data, RegisterTabs& tabs);
