#include "gifwriter.h"

#include <gif_lib.h>

#include <QFile>
#include <array>
#include <vector>

namespace garabix::gif {

namespace {

struct Palette {
    std::array<GifColorType, 256> colours{};
    Palette() {
        int i = 0;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    colours[i++] = {GifByteType(r * 51), GifByteType(g * 51), GifByteType(b * 51)};
        for (int k = 0; k < 40; ++k) {
            const auto v = GifByteType(6 + k * 6);
            colours[i++] = {v, v, v};
        }
    }
    int nearest(QRgb c) const {
        int best = 0;
        long bestDist = -1;
        for (int i = 0; i < 256; ++i) {
            const long dr = qRed(c) - colours[i].Red;
            const long dg = qGreen(c) - colours[i].Green;
            const long db = qBlue(c) - colours[i].Blue;
            const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (bestDist < 0 || d < bestDist) {
                bestDist = d;
                best = i;
            }
        }
        return best;
    }
};

const Palette &palette() {
    static const Palette p;
    return p;
}

// Maps colours (6 bits a channel) to palette indexes, filled lazily.
struct IndexCache {
    std::vector<int16_t> index = std::vector<int16_t>(1 << 18, -1);
    int lookup(QRgb c) {
        const int key = ((qRed(c) >> 2) << 12) | ((qGreen(c) >> 2) << 6) | (qBlue(c) >> 2);
        if (index[key] < 0)
            index[key] = static_cast<int16_t>(palette().nearest(c));
        return index[key];
    }
};

bool putExtension(GifFileType *gif, int code, const std::vector<GifByteType> &block) {
    return EGifPutExtension(gif, code, static_cast<int>(block.size()), block.data()) == GIF_OK;
}

} // namespace

bool writeGif(const QString &path, const QVector<QImage> &frames, const Options &options) {
    if (frames.isEmpty() || frames.first().isNull())
        return false;
    const int w = frames.first().width();
    const int h = frames.first().height();
    int error = 0;
    GifFileType *gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif)
        return false;
    EGifSetGifVersion(gif, true);
    ColorMapObject *map = GifMakeMapObject(256, palette().colours.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    if (ok && options.loopCount >= 0) {
        const std::vector<GifByteType> app = {'N', 'E', 'T', 'S', 'C', 'A',
                                              'P', 'E', '2', '.', '0'};
        const std::vector<GifByteType> loop = {1, GifByteType(options.loopCount & 0xFF),
                                               GifByteType((options.loopCount >> 8) & 0xFF)};
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, static_cast<int>(app.size()), app.data()) == GIF_OK &&
             EGifPutExtensionBlock(gif, static_cast<int>(loop.size()), loop.data()) == GIF_OK &&
             EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    IndexCache cache;
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (const QImage &frame0 : frames) {
        if (!ok)
            break;
        const QImage frame = frame0.convertToFormat(QImage::Format_RGB32).scaled(w, h);
        const int delay = options.delayCentiseconds;
        const std::vector<GifByteType> control = {0x04, GifByteType(delay & 0xFF),
                                                  GifByteType((delay >> 8) & 0xFF), 0};
        ok = putExtension(gif, GRAPHICS_EXT_FUNC_CODE, control) &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            const QRgb *src = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < w; ++x)
                line[static_cast<size_t>(x)] = static_cast<GifPixelType>(cache.lookup(src[x]));
            ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
        }
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok) {
        QFile::remove(path);
        return false;
    }
    // giflib creates the file for its owner only; pictures are for everyone to read.
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                           QFile::ReadOther);
}

} // namespace garabix::gif
