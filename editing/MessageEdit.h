// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// The message box of the add-alarm dialog. It holds only what the data file can store:
// at most 600 bytes (a line break counts two), and no character that Windows-1252
// cannot represent. Such input is refused as it is typed or pasted, with a beep.
class TMessageEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMessageEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // True when the text with this inserted in place of the selection can be stored.
    bool fits(const QString& inserted) const;
    void guard();

    QString m_lastGood;
    bool m_restoring = false;
};
