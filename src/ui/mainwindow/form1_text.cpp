// Form1's text tool: the panel with its text box and Cerrar button, bold and
// italic, the size and font lists, and the text's preview and commit.

#include "core/canvas/tools.h"
#include "core/text/numeric.h"
#include "ui/common/uiutil.h"
#include "ui/mainwindow/form1.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>

namespace garabix {

void Form1::createTextPanel() {
    // The lists take the keyboard only when clicked, so that a child's typing
    // never lands in the size box by surprise.
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    // A size or font typed in is used, never added to the list.
    for (QComboBox *combo : {Combo1, Combo2}) {
        combo->setEditable(true);
        combo->setFocusPolicy(Qt::ClickFocus);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    connect(Combo1, qOverload<int>(&QComboBox::activated), this, [this] { Combo1_Click(); });
    connect(Combo2, qOverload<int>(&QComboBox::activated), this, [this] { Combo2_Click(); });
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, this, [this] { Combo1_Click(); });
    connect(Combo2->lineEdit(), &QLineEdit::returnPressed, this, [this] { Combo2_Click(); });
    const char *captions[2] = {"N", "C"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(QStringLiteral("Command3_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        QFont f(QStringLiteral("Arial"), 12);
        f.setBold(i == 0);
        f.setItalic(i == 1);
        b->setFont(f);
        setButtonColour(b, white);
        connect(b, &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
        Command3.append(b);
    }
    Picture4 = new QWidget(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    setBackground(Picture4, QColor(255, 255, 192));
    Text1 = new QLineEdit(Picture4);
    Text1->setObjectName(QStringLiteral("Text1"));
    Command4 = new QPushButton(config::builtInText(config::Text::CloseButton), Picture4);
    Command4->setObjectName(QStringLiteral("Command4"));
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
}

// The panel sits in the window's bottom right corner.
void Form1::placeTextPanel() {
    const QRectF panel = twipsRect(Picture4);
    placeTwips(Picture4, QRectF(roundHalfEven(screenWidthTwips() - panel.width()),
                                roundHalfEven(screenHeightTwips() - panel.height()), panel.width(),
                                panel.height()));
}

void Form1::openTextPanel() {
    placeTextPanel();
    Picture4->show();
    Picture4->raise();
    Text1->setText(QString());
    Text1->setEnabled(true);
    Text1->setFocus();
    Combo1->show();
    Combo2->show();
    for (QPushButton *b : Command3) {
        b->show();
        b->setEnabled(true);
    }
}

// The text box shows the text in the font the canvas will write it in.
void Form1::applyFont() {
    QFont f = Text1->font();
    f.setBold(state.font.bold());
    f.setItalic(state.font.italic());
    f.setFamily(state.font.family());
    f.setPointSizeF(state.font.pointSizeF());
    Text1->setFont(f);
}

// Cerrar ends the text tool: the panel and the preview go, the pencil is back.
void Form1::Command4_Click() {
    Picture4->hide();
    state.currentTool = Tool::Pencil;
    document.canvas().repaint();
    showChoices();
}

void Form1::Command3_Click(int Index) {
    if (Index < 0 || Index > 1)
        return;
    if (Index == 0)
        state.font.setBold(!state.font.bold());
    else
        state.font.setItalic(!state.font.italic());
    applyFont();
    showChoices();
}

// Each list opens on the value in use, and after a pick the keyboard goes
// back to the text box.
void Form1::showListValue(QComboBox *combo, const QString &value) {
    int i = combo->findText(value, Qt::MatchFixedString);
    if (i < 0 && combo == Combo2)
        i = combo->findText(QFontInfo(state.font).family(), Qt::MatchFixedString);
    if (i >= 0)
        combo->setCurrentIndex(i);
    combo->setEditText(value);
    if (Text1->isEnabled() && Text1->isVisible())
        Text1->setFocus();
}

void Form1::Combo1_Click() {
    const double v = leadingNumber(Combo1->currentText());
    if (v > 7 && v < 73) {
        state.font.setPointSizeF(v);
        applyFont();
    }
    showListValue(Combo1, QString::number(state.font.pointSizeF()));
}

void Form1::Combo2_Click() {
    state.font.setFamily(Combo2->currentText());
    applyFont();
    showListValue(Combo2, Combo2->currentText());
}

void Form1::Text1_Change() {
    document.canvas().repaint();
}

void Form1::textPreview(double x, double y) {
    document.canvas().repaint();
    const QString typed = Text1->text();
    document.canvas().printText(Layer::Preview, QPointF(x, y),
                                typed.isEmpty() ? text(config::Text::TextPlaceholder) : typed,
                                canvasFont(), currentColour(state));
}

void Form1::textCommit(double x, double y) {
    document.canvas().printText(Layer::Keep, QPointF(x, y), Text1->text(), canvasFont(),
                                currentColour(state));
}

// The text's font as the canvas writes it: as large as it shows in the box.
QFont Form1::canvasFont() const {
    QFont font = state.font;
    font.setPointSizeF(font.pointSizeF() * canvasScale);
    return font;
}

} // namespace garabix
