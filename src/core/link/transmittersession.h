// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "deliverygate.h"
#include "paramaccess.h"
#include "portsettings.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>
#include <limits>

// One session with the transmitter over a serial port: opening with the
// panel's settings, the read request, assembling the reply frames across
// deliveries and decoding them into whatever parameter set the caller names,
// writing the two records, losing the port, and counting the bytes.
class TransmitterSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransmitterSession)

public:
    enum class WriteResult {
        Written,
        NotOpen,
        HandOffFailed, // the port took none of the bytes
        Incomplete,    // some bytes did not leave within the budget
        Lost,          // the port went away while writing
    };

    explicit TransmitterSession(QObject *parent = nullptr);
    ~TransmitterSession() override;

    // A new port object for each opening; a device that cannot be opened
    // leaves the session closed, with openError() saying why.
    bool open(const QString &device);
    bool open(const QString &device, const PortSettings &settings, bool dtr, bool rts);
    QSerialPort::SerialPortError openError() const { return m_openError; }
    // Windows' own error number of that failed open; 0 elsewhere or unknown.
    quint32 openSystemError() const { return m_openSystemError; }
    void applySettings(const PortSettings &settings, bool dtr, bool rts);
    void close();
    bool isOpen() const { return m_open; }
    // None once the port is lost while the device was handed to a new
    // port object; the device's name stays.
    QSerialPort *port() const { return m_port; }
    const QString &portName() const { return m_device; }
    qint32 baudRate() const;

    // Frames decode into target, each control set once per delivery; with
    // no target they are assembled and dropped.
    void setTarget(ParamAccess *target) { m_target = target; }
    ParamAccess *target() const { return m_target; }

    // Drops the partial frame and every byte that arrives until the next
    // read request: the rest of an answer given up on must not land anywhere.
    void discardUntilRequest();

    // Drops everything received so far, then sends "R", so the answer's frames
    // are cut from its first byte; false when the port took nothing.
    bool requestRead();

    // S, then T as buildT makes it after the pause: the records reflect the
    // parameter set at the moment each is built. No user input is processed
    // while they go out (on Linux no event at all); bytes arriving meanwhile
    // are decoded afterwards.
    WriteResult writeRecords(const QByteArray &s, const std::function<QByteArray()> &buildT);

    // The frame being assembled: its bytes as hex digits, and their count.
    const QString &pendingHex() const { return m_hex; }
    int pendingBytes() const { return m_bytes; }
    qint64 sentBytes() const { return m_sent; }
    // Milliseconds since the last byte came in; very large before the first.
    qint64 quietMs() const { return m_lastByte.isValid() ? m_lastByte.elapsed() : std::numeric_limits<qint64>::max(); }
    qint64 receivedBytes() const { return m_received; }

    // Decodes whatever the port holds; runs on every readyRead.
    void readAvailable();

signals:
    void countersChanged();
    // A complete frame was cut; emitted before the delivery's values are set.
    void frameAssembled(quint8 group);
    // Every frame of a delivery has been decoded and set.
    void delivered();
    // The port went away; the session is closed. Emitted once per opening,
    // after any write in progress has returned.
    void lost();

private:
    friend class TestHandOver; // hands the device over on Linux too

    void onError(QSerialPort::SerialPortError error);
    void endLost();
    bool writeRecord(const QByteArray &bytes, WriteResult *result);
    void handOff(const QElapsedTimer &timer, qint64 budgetMs);
    void dropReceived();
    bool purgeDriver(QSerialPort::Direction direction);
    bool reopen();

    QSerialPort *m_port = nullptr;
    QString m_device;
    DeliveryGate m_gate;
    QSerialPort::SerialPortError m_openError = QSerialPort::NoError;
    quint32 m_openSystemError = 0;
    ParamAccess *m_target = nullptr;
    QString m_hex;
    int m_bytes = 0;
    quint8 m_group = 0; // byte 3 of the frame being assembled
    qint64 m_sent = 0;
    qint64 m_received = 0;
    QElapsedTimer m_lastByte;
    bool m_open = false;
    bool m_lost = false;
    bool m_writing = false;
    bool m_readDeferred = false;
    bool m_discarding = false;
};
