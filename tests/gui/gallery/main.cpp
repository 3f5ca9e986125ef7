// vanta-gallery: a picture of every dialog, property page and sub-page of the editor.
//
//   vanta-gallery --out DIR [--chinese] [--data DIR] [--source DIR]
//
// Writes DIR/<scene>.png for every scene of the gallery, in English (the default) or Chinese.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "Gallery.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vanta::gallery::Options options;
    options.dataDir = QCoreApplication::applicationDirPath();
    options.translationDir = QCoreApplication::applicationDirPath();
    options.sourceDir = QStringLiteral(VANTA_SOURCE_DIR);
    QString out;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--out") && i + 1 < args.size())
            out = args.at(++i);
        else if (a == QLatin1String("--chinese"))
            options.english = false;
        else if (a == QLatin1String("--data") && i + 1 < args.size())
            options.dataDir = args.at(++i);
        else if (a == QLatin1String("--source") && i + 1 < args.size())
            options.sourceDir = args.at(++i);
        else {
            std::fprintf(stderr,
                         "usage: vanta-gallery --out DIR [--chinese] [--data DIR] "
                         "[--source DIR]\n");
            return 2;
        }
    }
    if (out.isEmpty() || !QDir().mkpath(out)) {
        std::fprintf(stderr, "vanta-gallery: no folder to write to\n");
        return 2;
    }
    vanta::gallery::Gallery gallery(options);
    if (!gallery.ok()) {
        std::fprintf(stderr, "vanta-gallery: the editor did not start\n");
        return 1;
    }
    int written = 0;
    for (const QString& name : gallery.names()) {
        QWidget* window = gallery.show(name);
        if (!window)
            continue;
        // Let the window be laid out and painted once.
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const QString file = QDir(out).filePath(name + QStringLiteral(".png"));
        if (window->grab().save(file))
            ++written;
        else
            std::fprintf(stderr, "vanta-gallery: cannot write %s\n", qPrintable(file));
    }
    std::printf("vanta-gallery: %d pictures in %s\n", written, qPrintable(out));
    return written == gallery.names().size() ? 0 : 1;
}
