#pragma once

// The check session of the desktop program: the findings shown one after the other in
// frmControlloOrtografico, which stays open (application-modal) until the check ends.

#include "ui/TextCheck.h"

#include <QPointer>

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
