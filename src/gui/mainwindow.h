// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramhistory.h"

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <future>
#include <memory>
#include <optional>

class ChangeTracker;
class CompareDialog;
class FormAccess;
class MapParamAccess;

class QComboBox;
class QPushButton;
class QLabel;
class QTimer;
class TransmitterSession;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

signals:
    // The system's serial ports have joined the start-up port list.
    void portsListed();

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private slots:
    void on_pushButtonOpen_clicked();
    void refreshPorts();
    void on_pushButtonRead_clicked();
    void on_pushButtonSend2_clicked();
    void on_pushButtonVerify_clicked();
    void readMyCom();
    void load();
    // True once the file is written.
    bool save();

private:
    void startPortScan();
    void portsEnumerated(const QStringList &listedAtStart, const QStringList &enumerated);
    void setPortPar();
    QByteArray whattoSend(QString tmp, bool hex);
    void refrushInfoLabel();

    QString buildSRecord() const;
    QString buildTRecord(int mixBias) const;
    void applySRecord(const QString &record);
    void applyTRecord(const QString &record, int mixBias);

    void closeSession();
    QList<QWidget *> panelControls() const;
    void setPanelEnabled(bool enabled);
    void endLostSession();
    void mirrorCounters();
    bool recordsFit(int mixBias, const QString &refusal);
    void verifyAgainstTransmitter();
    void verifyAgainstFile();
    void compareWithRecords(const QString &records, const QString &origin);
    void takeValues(const CompareDialog &dialog);
    void showHistory();
    void compareWithHistory(const ParamHistory::Entry &entry);
    bool loadFromHistory(const ParamHistory::Entry &entry);
    void loadRecords(const QString &records);
    MapParamAccess windowValues() const;
    void showError(const QString &text);
    bool portOpenOrSay();
    bool backUpBeforeWriting();
    QString keepInHistory(ParamHistory::Kind kind, const ParamAccess &values);
    QString portName() const;
    QString keepEdits();
    void finishReadAccountNow();
    void frameArrived(quint8 group);
    void endReadAccount();
    void showFile(const QString &path);
    void showTitle();
    void explainControls();
    void keepWindowState();
    void exportSheet();

    QString strHex;
    Ui_MainWindow *ui = nullptr;
    QSerialPort *myCom = nullptr;
    QLabel *fstLabel = nullptr;
    QLabel *secLabel = nullptr;
    bool isComOpen = false;
    int recvCount = 0;
    int transCount = 0;
    int RX_flag = 0;

    std::unique_ptr<FormAccess> form;
    std::future<void> portScan; // the system's ports, asked for once the window is up
    QHash<QComboBox *, int> formItemCounts; // items each combo box has in the form
    // The port, the frame assembly and the counters; the members above mirror it.
    TransmitterSession *session = nullptr;
    // The account of the last 读取数据: the groups its answer brought so far,
    // told in the status bar once all came or the answer time is over.
    QTimer *readAccountTimer = nullptr;
    QList<quint8> readSeen;
    // What the answer to 读取数据 reported, unclamped, for the history.
    std::unique_ptr<MapParamAccess> readCopy;
    std::unique_ptr<TeeParamAccess> readTee;
    // A complete answer came since the port was opened: the transmitter's
    // set before a write is in the history already.
    bool answeredSinceOpen = false;
    std::unique_ptr<ParamHistory> history;
    bool historyTroubleTold = false;
    // The values as they stood after the last complete read, load, save or
    // write, and the marks on what differs from them.
    ChangeTracker *changes = nullptr;
    // The file the window's values were last loaded from or saved to.
    QString shownFile;
    // The user picked a port before the system's ports were listed.
    bool portPicked = false;
    QHash<QPushButton *, QList<QKeySequence>> buttonKeys;
    // Where those values came from, for the setup sheet: the port of the
    // read, the file loaded or saved, the history entry.
    QString valuesOrigin;
    // The firmware version the transmitter of that read reported; no file
    // carries one.
    std::optional<int> originFirmware;

    friend class MainWindowProbe; // lets tests look at the frame assembly
};
