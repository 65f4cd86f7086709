// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The about box: the program's name, version and icon. OK hides it.
class TAboutDg : public QDialog {
    Q_OBJECT
public:
    static inline const QString VersionText = QStringLiteral("Tockwell Version 1.08");

    explicit TAboutDg(QWidget* parent = nullptr);

    QPushButton* OK;
    QFrame* Panel1;
    QLabel* Label1;
    QLabel* Image1;

    void OKClick() { hide(); }
    void FormActivate() { setWindowTitle(QStringLiteral("About Tockwell")); }
    // Shows the box, or brings it to the front when it is already shown.
    void Display();

protected:
    bool event(QEvent* e) override;
};
