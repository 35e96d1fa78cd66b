#include "support/TestHome.h"

#include "store/Archivio.h"
#include "store/Template.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>
#include <utility>

namespace {

// Building the template from its SQL costs a little; tests copy one made per process.
QString sharedFile(const QString& name, void (*build)(const QString&)) {
    static QTemporaryDir cache;
    const QString path = cache.filePath(name);
    if (!QFileInfo::exists(path))
        build(path);
    return path;
}

// The homes alive, and what those already gone left unplanned.
QList<TestHome*>& liveHomes() {
    static QList<TestHome*> homes;
    return homes;
}
QStringList& unplannedLeft() {
    static QStringList left;
    return left;
}

QStringList unplannedOf(const ScriptedDialogs& d) {
    return d.unexpected() + d.unusedAnswers();
}

} // namespace

QStringList TestHome::takeUnplanned() {
    QStringList all = std::exchange(unplannedLeft(), {});
    for (TestHome* h : std::as_const(liveHomes())) {
        all << unplannedOf(h->dialogs_);
        h->dialogs_.clear();
    }
    return all;
}

TestHome::TestHome() : home_(dir_.path()) {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    QDir().mkpath(home_.mdbDir());
    QFile::copy(sharedFile(QStringLiteral("masterOnline.db"), &buildTemplateArchive), home_.templatePath());
    QFile::copy(sharedFile(QStringLiteral("Catalogo norme.db"), &buildCatalogue), home_.cataloguePath());
    for (const QString& f : {home_.templatePath(), home_.cataloguePath()})
        QFile::setPermissions(f, QFile::permissions(f) | QFileDevice::WriteOwner);
    home_.ensureLayout();
    state_ = std::make_unique<AppState>(home_, dialogs_);
    liveHomes() << this;
}

TestHome::~TestHome() {
    liveHomes().removeOne(this);
    unplannedLeft() << unplannedOf(dialogs_);
    if (state_) {
        ChiudiCatalogo(*state_);
        ChiudiArchivio(*state_);
    }
}

QString TestHome::createArchive(const QString& name, const QString& centro, const QString& anno,
                                const QString& consegna, const QString& inizio) {
    const NuovoArchivio result = CreaArchivio(*state_, home_.mdbPath(name + QStringLiteral(".db")),
                                              InformazioneConsegna{centro, anno, consegna, inizio});
    if (result.esito != EsitoNuovoArchivio::Creato)
        throw std::runtime_error(result.message.toStdString());
    return result.path;
}

QString TestHome::createDemo() {
    const QString path = home_.mdbPath(QStringLiteral("DEMO.db"));
    QFile::copy(sharedFile(QStringLiteral("DEMO.db"), &buildDemoArchive), path);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return path;
}

bool TestHome::open(const QString& path) { return ApriArchivio(*state_, path); }

QByteArray readFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
