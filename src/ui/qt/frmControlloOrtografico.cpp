#include "ui/qt/frmControlloOrtografico.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Placeholder rows of the list: shown, not chosen.
constexpr int placeholderRole = Qt::UserRole + 1;
constexpr int replacementRole = Qt::UserRole + 2;

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmControlloOrtografico::frmControlloOrtografico(TextCheckKind kind, SpellLanguage language, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmControlloOrtografico"));
    setWindowTitle(kind == TextCheckKind::Spelling ? QStringLiteral("Controllo ortografico")
                                                   : QStringLiteral("Controllo grammaticale"));
    setMinimumSize(560, 360);

    lblMotivo = new QLabel(this);
    lblMotivo->setObjectName(QStringLiteral("lblMotivo"));
    lblMotivo->setWordWrap(true);
    QFont bold = lblMotivo->font();
    bold.setBold(true);
    lblMotivo->setFont(bold);

    txtFrase = new QTextEdit(this);
    txtFrase->setObjectName(QStringLiteral("txtFrase"));
    txtFrase->setReadOnly(true);
    txtFrase->setTabChangesFocus(true);
    txtFrase->setFocusPolicy(Qt::ClickFocus);
    txtFrase->setFixedHeight(txtFrase->fontMetrics().lineSpacing() * 5 + 12);

    lstSuggerimenti = new QListWidget(this);
    lstSuggerimenti->setObjectName(QStringLiteral("lstSuggerimenti"));
    auto* lblSuggerimenti = new QLabel(QStringLiteral("Su&ggerimenti:"), this);
    lblSuggerimenti->setBuddy(lstSuggerimenti);

    txtSostituisci = new QLineEdit(this);
    txtSostituisci->setObjectName(QStringLiteral("txtSostituisci"));
    auto* lblSostituisci = new QLabel(QStringLiteral("Sostituisci c&on:"), this);
    lblSostituisci->setBuddy(txtSostituisci);

    cmdSostituisci = button(QStringLiteral("&Sostituisci"), "cmdSostituisci", this);
    cmdSostituisciTutto = button(QStringLiteral("Sostituisci &tutto"), "cmdSostituisciTutto", this);
    cmdIgnora = button(QStringLiteral("&Ignora"), "cmdIgnora", this);
    cmdIgnoraTutto = button(QStringLiteral("Ignora t&utto"), "cmdIgnoraTutto", this);
    cmdAggiungi = button(QStringLiteral("&Aggiungi"), "cmdAggiungi", this);
    cmdAnnulla = button(QStringLiteral("A&nnulla"), "cmdAnnulla", this);
    cmdSostituisci->setToolTip(QStringLiteral("Sostituisce questa occorrenza"));
    cmdSostituisciTutto->setToolTip(QStringLiteral("Sostituisce tutte le occorrenze nel testo"));
    cmdIgnora->setToolTip(QStringLiteral("Lascia questa occorrenza com'è"));
    cmdIgnoraTutto->setToolTip(
        QStringLiteral("Lascia tutte le occorrenze com'è fino alla fine del controllo"));
    cmdAggiungi->setToolTip(QStringLiteral("Aggiunge la parola al dizionario personale"));
    cmdAnnulla->setToolTip(QStringLiteral("Termina il controllo mantenendo le correzioni fatte"));

    lblLingua = new QLabel(QStringLiteral("Lingua del dizionario: %1").arg(languageName(language)), this);
    lblLingua->setObjectName(QStringLiteral("lblLingua"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdSostituisci, cmdSostituisciTutto, cmdIgnora, cmdIgnoraTutto, cmdAggiungi})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdAnnulla);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblMotivo, 0, 0, 1, 2);
    grid->addWidget(txtFrase, 1, 0, 1, 2);
    grid->addWidget(lblSuggerimenti, 2, 0);
    grid->addWidget(lstSuggerimenti, 3, 0);
    grid->addLayout(buttons, 2, 1, 4, 1);
    auto* replace = new QHBoxLayout;
    replace->addWidget(lblSostituisci);
    replace->addWidget(txtSostituisci, 1);
    grid->addLayout(replace, 4, 0);
    grid->addWidget(lblLingua, 5, 0);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    setTabOrder(lstSuggerimenti, txtSostituisci);
    setTabOrder(txtSostituisci, cmdSostituisci);
    setTabOrder(cmdSostituisci, cmdSostituisciTutto);
    setTabOrder(cmdSostituisciTutto, cmdIgnora);
    setTabOrder(cmdIgnora, cmdIgnoraTutto);
    setTabOrder(cmdIgnoraTutto, cmdAggiungi);
    setTabOrder(cmdAggiungi, cmdAnnulla);

    connect(cmdSostituisci, &QPushButton::clicked, this, [this] { scegli(CheckAction::Replace); });
    connect(cmdSostituisciTutto, &QPushButton::clicked, this, [this] { scegli(CheckAction::ReplaceAll); });
    connect(cmdIgnora, &QPushButton::clicked, this, [this] { scegli(CheckAction::Ignore); });
    connect(cmdIgnoraTutto, &QPushButton::clicked, this, [this] { scegli(CheckAction::IgnoreAll); });
    connect(cmdAggiungi, &QPushButton::clicked, this, [this] { scegli(CheckAction::Add); });
    connect(cmdAnnulla, &QPushButton::clicked, this, [this] { scegli(CheckAction::Cancel); });
    connect(lstSuggerimenti, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && !item->data(placeholderRole).toBool())
            txtSostituisci->setText(item->data(replacementRole).toString());
    });
    connect(lstSuggerimenti, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item && !item->data(placeholderRole).toBool())
            scegli(CheckAction::Replace);
    });
    // A correction typed by the operator is meant to be applied.
    connect(txtSostituisci, &QLineEdit::textEdited, this, [this] { impostaPredefinito(cmdSostituisci); });
}

void frmControlloOrtografico::impostaPredefinito(QPushButton* b) {
    for (QPushButton* other :
         {cmdSostituisci, cmdSostituisciTutto, cmdIgnora, cmdIgnoraTutto, cmdAggiungi, cmdAnnulla})
        other->setDefault(other == b);
}

void frmControlloOrtografico::mostra(const QString& text, const TextFinding& finding,
                                     std::function<QStringList()> corrections) {
    finding_ = finding;
    corrections_ = std::move(corrections);
    ++mostrati_;
    lblMotivo->setText(finding.spelling
                           ? QStringLiteral("Non presente nel dizionario: \u00AB%1\u00BB").arg(finding.text)
                           : finding.explanation);
    mostraFrase(text, finding);
    cmdAggiungi->setEnabled(finding.spelling);
    txtSostituisci->setText(finding.spelling ? finding.text : finding.correction);
    lstSuggerimenti->clear();
    if (finding.spelling) {
        // The dictionary takes a moment to suggest: the finding is drawn first.
        auto* waiting = new QListWidgetItem(QStringLiteral("(ricerca dei suggerimenti...)"), lstSuggerimenti);
        waiting->setData(placeholderRole, true);
        waiting->setFlags(Qt::NoItemFlags);
        riempiendo_ = true;
        impostaPredefinito(cmdIgnora);
        const int shown = mostrati_;
        QTimer::singleShot(0, this, [this, shown] {
            if (shown == mostrati_ && riempiendo_)
                riempiSuggerimenti();
        });
    } else {
        riempiSuggerimenti();
    }
    if (lstSuggerimenti->currentItem())
        lstSuggerimenti->setFocus();
    else
        cmdIgnora->setFocus();
}

void frmControlloOrtografico::riempiSuggerimenti() {
    riempiendo_ = false;
    const QStringList proposed = corrections_ ? corrections_() : QStringList();
    // The focus follows the list unless the operator has moved it meanwhile.
    const QWidget* focus = focusWidget();
    const bool hadFocus = !focus || focus == lstSuggerimenti || focus == cmdIgnora;
    lstSuggerimenti->clear();
    for (const QString& s : proposed) {
        auto* item = new QListWidgetItem(s.isEmpty() ? QStringLiteral("(elimina)") : s, lstSuggerimenti);
        item->setData(replacementRole, s);
    }
    if (proposed.isEmpty()) {
        auto* none = new QListWidgetItem(QStringLiteral("(nessun suggerimento)"), lstSuggerimenti);
        none->setData(placeholderRole, true);
        none->setFlags(Qt::NoItemFlags);
        impostaPredefinito(cmdIgnora);
        if (hadFocus)
            cmdIgnora->setFocus();
        return;
    }
    lstSuggerimenti->setCurrentRow(0);
    // A guess (a stray bracket deleted) is not applied with a mere Enter.
    impostaPredefinito(finding_.spelling || finding_.certain ? cmdSostituisci : cmdIgnora);
    if (hadFocus)
        lstSuggerimenti->setFocus();
}

void frmControlloOrtografico::mostraFrase(const QString& text, const TextFinding& finding) {
    const TextSpan span = sentenceAround(text, finding.start, finding.end());
    const QString before = span.cutBefore ? QStringLiteral("\u2026 ") : QString();
    const QString after = span.cutAfter ? QStringLiteral(" \u2026") : QString();
    txtFrase->setCurrentCharFormat(QTextCharFormat()); // not the highlight of the last finding
    txtFrase->setPlainText(before + text.mid(span.start, span.end - span.start) + after);
    QTextCursor cursor(txtFrase->document());
    const int at = int(before.size()) + finding.start - span.start;
    cursor.setPosition(at);
    cursor.setPosition(at + finding.length, QTextCursor::KeepAnchor);
    QTextCharFormat mark;
    mark.setBackground(QColor(0xFF, 0xE0, 0x82));
    mark.setForeground(QColor(0xB0, 0x00, 0x00));
    mark.setFontWeight(QFont::Bold);
    if (finding.spelling) {
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(Qt::red);
    }
    cursor.mergeCharFormat(mark);
    cursor.setPosition(at);
    txtFrase->setTextCursor(cursor);
    txtFrase->ensureCursorVisible();
}

void frmControlloOrtografico::scegli(CheckAction action) {
    if (riempiendo_ && (action == CheckAction::Replace || action == CheckAction::ReplaceAll))
        riempiSuggerimenti(); // Enter pressed before the suggestions came
    scelta_ = {action, txtSostituisci->text()};
    // The corrections belong to the finding just decided: not to be asked for again.
    riempiendo_ = false;
    corrections_ = nullptr;
    Q_EMIT scelto();
}

void frmControlloOrtografico::reject() {
    scegli(CheckAction::Cancel);
}
