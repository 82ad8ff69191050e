// SPDX-License-Identifier: LicenseRef-Tavelcor
// A serial port as the GPS program uses it: a port number (1 to 16, see
// port_paths.h), one settings text ("38400,N,8,1"), open and close, reading
// everything received so far, and a receive threshold: once that many bytes
// wait in the receive buffer, the port raises one receive event on the thread
// that owns it, from that thread's event loop.
//
// Values that the port refuses (a number outside 1 to 16, a settings text it
// cannot read, a negative threshold or one above 32767) leave the old value
// and return false.  Nothing here throws.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

/// Events of the port, with the serial-port control's CommEvent codes.
enum class CommEvent : int {
    Receive = 2,  // at least RThreshold bytes wait in the receive buffer
};

class SerialPort {
public:
    /// The design values: port 1, "9600,N,8,1", threshold 0 (no receive
    /// events), closed.
    SerialPort();
    /// Closes the port.
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    int CommPort() const;
    /// 1 to 16; refused outside that range and while the port is open.
    bool setCommPort(int port);

    /// The settings text in force ("38400,N,8,1").
    QString Settings() const;
    /// Refused when the text is not a valid settings text (line_settings.h).
    /// An open port takes the new settings at once; when the device refuses
    /// them the port keeps its old settings and this returns false.
    bool setSettings(const QString& text);

    /// Bytes that raise one receive event; 0 raises none.
    int RThreshold() const;
    /// 0 to 32767; refused outside that range.
    bool setRThreshold(int bytes);

    bool PortOpen() const;
    /// Opens the device of CommPort with the settings in force, and empties
    /// the receive buffer.  False (the port stays closed, errorString() says
    /// why) when the port is open already, no device stands under the number,
    /// the device does not exist, is in use or refuses the settings.
    bool open();
    /// Closes the port; what was not read is dropped.  Closing a closed port
    /// does nothing.
    void close();
    /// Why the last open, settings change or read failed; empty after success.
    QString errorString() const;
    /// The device path of the open port (empty while closed).
    QString devicePath() const;

    /// Everything received so far, including what the device holds and the
    /// event loop has not fetched yet; the receive buffer is empty afterwards.
    /// Empty while the port is closed.  Works without an event loop.
    QByteArray input();
    /// Bytes waiting in the receive buffer (fetched from the device first).
    qsizetype InBufferCount();

    /// The receive event: raised from the event loop of the owning thread
    /// when data arrives and at least RThreshold bytes (> 0) wait in the
    /// receive buffer.  Only one event waits at a time, and none is raised
    /// while one is being handled (data arriving meanwhile raises the next
    /// one once the handler has returned), nor for a port that was closed or
    /// read empty before the event came.  The port may be closed or destroyed
    /// by the handler.
    std::function<void(CommEvent event)> OnComm;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace platform
