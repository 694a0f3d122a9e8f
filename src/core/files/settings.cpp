#include "core/files/settings.h"

#include "core/base/log.h"
#include "core/files/config.h"
#include "core/files/drawings.h"
#include "core/files/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <functional>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace garabix {

namespace {

// A value as one source says it, and where: a file and line, a variable or
// an argument.
struct Said {
    QString value;
    QString where;
};

struct Source {
    QHash<QString, Said> values; // "section/key" to its value
    QStringList refused;         // lines that are no setting, with where
    bool locks = false;          // the school's file: what it names holds
};

QString fileLine(const QString &path, int line) {
    return QStringLiteral("%1, line %2").arg(path).arg(line);
}

// Strips a comment: ";" or "#" at the start of a line or after a space.
QString withoutComment(const QString &line) {
    static const QRegularExpression comment(QStringLiteral("(^|\\s)[;#].*$"));
    return QString(line).remove(comment).trimmed();
}

Source readFile(const QString &path) {
    Source source;
    QFile file(path);
    if (!file.exists())
        return source;
    if (!file.open(QIODevice::ReadOnly)) {
        source.refused << QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return source;
    }
    const QByteArray bytes = file.read(1 << 20);
    const QString text = QString::fromUtf8(bytes);
    if (bytes.contains('\0') || text.contains(QChar::ReplacementCharacter)) {
        source.refused << QStringLiteral("%1 is not a text file; ignored").arg(path);
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
            source.refused << QStringLiteral("%1: \"%2\" is no key=value of a [section]; ignored")
                                  .arg(fileLine(path, lineNumber), raw.trimmed());
            continue;
        }
        source.values.insert(section + QLatin1Char('/') + line.left(equals).trimmed().toLower(),
                             {line.mid(equals + 1).trimmed(), fileLine(path, lineNumber)});
    }
    return source;
}

Source readEnvironment(const QProcessEnvironment &environment) {
    Source source;
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
            {environment.value(name), QStringLiteral("the environment, %1").arg(name)});
    }
    source.values.remove(QStringLiteral("program/dir"));
    return source;
}

Source readArguments(const QStringList &arguments) {
    Source source;
    for (int i = 1; i < arguments.size(); ++i) {
        QString setting;
        if (arguments[i] == QLatin1String("--set") && i + 1 < arguments.size())
            setting = arguments[++i];
        else if (arguments[i].startsWith(QLatin1String("--set=")))
            setting = arguments[i].mid(6);
        else
            continue;
        const QString where = QStringLiteral("the command line, --set %1").arg(setting);
        const int equals = setting.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            source.refused << where + QStringLiteral(": no section/key=value; ignored");
            continue;
        }
        source.values.insert(setting.left(equals).trimmed().toLower(),
                             {setting.mid(equals + 1).trimmed(), where});
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

// One key: what it is when nobody sets it, how a value is read into the
// settings (false for a value it refuses), and, for the keys that let a
// child do something, the restrictive choice a locked bad value comes to.
// A default in brackets is the program folder's own, put in later.
struct Key {
    const char *name;
    const char *byDefault;
    std::function<bool(const QString &, Settings &)> read;
    bool Settings::*restrictive = nullptr;
};

template <typename T> using Field = T Settings::*;

Key flag(const char *name, const char *byDefault, Field<bool> field, bool lockable = false) {
    return {name, byDefault,
            [field](const QString &v, Settings &s) {
                const auto value = readBool(v);
                if (value)
                    s.*field = *value;
                return value.has_value();
            },
            lockable ? field : nullptr};
}

Key number(const char *name, const char *byDefault, Field<int> field, int lowest, int highest) {
    return {name, byDefault, [=](const QString &v, Settings &s) {
                const auto value = readInt(v, lowest, highest);
                if (value)
                    s.*field = *value;
                return value.has_value();
            }};
}

std::vector<Key> keyTable(const SettingsSources &sources) {
    return {
        {"drawings/folder", "(misdibujos of the program folder, or ~/.local/share/garabix)",
         [&sources](const QString &v, Settings &s) {
             if (v.isEmpty() || (sources.userName.isEmpty() && v.contains(QLatin1String("%u"))) ||
                 (sources.home.isEmpty() && v.contains(QLatin1String("%h"))))
                 return false;
             QString folder = v;
             folder.replace(QLatin1String("%u"), sources.userName)
                 .replace(QLatin1String("%h"), sources.home);
             s.drawingsFolder = QDir::cleanPath(folder);
             return true;
         }},
        number("drawings/limit", "(configuracion/mdg.txt)", &Settings::drawingLimit, 0, 32767),
        flag("drawings/delete", "true", &Settings::deleteButton, true),
        {"program/language", "(configuracion/idioma.txt)",
         [](const QString &v, Settings &s) {
             static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_-]{1,40}$"));
             if (!name.match(v).hasMatch())
                 return false;
             s.language = v;
             return true;
         }},
        flag("program/quit", "true", &Settings::quit, true),
        flag("program/fullscreen", "false", &Settings::fullScreen),
        flag("program/print", "true", &Settings::print, true),
        number("program/print-interval", "0", &Settings::printInterval, 0, 86400),
        flag("program/sound", "true", &Settings::sound),
        flag("program/folder-button", "true", &Settings::folderButton, true),
        flag("access/click-to-draw", "false", &Settings::clickToDraw),
        flag("access/keyboard-pointer", "false", &Settings::keyboardPointer),
        flag("access/switch-scanning", "false", &Settings::switchScanning),
        number("access/scan-seconds", "2", &Settings::scanSeconds, 1, 5),
        {"access/switch-key", "Space",
         [](const QString &v, Settings &s) {
             const QKeySequence key(v, QKeySequence::PortableText);
             if (key.count() != 1 || key[0].keyboardModifiers() != Qt::NoModifier)
                 return false;
             s.switchKey = key[0];
             return true;
         }},
        {"access/controls-size", "normal",
         [](const QString &v, Settings &s) {
             const QString size = v.toLower();
             const double factor = size == QLatin1String("normal")    ? 1
                                   : size == QLatin1String("large")   ? 1.5
                                   : size == QLatin1String("largest") ? 2
                                                                      : 0;
             if (factor > 0)
                 s.controlsSize = factor;
             return factor > 0;
         }},
    };
}

// The account's name and home, from the system's account database for the
// real user id: never from variables a pupil can set.
std::pair<QString, QString> account() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 16384));
    struct passwd entry {};
    struct passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return {QFile::decodeName(found->pw_name), QFile::decodeName(found->pw_dir)};
}

} // namespace

Settings::Settings() : drawingLimit(-1) {
    // The program folder's keys stay empty; every other key reads its
    // default as a file would say it.
    for (const Key &key : keyTable(SettingsSources{})) {
        if (key.byDefault[0] != '(' && !key.read(QLatin1String(key.byDefault), *this))
            qFatal("settings: the default of %s cannot be read", key.name);
    }
}

Settings withProgramFolder(Settings s, const QString &appPath) {
    s.programFoldersLimit = s.drawingLimit < 0 && s.drawingsFolder.isEmpty();
    if (s.drawingsFolder.isEmpty())
        s.drawingsFolder = drawings::drawingsFolder(appPath);
    if (s.drawingLimit < 0) {
        s.drawingLimit = 0; // saving off
        const auto text = config::readDrawingLimitText(appPath);
        const auto limit = text ? config::numberField(*text) : std::nullopt;
        if (!text)
            qCWarning(logStartup) << "configuracion/mdg.txt is missing or empty: saving is off";
        else if (!limit || *limit < 0)
            qCWarning(logStartup) << "mdg.txt holds no number that fits: saving is off";
        else
            s.drawingLimit = *limit;
    }
    s.languageFile = resolvePath(appPath, QStringLiteral("/Configuracion/idioma.txt"));
    if (!s.language.isEmpty()) {
        const QString file = resolvePath(appPath, QStringLiteral("/Configuracion/idiomas/") +
                                                      s.language + QStringLiteral(".txt"));
        if (QFileInfo(file).isFile())
            s.languageFile = file;
        else
            qCWarning(logStartup) << "the settings' language" << s.language
                                  << "has no file in configuracion/idiomas; idioma.txt holds";
    }
    return s;
}

SettingsSources settingsSourcesOfThisRun(const QStringList &arguments) {
    SettingsSources s;
    s.systemFile = QStringLiteral(GARABIX_SYSTEM_SETTINGS);
    s.userFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/garabix/garabix.conf");
    s.environment = QProcessEnvironment::systemEnvironment();
    s.arguments = arguments;
    std::tie(s.userName, s.home) = account();
    return s;
}

SettingsReport checkSettings(const SettingsSources &sources) {
    // In the order they hold: the school's file first, then what fills in.
    Source order[] = {readFile(sources.systemFile), readArguments(sources.arguments),
                      readEnvironment(sources.environment), readFile(sources.userFile)};
    order[0].locks = true;
    SettingsReport report;
    const std::vector<Key> keys = keyTable(sources);
    QHash<QString, Said> held; // key to the value that holds and where it came from
    for (const Source &source : order) {
        report.refused << source.refused;
        for (auto it = source.values.constBegin(); it != source.values.constEnd(); ++it) {
            const auto key = std::find_if(keys.begin(), keys.end(), [&](const Key &k) {
                return it.key() == QLatin1String(k.name);
            });
            if (key == keys.end()) {
                report.refused
                    << QStringLiteral("%1: unknown setting %2; ignored").arg(it->where, it.key());
                continue;
            }
            if (held.contains(it.key()))
                continue; // a source before this one holds
            if (key->read(it->value, report.settings)) {
                held.insert(it.key(), *it);
                continue;
            }
            if (!source.locks) {
                report.refused << QStringLiteral("%1: %2 has a bad value \"%3\"; ignored")
                                      .arg(it->where, it.key(), it->value);
                continue;
            }
            // The school's file named it: it stays locked, at the restrictive
            // choice where there is one.
            const QString lockedAt =
                key->restrictive ? QStringLiteral("false") : QLatin1String(key->byDefault);
            if (key->restrictive)
                report.settings.*(key->restrictive) = false;
            report.refused << QStringLiteral("%1: %2 has a bad value \"%3\"; locked at %4")
                                  .arg(it->where, it.key(), it->value, lockedAt);
            held.insert(it.key(), {lockedAt, it->where + QStringLiteral(", a bad value locked")});
        }
    }
    for (const QString &line : std::as_const(report.refused))
        qCWarning(logStartup).noquote() << "settings:" << line;
    for (const Key &key : keys) {
        const QString name = QLatin1String(key.name);
        Said said = held.value(name, {QLatin1String(key.byDefault), QStringLiteral("the default")});
        if (name == QLatin1String("drawings/folder") && !report.settings.drawingsFolder.isEmpty())
            said.value = report.settings.drawingsFolder;
        report.effective
            << QStringLiteral("%1 = %2    (%3)").arg(name, -24).arg(said.value, said.where);
    }
    return report;
}

Settings readSettings(const SettingsSources &sources) {
    return checkSettings(sources).settings;
}

} // namespace garabix
