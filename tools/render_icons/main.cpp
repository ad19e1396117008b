// Draws the command buttons' icons from their SVG drawings when the program
// is built, at each size the window may show them in, and writes their pixels
// as a C++ source of the program (app/own_icons.h). The window then makes its
// icons from pixels in memory as it first paints, rather than loading the SVG
// plugins and parsing every drawing, or decoding image files.
//
// Run: platine-render-icons OUT.cpp SIZE[,SIZE...] DRAWING.svg...
// each drawing named by its file's name less ".svg", drawn square.

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: platine-render-icons OUT.cpp SIZE[,SIZE...] DRAWING.svg...\n");
        return 2;
    }
    QList<int> sizes;
    for (const QString &s : QString::fromLatin1(argv[2]).split(QLatin1Char(','))) {
        bool ok = false;
        const int size = s.toInt(&ok);
        if (!ok || size <= 0 || size > 256) {
            std::fprintf(stderr, "platine-render-icons: not a size in pixels: %s\n", qPrintable(s));
            return 2;
        }
        sizes.append(size);
    }
    QString pixels, table;
    QTextStream px(&pixels), tab(&table);
    int count = 0;
    for (int i = 3; i < argc; ++i) {
        const QString drawing = QString::fromLocal8Bit(argv[i]);
        const QString name = QFileInfo(drawing).completeBaseName();
        for (const int size : sizes) {
            QImageReader reader(drawing, "svg");
            reader.setScaledSize(QSize(size, size));
            const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (image.isNull() || image.size() != QSize(size, size)) {
                std::fprintf(stderr, "platine-render-icons: %s: %s\n", argv[i],
                             qPrintable(reader.errorString()));
                return 1;
            }
            px << "const std::uint32_t p" << count << "[] = {";
            for (int y = 0; y < size; ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < size; ++x)
                    px << (x % 8 ? " " : "\n    ") << "0x" << Qt::hex << line[x] << Qt::dec << "u,";
            }
            px << "\n};\n";
            tab << "    {\"" << name << "\", " << size << ", p" << count << "},\n";
            ++count;
        }
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "platine-render-icons: cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Made by platine-render-icons from the drawings of src/app/icons.\n"
        << "#include \"app/own_icons.h\"\n\nnamespace platine {\nnamespace {\n"
        << pixels << "} // namespace\n\nconst OwnIconImage kOwnIconImages[] = {\n"
        << table << "};\nconst std::size_t kOwnIconImageCount = " << count
        << ";\n\n} // namespace platine\n";
    out.flush();
    if (!file.commit()) {
        std::fprintf(stderr, "platine-render-icons: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
