#pragma once

#include <QString>

namespace camvista
{

class Desktop;

// "http://" in front unless the address already starts with "http" in any mix of capitals.
QString webAddress(const QString &address);

// Opens a web address with the desktop's default handler; true when the desktop reported
// success.
bool OpenBrowser(Desktop &desktop, const QString &address);

} // namespace camvista
