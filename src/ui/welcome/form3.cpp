#include "ui/welcome/form3.h"

#include "core/files/paths.h"
#include "core/text/numeric.h"
#include "ui/common/brincaro.h"
#include "ui/common/platform.h"
#include "ui/common/uiutil.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace garabix {

const QString Form3::licenceCaption = QStringLiteral("Tipo de licencia Freeware");

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

QRgb Form3::labelColour(int k) {
    return classicColours[std::clamp(k, 0, 15)];
}

Form3::Form3(QString path, Platform &p, QWidget *parent)
    : QWidget(parent), appPath(std::move(path)), platform(p) {
    setWindowTitle(QStringLiteral("Garabix 2.0 - hecho para los más pequeños"));
    setFixedSize(520, 400);
    setBackground(this, QColor(255, 250, 220));

    Label1 = plainLabel(QStringLiteral("Garabix"), this);
    QFont title(QStringLiteral("Arial"), 40, QFont::Bold);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(title);
    Label1->setGeometry(20, 10, 480, 70);
    Label1->setAlignment(Qt::AlignCenter);

    const QString credits[4] = {QStringLiteral("Autor"), QStringLiteral("El equipo de Garabix"),
                                QStringLiteral("Hecho con cariño para niñas y niños"),
                                QStringLiteral("Octubre 2007")};
    for (int i = 0; i < 4; ++i) {
        QLabel *l = plainLabel(credits[i], this);
        QFont f(QStringLiteral("Arial"), i == 0 ? 14 : 12, i == 0 ? QFont::Bold : QFont::Normal);
        l->setFont(f);
        l->setGeometry(190, 110 + i * 36, 310, 30);
        Label2.append(l);
    }
    Label3 = plainLabel(QString::fromUtf8(licenceNotice), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setFont(QFont(QStringLiteral("Arial"), 11));
    Label3->setGeometry(190, 100, 310, 170);

    Brincaro1 = new Brincaro(this);
    Brincaro1->setObjectName(QStringLiteral("Brincaro1"));
    Brincaro1->setLooping(true);
    Brincaro1->setGeometry(30, 100, 120, 160);

    Command1 = new QPushButton(licenceCaption, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(190, 300, 200, 40);
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setIcon(namedIcon(QStringLiteral("enter")));
    Command2->setIconSize(QSize(56, 56));
    Command2->setGeometry(410, 290, 80, 70);
    Command2->setToolTip(plainToolTip(QStringLiteral("Entrar")));
    Command2->setDefault(true);
    Command2->setAutoDefault(true);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Timer1.setInterval(400);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void Form3::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!loaded)
        Form_Load();
}

void Form3::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Command2->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form3::closeEvent(QCloseEvent *event) {
    Timer1.stop();
    Brincaro1->stop();
    QWidget::closeEvent(event);
}

void Form3::Form_Load() {
    loaded = true;
    centreOnScreen(this);
    Brincaro1->setFile(resolvePath(appPath, QStringLiteral("\\camina.gif")));
    for (const char *cue : {"\\sonidos\\sonido1.wav", "\\sonidos\\sonido3.wav"})
        platform.preloadSound(resolvePath(appPath, QLatin1String(cue)));
    Label3->hide();
    Timer1.start();
    Command2->setFocus();
}

void Form3::Command1_Click() {
    if (Command1->text() == licenceCaption) {
        for (QLabel *l : Label2)
            l->hide();
        Label3->show();
        Command1->setText(QStringLiteral("Autor"));
    } else {
        Label3->hide();
        for (QLabel *l : Label2)
            l->show();
        Command1->setText(licenceCaption);
    }
    platform.playSound(resolvePath(appPath, QStringLiteral("\\sonidos\\sonido1.wav")), true);
}

void Form3::Command2_Click() {
    platform.playSound(resolvePath(appPath, QStringLiteral("\\sonidos\\sonido3.wav")), true);
    if (showMainWindow)
        showMainWindow();
}

void Form3::Timer1_Timer() {
    const auto k = static_cast<int>(roundHalfEven(double(rng.next()) * 15));
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(labelColour(k)));
    Label1->setPalette(pal);
}

} // namespace garabix
