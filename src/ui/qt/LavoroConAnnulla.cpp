#include "ui/qt/LavoroConAnnulla.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

namespace {

// What the operation tells from its thread, read by the window's a few times a second.
class ProgressoCondiviso : public Progress {
public:
    void setRange(qint64 totale) override {
        std::lock_guard<std::mutex> l(m_);
        totale_ = totale;
        cambiato_ = true;
    }
    void setValue(qint64 fatto) override {
        std::lock_guard<std::mutex> l(m_);
        fatto_ = fatto;
        cambiato_ = true;
    }
    void setLabel(const QString& testo) override {
        std::lock_guard<std::mutex> l(m_);
        testo_ = testo;
        cambiato_ = true;
    }
    void mostra(QProgressDialog& d) {
        std::lock_guard<std::mutex> l(m_);
        if (!cambiato_)
            return;
        cambiato_ = false;
        if (!testo_.isEmpty())
            d.setLabelText(testo_);
        const auto intero = [](qint64 n) {
            return static_cast<int>(std::min<qint64>(n, std::numeric_limits<int>::max()));
        };
        d.setRange(0, intero(totale_));
        if (totale_ > 0)
            d.setValue(intero(std::min(fatto_, totale_)));
    }

private:
    std::mutex m_;
    QString testo_;
    qint64 totale_ = 0;
    qint64 fatto_ = 0;
    bool cambiato_ = false;
};

// Until the progress window is up the window takes no clicks and no keys (disabling it would
// disable the progress window too, its child).
class InputTrattenuto : public QObject {
public:
    InputTrattenuto(QWidget* finestra, QWidget* progresso) : finestra_(finestra), progresso_(progresso) {
        qApp->installEventFilter(this);
    }
    ~InputTrattenuto() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride: {
            auto* w = qobject_cast<QWidget*>(oggetto);
            return w && finestra_ && (w == finestra_ || finestra_->isAncestorOf(w)) &&
                   !(w == progresso_ || progresso_->isAncestorOf(w));
        }
        default:
            return false;
        }
    }

private:
    QWidget* finestra_;
    QWidget* progresso_;
};

} // namespace

LavoroConAnnulla::LavoroConAnnulla(QWidget* finestra, QString titolo, QString testo)
    : finestra_(finestra), titolo_(std::move(titolo)), testo_(std::move(testo)) {}

LavoroConAnnulla::~LavoroConAnnulla() = default;

void LavoroConAnnulla::annulla() {
    annullata_.store(true);
    if (dialogo_)
        dialogo_->setLabelText(QStringLiteral("Annullamento in corso..."));
}

void LavoroConAnnulla::esegui(const std::function<void(Progress&, const std::atomic<bool>&)>& f) {
    annullata_.store(false);
    QProgressDialog dialogo(testo_, QStringLiteral("Annulla"), 0, 0, finestra_);
    dialogo.setObjectName(QStringLiteral("dlgLavoroInCorso"));
    dialogo.setWindowTitle(titolo_);
    dialogo.setWindowModality(Qt::ApplicationModal);
    dialogo.setAutoClose(false);
    dialogo.setAutoReset(false);
    // Quick operations end before anything flashes by.
    dialogo.setMinimumDuration(300);
    dialogo_ = &dialogo;
    QObject::connect(&dialogo, &QProgressDialog::canceled, [this] { annulla(); });

    ProgressoCondiviso progresso;
    QEventLoop attesa;
    std::exception_ptr errore;
    const InputTrattenuto trattenuto(finestra_, &dialogo);
    std::thread lavoro([&] {
        try {
            f(progresso, annullata_);
        } catch (...) {
            errore = std::current_exception();
        }
        QMetaObject::invokeMethod(&attesa, "quit", Qt::QueuedConnection);
    });
    QTimer aggiorna;
    QObject::connect(&aggiorna, &QTimer::timeout, [&] { progresso.mostra(dialogo); });
    aggiorna.start(100);
    attesa.exec();
    lavoro.join();
    aggiorna.stop();
    dialogo_ = nullptr;
    dialogo.hide();
    if (errore)
        std::rethrow_exception(errore);
}
