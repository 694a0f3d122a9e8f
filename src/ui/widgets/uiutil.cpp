#include "ui/widgets/uiutil.h"

#include "core/text/numeric.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QtGlobal>
#include <algorithm>

// The pictures are compiled into this static library, which must register them itself.
static void registerPictures() {
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace garabix {

QSize windowRoom(const QWidget *window, QSize fallback) {
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize frameMargins(16, 48); // the window manager's frame and title bar
    return (screen ? screen->availableGeometry().size() : fallback) - frameMargins;
}

namespace {
constexpr const char *colourProperty = "garabixColour";
constexpr const char *chosenProperty = "garabixChosen";
constexpr int oneLineTip = 30; // characters

// A style for this control alone, never for the tooltips it shows.
QString ownStyle(const QWidget *w, const QString &rules) {
    return QStringLiteral("%1 { %2 }").arg(QLatin1String(w->metaObject()->className()), rules);
}

QString cssColour(ColourWord c) {
    return QColor::fromRgb(toRgb(c)).name();
}
} // namespace

void setBackground(QWidget *w, const QColor &colour) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

void setButtonColour(QWidget *w, ColourWord c, bool chosen) {
    w->setProperty(colourProperty, static_cast<qlonglong>(c));
    w->setProperty(chosenProperty, chosen);
    const QString border =
        chosen ? QStringLiteral("4px solid #0030A0") : QStringLiteral("1px solid #707070");
    w->setStyleSheet(
        ownStyle(w, QStringLiteral("background-color: %1; border: %2; border-radius: 4px;")
                        .arg(cssColour(c), border)));
}

void markChosen(QWidget *w, bool chosen) {
    if (isMarkedChosen(w) == chosen)
        return;
    const long colour = widgetColour(w);
    setButtonColour(w, colour >= 0 ? static_cast<ColourWord>(colour) : white, chosen);
}

bool isMarkedChosen(const QWidget *w) {
    return w->property(chosenProperty).toBool();
}

void setLabelColour(QWidget *w, ColourWord c) {
    w->setProperty(colourProperty, static_cast<qlonglong>(c));
    w->setStyleSheet(ownStyle(
        w, QStringLiteral("background-color: %1; border: 1px solid #505050;").arg(cssColour(c))));
}

long widgetColour(const QWidget *w) {
    const QVariant v = w->property(colourProperty);
    return v.isValid() ? static_cast<long>(v.toLongLong()) : -1;
}

void bringToFront(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void centreOnScreen(QWidget *window) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const auto left = intDiv(s.width() - window->width(), 2).value_or(0);
    const auto top = intDiv(s.height() - window->height(), 2).value_or(0);
    window->move(s.left() + static_cast<int>(left), s.top() + static_cast<int>(top));
}

QString plainToolTip(const QString &text) {
    if (text.isEmpty())
        return {};
    QString html = text.toHtmlEscaped();
    if (text.size() > oneLineTip) {
        const int middle = static_cast<int>(text.size() / 2);
        const int before = static_cast<int>(text.lastIndexOf(QLatin1Char(' '), middle));
        const int after = static_cast<int>(text.indexOf(QLatin1Char(' '), middle));
        int cut = before;
        if (after >= 0 && (before < 0 || after - middle < middle - before))
            cut = after;
        if (cut > 0)
            html = text.left(cut).toHtmlEscaped() + QStringLiteral("<br>") +
                   text.mid(cut + 1).toHtmlEscaped();
    }
    return QStringLiteral("<p style=\"white-space:pre\">") + html + QStringLiteral("</p>");
}

QIcon toolIcon(int index) {
    registerPictures();
    const QString path = QStringLiteral(":/icons/tool%1.svg").arg(index, 2, 10, QLatin1Char('0'));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon namedIcon(const QString &name) {
    registerPictures();
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon penSizeIcon(int index) {
    registerPictures();
    const QString path = QStringLiteral(":/icons/pen%1.svg").arg(index);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QString wrappableText(const QString &text) {
    constexpr int longWord = 16;
    static const QChar breakHere(0x200B); // a zero-width space: a place to wrap
    // The last part of a path (the file's name) stays whole.
    const qsizetype lastPart =
        std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    QString out;
    int wordLength = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        wordLength = c.isSpace() ? 0 : wordLength + 1;
        if (wordLength > longWord && i < lastPart &&
            (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('_')))
            out += breakHere;
        out += c;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            out += breakHere;
    }
    return out;
}

} // namespace garabix
