// Writes the default program folder's pictures and sounds: background scenes,
// animated stamps in their categories, the welcome window's walker and the
// sound cues. Everything is rendered from the SVG sources in assets/ and
// animated in code, deterministically: two runs give the same bytes.
//
// Usage: sampledata <assets folder> <program folder> [--contact-sheet <png>]

#include "gifwriter.h"
#include "wavwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTransform>
#include <cmath>
#include <cstdio>

using namespace garabix;

namespace {

constexpr int stampSide = 120;
constexpr int stampFrames = 8;
constexpr int stampDelay = 15; // centiseconds: 1.2 s a play
constexpr double pi = 3.14159265358979323846;
const QByteArray variantColour = "#f08a24";

struct Variant {
    const char *name;
    const char *colour;
};
const Variant firstVariant{"naranja", "#f08a24"};
const Variant otherVariants[] = {
    {"azul", "#4a90e2"},     {"rosa", "#ff7fb0"}, {"verde", "#5cc85c"}, {"morado", "#a070e0"},
    {"amarillo", "#ffd23a"}, {"rojo", "#e84040"}, {"gris", "#a0a0a0"}};

enum class Motion { Bounce, Spin, Pulse, Wave, Shake, Hop };

// Renders an SVG onto white without antialiasing, so that regions stay flat
// colours that the fill tool and the stamp colouring can fill exactly.
QImage renderSvg(const QByteArray &svg, QSize size, const QTransform &transform = {}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setTransform(transform);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// Frame k of a stamp's animation: frame 0 is the picture at rest.
QTransform motionAt(Motion m, int k) {
    const double phase = double(k) / stampFrames; // 0 .. 1
    const double c = stampSide / 2.0;
    QTransform t;
    switch (m) {
    case Motion::Bounce:
        t.translate(0, -18 * std::abs(std::sin(phase * 2 * pi)));
        break;
    case Motion::Spin:
        t.translate(c, c).rotate(phase * 360).translate(-c, -c);
        break;
    case Motion::Pulse: {
        const double s = 1 - 0.18 * std::sin(phase * pi);
        t.translate(c, c).scale(s, s).translate(-c, -c);
        break;
    }
    case Motion::Wave:
        t.translate(c, stampSide).rotate(14 * std::sin(phase * 2 * pi)).translate(-c, -stampSide);
        break;
    case Motion::Shake:
        t.translate(8 * std::sin(phase * 4 * pi), 0);
        break;
    case Motion::Hop: {
        const double s = 1 + 0.12 * std::sin(phase * 2 * pi);
        t.translate(c, stampSide).scale(1 / s, s).translate(-c, -stampSide);
        break;
    }
    }
    return t;
}

QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeScenes(const QString &assets, const QString &out, QVector<QImage> &sheet) {
    QDir dir(assets + "/scenes");
    const QStringList files = dir.entryList({"*.svg"}, QDir::Files, QDir::Name);
    QDir().mkpath(out + "/escenarios");
    for (int i = 0; i < files.size(); ++i) {
        const QImage scene = renderSvg(readAll(dir.filePath(files[i])), QSize(1920, 1080));
        if (scene.isNull() ||
            !gif::writeGif(QStringLiteral("%1/escenarios/%2.gif").arg(out).arg(i + 1), {scene}))
            return false;
        sheet.append(scene.scaled(240, 135, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return true;
}

// The colouring pages go into the program folder as they are drawn, in SVG,
// so that the program draws their lines at the canvas's own size; each must
// be a drawing the program can read.
bool writePages(const QString &assets, const QString &out) {
    QDir dir(assets + "/pages");
    const QStringList files = dir.entryList({"*.svg"}, QDir::Files, QDir::Name);
    QDir().mkpath(out + "/colorear");
    for (const QString &name : files) {
        const QByteArray svg = readAll(dir.filePath(name));
        QFile target(out + "/colorear/" + name);
        if (!QSvgRenderer(svg).isValid() || !target.open(QIODevice::WriteOnly) ||
            target.write(svg) != svg.size())
            return false;
    }
    return !files.isEmpty();
}

bool writeStamps(const QString &assets, const QString &out, QVector<QImage> &sheet) {
    QDir root(assets + "/stamps");
    int counter = 0;
    for (const QString &category : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QDir dir(root.filePath(category));
        QDir().mkpath(out + "/dibujos/" + category);
        const QStringList files = dir.entryList({"*.svg"}, QDir::Files, QDir::Name);
        for (const QString &file : files) {
            const QByteArray source = readAll(dir.filePath(file));
            const Variant second = otherVariants[counter % std::size(otherVariants)];
            const Motion motion = static_cast<Motion>(counter % 6);
            ++counter;
            for (const Variant &v : {firstVariant, second}) {
                QByteArray svg = source;
                svg.replace(variantColour, v.colour);
                QVector<QImage> frames;
                for (int k = 0; k < stampFrames; ++k)
                    frames.append(renderSvg(svg, QSize(stampSide, stampSide), motionAt(motion, k)));
                if (frames.first().isNull())
                    return false;
                gif::Options o;
                o.delayCentiseconds = stampDelay;
                const QString name = QFileInfo(file).completeBaseName() + "_" + v.name + ".gif";
                if (!gif::writeGif(out + "/dibujos/" + category + "/" + name, frames, o))
                    return false;
                sheet.append(frames.first());
            }
        }
    }
    return true;
}

// The welcome window's walker: a round little painter with a brush, walking.
bool writeWalker(const QString &out) {
    QVector<QImage> frames;
    constexpr int n = 8;
    for (int k = 0; k < n; ++k) {
        QImage img(120, 160, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        const double a = std::sin(2 * pi * k / n);
        const double bob = 3 * std::abs(std::cos(2 * pi * k / n));
        p.setPen(QPen(QColor("#222"), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // Legs swing opposite each other.
        p.setPen(QPen(QColor("#1a4fb0"), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(52, 110 - bob), QPointF(52 + 16 * a, 150));
        p.drawLine(QPointF(68, 110 - bob), QPointF(68 - 16 * a, 150));
        p.setPen(QPen(QColor("#222"), 3));
        p.setBrush(QColor("#ff7b00"));
        p.drawEllipse(QRectF(38, 62 - bob, 44, 54));
        p.setBrush(QColor("#f2c9a0"));
        p.drawEllipse(QRectF(40, 18 - bob, 40, 40));
        p.setBrush(QColor("#e0202a"));
        p.drawChord(QRectF(38, 14 - bob, 44, 30), 0, 180 * 16);
        p.setBrush(QColor("#222"));
        p.drawEllipse(QRectF(64, 34 - bob, 5, 5));
        p.drawArc(QRectF(58, 38 - bob, 14, 10), 200 * 16, 140 * 16);
        // An arm swinging a brush.
        p.setPen(QPen(QColor("#8b5a2b"), 5, Qt::SolidLine, Qt::RoundCap));
        const QPointF hand(80 + 10 * a, 92 - bob);
        p.drawLine(QPointF(70, 76 - bob), hand);
        p.drawLine(hand, hand + QPointF(18, -20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#e0207a"));
        p.drawEllipse(hand + QPointF(18, -20), 6, 6);
        p.end();
        frames.append(img);
    }
    gif::Options o;
    o.delayCentiseconds = 12;
    o.loopCount = 0;
    return gif::writeGif(out + "/camina.gif", frames, o);
}

// A cue for each of the 17 magic effects, magia1.wav to magia17.wav: two
// quick notes of a pentatonic scale, a different pair for each painted
// effect, and three falling notes for the ones that change the whole
// picture.
bool writeMagicCues(const QString &out) {
    const double scale[10] = {523.25, 587.33, 659.25, 783.99, 880.0,
                              1046.5, 1174.7, 1318.5, 1568.0, 1760.0};
    constexpr int effects = 17, painted = 13;
    for (int i = 0; i < effects; ++i) {
        QVector<wav::Note> notes;
        if (i < painted)
            notes = {{scale[i % 10], 0.05}, {scale[(i + 3) % 10] * (i >= 10 ? 2 : 1), 0.07}};
        else
            notes = {{scale[9 - (i - painted)], 0.04},
                     {scale[6 - (i - painted)], 0.04},
                     {scale[3 - (i - painted)], 0.08}};
        if (!wav::write(out + QStringLiteral("/sonidos/magia%1.wav").arg(i + 1),
                        wav::render(notes, 0.4)))
            return false;
    }
    return true;
}

bool writeSounds(const QString &out) {
    QDir().mkpath(out + "/sonidos");
    using wav::Note;
    // A rising arpeggio, a short click, a pop and a chime; the magic cues.
    return writeMagicCues(out) &&
           wav::write(
               out + "/sonidos/sonido1.wav",
               wav::render({{523.25, 0.16}, {659.25, 0.16}, {783.99, 0.16}, {1046.5, 0.32}})) &&
           wav::write(out + "/sonidos/sonido3.wav", wav::render({{880, 0.06}}, 0.4)) &&
           wav::write(out + "/sonidos/sonido4.wav", wav::render({{392, 0.07}, {587.33, 0.09}})) &&
           wav::write(out + "/sonidos/sonido5.wav",
                      wav::render({{1318.5, 0.1}, {1568, 0.18}}, 0.4));
}

QImage contactSheet(const QVector<QImage> &scenes, const QVector<QImage> &stamps) {
    const int columns = 10;
    const int rows = (stamps.size() + columns - 1) / columns;
    QImage sheet(columns * 124 + 4, 2 * 139 + rows * 124 + 8, QImage::Format_RGB32);
    sheet.fill(QColor("#dddddd"));
    QPainter p(&sheet);
    for (int i = 0; i < scenes.size(); ++i)
        p.drawImage(QPoint(4 + (i % 5) * 248, 4 + (i / 5) * 139), scenes[i]);
    for (int i = 0; i < stamps.size(); ++i)
        p.drawImage(QPoint(4 + (i % columns) * 124, 2 * 139 + 8 + (i / columns) * 124), stamps[i]);
    return sheet;
}

} // namespace

// The program's icon at the sizes desktops look for, as
// <folder>/<n>x<n>/apps/garabix.png.
bool writeIcons(const QString &svgPath, const QString &folder) {
    const QByteArray svg = readAll(svgPath);
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
        QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QSvgRenderer renderer(svg);
        if (!renderer.isValid() || !QDir().mkpath(dir))
            return false;
        QPainter p(&icon);
        renderer.render(&p, QRectF(0, 0, side, side));
        p.end();
        if (!icon.save(dir + QStringLiteral("/garabix.png")))
            return false;
    }
    return true;
}

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--icons"))
        return writeIcons(args[2], args[3]) ? 0 : 1;
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: sampledata <assets> <program folder> [--contact-sheet <png>]\n"
                             "       sampledata --icons <svg> <folder>\n");
        return 2;
    }
    const QString assets = args[1];
    const QString out = args[2];
    QVector<QImage> scenes, stamps;
    const bool ok = writeScenes(assets, out, scenes) && writeStamps(assets, out, stamps) &&
                    writePages(assets, out) && writeWalker(out) && writeSounds(out);
    if (!ok) {
        std::fprintf(stderr, "sampledata: could not write the program folder\n");
        return 1;
    }
    const int sheetAt = args.indexOf("--contact-sheet");
    if (sheetAt > 0 && sheetAt + 1 < args.size())
        contactSheet(scenes, stamps).save(args[sheetAt + 1]);
    return 0;
}
