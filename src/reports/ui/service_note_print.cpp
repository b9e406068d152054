// The service note command.
#include "reports/ui/service_note_print.h"

#include <QPrinter>

#include "core/messages.h"
#include "core/output_file.h"
#include "data/data_module.h"
#include "data/register_settings.h"
#include "engine/ui/report_run.h"
#include "engine/ui/report_seams.h"
#include "reports/service_note_layout.h"

namespace {
void PrintNote(TDataModule1& data, QWidget* parent) {
  ListQuery& list = data.MainQuery();
  if (list.RowCount() == 0) {  // another workstation deleted the card meanwhile
    ShowMessage(parent, QStringLiteral("Картонът вече не е в регистъра; бележка не е отпечатана."),
                QStringLiteral("Грешка"));
    return;
  }
  TSlBelForm note;
  note.SetSettings(ServiceNoteSettingsOf(data));
  const report::Report page = note.QRep(ServiceNoteValuesOf(list, 0));
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(page.pageSize);  // the printer dialog offers the note's paper
  if (!report::ChoosePrinter(printer, parent)) return;
  try {
    if (!report::PrintReport(page, report::TableRows({}), printer))
      ShowMessage(parent, QStringLiteral("Отпечатването не можа да започне. Проверете избрания принтер."),
                  QStringLiteral("Грешка"), MessageIcon::Error);
  } catch (const FileWriteError& error) {  // printed into a file that could not be written
    ShowMessage(parent, error.Message(), QStringLiteral("Грешка"), MessageIcon::Error);
  }
}
}  // namespace

void PrintServiceNote(TDataModule1& data, QWidget* parent) {
  ListQuery& list = data.MainQuery();
  if (!list.IsOpen() || list.CurrentRow() < 0) {
    ShowMessage(parent, QStringLiteral("Няма избрано домакинство, за което да се издаде служебна бележка."),
                QStringLiteral("Грешка"));
    return;
  }
  const QVariant regNum = list.CurrentValue(QStringLiteral("REG_NUM"));
  const QString condition = list.Line(1);
  auto restore = [&] {
    list.Close();
    list.SetCondition(condition);
    list.Open();
    list.Locate(QStringLiteral("REG_NUM"), regNum);
  };

  list.Close();
  list.SetCondition(condition + QStringLiteral("and REG_NUM = ") + QString::number(regNum.toInt()));
  try {
    list.Open();
    PrintNote(data, parent);
  } catch (...) {
    // The list goes back to what it showed, then the error is shown.
    try {
      restore();
    } catch (...) {
    }
    throw;
  }
  restore();
}
