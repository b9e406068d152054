// The card print: the named values handed to the RTF template engine, the result opened.
#include "reports/ui/card_print.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "card/ui/view_kart.h"
#include "core/clock.h"
#include "core/messages.h"
#include "core/program_files.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"
#include "engine/rtf/rtf_template.h"
#include "core/user_directory.h"
#include "reports/card_print_values.h"

QString CardTemplatePath() {
  const QString name = QString::fromLatin1(kCardTemplateName);
  if (QFileInfo::exists(name)) return QFileInfo(name).absoluteFilePath();
  const QString programs = ProgramFile(ProgramFileKind::Document, name);
  if (QFileInfo::exists(programs)) return programs;
  return QFileInfo(name).absoluteFilePath();
}

QString CardPrintResultPath() { return UserDirectory() + QStringLiteral("output.rtf"); }

bool PrintCard(TDataModule1& data, int cardId, const QString& userName, const QDate& today,
               const QString& templatePath, const QString& resultPath, QWidget* parent) {
  try {
    RtfTemplateEngine engine;
    engine.SetTemplate(templatePath);
    engine.SetResultFile(resultPath);
    engine.ClearValues();
    for (const CardPrintValue& value : CardPrintValues(data, cardId, userName, today))
      engine.AddValue(value.name, value.text);
    engine.RunAndOpen();
    return true;
  } catch (const RtfError&) {
  } catch (const DbError&) {
  }
  ShowMessage(parent, QString::fromUtf8(kCardPrintFailedMessage), QCoreApplication::applicationName());
  return false;
}

void PrintOpenCard(TViewKart& kart, TDataModule1& data) {
  PrintCard(data, kart.CardId(), data.CurrentUserName(), Clock::Now().date(), CardTemplatePath(),
            CardPrintResultPath(), &kart);
}
