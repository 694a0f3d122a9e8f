// MainWindow's text tool: the panel with its text box and Cerrar button, bold and
// italic, the size and font lists, and the text's preview and commit.

#include "core/canvas/tools.h"
#include "core/text/numeric.h"
#include "ui/common/uiutil.h"
#include "ui/common/widgetnames.h"
#include "ui/mainwindow/mainwindow.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>

namespace garabix {

void MainWindow::createTextPanel() {
    // The lists take the keyboard only when clicked, so that a child's typing
    // never lands in the size box by surprise.
    textSizeBox = new QComboBox(this);
    textSizeBox->setObjectName(QString::fromLatin1(widgetname::textSizeBox));
    fontBox = new QComboBox(this);
    fontBox->setObjectName(QString::fromLatin1(widgetname::fontBox));
    // A size or font typed in is used, never added to the list.
    for (QComboBox *combo : {textSizeBox, fontBox}) {
        combo->setEditable(true);
        combo->setFocusPolicy(Qt::ClickFocus);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    connect(textSizeBox, qOverload<int>(&QComboBox::activated), this, [this] { chooseTextSize(); });
    connect(fontBox, qOverload<int>(&QComboBox::activated), this, [this] { chooseFont(); });
    connect(textSizeBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { chooseTextSize(); });
    connect(fontBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { chooseFont(); });
    const char *captions[2] = {"N", "C"};
    for (int i = 0; i < 2; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(widgetname::styleButton(i));
        b->setFocusPolicy(Qt::NoFocus);
        QFont f(QStringLiteral("Arial"), 12);
        f.setBold(i == 0);
        f.setItalic(i == 1);
        b->setFont(f);
        setButtonColour(b, white);
        connect(b, &QPushButton::clicked, this, [this, i] { toggleTextStyle(i); });
        styleButtons.append(b);
    }
    textPanel = new QWidget(this);
    textPanel->setObjectName(QString::fromLatin1(widgetname::textPanel));
    setBackground(textPanel, QColor(255, 255, 192));
    textEdit = new QLineEdit(textPanel);
    textEdit->setObjectName(QString::fromLatin1(widgetname::textEdit));
    closeTextButton = new QPushButton(config::builtInText(config::Text::CloseButton), textPanel);
    closeTextButton->setObjectName(QString::fromLatin1(widgetname::closeTextButton));
    connect(closeTextButton, &QPushButton::clicked, this, [this] { closeTextPanel(); });
    connect(textEdit, &QLineEdit::textChanged, this, [this] { textEdited(); });
}

// The panel sits in the window's bottom right corner.
void MainWindow::placeTextPanel() {
    const QRectF panel = twipsRect(textPanel);
    placeTwips(textPanel, QRectF(roundHalfEven(screenWidthTwips() - panel.width()),
                                 roundHalfEven(screenHeightTwips() - panel.height()), panel.width(),
                                 panel.height()));
}

void MainWindow::openTextPanel() {
    placeTextPanel();
    textPanel->show();
    textPanel->raise();
    textEdit->setText(QString());
    textEdit->setEnabled(true);
    textEdit->setFocus();
    textSizeBox->show();
    fontBox->show();
    for (QPushButton *b : styleButtons) {
        b->show();
        b->setEnabled(true);
    }
}

// The text box shows the text in the font the canvas will write it in.
void MainWindow::applyFont() {
    QFont f = textEdit->font();
    f.setBold(state.font.bold());
    f.setItalic(state.font.italic());
    f.setFamily(state.font.family());
    f.setPointSizeF(state.font.pointSizeF());
    textEdit->setFont(f);
}

// Cerrar ends the text tool: the panel and the preview go, the pencil is back.
void MainWindow::closeTextPanel() {
    textPanel->hide();
    state.currentTool = Tool::Pencil;
    document.canvas().repaint();
    showChoices();
}

void MainWindow::toggleTextStyle(int Index) {
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
void MainWindow::showListValue(QComboBox *combo, const QString &value) {
    int i = combo->findText(value, Qt::MatchFixedString);
    if (i < 0 && combo == fontBox)
        i = combo->findText(QFontInfo(state.font).family(), Qt::MatchFixedString);
    if (i >= 0)
        combo->setCurrentIndex(i);
    combo->setEditText(value);
    if (textEdit->isEnabled() && textEdit->isVisible())
        textEdit->setFocus();
}

void MainWindow::chooseTextSize() {
    const double v = leadingNumber(textSizeBox->currentText());
    if (v > 7 && v < 73) {
        state.font.setPointSizeF(v);
        applyFont();
    }
    showListValue(textSizeBox, QString::number(state.font.pointSizeF()));
}

void MainWindow::chooseFont() {
    state.font.setFamily(fontBox->currentText());
    applyFont();
    showListValue(fontBox, fontBox->currentText());
}

void MainWindow::textEdited() {
    document.canvas().repaint();
}

void MainWindow::textPreview(double x, double y) {
    document.canvas().repaint();
    const QString typed = textEdit->text();
    document.canvas().printText(Layer::Preview, QPointF(x, y),
                                typed.isEmpty() ? text(config::Text::TextPlaceholder) : typed,
                                canvasFont(), currentColour(state));
}

void MainWindow::textCommit(double x, double y) {
    document.canvas().printText(Layer::Keep, QPointF(x, y), textEdit->text(), canvasFont(),
                                currentColour(state));
}

// The text's font as the canvas writes it: as large as it shows in the box.
QFont MainWindow::canvasFont() const {
    QFont font = state.font;
    font.setPointSizeF(font.pointSizeF() * canvasScale);
    return font;
}

} // namespace garabix
