#include "app/gui/frmSplash.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QSysInfo>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("#Frame1 { background: #f4f1e8; border: 2px solid #7a1f1f; }"));
    auto* product = new QLabel(
        QStringLiteral("<span style='font-size:28pt; color:#7a1f1f'><b>Quillaro</b></span>"), frame);
    product->setObjectName(QStringLiteral("lblProductName"));
    auto* subtitle = new QLabel(QStringLiteral("Catalogazione delle riviste giuridiche online"), frame);
    auto* version = new QLabel(QStringLiteral("Versione %1").arg(QStringLiteral(QUILLARO_VERSION)), frame);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* platform = new QLabel(QSysInfo::prettyProductName(), frame);
    platform->setObjectName(QStringLiteral("lblPlatform"));
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(30, 24, 30, 24);
    for (QLabel* l : {product, subtitle, version, platform}) {
        l->setAlignment(Qt::AlignCenter);
        inner->addWidget(l);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    setFixedSize(460, 230);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void frmSplash::mousePressEvent(QMouseEvent*) {
    hide();
}
