// The "Списък" command.
#include "reports/ui/annual_list_print.h"

#include <QString>

#include "classification/store_ranking_places.h"
#include "classification/ui/ranking_wait_window.h"
#include "core/clock.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "data/register_settings.h"
#include "register/register_tabs.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"

void PrintAnnualList(TDataModule1& data, RegisterTabs& tabs, TPrintForm1& form, QWidget* parent) {
  if (tabs.Current() != 2 || tabs.CurrentCaption() != RegisterTabs::kRankingCaption) return;
  const int year = Clock::Now().date().year();
  form.SetTitle(AnnualListTitle(year, MunicipalityName(data)));
  form.ClearPrintedMark();
  form.Preview(ListQueryRows(data.MainQuery()), parent);
  if (!form.PrintedMark()) return;
  if (!AskYesNo(parent, QStringLiteral("Искате ли да запазите информацията за местата на класиране?"),
                QStringLiteral("Запитване"), true, MessageIcon::Question))
    return;
  StatusFormProgress progress(parent);
  StoreRankingPlaces(data, progress);
}
