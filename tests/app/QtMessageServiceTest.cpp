#include "QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

// Shows real boxes offscreen and answers them as a user would, by pressing a button.
class QtMessageServiceTest : public QObject {
    Q_OBJECT

    // Presses the button with the given text on the next modal box and records it.
    void answerNextBox(const QString& buttonText) {
        QTimer::singleShot(0, this, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenCaption = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            seenButtons.clear();
            for (QAbstractButton* b : box->buttons())
                seenButtons << b->text().remove(u'&');
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(u'&') == buttonText)
                    b->click();
        });
    }

    QString seenCaption, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QStringList seenButtons;

private slots:
    void errorBoxShowsStopIconAndFullStop() {
        QtMessageService service;
        answerNextBox("OK");
        QCOMPARE(service.Show(ErrorBox("Something failed")), TMsgAnswer::Ok);
        QCOMPARE(seenCaption, QString("Tockwell"));
        QCOMPARE(seenText, QString("Something failed."));
        QCOMPARE(seenIcon, QMessageBox::Critical);
        QCOMPARE(seenButtons, QStringList{"OK"});
    }

    void questionAnswersYesOrNo() {
        QtMessageService service;
        answerNextBox("No");
        QCOMPARE(service.Show(Question("Really?")), TMsgAnswer::No);
        QCOMPARE(seenIcon, QMessageBox::Question);
        QCOMPARE(seenButtons.size(), 2);
        answerNextBox("Yes");
        QCOMPARE(service.Show(Question("Really?")), TMsgAnswer::Yes);
    }

    void plainNoticeHasNoIconAndBreaksLinesAtCarriageReturns() {
        QtMessageService service;
        answerNextBox("OK");
        service.Show(PlainNotice("first line\rsecond <b>line</b>"));
        QCOMPARE(seenIcon, QMessageBox::NoIcon);
        QCOMPARE(seenText, QString("first line\nsecond <b>line</b>"));
    }
};

QTEST_MAIN(QtMessageServiceTest)
#include "QtMessageServiceTest.moc"
