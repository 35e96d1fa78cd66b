#include "app/guida/ImmaginiGuida.h"

#include "app/gui/MDIQuillaro.h"
#include "app/gui/frmAbout.h"
#include "capture/frmCattura.h"
#include "checks/MDIQuillaroPannello.h"
#include "checks/frmWndErrori.h"
#include "classification/frmAsteriscati.h"
#include "classification/frmClassificazione.h"
#include "documents/frmAltriTesti.h"
#include "documents/frmDocumento.h"
#include "documents/frmDocumentoControlli.h"
#include "documents/frmHelpTastiFunzione.h"
#include "documents/frmResponsabilita.h"
#include "documents/frmSceltaDoc.h"
#include "documents/frmTesti.h"
#include "import/ImportaArchivio.h"
#include "import/MemoryJetSource.h"
#include "import/frmImportazione.h"
#include "search/frmDoppioni.h"
#include "search/frmRicerca.h"
#include "sources/frmAltreFonti.h"
#include "citations/frmFontiDalTesto.h"
#include "sources/frmFontiInterne.h"
#include "sources/frmModificaFonte.h"
#include "sources/frmPaginaFonte.h"
#include "sources/frmTipologiaFonte.h"
#include "store/AppState.h"
#include "store/Template.h"
#include "store/frmInformazione.h"
#include "ui/ScriptedDialogs.h"
#include "update/frmFileSigle.h"
#include "update/frmSceltaFileOut.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTableView>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <functional>
#include <stdexcept>

namespace {

// A summary that cites three acts, as the operator pastes it from the article.
const QString kRiassunto = QStringLiteral(
    "L'Autore esamina l'obbligo di motivazione dei provvedimenti amministrativi previsto dall'art. 3 "
    "della legge 7 agosto 1990, n. 241, alla luce dell'art. 97 Cost. e dell'art. 21-octies della "
    "stessa legge, e ne verifica la tenuta nel d.lg. 31 marzo 2023, n. 36.");
const QString kTitolo =
    QStringLiteral("La motivazione del provvedimento amministrativo dopo il nuovo codice dei contratti");

// Lets the event loop run for a while (timers, layouts, work finishing in the background).
void attendi(int ms) {
    const QDeadlineTimer fine(ms);
    while (!fine.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Until `fatto` answers true or the time is up; whether it did.
bool attendiChe(const std::function<bool()>& fatto, int ms = 10000) {
    const QDeadlineTimer fine(ms);
    while (!fatto()) {
        if (fine.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

template <typename W> W* figlio(QWidget* w, const char* nome) {
    W* c = w->findChild<W*>(QLatin1String(nome));
    if (!c)
        throw std::runtime_error(std::string("manca il controllo ") + nome);
    return c;
}

class Regista {
public:
    explicit Regista(const QString& cartella)
        : cartella_(cartella), home_(dir_.path()), state_((home_.ensureLayout(), home_), dialogs_),
          main_(state_) {
        QDir().mkpath(cartella_);
        demo_ = home_.mdbPath(QStringLiteral("DEMO.db"));
        buildDemoArchive(demo_);
        main_.resize(kLarghezzaGuida, kAltezzaGuida);
        main_.show();
        attendi(50);
    }

    ~Regista() {
        // The windows go with the archive, unasked: nothing of this home is kept.
        for (QMdiSubWindow* sub : main_.mdiArea()->subWindowList())
            delete sub;
        ChiudiCatalogo(state_);
        ChiudiArchivio(state_);
    }

    QList<ImmagineGuida> gira();

private:
    // One picture; a failure is written down and the next one is tried.
    void scena(const QString& nome, const std::function<void()>& azione);
    // The screen as it is now, with `finestra` (a dialog) in front of the main window.
    void salva(const QString& nome, QWidget* finestra = nullptr);
    // The modal dialog of type W that `apri` opens: `prepara` sets it as the page describes, the
    // picture is taken (none without a name), then `chiudi` closes it (Esc when not given).
    template <typename W>
    void modale(const QString& nome, const std::function<void()>& apri, const std::function<void(W*)>& prepara = {},
                const std::function<void(W*)>& chiudi = {});
    // A dialog made here (not through a menu): shown in front of the main window, then closed.
    void dialogo(const QString& nome, QDialog& d);

    frmDocumento* documento() const { return main_.findChild<frmDocumento*>(); }
    void chiudiFinestre();

    void scenePannello();
    void sceneImportazione();
    void sceneNuovoDocumento();
    void sceneDocumentoEsistente();
    void sceneControlli();
    void sceneRicerca();
    void sceneAggiornamento();

    QString cartella_;
    QTemporaryDir dir_;
    HomeFolder home_;
    ScriptedDialogs dialogs_;
    AppState state_;
    MDIQuillaro main_;
    QString demo_;
    QList<ImmagineGuida> fatte_;
    ImmagineGuida* corrente_ = nullptr;
};

void Regista::scena(const QString& nome, const std::function<void()>& azione) {
    fatte_.append({nome, {}, {}});
    corrente_ = &fatte_.last();
    try {
        azione();
    } catch (const std::exception& e) {
        corrente_->errore = QString::fromUtf8(e.what());
    }
    if (corrente_->errore.isEmpty() && !QFileInfo(QDir(cartella_).filePath(nome + QStringLiteral(".png"))).isFile())
        corrente_->errore = QStringLiteral("la finestra non è stata mostrata");
    if (!corrente_->errore.isEmpty() && !dialogs_.texts().isEmpty())
        corrente_->errore += QStringLiteral(" (ultimo messaggio: ") + dialogs_.lastText() + u')';
    corrente_ = nullptr;
    dialogs_.clear();
}

void Regista::salva(const QString& nome, QWidget* finestra) {
    attendi(30);
    QImage schermo = main_.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (schermo.size() != QSize(kLarghezzaGuida, kAltezzaGuida))
        schermo = schermo.scaled(kLarghezzaGuida, kAltezzaGuida, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QString titolo = main_.windowTitle();
    if (finestra && finestra->isWindow()) {
        // The dialog as the window manager would put it: centred, with its caption bar.
        constexpr int barra = 24;
        QImage immagine = finestra->grab().toImage();
        const QSize massimo(kLarghezzaGuida - 16, kAltezzaGuida - 16 - barra);
        if (immagine.width() > massimo.width() || immagine.height() > massimo.height())
            immagine = immagine.scaled(massimo, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QRect corpo((kLarghezzaGuida - immagine.width()) / 2,
                          (kAltezzaGuida - immagine.height() + barra) / 2, immagine.width(), immagine.height());
        const QRect cornice = corpo.adjusted(-1, -barra - 1, 1, 1);
        QPainter p(&schermo);
        p.fillRect(cornice.translated(5, 5), QColor(0, 0, 0, 70));
        p.fillRect(cornice, QColor(0x3c, 0x40, 0x43));
        QFont carattere = finestra->font();
        carattere.setBold(true);
        p.setFont(carattere);
        p.setPen(Qt::white);
        p.drawText(QRect(cornice.left() + 10, cornice.top() + 1, cornice.width() - 20, barra),
                   Qt::AlignVCenter | Qt::AlignLeft, finestra->windowTitle());
        p.drawImage(corpo.topLeft(), immagine);
        titolo = finestra->windowTitle();
    } else if (finestra) {
        titolo = finestra->windowTitle();
    }
    const QString file = QDir(cartella_).filePath(nome + QStringLiteral(".png"));
    if (!schermo.save(file, "PNG"))
        throw std::runtime_error(("non scritta in " + file).toStdString());
    if (corrente_)
        corrente_->titolo = titolo;
}

template <typename W>
void Regista::modale(const QString& nome, const std::function<void()>& apri, const std::function<void(W*)>& prepara,
                     const std::function<void(W*)>& chiudi) {
    bool vista = false;
    QString errore;
    QTimer guardia;
    guardia.setInterval(10);
    QObject::connect(&guardia, &QTimer::timeout, [&] {
        auto* d = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!d)
            return;
        guardia.stop();
        vista = true;
        try {
            attendi(30);
            if (prepara)
                prepara(d);
            if (!nome.isEmpty())
                salva(nome, d);
        } catch (const std::exception& e) {
            errore = QString::fromUtf8(e.what());
        }
        if (chiudi)
            chiudi(d);
        else
            d->reject();
    });
    guardia.start();
    apri();
    guardia.stop();
    if (!errore.isEmpty())
        throw std::runtime_error(errore.toStdString());
    if (!vista)
        throw std::runtime_error("la finestra non si è aperta");
}

void Regista::dialogo(const QString& nome, QDialog& d) {
    d.show();
    attendi(30);
    salva(nome, &d);
    d.reject();
}

void Regista::chiudiFinestre() {
    if (frmDocumento* doc = documento())
        doc->cmdAbbandona_Click();
    attendi(30);
    for (QMdiSubWindow* sub : main_.mdiArea()->subWindowList()) {
        sub->close();
        attendi(10);
    }
}

// The main window before and after an archive is opened: the recent archives, the delivery.
void Regista::scenePannello() {
    scena(QStringLiteral("pannello-recenti"), [this] {
        if (!main_.apriArchivio(demo_))
            throw std::runtime_error("l'archivio dimostrativo non si apre");
        main_.mnuFileChiudi->trigger();
        salva(QStringLiteral("pannello-recenti"));
    });
    scena(QStringLiteral("frmInformazione"), [this] {
        frmInformazione d(state_.ui(), &main_);
        d.ComboCentro->setEditText(QStringLiteral("3"));
        d.ComboAProd->setEditText(QStringLiteral("2026"));
        d.txtConsegna->setText(QStringLiteral("2"));
        d.txtInizio->setText(QStringLiteral("31"));
        dialogo(QStringLiteral("frmInformazione"), d);
    });
    scena(QStringLiteral("MDIQuillaro"), [this] {
        if (!main_.apriArchivio(demo_))
            throw std::runtime_error("l'archivio dimostrativo non si apre");
        salva(QStringLiteral("MDIQuillaro"));
    });
}

// File > Importa archivio Access...: the demo delivery read as if it were an Access file.
void Regista::sceneImportazione() {
    scena(QStringLiteral("frmImportazione"), [this] {
        const QString access = dir_.filePath(QStringLiteral("consegna2.mdb"));
        QFile::copy(demo_, access);
        const QString demo = demo_;
        FonteJetSostituita fonte([demo](const QString&) -> std::unique_ptr<JetSource> {
            return std::make_unique<MemoryJetSource>(MemoryJetSource::fromArchive(demo));
        });
        dialogs_.answerNextFile(access);
        dialogs_.answerNextInput(QStringLiteral("CONSEGNA2"));
        modale<frmImportazione>(QStringLiteral("frmImportazione"), [this] { main_.azione(QStringLiteral("mnuFileImporta"))->trigger(); });
    });
}

// A new document, from the empty window to its sources proposed by its summary.
void Regista::sceneNuovoDocumento() {
    scena(QStringLiteral("frmDocumento-nuovo"), [this] {
        main_.azione(QStringLiteral("mnuDocumentiNuovo"))->trigger();
        frmDocumento* doc = documento();
        if (!doc)
            throw std::runtime_error("la finestra del documento non si è aperta");
        doc->txtTitolo->setPlainText(kTitolo);
        doc->txtPagine->setText(QStringLiteral("1-24"));
        doc->txtTitolo->setFocus();
        attendi(400); // the findings follow the typing
        salva(QStringLiteral("frmDocumento-nuovo"));
    });
    const auto doc = [this] {
        frmDocumento* d = documento();
        if (!d)
            throw std::runtime_error("la finestra del documento non è aperta");
        return d;
    };
    scena(QStringLiteral("frmCattura"), [&] {
        frmDocumento* d = doc();
        modale<frmCattura>(
            QStringLiteral("frmCattura"), [d] { d->cmdCattura_Click(); },
            [](frmCattura* c) {
                figlio<QLineEdit>(c, "txtIndirizzo")->setText(QStringLiteral("10.1000/rivista.2026.118"));
            });
    });
    scena(QStringLiteral("frmResponsabilita"), [&] {
        frmDocumento* d = doc();
        modale<frmResponsabilita>(
            QStringLiteral("frmResponsabilita"), [d] { d->Form_KeyDown(Qt::Key_F7); },
            [](frmResponsabilita* r) {
                r->txtElementoPr->setText(QStringLiteral("Bianchi"));
                r->txtElementoSec->setText(QStringLiteral("Laura"));
            },
            [](frmResponsabilita* r) { r->cmdEsci->click(); });
    });
    scena(QStringLiteral("frmClassificazione"), [&] {
        frmDocumento* d = doc();
        modale<frmClassificazione>(QStringLiteral("frmClassificazione"), [d] { d->Form_KeyDown(Qt::Key_F8); });
    });
    scena(QStringLiteral("frmAsteriscati"), [this] {
        frmAsteriscati d(state_.Connessione, &main_);
        dialogo(QStringLiteral("frmAsteriscati"), d);
    });
    scena(QStringLiteral("frmTipologiaFonte"), [&] {
        frmDocumento* d = doc();
        modale<frmTipologiaFonte>(
            QStringLiteral("frmTipologiaFonte"), [d] { d->Form_KeyDown(Qt::Key_F9); },
            [](frmTipologiaFonte* t) { t->cmbTipologiaFonte->setCurrentIndex(1); });
    });
    // F9, "Fonti di diritto interno", Procedi.
    scena(QStringLiteral("frmFontiInterne"), [&] {
        frmDocumento* d = doc();
        modale<frmFontiInterne>(
            QStringLiteral("frmFontiInterne"),
            [this, d] {
                modale<frmTipologiaFonte>(
                    {}, [d] { d->Form_KeyDown(Qt::Key_F9); }, {},
                    [](frmTipologiaFonte* t) {
                        t->cmbTipologiaFonte->setCurrentIndex(1);
                        t->cmdProcedi->click();
                    });
            },
            [](frmFontiInterne* f) {
                // The page Normativa on the acts of the State, as the guide's example.
                const int tab = 2;
                f->SSTabInterna->setCurrentIndex(tab);
                QComboBox* tipo = f->pagina(frmFontiInterne::paginaDelTab(tab))->ComboFonte;
                const int atti = tipo->findText(QStringLiteral("Atti statali"), Qt::MatchStartsWith);
                if (atti < 0)
                    throw std::runtime_error("manca il tipo \"Atti statali aventi forza di legge\"");
                tipo->setCurrentIndex(atti);
            });
    });
    scena(QStringLiteral("frmAltreFonti"), [&] {
        frmDocumento* d = doc();
        frmAltreFonti f(state_, d->buffer(), [d] { d->ricostruisciListaFonti(); }, 1, d);
        dialogo(QStringLiteral("frmAltreFonti"), f);
    });
    scena(QStringLiteral("frmTesti"), [&] {
        frmDocumento* d = doc();
        modale<frmTesti>(
            QStringLiteral("frmTesti"), [d] { d->Form_KeyDown(Qt::Key_F10); },
            [](frmTesti* t) { t->txtTesto->setPlainText(kRiassunto); }, [](frmTesti* t) { t->cmdEsci->click(); });
    });
    scena(QStringLiteral("frmFontiDalTesto"), [&] {
        frmDocumento* d = doc();
        modale<frmFontiDalTesto>(
            QStringLiteral("frmFontiDalTesto"), [d] { d->cmdFontiDalTesto_Click(); },
            [](frmFontiDalTesto* f) {
                if (!attendiChe([f] { return !f->proposte().isEmpty(); }, 5000))
                    throw std::runtime_error("nessuna fonte proposta dal riassunto");
            },
            [](frmFontiDalTesto* f) { figlio<QPushButton>(f, "cmdAggiungi")->click(); });
    });
    scena(QStringLiteral("frmAltriTesti"), [&] {
        frmDocumento* d = doc();
        modale<frmAltriTesti>(QStringLiteral("frmAltriTesti"), [d] { d->cmdTraduzione_Click(); });
    });
    scena(QStringLiteral("frmModificaFonte"), [&] {
        frmDocumento* d = doc();
        if (d->lstFonte->count() == 0)
            throw std::runtime_error("il documento non ha fonti");
        d->lstFonte->setCurrentRow(0);
        d->lstFonte->item(0)->setSelected(true);
        d->buffer().IndiceFonte = 0;
        modale<frmModificaFonte>(QStringLiteral("frmModificaFonte"), [d] { d->cmdFonteM_Click(); });
    });
    scena(QStringLiteral("frmDocumento-controlli"), [&] {
        frmDocumento* d = doc();
        attendi(400);
        d->FrameControlli->entra();
        salva(QStringLiteral("frmDocumento-controlli"), d);
    });
    scena(QStringLiteral("frmHelpTastiFunzione"), [&] {
        frmDocumento* d = doc();
        modale<frmHelpTastiFunzione>(QStringLiteral("frmHelpTastiFunzione"), [d] { d->Form_KeyDown(Qt::Key_F1); });
    });
    // The document is saved: F4.
    dialogs_.clear();
    if (frmDocumento* d = documento())
        d->Form_KeyDown(Qt::Key_F4);
    chiudiFinestre();
}

// Documenti > Edita: the list of the documents, then one of them in its window.
void Regista::sceneDocumentoEsistente() {
    qint64 scelto = 0;
    scena(QStringLiteral("frmSceltaDoc"), [&] {
        modale<frmSceltaDoc>(
            QStringLiteral("frmSceltaDoc"), [this] { main_.azione(QStringLiteral("mnuDocumentiEdita"))->trigger(); },
            [&](frmSceltaDoc* s) {
                const QModelIndex riga = s->lstDocumento->model()->index(2, 0);
                s->lstDocumento->setCurrentIndex(riga);
                attendi(30);
                scelto = s->IDDocCorrente();
            });
    });
    scena(QStringLiteral("frmDocumento"), [&] {
        main_.apriDocumentoEsistente(scelto > 0 ? scelto : 3);
        frmDocumento* d = documento();
        if (!d)
            throw std::runtime_error("la finestra del documento non si è aperta");
        attendi(400);
        salva(QStringLiteral("frmDocumento"), d);
    });
    chiudiFinestre();
}

// Utilità > Consegna > Controlli: the run, the panel after it, an error list.
void Regista::sceneControlli() {
    scena(QStringLiteral("pannello-controllata"), [this] {
        main_.azione(QStringLiteral("mnuUtilitaDocumentiControlliEsegui"))->trigger();
        if (!dialogs_.lastText().startsWith(QStringLiteral("Fine controllo")))
            throw std::runtime_error("il controllo non è finito");
        main_.aggiornaPannello();
        salva(QStringLiteral("pannello-controllata"));
    });
    scena(QStringLiteral("frmWndErrori"), [this] {
        // The window stays open beside the main window: no modal loop to wait for.
        main_.azione(QStringLiteral("mnuUtilitaDocumentiControlliVediErroriGenerici"))->trigger();
        auto* f = main_.findChild<frmWndErrori*>(QString(), Qt::FindDirectChildrenOnly);
        if (!f)
            throw std::runtime_error("la finestra degli errori non si è aperta");
        attendi(30);
        salva(QStringLiteral("frmWndErrori"), f);
        f->cmdChiudi->click();
    });
}

// Documenti > Ricerca and Possibili doppioni.
void Regista::sceneRicerca() {
    scena(QStringLiteral("frmRicerca"), [this] {
        main_.azione(QStringLiteral("mnuDocumentiRicerca"))->trigger();
        auto* r = main_.findChild<frmRicerca*>();
        if (!r)
            throw std::runtime_error("la finestra di ricerca non si è aperta");
        r->txtRicerca->setText(QStringLiteral("contratto"));
        r->cmdCerca->click();
        if (!attendiChe([r] { return r->tblRisultati->model() && r->tblRisultati->model()->rowCount() > 0; }))
            throw std::runtime_error("la ricerca non ha trovato nulla");
        attendi(50);
        salva(QStringLiteral("frmRicerca"), r);
        r->cmdChiudi->click();
    });
    scena(QStringLiteral("frmDoppioni"), [this] {
        main_.azione(QStringLiteral("mnuDocumentiDoppioni"))->trigger();
        auto* d = main_.findChild<frmDoppioni*>();
        if (!d)
            throw std::runtime_error("la finestra dei doppioni non si è aperta");
        d->cmdCerca->click();
        attendiChe([d] { return !d->lblEsito->text().isEmpty(); }, 5000);
        attendi(50);
        salva(QStringLiteral("frmDoppioni"), d);
        d->cmdChiudi->click();
    });
    chiudiFinestre();
}

// Utilità > Aggiornamento: the abbreviation file, then the choice of the batch's list.
void Regista::sceneAggiornamento() {
    const QString sigle = home_.mdbPath(QStringLiteral("sigle.dem"));
    {
        QFile f(sigle);
        if (f.open(QIODevice::WriteOnly))
            f.write("DEMO\r\nCONSEGNA2\r\n");
    }
    scena(QStringLiteral("frmFileSigle"), [&] {
        main_.azione(QStringLiteral("mnuUtilitaAggiornamentoFileSigle"))->trigger();
        auto* f = main_.findChild<frmFileSigle*>();
        if (!f)
            throw std::runtime_error("la finestra delle sigle non si è aperta");
        f->CaricaFileSigle(sigle);
        attendi(30);
        salva(QStringLiteral("frmFileSigle"), f);
        f->cmdAnnulla->click();
    });
    chiudiFinestre();
    scena(QStringLiteral("frmSceltaFileOut"), [this] {
        modale<frmSceltaFileOut>(
            QStringLiteral("frmSceltaFileOut"), [this] { main_.azione(QStringLiteral("mnuUtilitaAggiornamentoControlliEsegui"))->trigger(); },
            [](frmSceltaFileOut* s) {
                if (s->fileListOut->count() > 0)
                    s->fileListOut->setCurrentRow(0);
            });
    });
    scena(QStringLiteral("frmAbout"), [this] {
        frmAbout d(state_.ui(), &main_);
        dialogo(QStringLiteral("frmAbout"), d);
    });
}

QList<ImmagineGuida> Regista::gira() {
    scenePannello();
    sceneImportazione();
    sceneNuovoDocumento();
    sceneDocumentoEsistente();
    sceneControlli();
    sceneRicerca();
    sceneAggiornamento();
    return fatte_;
}

} // namespace

QList<ImmagineGuida> FaiImmaginiGuida(const QString& cartella) {
    Regista regista(cartella);
    return regista.gira();
}
