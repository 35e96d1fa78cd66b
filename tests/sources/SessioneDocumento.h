#pragma once

// The main window on a fresh archive, shown offscreen, for the tests that enter sources from the
// document window: a new document, the document reopened, a count from the archive.

#include "app/gui/MDIQuillaro.h"
#include "documents/frmDocumento.h"
#include "documents/frmSceltaDoc.h"
#include "support/GuiTestUtil.h"
#include "support/TestHome.h"

#include <QtTest>
#include <QtWidgets>

class SessioneDocumento {
public:
    SessioneDocumento() : main(t.state()) {
        if (!main.apriArchivio(t.createArchive()))
            qFatal("archive not opened");
        main.show();
        if (!QTest::qWaitForWindowExposed(&main))
            qFatal("window not shown");
    }

    frmDocumento* finestra() { return main.findChild<frmDocumento*>(); }

    // A new document of journal 101 with its title: what the save needs besides its sources.
    frmDocumento* nuovo(const QString& titolo = QStringLiteral("Fonti di ogni famiglia")) {
        azione(main, "mnuDocumentiNuovo")->trigger();
        frmDocumento* w = finestra();
        w->cmbCPer->setCurrentIndex(w->cmbCPer->findText(QStringLiteral("101"), Qt::MatchStartsWith));
        w->txtTitolo->setPlainText(titolo);
        return w;
    }

    // Leaves the window without saving and opens the first document again.
    frmDocumento* riapri(frmDocumento* w) {
        w->cmdAbbandona->click();
        if (!QTest::qWaitFor([this] { return !finestra(); }))
            QTest::qFail("the document window did not close", __FILE__, __LINE__);
        onNextModal<frmSceltaDoc>([](frmSceltaDoc* d) { d->cmdEdita->click(); });
        azione(main, "mnuDocumentiEdita")->trigger();
        return finestra();
    }

    qint64 conta(const QString& sql) {
        RecordSet rs = t.state().Connessione.ApriRS(sql);
        return rs.field(0).toLongLong();
    }

    TestHome t;
    MDIQuillaro main;
};

// The lines of a list as it shows them.
inline QStringList righe(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
