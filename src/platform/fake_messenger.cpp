#include "fake_messenger.h"

namespace camvista
{

std::optional<int> FakeMessenger::myStatus()
{
    calls.append(QStringLiteral("status"));
    return status;
}

bool FakeMessenger::signIn()
{
    calls.append(QStringLiteral("sign in"));
    return status.has_value();
}

bool FakeMessenger::setMyProperty(int property, const QString &value)
{
    calls.append(QStringLiteral("property %1 = %2").arg(property).arg(value));
    return status.has_value();
}

bool FakeMessenger::startProgram()
{
    calls.append(QStringLiteral("start ") + kMessengerProgram);
    return status.has_value();
}

} // namespace camvista
