// The service note as report data. Positions are millimetres from the printable area's
// left edge and from the top of their band.
#include "reports/service_note_layout.h"

#include <QStringList>

#include "core/clock.h"
#include "core/date_time.h"
#include "data/card_table.h"
#include "data/person_table.h"
#include "reports/annual_list_layout.h"

using namespace report;

namespace {
QString Blanks(int count) { return QString(count, u' '); }

Item Cut(Item item, int maxChars) {
  item.maxChars = maxChars;
  return item;
}
}  // namespace

QString ServiceNoteText() {
  const QStringList lines = {
      Blanks(8) + QStringLiteral("Служба \"Жилищно настаняване\" при ОбНС \"Zadeze\" дава настоящата служебна"),
      QStringLiteral("бележка  на") + Blanks(92) + QStringLiteral("живущ(а) на адрес"),
      Blanks(87) + QStringLiteral("в уверение на това, че същият със"),
      QStringLiteral("семейството си е картотекиран под номер") + Blanks(11) + QStringLiteral("от") + Blanks(22) +
          QStringLiteral("в група") + Blanks(5) + QStringLiteral(",  съгласно"),
      QStringLiteral("наредбата за разпределение и продажба на жилища. Настоящата служебна бележка "),
      QStringLiteral("се издава, за да послужи пред"),
      QString(),
      QString(),
      QString(),
      QString(),
      Blanks(77) + QStringLiteral("Гл.Специалист:") + QString(20, u'_'),
  };
  return lines.join(u'\n');
}

Report ServiceNoteLayout(const QString& headerLine, const QDate& today) {
  Report r;
  r.documentName = QStringLiteral("Служебна бележка");
  r.pageSize = QPageSize(QPageSize::Letter);
  r.orientation = QPageLayout::Portrait;
  r.margins = QMarginsF(10, 10, 10, 10);
  r.fontFamilies = PrintedDocumentFonts();
  r.pointSize = 8;
  r.fontStretch = PrintedDocumentStretch();  // keeps each field in the blank left for it

  Band pageHeader(BandKind::PageHeader, 15.6,
                  {Label(4.2, 4.2, headerLine), Label(40.2, 8.5, QStringLiteral("  СЛУЖЕБНА БЕЛЕЖКА")),
                   HorizontalLine(29.6, 12.7, 51.1)});

  Item text = Label(2.1, 4.2, ServiceNoteText());
  text.width = 118;
  Band detail(BandKind::Detail, 52.9,
              {text, Cut(Field(18.5, 7.4, QString(person_table::kName)), 40),
               Cut(Field(2.1, 10.8, QString(card_table::kAdress)), 45), Field(59.0, 13.8, QString(card_table::kRegNum)),
               Cut(Field(70.4, 13.8, QString(card_table::kGrupaDate)), 13),
               Field(97.9, 13.8, QString(card_table::kGroup1)), Label(14.0, 35.7, FormatShortDate(today)),
               HorizontalLine(44.5, 22.8, 72.2), HorizontalLine(2.1, 27.0, 114.6)});

  Band pageFooter(BandKind::PageFooter, 10.6);

  r.bands = {pageHeader, detail, pageFooter};
  return r;
}

Report TSlBelForm::QRep() const { return ServiceNoteLayout(headerLine_, Clock::Now().date()); }
