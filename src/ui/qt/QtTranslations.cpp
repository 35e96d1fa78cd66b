#include "ui/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

QString qtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installItalianQtTranslations(QCoreApplication& app) {
    // The operators' language whatever the machine's locale: the program speaks only Italian.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(italian, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslationsFolder()))
        return false;
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}
