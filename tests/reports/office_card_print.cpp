// Fills the card print of one card of an existing register (a seeded one) into an .rtf, for
// scripts/check_documents_in_office.sh to open in a real office program. Not a test of its own.
// Usage: tesaro_office_card_print TEMPLATE.rtf REGISTER.fdb REG_NUM OUT.rtf
#include <QApplication>
#include <QTextStream>

#include "core/desktop.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "reports/ui/card_print.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  if (argc != 5) {
    err << "usage: tesaro_office_card_print TEMPLATE.rtf REGISTER.fdb REG_NUM OUT.rtf\n";
    return 2;
  }
  TDataModule1 data;
  ConnectionParams params;
  params.path = QString::fromLocal8Bit(argv[2]);
  data.Connect(params);
  Statement find(data.Db(), QStringLiteral("select CARD_ID from RGS_CARD where REG_NUM = ?"));
  find.Bind(0, QString::fromLocal8Bit(argv[3]).toInt());
  const QVariant cardId = find.ScalarValue();
  if (cardId.isNull()) {
    err << "no card with that registration number\n";
    return 1;
  }
  SetAssociatedProgramOpener([](const QString&) { return true; });
  if (!PrintCard(data, cardId.toInt(), QStringLiteral("clerk"), QDate(2026, 12, 10), QString::fromLocal8Bit(argv[1]),
                 QString::fromLocal8Bit(argv[4]), nullptr)) {
    err << "card print failed\n";
    return 1;
  }
  return 0;
}
