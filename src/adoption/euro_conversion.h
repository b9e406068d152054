// Converting a register's stored amounts from leva to euro, once.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

class TDataModule1;

struct EuroConversionResult {
  bool alreadyConverted = false;  // the register was converted before; nothing was done
  int cards = 0;                  // cards with an amount to convert
  int amounts = 0;                // amounts converted (up to three a card)
  QStringList changes;            // one line a card: its number and each old and new figure
  QStringList declaredInEuro;     // cards left as they are: declared since the euro came
};

// The day from which declared amounts are in euro.
QDate EuroChangeoverDate();

// Called now and then with the cards done and the cards there are.
using ConversionProgress = std::function<void(int done, int total)>;

// The money columns of a card, each with the caption its history line uses.
struct MoneyColumn {
  QString column;
  QString caption;
};
const std::vector<MoneyColumn>& CardMoneyColumns();

// Divides every stored amount in leva by 1.95583, rounded to the cent (LevaToEuro), records
// each converted card in the action history under the data module's current user with the
// old and the new figures, marks the register as converted (AmountsConvertedToEuro) and
// commits: all of it or, on an error, nothing. A card whose last declaration is dated on or
// after EuroChangeoverDate() holds amounts declared in euro: it is left as it is and listed. An amount too large to convert stops it before
// anything is written, naming the card. A register marked converted is left alone. With
// `dryRun` it only reports what it would change.
EuroConversionResult ConvertAmountsToEuro(TDataModule1& data, bool dryRun, const ConversionProgress& progress = {});
