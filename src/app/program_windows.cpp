#include "app/program_windows.h"

#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "classification/ui/ranking_run.h"
#include "data/data_module.h"
#include "egn/invalid_egn.h"
#include "egn/ui/egn_repair.h"
#include "lbd/ui/lbd_check.h"
#include "lbd/ui/lbd_form.h"
#include "lbd/ui/lbd_names_form.h"
#include "reports/ui/annual_list_print.h"
#include "reports/ui/card_print.h"
#include "reports/ui/save_rep_dialog.h"
#include "reports/ui/service_note_print.h"
#include "viewers/ui/log_form.h"
#include "viewers/ui/nom_form.h"

MainFormWindows ProgramWindows::Hooks() {
  MainFormWindows windows;
  windows.showCard = [this](QWidget*, int mode, bool canEdit) { viewKart_->ShowCard(mode, canEdit); };
  windows.ranking = [this](QWidget* parent) {
    mClassClick(data_, mainForm_->Tabs(), mainForm_->RightsLevel, parent);
  };
  windows.annualList = [this](QWidget* parent) { PrintAnnualList(data_, mainForm_->Tabs(), printForm1_, parent); };
  windows.serviceNote = [this](QWidget* parent) { PrintServiceNote(data_, parent); };
  windows.exportList = [this](QWidget* parent) { ExportRegisterList(parent, mainForm_->Grid(), data_, mainForm_->Tabs()); };
  windows.invalidEgn = [this](QWidget*) { mInvalidClick(data_, mainForm_->Tabs()); };
  windows.egnCorrection = [this](QWidget*) {
    ShowEgnRepair(*egnRepair_, [this] { mainForm_->FamilyGridDblClick(); });
  };
  windows.namesFromLbd = [this](QWidget*) { lbdNamesForm_->exec(); };
  windows.nomenclature = [this](QWidget*) { nomForm_->exec(); };
  windows.actionHistory = [this](QWidget* parent) { ShowActionHistory(data_, parent); };
  return windows;
}

void ProgramWindows::Create(TMainForm& form) {
  mainForm_ = &form;
  viewKart_ = new TViewKart(data_, &form);
  egnRepair_ = new TEGNRepair(data_, &form);
  lbdNamesForm_ = new TLbdNamesForm(data_, &form);
  nomForm_ = new TNomForm(data_, &form);
  auto* lbdForm = new TLBDForm(&form);
  TViewKart* viewKart = viewKart_;
  TDataModule1& data = data_;
  QObject::connect(viewKart, &TViewKart::PrintCardRequested, viewKart,
                   [viewKart, &data] { PrintOpenCard(*viewKart, data); });
  QObject::connect(viewKart, &TViewKart::LbdCheckRequested, viewKart,
                   [viewKart, lbdForm] { CheckMemberInPopulationDatabase(*viewKart, *lbdForm); });
}
