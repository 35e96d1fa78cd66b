#pragma once

// The base of every test class that drives windows. After each test it runs the check of
// GuiTestUtil.h (fineTestGui(): a dialog awaited that never came, a question nobody answered), so
// no class can leave it out. A class with more to tidy after each test overrides dopoOgniTest(),
// which runs first.

#include <QObject>

class TestGui : public QObject {
    Q_OBJECT

protected:
    virtual void dopoOgniTest() {}

private Q_SLOTS:
    void cleanup();
};
