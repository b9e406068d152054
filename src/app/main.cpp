// The program: sign-in through the login library, then the main window over the register.
#include <QElapsedTimer>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

#include "app/login/library_login.h"
#include "app/login/login_record.h"
#include "app/login/work_session.h"
#include "app/main_form.h"
#include "auxiliary/error_display.h"
#include "auxiliary/log_form.h"
#include "auxiliary/nom_form.h"
#include "auxiliary/termination_signals.h"
#include "card/members_page.h"
#include "card/view_kart.h"
#include "classification/ranking_run.h"
#include "data/data_module.h"
#include "egn/egn_repair.h"
#include "egn/invalid_egn.h"
#include "lbd/lbd_check.h"
#include "lbd/lbd_form.h"
#include "lbd/lbd_names_form.h"
#include "lbd/pers_info_library.h"
#include "reports/annual_list_print.h"
#include "reports/card_print.h"
#include "reports/print_form1.h"
#include "reports/save_rep_dialog.h"
#include "reports/service_note_print.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  BlockTerminationSignals();
  TesaroApplication app(argc, argv);
  QuitOnTerminationSignals();
  QApplication::setApplicationName(QStringLiteral("Tesaro"));
  QApplication::setApplicationDisplayName(QStringLiteral("VelmoraTesaro"));

  TLogInfoRec record;
  try {
    if (!LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0)) return 0;
  } catch (const std::exception& error) {
    ShowErrorDisplay(nullptr, error);
    return 1;
  }

  TDataModule1 data;
  // The card editor is made once and reused for every opening.
  TViewKart* viewKart = nullptr;
  TMainForm* mainForm = nullptr;
  TEGNRepair* egnRepair = nullptr;
  TLbdNamesForm* lbdNamesForm = nullptr;
  TNomForm* nomForm = nullptr;
  // The annual list's report form is made once; its printed mark lives from one "Списък" to the next.
  TPrintForm1 printForm1;
  MainFormWindows windows;
  windows.ranking = [&data, &mainForm](QWidget* parent) {
    mClassClick(data, mainForm->Tabs(), mainForm->RightsLevel, parent);
  };
  windows.annualList = [&data, &mainForm, &printForm1](QWidget* parent) {
    tbKlasListClick(data, mainForm->Tabs(), printForm1, parent);
  };
  windows.serviceNote = [&data](QWidget* parent) { mSlBelClick(data, parent); };
  windows.invalidEgn = [&data, &mainForm](QWidget*) { mInvalidClick(data, mainForm->Tabs()); };
  windows.egnCorrection = [&egnRepair, &mainForm](QWidget*) {
    ShowEgnRepair(*egnRepair, [&mainForm] { mainForm->FamilyGridDblClick(); });
  };
  windows.namesFromLbd = [&lbdNamesForm](QWidget*) { lbdNamesForm->exec(); };
  windows.nomenclature = [&nomForm](QWidget*) { nomForm->exec(); };
  windows.actionHistory = [&data](QWidget* parent) { ShowActionHistory(data, parent); };
  windows.exportList = [&data, &mainForm](QWidget* parent) { ExportRegisterList(parent, mainForm->Grid(), data); };
  windows.showCard = [&viewKart](QWidget*, int mode, bool canEdit) { viewKart->ShowCard(mode, canEdit); };
  TMainForm form(data, record, windows);
  mainForm = &form;
  viewKart = new TViewKart(data, &form);
  QObject::connect(viewKart, &TViewKart::PrintCardRequested, viewKart,
                   [viewKart, &data] { ButtonPrintClick(*viewKart, data); });
  egnRepair = new TEGNRepair(data, &form);
  lbdNamesForm = new TLbdNamesForm(data, &form);
  nomForm = new TNomForm(data, &form);
  auto* lbdForm = new TLBDForm(&form);
  QObject::connect(viewKart->members, &TMembersPage::LbdRequested, viewKart,
                   [viewKart, lbdForm] { bLBDClick(*viewKart, *lbdForm); });
  try {
    if (!form.FormShow()) return 0;
  } catch (const std::exception& error) {
    ShowErrorDisplay(nullptr, error);
    return 1;
  }
  // The reference population library reads population.sqlite beside a local register unless
  // TESARO_POPULATION_DB names another store.
  UsePopulationStoreBesideRegister(data.Db().Params().path);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    QRect frame = form.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    form.move(frame.topLeft());
  }
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
