// The main window's toolbar and main menu: captions, hints, shortcuts, separators and the
// commands behind them.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/main_form.h"
#include "app/toolbar_icons.h"
#include "commands/help.h"
#include "commands/ui/about_form.h"
#include "commands/ui/options_form.h"
#include "core/clock.h"
#include "core/date_time.h"
#include "data/data_module.h"
#include "register/rights.h"
#include "session/library_login.h"

namespace {
struct ToolEntry {
  const char* name;
  QString caption;
  QString hint;
  ToolbarPicture picture;
};
}  // namespace

QAction* TMainForm::Command(const QString& text, const std::function<void()>& run, bool available) {
  auto* action = new QAction(text, this);
  action->setEnabled(available);
  connect(action, &QAction::triggered, this, run);
  return action;
}

void TMainForm::BuildToolbar() {
  QToolBar* toolbar = addToolBar(QStringLiteral("ToolBar"));
  toolbar->setObjectName(QStringLiteral("ToolBar"));
  toolbar->setMovable(false);
  toolbar->setIconSize(QSize(50, 50));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

  auto rights = [this](bool allowed, const std::function<void()>& run) {
    if (allowed) run();
    else ShowNoRightsMessage(this);
  };
  const std::vector<std::pair<ToolEntry, std::function<void()>>> tools = {
      {{"tbRegister", QStringLiteral("Регистрация"), QStringLiteral("Въвеждане на нов картон"), ToolbarPicture::Register},
       [this] { tbRegisterClick(); }},
      {{"tbModify", QStringLiteral("Актуализация"), QStringLiteral("Редактиране на картон"), ToolbarPicture::Modify},
       [this] { FamilyGridDblClick(); }},
      {{"tbRefresh", QStringLiteral("Опресняване"), QStringLiteral("Опресняване на списъка"), ToolbarPicture::Refresh},
       [this] { tbRefreshClick(); }},
      {{"tbSpravka", QStringLiteral("Експорт"), QStringLiteral("Извеждане на данните в формат MS Office"),
        ToolbarPicture::Export},
       [this] {
         if (windows_.exportList) windows_.exportList(this);
       }},
      {{"tbStatus", QStringLiteral("Класиране"),
        QStringLiteral("Класиране на картоните съгласно правилата от наредбата на общинския съвет"),
        ToolbarPicture::Ranking},
       [this, rights] { rights(CanRank(RightsLevel), [this] { windows_.ranking(this); }); }},
      {{"tbKlasList", QStringLiteral("Списък"), QStringLiteral("Разпечатване на списъци с класираните домакинства"),
        ToolbarPicture::List},
       [this] { windows_.annualList(this); }},
      {{"ToolButton1", QStringLiteral("За програмата"), QStringLiteral("Информация за програмата"), ToolbarPicture::About},
       [this] { mAboutClick(this); }},
      {{"tbExit", QStringLiteral("Изход"), QStringLiteral("Изход от програмата"), ToolbarPicture::Exit},
       [this] { tbExitClick(); }},
  };
  for (const auto& [tool, run] : tools) {
    QAction* action = Command(tool.caption, run);
    action->setIcon(ToolbarIcon(tool.picture));
    action->setToolTip(tool.hint);
    action->setStatusTip(tool.hint);
    action->setObjectName(QString::fromLatin1(tool.name));
    const QString name = QString::fromLatin1(tool.name);
    if (name == QLatin1String("tbSpravka")) action->setEnabled(static_cast<bool>(windows_.exportList));
    if (name == QLatin1String("tbStatus")) action->setEnabled(static_cast<bool>(windows_.ranking));
    if (name == QLatin1String("tbKlasList")) action->setEnabled(static_cast<bool>(windows_.annualList));
    toolbar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
    button->setObjectName(name);
    button->setFixedSize(106, 73);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    if (name == QLatin1String("tbSpravka")) tbSpravka = button;
  }
}

void TMainForm::BuildMenus() {
  auto open = [this](const std::function<void(QWidget*)>& window) {
    return [this, window] {
      if (window) window(this);
    };
  };
  auto withShortcut = [](QAction* action, Qt::Key key) {
    action->setShortcut(QKeySequence(key));
    return action;
  };

  QMenu* system = menuBar()->addMenu(QStringLiteral("&Системни"));
  system->addAction(withShortcut(Command(QStringLiteral("&Настройки"), [this] { mOptionsClick(data_, RightsLevel, this); }),
                                 Qt::Key_F11));
  system->addAction(Command(QStringLiteral("Но&менклатури"), open(windows_.nomenclature),
                            static_cast<bool>(windows_.nomenclature)));
  system->addAction(Command(QStringLiteral("&Промяна на паролата"), [this] {
    LibraryChangePassword(QStringLiteral("Tesaro"), record_.Text251(), record_.UserLogin(),
                          QStringLiteral("Velmora Tesaro"), winId());
  }));
  system->addSeparator();
  system->addAction(withShortcut(Command(QStringLiteral("&Изход"), [this] { tbExitClick(); }), Qt::Key_F12));

  QMenu* cards = menuBar()->addMenu(QStringLiteral("&Картотека"));
  cards->addAction(withShortcut(Command(QStringLiteral("&Регистрация"), [this] { tbRegisterClick(); }), Qt::Key_F2));
  cards->addAction(withShortcut(Command(QStringLiteral("&Актуализация"), [this] { FamilyGridDblClick(); }), Qt::Key_F3));
  // Hidden entries keep their shortcuts working, as the window always had them.
  QAction* search = withShortcut(Command(QStringLiteral("&Търсене"), [this] { SearchClick(); }), Qt::Key_F4);
  search->setVisible(false);
  addAction(search);
  cards->addAction(search);
  QAction* close = Command(QStringLiteral("&Закриване"), [this] { DelClick(); });
  close->setVisible(false);
  cards->addAction(close);
  QAction* stop = Command(QStringLiteral("&Спиране"), [] {});
  stop->setVisible(false);
  cards->addAction(stop);
  QAction* sort = Command(QStringLiteral("Сортира&не..."), [] {});
  sort->setVisible(false);
  cards->addAction(sort);
  cards->addAction(Command(QStringLiteral("&Изтриване"), [this] { DelClick(); }, false));
  cards->addSeparator();
  cards->addAction(withShortcut(Command(QStringLiteral("&Опресняване"), [this] { tbRefreshClick(); }), Qt::Key_F5));

  QMenu* reports = menuBar()->addMenu(QStringLiteral("Сп&равки"));
  reports->addAction(withShortcut(Command(QStringLiteral("&Невалидни ЕГН-та"), open(windows_.invalidEgn),
                                          static_cast<bool>(windows_.invalidEgn)),
                                  Qt::Key_F9));
  reports->addAction(withShortcut(Command(QStringLiteral("&Имена от ЛБД..."),
                                          [this] {
                                            if (!CanCompareNames(RightsLevel)) ShowNoRightsMessage(this);
                                            else windows_.namesFromLbd(this);
                                          },
                                          static_cast<bool>(windows_.namesFromLbd)),
                                  Qt::Key_F10));
  reports->addSeparator();
  reports->addAction(withShortcut(Command(QStringLiteral("&Сл. Бележка"), open(windows_.serviceNote),
                                          static_cast<bool>(windows_.serviceNote)),
                                  Qt::Key_F6));
  reports->addAction(withShortcut(Command(QStringLiteral("&Експорт"), open(windows_.exportList),
                                          static_cast<bool>(windows_.exportList)),
                                  Qt::Key_F7));
  reports->addSeparator();
  reports->addAction(withShortcut(Command(QStringLiteral("&Класиране..."),
                                          [this] {
                                            if (!CanRank(RightsLevel)) ShowNoRightsMessage(this);
                                            else windows_.ranking(this);
                                          },
                                          static_cast<bool>(windows_.ranking)),
                                  Qt::Key_F8));
  reports->addAction(Command(QStringLiteral("С&писък"), open(windows_.annualList), static_cast<bool>(windows_.annualList)));
  reports->addSeparator();
  reports->addAction(Command(QStringLiteral("Ис&тория на действията"), open(windows_.actionHistory),
                             static_cast<bool>(windows_.actionHistory)));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощ"));
  help->addAction(withShortcut(Command(QStringLiteral("&За програмата"), [this] { mAboutClick(this); }), Qt::Key_F1));
  help->addAction(Command(QStringLiteral("&Помощ"), [this] { hlpbtnClick(this); }));
}
