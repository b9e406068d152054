// The about box and its command.
#include "commands/ui/about_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/ui/house_emblem.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutForm"));
  setWindowTitle(QStringLiteral("За Velmora Жилищнa Картотека"));

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("ProgramIcon"));
  picture->setPixmap(HouseEmblem(128));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  ProductName = new QLabel(QStringLiteral("Velmora\nЖилищна\nКартотека"), this);
  ProductName->setObjectName(QStringLiteral("ProductName"));
  QFont nameFont = ProductName->font();
  nameFont.setPointSize(20);
  nameFont.setBold(true);
  ProductName->setFont(nameFont);

  Version = new QLabel(QStringLiteral("Версия 3.00"), this);
  Version->setObjectName(QStringLiteral("Version"));

  auto* text = new QVBoxLayout;
  text->addWidget(ProductName);
  text->addSpacing(8);
  text->addWidget(Version);
  text->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addSpacing(16);
  top->addLayout(text);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->addLayout(top);
  layout->addSpacing(10);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void mAboutClick(QWidget* parent) {
  TAboutForm form(parent);
  form.exec();
}
