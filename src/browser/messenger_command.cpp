#include "messenger_command.h"

#include "platform/desktop.h"
#include "platform/messenger.h"

#include <QDir>

namespace camvista
{

void setMessengerPicture(QWidget *parent, Desktop &desktop, Messenger &messenger,
                         const QString &folder, const QString &fileName)
{
    const QString hey = QStringLiteral("Hey!");
    if (fileName.isEmpty()) {
        desktop.showMessage(parent, kSelectFirstMessage, hey, Desktop::Icon::Question);
        return;
    }
    // A status that cannot be read counts as signed in: the property write then fails quietly
    // as well, so nothing shows where no messenger answers.
    if (messenger.myStatus().value_or(0) == Messenger::kSignedOut) {
        const Desktop::Answer answer = desktop.showMessage(
            parent, kSignInQuestion, hey, Desktop::Icon::Question, Desktop::Buttons::YesNo);
        if (answer != Desktop::Answer::Yes)
            return;
        messenger.startProgram();
        messenger.signIn();
        return;
    }
    if (!messenger.setMyProperty(Messenger::kDisplayPictureProperty,
                                 QDir::toNativeSeparators(QDir(folder).filePath(fileName)))) {
        // Silence here would read as success.
        desktop.showMessage(parent, kNoMessengerMessage, QStringLiteral("Camvista"),
                            Desktop::Icon::Information);
    }
}

} // namespace camvista
