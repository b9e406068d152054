// The program: sign-in through the login library, then the main window over the register.
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include "app/main_form.h"
#include "app/program_windows.h"
#include "core/error_display.h"
#include "core/user_directory.h"
#include "core/window_placement_store.h"
#include "data/data_module.h"
#include "lbd/pers_info_library.h"
#include "session/library_login.h"
#include "session/login_record.h"
#include "session/work_session.h"
#include "ui/termination_signals.h"
#include "ui/tesaro_application.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  BlockTerminationSignals();
  TesaroApplication app(argc, argv);
  QuitOnTerminationSignals();

  TLogInfoRec record;
  try {
    if (!LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0)) {
      if (!ScriptedSignIn()) return 0;
      QTextStream(stderr) << "Входът не е приет; програмата не е отворена.\n";
      return 1;
    }
  } catch (const std::exception& error) {
    ShowErrorDisplay(nullptr, error);
    return 1;
  }

  SetWindowPlacementFile(SettingsFilePath());
  TDataModule1 data;
  ProgramWindows windows(data);
  TMainForm form(data, record, windows.Hooks());
  windows.Create(form);
  try {
    if (!form.FormShow()) return 0;
  } catch (const std::exception& error) {
    ShowErrorDisplay(nullptr, error);
    return 1;
  }
  // The reference population library reads population.sqlite beside a local register unless
  // TESARO_POPULATION_DB names another store.
  UsePopulationStoreBesideRegister(data.Db().Params().path);
  if (TerminationRequested()) return 0;
  form.show();
  // For scripts/bench.sh: how long the program takes from its start to a shown main window.
  if (qEnvironmentVariableIsSet("TESARO_QUIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, &form, [&] {
      QTextStream(stderr) << "main window shown after " << sinceStart.elapsed() << " ms with "
                          << data.MainQuery().RowCount() << " cards listed\n";
      SignOut(data);
      QApplication::quit();
    });
  }
  return QApplication::exec();
}
