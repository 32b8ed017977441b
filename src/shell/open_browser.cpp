#include "open_browser.h"

#include "platform/desktop.h"

namespace camvista
{

QString webAddress(const QString &address)
{
    if (address.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("http://") + address;
}

bool OpenBrowser(Desktop &desktop, const QString &address)
{
    return desktop.openAddress(webAddress(address));
}

} // namespace camvista
