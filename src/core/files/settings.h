#pragma once
// The settings files: one for the school or the computer
// (/etc/garabix/garabix.conf) and one for the user
// (~/.config/garabix/garabix.conf), plain INI:
//
//     [drawings]
//     folder=/srv/clase/%u   ; %u the user name, %h the home; made if missing
//     limit=500              ; the most drawings the folder may hold
//     delete=false           ; the bin is hidden
//     [program]
//     language=english       ; a language file of the program folder's idiomas
//     quit=false             ; the quit button and the window's close do nothing
//     fullscreen=true
//     print=false
//     print-interval=60      ; seconds between prints
//     sound=false
//     folder-button=false
//     [access]
//     click-to-draw=true     ; a click starts a stroke or shape, the next ends it
//     keyboard-pointer=true  ; the arrows move a pointer over the canvas
//     switch-scanning=true   ; a highlight steps by itself, one key chooses
//     scan-seconds=2         ; 1 to 5: how long the highlight stays
//     switch-key=Space       ; the one key, as Qt names it (Space, Return, F1, X)
//     controls-size=largest  ; normal, large (1.5 times) or largest (twice)
//
// What the system file names holds: the command line (--set
// section/key=value), the environment (GARABIX_<SECTION>_<KEY>, as
// GARABIX_PROGRAM_FULLSCREEN) and the user file fill in only what it leaves
// unsaid, in that order. A key the system file names is locked even when
// its value cannot be read: then quit, print, delete and folder-button are
// off, and any other key keeps the program's own behaviour. A key nobody
// sets keeps the program folder's own behaviour (configuracion/*.txt). A
// bad line, key or value is named, with its file and line, in one log line
// and ignored; a file that cannot be read is named in one log line.

#include <QKeyCombination>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace garabix {

// The settings that hold for this run: every key with a value. A key nobody
// sets has the default its line of the key table gives (settings.cpp).
// Three keys default to the program folder's own configuration: the
// drawings folder (misdibujos), the limit (configuracion/mdg.txt) and the
// language (configuracion/idioma.txt); withProgramFolder() puts those in.
struct Settings {
    Settings(); // every key at its default

    QString drawingsFolder; // with %u and %h put in; empty: the program folder's
    int drawingLimit;       // 0 turns saving off; -1: the program folder's
    bool deleteButton;
    QString language; // the name of a file in idiomas, without .txt; empty: idioma.txt
    bool quit;
    bool fullScreen;
    bool print;
    int printInterval; // seconds
    bool sound;
    bool folderButton;
    // [access]
    bool clickToDraw;          // a click starts a stroke or a shape, the next ends it
    bool keyboardPointer;      // the arrows move a pointer over the canvas
    bool switchScanning;       // a highlight steps through the controls by itself
    int scanSeconds;           // 1 to 5
    QKeyCombination switchKey; // a single key, named as QKeySequence names it
    double controlsSize;       // 1, 1.5 or 2 times the buttons' usual size

    // Put in by withProgramFolder().
    QString languageFile;             // the language file to read
    bool programFoldersLimit = false; // mdg.txt's limit over the program folder's misdibujos
};

// The settings with the program folder's own configuration put in where
// they leave it: the drawings folder, mdg.txt's limit (0, saving off, when
// it has no number that fits) and the language file. What cannot be read
// is named in the log.
Settings withProgramFolder(Settings settings, const QString &appPath);

// Where the settings come from; `systemFile` and `userFile` may be missing.
struct SettingsSources {
    QString systemFile;
    QString userFile;
    QProcessEnvironment environment;
    QStringList arguments; // the program's arguments, its name first
    QString userName;      // the account's own, from the system's account database
    QString home;
};

// The sources of this run: /etc/garabix/garabix.conf, the user's
// configuration folder, the process environment and `arguments`.
SettingsSources settingsSourcesOfThisRun(const QStringList &arguments);

Settings readSettings(const SettingsSources &sources);

// What the settings came to, for an administrator: one line a key, with the
// value that holds and where it came from, and every line refused.
struct SettingsReport {
    Settings settings;
    QStringList effective; // "program/quit = false    (/etc/garabix/garabix.conf, line 3)"
    QStringList refused;   // "/etc/garabix/garabix.conf, line 4: \"quit=maybe\" is ..."
};
SettingsReport checkSettings(const SettingsSources &sources);

} // namespace garabix
