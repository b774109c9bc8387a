#include "OptionsUserPage.h"

#include "ui/widgets/Artwork.h"
#include "ui/widgets/FontDialog.h"
#include "ui/widgets/StoredFont.h"
#include "ui/widgets/UiText.h"
#include "container/ExtraString.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

// Takes a window out of the always-on-top layer while a system dialog opened from it is shown, so
// that the dialog cannot end up behind it, and puts it back afterwards.
class TOnTopDropped
{
public:
    explicit TOnTopDropped(QWidget* window) : FWindow(window->windowHandle())
    {
        FWasOnTop = FWindow != nullptr && FWindow->flags().testFlag(Qt::WindowStaysOnTopHint);
        if (FWasOnTop) {
            FWindow->setFlag(Qt::WindowStaysOnTopHint, false);
        }
    }
    ~TOnTopDropped()
    {
        if (FWasOnTop && FWindow != nullptr) {
            FWindow->setFlag(Qt::WindowStaysOnTopHint, true);
        }
    }
    TOnTopDropped(const TOnTopDropped&) = delete;
    TOnTopDropped& operator=(const TOnTopDropped&) = delete;

private:
    QPointer<QWindow> FWindow;
    bool FWasOnTop = false;
};

QToolButton* MakeIconButton(QWidget* parent, const char* name, const char* icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(Artwork::Icon(QLatin1String(icon)));
    button->setIconSize(QSize(20, 20));
    return button;
}

// The pixels per inch of the screen the page is shown on.
double DotsPerInch(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

// An address as the list keeps it: trimmed, and without the separator of the stored list, which
// would split it in two.
QString CleanAddress(const QString& text)
{
    return QString(text).remove(QChar(TExtraString::Separator)).trimmed();
}

} // namespace

TOptionsUserPage::TOptionsUserPage(QWidget* parent)
    : TOptionsPage(parent), FFontGroup(Make<QGroupBox>(this, "DefaultFontGroup")),
      FPreview(Make<QLabel>(FFontGroup, "FontPreview")),
      FFontButton(MakeIconButton(FFontGroup, "FontButton", "icon-font")),
      FColourButton(MakeIconButton(FFontGroup, "ColourButton", "icon-color")),
      FAddressGroup(Make<QGroupBox>(this, "OwnAddressesGroup")),
      FAddresses(Make<QListWidget>(FAddressGroup, "AddressList")),
      FAddress(Make<QLineEdit>(FAddressGroup, "AddressEdit")),
      FAddButton(Make<QPushButton>(FAddressGroup, "AddButton")),
      FDeleteButton(Make<QPushButton>(FAddressGroup, "DeleteButton"))
{
    setObjectName(QStringLiteral("UserPage"));
    FPreview->setFrameShape(QFrame::StyledPanel);
    FPreview->setMinimumHeight(40);
    FPreview->setAutoFillBackground(true);
    FPreview->setBackgroundRole(QPalette::Base);
    connect(FFontButton, &QToolButton::clicked, this, &TOptionsUserPage::ChooseFont);
    connect(FColourButton, &QToolButton::clicked, this, &TOptionsUserPage::ChooseColour);

    FAddresses->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FAddress->installEventFilter(this);
    for (QPushButton* button : {FAddButton, FDeleteButton}) {
        button->setAutoDefault(false);
        button->setEnabled(false);
    }
    connect(FAddress, &QLineEdit::textChanged, this,
            [this](const QString& text) { FAddButton->setEnabled(!CleanAddress(text).isEmpty()); });
    connect(FAddButton, &QPushButton::clicked, this, &TOptionsUserPage::AddAddress);
    connect(FDeleteButton, &QPushButton::clicked, this, &TOptionsUserPage::DeleteAddresses);
    connect(FAddresses, &QListWidget::itemSelectionChanged, this, &TOptionsUserPage::SelectionChanged);

    auto* font = new QGridLayout(FFontGroup);
    font->addWidget(FPreview, 0, 0, 2, 1);
    font->addWidget(FFontButton, 0, 1);
    font->addWidget(FColourButton, 1, 1);
    font->setColumnStretch(0, 1);
    auto* addresses = new QGridLayout(FAddressGroup);
    addresses->addWidget(FAddresses, 0, 0, 3, 1);
    addresses->addWidget(FAddress, 3, 0);
    addresses->addWidget(FAddButton, 3, 1);
    addresses->addWidget(FDeleteButton, 0, 1, Qt::AlignTop);
    addresses->setColumnStretch(0, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(FFontGroup);
    page->addWidget(FAddressGroup, 1);
}

void TOptionsUserPage::Load(const TSettings& settings)
{
    FFont = settings.DefaultFont;
    ShowFont();
    FAddresses->clear();
    for (const std::string& address : SplitSeparated(settings.OwnMailAddresses)) {
        FAddresses->addItem(QString::fromStdString(address));
    }
}

void TOptionsUserPage::Save(TSettings& settings) const
{
    settings.DefaultFont = FFont;
    std::vector<std::string> addresses;
    for (int row = 0; row < FAddresses->count(); ++row) {
        addresses.push_back(FAddresses->item(row)->text().toStdString());
    }
    settings.OwnMailAddresses = JoinSeparated(addresses);
}

void TOptionsUserPage::Relabel()
{
    FFontGroup->setTitle(UiText(msg::DefaultFont));
    FPreview->setText(UiText(msg::FontSample));
    FPreview->setAccessibleName(UiText(msg::DefaultFont));
    FFontButton->setToolTip(UiText(msg::ChooseFont));
    FFontButton->setAccessibleName(UiText(msg::ChooseFont));
    FColourButton->setToolTip(UiText(msg::ChooseColor));
    FColourButton->setAccessibleName(UiText(msg::ChooseColor));
    FAddressGroup->setTitle(UiText(msg::OwnMailAddresses));
    FAddresses->setAccessibleName(UiText(msg::OwnMailAddresses));
    FAddress->setAccessibleName(UiText(msg::OwnMailAddress));
    FAddButton->setText(UiText(msg::Add));
    FDeleteButton->setText(UiText(msg::Delete));
}

bool TOptionsUserPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FAddress && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (FAddButton->isEnabled()) {
                AddAddress();
            }
            return true;
        }
    }
    return TOptionsPage::eventFilter(watched, event);
}

void TOptionsUserPage::ChooseFont()
{
    const double dotsPerInch = DotsPerInch(this);
    QFont font = FontOfStored(FFont);
    font.setPointSizeF(PointsOfPixels(font.pixelSize(), dotsPerInch));
    TOnTopDropped dropped(window());
    if (ExecuteFontDialog(window(), font)) {
        StoreFont(font, dotsPerInch, FFont);
        ShowFont();
    }
}

void TOptionsUserPage::ChooseColour()
{
    TOnTopDropped dropped(window());
    const QColor colour = QColorDialog::getColor(ColourOfStored(FFont), window(), UiText(msg::ChooseColor));
    if (colour.isValid()) {
        StoreColour(colour, FFont);
        ShowFont();
    }
}

void TOptionsUserPage::ShowFont()
{
    FPreview->setFont(FontOfStored(FFont));
    QPalette palette = FPreview->palette();
    palette.setColor(QPalette::WindowText, ColourOfStored(FFont));
    FPreview->setPalette(palette);
}

void TOptionsUserPage::AddAddress()
{
    FAddresses->addItem(CleanAddress(FAddress->text()));
}

void TOptionsUserPage::DeleteAddresses()
{
    qDeleteAll(FAddresses->selectedItems());
}

void TOptionsUserPage::SelectionChanged()
{
    QList<QListWidgetItem*> selected = FAddresses->selectedItems();
    FDeleteButton->setEnabled(!selected.isEmpty());
    if (selected.isEmpty()) {
        return;
    }
    const auto first = std::min_element(selected.begin(), selected.end(), [this](auto* left, auto* right) {
        return FAddresses->row(left) < FAddresses->row(right);
    });
    FAddress->setText((*first)->text());
}
