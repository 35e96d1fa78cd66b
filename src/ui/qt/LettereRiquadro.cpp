#include "ui/qt/LettereRiquadro.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>

namespace {

QShortcut* scorciatoia(const QKeySequence& tasto, QWidget* ambito) {
    auto* s = new QShortcut(tasto, ambito);
    s->setContext(Qt::WidgetWithChildrenShortcut);
    return s;
}

// The text with its "&" letter underlined, as rich text.
QString sottolineata(const QString& testo) {
    QString html;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo[i] == u'&' && i + 1 < testo.size()) {
            ++i;
            if (testo[i] != u'&') {
                html += QStringLiteral("<u>") + QString(testo[i]).toHtmlEscaped() + QStringLiteral("</u>");
                continue;
            }
        }
        html += QString(testo[i]).toHtmlEscaped();
    }
    return html;
}

} // namespace

void letteraNelRiquadro(QAbstractButton* bottone, QWidget* ambito) {
    const QKeySequence tasto = bottone->shortcut();
    if (tasto.isEmpty())
        return;
    // The button's own letter would act in the whole main window.
    bottone->setShortcut(QKeySequence());
    QObject::connect(scorciatoia(tasto, ambito), &QShortcut::activated, bottone, [bottone] {
        if (bottone->isEnabled() && bottone->isVisible())
            bottone->animateClick();
    });
}

void letteraNelRiquadro(QLabel* etichetta, QWidget* ambito) {
    QWidget* compagno = etichetta->buddy();
    const QKeySequence tasto = QKeySequence::mnemonic(etichetta->text());
    if (!compagno || tasto.isEmpty())
        return;
    // Without a buddy the label takes no letter of its own; the underline stays to tell it.
    etichetta->setBuddy(nullptr);
    etichetta->setTextFormat(Qt::RichText);
    etichetta->setText(sottolineata(etichetta->text()));
    QObject::connect(scorciatoia(tasto, ambito), &QShortcut::activated, compagno, [compagno] {
        if (compagno->isEnabled() && compagno->isVisible())
            compagno->setFocus(Qt::ShortcutFocusReason);
    });
}
