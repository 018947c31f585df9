// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramhistory.h"
#include "language.h"
#include "transmitterwork.h"

#include <QMainWindow>
#include <QSerialPort>
#include <QString>

#include <memory>

class ActionBar;
class ChangeTracker;
class CompareDialog;
class FormAccess;
class FindControl;
class FormTexts;
class MessageLine;
class ModelActions;
class MoreMenu;
class PortPanel;

class QComboBox;
class QPushButton;
class QLabel;
class Ui_MainWindow;

// The window: the form, bound to the transmitter work of the core. It
// forwards clicks, shows what the work tells, and asks the user.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    TransmitterWork &transmitterWork() { return *work; }

signals:
    // The system's serial ports have joined the start-up port list.
    void portsListed();

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;

private slots:
    void on_pushButtonOpen_clicked();
    void on_pushButtonRead_clicked();
    void on_pushButtonSend2_clicked();
    void on_pushButtonVerify_clicked();
    void readMyCom();
    void load();
    // True once the file is written.
    bool save();

private:
    void setPortPar();
    QByteArray whattoSend(QString tmp, bool hex);
    void refrushInfoLabel();

    QString buildSRecord() const;
    QString buildTRecord(int mixBias) const;
    void applySRecord(const QString &record);
    void applyTRecord(const QString &record, int mixBias);

    void closeSession();
    void endLostSession();
    void mirrorCounters();
    bool recordsFit(int mixBias, const QString &refusal);
    bool askToWrite(TransmitterWork::Question question, const QString &why);
    void showAccount(const TransmitterWork::Account &account);
    void verifyAgainstFile();
    void showError(const QString &text);
    void showHistoryWarning();
    // The message line's text, unless there is nothing to say.
    void say(const QString &text);
    void chooseLanguage(Language::Choice choice);
    void showTitle();
    void explainControls();
    void keepWindowState();

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
    std::unique_ptr<FormTexts> texts;
    TransmitterWork *work = nullptr;
    PortPanel *panel = nullptr;
    FindControl *finding = nullptr;
    ChangeTracker *changes = nullptr;
    QLabel *historyWarning = nullptr;
    MessageLine *message = nullptr;
    MoreMenu *more = nullptr;
    ModelActions *models = nullptr;
    bool placed = false; // the first show has brought the window on screen
    std::unique_ptr<ActionBar> actions;

    friend class MainWindowProbe; // lets tests look at the frame assembly
};
