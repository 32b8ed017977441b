#include "messenger.h"

namespace camvista
{

Messenger::~Messenger() = default;

namespace
{

// No automation object can be reached here, so nothing answers.
class AbsentMessenger final : public Messenger
{
public:
    std::optional<int> myStatus() override { return std::nullopt; }
    bool signIn() override { return false; }
    bool setMyProperty(int, const QString &) override { return false; }
    bool startProgram() override { return false; }
};

} // namespace

Messenger &systemMessenger()
{
    static AbsentMessenger messenger;
    return messenger;
}

} // namespace camvista
