// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The help viewer: a list of topics with a search field on the left, the page on the
// right. Typing in the search field keeps the topics whose page contains every word.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    void ShowPage(const QString& page);
    QString CurrentPage() const;
    // The topics the search leaves, by page name.
    QStringList VisibleTopics() const;
    QLineEdit* SearchBox() const { return m_search; }

private:
    void filter(const QString& words);

    QLineEdit* m_search;
    QListWidget* m_topics;
    QTextBrowser* m_browser;
};
