#pragma once

#include "printer/capture_file.h"

#include <QObject>
#include <QSerialPort>
#include <QStringList>

#include <memory>

namespace camvista::link
{

inline constexpr int kDefaultBaud = 115200;

// A printer emulator on a serial port (8N1), read continuously: each print appears as soon as
// its print command has arrived.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    // Opens the port ("ttyACM0" or a full path); on failure `why` says so in plain words, with
    // the usual remedy where there is one.
    bool open(const QString &port, int baud, QString &why);
    // Ends the capture: a print still waiting for its print command comes out cut short.
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString portName() const { return m_name; }

    qint64 bytesReceived() const { return m_received; }
    printer::CaptureCounts counts() const;
    int prints() const { return m_prints; }

signals:
    void printReceived(const camvista::printer::PrintResult &print);
    void countsChanged();
    // The port went away (the board was unplugged) or failed; the link is closed by then.
    void portLost(const QString &why);

private:
    void readAvailable();
    void portError(QSerialPort::SerialPortError error);
    void hand(const QList<printer::PrintResult> &prints);

    QSerialPort m_port;
    QString m_name;
    std::unique_ptr<printer::CaptureReader> m_reader;
    qint64 m_received = 0;
    int m_prints = 0;
};

// The serial ports there are, by name ("ttyACM0"), USB ones first.
QStringList availablePorts();

// The device file of a port name: "ttyACM0" is /dev/ttyACM0; a path stays as it is.
QString portDevice(const QString &port);

// Why a port could not be opened, with the remedy for a missing permission: the group the
// device belongs to (dialout on Debian) and how to join it.
QString openFailure(const QString &port, QSerialPort::SerialPortError error,
                    const QString &systemWords);

} // namespace camvista::link
