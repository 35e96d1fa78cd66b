#include "app/gui/frmAbout.h"

#include "store/DataFolder.h"
#include "store/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <sqlite3.h>

frmAbout::frmAbout(Dialogs& dialogs, const QString& cartellaUtente, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), cartellaUtente_(cartellaUtente) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni su Quillaro"));
    auto* title = new QLabel(QStringLiteral("<h2>Quillaro</h2>"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblVersion"));
    text->setText(QStringLiteral("Catalogazione degli articoli delle riviste giuridiche online<br>"
                                 "Versione %1<br><br>Qt %2 &middot; SQLite %3")
                      .arg(QStringLiteral(QUILLARO_VERSION), QString::fromLatin1(qVersion()),
                           QString::fromLatin1(sqlite3_libversion())));
    // The licence and the folders, which a request of help asks first.
    auto* dettagli = new QLabel(this);
    dettagli->setObjectName(QStringLiteral("lblDettagli"));
    dettagli->setTextFormat(Qt::PlainText);
    dettagli->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QString righe = QStringLiteral("Licenza: uso riservato al centro di spoglio cui il programma è consegnato "
                                   "(/usr/share/doc/quillaro/copyright).\n");
    if (!cartellaUtente_.isEmpty())
        righe += QStringLiteral("Cartella di lavoro: %1\n").arg(QDir::toNativeSeparators(cartellaUtente_));
    righe += QStringLiteral("Dati installati: %1").arg(QDir::toNativeSeparators(dataFolder()));
    dettagli->setText(righe);
    dettagli->setWordWrap(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Info di sistema..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdCopia = new QPushButton(QStringLiteral("&Copia"), this);
    cmdCopia->setObjectName(QStringLiteral("cmdCopia"));
    cmdCopia->setToolTip(QStringLiteral("Copia versione, cartelle e info di sistema negli appunti"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(cmdCopia);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(dettagli);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCopia, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(informazioniComplete()); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] {
        dialogs_.message(informazioniSistema(), QStringLiteral("Info di sistema"), Buttons::Ok,
                         Icon::Information);
    });
}

QString frmAbout::informazioniComplete() const {
    QString testo = QStringLiteral("Quillaro %1\nQt %2, SQLite %3\n")
                        .arg(QStringLiteral(QUILLARO_VERSION), QString::fromLatin1(qVersion()),
                             QString::fromLatin1(sqlite3_libversion()));
    if (!cartellaUtente_.isEmpty())
        testo += QStringLiteral("Cartella di lavoro: %1\n").arg(QDir::toNativeSeparators(cartellaUtente_));
    testo += QStringLiteral("Dati installati: %1\n").arg(QDir::toNativeSeparators(dataFolder()));
    return testo + informazioniSistema();
}

QString frmAbout::informazioniSistema() {
    return QStringLiteral("Sistema operativo: %1\nKernel: %2 %3\nArchitettura: %4\nNome host: %5")
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
             QSysInfo::currentCpuArchitecture(), QSysInfo::machineHostName());
}
