#include "import/frmImportazione.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

frmImportazione::frmImportazione(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmImportazione"));
    setWindowTitle(QStringLiteral("Riepilogo importazione"));
    setModal(true);

    lblIntestazione = new QLabel(this);
    lblIntestazione->setObjectName(QStringLiteral("lblIntestazione"));
    lblIntestazione->setWordWrap(true);
    lblIntestazione->setTextInteractionFlags(Qt::TextSelectableByMouse);

    grdRighe = new QTableWidget(this);
    grdRighe->setObjectName(QStringLiteral("grdRighe"));
    grdRighe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRighe->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRighe->verticalHeader()->hide();
    grdRighe->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grdRighe->setAlternatingRowColors(true);

    lblAnomalie = new QLabel(this);
    lblAnomalie->setObjectName(QStringLiteral("lblAnomalie"));

    txtAnomalie = new QPlainTextEdit(this);
    txtAnomalie->setObjectName(QStringLiteral("txtAnomalie"));
    txtAnomalie->setReadOnly(true);
    txtAnomalie->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setWordWrap(true);
    lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setDefault(true);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblFile, 1);
    buttons->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblIntestazione);
    layout->addWidget(grdRighe, 3);
    layout->addWidget(lblAnomalie);
    layout->addWidget(txtAnomalie, 2);
    layout->addLayout(buttons);

    // Room for a long list, but never beyond the screen.
    QSize size(860, 620);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(40, 80));
    resize(size);
}

void frmImportazione::riempiTabella(const QStringList& headers, const QList<QStringList>& rows) {
    grdRighe->setColumnCount(static_cast<int>(headers.size()));
    grdRighe->setHorizontalHeaderLabels(headers);
    grdRighe->setRowCount(static_cast<int>(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            bool number = false;
            rows[r][c].toLongLong(&number);
            if (number)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdRighe->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    grdRighe->resizeColumnsToContents();
    grdRighe->horizontalHeader()->setStretchLastSection(true);
}

frmImportazione::frmImportazione(const EsitoImportazione& esito, QWidget* parent) : frmImportazione(parent) {
    QStringList head = esito.riepilogo().mid(0, 1);
    head << QStringLiteral("File creato: %1").arg(QDir::toNativeSeparators(esito.destinazione));
    if (!esito.copiaPrecedente.isEmpty())
        head << QStringLiteral("Il file precedente è conservato come %1")
                    .arg(QDir::toNativeSeparators(esito.copiaPrecedente));
    if (esito.tipo == TipoImportazione::Archivio)
        head << QStringLiteral(
                    "Collegamenti a righe inesistenti (mantenuti): %1. Controllo di integrità: ok.")
                    .arg(esito.collegamentiMancanti);
    lblIntestazione->setText(head.join(u'\n'));

    QList<QStringList> rows;
    const QString origin = esito.tipo == TipoImportazione::Catalogo
                               ? QStringLiteral("dal catalogo di Quillaro")
                               : QStringLiteral("dal modello");
    for (const auto& [table, count] : esito.righe)
        rows << QStringList{
            table, QString::number(count),
            esito.dalModello.contains(table, Qt::CaseInsensitive) ? origin : QStringLiteral("dal file")};
    riempiTabella({QStringLiteral("Tabella"), QStringLiteral("Righe"), QStringLiteral("Provenienza")}, rows);

    lblAnomalie->setText(esito.anomalie.isEmpty()
                             ? QStringLiteral("Nessuna anomalia.")
                             : QStringLiteral("Anomalie (%1):").arg(esito.anomalie.size()));
    QStringList lines;
    for (const QString& a : esito.anomalie)
        lines << QStringLiteral("- ") + a;
    txtAnomalie->setPlainText(lines.join(u'\n'));
    txtAnomalie->setVisible(!esito.anomalie.isEmpty());
    if (!esito.fileRiepilogo.isEmpty())
        lblFile->setText(
            QStringLiteral("Riepilogo scritto in %1").arg(QDir::toNativeSeparators(esito.fileRiepilogo)));
    else
        lblFile->setText(QStringLiteral("Riepilogo non scritto: %1").arg(esito.riepilogoNonScritto));
}

frmImportazione::frmImportazione(const EsitoCartella& esito, QWidget* parent) : frmImportazione(parent) {
    QStringList head = esito.riepilogo().mid(0, 1);
    head << esito.totali().filter(QRegularExpression(QStringLiteral("\\S")));
    lblIntestazione->setText(head.join(u'\n'));

    QList<QStringList> rows;
    QStringList lines;
    for (const VoceCartella& v : esito.voci) {
        QString outcome;
        QString documents;
        QString anomalies;
        switch (v.esito) {
        case VoceCartella::Esito::Importato: {
            outcome = QStringLiteral("importato");
            for (const auto& [table, count] : v.dettaglio.righe)
                if (table.compare(u"tabDocumento", Qt::CaseInsensitive) == 0)
                    documents = QString::number(count);
            anomalies = QString::number(v.dettaglio.anomalie.size());
            for (const QString& a : v.dettaglio.anomalie)
                lines << QStringLiteral("%1: %2").arg(v.nome, a);
            break;
        }
        case VoceCartella::Esito::NonArchivio:
            outcome = QStringLiteral("saltato: non è un archivio di consegna");
            break;
        case VoceCartella::Esito::Esistente:
            outcome = QStringLiteral("saltato: l'archivio esiste già");
            break;
        case VoceCartella::Esito::Errore:
            outcome = QStringLiteral("NON importato: ") + v.motivo;
            break;
        }
        if (v.esito == VoceCartella::Esito::NonArchivio)
            lines << QStringLiteral("%1: %2").arg(QFileInfo(v.file).fileName(), v.motivo);
        rows << QStringList{QFileInfo(v.file).fileName(), v.nome, documents, anomalies, outcome};
    }
    riempiTabella({QStringLiteral("File"), QStringLiteral("Archivio"), QStringLiteral("Documenti"),
                   QStringLiteral("Anomalie"), QStringLiteral("Esito")},
                  rows);
    lblAnomalie->setText(lines.isEmpty() ? QStringLiteral("Nessuna anomalia.")
                                         : QStringLiteral("Anomalie e file saltati (%1):").arg(lines.size()));
    QStringList bullets;
    for (const QString& l : lines)
        bullets << QStringLiteral("- ") + l;
    txtAnomalie->setPlainText(bullets.join(u'\n'));
    txtAnomalie->setVisible(!lines.isEmpty());
    lblFile->setText(esito.dove());
}
