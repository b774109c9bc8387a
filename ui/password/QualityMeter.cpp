#include "QualityMeter.h"

#include "ui/widgets/Fonts.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

struct TBand
{
    QColor From;
    QColor To;
};

// Red to dark red, lemon to olive, green to dark green.
const TBand Bands[3] = {{QColor(255, 0, 0), QColor(159, 0, 0)},
                        {QColor(255, 255, 0), QColor(186, 201, 1)},
                        {QColor(0, 255, 0), QColor(16, 142, 2)}};

constexpr int BandHeight = 13;
constexpr int BarTop = 11;
constexpr int BarHeight = 9;

} // namespace

TQualityMeter::TQualityMeter(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QualityMeter"));
    setMinimumSize(sizeHint());
    Relabel();
}

void TQualityMeter::SetPosition(int position)
{
    FPosition = std::clamp(position, 0, 100);
    update();
}

void TQualityMeter::Relabel()
{
    FLabels[0] = UiText(msg::QualityBad);
    FLabels[1] = UiText(msg::QualitySufficient);
    FLabels[2] = UiText(msg::QualityGood);
    update();
}

void TQualityMeter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(Fonts::Sans(11));
    // Three bands of a third each, overlapping by one pixel.
    const int bandWidth = (width() + 2) / 3 + 1;
    for (int band = 0; band < 3; ++band) {
        const QRect area(band * (bandWidth - 1) - 1, 0, bandWidth, BandHeight);
        QLinearGradient gradient(area.topLeft(), area.topRight());
        gradient.setColorAt(0, Bands[band].From);
        gradient.setColorAt(1, Bands[band].To);
        painter.fillRect(area, gradient);
        painter.setPen(band == 1 ? Qt::black : Qt::white);
        painter.drawText(area.adjusted(0, -1, 0, 0), Qt::AlignCenter, FLabels[band]);
    }
    const QRect bar(0, BarTop, width(), BarHeight);
    painter.fillRect(bar, palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const int filled = (bar.width() - 2) * FPosition / 100;
    painter.fillRect(QRect(bar.x() + 1, bar.y() + 1, filled, bar.height() - 2), palette().highlight());
}
