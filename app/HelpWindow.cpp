// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpWindow.h"

#include "AppInfo.h"
#include "Design.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct Topic {
    const char* page;
    const char* title;
};

const Topic Topics[] = {
    {"contents.html", "Contents"},
    {"tray.html", "The bell icon and its menu"},
    {"alarms.html", "The alarms window"},
    {"addalarm.html", "Adding an alarm"},
    {"ringing.html", "When an alarm rings: Done and Snooze"},
    {"options.html", "Options"},
    {"backup.html", "Backing up and restoring"},
    {"files.html", "Where Tockwell keeps your alarms"},
};

QString pageText(const QString& page) {
    QFile f(QStringLiteral(":/help/") + page);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
}

} // namespace

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_search(new QLineEdit(this))
    , m_topics(new QListWidget(this))
    , m_browser(new QTextBrowser(this)) {
    setWindowTitle(AppTitle + QStringLiteral(" Help"));
    const TDesign design(this);
    resize(design.Px(800), design.Px(500));
    m_search->setPlaceholderText(QStringLiteral("Search the help"));
    m_search->setAccessibleName(QStringLiteral("Search the help"));
    m_topics->setAccessibleName(QStringLiteral("Topics"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_search->setClearButtonEnabled(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(false);
    for (const Topic& t : Topics) {
        auto* item = new QListWidgetItem(QString::fromLatin1(t.title), m_topics);
        item->setData(Qt::UserRole, QString::fromLatin1(t.page));
    }
    // Every topic's title whole, beside the page, without a sideways scroll bar.
    m_topics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_topics->setFixedWidth(m_topics->sizeHintForColumn(0) + 2 * m_topics->frameWidth() +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent) + design.Px(8));
    auto* left = new QVBoxLayout;
    left->addWidget(m_search);
    left->addWidget(m_topics);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(m_browser, 1);
    connect(m_search, &QLineEdit::textChanged, this, &THelpWindow::filter);
    connect(m_topics, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    connect(m_topics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    ShowPage(QStringLiteral("contents.html"));
}

void THelpWindow::ShowPage(const QString& page) {
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
}

QString THelpWindow::CurrentPage() const {
    return m_browser->source().fileName();
}

QStringList THelpWindow::VisibleTopics() const {
    QStringList out;
    for (int i = 0; i < m_topics->count(); ++i)
        if (!m_topics->item(i)->isHidden())
            out << m_topics->item(i)->data(Qt::UserRole).toString();
    return out;
}

void THelpWindow::filter(const QString& words) {
    const QStringList wanted = words.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < m_topics->count(); ++i) {
        QListWidgetItem* item = m_topics->item(i);
        const QString text = item->text() + u' ' + pageText(item->data(Qt::UserRole).toString());
        bool all = true;
        for (const QString& w : wanted)
            all = all && text.contains(w, Qt::CaseInsensitive);
        item->setHidden(!all);
    }
}
