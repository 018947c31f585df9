// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "usbchips.h"

#include <iterator>

namespace UsbChips {

namespace {

// From the makers' data sheets and the ID tables of the Linux drivers.
// CH9102 is a CDC-ACM device: newer kernels bind cdc_acm (ttyACM), WCH's
// own ch343 module is needed only on old ones.
constexpr Chip kChips[] = {
    {0x1a86, 0x7523, "WCH", "CH340", "CH340、CH341", "CH341SER", "ch341", "ttyUSB", "CH340/CH341"},
    {0x1a86, 0x5523, "WCH", "CH341", "CH341", "CH341SER", "ch341", "ttyUSB", "CH340/CH341"},
    {0x1a86, 0x55d4, "WCH", "CH9102", "CH9102", "CH343SER", "cdc_acm", "ttyACM", "CH343"},
    {0x10c4, 0xea60, "Silicon Labs", "CP2102", "CP2102、CP2102N、CP2104、CP2109", "CP210x VCP", "cp210x", "ttyUSB", "CP210x"},
    {0x10c4, 0xea70, "Silicon Labs", "CP2105", "CP2105", "CP210x VCP", "cp210x", "ttyUSB", "CP210x"},
    {0x10c4, 0xea71, "Silicon Labs", "CP2108", "CP2108", "CP210x VCP", "cp210x", "ttyUSB", "CP210x"},
    {0x0403, 0x6001, "FTDI", "FT232R", "FT232R、FT245R", "FTDI VCP", "ftdi_sio", "ttyUSB", "VCP"},
    {0x0403, 0x6010, "FTDI", "FT2232", "FT2232C、FT2232D、FT2232H", "FTDI VCP", "ftdi_sio", "ttyUSB", "VCP"},
    {0x0403, 0x6011, "FTDI", "FT4232", "FT4232H", "FTDI VCP", "ftdi_sio", "ttyUSB", "VCP"},
    {0x0403, 0x6014, "FTDI", "FT232H", "FT232H", "FTDI VCP", "ftdi_sio", "ttyUSB", "VCP"},
    {0x0403, 0x6015, "FTDI", "FT231X", "FT230X、FT231X、FT234XD", "FTDI VCP", "ftdi_sio", "ttyUSB", "VCP"},
    {0x067b, 0x2303, "Prolific", "PL2303", "PL2303HX、PL2303TA", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23a3, "Prolific", "PL2303GC", "PL2303GC", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23b3, "Prolific", "PL2303GB", "PL2303GB", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23c3, "Prolific", "PL2303GT", "PL2303GT", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23d3, "Prolific", "PL2303GL", "PL2303GL", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23e3, "Prolific", "PL2303GE", "PL2303GE", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
    {0x067b, 0x23f3, "Prolific", "PL2303GS", "PL2303GS", "PL23XX", "pl2303", "ttyUSB", "PL2303"},
};

} // namespace

const Chip *find(quint16 vendorId, quint16 productId)
{
    for (const Chip &chip : kChips) {
        if (chip.vendorId == vendorId && chip.productId == productId)
            return &chip;
    }
    return nullptr;
}

} // namespace UsbChips
