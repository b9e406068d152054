// Writes one filled card print (.rtf), one exported .docx and one .xlsx (the register list's
// default columns, landscape, default font size) from a small fixture register into a folder, for scripts/check_documents_in_office.sh to open in a real office
// program. Not a test of its own.
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "core/desktop.h"
#include "data/firebird/statement.h"
#include "reports/export_columns.h"
#include "reports/export_list_source.h"
#include "reports/ui/card_print.h"
#include "reports/writer_docx.h"
#include "reports/writer_xlsx.h"
#include "temp_register.h"

namespace {
int InsertCard(TDataModule1& data, int regNum, const QString& holder, const QString& egn) {
  Statement card(data.Db(), QStringLiteral(
      "insert into RGS_CARD (REG_NUM, REGDATE, DOC_IDTXT, ADRESS, ADRESS_DATE, L_DATA, L_CONDITIONS, L_REASON, "
      "GROUP1, GRUPA, GRUPA_DATE, GROUP2, KART, STATUS, ASSETS, DEALS, INCOME, CHECK_DATE, CHECK_NAME, ADD_USER, "
      "ALONE_PARENT, HARD_LIFE, CLASSINFO, PROT_ID, PROT_DATE, LASTDEK_ID, LASTDEK_DATE, NOTES) values "
      "(?, '05.03.2021', 'В-12', 'гр. Примерно, ул. „Мир“ 3, вх. {Б}', '01.02.2020', 3, 'влажно, 2 стаи', 2, 3, 2, "
      "'10.03.2021', 0, 0, 1, 'лек автомобил', 'няма', 1234.5, '20.04.2021', 'Петрова', 'clerk', 2, -1, "
      "'2024: място 5', 'П-7', '12.03.2021', 'Д-1', '15.01.2024', 'Първи ред\r\nВтори ред с \\ и {скоби}') "
      "returning CARD_ID"));
  card.Bind(0, regNum);
  card.Execute();
  const int cardId = card.Value(0).toInt();
  Statement person(data.Db(), QStringLiteral(
      "insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA, NOTES, INV_PROC, INV_DATE, TELK_NUM) "
      "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  person.BindAll({cardId, holder, egn, 0, 0, QVariant(), QVariant(), QVariant(), QVariant()});
  person.Execute();
  person.BindAll({cardId, QStringLiteral("Мария Иванова"), QStringLiteral("8202020000"), 2, 3,
                  QStringLiteral("работи на смени"), 75, QStringLiteral("01.01.5000"), QStringLiteral("123/2020")});
  person.Execute();
  person.BindAll({cardId, QStringLiteral("Петър Иванов"), QStringLiteral("1503030000"), 3, 5, QVariant(), 50,
                  QStringLiteral("15.06.5026"), QVariant()});
  person.Execute();
  return cardId;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream err(stderr);
  if (argc != 3) {
    err << "usage: tesaro_office_samples TEMPLATE.rtf OUTPUT_FOLDER\n";
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  TempRegister reg;
  TDataModule1& data = reg.Data();
  const int cardId = InsertCard(data, 1, QStringLiteral("Иван Иванов"), QStringLiteral("8001010000"));
  for (int i = 2; i <= 60; ++i)
    InsertCard(data, i, QStringLiteral("Титуляр Номер %1").arg(i), QStringLiteral("80010100%1").arg(i % 100, 2, 10, QChar(u'0')));

  SetAssociatedProgramOpener([](const QString&) { return true; });
  if (!PrintCard(data, cardId, QStringLiteral("clerk"), QDate(2026, 12, 10), QString::fromLocal8Bit(argv[1]),
                 out.filePath(QStringLiteral("card.rtf")), nullptr)) {
    err << "card print failed\n";
    return 1;
  }

  ListQuery& list = data.MainQuery();
  list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 "));
  list.SetOrdering(QStringLiteral(" order by Reg_Num"));
  list.Open();
  ListExportSource source(list, RegisterExportColumns());
  const ExportTable table = BuildExportTable(ExportColumnsFromSource(source), {}, source);
  ExportLayout layout;
  layout.title = {QStringLiteral("Списък на картотеката - 10.12.2026"), QStringLiteral("Община Примерна")};
  layout.footer = QStringLiteral("Изготвил: clerk");
  // The register list's 17 columns, landscape, at the default size: the table takes the largest
  // size at which no date, personal number or heading breaks.
  try {
    WriteDocxExport(out.filePath(QStringLiteral("list.docx")), table, layout);
    WriteXlsxExport(out.filePath(QStringLiteral("sheet.xlsx")), table, layout);
  } catch (const ExportError& error) {
    err << error.Message() << '\n';
    return 1;
  }
  return 0;
}
