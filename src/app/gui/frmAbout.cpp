#include "app/gui/frmAbout.h"

#include "store/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <sqlite3.h>

frmAbout::frmAbout(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
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
    cmdSysInfo = new QPushButton(QStringLiteral("&Info di sistema..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] {
        dialogs_.message(informazioniSistema(), QStringLiteral("Info di sistema"), Buttons::Ok,
                         Icon::Information);
    });
}

QString frmAbout::informazioniSistema() {
    return QStringLiteral("Sistema operativo: %1\nKernel: %2 %3\nArchitettura: %4\nNome host: %5")
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
             QSysInfo::currentCpuArchitecture(), QSysInfo::machineHostName());
}
