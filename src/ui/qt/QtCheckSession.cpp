#include "ui/qt/QtCheckSession.h"

#include "ui/HunspellChecker.h"
#include "ui/qt/frmControlloOrtografico.h"

#include <QApplication>
#include <QEventLoop>

QtCheckSession::QtCheckSession(TextCheckKind kind, SpellLanguage language, QWidget* parent)
    : dialog_(new frmControlloOrtografico(kind, language, parent)) {
    dialog_->setWindowModality(Qt::ApplicationModal);
}

QtCheckSession::~QtCheckSession() {
    delete dialog_.data();
}

CheckChoice QtCheckSession::decide(const QString& text, const TextFinding& finding,
                                   const std::function<QStringList()>& corrections) {
    if (!dialog_)
        return {CheckAction::Cancel, {}};
    dialog_->mostra(text, finding, corrections);
    if (!dialog_->isVisible())
        dialog_->show();
    dialog_->activateWindow();
    QEventLoop loop;
    QObject::connect(dialog_, &frmControlloOrtografico::scelto, &loop, &QEventLoop::quit);
    QObject::connect(dialog_, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    return dialog_ ? dialog_->scelta() : CheckChoice{CheckAction::Cancel, {}};
}

void QtCheckSession::finish() {
    if (!dialog_)
        return;
    dialog_->hide();
    // Back to the text the check was on.
    if (QWidget* parent = dialog_->parentWidget())
        parent->window()->activateWindow();
}

void controllaTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                    int tipoTestoCorrente, const HomeFolder& home, Dialogs& dialogs, QWidget* parent,
                    const MostraTesto& mostra) {
    const SpellLanguage language = languageOfTesti(tipoTestoCorrente);
    QtCheckSession session(kind, language, parent);
    ControlloTesto(kind, testo, testoIniziale, language, SpellSetup::forHome(home), session, dialogs, mostra);
}

void preparaControlloTesto(int tipoTestoCorrente, const HomeFolder& home) {
    preloadDictionary(SpellSetup::forHome(home), languageOfTesti(tipoTestoCorrente));
}
