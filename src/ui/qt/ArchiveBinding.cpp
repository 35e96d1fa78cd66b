#include "ui/qt/ArchiveBinding.h"

#include "store/AppState.h"
#include "ui/qt/ChiusuraMdi.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

ArchiveBinding::ArchiveBinding(QWidget* window, AppState& state)
    : QObject(window), state_(state), archive_(state.archivioCorrente()) {
    setObjectName(QStringLiteral("archiveBinding"));
}

ArchiveBinding* ArchiveBinding::bind(QWidget* window, AppState& state) {
    if (ArchiveBinding* existing = of(window))
        return existing;
    return new ArchiveBinding(window, state);
}

ArchiveBinding* ArchiveBinding::of(const QWidget* window) {
    return window ? window->findChild<ArchiveBinding*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool ArchiveBinding::current() const {
    return !archive_.isEmpty() && state_.archivioCorrente() == archive_;
}

bool ArchiveBinding::check() {
    if (current())
        return true;
    const QString name =
        archive_.isEmpty() ? QStringLiteral("(nessuno)") : QDir::toNativeSeparators(archive_);
    state_.ui().message(QStringLiteral("Questa finestra si riferisce all'archivio %1, che ora non è aperto: "
                                       "nessuna operazione è stata eseguita.\n"
                                       "Chiudere la finestra e riaprirla dall'archivio aperto.")
                            .arg(name),
                        QStringLiteral("Attenzione!"), Buttons::Ok, Icon::Warning);
    return false;
}

bool checkArchive(const QWidget* window) {
    ArchiveBinding* binding = ArchiveBinding::of(window);
    return !binding || binding->check();
}

bool closeArchiveWindows(QWidget* mainWindow) {
    QList<QPointer<ArchiveBinding>> bindings;
    for (ArchiveBinding* binding : mainWindow->findChildren<ArchiveBinding*>())
        bindings << binding;
    for (const QPointer<ArchiveBinding>& binding : bindings) {
        if (!binding)
            continue;
        if (!chiudiFinestraMdi(qobject_cast<QWidget*>(binding->parent())))
            return false;
        // The window is on its way out (deleted later): a second pass must not ask it again.
        delete binding;
    }
    return true;
}
