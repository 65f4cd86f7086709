// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutD.h"

#include "Design.h"
#include "Errors.h"
#include "Icons.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

TAboutDg::TAboutDg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , OK(new QPushButton(QStringLiteral("OK"), this))
    , Panel1(new QFrame(this))
    , Label1(new QLabel(VersionText, Panel1))
    , Image1(new QLabel(Panel1)) {
    setWindowTitle(QStringLiteral("About Tockwell"));
    const TDesign design(this);
    design.FixSize(this, 280, 150);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    design.Place(Panel1, 8, 8, 264, 96);
    // A little larger than the rest of the window, at every font.
    QFont big = Label1->font();
    big.setPixelSize(design.Px(15));
    Label1->setFont(big);
    design.Move(Label1, 12, 10);
    Label1->adjustSize();
    Image1->setPixmap(LoadIcon(QStringLiteral("MAINICON")).pixmap(design.Px(32)));
    design.Place(Image1, 264 - 8 - 32, 96 - 8 - 32, 32, 32);
    OK->setDefault(true);
    design.Place(OK, (280 - 80) / 2, 114, 80, 28);
    connect(OK, &QPushButton::clicked, this, Guarded([this] { OKClick(); }));
}

void TAboutDg::Display() {
    show();
    raise();
    activateWindow();
}

bool TAboutDg::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}
