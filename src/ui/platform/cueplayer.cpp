#include "ui/platform/cueplayer.h"

#include "core/base/log.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <canberra.h>

namespace garabix {

namespace {

// The name a cue is kept under in the sound server: one per file, so that
// two program folders never share a cue.
QByteArray eventId(const QString &path) {
    return "garabix-" +
           QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
}

} // namespace

int wavLengthMs(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(4096);
    if (head.size() < 44 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byteRate = 0;
    qint64 dataSize = -1;
    int pos = 12;
    while (pos + 8 <= head.size()) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + pos + 4);
        if (id == "fmt " && pos + 16 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
        if (id == "data") {
            dataSize = std::min<qint64>(size, f.size() - pos - 8);
            break;
        }
        pos += 8 + static_cast<int>(size + (size & 1));
    }
    if (byteRate == 0 || dataSize < 0)
        return -1;
    return static_cast<int>(dataSize * 1000 / byteRate);
}

CuePlayer::~CuePlayer() {
    if (context)
        ca_context_destroy(context);
}

bool CuePlayer::open() {
    if (context)
        return true;
    if (unavailable)
        return false;
    int error = ca_context_create(&context);
    if (error == CA_SUCCESS) {
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Garabix",
                                CA_PROP_APPLICATION_ID, "org.garabix.Garabix", nullptr);
        error = ca_context_open(context);
    }
    if (error != CA_SUCCESS) {
        qCWarning(logSound, "no sound this time: %s", ca_strerror(error));
        if (context)
            ca_context_destroy(context);
        context = nullptr;
        unavailable = true;
        return false;
    }
    return true;
}

void CuePlayer::warnOnce(const QString &what, int error) {
    if (warned.contains(what))
        return;
    warned.insert(what);
    qCWarning(logSound) << "cannot play" << what << ":" << ca_strerror(error);
}

void CuePlayer::preload(const QString &path) {
    if (!QFileInfo(path).isFile() || wavLengthMs(path) < 0 || !open())
        return;
    const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    const int error = ca_context_cache(context, CA_PROP_EVENT_ID, eventId(path).constData(),
                                       CA_PROP_MEDIA_FILENAME, file.constData(), nullptr);
    if (error != CA_SUCCESS)
        warnOnce(path, error);
}

uint32_t CuePlayer::play(const QString &path) {
    if (!QFileInfo(path).isFile()) {
        warnOnce(path, CA_ERROR_NOTFOUND);
        return 0;
    }
    if (!open())
        return 0;
    const uint32_t id = ++lastPlay;
    const QByteArray file = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    const int error = ca_context_play(context, id, CA_PROP_EVENT_ID, eventId(path).constData(),
                                      CA_PROP_MEDIA_FILENAME, file.constData(),
                                      CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
    if (error != CA_SUCCESS) {
        warnOnce(path, error);
        return 0;
    }
    return id;
}

bool CuePlayer::isPlaying(uint32_t play) {
    int playing = 0;
    return play != 0 && context && ca_context_playing(context, play, &playing) == CA_SUCCESS &&
           playing;
}

} // namespace garabix
