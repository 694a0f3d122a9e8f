// MainWindow's text tool: the panel with its text box and Cerrar button, bold and
// italic, the size and font lists, and the text's preview and commit.

#include "core/canvas/tools.h"
#include "core/text/numeric.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/widgets/uiutil.h"
#include "ui/widgets/widgetnames.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

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
// In the window's bottom right corner; with the larger controls, whose pens
// and lists run under the whole canvas, in the canvas's bottom right corner,
// over the drawing only.
void MainWindow::placeTextPanel() {
    const bool over = controlsScale() > 1;
    if (over) {
        // As large as the controls, or as the canvas has room for.
        const double f = std::max(
            1.0, std::min({controlsScale(), frame.frame.width() / layout::textPanelDesign.width(),
                           frame.frame.height() / layout::textPanelDesign.height()}));
        const auto scaled = [f](const QRectF &r) { return QRectF(r.topLeft() * f, r.size() * f); };
        placeTwips(textPanel, scaled(layout::textPanelDesign));
        placeTwips(textEdit, scaled(layout::textEditInPanel));
        placeTwips(closeTextButton, scaled(layout::closeButtonInPanel));
    }
    const QRectF panel = twipsRect(textPanel);
    const double right = over ? frame.frame.right() : screenWidthTwips();
    const double bottom = over ? frame.frame.bottom() : screenHeightTwips();
    placeTwips(textPanel,
               QRectF(roundHalfEven(right - panel.width()),
                      roundHalfEven(std::max(bottom - panel.height(), frame.frame.top())),
                      panel.width(), panel.height()));
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
    f.setBold(writing.font().bold());
    f.setItalic(writing.font().italic());
    f.setFamily(writing.font().family());
    f.setPointSizeF(writing.font().pointSizeF());
    textEdit->setFont(f);
}

// Cerrar ends the text tool: the panel and the preview go, the pencil is back.
void MainWindow::closeTextPanel() {
    textPanel->hide();
    state.currentTool = Tool::Pencil;
    document.canvas().repaint();
    showChoices();
}

void MainWindow::toggleTextStyle(int style) {
    if (style < 0 || style > 1)
        return;
    if (style == 0)
        writing.toggleBold();
    else
        writing.toggleItalic();
    applyFont();
    showChoices();
}

// Each list opens on the value in use, and after a pick the keyboard goes
// back to the text box.
void MainWindow::showListValue(QComboBox *combo, const QString &value) {
    int i = combo->findText(value, Qt::MatchFixedString);
    if (i < 0 && combo == fontBox)
        i = combo->findText(QFontInfo(writing.font()).family(), Qt::MatchFixedString);
    if (i >= 0)
        combo->setCurrentIndex(i);
    combo->setEditText(value);
    if (textEdit->isEnabled() && textEdit->isVisible())
        textEdit->setFocus();
}

void MainWindow::chooseTextSize() {
    const double v = leadingNumber(textSizeBox->currentText());
    if (writing.setSize(v))
        applyFont();
    showListValue(textSizeBox, QString::number(writing.font().pointSizeF()));
}

void MainWindow::chooseFont() {
    writing.setFamily(fontBox->currentText());
    applyFont();
    showListValue(fontBox, fontBox->currentText());
}

void MainWindow::textEdited() {
    writing.setText(textEdit->text());
    document.canvas().repaint();
}

// The words show and land as large as the text box shows them.
} // namespace garabix
