// Builds the status menu's actions from its entries.
#include "commands/ui/status_menu.h"

#include <QActionGroup>
#include <QMenu>

void FillStatusMenu(QMenu& menu, const std::vector<StatusMenuEntry>& entries,
                    std::function<void(const StatusMenuEntry&)> chosen) {
  menu.clear();
  // The group is the menu's child, so the next clear() does not leave it behind.
  for (QActionGroup* old : menu.findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly)) delete old;
  auto* radios = new QActionGroup(&menu);
  radios->setExclusive(true);
  for (const StatusMenuEntry& entry : entries) {
    // A code-list name is shown as it stands, so an "&" in it is no shortcut mark.
    QString caption = entry.caption;
    caption.replace(u'&', QStringLiteral("&&"));
    QAction* action = menu.addAction(caption);
    action->setData(entry.code);
    if (!entry.forAll) {
      action->setCheckable(true);
      action->setChecked(entry.checked);
      radios->addAction(action);
    }
    QObject::connect(action, &QAction::triggered, &menu, [chosen, entry] {
      if (chosen) chosen(entry);
    });
  }
}
