#include "support/TestHome.h"

#include <QtTest>

class StoreSmoke : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void homeIsLaidOut() {
        TestHome t;
        QVERIFY(QFileInfo::exists(t.home().templatePath()));
    }
};

QTEST_GUILESS_MAIN(StoreSmoke)
#include "tst_store_smoke.moc"
