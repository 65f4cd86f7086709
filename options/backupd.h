// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlarmFile.h"
#include "AlarmList.h"
#include "Cleanup.h"
#include "MessageService.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QFrame;
class QListWidget;
class QPushButton;

namespace Backup {
inline const QString FileName = QStringLiteral("Tockwell.backup");
// The back-up file in a folder: one separator between, also at a volume's root.
QString FileIn(const QString& folder);
} // namespace Backup

// Backs the alarm file up to a folder of the user's choice, or restores it from there.
// The drive selector lists the mounted volumes; the folder list shows the chosen
// folder's path from its volume's root down, then its subfolders. Browsing never
// changes the current folder.
class TBUFrm : public QDialog {
    Q_OBJECT
public:
    struct Parts {
        AlarmList& list;
        TAlarmFile& file;
        TListHooks& hooks; // RefreshList after a restore
        TMessageService& messages;
        std::function<void()> cleanup;   // the clean-up pass before a restore
        std::function<void()> clearList; // empties the alarms grid
        QString programDir;
        const bool* backupMode; // the mode is read whenever it matters
    };

    explicit TBUFrm(Parts parts, QWidget* parent = nullptr);

    QListWidget* DLB;
    QComboBox* DCombo;
    QPushButton* ActionBtn;
    QPushButton* CancelButt;
    QFrame* Panel1;

    QString Folder() const { return m_folder; }
    // Opens a folder as the user does in the folder list.
    void SetFolder(const QString& folder);
    QString LastDrive() const { return m_lastDrive; }

    void FormActivate();
    void LookForFile();
    void DComboChange();
    void DLBChange();
    void ActionBtnClick();
    void CancelButtClick();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void backUp();
    void restore();
    void fillFolderList();
    void selectDrive(const QString& root);
    void report(const QString& text, TMsgIcon icon);

    Parts m;
    QString m_folder;
    QString m_drive;
    QString m_lastDrive;
    bool m_filling = false;
};
