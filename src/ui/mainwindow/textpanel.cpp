#include "ui/mainwindow/textpanel.h"

#include "core/files/config.h"
#include "core/text/numeric.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>

namespace garabix {

namespace {
// Bold and italic, when on: light blue behind a black letter.
constexpr ColourWord toggleOnColour = 0xFFC890;
} // namespace

TextPanel::TextPanel(QWidget *window) : QObject(window) {
    // The lists take the keyboard only when clicked, so that a child's typing
    // never lands in the size box by surprise.
    sizeBox = new QComboBox(window);
    sizeBox->setObjectName(QString::fromLatin1(widgetname::textSizeBox));
    fontBox = new QComboBox(window);
    fontBox->setObjectName(QString::fromLatin1(widgetname::fontBox));
    // A size or font typed in is used, never added to the list.
    for (QComboBox *combo : {sizeBox, fontBox}) {
        combo->setEditable(true);
        combo->setFocusPolicy(Qt::ClickFocus);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    connect(sizeBox, qOverload<int>(&QComboBox::activated), this, [this] { chooseSize(); });
    connect(fontBox, qOverload<int>(&QComboBox::activated), this, [this] { chooseFont(); });
    connect(sizeBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { chooseSize(); });
    connect(fontBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { chooseFont(); });
    const char *captions[2] = {"N", "C"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(captions[i]), window);
        b->setObjectName(widgetname::styleButton(i));
        b->setFocusPolicy(Qt::NoFocus);
        QFont f(QStringLiteral("Arial"), 12);
        f.setBold(i == 0);
        f.setItalic(i == 1);
        b->setFont(f);
        setButtonColour(b, white);
        connect(b, &QPushButton::clicked, this, [this, i] { toggleStyle(i); });
        styleButtons[size_t(i)] = b;
    }
    panel = new QWidget(window);
    panel->setObjectName(QString::fromLatin1(widgetname::textPanel));
    setBackground(panel, QColor(255, 255, 192));
    textBox = new QLineEdit(panel);
    textBox->setObjectName(QString::fromLatin1(widgetname::textEdit));
    closeButton = new QPushButton(config::builtInText(config::Text::CloseButton), panel);
    closeButton->setObjectName(QString::fromLatin1(widgetname::closeTextButton));
    connect(closeButton, &QPushButton::clicked, this, [this] {
        if (closed)
            closed();
    });
    connect(textBox, &QLineEdit::textChanged, this, [this] { edited(); });
}

void TextPanel::useTexts(const QString &closeCaption, const QString &placeholder) {
    closeButton->setText(closeCaption);
    writing.setPlaceholder(placeholder);
}

void TextPanel::load() {
    runSkippingFailure("filling the size list", [&] {
        sizeBox->clear();
        for (int n = 12; n <= 48; n += 2)
            sizeBox->addItem(QString::number(n));
    });
    runSkippingFailure("filling the font list",
                       [&] { fontBox->addItems(QFontDatabase::families()); });
    runSkippingFailure("choosing the text font", [&] {
        writing.setSize(18);
        writing.setFamily(QStringLiteral("arial"));
    });
    runSkippingFailure("showing the text font", [&] {
        showListValue(sizeBox, QStringLiteral("18"));
        showListValue(fontBox, QStringLiteral("Arial"));
    });
    runSkippingFailure("readying the text box", [&] {
        textBox->setEnabled(false);
        QFont f = textBox->font();
        f.setPointSize(18);
        f.setFamily(QStringLiteral("Arial"));
        textBox->setFont(f);
    });
}

void TextPanel::scaleFonts(double factor) {
    for (QWidget *w : {static_cast<QWidget *>(closeButton), static_cast<QWidget *>(sizeBox),
                       static_cast<QWidget *>(fontBox), static_cast<QWidget *>(styleButtons[0]),
                       static_cast<QWidget *>(styleButtons[1])}) {
        QFont font = w->font();
        font.setPointSizeF(font.pointSizeF() * factor);
        w->setFont(font);
    }
}

void TextPanel::open() {
    panel->show();
    panel->raise();
    textBox->setText(QString());
    textBox->setEnabled(true);
    textBox->setFocus();
    sizeBox->show();
    fontBox->show();
    for (QPushButton *b : styleButtons) {
        b->show();
        b->setEnabled(true);
    }
}

void TextPanel::hide() {
    panel->hide();
}

bool TextPanel::isOpen() const {
    return panel->isVisible();
}

// The text box shows the text in the font the canvas will write it in.
void TextPanel::applyFont() {
    QFont f = textBox->font();
    f.setBold(writing.font().bold());
    f.setItalic(writing.font().italic());
    f.setFamily(writing.font().family());
    f.setPointSizeF(writing.font().pointSizeF());
    textBox->setFont(f);
}

void TextPanel::toggleStyle(int style) {
    if (style < 0 || style > 1)
        return;
    if (style == 0)
        writing.toggleBold();
    else
        writing.toggleItalic();
    applyFont();
    showStyle();
}

void TextPanel::showStyle() {
    const bool on[2] = {writing.font().bold(), writing.font().italic()};
    for (size_t i = 0; i < 2; ++i)
        if (isMarkedChosen(styleButtons[i]) != on[i])
            setButtonColour(styleButtons[i], on[i] ? toggleOnColour : white, on[i]);
}

// Each list opens on the value in use, and after a pick the keyboard goes
// back to the text box.
void TextPanel::showListValue(QComboBox *combo, const QString &value) {
    int i = combo->findText(value, Qt::MatchFixedString);
    if (i < 0 && combo == fontBox)
        i = combo->findText(QFontInfo(writing.font()).family(), Qt::MatchFixedString);
    if (i >= 0)
        combo->setCurrentIndex(i);
    combo->setEditText(value);
    if (textBox->isEnabled() && textBox->isVisible())
        textBox->setFocus();
}

void TextPanel::chooseSize() {
    const double v = leadingNumber(sizeBox->currentText());
    if (writing.setSize(v))
        applyFont();
    showListValue(sizeBox, QString::number(writing.font().pointSizeF()));
}

void TextPanel::chooseFont() {
    writing.setFamily(fontBox->currentText());
    applyFont();
    showListValue(fontBox, fontBox->currentText());
}

void TextPanel::edited() {
    writing.setText(textBox->text());
    if (edit)
        edit();
}

void TextPanel::addAccessAreas(AccessArea &box, AccessArea &rest) {
    if (!isOpen())
        return;
    box.targets.push_back({textBox, {}, [this] { textBox->setFocus(); }, {}});
    for (QComboBox *combo : {sizeBox, fontBox})
        rest.targets.push_back({combo,
                                {},
                                [combo] {
                                    combo->setFocus();
                                    combo->showPopup();
                                },
                                {}});
    for (QPushButton *b : styleButtons)
        rest.targets.push_back(buttonTarget(b));
    rest.targets.push_back(buttonTarget(closeButton));
}

} // namespace garabix
