#include "Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

static void LoadResources()
{
    Q_INIT_RESOURCE(sealvane);
}

namespace Artwork {

void Load()
{
    LoadResources();
}

QPixmap Picture(const QString& name, QSize size)
{
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/sealvane/%1.svg").arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon Icon(const QString& name)
{
    return QIcon(QStringLiteral(":/sealvane/%1.svg").arg(name));
}

QPixmap Flag(TLanguage language, QSize size)
{
    static const char* const names[LanguageCount] = {"flag-en", "flag-de", "flag-fr", "flag-eo"};
    return Picture(QString::fromLatin1(names[language < LanguageCount ? language : 0]), size);
}

} // namespace Artwork
