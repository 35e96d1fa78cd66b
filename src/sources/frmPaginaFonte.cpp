#include "sources/frmPaginaFonte.h"

#include "sources/ElenchiFonti.h"
#include "store/Dialogs.h"
#include "store/MessaggiErrore.h"
#include "store/cConnessione.h"
#include "store/mdlGlobale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename W, typename... Args> W* crea(QWidget* parent, const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit* campo(QWidget* parent, const char* name, int width = 0) {
    auto* e = crea<QLineEdit>(parent, name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QComboBox* combo(QWidget* parent, const char* name, const QString& header, const QStringList& items) {
    auto* c = crea<QComboBox>(parent, name);
    c->addItem(header);
    c->addItems(items);
    c->setCurrentIndex(0);
    return c;
}

QListWidget* lista(QWidget* parent, const char* name) {
    auto* l = crea<QListWidget>(parent, name);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setMinimumHeight(90);
    return l;
}

} // namespace

PaginaFonteWidget::PaginaFonteWidget(int numero, const QString& pictureFolder, QWidget* parent)
    : QWidget(parent), numero_(numero) {
    setObjectName(QStringLiteral("pagina%1").arg(numero));

    ComboFonte = crea<QComboBox>(this, "ComboFonte");
    ComboFonte->setMinimumWidth(380);
    cmdAid = crea<QPushButton>(this, "cmdAid");
    cmdAid->setIcon(QIcon(QDir(pictureFolder).filePath(QStringLiteral("firstaid.bmp"))));
    cmdAid->setIconSize(QSize(24, 24));
    cmdAid->setToolTip(QStringLiteral("Formalismo"));

    FrameFonte = crea<QGroupBox>(this, "FrameFonte", QStringLiteral("Atto"));
    lstFonte = lista(FrameFonte, "lstFonte");
    lstFonte->setMinimumWidth(200);
    (new QVBoxLayout(FrameFonte))->addWidget(lstFonte);

    FrameRipartizioni = crea<QGroupBox>(this, "FrameRipartizioni", QStringLiteral("Ripartizioni"));
    LabelArt = crea<QLabel>(FrameRipartizioni, "LabelArt");
    txtArt = campo(FrameRipartizioni, "txtArt", 70);
    LabelRipA = crea<QLabel>(FrameRipartizioni, "LabelRipA", QStringLiteral("Ri&partizione articolo"));
    ComboRipA = combo(FrameRipartizioni, "ComboRipA", QStringLiteral("Ripartizione"), SuffissiArticolo());
    LabelComma = crea<QLabel>(FrameRipartizioni, "LabelComma");
    txtComma = campo(FrameRipartizioni, "txtComma", 70);
    LabelRipC = crea<QLabel>(FrameRipartizioni, "LabelRipC", QStringLiteral("Riparti&zione Comma"));
    ComboRipC = combo(FrameRipartizioni, "ComboRipC", QStringLiteral("Ripartizione"), SuffissiComma());
    LabelLett = crea<QLabel>(FrameRipartizioni, "LabelLett", QStringLiteral("&Lettera"));
    txtLett = campo(FrameRipartizioni, "txtLett", 70);
    LabelNumP = crea<QLabel>(FrameRipartizioni, "LabelNumP", QStringLiteral("Numero"));
    txtNumP = campo(FrameRipartizioni, "txtNumP", 70);
    LabelAll = crea<QLabel>(FrameRipartizioni, "LabelAll", QStringLiteral("Allegato"));
    txtAll = campo(FrameRipartizioni, "txtAll", 70);
    etichetteRipartizioni(false);
    auto* rip = new QGridLayout(FrameRipartizioni);
    rip->addWidget(LabelArt, 0, 0);
    rip->addWidget(txtArt, 0, 1);
    rip->addWidget(LabelRipA, 0, 2);
    rip->addWidget(ComboRipA, 0, 3);
    rip->addWidget(LabelComma, 1, 0);
    rip->addWidget(txtComma, 1, 1);
    rip->addWidget(LabelRipC, 1, 2);
    rip->addWidget(ComboRipC, 1, 3);
    rip->addWidget(LabelLett, 2, 0);
    rip->addWidget(txtLett, 2, 1);
    rip->addWidget(LabelNumP, 2, 2);
    rip->addWidget(txtNumP, 2, 3, Qt::AlignLeft);
    rip->addWidget(LabelAll, 3, 0);
    rip->addWidget(txtAll, 3, 1);
    rip->setColumnStretch(4, 1);

    FrameEstremi = crea<QGroupBox>(this, "FrameEstremi", QStringLiteral("Estremi atto"));
    txtGG = campo(FrameEstremi, "txtGG", 50);
    ComboMese = combo(FrameEstremi, "ComboMese", QStringLiteral("Mese"), NomiMesi());
    txtAA = campo(FrameEstremi, "txtAA", 70);
    txtN = campo(FrameEstremi, "txtN", 110);
    auto* est = new QGridLayout(FrameEstremi);
    const std::pair<const char*, QWidget*> estremi[] = {
        {"&Giorno", txtGG}, {"&Mese", ComboMese}, {"Ann&o", txtAA}, {"N&umero", txtN}};
    int col = 0;
    for (const auto& [label, w] : estremi) {
        auto* etichetta = new QLabel(QString::fromLatin1(label), FrameEstremi);
        etichetta->setBuddy(w);
        est->addWidget(etichetta, 0, col);
        est->addWidget(w, 1, col++);
    }
    est->setColumnStretch(col, 1);

    FrameRegione = crea<QGroupBox>(this, "FrameRegione", QStringLiteral("Regione"));
    ComboRegione = combo(FrameRegione, "ComboRegione", QStringLiteral("Regione"), RegioniItaliane());
    (new QVBoxLayout(FrameRegione))->addWidget(ComboRegione);

    LabelInfo1 = crea<QLabel>(this, "LabelInfo1", QStringLiteral("Città"));
    txtInfo1 = campo(this, "txtInfo1");
    lstElenco1 = lista(this, "lstElenco1");
    LabelInfo2 = crea<QLabel>(this, "LabelInfo2", QStringLiteral("Sezione"));
    txtInfo2 = campo(this, "txtInfo2");
    lstElenco2 = lista(this, "lstElenco2");
    LabelInfo3 = crea<QLabel>(this, "LabelInfo3", QStringLiteral("Altro"));
    txtInfo3 = campo(this, "txtInfo3");

    FrameAltro = crea<QGroupBox>(this, "FrameAltro", QStringLiteral("Tipo di provvedimento"));
    chkDecr = crea<QCheckBox>(FrameAltro, "chkDecr", QStringLiteral("Decreto"));
    chkOrd = crea<QCheckBox>(FrameAltro, "chkOrd", QStringLiteral("Ordinanza"));
    auto* altro = new QVBoxLayout(FrameAltro);
    altro->addWidget(chkDecr);
    altro->addWidget(chkOrd);

    LabelLibero = crea<QLabel>(this, "LabelLibero", QStringLiteral("Testo libero"));
    txtLibero = campo(this, "txtLibero");
    LabelStato = crea<QLabel>(this, "LabelStato", QStringLiteral("Stato"));
    txtStato = campo(this, "txtStato");
    cmdListaStati = crea<QPushButton>(this, "cmdListaStati", QStringLiteral("lis&ta Stati"));

    cmdSalva = crea<QPushButton>(this, "cmdSalva", QStringLiteral("&Salva"));
    cmdSalva->setToolTip(QStringLiteral("Salva la fonte e resta nella pagina"));
    cmdClear = crea<QPushButton>(this, "cmdClear", QStringLiteral("Salva e &clear"));
    cmdEsciSalva = crea<QPushButton>(this, "cmdEsciSalva", QStringLiteral("&Esci e salva"));
    cmdAbbandona = crea<QPushButton>(this, "cmdAbbandona", QStringLiteral("&Abbandona"));

    // Layout: kind on top, act list beside the article and date frames, the pick lists below,
    // then free text and state, the buttons at the bottom.
    auto* top = new QHBoxLayout;
    top->addWidget(ComboFonte, 1);
    top->addWidget(cmdAid);

    // The date and number above the article: the order in which an act is cited and typed.
    auto* right = new QVBoxLayout;
    right->addWidget(FrameEstremi);
    right->addWidget(FrameRipartizioni);
    auto* regioneAltro = new QHBoxLayout;
    regioneAltro->addWidget(FrameRegione);
    regioneAltro->addWidget(FrameAltro);
    regioneAltro->addStretch();
    right->addLayout(regioneAltro);
    right->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(FrameFonte);
    middle->addLayout(right, 1);

    // A column whose controls are hidden takes no room.
    const auto colonna = [](QLabel* l, QLineEdit* e, QListWidget* list) {
        auto* v = new QVBoxLayout;
        v->setAlignment(Qt::AlignTop);
        v->addWidget(l);
        v->addWidget(e);
        e->setMinimumWidth(220);
        if (list)
            v->addWidget(list);
        return v;
    };
    auto* infos = new QHBoxLayout;
    infos->addLayout(colonna(LabelInfo1, txtInfo1, lstElenco1));
    infos->addLayout(colonna(LabelInfo2, txtInfo2, lstElenco2));
    infos->addLayout(colonna(LabelInfo3, txtInfo3, nullptr));
    infos->addStretch(1);

    auto* libero = new QGridLayout;
    libero->addWidget(LabelLibero, 0, 0);
    libero->addWidget(txtLibero, 0, 1, 1, 2);
    libero->addWidget(LabelStato, 1, 0);
    libero->addWidget(txtStato, 1, 1);
    libero->addWidget(cmdListaStati, 1, 2);
    libero->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdSalva, cmdClear, cmdEsciSalva, cmdAbbandona}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    // No button of a page is the dialog's default: Enter typed in a field must neither add a
    // source nor pop up the rules of form or the list of states.
    cmdAid->setAutoDefault(false);
    cmdListaStati->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(infos);
    layout->addLayout(libero);
    layout->addStretch();
    layout->addLayout(buttons);

    // Pick lists: a double click, Enter or Space takes the line; typing selects the first line that
    // begins so (what is typed and not taken becomes a new entry of the lookup table).
    const auto prendi = [](QListWidget* lista, QLineEdit* campo) {
        const auto copia = [lista, campo] {
            if (const QListWidgetItem* item = lista->currentItem())
                campo->setText(item->text());
        };
        connect(lista, &QListWidget::itemDoubleClicked, campo, copia);
        sceltaDaTastiera(lista, copia, true);
    };
    prendi(lstElenco1, txtInfo1);
    prendi(lstElenco2, txtInfo2);
    connect(txtInfo1, &QLineEdit::textChanged, this,
            [this](const QString& t) { cercaPrefisso(lstElenco1, t); });
    connect(txtInfo2, &QLineEdit::textChanged, this,
            [this](const QString& t) { cercaPrefisso(lstElenco2, t); });

    for (QLineEdit* e : {txtArt, txtComma, txtGG, txtAA, txtN, txtAll})
        e->installEventFilter(this);
    for (const auto& [etichetta, campo] : {std::pair<QLabel*, QWidget*>{LabelArt, txtArt},
                                           {LabelRipA, ComboRipA},
                                           {LabelComma, txtComma},
                                           {LabelRipC, ComboRipC},
                                           {LabelLett, txtLett},
                                           {LabelNumP, txtNumP},
                                           {LabelAll, txtAll},
                                           {LabelInfo1, txtInfo1},
                                           {LabelInfo2, txtInfo2},
                                           {LabelInfo3, txtInfo3},
                                           {LabelLibero, txtLibero},
                                           {LabelStato, txtStato}})
        etichetta->setBuddy(campo);

    // Tab goes as an operator fills a page: the act, its date and number, then the article; the
    // rest as it stands on the page, the rules of form and the commands last.
    QWidget* const ordine[] = {ComboFonte, lstFonte,     txtGG,    ComboMese,    txtAA,       txtN,
                               txtArt,     ComboRipA,    txtComma, ComboRipC,    txtLett,     txtNumP,
                               txtAll,     ComboRegione, txtInfo1, lstElenco1,   txtInfo2,    lstElenco2,
                               txtInfo3,   chkDecr,      chkOrd,   txtLibero,    txtStato,    cmdListaStati,
                               cmdAid,     cmdSalva,     cmdClear, cmdEsciSalva, cmdAbbandona};
    for (std::size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
}

void PaginaFonteWidget::etichetteRipartizioni(bool canone) {
    // Each label's letter is one no other control of the two dialogs takes.
    LabelArt->setText(canone ? QStringLiteral("Canone") : QStringLiteral("Art&icolo"));
    LabelComma->setText(canone ? QStringLiteral("Paragra&fo") : QStringLiteral("Comma"));
}

bool PaginaFonteWidget::eventFilter(QObject* watched, QEvent* event) {
    // Entering a number box selects what is there, to be typed over.
    if (event->type() == QEvent::FocusIn) {
        if (auto* e = qobject_cast<QLineEdit*>(watched); e && !e->text().isEmpty())
            QTimer::singleShot(0, e, [e] { e->selectAll(); });
    }
    return QWidget::eventFilter(watched, event);
}

void PaginaFonteWidget::riempi(QListWidget* list, const QStringList& lines) {
    list->clear();
    list->addItems(lines);
    list->setCurrentRow(-1);
}

bool PaginaFonteWidget::seleziona(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            list->setCurrentRow(i);
            return true;
        }
    }
    list->setCurrentRow(-1);
    return false;
}

QString PaginaFonteWidget::selezionata(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void PaginaFonteWidget::scegli(QComboBox* c, const QString& text) {
    const int i = text.isEmpty() ? -1 : c->findText(text, Qt::MatchExactly);
    c->setCurrentIndex(i < 1 ? 0 : i);
}

void PaginaFonteWidget::cercaPrefisso(QListWidget* list, const QString& text) {
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    const int row = TrovaPrefisso(lines, text);
    list->setCurrentRow(row);
    if (row < 0)
        list->clearSelection();
    else
        list->scrollToItem(list->item(row));
}

PaginaFonte PaginaFonteWidget::leggi() const {
    PaginaFonte p;
    p.tipo = std::max(0, ComboFonte->currentIndex());
    p.voceTipo = ComboFonte->currentText();
    p.atto = selezionata(lstFonte);
    const auto scelto = [](const QComboBox* c) {
        return c->currentIndex() >= 1 ? c->currentText() : QString();
    };
    p.txtArt = txtArt->text();
    p.ripa = scelto(ComboRipA);
    p.txtComma = txtComma->text();
    p.ripc = scelto(ComboRipC);
    p.txtLett = txtLett->text();
    p.txtNumP = txtNumP->text();
    p.txtAll = txtAll->text();
    p.txtGG = txtGG->text();
    p.mese = scelto(ComboMese);
    p.txtAA = txtAA->text();
    p.txtN = txtN->text();
    p.regione = scelto(ComboRegione);
    p.txtInfo1 = txtInfo1->text();
    p.txtInfo2 = txtInfo2->text();
    p.txtInfo3 = txtInfo3->text();
    p.chkDecr = chkDecr->isChecked();
    p.chkOrd = chkOrd->isChecked();
    p.txtLibero = txtLibero->text();
    p.txtStato = txtStato->text();
    return p;
}

void PaginaFonteWidget::nascondiFacoltativi() {
    FrameFonte->hide();
    FrameRipartizioni->hide();
    FrameEstremi->hide();
    FrameRegione->hide();
    FrameAltro->hide();
    mostraInfo1(false);
    mostraInfo2(false);
    mostraInfo3(false);
    mostraLibero(false);
    mostraStato(false);
}

void PaginaFonteWidget::mostraInfo1(bool v) {
    LabelInfo1->setVisible(v);
    txtInfo1->setVisible(v);
    lstElenco1->setVisible(v);
}

void PaginaFonteWidget::mostraInfo2(bool v) {
    LabelInfo2->setVisible(v);
    txtInfo2->setVisible(v);
    lstElenco2->setVisible(v);
}

void PaginaFonteWidget::mostraInfo3(bool v) {
    LabelInfo3->setVisible(v);
    txtInfo3->setVisible(v);
}

void PaginaFonteWidget::mostraStato(bool v) {
    LabelStato->setVisible(v);
    txtStato->setVisible(v);
    cmdListaStati->setVisible(v);
}

void PaginaFonteWidget::mostraLibero(bool v) {
    LabelLibero->setVisible(v);
    txtLibero->setVisible(v);
}

namespace {

class SceltaDaTastiera : public QObject {
public:
    SceltaDaTastiera(QListWidget* list, std::function<void()> azione, bool spazio)
        : QObject(list), azione_(std::move(azione)), spazio_(spazio) {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* tasto = static_cast<QKeyEvent*>(event);
        if ((tasto->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        const int k = tasto->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || (spazio_ && k == Qt::Key_Space)) {
            azione_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> azione_;
    bool spazio_;
};

} // namespace

void sceltaDaTastiera(QListWidget* list, std::function<void()> azione, bool spazio) {
    list->installEventFilter(new SceltaDaTastiera(list, std::move(azione), spazio));
}

void tastiPagine(QWidget* dialog, QTabWidget* tabs) {
    const auto vai = [tabs](int passo) {
        const int n = tabs->count();
        if (n == 0)
            return;
        tabs->setCurrentIndex((tabs->currentIndex() + passo + n) % n);
        if (auto* p = qobject_cast<PaginaFonteWidget*>(tabs->currentWidget()))
            p->ComboFonte->setFocus(Qt::TabFocusReason);
    };
    for (const auto& [tasto, passo] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1}}) {
        auto* scorciatoia = new QShortcut(tasto, dialog);
        scorciatoia->setContext(Qt::WindowShortcut);
        QObject::connect(scorciatoia, &QShortcut::activated, tabs, [vai, p = passo] { vai(p); });
    }
}

void tabSempreVisibili(QTabWidget* tabs) {
    tabs->tabBar()->setUsesScrollButtons(false);
    tabs->tabBar()->setElideMode(Qt::ElideNone);
    tabs->setMinimumWidth(tabs->tabBar()->sizeHint().width() + 4);
}

void adattaAlloSchermo(QWidget* dialog) {
    QSize size = dialog->size().expandedTo(dialog->sizeHint());
    const QScreen* schermo = dialog->screen();
    if (!schermo) {
        dialog->resize(size);
        return;
    }
    const QRect area = schermo->availableGeometry();
    // The window manager's frame around the dialog counts too.
    const QSize cornice = dialog->frameGeometry().size() - dialog->geometry().size();
    size = size.boundedTo(area.size() - cornice);
    dialog->resize(size);
    QRect r = dialog->frameGeometry();
    r.moveRight(std::min(r.right(), area.right()));
    r.moveBottom(std::min(r.bottom(), area.bottom()));
    r.moveLeft(std::max(r.left(), area.left()));
    r.moveTop(std::max(r.top(), area.top()));
    dialog->move(r.topLeft());
}

void eseguiSicuro(Dialogs& dialogs, const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        dialogs.message(
            MessaggioErroreDb(QStringLiteral("L'operazione non è stata eseguita: la finestra resta "
                                             "aperta e si può riprovare."),
                              e),
            applicationTitle(), Buttons::Ok, Icon::Critical);
    } catch (const std::exception& e) {
        dialogs.message(QStringLiteral("L'operazione non è stata eseguita: la finestra resta aperta.\n"
                                       "Dettaglio tecnico: %1")
                            .arg(QString::fromLocal8Bit(e.what())),
                        applicationTitle(), Buttons::Ok, Icon::Critical);
    }
}
