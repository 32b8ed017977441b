#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <sys/mount.h>

namespace camvista::test
{

// A tmpfs of a chosen size mounted on a folder for as long as the object lives.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : m_folder(QFile::encodeName(folder)) {}
    ~SmallDisk() { unmount(); }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // Empty when mounted, else the reason.
    QString mount(qint64 bytes)
    {
        unmount();
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("camvista-test", m_folder.constData(), "tmpfs", 0, options.constData()) != 0)
            return QStringLiteral("cannot mount a tmpfs here (%1)").arg(qt_error_string(errno));
        m_mounted = true;
        return {};
    }

    void unmount()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
        m_mounted = false;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

} // namespace camvista::test
