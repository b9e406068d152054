#include "lbd/ui/lbd_check.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "core/error_display.h"
#include "core/messages.h"
#include "lbd/person_info.h"
#include "lbd/ui/lbd_form.h"
#include "ui/date_edit.h"

void CheckMemberInPopulationDatabase(TViewKart& kart, TLBDForm& form) {
  try {
    const QString egn = kart.LbdFields().memberEgn;
    {
      // The person object is let go before the window waits for the clerk, so the population
      // library holds nothing open meanwhile.
      TPersonInfo person;
      if (!person.LoadByEGN(egn)) {
        ShowMessage(&kart, QStringLiteral("Лице с това ЕГН не фигурира в Локална База Данни"),
                    QStringLiteral("Информация"), MessageIcon::Information);
        return;
      }
      form.Fill(LbdCheckValuesOf(person, egn));
    }
    if (form.exec() != QDialog::Accepted) return;

    LbdCardFields fields = kart.LbdFields();
    ApplyLbdCopy(form.Values(), form.Ticks(), fields);
    kart.SetLbdFields(fields);
  } catch (const std::exception& error) {
    ShowErrorDisplay(&kart, error);
  }
}
