#pragma once

#include <QHash>
#include <QMainWindow>
#include <QSerialPort>
#include <QString>

#include <memory>

class FormAccess;
class QComboBox;
class QLabel;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void changeEvent(QEvent *e) override;

private slots:
    void on_pushButtonOpen_clicked();
    void refreshPorts();
    void on_pushButtonRead_clicked();
    void on_pushButtonSend2_clicked();
    void readMyCom();
    void load();
    void save();

private:
    void setPortPar();
    QByteArray whattoSend(QString tmp, bool hex);
    void refrushInfoLabel();

    QString buildSRecord() const;
    QString buildTRecord(int mixBias) const;
    void applySRecord(const QString &record);
    void applyTRecord(const QString &record, int mixBias);

    void closeSession();
    void setPanelEnabled(bool enabled);
    void onPortError(QSerialPort::SerialPortError error);
    void endLostSession();
    bool writeRecord(const QString &record);
    bool recordsFit(int mixBias, const QString &refusal);
    void showError(const QString &text);

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
    QHash<QComboBox *, int> formItemCounts; // items each combo box has in the form
    bool writingRecords = false; // between the first byte of S and the last of T
    bool readDeferred = false;   // data arrived while the records were going out
    bool portLost = false;       // the open port went away; reported once

    friend class MainWindowProbe; // lets tests look at the frame assembly
};
