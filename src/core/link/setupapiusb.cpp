// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The present USB devices as SetupAPI lists them, with Device Manager's
// problem code and whether a COM port hangs under each.

#include "usbdrivers.h"

#ifdef Q_OS_WIN
#include <QSet>

#include <qt_windows.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#endif

namespace UsbDrivers {

#ifdef Q_OS_WIN

namespace {

struct Node
{
    DEVINST instance = 0;
    QString hardwareId;
    quint32 problem = 0;
    bool portName = false;
};

Node nodeOf(HDEVINFO set, SP_DEVINFO_DATA &data)
{
    Node node;
    node.instance = data.DevInst;
    // A list of strings, each ended by a NUL: the first is the most specific.
    wchar_t ids[1024] = {};
    if (::SetupDiGetDeviceRegistryPropertyW(set, &data, SPDRP_HARDWAREID, nullptr, reinterpret_cast<PBYTE>(ids),
                                            DWORD(sizeof ids - 2 * sizeof(wchar_t)), nullptr))
        node.hardwareId = QString::fromWCharArray(ids);
    ULONG status = 0;
    ULONG problem = 0;
    if (::CM_Get_DevNode_Status(&status, &problem, data.DevInst, 0) == CR_SUCCESS && (status & DN_HAS_PROBLEM))
        node.problem = problem;
    // A serial port's device key holds the COM name it was given.
    const HKEY key = ::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key != INVALID_HANDLE_VALUE) {
        node.portName = ::RegQueryValueExW(key, L"PortName", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    return node;
}

} // namespace

QList<WindowsRecord> readSetupApi()
{
    QList<Node> nodes;
    const HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return {};
    SP_DEVINFO_DATA data;
    data.cbSize = sizeof data;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &data); ++i)
        nodes << nodeOf(set, data);
    ::SetupDiDestroyDeviceInfoList(set);

    // The port of an FTDI or composite adapter is a child of its USB device
    // (or of an interface of it): the device has the port as well.
    QSet<DEVINST> withPort;
    for (const Node &node : nodes) {
        DEVINST instance = node.instance;
        for (int up = 0; node.portName && up < 4; ++up) {
            withPort.insert(instance);
            DEVINST parent = 0;
            if (::CM_Get_Parent(&parent, instance, 0) != CR_SUCCESS)
                break;
            instance = parent;
        }
    }
    QList<WindowsRecord> records;
    for (const Node &node : nodes) {
        if (node.hardwareId.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive))
            records << WindowsRecord{node.hardwareId, node.problem, withPort.contains(node.instance)};
    }
    return records;
}

#else

QList<WindowsRecord> readSetupApi()
{
    return {};
}

#endif

} // namespace UsbDrivers
