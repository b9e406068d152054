#include "lbd/ui/lbd_check.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/date_edit.h"
#include "core/error_display.h"
#include "core/messages.h"
#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "lbd/ui/lbd_form.h"
#include "lbd/person_info.h"

namespace {
// Sets a control only when its text changes, so an untouched field does not count as an edit.
void SetIfChanged(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}
}  // namespace

void bLBDClick(TViewKart& kart, TLBDForm& form) {
  try {
    const QString egn = kart.members->PersonEGN->text();
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

    LbdCardFields fields{kart.members->FirstName->text(), kart.ebAdress->text(), kart.dtAdress->DateTime(),
                         kart.mNotes->toPlainText(), kart.members->PersonNotes->text()};
    const DateTimeValue dateBefore = fields.currentAddressDate;
    ApplyLbdCopy(form.Values(), form.Ticks(), fields);
    SetIfChanged(kart.members->FirstName, fields.memberName);
    SetIfChanged(kart.ebAdress, fields.currentAddress);
    if (fields.currentAddressDate != dateBefore) kart.dtAdress->SetDateTime(fields.currentAddressDate);
    if (kart.mNotes->toPlainText() != fields.notes) kart.mNotes->setPlainText(fields.notes);
    SetIfChanged(kart.members->PersonNotes, fields.memberNotes);
  } catch (const std::exception& error) {
    ShowErrorDisplay(&kart, error);
  }
}
