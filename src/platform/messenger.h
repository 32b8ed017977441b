#pragma once

#include <QString>

#include <optional>

namespace camvista
{

// The instant messenger's automation: enough to sign the user in and to set their display
// picture. Each call stands for a fresh automation object, as the messenger hands them out.
// Where no such messenger is installed every call fails quietly.
class Messenger
{
public:
    static constexpr int kSignedOut = 1;              // a status value
    static constexpr int kDisplayPictureProperty = 2; // holds the display picture's path

    virtual ~Messenger();

    // The user's status; nothing when no messenger answers.
    virtual std::optional<int> myStatus() = 0;
    // Starts signing the user in; false when no messenger answers.
    virtual bool signIn() = 0;
    // Writes one of the user's own properties; false when no messenger answers.
    virtual bool setMyProperty(int property, const QString &value) = 0;
    // Starts the messenger program (kMessengerProgram) in a normal window that takes the focus.
    virtual bool startProgram() = 0;
};

inline const QString kMessengerProgram =
    QStringLiteral("C:\\Program Files\\Windows Live\\Messenger\\msnmsgr.exe");

// The messenger of this system. None exists on Linux or macOS: every call fails.
Messenger &systemMessenger();

} // namespace camvista
