// The program's windows besides the main window: made once, owned by the main window and
// reached through its hooks (card editor, ranking, documents, export, personal-number checks,
// population database, code lists, history).
#pragma once

#include "app/main_form.h"
#include "reports/print_form1.h"

class TDataModule1;
class TEGNRepair;
class TLbdNamesForm;
class TNomForm;
class TViewKart;

class ProgramWindows {
 public:
  explicit ProgramWindows(TDataModule1& data) : data_(data) {}

  // The main window's hooks; they reach the windows made by Create.
  MainFormWindows Hooks();
  // Makes the windows as children of the main window and connects the card editor's
  // "Бланка" and "ЛБД" buttons.
  void Create(TMainForm& form);

 private:
  TDataModule1& data_;
  TMainForm* mainForm_ = nullptr;
  TViewKart* viewKart_ = nullptr;
  TEGNRepair* egnRepair_ = nullptr;
  TLbdNamesForm* lbdNamesForm_ = nullptr;
  TNomForm* nomForm_ = nullptr;
  // The annual list's report form; its printed mark lives from one "Списък" to the next.
  TPrintForm1 printForm1_;
};
