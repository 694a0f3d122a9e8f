#include "core/files/settings.h"

#include "core/text/log.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <functional>

namespace garabix {

namespace {

// "section/key" to its value, as one source says.
using Values = QHash<QString, QString>;

struct Source {
    QString name; // for the log
    Values values;
};

// Strips a comment: ";" or "#" at the start of a line or after a space.
QString withoutComment(const QString &line) {
    static const QRegularExpression comment(QStringLiteral("(^|\\s)[;#].*$"));
    return QString(line).remove(comment).trimmed();
}

Source readFile(const QString &path) {
    Source source{path, {}};
    QFile file(path);
    if (!file.exists())
        return source;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(logStartup) << "settings file" << path << "cannot be read:" << file.errorString();
        return source;
    }
    const QByteArray bytes = file.read(1 << 20);
    const QString text = QString::fromUtf8(bytes);
    if (bytes.contains('\0') || text.contains(QChar::ReplacementCharacter)) {
        qCWarning(logStartup) << "settings file" << path << "is not a text file; ignored";
        return source;
    }
    QString section;
    int lineNumber = 0;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = withoutComment(raw);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || section.isEmpty()) {
            qCWarning(logStartup).noquote()
                << QStringLiteral("settings file %1, line %2: \"%3\" is no key=value of a "
                                  "[section]; ignored")
                       .arg(path)
                       .arg(lineNumber)
                       .arg(raw.trimmed());
            continue;
        }
        source.values.insert(section + QLatin1Char('/') + line.left(equals).trimmed().toLower(),
                             line.mid(equals + 1).trimmed());
    }
    return source;
}

Source readEnvironment(const QProcessEnvironment &environment) {
    Source source{QStringLiteral("the environment"), {}};
    static const QString prefix = QStringLiteral("GARABIX_");
    for (const QString &name : environment.keys()) {
        if (!name.startsWith(prefix))
            continue;
        // GARABIX_PROGRAM_PRINT_INTERVAL is program/print-interval.
        const QString rest = name.mid(prefix.size()).toLower();
        const int underscore = rest.indexOf(QLatin1Char('_'));
        if (underscore <= 0)
            continue;
        const QString section = rest.left(underscore);
        if (section != QLatin1String("drawings") && section != QLatin1String("program") &&
            section != QLatin1String("access"))
            continue; // GARABIX_PROGRAM_DIR and the like are no settings
        source.values.insert(
            section + QLatin1Char('/') +
                rest.mid(underscore + 1).replace(QLatin1Char('_'), QLatin1Char('-')),
            environment.value(name));
    }
    source.values.remove(QStringLiteral("program/dir"));
    return source;
}

Source readArguments(const QStringList &arguments) {
    Source source{QStringLiteral("the command line"), {}};
    for (int i = 1; i < arguments.size(); ++i) {
        QString setting;
        if (arguments[i] == QLatin1String("--set") && i + 1 < arguments.size())
            setting = arguments[++i];
        else if (arguments[i].startsWith(QLatin1String("--set=")))
            setting = arguments[i].mid(6);
        else
            continue;
        const int equals = setting.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            qCWarning(logStartup) << "--set" << setting << "is no section/key=value; ignored";
            continue;
        }
        source.values.insert(setting.left(equals).trimmed().toLower(),
                             setting.mid(equals + 1).trimmed());
    }
    return source;
}

std::optional<bool> readBool(const QString &v) {
    const QString s = v.toLower();
    if (s == QLatin1String("true") || s == QLatin1String("yes") || s == QLatin1String("1") ||
        s == QLatin1String("on"))
        return true;
    if (s == QLatin1String("false") || s == QLatin1String("no") || s == QLatin1String("0") ||
        s == QLatin1String("off"))
        return false;
    return std::nullopt;
}

std::optional<int> readInt(const QString &v, int lowest, int highest) {
    bool ok = false;
    const int n = v.toInt(&ok); // digits only, whatever the locale
    if (!ok || n < lowest || n > highest)
        return std::nullopt;
    return n;
}

} // namespace

SettingsSources settingsSourcesOfThisRun(const QStringList &arguments) {
    SettingsSources s;
    s.systemFile = QStringLiteral(GARABIX_SYSTEM_SETTINGS);
    s.userFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/garabix/garabix.conf");
    s.environment = QProcessEnvironment::systemEnvironment();
    s.arguments = arguments;
    s.userName =
        s.environment.value(QStringLiteral("USER"), s.environment.value(QStringLiteral("LOGNAME")));
    s.home = QDir::homePath();
    return s;
}

Settings readSettings(const SettingsSources &sources) {
    // In the order they hold: the system file first, then what fills in.
    const Source order[] = {readFile(sources.systemFile), readArguments(sources.arguments),
                            readEnvironment(sources.environment), readFile(sources.userFile)};
    Settings settings;
    using Apply = std::function<bool(const QString &)>;
    const auto flag = [](std::optional<bool> &to) -> Apply {
        return [&to](const QString &v) {
            to = readBool(v);
            return to.has_value();
        };
    };
    const auto number = [](std::optional<int> &to, int lowest, int highest) -> Apply {
        return [&to, lowest, highest](const QString &v) {
            to = readInt(v, lowest, highest);
            return to.has_value();
        };
    };
    const QHash<QString, Apply> keys = {
        {QStringLiteral("drawings/folder"),
         [&](const QString &v) {
             if (v.isEmpty() || (sources.userName.isEmpty() && v.contains(QLatin1String("%u"))))
                 return false;
             QString folder = v;
             folder.replace(QLatin1String("%u"), sources.userName)
                 .replace(QLatin1String("%h"), sources.home);
             settings.drawingsFolder = QDir::cleanPath(folder);
             return true;
         }},
        {QStringLiteral("drawings/limit"), number(settings.drawingLimit, 0, 32767)},
        {QStringLiteral("drawings/delete"), flag(settings.deleteButton)},
        {QStringLiteral("program/language"),
         [&](const QString &v) {
             static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_-]{1,40}$"));
             if (!name.match(v).hasMatch())
                 return false;
             settings.language = v;
             return true;
         }},
        {QStringLiteral("program/quit"), flag(settings.quit)},
        {QStringLiteral("program/fullscreen"), flag(settings.fullScreen)},
        {QStringLiteral("program/print"), flag(settings.print)},
        {QStringLiteral("program/print-interval"), number(settings.printInterval, 0, 86400)},
        {QStringLiteral("program/sound"), flag(settings.sound)},
        {QStringLiteral("program/folder-button"), flag(settings.folderButton)},
        {QStringLiteral("access/click-to-draw"), flag(settings.clickToDraw)},
        {QStringLiteral("access/keyboard-pointer"), flag(settings.keyboardPointer)},
        {QStringLiteral("access/switch-scanning"), flag(settings.switchScanning)},
        {QStringLiteral("access/scan-seconds"), number(settings.scanSeconds, 1, 5)},
        {QStringLiteral("access/switch-key"),
         [&](const QString &v) {
             const QKeySequence key(v, QKeySequence::PortableText);
             if (key.count() != 1 || key[0].keyboardModifiers() != Qt::NoModifier)
                 return false;
             settings.switchKey = key[0];
             return true;
         }},
        {QStringLiteral("access/controls-size"),
         [&](const QString &v) {
             const QString size = v.toLower();
             const double factor = size == QLatin1String("normal")    ? 1
                                   : size == QLatin1String("large")   ? 1.5
                                   : size == QLatin1String("largest") ? 2
                                                                      : 0;
             if (factor > 0)
                 settings.controlsSize = factor;
             return factor > 0;
         }},
    };
    QSet<QString> said; // keys an earlier source has set
    for (const Source &source : order) {
        for (auto it = source.values.constBegin(); it != source.values.constEnd(); ++it) {
            const auto key = keys.constFind(it.key());
            if (key == keys.constEnd()) {
                qCWarning(logStartup)
                    << "unknown setting" << it.key() << "in" << source.name << "; ignored";
                continue;
            }
            if (said.contains(it.key()))
                continue; // a source before this one holds
            if (!(*key)(it.value())) {
                qCWarning(logStartup) << "setting" << it.key() << "in" << source.name
                                      << "has a bad value" << it.value() << "; ignored";
                continue;
            }
            said.insert(it.key());
        }
    }
    return settings;
}

} // namespace garabix
