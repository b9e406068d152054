// The "Списък" command.
#include "reports/annual_list_print.h"

#include <QString>

#include "app/register_tabs.h"
#include "auxiliary/messages.h"
#include "classification/ranking_wait_window.h"
#include "classification/store_ranking_places.h"
#include "data/data_module.h"
#include "egn/clock.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"

QString MunicipalityName(TDataModule1& data) {
  data.Nom().OpenIfClosed();
  return data.Nom().Cell(QStringLiteral("S_INFO"), 0).toString();
}

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
