#pragma once

#include "messenger.h"

#include <QStringList>

namespace camvista
{

// A messenger for tests: answers with a scripted status and records every call, in order, as
// "status", "sign in", "start <program>" and "property <n> = <value>".
class FakeMessenger final : public Messenger
{
public:
    std::optional<int> myStatus() override;
    bool signIn() override;
    bool setMyProperty(int property, const QString &value) override;
    bool startProgram() override;

    std::optional<int> status = 0; // what myStatus answers; nothing: no messenger
    QStringList calls;
};

} // namespace camvista
