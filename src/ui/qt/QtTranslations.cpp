#include "ui/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHash>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

// The texts of QCommandLineParser, which Qt's translations may lack or not be installed for.
class CommandLineItaliano : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        static const QHash<QByteArray, QString> testi = {
            {"Usage: %1", QStringLiteral("Uso: %1")},
            {"Options:", QStringLiteral("Opzioni:")},
            {"Arguments:", QStringLiteral("Argomenti:")},
            {"[options]", QStringLiteral("[opzioni]")},
            {"Displays help on commandline options.", QStringLiteral("Mostra questo aiuto.")},
            {"Displays help including Qt specific options.",
             QStringLiteral("Mostra questo aiuto con le opzioni proprie di Qt.")},
            {"Displays version information.", QStringLiteral("Mostra la versione.")},
            {"Unknown option '%1'.", QStringLiteral("Opzione sconosciuta '%1'.")},
            {"Unknown options: %1.", QStringLiteral("Opzioni sconosciute: %1.")},
            {"Missing value after '%1'.", QStringLiteral("Manca il valore dopo '%1'.")},
            {"Unexpected value after '%1'.", QStringLiteral("Valore inatteso dopo '%1'.")},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        return testi.value(QByteArray(sourceText));
    }

    bool isEmpty() const override { return false; }
};

// Dates and sizes of the file dialog's files in the default locale.
class FileInItaliano : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        switch (index.column()) {
        case 1:
            if (!files->isDir(file))
                return QLocale().formattedDataSize(files->size(file));
            break;
        case 3:
            // As the dialog shows them by itself, day and month's name, but in Italian: "8 dic 2025".
            return QLocale().toString(files->lastModified(file), QStringLiteral("d MMM yyyy HH:mm"));
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

QString qtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installItalianQtTranslations(QCoreApplication& app) {
    // The operators' language whatever the machine's locale: the program speaks only Italian.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslationsFolder()))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

void installItalianCommandLine(QCoreApplication& app) {
    // Installed last, it is asked first.
    QCoreApplication::installTranslator(new CommandLineItaliano(&app));
}

void fileDialogInItalian(QFileDialog& dialog) {
    dialog.setProxyModel(new FileInItaliano(&dialog));
}
