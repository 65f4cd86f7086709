// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageService.h"

#include <QDebug>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(TMsgIcon icon) {
    switch (icon) {
    case TMsgIcon::Information:
        return QMessageBox::Information;
    case TMsgIcon::Exclamation:
        return QMessageBox::Warning;
    case TMsgIcon::Question:
        return QMessageBox::Question;
    case TMsgIcon::Stop:
        return QMessageBox::Critical;
    case TMsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

TMsgAnswer QtMessageService::Show(const TMessage& message) {
    // The program's texts break lines with a carriage return; a Qt label wants "\n".
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    // Errors and warnings also go to the standard error output, which a desktop session
    // keeps in its log: what went wrong stays on record after the box is closed.
    if (message.icon == TMsgIcon::Stop || message.icon == TMsgIcon::Exclamation)
        qWarning().noquote() << message.caption + QStringLiteral(": ") + text;
    QMessageBox box(toQt(message.icon), message.caption, text, QMessageBox::NoButton, m_parent);
    // Plain text: a message that quotes a file name must never be read as markup.
    box.setTextFormat(Qt::PlainText);
    if (message.buttons == TMsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? TMsgAnswer::Yes : TMsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return TMsgAnswer::Ok;
}
