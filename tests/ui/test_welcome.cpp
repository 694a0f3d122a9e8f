// The welcome window: Return enters from wherever the focus is, and the window ends.

#include "testutil.h"
#include "ui/common/brincaro.h"
#include "ui/welcome/form3.h"

#include <QLabel>
#include <QMovie>
#include <QtTest>

using namespace garabix;

class TestWelcome : public QObject {
    Q_OBJECT
private slots:

    void returnEntersAndTheMainWindowClosesTheWelcomeForGood() {
        test::ProgramFolder folder;
        folder.writeDefaultConfiguration();
        folder.writeStamp("camina.gif");
        test::RecordingPlatform platform;
        Form3 welcome(folder.path(), platform);
        Form1 main(folder.path(), platform);
        main.setWelcomeWindow(&welcome);
        welcome.showMainWindow = [&] {
            main.resize(800, 600);
            main.show();
        };
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        auto *walker = welcome.findChild<Brincaro *>("Brincaro1");
        QVERIFY(welcome.isAnimating());
        QCOMPARE(walker->movie()->state(), QMovie::Running);
        QTest::keyClick(welcome.findChild<QLabel *>("Label1"), Qt::Key_Return); // wherever the focus is
        QTRY_VERIFY(main.isLoaded());
        QVERIFY(!welcome.isVisible());
        QVERIFY(platform.waited.contains("sonido3.wav"));
        // Its colour timer and walker stop with it.
        QVERIFY(!welcome.isAnimating());
        QVERIFY(walker->movie()->state() != QMovie::Running);
    }
};

QTEST_MAIN(TestWelcome)
#include "test_welcome.moc"
