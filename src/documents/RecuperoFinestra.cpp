#include "documents/RecuperoFinestra.h"

#include "store/AppState.h"

#include <QMetaObject>
#include <algorithm>

namespace {

class AlSalvataggio : public OsservatoreDocumenti {
public:
    explicit AlSalvataggio(RecuperoFinestra& r) : r_(r) {}
    void documentoSalvato(AppState&, qint64) override { r_.rimuovi(); }
    void documentiCancellati(AppState&, const QList<qint64>&) override {}

private:
    RecuperoFinestra& r_;
};

} // namespace

RecuperoFinestra::RecuperoFinestra(AppState& state, Istantanea istantanea, Tempi tempi)
    : state_(state), istantanea_(std::move(istantanea)), percorso_(NuovoFileRecupero(state.home)),
      timer_(tempi.quietMs, tempi.longestMs, [this] { scriviOra(); }) {
    // The outcome of each write reaches the window's thread through the timer's object: what is
    // still on its way when the window goes is dropped with it.
    writer_.setOnResult([this, contesto = timer_.context()](const QString& errore) {
        QMetaObject::invokeMethod(contesto, [this, errore] { esitoScrittura(errore); }, Qt::QueuedConnection);
    });
}

RecuperoFinestra::~RecuperoFinestra() {
    writer_.setOnResult({});
}

void RecuperoFinestra::esitoScrittura(const QString& errore) {
    if (errore.isEmpty() == !avvisato_)
        return;
    avvisato_ = !errore.isEmpty();
    if (!avviso_)
        return;
    avviso_(avvisato_ ? QStringLiteral("Le modifiche non salvate non possono essere messe al sicuro (%1): "
                                       "salvare il documento appena possibile.")
                            .arg(errore)
                      : QString());
}

void RecuperoFinestra::cambiato() {
    ultimaModifica_ = QDateTime::currentDateTimeUtc();
    timer_.changed();
}

void RecuperoFinestra::scriviOra() {
    timer_.cancel();
    std::optional<Recupero> r = istantanea_();
    if (!r) {
        rimuovi();
        return;
    }
    // Asked again with nothing changed (a load, the findings worked out again): the file holds it.
    if (scritto_ && r->buffer == scritto_->buffer && r->campi == scritto_->campi)
        return;
    r->archivio = state_.archivioCorrente();
    r->modificato = ultimaModifica_.isValid() ? ultimaModifica_ : QDateTime::currentDateTimeUtc();
    r->programma = QuestoUso(state_.sessioneUso);
    scritto_ = r;
    writer_.write(percorso_, [copia = std::move(*r)] { return TestoRecupero(copia); });
}

void RecuperoFinestra::rimuovi() {
    timer_.cancel();
    scritto_.reset();
    writer_.remove(percorso_);
}

void RecuperoFinestra::adotta(const QString& percorso) {
    if (percorso == percorso_)
        return;
    rimuovi();
    percorso_ = percorso;
}

std::shared_ptr<void> RecuperoFinestra::perIlSalvataggio() {
    auto osservatore = std::make_shared<AlSalvataggio>(*this);
    state_.osservatori.push_back(osservatore);
    return std::shared_ptr<void>(nullptr, [this, osservatore](void*) {
        std::erase(state_.osservatori, osservatore);
    });
}
