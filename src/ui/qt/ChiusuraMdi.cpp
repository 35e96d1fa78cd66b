#include "ui/qt/ChiusuraMdi.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace {

// Hears the keys that reach the window itself, i.e. those its controls left alone.
class ChiusuraConEsc : public QObject {
public:
    explicit ChiusuraConEsc(QWidget* finestra) : QObject(finestra), finestra_(finestra) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == finestra_ && event->type() == QEvent::KeyPress) {
            const auto* tasto = static_cast<QKeyEvent*>(event);
            if (tasto->key() == Qt::Key_Escape && tasto->modifiers() == Qt::NoModifier) {
                chiudiFinestraMdi(finestra_);
                return true;
            }
        }
        return false;
    }

private:
    QWidget* finestra_;
};

} // namespace

bool chiudiFinestraMdi(QWidget* finestra) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(finestra->parentWidget()))
        return sub->close();
    return finestra->close();
}

void escChiude(QWidget* finestra) {
    finestra->installEventFilter(new ChiusuraConEsc(finestra));
}
