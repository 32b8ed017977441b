#include "captions.h"

#include "shell/version.h"

namespace camvista
{

QString shortVersionCaption()
{
    return QStringLiteral("Camvista v.%1.%2").arg(kVersionMajor).arg(kVersionMinor);
}

QString versionCaption()
{
    return shortVersionCaption() + QStringLiteral(".%1").arg(kVersionRevision);
}

QString welcomeCaption(const QString &versionText, const QString &userId)
{
    return versionText + QStringLiteral(" - Welcome, GC-") + userId + QStringLiteral(" !");
}

} // namespace camvista
