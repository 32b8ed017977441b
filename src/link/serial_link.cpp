#include "serial_link.h"

#include <QFile>
#include <QSerialPortInfo>

#include <grp.h>
#include <sys/stat.h>

namespace camvista::link
{

namespace
{

// The name of the group that owns the device, or empty.
QString deviceGroup(const QString &device)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0)
        return {};
    const struct group *g = ::getgrgid(st.st_gid);
    return g != nullptr ? QString::fromLocal8Bit(g->gr_name) : QString();
}

} // namespace

QString portDevice(const QString &port)
{
    return port.startsWith(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
}

QString openFailure(const QString &port, QSerialPort::SerialPortError error,
                    const QString &systemWords)
{
    const QString device = portDevice(port);
    const QString because =
        systemWords.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(systemWords);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("There is no serial port %1%2. Is the printer emulator plugged in? "
                              "Refresh the list of ports after plugging it in.")
            .arg(device, because);
    case QSerialPort::PermissionError: {
        const QString group = deviceGroup(device);
        const QString named = group.isEmpty() ? QStringLiteral("dialout") : group;
        return QStringLiteral("You are not allowed to open the serial port %1%2. The port belongs "
                              "to the group %3: add yourself to it (sudo usermod -aG %3 $USER), "
                              "then log out and in again. If another program has the port open, "
                              "close it first.")
            .arg(device, because, named);
    }
    default:
        return QStringLiteral("The serial port %1 could not be opened%2.").arg(device, because);
    }
}

QStringList availablePorts()
{
    QStringList usb;
    QStringList others;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString name = info.portName();
        (name.startsWith(QLatin1String("ttyACM")) || name.startsWith(QLatin1String("ttyUSB"))
             ? usb
             : others)
            .append(name);
    }
    usb.sort();
    others.sort();
    return usb + others;
}

SerialLink::SerialLink(QObject *parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::readAvailable);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::portError);
}

SerialLink::~SerialLink()
{
    // Prints still on their way cannot be handed to anyone now.
    m_port.blockSignals(true);
    blockSignals(true);
    m_port.close();
}

bool SerialLink::open(const QString &port, int baud, QString &why)
{
    close();
    m_port.setPortName(port);
    m_port.setBaudRate(baud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadOnly)) {
        why = openFailure(port, m_port.error(), m_port.errorString());
        m_port.clearError();
        return false;
    }
    m_name = port;
    m_reader = std::make_unique<printer::CaptureReader>();
    m_received = 0;
    m_prints = 0;
    emit countsChanged();
    return true;
}

void SerialLink::close()
{
    if (!m_port.isOpen())
        return;
    readAvailable();
    m_port.close();
    if (m_reader)
        hand(m_reader->finish());
    emit countsChanged();
}

printer::CaptureCounts SerialLink::counts() const
{
    return m_reader ? m_reader->counts() : printer::CaptureCounts{};
}

void SerialLink::readAvailable()
{
    if (!m_reader || !m_port.isOpen())
        return;
    const QByteArray bytes = m_port.readAll();
    if (bytes.isEmpty())
        return;
    m_received += bytes.size();
    hand(m_reader->feed(bytes));
    emit countsChanged();
}

void SerialLink::hand(const QList<printer::PrintResult> &prints)
{
    for (const printer::PrintResult &print : prints) {
        ++m_prints;
        emit printReceived(print);
    }
}

void SerialLink::portError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port.isOpen())
        return;
    if (error == QSerialPort::TimeoutError)
        return;
    const QString words = m_port.errorString();
    const QString device = portDevice(m_name);
    m_port.clearError();
    // What arrived before stays: the prints finished so far are out already.
    close();
    // A board unplugged shows as a failed read or a vanished device, depending on its driver.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    emit portLost(gone ? QStringLiteral("The serial port %1 went away (%2): was the printer "
                                        "emulator unplugged? Every print received before stays "
                                        "written.")
                             .arg(device, words)
                       : QStringLiteral("Reading the serial port %1 failed (%2). Every print "
                                        "received before stays written.")
                             .arg(device, words));
}

} // namespace camvista::link
