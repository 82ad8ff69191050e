// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/serial_port.h"

#include "platform/serial/line_settings.h"
#include "platform/serial/port_paths.h"

#include <QMetaObject>
#include <QObject>
#include <QSerialPort>

#include <limits>

namespace platform {

namespace {

constexpr int kMaxThreshold = std::numeric_limits<std::int16_t>::max();

QSerialPort::Parity qtParity(Parity parity)
{
    switch (parity) {
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Odd: return QSerialPort::OddParity;
    case Parity::Mark: return QSerialPort::MarkParity;
    case Parity::Space: return QSerialPort::SpaceParity;
    case Parity::None: break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(StopBits bits)
{
    switch (bits) {
    case StopBits::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case StopBits::Two: return QSerialPort::TwoStop;
    case StopBits::One: break;
    }
    return QSerialPort::OneStop;
}

}  // namespace

struct SerialPort::Impl {
    explicit Impl(SerialPort& owner) : owner(owner)
    {
        QObject::connect(&port, &QSerialPort::readyRead, &context, [this] { dataArrived(); });
        QObject::connect(&port, &QSerialPort::errorOccurred, &context,
                         [this](QSerialPort::SerialPortError error) { failed(error); });
    }

    bool apply(const LineSettings& wanted);
    void fetchPending();
    void dataArrived();
    void raise();
    void failed(QSerialPort::SerialPortError error);

    SerialPort& owner;
    QSerialPort port;
    QObject context;  // receives the port's signals and the queued events
    int commPort = 1;
    LineSettings settings;
    int threshold = 0;
    bool raisePending = false;
    bool raising = false;
    QString error;
    QString openPath;
    // Lets a receive event notice that its port was destroyed by the handler.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

bool SerialPort::Impl::apply(const LineSettings& wanted)
{
    const bool ok = port.setBaudRate(wanted.baudRate)
                    && port.setParity(qtParity(wanted.parity))
                    && port.setDataBits(static_cast<QSerialPort::DataBits>(wanted.dataBits))
                    && port.setStopBits(qtStopBits(wanted.stopBits))
                    && port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok)
        error = port.errorString();
    return ok;
}

// Pulls what the device holds into the receive buffer without the event
// loop (the port search reads while it blocks the window).
void SerialPort::Impl::fetchPending()
{
    if (!port.isOpen())
        return;
    while (port.waitForReadyRead(0)) {
    }
    port.clearError();
}

void SerialPort::Impl::dataArrived()
{
    if (raisePending || raising || threshold <= 0 || !port.isOpen())
        return;
    if (port.bytesAvailable() < threshold)
        return;
    raisePending = true;
    QMetaObject::invokeMethod(&context, [this] { raise(); }, Qt::QueuedConnection);
}

void SerialPort::Impl::raise()
{
    raisePending = false;
    if (raising || threshold <= 0 || !port.isOpen() || port.bytesAvailable() < threshold)
        return;
    if (!owner.OnComm)
        return;
    const std::weak_ptr<bool> stillAlive = alive;
    const std::function<void(CommEvent)> handler = owner.OnComm;
    raising = true;
    handler(CommEvent::Receive);
    if (stillAlive.expired())
        return;
    raising = false;
    // Data that came while the handler ran (a message box runs the event
    // loop) raises the next event now.
    dataArrived();
}

void SerialPort::Impl::failed(QSerialPort::SerialPortError failure)
{
    if (failure == QSerialPort::NoError || failure == QSerialPort::TimeoutError)
        return;
    error = port.errorString();
    // A device that went away (a receiver unplugged, the other end of a
    // pseudo-terminal closed) would report its failure again and again.
    if (failure == QSerialPort::ResourceError && port.isOpen())
        port.close();
}

SerialPort::SerialPort() : d(std::make_unique<Impl>(*this)) {}

SerialPort::~SerialPort()
{
    *d->alive = false;
    d->alive.reset();
    close();
}

int SerialPort::CommPort() const
{
    return d->commPort;
}

bool SerialPort::setCommPort(int port)
{
    if (port < kFirstSerialPort || port > kLastSerialPort || d->port.isOpen())
        return false;
    d->commPort = port;
    return true;
}

QString SerialPort::Settings() const
{
    return lineSettingsText(d->settings);
}

bool SerialPort::setSettings(const QString& text)
{
    const std::optional<LineSettings> wanted = parseLineSettings(text);
    if (!wanted) {
        d->error = QStringLiteral("invalid settings: ") + text;
        return false;
    }
    if (d->port.isOpen() && !d->apply(*wanted)) {
        d->apply(d->settings);
        return false;
    }
    d->settings = *wanted;
    d->error.clear();
    return true;
}

int SerialPort::RThreshold() const
{
    return d->threshold;
}

bool SerialPort::setRThreshold(int bytes)
{
    if (bytes < 0 || bytes > kMaxThreshold)
        return false;
    d->threshold = bytes;
    d->dataArrived();
    return true;
}

bool SerialPort::PortOpen() const
{
    return d->port.isOpen();
}

bool SerialPort::open()
{
    if (d->port.isOpen()) {
        d->error = QStringLiteral("the port is open already");
        return false;
    }
    const std::optional<QString> path = serialDevicePath(d->commPort);
    if (!path) {
        d->error = QStringLiteral("no device for port %1").arg(d->commPort);
        return false;
    }
    d->port.setPortName(*path);
    if (!d->port.open(QIODevice::ReadWrite)) {
        d->error = d->port.errorString();
        return false;
    }
    if (!d->apply(d->settings)) {
        d->port.close();
        return false;
    }
    d->port.clear(QSerialPort::Input);
    d->openPath = *path;
    d->raisePending = false;
    d->error.clear();
    return true;
}

void SerialPort::close()
{
    if (d->port.isOpen())
        d->port.close();
}

QString SerialPort::errorString() const
{
    return d->error;
}

QString SerialPort::devicePath() const
{
    return d->port.isOpen() ? d->openPath : QString();
}

QByteArray SerialPort::input()
{
    if (!d->port.isOpen())
        return {};
    d->fetchPending();
    return d->port.readAll();
}

qsizetype SerialPort::InBufferCount()
{
    if (!d->port.isOpen())
        return 0;
    d->fetchPending();
    return d->port.bytesAvailable();
}

}  // namespace platform
