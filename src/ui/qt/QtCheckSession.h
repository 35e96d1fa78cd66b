#pragma once

// The check session of the desktop program: the findings shown one after the other in
// frmControlloOrtografico, which stays open (application-modal) until the check ends.

#include "ui/TextCheck.h"

#include <QPointer>
#include <optional>

class HomeFolder;
class QWidget;
class frmControlloOrtografico;

class QtCheckSession : public CheckSession {
public:
    QtCheckSession(TextCheckKind kind, SpellLanguage language, QWidget* parent = nullptr);
    ~QtCheckSession() override;
    QtCheckSession(const QtCheckSession&) = delete;
    QtCheckSession& operator=(const QtCheckSession&) = delete;

    CheckChoice decide(const QString& text, const TextFinding& finding,
                       const std::function<QStringList()>& corrections) override;
    void finish() override;

private:
    QPointer<frmControlloOrtografico> dialog_;
};

// frmTesti's two checks in the desktop program, on the text of txtTesto: the dictionary of the
// text's language, the dialog over `parent`. `mostra` puts the checked text into txtTesto before
// the closing message; nothing is shown when the check could not run (the operator has been told;
// the text stays as it was).
void controllaTesto(TextCheckKind kind, const QString& testo, const QString& testoIniziale,
                    int tipoTestoCorrente, const HomeFolder& home, Dialogs& dialogs, QWidget* parent,
                    const MostraTesto& mostra);
// Starts reading the dictionary of the text in the background (when frmTesti opens).
void preparaControlloTesto(int tipoTestoCorrente, const HomeFolder& home);
