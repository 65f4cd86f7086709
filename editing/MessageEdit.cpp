// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageEdit.h"

#include "AlarmRec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

TMessageEdit::TMessageEdit(QWidget* parent)
    : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &TMessageEdit::guard);
}

bool TMessageEdit::fits(const QString& inserted) const {
    const QTextCursor c = textCursor();
    QString text = toPlainText();
    text.replace(c.selectionStart(), c.selectionEnd() - c.selectionStart(), inserted);
    return DisplayToText(text).has_value();
}

void TMessageEdit::keyPressEvent(QKeyEvent* e) {
    QString typed = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    if ((!typed.isEmpty() && typed.front().isPrint()) || typed == u"\n") {
        if (!fits(typed)) {
            QApplication::beep();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TMessageEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && !fits(source->text())) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

// Anything else that changes the text (input methods, drag and drop) is held to the
// same rule: what cannot be stored is taken back.
void TMessageEdit::guard() {
    if (m_restoring)
        return;
    const QString now = toPlainText();
    if (DisplayToText(now)) {
        m_lastGood = now;
        return;
    }
    m_restoring = true;
    const int position = std::min<int>(textCursor().position(), m_lastGood.size());
    setPlainText(m_lastGood);
    QTextCursor c = textCursor();
    c.setPosition(position);
    setTextCursor(c);
    m_restoring = false;
    QApplication::beep();
}
