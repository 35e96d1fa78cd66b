#include "ui/qt/ChiusuraMdi.h"

#include <QMdiSubWindow>

bool chiudiFinestraMdi(QWidget* finestra) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(finestra->parentWidget()))
        return sub->close();
    return finestra->close();
}
