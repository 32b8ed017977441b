#pragma once

#include <QString>

class QWidget;

namespace camvista
{

class Desktop;
class Messenger;

inline const QString kSelectFirstMessage = QStringLiteral("Select a picture first");
inline const QString kSignInQuestion =
    QStringLiteral("You have to be connected to Windows Live Messenger to change your picture. "
                   "Do you want to Sign In now?");
inline const QString kNoMessengerMessage =
    QStringLiteral("Windows Live Messenger is not available on this system, so your display "
                   "picture was not changed.");

// "Set as Live Messenger avatar": makes the file `fileName` in `folder` the user's display
// picture. A signed-out user is offered to start the messenger and sign in; the picture is then
// set by the next use. Every messenger step that fails is passed over, but when no messenger
// took the picture the user is told so: nothing changed.
void setMessengerPicture(QWidget *parent, Desktop &desktop, Messenger &messenger,
                         const QString &folder, const QString &fileName);

} // namespace camvista
