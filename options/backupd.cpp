// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupd.h"

#include "AppInfo.h"
#include "Design.h"
#include "Errors.h"
#include "FileCopy.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

namespace {

const QString FolderMessage =
    QStringLiteral("Error: couldn't change to the folder you specified.\rIf this is a removable "
                   "disc, please ensure there is a disc in the drive");
const QString DriveMessage =
    QStringLiteral("Error: couldn't change to the drive you specified.\rIf this is a removable "
                   "disc, please ensure there is a disc in the drive");

bool enterable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isExecutable() && info.isReadable();
}

} // namespace

QString Backup::FileIn(const QString& folder) {
    return folder.endsWith(u'/') ? folder + FileName : folder + u'/' + FileName;
}

TBUFrm::TBUFrm(Parts parts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m(std::move(parts)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const TDesign design(this);
    design.FixSize(this, 480, 300);
    move(0, 0); // the top-left corner of the screen
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    design.Place(Panel1, 8, 8, 464, 240);
    DCombo = new QComboBox(Panel1);
    DCombo->setAccessibleName(QStringLiteral("Drive"));
    design.Place(DCombo, 8, 8, 150, 26);
    DLB = new QListWidget(Panel1);
    DLB->setAccessibleName(QStringLiteral("Folders"));
    design.Place(DLB, 166, 8, 290, 224);
    ActionBtn = new QPushButton(QStringLiteral("&Back up"), this);
    design.Place(ActionBtn, 290, 260, 88, 30);
    ActionBtn->setDefault(true);
    CancelButt = new QPushButton(QStringLiteral("&Cancel"), this);
    design.Place(CancelButt, 384, 260, 88, 30);
    setTabOrder(DLB, DCombo);
    setTabOrder(DCombo, ActionBtn);
    setTabOrder(ActionBtn, CancelButt);

    m_folder = QDir(m.programDir.isEmpty() ? QDir::currentPath() : m.programDir).absolutePath();
    m_drive = QStorageInfo(m_folder).rootPath();
    // The folder's own volume too, which the list of mounts can leave out in a chroot or a
    // container; a volume mounted twice is listed once.
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes() << QStorageInfo(m_folder);
    for (const QStorageInfo& volume : volumes)
        if (volume.isValid() && DCombo->findData(volume.rootPath()) < 0)
            DCombo->addItem(volume.rootPath(), volume.rootPath());
    m_lastDrive = m_drive;
    selectDrive(m_drive);
    fillFolderList();

    connect(DCombo, &QComboBox::currentIndexChanged, this, Guarded([this] {
                if (m_filling)
                    return;
                // The drive shown before this pick.
                m_lastDrive = m_drive;
                m_drive = DCombo->currentData().toString();
                DComboChange();
            }));
    DLB->installEventFilter(this);
    connect(DLB, &QListWidget::itemActivated, this, Guarded([this](QListWidgetItem* item) {
                SetFolder(item->data(Qt::UserRole).toString());
            }));
    connect(ActionBtn, &QPushButton::clicked, this, Guarded([this] { ActionBtnClick(); }));
    connect(CancelButt, &QPushButton::clicked, this, Guarded([this] { CancelButtClick(); }));
    FormActivate();
}

void TBUFrm::selectDrive(const QString& root) {
    m_filling = true;
    const int index = DCombo->findData(root);
    if (index >= 0)
        DCombo->setCurrentIndex(index);
    m_filling = false;
}

void TBUFrm::fillFolderList() {
    DLB->clear();
    // The path from the volume's root down to the folder, then its subfolders.
    const QString root = QStorageInfo(m_folder).rootPath();
    QStringList chain;
    for (QDir d(m_folder);;) {
        chain.prepend(d.absolutePath());
        if (d.absolutePath() == root || d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = path == root ? path : QFileInfo(path).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, u' ') + name, DLB);
        item->setData(Qt::UserRole, path);
        if (path == m_folder)
            DLB->setCurrentItem(item);
        ++depth;
    }
    const QStringList subfolders =
        QDir(m_folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subfolders) {
        auto* item = new QListWidgetItem(QString(depth * 2, u' ') + sub, DLB);
        item->setData(Qt::UserRole, QDir(m_folder).filePath(sub));
    }
}

void TBUFrm::SetFolder(const QString& folder) {
    m_folder = QDir(folder).absolutePath();
    fillFolderList();
    DLBChange();
}

bool TBUFrm::eventFilter(QObject* watched, QEvent* e) {
    // Enter in the folder list opens the highlighted folder, and only that: the list
    // would also pass the key on, and the dialog would press its default button, a
    // back-up or a restore. On the folder already chosen (as when the window opens)
    // there is nothing to open, and Enter presses the action button.
    if (watched == DLB && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QListWidgetItem* item = DLB->currentItem();
            const QString folder = item ? item->data(Qt::UserRole).toString() : m_folder;
            if (folder != m_folder)
                SetFolder(folder);
            else if (ActionBtn->isEnabled())
                ActionBtn->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

bool TBUFrm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TBUFrm::FormActivate() {
    if (*m.backupMode) {
        setWindowTitle(QStringLiteral("Tockwell - Back Up To"));
        ActionBtn->setText(QStringLiteral("&Back up"));
        ActionBtn->setEnabled(true);
    } else {
        setWindowTitle(QStringLiteral("Tockwell - Restore From"));
        ActionBtn->setText(QStringLiteral("&Restore"));
        LookForFile();
    }
}

void TBUFrm::report(const QString& text, TMsgIcon icon) {
    m.messages.Show({text, AppTitle, icon, TMsgButtons::Ok});
}

void TBUFrm::LookForFile() {
    if (!enterable(m_folder)) {
        report(FolderMessage, TMsgIcon::Exclamation);
        m_drive = m_lastDrive;
        selectDrive(m_lastDrive);
        m_folder = m_lastDrive;
        fillFolderList();
        return;
    }
    ActionBtn->setEnabled(QFileInfo(Backup::FileIn(m_folder)).isFile());
}

void TBUFrm::DComboChange() {
    if (!enterable(m_drive)) {
        report(DriveMessage, TMsgIcon::Exclamation);
        m_drive = m_lastDrive;
        selectDrive(m_lastDrive);
        DComboChange();
        return;
    }
    m_folder = m_drive;
    fillFolderList();
    if (!*m.backupMode)
        LookForFile();
}

void TBUFrm::DLBChange() {
    if (!*m.backupMode)
        LookForFile();
}

void TBUFrm::CancelButtClick() {
    close();
}

void TBUFrm::ActionBtnClick() {
    if (*m.backupMode)
        backUp();
    else
        restore();
}

void TBUFrm::backUp() {
    if (!enterable(m.programDir.isEmpty() ? QDir::currentPath() : m.programDir)) {
        // The blank before the line break is the message's own.
        report(QStringLiteral("Error: couldn't change to the folder you specified. \rIf this is a "
                              "removable disc, please ensure there is a disc in the drive"),
               TMsgIcon::Exclamation);
        return;
    }
    const QString target = Backup::FileIn(m_folder);
    const bool copied = FileCopy(m.file.Path(), target);
    close();
    if (copied)
        report(QStringLiteral("File backed up as \r") + QDir::toNativeSeparators(target),
               TMsgIcon::Information);
    else
        report(QStringLiteral("Error: couldn't copy file.\rPlease ensure the disc is not full or "
                              "write protected"),
               TMsgIcon::Exclamation);
}

void TBUFrm::restore() {
    if (!m.list.IsEmpty() &&
        m.messages.Show(
            {QStringLiteral(
                 "Restore from backup and overwrite existing alarm list - are you sure?"),
             AppTitle, TMsgIcon::Question, TMsgButtons::YesNo}) != TMsgAnswer::Yes) {
        close();
        report(QStringLiteral("Restore cancelled"), TMsgIcon::Information);
        return;
    }
    if (m.cleanup)
        m.cleanup();
    if (m.clearList)
        m.clearList();
    const QString source = Backup::FileIn(m_folder);
    // A data file that could not be read whole is kept before the back-up replaces it.
    if (!m.file.KeepDamagedAside() || !FileCopy(source, m.file.Path())) {
        m.hooks.RefreshList(); // the list is as it was: so is the grid
        report(QStringLiteral("Error: file copy operation failed.\rPlease check that the source "
                              "file is not corrupted."),
               TMsgIcon::Exclamation);
        return;
    }
    try {
        m.file.LoadList(m.list);
    } catch (const EInOutError&) {
        report(QStringLiteral("Error: unable to read data into memory. It is recommended that you "
                              "restart Windows."),
               TMsgIcon::Exclamation);
        m.hooks.RefreshList();
        return;
    }
    m.hooks.RefreshList();
    close();
    report(QStringLiteral("Alarms restored from backup file\r") + QDir::toNativeSeparators(source),
           TMsgIcon::Information);
}
