// Build-time helper: lays out the generated part of share/ in the build tree, from which the
// programs read it and the install rules copy it. Never installed.
//
//   quillaro-datagen pictures DIR             the pictures of the buttons (BMP), drawn by the core
//   quillaro-datagen icon SVG HICOLOR_DIR     the icon's PNG sizes and the SVG itself
//   quillaro-datagen manpage NAME SECTION VERSION [SEE_ALSO...]
//                                             a manual page (troff) on stdout from the program's
//                                             --help text on stdin

#include "app/datagen/ManPage.h"
#include "store/DataFolder.h"
#include "store/HomeFolder.h"
#include "store/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>
#include <memory>

namespace {

bool writeWhole(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "quillaro-datagen: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
}

int pictures(const QString& dir) {
    for (const QString& name : HomeFolder::pictureNames())
        if (!writeWhole(QDir(dir).filePath(name), drawPicture(name)))
            return 1;
    return 0;
}

int icon(const QString& svgPath, const QString& hicolor) {
    QSvgRenderer svg(svgPath);
    if (!svg.isValid()) {
        std::fprintf(stderr, "quillaro-datagen: %s is not a valid SVG\n", qPrintable(svgPath));
        return 1;
    }
    for (int size : applicationIconSizes()) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString path = QStringLiteral("%1/%2x%2/apps/quillaro.png").arg(hicolor).arg(size);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "quillaro-datagen: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    QFile source(svgPath);
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    return writeWhole(hicolor + QStringLiteral("/scalable/apps/quillaro.svg"), source.readAll()) ? 0 : 1;
}

int manpage(const QStringList& args) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString help = QString::fromUtf8(in.readAll());
    const QString page = manPageFromHelp(help, args.value(0), args.value(1), args.value(2), args.mid(3));
    if (page.isEmpty()) {
        std::fprintf(stderr, "quillaro-datagen: no usage line in the help of %s\n",
                     qPrintable(args.value(0)));
        return 1;
    }
    const QByteArray bytes = page.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
                   static_cast<size_t>(bytes.size())
               ? 0
               : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Only the icon paints, and QPainter wants a GUI application for it; no display is used.
    std::unique_ptr<QCoreApplication> app;
    if (command == u"icon") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (command == u"pictures" && args.size() == 2)
        return pictures(args[1]);
    if (command == u"icon" && args.size() == 3)
        return icon(args[1], args[2]);
    if (command == u"manpage" && args.size() >= 4)
        return manpage(args.mid(1));
    std::fprintf(stderr, "usage: quillaro-datagen pictures DIR | icon SVG HICOLOR_DIR | "
                         "manpage NAME SECTION VERSION [SEE_ALSO...]\n");
    return 2;
}
