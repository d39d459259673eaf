// Renders the app's pictures from their drawing code: every picture named in the list into a
// folder of PNG files, or all of them onto one contact sheet for review.
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>
#include <cstdio>

#include "ContactSheet.h"
#include "pictures/AppIcon.h"
#include "pictures/Catalog.h"

namespace {

QStringList readNames(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList names;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString name = in.readLine().trimmed();
        if (!name.isEmpty()) names << name;
    }
    return names;
}

int fail(const QString& message) {
    std::fprintf(stderr, "picture-painter: %s\n", qPrintable(message));
    return 1;
}

// The application icon in an icon-theme tree: hicolor/<N>x<N>/apps/<id>.png for the sizes
// launchers ask for, and hicolor/scalable/apps/<id>.svg.
int writeIcons(const QString& root, const QString& id) {
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QString("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(folder)) return fail("cannot create " + folder);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        pictures::paintAppIcon(painter, QSizeF(size, size));
        painter.end();
        if (!image.save(folder + "/" + id + ".png")) return fail("cannot write " + folder);
    }
    const QString folder = root + "/hicolor/scalable/apps";
    if (!QDir().mkpath(folder)) return fail("cannot create " + folder);
    QSvgGenerator svg;
    svg.setFileName(folder + "/" + id + ".svg");
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(id);
    QPainter painter(&svg);
    pictures::paintAppIcon(painter, QSizeF(256, 256));
    return painter.end() ? 0 : fail("cannot write " + folder + "/" + id + ".svg");
}

}  // namespace

int main(int argc, char* argv[]) {
    // Drawing needs no display: fonts and painting work on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Renders the app's pictures.");
    parser.addHelpOption();
    const QCommandLineOption listOption("list", "File with one picture name a line.", "file");
    const QCommandLineOption outOption("out", "Folder to write <name>.png into.", "folder");
    const QCommandLineOption sheetOption("sheet", "Contact sheet PNG to write.", "file");
    const QCommandLineOption onlyOption("only", "Sheet: only names starting so.", "prefix");
    const QCommandLineOption cellOption("cell", "Sheet: cell width in pixels.", "pixels", "150");
    const QCommandLineOption columnsOption("columns", "Sheet: cells a row.", "count", "14");
    const QCommandLineOption iconOption("icons", "Write the app icon theme tree here.", "folder");
    const QCommandLineOption idOption("icon-name", "The icon's file name.", "name");
    parser.addOptions({listOption, outOption, sheetOption, onlyOption, cellOption, columnsOption,
                       iconOption, idOption});
    parser.process(app);
    if (parser.isSet(iconOption))
        return writeIcons(parser.value(iconOption), parser.value(idOption));

    const QStringList names = readNames(parser.value(listOption));
    if (names.isEmpty()) return fail("no picture names in '" + parser.value(listOption) + "'");
    const pictures::Catalog catalog = pictures::allPictures();
    for (const pictures::Picture& picture : catalog) {
        if (!names.contains(picture.name)) {
            return fail("'" + picture.name + "' is drawn but not in the list");
        }
    }

    std::vector<std::pair<QString, QImage>> sheet;
    const QString folder = parser.value(outOption);
    if (!folder.isEmpty() && !QDir().mkpath(folder)) return fail("cannot create " + folder);
    for (const QString& name : names) {
        const pictures::Picture* picture = pictures::findPicture(catalog, name);
        if (!picture) return fail("no drawing for '" + name + "'");
        if (parser.isSet(onlyOption) && !name.startsWith(parser.value(onlyOption))) continue;
        const QImage image = pictures::renderPicture(*picture);
        if (!folder.isEmpty() && !image.save(folder + "/" + name + ".png")) {
            return fail("cannot write " + folder + "/" + name + ".png");
        }
        if (parser.isSet(sheetOption)) sheet.emplace_back(name, image);
    }
    if (parser.isSet(sheetOption)) {
        const int cell = std::max(60, parser.value(cellOption).toInt());
        const int columns =
            std::max(1, std::min(parser.value(columnsOption).toInt(), int(sheet.size())));
        const QImage composed = composeContactSheet(sheet, columns, cell);
        if (!composed.save(parser.value(sheetOption))) {
            return fail("cannot write " + parser.value(sheetOption));
        }
    }
    return 0;
}
