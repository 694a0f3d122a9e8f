#include "ui/welcome/welcomewindow.h"

#include "core/files/paths.h"
#include "core/text/numeric.h"
#include "ui/platform/platform.h"
#include "ui/widgets/animationplayer.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace garabix {

const QString WelcomeWindow::licenceCaption = QStringLiteral("Tipo de licencia Freeware");

namespace {

constexpr QRgb classicColours[16] = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};

const char *const licenceNotice =
    "Garabix es libre: puedes usarlo, copiarlo y compartirlo con quien quieras, "
    "sin pagar nada.\n\nSe entrega tal cual, sin ninguna garantía: quienes lo hicieron "
    "no responden de los daños que pudiera causar su uso.";

QLabel *plainLabel(const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

QRgb WelcomeWindow::labelColour(int k) {
    return classicColours[std::clamp(k, 0, 15)];
}

WelcomeWindow::WelcomeWindow(QString path, Platform &p, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), platform(p) {
    setWindowTitle(QStringLiteral("Garabix 2.0 - hecho para los más pequeños"));
    setFixedSize(520, 400);
    setBackground(this, QColor(255, 250, 220));

    title = plainLabel(QStringLiteral("Garabix"), this);
    title->setObjectName(QString::fromLatin1(widgetname::title));
    title->setFont(QFont(QStringLiteral("Arial"), 40, QFont::Bold));
    title->setGeometry(20, 10, 480, 70);
    title->setAlignment(Qt::AlignCenter);

    const QString creditLines[4] = {QStringLiteral("Autor"), QStringLiteral("El equipo de Garabix"),
                                    QStringLiteral("Hecho con cariño para niñas y niños"),
                                    QStringLiteral("Octubre 2007")};
    for (int i = 0; i < 4; ++i) {
        QLabel *l = plainLabel(creditLines[i], this);
        QFont f(QStringLiteral("Arial"), i == 0 ? 14 : 12, i == 0 ? QFont::Bold : QFont::Normal);
        l->setFont(f);
        l->setGeometry(190, 110 + i * 36, 310, 30);
        credits.append(l);
    }
    licence = plainLabel(QString::fromUtf8(licenceNotice), this);
    licence->setObjectName(QString::fromLatin1(widgetname::licence));
    licence->setWordWrap(true);
    licence->setFont(QFont(QStringLiteral("Arial"), 11));
    licence->setGeometry(190, 100, 310, 170);

    walkerPlayer = new AnimationPlayer(this);
    walkerPlayer->setObjectName(QString::fromLatin1(widgetname::walkerPlayer));
    walkerPlayer->setLooping(true);
    walkerPlayer->setGeometry(30, 100, 120, 160);

    licenceButton = new QPushButton(licenceCaption, this);
    licenceButton->setObjectName(QString::fromLatin1(widgetname::licenceButton));
    licenceButton->setGeometry(190, 300, 200, 40);
    licenceButton->setAutoDefault(false);
    connect(licenceButton, &QPushButton::clicked, this, [this] { toggleLicence(); });

    enterButton = new QPushButton(this);
    enterButton->setObjectName(QString::fromLatin1(widgetname::enterButton));
    enterButton->setIcon(namedIcon(QStringLiteral("enter")));
    enterButton->setIconSize(QSize(56, 56));
    enterButton->setGeometry(410, 290, 80, 70);
    enterButton->setToolTip(plainToolTip(QStringLiteral("Entrar")));
    enterButton->setDefault(true);
    enterButton->setAutoDefault(true);
    connect(enterButton, &QPushButton::clicked, this, [this] { enter(); });

    titleColourTimer.setInterval(400);
    connect(&titleColourTimer, &QTimer::timeout, this, [this] { changeTitleColour(); });
}

void WelcomeWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded)
        load();
}

void WelcomeWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        enterButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WelcomeWindow::closeEvent(QCloseEvent *event) {
    titleColourTimer.stop();
    walkerPlayer->stop();
    QWidget::closeEvent(event);
}

void WelcomeWindow::load() {
    loaded = true;
    centreOnScreen(this);
    walkerPlayer->setFile(resolvePath(appPath, QStringLiteral("/camina.gif")));
    for (const char *cue : {"/sonidos/sonido1.wav", "/sonidos/sonido3.wav"})
        platform.preloadSound(resolvePath(appPath, QLatin1String(cue)));
    licence->hide();
    titleColourTimer.start();
    enterButton->setFocus();
}

void WelcomeWindow::toggleLicence() {
    if (licenceButton->text() == licenceCaption) {
        for (QLabel *l : credits)
            l->hide();
        licence->show();
        licenceButton->setText(QStringLiteral("Autor"));
    } else {
        licence->hide();
        for (QLabel *l : credits)
            l->show();
        licenceButton->setText(licenceCaption);
    }
    platform.playSound(resolvePath(appPath, QStringLiteral("/sonidos/sonido1.wav")), true);
}

void WelcomeWindow::enter() {
    platform.playSound(resolvePath(appPath, QStringLiteral("/sonidos/sonido3.wav")), true);
    if (showMainWindow)
        showMainWindow();
}

void WelcomeWindow::changeTitleColour() {
    const auto k = static_cast<int>(roundHalfEven(double(rng.next()) * 15));
    QPalette pal = title->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(labelColour(k)));
    title->setPalette(pal);
}

} // namespace garabix
