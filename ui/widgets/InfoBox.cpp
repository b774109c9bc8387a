#include "InfoBox.h"

#include "LanguageSwitch.h"
#include "UiText.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int CharactersPerLine = 30;
constexpr int Margin = 10;
constexpr int ButtonBottomGap = 6;

int WidestWord(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
}

} // namespace

TInfoBox::TInfoBox(const QString& caption, const QString& text, TSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FSettings(settings), FLabel(new QLabel(text, this)), FOkButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("fMsgBox"));
    setWindowTitle(caption);
    FLabel->setObjectName(QStringLiteral("MessageText"));
    FLabel->setWordWrap(true);
    FLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FOkButton->setObjectName(QStringLiteral("OkButton"));
    FOkButton->setDefault(true);
    connect(FOkButton, &QPushButton::clicked, this, &QDialog::accept);
    SwitchToStoredLanguage(FSettings, FWatcher);

    const QFontMetrics metrics(FLabel->font());
    const QSize button = ButtonSize();
    QSize client = ClientSizeFor(static_cast<int>(text.size()), metrics.averageCharWidth(), metrics.lineSpacing(),
                                 button.height());
    // Never so narrow that the button or the text's longest word is cut off (but no wider than the
    // screen), and grown where the font's real words need more lines than the steps allow for.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int widest = std::max(button.width(), WidestWord(metrics, text)) + 2 * Margin;
    client.setWidth(
        std::max(client.width(), screen != nullptr ? std::min(widest, screen->availableSize().width()) : widest));
    const int labelWidth = client.width() - 2 * Margin;
    const int textHeight = metrics.boundingRect(QRect(0, 0, labelWidth, 100000), Qt::TextWordWrap, text).height();
    client.setHeight(std::max(client.height(), textHeight + 3 * Margin + ButtonBottomGap + button.height()));
    setFixedSize(client);
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

QSize TInfoBox::ClientSizeFor(int characters, int characterWidth, int lineHeight, int buttonHeight)
{
    int perLine = CharactersPerLine;
    int lines = 1;
    if (characters > CharactersPerLine) {
        lines = characters / CharactersPerLine;
    } else {
        perLine = characters;
    }
    return {perLine * characterWidth + 8, buttonHeight + 40 + lines * lineHeight};
}

void TInfoBox::Relabel()
{
    FOkButton->setText(UiText(msg::Ok));
    FSettings.ActiveLanguage = LanguageHolder().Language();
}

void TInfoBox::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

QSize TInfoBox::ButtonSize() const
{
    return FOkButton->sizeHint().expandedTo(QSize(75, 0));
}

void TInfoBox::LayOut()
{
    const QSize button = ButtonSize();
    FOkButton->setGeometry((width() - button.width()) / 2, height() - ButtonBottomGap - button.height(), button.width(),
                           button.height());
    FLabel->setGeometry(Margin, Margin, width() - 2 * Margin, FOkButton->y() - 2 * Margin);
}

void ShowInfoBox(const QString& caption, const QString& text, TSettings& settings, QWidget* parent)
{
    TInfoBox box(caption, text, settings, parent);
    // The repaint a moment after showing, so the box is drawn even over a busy window.
    QTimer::singleShot(100, &box, [&box] { box.update(); });
    box.exec();
}
