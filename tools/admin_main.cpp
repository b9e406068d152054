// tesaro-admin: the administrator's command-line tool (create a register, seed demo data,
// manage the users who sign in).
#include <unistd.h>

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "admin_exit.h"
#include "admin_help.h"
#include "adopt_command.h"
#include "annual_list_command.h"
#include "backup_command.h"
#include "euro_command.h"
#include "export_command.h"
#include "init_db.h"
#include "population_command.h"
#include "seed_command.h"
#include "service_note_command.h"
#include "user_command.h"

int main(int argc, char* argv[]) {
  // The document commands lay out pages and so need a GUI application (offscreen).
  const std::unique_ptr<QCoreApplication> app =
      MakeAdminApplication(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tesaro-admin"));
  QTextStream in(stdin);
  QTextStream out(stdout);
  QTextStream err(stderr);

  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) {
    err << AdminHelpText();
    return kExitUsage;
  }
  const QString command = args.takeFirst();
  if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
    out << AdminHelpText();
    return kExitOk;
  }
  if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
    out << AdminHelpText();
    return kExitOk;
  }
  if (command == QLatin1String("init-db")) return RunInitDb(args, in, out, err, isatty(STDIN_FILENO) != 0);
  if (command == QLatin1String("seed")) return RunSeed(args, out, err);
  if (command == QLatin1String("user")) return RunUser(args, in, out, err, isatty(STDIN_FILENO) != 0);
  if (command == QLatin1String("annual-list")) return RunAnnualList(args, out, err);
  if (command == QLatin1String("service-note")) return RunServiceNote(args, out, err);
  if (command == QLatin1String("population")) return RunPopulation(args, out, err);
  if (command == QLatin1String("export")) return RunExport(args, out, err);
  if (command == QLatin1String("backup")) return RunBackup(args, out, err);
  if (command == QLatin1String("restore")) return RunRestore(args, out, err);
  if (command == QLatin1String("euro")) return RunEuro(args, out, err);
  if (command == QLatin1String("adopt")) return RunAdopt(args, out, err);
  err << "Непозната команда „" << command << "“.\n\n" << AdminHelpText();
  return kExitUsage;
}
