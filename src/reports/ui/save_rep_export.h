// Writing the export the dialog's controls describe ("Запис"), without the window: the
// checks, the file name, the row walk into the chosen writer and what the clerk is told.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/export_columns.h"
#include "reports/export_table.h"

class QWidget;
class ExportSource;

inline constexpr const char* kSavedMessage = "Файлът е записан успешно.";
inline constexpr const char* kWriteFailedMessage = "Грешка при запис на файл!";

struct ExportChoice {
  ExportFormat format = ExportFormat::Word;
  std::vector<ExportColumn> columns;  // the dialog's list, in its order, with the ticks
  QStringList totals;                 // parallel to the list; empty without totals
  QString delimiter = QStringLiteral("|");
  ExportLayout layout;
};

// Refuses a list without a ticked column and a document whose table cannot keep its words
// whole on the page even at 7 pt (saying so; a smaller size than the one chosen is named
// before the file is asked for), asks for the file, writes it while `progress` is
// told of every row, and leaves the source on its last row. A text file is confirmed with
// "Файлът е записан успешно."; a document or workbook is opened with its program (and
// confirmed the same way when no program opens it). A file that cannot be written shows
// "Грешка при запис на файл!" with the reason. True when a file was written.
bool SaveExport(QWidget* parent, ExportSource& source, const ExportChoice& choice, const ExportProgress& progress = {});
