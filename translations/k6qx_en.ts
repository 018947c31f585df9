<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutBox</name>
    <message>
        <source>K6QX 调参软件 %1</source>
        <translation>K6QX Tuning Tool %1</translation>
    </message>
    <message>
        <source>Korvan K6QX 八通道遥控发射机的调参工具。</source>
        <translation>The tuning tool for the Korvan K6QX 8-channel RC transmitter.</translation>
    </message>
    <message>
        <source>本程序是自由软件：可以按 GNU 通用公共许可证第 3 版或（由你选择）任何更新版本（GPL-3.0-or-later）的条款再发布和修改。发布本程序是希望它有用，但不提供任何担保，也不担保适销性或适用于特定用途。许可证全文见程序附带的 LICENSE。</source>
        <translation>This program is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. The full licence is in the LICENSE file that comes with the program.</translation>
    </message>
    <message>
        <source>用 Qt %1 构建；Qt 按 GNU 宽通用公共许可证第 3 版（LGPL-3.0）使用。</source>
        <translation>Built with Qt %1; Qt is used under the GNU Lesser General Public License, version 3 (LGPL-3.0).</translation>
    </message>
    <message>
        <source>Qt 及程序里其他第三方组件的声明和许可证见 THIRD-PARTY-NOTICES.txt：Windows 上在程序旁边，Debian 软件包里在 /usr/share/doc/k6qx。</source>
        <translation>The notices and licences of Qt and the other third-party parts of the program are in THIRD-PARTY-NOTICES.txt: beside the program on Windows, in /usr/share/doc/k6qx in the Debian package.</translation>
    </message>
    <message>
        <source>关于 Qt</source>
        <translation>About Qt</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>AircraftSetup</name>
    <message>
        <source>常规固定翼</source>
        <translation>Conventional plane</translation>
    </message>
    <message>
        <source>副翼、升降舵、方向舵各用一个舵机：升降副翼混控和 V 型尾翼混控都关闭。</source>
        <translation>Ailerons, elevator and rudder each have their own servo: the elevon mix and the V-tail mix both stay off.</translation>
    </message>
    <message>
        <source>三角翼/飞翼</source>
        <translation>Delta / flying wing</translation>
    </message>
    <message>
        <source>两片升降副翼同时管横滚和俯仰：打开升降副翼混控（比例用初始值），V 型尾翼混控关闭。</source>
        <translation>Two elevons work roll and pitch together: the elevon mix is turned on (with its starting rates), the V-tail mix stays off.</translation>
    </message>
    <message>
        <source>V 尾固定翼</source>
        <translation>V-tail plane</translation>
    </message>
    <message>
        <source>两片 V 尾同时管俯仰和偏航：打开 V 型尾翼混控（比例用初始值），升降副翼混控关闭。</source>
        <translation>Two V-tail surfaces work pitch and yaw together: the V-tail mix is turned on (with its starting rates), the elevon mix stays off.</translation>
    </message>
    <message>
        <source>其他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>不设混控：升降副翼混控和 V 型尾翼混控都关闭，需要时在窗口中自己设置。</source>
        <translation>No mixes: the elevon mix and the V-tail mix both stay off; set what you need in the window.</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>模式 %1</source>
        <translation>Mode %1</translation>
    </message>
    <message>
        <source>%1 V（%2 节 × %3 V）</source>
        <translation>%1 V (%2 cells × %3 V)</translation>
    </message>
    <message>
        <source>0（油门最低）</source>
        <translation>0 (throttle closed)</translation>
    </message>
</context>
<context>
    <name>AnswerAccount</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>发射机没有回报参数</source>
        <translation>The transmitter reported no parameters</translation>
    </message>
    <message numerus="yes">
        <source>已读取全部 %n 组参数</source>
        <translation>
            <numerusform>Read all %n group of parameters</numerusform>
            <numerusform>Read all %n groups of parameters</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>只收到 %n 组参数（共 %1 组），未收到的参数仍是窗口原来的值：%2</source>
        <translation>
            <numerusform>Only %n group of parameters came (of %1); the values not received are still the window&apos;s earlier ones: %2</numerusform>
            <numerusform>Only %n groups of parameters came (of %1); the values not received are still the window&apos;s earlier ones: %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Appearance</name>
    <message>
        <source>跟随系统</source>
        <translation>Follow the system</translation>
    </message>
    <message>
        <source>浅色</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>深色</source>
        <translation>Dark</translation>
    </message>
</context>
<context>
    <name>CliApp</name>
    <message>
        <source>串口波特率（默认 115200）。</source>
        <translation>Serial baud rate (default 115200).</translation>
    </message>
    <message>
        <source>读取哪个通道（1..4）的大小舵比例（默认 1）。</source>
        <translation>Which channel (1..4) to read the dual rates of (default 1).</translation>
    </message>
    <message>
        <source>写入后读回并比较。</source>
        <translation>Read back after writing and compare.</translation>
    </message>
    <message>
        <source>显示帮助。</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>显示版本。</source>
        <translation>Show the version.</translation>
    </message>
    <message>
        <source>输出语言：zh（简体中文，默认）或 en（英文）。也可以用环境变量 K6QX_LANG 设置。</source>
        <translation>Output language: zh (Simplified Chinese, the default) or en (English). K6QX_LANG sets it too.</translation>
    </message>
    <message>
        <source>未知命令“%1”，见 k6qx-cli --help</source>
        <translation>unknown command &quot;%1&quot;; see k6qx-cli --help</translation>
    </message>
    <message>
        <source>--baud 不是串口面板提供的波特率：“%1”</source>
        <translation>--baud is not a rate the serial panel offers: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--dual-rate-channel 只能是 1 到 4：“%1”</source>
        <translation>--dual-rate-channel must be 1 to 4: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>以下参数超出可保存的范围，没有保存：</source>
        <translation>These values are out of range; nothing was saved:</translation>
    </message>
    <message>
        <source>以下参数超出可写入的范围，没有写入发射机：</source>
        <translation>These values are out of range; nothing was written to the transmitter:</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>发射机</source>
        <translation>transmitter</translation>
    </message>
    <message>
        <source>不能写入标准输出：%1</source>
        <translation>cannot write to standard output: %1</translation>
    </message>
    <message>
        <source>不能写入标准输出</source>
        <translation>cannot write to standard output</translation>
    </message>
    <message>
        <source>未知选项“%1”，见 k6qx-cli --help</source>
        <translation>unknown option &quot;%1&quot;; see k6qx-cli --help</translation>
    </message>
    <message>
        <source>%1，见 k6qx-cli --help</source>
        <translation>%1; see k6qx-cli --help</translation>
    </message>
    <message>
        <source>%1 不接受选项 %2，见 k6qx-cli --help</source>
        <translation>%1 does not take the option %2; see k6qx-cli --help</translation>
    </message>
    <message>
        <source>输出 JSON：参数是以发射机参数名为键的一个对象，history 是一个数组。</source>
        <translation>Print JSON: parameters as one object keyed by the transmitter&apos;s parameter names, history as one array.</translation>
    </message>
    <message>
        <source>写入前不读取发射机的参数，不做备份。</source>
        <translation>Do not read the transmitter&apos;s parameters before writing: no backup.</translation>
    </message>
    <message>
        <source>参数历史没有保存：%1</source>
        <translation>parameter history not kept: %1</translation>
    </message>
    <message>
        <source>read：把参数保存到文件 FILE（与“保存数据”相同）；sheet：参数表写到 FILE。</source>
        <translation>read: save the parameters to FILE (as &quot;Save Data&quot; does); sheet: write the setup sheet to FILE.</translation>
    </message>
    <message>
        <source>sheet 需要 -o OUT.pdf 或 -o OUT.html，见 k6qx-cli --help</source>
        <translation>sheet needs -o OUT.pdf or -o OUT.html; see k6qx-cli --help</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>%1；也没有名为 %2 的参数文件</source>
        <translation>%1; nor is there a parameter file named %2</translation>
    </message>
    <message>
        <source>发射机 %1</source>
        <translation>Transmitter %1</translation>
    </message>
    <message>
        <source>问题：%1</source>
        <translation>Problem: %1</translation>
    </message>
    <message>
        <source>注意：%1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>ports：列出每个串口时附上诊断结果。</source>
        <translation>ports: list each port with its diagnosis.</translation>
    </message>
    <message>
        <source>不能打开串口 %1：%2</source>
        <translation>cannot open the serial port %1: %2</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>该串口现在不能使用
</source>
        <translation>This port cannot be used now
</translation>
    </message>
    <message>
        <source>没有发现妨碍使用该串口的问题（没有打开串口试过）
</source>
        <translation>Nothing found that stands in the way of using this port (the port was not opened to try)
</translation>
    </message>
    <message>
        <source>；不备份也要写入请加 --no-backup</source>
        <translation>; to write without a backup, add --no-backup</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message numerus="yes">
        <source>%1 需要 %n 个参数</source>
        <translation>
            <numerusform>%1 needs %n argument</numerusform>
            <numerusform>%1 needs %n arguments</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，给出了 %n 个，见 k6qx-cli --help</source>
        <translation>
            <numerusform>, %n was given; see k6qx-cli --help</numerusform>
            <numerusform>, %n were given; see k6qx-cli --help</numerusform>
        </translation>
    </message>
    <message>
        <source>参数已保存到 %1
</source>
        <translation>Parameters saved to %1
</translation>
    </message>
    <message numerus="yes">
        <source>参数已写入串口 %1（%n 字节），发射机不回报是否收下
</source>
        <translation>
            <numerusform>Parameters written to the port %1 (%n byte); the transmitter does not report whether it took them
</numerusform>
            <numerusform>Parameters written to the port %1 (%n bytes); the transmitter does not report whether it took them
</numerusform>
        </translation>
    </message>
    <message>
        <source>没有备份：用了 --no-backup，写入前没有读取发射机的参数
</source>
        <translation>No backup: --no-backup was given, the transmitter&apos;s parameters were not read before writing
</translation>
    </message>
    <message>
        <source>写入前发射机的参数备份在 %1
</source>
        <translation>The transmitter&apos;s parameters before the write are backed up in %1
</translation>
    </message>
    <message>
        <source>可以用 k6qx-cli verify 核对发射机中的参数
</source>
        <translation>Use k6qx-cli verify to check the parameters in the transmitter
</translation>
    </message>
    <message>
        <source>读回发射机的参数，与文件比较：
</source>
        <translation>The transmitter&apos;s parameters read back and compared with the file:
</translation>
    </message>
    <message>
        <source>没有发现插着却没有串口的 USB 串口芯片
</source>
        <translation>No USB serial chip found that is plugged in but has no port
</translation>
    </message>
    <message numerus="yes">
        <source>USB 串口芯片没有串口（%n 个）：</source>
        <translation>
            <numerusform>USB serial chip without a port (%n):</numerusform>
            <numerusform>USB serial chips without a port (%n):</numerusform>
        </translation>
    </message>
    <message>
        <source>find：芯片表中的串口之后，再试串口列表中的其他每个串口。</source>
        <translation>find: after the ports in the chip table, also try every other port in the port list.</translation>
    </message>
    <message>
        <source>缺少命令（ports、doctor、find、read、write、verify、show、diff、history、sheet、model），见 k6qx-cli --help</source>
        <translation>Missing command (ports, doctor, find, read, write, verify, show, diff, history, sheet, model), see k6qx-cli --help</translation>
    </message>
    <message>
        <source>用法：
  k6qx-cli ports [--verbose] [--json]              列出串口，每行一个；--verbose 附上诊断结果
  k6qx-cli doctor [PORT] [--json]                  诊断一个串口：能否使用，为什么不能；不给 PORT 时找没有串口的 USB 串口芯片
  k6qx-cli find [--all] [--json] [--baud N]        查找发射机在哪个串口上
  k6qx-cli read PORT [-o FILE] [--json] [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli write PORT FILE [--verify] [--no-backup] [--baud N]
  k6qx-cli verify PORT FILE [--json] [--baud N]
  k6qx-cli show FILE [--json]
  k6qx-cli diff FILE_A FILE_B [--json]
  k6qx-cli history [--json]
  k6qx-cli sheet (FILE|PORT) -o OUT.pdf|OUT.html [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli --help | --version

PORT：窗口串口列表中的名字（ttyUSB0、COM3 …）或设备的绝对路径。
FILE：参数文件，“加载数据”接受的文件都可以（包括十六进制列表）。

read 读取发射机的参数；发射机不回报的值（大小舵混控开关）取窗口的初始值，
大小舵比例是 --dual-rate-channel 所指通道的一对（默认 1）。-o 保存为参数文件，与“保存数据”相同。
write 写入前做与“写入数据”相同的检查，有问题就什么都不发送；然后读取发射机现有的参数作为备份，
读不到完整的参数就不写入（--no-backup 不读取、不备份）；--verify 写入后读回并比较。
verify 只比较发射机回报的参数，大小舵比例是文件中 大小舵 通道 所指通道的一对。
doctor 不打开串口，查看设备的说明、VID:PID、访问权限、打开它的其他进程、锁文件，以及 ModemManager、brltty
是否会碰这个设备；没有发现问题时退出码为 0，否则为 2。不给 PORT 时列出插着却没有串口的 USB 串口芯片（驱动没有安装、
有问题或被 brltty 接管）和该怎么做，有这样的芯片时退出码为 2。
find 依次试芯片表中 USB 串口芯片的串口（--all 再试串口列表中的其他每个串口，包括 K6QX_EXTRA_PORTS 的）：
其他程序占着的串口不试；打开，只发送一个读取请求，等回报，关闭。标准输出列出回报了全部参数的串口，
每行一个，第一个就是要用的；每个串口的结果写到标准错误。有串口回报时退出码为 0，没有为 1，
没有可试的串口或一个都打不开为 2。
history 列出参数历史，最新的在前：时间、种类、串口、文件。read 读到的、write 写入前备份的和写入的参数
都保存在参数历史文件夹中（环境变量 K6QX_HISTORY_DIR，默认是用户数据文件夹下的 k6qx/history），保留最新的 1000 个。
sheet 把参数文件或发射机（像 read 一样读取）的参数写成参数表：A4 的 PDF 或 HTML，由 OUT 的后缀决定；
有这个名字的普通文件就是参数文件，否则是串口。

退出码：0 成功或一致，1 有不一致，2 出错（参数错误、文件不能读取或无效、串口打不开或断开、发射机没有及时回报、
doctor 发现串口不能使用）。
</source>
        <translation>Usage:
  k6qx-cli ports [--verbose] [--json]              list the ports, one per line; --verbose adds the diagnosis
  k6qx-cli doctor [PORT] [--json]                  diagnose a port: can it be used, and if not, why; without PORT, find USB serial chips that have no port
  k6qx-cli find [--all] [--json] [--baud N]        find which port the transmitter is on
  k6qx-cli read PORT [-o FILE] [--json] [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli write PORT FILE [--verify] [--no-backup] [--baud N]
  k6qx-cli verify PORT FILE [--json] [--baud N]
  k6qx-cli show FILE [--json]
  k6qx-cli diff FILE_A FILE_B [--json]
  k6qx-cli history [--json]
  k6qx-cli sheet (FILE|PORT) -o OUT.pdf|OUT.html [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli --help | --version

PORT: a name from the window&apos;s port list (ttyUSB0, COM3 ...) or the absolute path of the device.
FILE: a parameter file; any file that “Load Data” accepts will do (including hex lists).

read reads the transmitter&apos;s parameters; values the transmitter does not report (the dual-rate mix switch) take the window&apos;s initial values,
and the dual rates are the pair for the channel given by --dual-rate-channel (default 1). -o saves them as a parameter file, the same as “Save Data”.
write first makes the same checks as “Write Data” and sends nothing if there is a problem; then it reads the transmitter&apos;s current parameters as a backup,
and does not write if it cannot read the complete parameters (--no-backup: no reading, no backup); --verify reads back and compares after writing.
verify compares only the parameters the transmitter reports; the dual rates are the pair for the channel given by the file&apos;s dual-rate channel.
doctor does not open the port; it looks at the device&apos;s description, VID:PID, access permissions, other processes that have it open, lock files, and whether ModemManager or brltty
would touch the device; exit code 0 when no problem is found, otherwise 2. Without PORT, it lists USB serial chips that are plugged in but have no port (driver not installed,
faulty, or taken over by brltty) and what to do; exit code 2 when there is such a chip.
find tries, in turn, the ports of the USB serial chips in the chip table (--all also tries every other port in the port list, including those in K6QX_EXTRA_PORTS):
ports held by other programs are not tried; each is opened, sent a single read request, given time to answer, and closed. Standard output lists the ports that reported all parameters,
one per line, the first being the one to use; the result for each port goes to standard error. Exit code 0 when a port answered, 1 when none did,
2 when there was no port to try or none could be opened.
history lists the parameter history, newest first: time, kind, port, file. The parameters read by read, and those backed up before and written by write,
are all kept in the parameter history folder (environment variable K6QX_HISTORY_DIR, default k6qx/history in the user data folder); the newest 1000 are kept.
sheet writes the parameters of a parameter file or of the transmitter (read as by read) as a parameter sheet: an A4 PDF or HTML, chosen by the suffix of OUT;
if a regular file with this name exists it is a parameter file, otherwise a port.

Exit codes: 0 success or match, 1 mismatch, 2 error (bad arguments, file cannot be read or is invalid, port cannot be opened or was disconnected, transmitter did not answer in time,
doctor found the port cannot be used).
</translation>
    </message>
    <message>
        <source>串口列表是空的，没有要试的串口</source>
        <translation>The port list is empty; there is no port to try</translation>
    </message>
    <message>
        <source>串口列表中没有 USB 串口芯片表中的串口；--all 试列表中的每个串口</source>
        <translation>None of the ports in the port list is in the USB serial chip table; --all tries every port in the list</translation>
    </message>
    <message>
        <source>没有一个串口能打开，没有问到发射机</source>
        <translation>None of the ports could be opened; the transmitter was not asked</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>校验数据</source>
        <translation>Verify Data</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>（没有回报）</source>
        <translation>(not reported)</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>载入选中的值</source>
        <translation>Take ticked values</translation>
    </message>
    <message>
        <source>把勾选的参数改为另一方的值，只改窗口，不写入发射机</source>
        <translation>Set the ticked parameters to the other side&apos;s values, in the window only; nothing is written to the transmitter</translation>
    </message>
</context>
<context>
    <name>ControlHelp</name>
    <message>
        <source>可选：%1</source>
        <translation>Choices: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>范围：%1 … %2</source>
        <translation>Range: %1 … %2</translation>
    </message>
    <message>
        <source>记录中以 0.1 V 为单位，零头舍去，最高 23.9 V</source>
        <translation>Carried in whole tenths of a volt, the rest dropped; at most 23.9 V</translation>
    </message>
    <message>
        <source>发射机中的名称：%1</source>
        <translation>Transmitter name: %1</translation>
    </message>
</context>
<context>
    <name>DlgLoad</name>
    <message>
        <source>加载文件</source>
        <translation>Load file</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>用于打开二进制文件</source>
        <translation>Reads a file that lists bytes in hex</translation>
    </message>
    <message>
        <source>二进制文件</source>
        <translation>Binary file</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>文件信息</source>
        <translation>File information</translation>
    </message>
    <message>
        <source>文件长度：0</source>
        <translation>File length: 0</translation>
    </message>
    <message>
        <source>前16字节数据预览：</source>
        <translation>First 16 bytes:</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>所有文件 (*.*);;文本文件 (*.txt *.dat)</source>
        <translation>All files (*.*);;Text files (*.txt *.dat)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>文件长度：%1B</source>
        <translation>File length: %1B</translation>
    </message>
</context>
<context>
    <name>FileReason</name>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>没有读取这个文件的权限</source>
        <translation>no permission to read this file</translation>
    </message>
    <message>
        <source>没有写入这个文件的权限</source>
        <translation>no permission to write this file</translation>
    </message>
    <message>
        <source>文件夹 %1 不存在</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 不是文件夹</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>没有打开文件夹 %1 的权限</source>
        <translation>no permission to open the folder %1</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>没有在文件夹 %1 中新建文件的权限</source>
        <translation>no permission to create a file in the folder %1</translation>
    </message>
</context>
<context>
    <name>FindControl</name>
    <message numerus="yes">
        <source>正在查找发射机：试 %1（第 %2 个，共 %n 个）…</source>
        <translation>
            <numerusform>Finding transmitter: trying %1 (%2 of %n)…</numerusform>
            <numerusform>Finding transmitter: trying %1 (%2 of %n)…</numerusform>
        </translation>
    </message>
    <message>
        <source>停止查找</source>
        <translation>Stop Finding</translation>
    </message>
    <message>
        <source>查找发射机</source>
        <translation>Find Transmitter</translation>
    </message>
    <message numerus="yes">
        <source>%n 个串口回报了全部参数，已选中第一个 %1，没有打开；请确认是哪一个后再按“打开”</source>
        <translation>
            <numerusform>%n port reported all parameters; the first, %1, is selected but not opened. Make sure which one it is, then press “Open”</numerusform>
            <numerusform>%n ports reported all parameters; the first, %1, is selected but not opened. Make sure which one it is, then press “Open”</numerusform>
        </translation>
    </message>
    <message>
        <source>请检查发射机是否已打开、已连接，波特率是否与发射机相同</source>
        <translation>Please check that the transmitter is switched on and connected, and that the baud rate matches the transmitter&apos;s</translation>
    </message>
    <message>
        <source>请检查发射机是否已打开、已连接；勾选“所有串口”可以试串口列表中的每个串口</source>
        <translation>Please check that the transmitter is switched on and connected; tick “All ports” to try every port in the port list</translation>
    </message>
</context>
<context>
    <name>FormLimits</name>
    <message>
        <source>%1：%2 不是窗口中的选项（0 至 %3）</source>
        <translation>%1: %2 is not one of the window&apos;s choices (0 to %3)</translation>
    </message>
    <message>
        <source>%1：%2 超出窗口允许的范围（%3 至 %4）</source>
        <translation>%1: %2 is out of the range the window allows (%3 to %4)</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>历史记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>还没有保存过参数历史</source>
        <translation>No parameter history has been kept yet</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>把窗口中的参数与选中的记录比较</source>
        <translation>Compare the window&apos;s parameters with the selected entry</translation>
    </message>
    <message>
        <source>载入窗口</source>
        <translation>Load into window</translation>
    </message>
    <message>
        <source>把选中记录的参数放入窗口，窗口中的修改先存入历史记录</source>
        <translation>Put the selected entry&apos;s parameters into the window; changes in the window are kept in the history first</translation>
    </message>
    <message>
        <source>历史记录 %1（%2）</source>
        <translation>History %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Licence</name>
    <message>
        <source>许可证：GPL-3.0-or-later（GNU 通用公共许可证第 3 版或更新版本）。本程序是自由软件，不提供任何担保。</source>
        <translation>Licence: GPL-3.0-or-later (GNU General Public License, version 3 or later). This is free software; there is NO WARRANTY.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Korvan电子K6QX调参软件V2.0</source>
        <translation>Korvan K6QX Tuning Software V2.0</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>舵机相位</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>正0</source>
        <translation>N0</translation>
    </message>
    <message>
        <source>反1</source>
        <translation>R1</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>Sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量</source>
        <translation>Travel</translation>
    </message>
    <message>
        <source>  L                R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH1：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH1:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH2：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH2:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH3：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH3:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH4：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH4:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH5：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH5:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH6：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH6:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH7：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH7:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH8：&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:16pt; font-weight:600;&quot;&gt;CH8:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>Failsafe</translation>
    </message>
    <message>
        <source>报警电压：</source>
        <translation>Alarm V:</translation>
    </message>
    <message>
        <source>摇杆模式：</source>
        <translation>Stick mode:</translation>
    </message>
    <message>
        <source>固件版本：</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>Aux source</translation>
    </message>
    <message>
        <source>0:SwA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1:SwB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2:VrA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3:VrB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH5:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH6:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH7:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH8:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4:NULL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>打开/关闭串口</source>
        <translation>Open/close the port</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>串口号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>COM1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud:</translation>
    </message>
    <message>
        <source>2400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4800</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>56000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>57600</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>115200</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>Data:</translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>Stop:</translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1.5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校  验：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ODD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EVEN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MARK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SPACE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>流  控：</source>
        <translation>Flow:</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HARDWARE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XONXOFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>高级菜单</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>大小舵设置</source>
        <translation>Dual rates</translation>
    </message>
    <message>
        <source>混控：</source>
        <translation>Mix:</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>通道：</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>开关：</source>
        <translation>Switch:</translation>
    </message>
    <message>
        <source>比例- UP ：</source>
        <translation>Rate UP:</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SWA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比例-DOWN：</source>
        <translation>Rate DN:</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>Attitude</translation>
    </message>
    <message>
        <source>通道选择：</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>姿态1：</source>
        <translation>Pos 1:</translation>
    </message>
    <message>
        <source>姿态2：</source>
        <translation>Pos 2:</translation>
    </message>
    <message>
        <source>姿态3：</source>
        <translation>Pos 3:</translation>
    </message>
    <message>
        <source>姿态4：</source>
        <translation>Pos 4:</translation>
    </message>
    <message>
        <source>姿态5:</source>
        <translation>Pos 5:</translation>
    </message>
    <message>
        <source>姿态6:</source>
        <translation>Pos 6:</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CH8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（UP-UP）</source>
        <translation>(UP-UP)</translation>
    </message>
    <message>
        <source>(UP-CT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(UP-DN)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(DN-UP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（DN-CT）</source>
        <translation>(DN-CT)</translation>
    </message>
    <message>
        <source>（DN-DN）</source>
        <translation>(DN-DN)</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>（左）</source>
        <translation>(L)</translation>
    </message>
    <message>
        <source>（右）</source>
        <translation>(R)</translation>
    </message>
    <message>
        <source>副翼一：</source>
        <translation>Ail 1:</translation>
    </message>
    <message>
        <source>副翼二：</source>
        <translation>Ail 2:</translation>
    </message>
    <message>
        <source>升降二：</source>
        <translation>Ele 2:</translation>
    </message>
    <message>
        <source>升降一：</source>
        <translation>Ele 1:</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>尾舵一：</source>
        <translation>Rud 1:</translation>
    </message>
    <message>
        <source>尾舵二：</source>
        <translation>Rud 2:</translation>
    </message>
    <message>
        <source>可编程混控一</source>
        <translation>Program mix 1</translation>
    </message>
    <message>
        <source>偏置：</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source>主控：</source>
        <translation>Master:</translation>
    </message>
    <message>
        <source>被控：</source>
        <translation>Slave:</translation>
    </message>
    <message>
        <source>禁止</source>
        <translation>Inhibit</translation>
    </message>
    <message>
        <source>UP ：</source>
        <translation>UP:</translation>
    </message>
    <message>
        <source>DOWN：</source>
        <translation>DOWN:</translation>
    </message>
    <message>
        <source>可编程混控二</source>
        <translation>Program mix 2</translation>
    </message>
    <message>
        <source>读取数据</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>加载数据</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>写入数据</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>%1已打开 %2 %3 %4 | </source>
        <translation>%1 open %2 %3 %4 | </translation>
    </message>
    <message>
        <source>串口未打开 | </source>
        <translation>Port closed | </translation>
    </message>
    <message>
        <source>发送：%1B | 接收：%2B</source>
        <translation>Sent: %1B | Received: %2B</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>串口连接已断开，串口已关闭
请检查连接后重新打开串口</source>
        <translation>The serial link was lost and the port is closed
Check the connection, then open the port again</translation>
    </message>
    <message>
        <source>以下参数超出可保存的范围，没有保存：</source>
        <translation>These values are out of range; nothing was saved:</translation>
    </message>
    <message>
        <source>文本文件 (*.txt *.dat);;所有文件 (*.*)</source>
        <translation>Text files (*.txt *.dat);;All files (*.*)</translation>
    </message>
    <message>
        <source>不是有效的参数文件，没有加载任何参数：
%1</source>
        <translation>Not a valid parameter file; no value was loaded:
%1</translation>
    </message>
    <message>
        <source>打开</source>
        <comment>port button</comment>
        <translation>Open</translation>
    </message>
    <message>
        <source>关闭</source>
        <comment>port button</comment>
        <translation>Close</translation>
    </message>
    <message>
        <source>校验数据</source>
        <translation>Verify Data</translation>
    </message>
    <message>
        <source>把窗口中的参数与哪一方比较？</source>
        <translation>Compare the window&apos;s parameters with what?</translation>
    </message>
    <message>
        <source>发射机</source>
        <translation>Transmitter</translation>
    </message>
    <message>
        <source>参数文件</source>
        <translation>Parameter file</translation>
    </message>
    <message>
        <source>不是有效的参数文件，没有比较任何参数：
%1</source>
        <translation>Not a valid parameter file; nothing was compared:
%1</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>Close window</translation>
    </message>
    <message>
        <source>窗口中的参数已修改，尚未写入发射机或保存到文件。</source>
        <translation>The values in the window have been changed and are neither written to the transmitter nor saved to a file.</translation>
    </message>
    <message>
        <source>发射机没有回报当前参数，写入前无法备份。
仍然写入？</source>
        <translation>The transmitter did not report its current parameters, so they cannot be backed up before writing.
Write anyway?</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>不能打开指定串口</source>
        <translation>Cannot open the chosen port</translation>
    </message>
    <message>
        <source>参数历史没有保存：%1</source>
        <translation>Parameter history not kept: %1</translation>
    </message>
    <message>
        <source>备份没有保存：%1
仍然写入？</source>
        <translation>The backup was not kept: %1
Write anyway?</translation>
    </message>
    <message numerus="yes">
        <source>已还原 %n 项</source>
        <translation>
            <numerusform>Reverted %n value</numerusform>
            <numerusform>Reverted %n values</numerusform>
        </translation>
    </message>
    <message>
        <source>不能加载界面语言的翻译</source>
        <translation>Cannot load the translation of the interface language</translation>
    </message>
    <message>
        <source>界面语言已切换为中文</source>
        <translation>The interface is now in English</translation>
    </message>
    <message>
        <source>串口连接已断开，串口已关闭</source>
        <translation>The serial connection was lost; the port is closed</translation>
    </message>
    <message>
        <source>正在读取…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>可以用“校验数据”核对</source>
        <translation>Use “Verify” to check</translation>
    </message>
    <message>
        <source>已保存到 %1</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>这次读取没有回报，仍是窗口原来的值</source>
        <translation>Not reported by the last read: still the window&apos;s earlier value</translation>
    </message>
    <message numerus="yes">
        <source>已载入 %n 项（尚未写入发射机）</source>
        <translation>
            <numerusform>Loaded %n value (not yet written to the transmitter)</numerusform>
            <numerusform>Loaded %n values (not yet written to the transmitter)</numerusform>
        </translation>
    </message>
    <message>
        <source>模型 %1</source>
        <translation>model %1</translation>
    </message>
    <message>
        <source>依次试串口：打开，只发送读取请求，等发射机回报，再关闭；其他程序占着的串口不试。只有一个串口回报时就打开它</source>
        <translation>Tries the ports in turn: opens each, sends only a read request, waits for the transmitter to answer, then closes it; ports held by other programs are not tried. If only one port answers, it is opened</translation>
    </message>
    <message>
        <source>查找发射机</source>
        <translation>Find Transmitter</translation>
    </message>
    <message>
        <source>不只试 USB 串口芯片表中的串口，也试串口列表中的其他每个串口</source>
        <translation>Try not only the ports in the USB serial chip table but also every other port in the port list</translation>
    </message>
    <message>
        <source>所有串口</source>
        <translation>All ports</translation>
    </message>
</context>
<context>
    <name>MessageLine</name>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>详细信息</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>ModelActions</name>
    <message>
        <source>参数已发送，但没能在模型“%1”中记下这次写入：%2</source>
        <translation>The parameters were sent, but this write could not be recorded in model “%1”: %2</translation>
    </message>
    <message>
        <source>保存窗口到此模型</source>
        <translation>Save Window to This Model</translation>
    </message>
    <message>
        <source>用窗口中的参数替换模型“%1”的参数？
模型原来的参数会保存在参数历史中。</source>
        <translation>Replace the parameters of model “%1” with the parameters in the window?
The model&apos;s previous parameters will be kept in the parameter history.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>不能载入模型“%1”：
%2</source>
        <translation>Cannot load model “%1”:
%2</translation>
    </message>
    <message>
        <source>模型 %1</source>
        <translation>model %1</translation>
    </message>
    <message>
        <source>保存到模型</source>
        <translation>Save to Model</translation>
    </message>
    <message>
        <source>参数历史不能保存模型原来的参数：%1
仍然保存到模型“%2”吗？</source>
        <translation>The parameter history cannot save the model&apos;s previous parameters: %1
Save to model “%2” anyway?</translation>
    </message>
    <message>
        <source>已保存到模型 %1</source>
        <translation>Saved to model %1</translation>
    </message>
    <message>
        <source>保存数据</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>窗口中是模型“%1”的参数。保存到哪里？</source>
        <translation>The window holds the parameters of model “%1”. Where should they be saved?</translation>
    </message>
    <message>
        <source>保存到模型 %1</source>
        <translation>Save to Model %1</translation>
    </message>
    <message>
        <source>保存为文件…</source>
        <translation>Save as File…</translation>
    </message>
    <message>
        <source>保存为模板</source>
        <translation>Save as Template</translation>
    </message>
    <message>
        <source>模板名称：</source>
        <translation>Template name:</translation>
    </message>
    <message>
        <source>已保存为模板 %1（新建 → 从模板 中可用）</source>
        <translation>Saved as template %1 (available under New → From Template)</translation>
    </message>
</context>
<context>
    <name>ModelCommands</name>
    <message>
        <source>model import：模型的名字（默认是文件中的名字或文件名）。</source>
        <translation>model import: the name of the model (default: the name in the file, or the file name).</translation>
    </message>
    <message>
        <source>
模型库：
  k6qx-cli model list [--json]                     列出模型库中的模型
  k6qx-cli model show NAME [--json]
  k6qx-cli model save NAME (FILE|PORT) [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli model write NAME PORT [--verify] [--no-backup] [--baud N]
  k6qx-cli model identify PORT [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli model export NAME FILE                  FILE 以 .dat 结尾只导出参数文件，否则导出 FILE.dat 和 FILE.json
  k6qx-cli model import FILE [--name NAME]
  k6qx-cli model delete NAME                       移到模型库的 .deleted 文件夹，可以恢复
模型库文件夹：环境变量 K6QX_MODELS_DIR，默认是文档文件夹下的 k6qx/models。NAME 先按原样比较，再不分大小写。
model identify 退出码：0 与一个模型一致，1 最接近的模型有不同或都不同。

</source>
        <translation>
Model Library:
  k6qx-cli model list [--json]                     list the models in the model library
  k6qx-cli model show NAME [--json]
  k6qx-cli model save NAME (FILE|PORT) [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli model write NAME PORT [--verify] [--no-backup] [--baud N]
  k6qx-cli model identify PORT [--baud N] [--dual-rate-channel 1..4]
  k6qx-cli model export NAME FILE                  if FILE ends in .dat, export only the parameter file, otherwise export FILE.dat and FILE.json
  k6qx-cli model import FILE [--name NAME]
  k6qx-cli model delete NAME                       move to the model library&apos;s .deleted folder, can be restored
Model library folder: environment variable K6QX_MODELS_DIR, default k6qx/models in the documents folder. NAME is compared first as is, then ignoring case.
model identify exit codes: 0 matches a model, 1 the closest model differs, or all differ.

</translation>
    </message>
    <message>
        <source>model %1 不接受选项 %2，见 k6qx-cli --help</source>
        <translation>model %1 does not accept option %2, see k6qx-cli --help</translation>
    </message>
    <message numerus="yes">
        <source>model %1 需要 %n 个参数</source>
        <translation>
            <numerusform>model %1 needs %n argument</numerusform>
            <numerusform>model %1 needs %n arguments</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，给出了 %n 个，见 k6qx-cli --help</source>
        <translation>
            <numerusform>, %n was given; see k6qx-cli --help</numerusform>
            <numerusform>, %n were given; see k6qx-cli --help</numerusform>
        </translation>
    </message>
    <message>
        <source>model 需要子命令（list、show、save、write、identify、export、import、delete），见 k6qx-cli --help</source>
        <translation>model needs a subcommand (list, show, save, write, identify, export, import, delete), see k6qx-cli --help</translation>
    </message>
    <message>
        <source>未知的 model 子命令“%1”，见 k6qx-cli --help</source>
        <translation>Unknown model subcommand “%1”, see k6qx-cli --help</translation>
    </message>
    <message>
        <source>模型库 %1 中没有模型
</source>
        <translation>No models in model library %1
</translation>
    </message>
    <message>
        <source>已损坏：%1</source>
        <translation>Damaged: %1</translation>
    </message>
    <message>
        <source>没有说明文件（.json）</source>
        <translation>No description file (.json)</translation>
    </message>
    <message>
        <source>最后写入 %1 %2</source>
        <translation>Last written %1 %2</translation>
    </message>
    <message>
        <source>模型「%1」已损坏：%2</source>
        <translation>Model “%1” is damaged: %2</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>没有写入过发射机</source>
        <translation>Never written to a transmitter</translation>
    </message>
    <message>
        <source>名字：%1
机型：%2
备注：%3
建立：%4
修改：%5
最后写入：%6
文件：%7

</source>
        <translation>Name: %1
Aircraft: %2
Notes: %3
Created: %4
Modified: %5
Last written: %6
File: %7

</translation>
    </message>
    <message>
        <source>%1；也没有名为 %2 的参数文件</source>
        <translation>%1; nor is there a parameter file named %2</translation>
    </message>
    <message>
        <source>模型「%1」已更新：%2
</source>
        <translation>Model “%1” updated: %2
</translation>
    </message>
    <message>
        <source>已建立模型「%1」：%2
</source>
        <translation>Created model “%1”: %2
</translation>
    </message>
    <message>
        <source>模型「%1」的最后写入没有记下：%2</source>
        <translation>The last write of model “%1” was not recorded: %2</translation>
    </message>
    <message>
        <source>%1 和 %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>模型「%1」已导出到 %2
</source>
        <translation>Model “%1” exported to %2
</translation>
    </message>
    <message>
        <source>已导入为模型「%1」：%2
</source>
        <translation>Imported as model “%1”: %2
</translation>
    </message>
    <message>
        <source>模型「%1」已移到 %2，可以从那里恢复
</source>
        <translation>Model “%1” moved to %2; it can be restored from there
</translation>
    </message>
</context>
<context>
    <name>ModelLibrary</name>
    <message>
        <source>不能建立文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>不能移动文件 %1</source>
        <translation>Cannot move file %1</translation>
    </message>
    <message>
        <source>文件夹 %1 中没有空闲的文件名</source>
        <translation>No free file name in folder %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>没有名为「%1」的模型</source>
        <translation>No model named “%1”</translation>
    </message>
    <message>
        <source>「%1」（%2）</source>
        <translation>“%1” (%2)</translation>
    </message>
    <message>
        <source>有几个模型的名字与「%1」相同或只差大小写：%2，请写出准确的名字</source>
        <translation>Several models have names that are the same as “%1” or differ only in case: %2. Please give the exact name</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>模型「%1」读取之后已被其他窗口或程序改动或删除，这次没有改动它；请重新读取模型库</source>
        <translation>Model “%1” was changed or deleted by another window or program after it was read, so it was not changed this time; please reload the model library</translation>
    </message>
    <message>
        <source>模型的名字不能是空的</source>
        <translation>The model name cannot be empty</translation>
    </message>
    <message>
        <source>已经有名为「%1」的模型</source>
        <translation>A model named “%1” already exists</translation>
    </message>
    <message>
        <source>不能在文件夹 %1 中写入文件：%2</source>
        <translation>cannot write a file in the folder %1: %2</translation>
    </message>
    <message>
        <source>不能在文件夹 %1 中写入文件</source>
        <translation>cannot write a file in the folder %1</translation>
    </message>
    <message>
        <source>以下参数超出参数文件能保存的范围，没有保存：%1</source>
        <translation>The following parameters are outside the range a parameter file can store and were not saved: %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>模型「%1」的文件不是有效的参数文件，没有改动它</source>
        <translation>The file of model “%1” is not a valid parameter file; it was not changed</translation>
    </message>
    <message>
        <source>不能写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>模型「%1」没有删除，不能彻底删除</source>
        <translation>Model “%1” is not deleted, so it cannot be deleted for good</translation>
    </message>
    <message>
        <source>不能删除文件 %1</source>
        <translation>Cannot delete file %1</translation>
    </message>
    <message>
        <source>模型「%1」的文件不是有效的参数文件，没有导出</source>
        <translation>The file of model “%1” is not a valid parameter file; it was not exported</translation>
    </message>
    <message>
        <source>模型库中没有可以比较的模型</source>
        <translation>There are no models in the model library to compare with</translation>
    </message>
    <message>
        <source>发射机中的参数与模型「%1」一致</source>
        <translation>The parameters in the transmitter match model “%1”</translation>
    </message>
    <message numerus="yes">
        <source>发射机中的参数与模型「%1」有 %n 项不同</source>
        <translation>
            <numerusform>The parameters in the transmitter differ from model “%1” in %n item</numerusform>
            <numerusform>The parameters in the transmitter differ from model “%1” in %n items</numerusform>
        </translation>
    </message>
    <message>
        <source>发射机中的参数与模型库中的模型都不同</source>
        <translation>The parameters in the transmitter differ from all models in the model library</translation>
    </message>
</context>
<context>
    <name>ModelLibraryDialog</name>
    <message>
        <source>模型库</source>
        <translation>Model Library</translation>
    </message>
    <message>
        <source>筛选：名称、机型或备注</source>
        <translation>Filter: name, aircraft or notes</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Aircraft</translation>
    </message>
    <message>
        <source>上次写入发射机</source>
        <translation>Last written to transmitter</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>窗口中的参数</source>
        <translation>Parameters in the window</translation>
    </message>
    <message>
        <source>从模板</source>
        <translation>From Template</translation>
    </message>
    <message>
        <source>向导…</source>
        <translation>Wizard…</translation>
    </message>
    <message>
        <source>载入窗口</source>
        <translation>Load into window</translation>
    </message>
    <message>
        <source>写入发射机</source>
        <translation>Write to Transmitter</translation>
    </message>
    <message>
        <source>保存窗口到此模型</source>
        <translation>Save Window to This Model</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>已删除的模型…</source>
        <translation>Deleted Models…</translation>
    </message>
    <message>
        <source>导入…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>已损坏</source>
        <translation>Damaged</translation>
    </message>
    <message>
        <source>模型名称：</source>
        <translation>Model name:</translation>
    </message>
    <message>
        <source>新建模型</source>
        <translation>New model</translation>
    </message>
    <message>
        <source>%1 副本</source>
        <translation>%1 copy</translation>
    </message>
    <message>
        <source>删除模型“%1”？
它会移到“已删除的模型”中，可以恢复。</source>
        <translation>Delete model “%1”?
It will be moved to “Deleted Models” and can be restored.</translation>
    </message>
    <message>
        <source>已删除的模型</source>
        <translation>Deleted Models</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>永久删除</source>
        <translation>Delete for Good</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>永久删除模型“%1”？这不能撤销。</source>
        <translation>Delete model “%1” for good? This cannot be undone.</translation>
    </message>
    <message numerus="yes">
        <source>永久删除全部 %n 个已删除的模型？这不能撤销。</source>
        <translation>
            <numerusform>Delete the %n deleted model for good? This cannot be undone.</numerusform>
            <numerusform>Delete all %n deleted models for good? This cannot be undone.</numerusform>
        </translation>
    </message>
    <message>
        <source>导入模型</source>
        <translation>Import Model</translation>
    </message>
    <message>
        <source>参数文件 (*.dat);;所有文件 (*)</source>
        <translation>Parameter files (*.dat);;All files (*)</translation>
    </message>
    <message>
        <source>导出模型</source>
        <translation>Export Model</translation>
    </message>
    <message>
        <source>模型（参数文件和说明） (*);;只有参数文件 (*.dat)</source>
        <translation>Model (parameter file and description) (*);;Parameter file only (*.dat)</translation>
    </message>
</context>
<context>
    <name>ModelWizard</name>
    <message>
        <source>新建模型向导</source>
        <translation>New model wizard</translation>
    </message>
    <message>
        <source>飞机类型</source>
        <translation>Aircraft</translation>
    </message>
    <message>
        <source>机型决定要打开哪种混控。</source>
        <translation>The kind of aircraft decides which mix is turned on.</translation>
    </message>
    <message>
        <source>模式 1（右手油门，日本手）</source>
        <translation>Mode 1 (throttle on the right)</translation>
    </message>
    <message>
        <source>模式 2（左手油门，美国手）</source>
        <translation>Mode 2 (throttle on the left)</translation>
    </message>
    <message>
        <source>模式 3（右手油门）</source>
        <translation>Mode 3 (throttle on the right)</translation>
    </message>
    <message>
        <source>模式 4（左手油门）</source>
        <translation>Mode 4 (throttle on the left)</translation>
    </message>
    <message>
        <source>摇杆模式</source>
        <translation>Stick mode</translation>
    </message>
    <message>
        <source>哪个摇杆管油门，哪个管升降。发射机按这里的模式解读摇杆。</source>
        <translation>Which stick works the throttle and which the elevator. The transmitter reads the sticks in this mode.</translation>
    </message>
    <message>
        <source>电池</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>电压低于报警电压时发射机报警。报警电压 = 节数 × 每节电压。</source>
        <translation>The transmitter sounds its alarm below the alarm voltage. Alarm voltage = cells × volts per cell.</translation>
    </message>
    <message>
        <source> 节</source>
        <translation> cells</translation>
    </message>
    <message>
        <source>报警电压：%1 V</source>
        <translation>Alarm voltage: %1 V</translation>
    </message>
    <message>
        <source>锂电池节数：</source>
        <translation>LiPo cells:</translation>
    </message>
    <message>
        <source>每节报警电压：</source>
        <translation>Alarm per cell:</translation>
    </message>
    <message>
        <source>每节 %1 V 是建议值：锂电池在负载下约 3.5 V 时电量将尽，%1 V 报警留出降落的时间。可以按自己的电池修改。</source>
        <translation>%1 V a cell is a suggestion: a LiPo cell is nearly empty at about 3.5 V under load, and an alarm at %1 V leaves time to land. Change it to suit your battery.</translation>
    </message>
    <message>
        <source>油门失控保护</source>
        <translation>Throttle failsafe</translation>
    </message>
    <message>
        <source>接收机收不到信号时，油门通道（CH%1）输出的位置。</source>
        <translation>Where the throttle channel (CH%1) goes when the receiver loses the signal.</translation>
    </message>
    <message>
        <source>失控时的油门：</source>
        <translation>Throttle on failsafe:</translation>
    </message>
    <message>
        <source>0 是油门最低：信号丢失时电机停转，这是安全的设置。</source>
        <translation>0 is throttle closed: the motor stops when the signal is lost. That is the safe setting.</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>向导设置下面这些参数，其他参数都用初始值。</source>
        <translation>The wizard sets these values; every other value keeps its starting value.</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>模型名称：</source>
        <translation>Model name:</translation>
    </message>
    <message>
        <source>向导不会写入发射机：新模型在窗口中打开，检查后再用“写入数据”写入。程序看不到舵机，第一次飞行前请在地面上检查每个舵面的方向。</source>
        <translation>The wizard writes nothing to the transmitter: the new model opens in the window; check it, then use “Write Data”. The program cannot see the servos: before the first flight, check the direction of every control surface on the ground.</translation>
    </message>
</context>
<context>
    <name>MoreMenu</name>
    <message>
        <source>更多</source>
        <translation>More</translation>
    </message>
    <message>
        <source>还原(&amp;R)</source>
        <translation>&amp;Revert</translation>
    </message>
    <message>
        <source>把所有参数恢复为上次读取、加载、保存或写入时的值</source>
        <translation>Set every value back to how it stood after the last read, load, save or write</translation>
    </message>
    <message>
        <source>历史记录(&amp;H)…</source>
        <translation>&amp;History…</translation>
    </message>
    <message>
        <source>列出保存过的参数，与窗口比较或载入窗口</source>
        <translation>List the kept parameter sets, to compare with the window or load into it</translation>
    </message>
    <message>
        <source>导出设置表(&amp;E)…</source>
        <translation>&amp;Export setup sheet…</translation>
    </message>
    <message>
        <source>把窗口中的参数写成参数表（PDF 或 HTML），便于打印和分享</source>
        <translation>Write the window&apos;s parameters as a setup sheet (PDF or HTML) to print or share</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>外观(&amp;A)</source>
        <translation>&amp;Appearance</translation>
    </message>
    <message>
        <source>关于(&amp;B)</source>
        <translation>A&amp;bout</translation>
    </message>
    <message>
        <source>程序的版本、许可证和第三方组件的声明</source>
        <translation>The program&apos;s version, licence and third-party notices</translation>
    </message>
    <message>
        <source>还原、历史记录、模型库、导出设置表、语言、外观、关于</source>
        <translation>Restore, history, model library, export settings sheet, language, appearance, about</translation>
    </message>
    <message>
        <source>模型库(&amp;M)…</source>
        <translation>&amp;Model Library…</translation>
    </message>
    <message>
        <source>每架飞机的参数按名称保存：新建、载入窗口、写入发射机、保存窗口到模型</source>
        <translation>Keep each aircraft&apos;s parameters under a name: new, load into window, write to transmitter, save window to model</translation>
    </message>
    <message>
        <source>保存为模板(&amp;T)…</source>
        <translation>Save as &amp;Template…</translation>
    </message>
    <message>
        <source>把窗口中的参数保存为模板，新建模型时可以从它开始</source>
        <translation>Save the parameters in the window as a template that new models can start from</translation>
    </message>
</context>
<context>
    <name>ParamCompare</name>
    <message>
        <source>只比较发射机回报的参数：大小舵混控开关不参与比较；大小舵设置 → 通道 没有选中 CH1 到 CH4，大小舵比例也不参与比较。</source>
        <translation>Only values the transmitter reports are compared: not the dual-rate switch; and as Dual Rates → Channel is not CH1 to CH4, not the dual rates either.</translation>
    </message>
    <message>
        <source>只比较发射机回报的参数：大小舵混控开关不参与比较，大小舵比例只比较通道 CH%1 的一对（大小舵设置 → 通道 所选的通道）。</source>
        <translation>Only values the transmitter reports are compared: not the dual-rate switch, and of the dual rates only the pair of CH%1 (the channel chosen in Dual Rates → Channel).</translation>
    </message>
    <message>
        <source>发射机没有回报：%1</source>
        <translation>Not reported by the transmitter: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1（写入为 %2）</source>
        <translation>%1 (written as %2)</translation>
    </message>
    <message numerus="yes">
        <source>回报的 %n 项一致</source>
        <translation>
            <numerusform>the %n reported value agrees</numerusform>
            <numerusform>the %n reported values agree</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 项不一致</source>
        <translation>
            <numerusform>%n value differs</numerusform>
            <numerusform>%n values differ</numerusform>
        </translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>有 %n 项发射机没有回报</source>
        <translation>
            <numerusform>%n value not reported by the transmitter</numerusform>
            <numerusform>%n values not reported by the transmitter</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>全部 %n 项一致</source>
        <translation>
            <numerusform>the %n value agrees</numerusform>
            <numerusform>all %n values agree</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ParamFile</name>
    <message>
        <source>不能读取指定的文件</source>
        <translation>Cannot read the chosen file</translation>
    </message>
    <message>
        <source>不是有效的参数文件：
%1</source>
        <translation>Not a valid parameter file:
%1</translation>
    </message>
    <message>
        <source>不能读取指定的文件
这是设备或管道，不是普通文件</source>
        <translation>Cannot read the chosen file
It is a device or a pipe, not a regular file</translation>
    </message>
    <message numerus="yes">
        <source>不能读取指定的文件
文件超过 %n 字节，不是参数文件</source>
        <translation>
            <numerusform>Cannot read the file
The file is larger than %n byte: not a parameter file</numerusform>
            <numerusform>Cannot read the file
The file is larger than %n bytes: not a parameter file</numerusform>
        </translation>
    </message>
    <message>
        <source>不能写入指定的文件</source>
        <translation>Cannot write the chosen file</translation>
    </message>
</context>
<context>
    <name>ParamHistory</name>
    <message>
        <source>不能建立文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>不能在文件夹 %1 中写入文件：%2</source>
        <translation>cannot write a file in the folder %1: %2</translation>
    </message>
    <message>
        <source>不能在文件夹 %1 中写入文件</source>
        <translation>cannot write a file in the folder %1</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写入前备份</source>
        <translation>Backup before writing</translation>
    </message>
    <message>
        <source>已写入</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>窗口中的修改</source>
        <translation>Edits in the window</translation>
    </message>
    <message>
        <source>电脑的时钟早于参数历史中最新的记录（%1），请检查时钟</source>
        <translation>The computer&apos;s clock is behind the newest entry of the parameter history (%1); please check the clock</translation>
    </message>
    <message>
        <source>模型保存前</source>
        <translation>Before model save</translation>
    </message>
</context>
<context>
    <name>PortDoctor</name>
    <message>
        <source>%1（进程 %2）</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>没有访问权限：设备属于 %1 组，当前用户已加入该组，但要重新登录才生效</source>
        <translation>No access: the device belongs to group %1; your user has joined it, but that takes effect only after logging in again</translation>
    </message>
    <message>
        <source>没有访问权限：设备 %1 不允许当前用户读写（属于用户 %2、%3 组，权限 %4）</source>
        <translation>No access: device %1 does not let your user read and write it (owner %2, group %3, mode %4)</translation>
    </message>
    <message>
        <source>没有选择串口</source>
        <translation>No port chosen</translation>
    </message>
    <message>
        <source>串口 %1 不存在（已拔出？）</source>
        <translation>Port %1 does not exist (unplugged?)</translation>
    </message>
    <message>
        <source>%1 不是串口设备</source>
        <translation>%1 is not a serial device</translation>
    </message>
    <message>
        <source>串口被其他程序占用：%1</source>
        <translation>The port is in use by another program: %1</translation>
    </message>
    <message>
        <source>串口被其他程序占用（Windows 拒绝访问）</source>
        <translation>The port is in use by another program (Windows denies access)</translation>
    </message>
    <message>
        <source>锁文件 %1 是已结束的进程 %2 留下的，已经过时，可以删除</source>
        <translation>Lock file %1 was left by process %2, which has ended; it is stale and can be removed</translation>
    </message>
    <message>
        <source>锁文件 %1 中读不出进程号</source>
        <translation>Lock file %1 holds no process number</translation>
    </message>
    <message>
        <source>请检查串口是否被占用</source>
        <translation>Check whether another program is using it</translation>
    </message>
    <message>
        <source>设备：%1</source>
        <translation>Device: %1</translation>
    </message>
    <message>
        <source>说明：%1</source>
        <translation>Description: %1</translation>
    </message>
    <message>
        <source>制造商：%1</source>
        <translation>Manufacturer: %1</translation>
    </message>
    <message>
        <source>VID:PID：%1:%2</source>
        <translation>VID:PID: %1:%2</translation>
    </message>
    <message>
        <source>序列号：%1</source>
        <translation>Serial number: %1</translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation>The device does not exist</translation>
    </message>
    <message>
        <source>访问权限：当前用户可以读写（%1 %2 %3）</source>
        <translation>Access: your user may read and write (%1 %2 %3)</translation>
    </message>
    <message>
        <source>访问权限：当前用户不能读写（%1 %2 %3）</source>
        <translation>Access: your user may not read and write (%1 %2 %3)</translation>
    </message>
    <message>
        <source>打开它的其他进程：%1</source>
        <translation>Other processes with it open: %1</translation>
    </message>
    <message>
        <source>没有</source>
        <translation>none</translation>
    </message>
    <message>
        <source>链路的另一端（同时打开伪终端的主端）：%1</source>
        <translation>Far end of the link (holds the pseudo-terminal&apos;s master too): %1</translation>
    </message>
    <message>
        <source>锁文件：没有</source>
        <translation>Lock file: none</translation>
    </message>
    <message>
        <source>锁文件：%1，进程 %2（%3，正在运行）</source>
        <translation>Lock file: %1, process %2 (%3, running)</translation>
    </message>
    <message>
        <source>锁文件：%1，进程 %2（已结束）</source>
        <translation>Lock file: %1, process %2 (ended)</translation>
    </message>
    <message>
        <source>ModemManager、brltty：%1</source>
        <translation>ModemManager, brltty: %1</translation>
    </message>
    <message>
        <source>没有运行</source>
        <translation>not running</translation>
    </message>
    <message>
        <source>VID:PID %1:%2</source>
        <translation>VID:PID %1:%2</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个进程属于其他用户，看不到它们打开的文件</source>
        <translation>
            <numerusform>%n process belongs to another user; the files it has open cannot be seen</numerusform>
            <numerusform>%n processes belong to other users; the files they have open cannot be seen</numerusform>
        </translation>
    </message>
    <message>
        <source>没有访问权限：设备属于 %1 组，当前用户不在该组中：sudo usermod -aG %1 $USER，然后重新登录</source>
        <translation>No permission: the device belongs to the group %1 and the current user is not in it: sudo usermod -aG %1 $USER, then log in again</translation>
    </message>
    <message>
        <source>ModemManager（进程 %1）会探测这个设备，可能占用串口或向它发送数据；只让它放过这个设备：echo &apos;%2&apos; | sudo tee /etc/udev/rules.d/99-k6qx-modemmanager.rules，然后 sudo udevadm control --reload &amp;&amp; sudo udevadm trigger，再重新插上适配器</source>
        <translation>ModemManager (process %1) would probe this device and may take the port or send to it; to make it leave this device alone: echo &apos;%2&apos; | sudo tee /etc/udev/rules.d/99-k6qx-modemmanager.rules, then sudo udevadm control --reload &amp;&amp; sudo udevadm trigger, and plug the adapter in again</translation>
    </message>
    <message>
        <source>brltty（进程 %1）占用着这个设备：它把某些 USB 串口适配器（如 CH340）当作盲文显示器；不用盲文显示器时：sudo apt-get remove brltty</source>
        <translation>brltty (process %1) holds this device: it takes some USB-serial adapters (such as the CH340) for braille displays; if you use no braille display: sudo apt-get remove brltty</translation>
    </message>
    <message>
        <source>也打开着这个设备：%1</source>
        <translation>Also has this device open: %1</translation>
    </message>
    <message>
        <source>串口已经打开</source>
        <translation>The port is already open</translation>
    </message>
    <message>
        <source>这些设置不被支持</source>
        <translation>These settings are not supported</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>Timed out</translation>
    </message>
    <message>
        <source>设备出错或已拔出</source>
        <translation>Device error or device unplugged</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Windows 不能打开这个串口：%1</source>
        <translation>Windows cannot open this port: %1</translation>
    </message>
    <message>
        <source>错误 %1</source>
        <translation>Error %1</translation>
    </message>
    <message>
        <source>%1（错误 %2）</source>
        <translation>%1 (error %2)</translation>
    </message>
</context>
<context>
    <name>PortList</name>
    <message>
        <source>USB 串口</source>
        <translation>USB serial</translation>
    </message>
    <message>
        <source>主板串口</source>
        <translation>built-in serial port</translation>
    </message>
    <message>
        <source>%1（USB 串口）</source>
        <translation>%1 (USB serial)</translation>
    </message>
</context>
<context>
    <name>PortPanel</name>
    <message>
        <source>发现新的串口 %1</source>
        <translation>New serial port found: %1</translation>
    </message>
    <message>
        <source>发现新的串口 %1（%2）</source>
        <translation>New serial port found: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>%1：没有选中项，请先选择一项</source>
        <translation>%1: nothing selected; choose an item first</translation>
    </message>
    <message>
        <source>%1：%2 超出范围（0 至 9）</source>
        <translation>%1: %2 is out of range (0 to 9)</translation>
    </message>
    <message>
        <source>%1：%2 超出可写入的范围（0.0 至 23.9）</source>
        <translation>%1: %2 is out of the writable range (0.0 to 23.9)</translation>
    </message>
    <message>
        <source>%1：%2 超出可写入的范围（%3 至 %4）</source>
        <translation>%1: %2 is out of the writable range (%3 to %4)</translation>
    </message>
    <message>
        <source>没有读取到文件内容</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>S 记录的起止字母不在位置 0 和 80</source>
        <translation>The S record does not start and end at positions 0 and 80</translation>
    </message>
    <message>
        <source>T 记录的起止字母不在位置 81 和 161</source>
        <translation>The T record does not start and end at positions 81 and 161</translation>
    </message>
    <message>
        <source>S 记录中有不是十六进制数字的字段</source>
        <translation>The S record has a field that is not hexadecimal</translation>
    </message>
    <message>
        <source>T 记录中有不是十六进制数字的字段</source>
        <translation>The T record has a field that is not hexadecimal</translation>
    </message>
    <message>
        <source>CH1 舵机相位</source>
        <translation>CH1 servo phase</translation>
    </message>
    <message>
        <source>CH2 舵机相位</source>
        <translation>CH2 servo phase</translation>
    </message>
    <message>
        <source>CH3 舵机相位</source>
        <translation>CH3 servo phase</translation>
    </message>
    <message>
        <source>CH4 舵机相位</source>
        <translation>CH4 servo phase</translation>
    </message>
    <message>
        <source>CH5 舵机相位</source>
        <translation>CH5 servo phase</translation>
    </message>
    <message>
        <source>CH6 舵机相位</source>
        <translation>CH6 servo phase</translation>
    </message>
    <message>
        <source>CH7 舵机相位</source>
        <translation>CH7 servo phase</translation>
    </message>
    <message>
        <source>CH8 舵机相位</source>
        <translation>CH8 servo phase</translation>
    </message>
    <message>
        <source>CH1 中点微调</source>
        <translation>CH1 sub-trim</translation>
    </message>
    <message>
        <source>CH2 中点微调</source>
        <translation>CH2 sub-trim</translation>
    </message>
    <message>
        <source>CH3 中点微调</source>
        <translation>CH3 sub-trim</translation>
    </message>
    <message>
        <source>CH4 中点微调</source>
        <translation>CH4 sub-trim</translation>
    </message>
    <message>
        <source>CH5 中点微调</source>
        <translation>CH5 sub-trim</translation>
    </message>
    <message>
        <source>CH6 中点微调</source>
        <translation>CH6 sub-trim</translation>
    </message>
    <message>
        <source>CH7 中点微调</source>
        <translation>CH7 sub-trim</translation>
    </message>
    <message>
        <source>CH8 中点微调</source>
        <translation>CH8 sub-trim</translation>
    </message>
    <message>
        <source>CH1 舵机行程量（左）</source>
        <translation>CH1 travel (left)</translation>
    </message>
    <message>
        <source>CH2 舵机行程量（左）</source>
        <translation>CH2 travel (left)</translation>
    </message>
    <message>
        <source>CH3 舵机行程量（左）</source>
        <translation>CH3 travel (left)</translation>
    </message>
    <message>
        <source>CH4 舵机行程量（左）</source>
        <translation>CH4 travel (left)</translation>
    </message>
    <message>
        <source>CH5 舵机行程量（左）</source>
        <translation>CH5 travel (left)</translation>
    </message>
    <message>
        <source>CH6 舵机行程量（左）</source>
        <translation>CH6 travel (left)</translation>
    </message>
    <message>
        <source>CH7 舵机行程量（左）</source>
        <translation>CH7 travel (left)</translation>
    </message>
    <message>
        <source>CH8 舵机行程量（左）</source>
        <translation>CH8 travel (left)</translation>
    </message>
    <message>
        <source>CH1 舵机行程量（右）</source>
        <translation>CH1 travel (right)</translation>
    </message>
    <message>
        <source>CH2 舵机行程量（右）</source>
        <translation>CH2 travel (right)</translation>
    </message>
    <message>
        <source>CH3 舵机行程量（右）</source>
        <translation>CH3 travel (right)</translation>
    </message>
    <message>
        <source>CH4 舵机行程量（右）</source>
        <translation>CH4 travel (right)</translation>
    </message>
    <message>
        <source>CH5 舵机行程量（右）</source>
        <translation>CH5 travel (right)</translation>
    </message>
    <message>
        <source>CH6 舵机行程量（右）</source>
        <translation>CH6 travel (right)</translation>
    </message>
    <message>
        <source>CH7 舵机行程量（右）</source>
        <translation>CH7 travel (right)</translation>
    </message>
    <message>
        <source>CH8 舵机行程量（右）</source>
        <translation>CH8 travel (right)</translation>
    </message>
    <message>
        <source>CH1 失控保护</source>
        <translation>CH1 failsafe</translation>
    </message>
    <message>
        <source>CH2 失控保护</source>
        <translation>CH2 failsafe</translation>
    </message>
    <message>
        <source>CH3 失控保护</source>
        <translation>CH3 failsafe</translation>
    </message>
    <message>
        <source>CH4 失控保护</source>
        <translation>CH4 failsafe</translation>
    </message>
    <message>
        <source>CH5 失控保护</source>
        <translation>CH5 failsafe</translation>
    </message>
    <message>
        <source>CH6 失控保护</source>
        <translation>CH6 failsafe</translation>
    </message>
    <message>
        <source>CH7 失控保护</source>
        <translation>CH7 failsafe</translation>
    </message>
    <message>
        <source>CH8 失控保护</source>
        <translation>CH8 failsafe</translation>
    </message>
    <message>
        <source>CH5 辅助通道</source>
        <translation>CH5 aux source</translation>
    </message>
    <message>
        <source>CH6 辅助通道</source>
        <translation>CH6 aux source</translation>
    </message>
    <message>
        <source>CH7 辅助通道</source>
        <translation>CH7 aux source</translation>
    </message>
    <message>
        <source>CH8 辅助通道</source>
        <translation>CH8 aux source</translation>
    </message>
    <message>
        <source>报警电压</source>
        <translation>Alarm voltage</translation>
    </message>
    <message>
        <source>摇杆模式</source>
        <translation>Stick mode</translation>
    </message>
    <message>
        <source>姿态选择 通道选择</source>
        <translation>Attitude channel</translation>
    </message>
    <message>
        <source>姿态1</source>
        <translation>Attitude 1</translation>
    </message>
    <message>
        <source>姿态2</source>
        <translation>Attitude 2</translation>
    </message>
    <message>
        <source>姿态3</source>
        <translation>Attitude 3</translation>
    </message>
    <message>
        <source>姿态4</source>
        <translation>Attitude 4</translation>
    </message>
    <message>
        <source>姿态5</source>
        <translation>Attitude 5</translation>
    </message>
    <message>
        <source>姿态6</source>
        <translation>Attitude 6</translation>
    </message>
    <message>
        <source>升降副翼混控 混控</source>
        <translation>Elevon mix switch</translation>
    </message>
    <message>
        <source>升降副翼混控 副翼一（左）</source>
        <translation>Elevon mix aileron 1 (L)</translation>
    </message>
    <message>
        <source>升降副翼混控 副翼一（右）</source>
        <translation>Elevon mix aileron 1 (R)</translation>
    </message>
    <message>
        <source>升降副翼混控 副翼二（左）</source>
        <translation>Elevon mix aileron 2 (L)</translation>
    </message>
    <message>
        <source>升降副翼混控 副翼二（右）</source>
        <translation>Elevon mix aileron 2 (R)</translation>
    </message>
    <message>
        <source>升降副翼混控 升降二</source>
        <translation>Elevon mix elevator 2</translation>
    </message>
    <message>
        <source>升降副翼混控 升降一</source>
        <translation>Elevon mix elevator 1</translation>
    </message>
    <message>
        <source>V型尾翼混控 混控</source>
        <translation>V-tail mix switch</translation>
    </message>
    <message>
        <source>V型尾翼混控 升降一</source>
        <translation>V-tail mix elevator 1</translation>
    </message>
    <message>
        <source>V型尾翼混控 升降二</source>
        <translation>V-tail mix elevator 2</translation>
    </message>
    <message>
        <source>V型尾翼混控 尾舵二</source>
        <translation>V-tail mix rudder 2</translation>
    </message>
    <message>
        <source>V型尾翼混控 尾舵一</source>
        <translation>V-tail mix rudder 1</translation>
    </message>
    <message>
        <source>CH1 舵机延迟</source>
        <translation>CH1 servo delay</translation>
    </message>
    <message>
        <source>CH2 舵机延迟</source>
        <translation>CH2 servo delay</translation>
    </message>
    <message>
        <source>CH3 舵机延迟</source>
        <translation>CH3 servo delay</translation>
    </message>
    <message>
        <source>CH4 舵机延迟</source>
        <translation>CH4 servo delay</translation>
    </message>
    <message>
        <source>CH5 舵机延迟</source>
        <translation>CH5 servo delay</translation>
    </message>
    <message>
        <source>CH6 舵机延迟</source>
        <translation>CH6 servo delay</translation>
    </message>
    <message>
        <source>CH7 舵机延迟</source>
        <translation>CH7 servo delay</translation>
    </message>
    <message>
        <source>CH8 舵机延迟</source>
        <translation>CH8 servo delay</translation>
    </message>
    <message>
        <source>大小舵 混控</source>
        <translation>Dual rate switch</translation>
    </message>
    <message>
        <source>大小舵 通道</source>
        <translation>Dual rate channel</translation>
    </message>
    <message>
        <source>大小舵 比例-UP</source>
        <translation>Dual rate UP</translation>
    </message>
    <message>
        <source>大小舵 比例-DOWN</source>
        <translation>Dual rate DOWN</translation>
    </message>
    <message>
        <source>可编程混控一 UP</source>
        <translation>Program mix 1 UP</translation>
    </message>
    <message>
        <source>可编程混控二 UP</source>
        <translation>Program mix 2 UP</translation>
    </message>
    <message>
        <source>可编程混控一 DOWN</source>
        <translation>Program mix 1 DOWN</translation>
    </message>
    <message>
        <source>可编程混控二 DOWN</source>
        <translation>Program mix 2 DOWN</translation>
    </message>
    <message>
        <source>可编程混控一 偏置</source>
        <translation>Program mix 1 offset</translation>
    </message>
    <message>
        <source>可编程混控二 偏置</source>
        <translation>Program mix 2 offset</translation>
    </message>
    <message>
        <source>可编程混控一 主控</source>
        <translation>Program mix 1 master</translation>
    </message>
    <message>
        <source>可编程混控二 主控</source>
        <translation>Program mix 2 master</translation>
    </message>
    <message>
        <source>可编程混控一 被控</source>
        <translation>Program mix 1 slave</translation>
    </message>
    <message>
        <source>可编程混控二 被控</source>
        <translation>Program mix 2 slave</translation>
    </message>
    <message>
        <source>可编程混控一 混控</source>
        <translation>Program mix 1 switch</translation>
    </message>
    <message>
        <source>可编程混控二 混控</source>
        <translation>Program mix 2 switch</translation>
    </message>
    <message>
        <source>第 %1 个字符是换行符：两条记录应连续写在一起，中间不换行</source>
        <translation>Character %1 is a line break: the two records must follow each other without one</translation>
    </message>
    <message>
        <source>这不是文本文件：第 %1 个字符是控制字符或不能解读的字节</source>
        <translation>Not a text file: character %1 is a control character or a byte that cannot be decoded</translation>
    </message>
    <message numerus="yes">
        <source>文件太短：%n 个字符，参数文件应有 %1 个</source>
        <translation>
            <numerusform>The file is too short: %n character, a parameter file has %1</numerusform>
            <numerusform>The file is too short: %n characters, a parameter file has %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReplyFrames</name>
    <message>
        <source>舵机相位</source>
        <translation>servo phase</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量 L</source>
        <translation>servo travel L</translation>
    </message>
    <message>
        <source>舵机行程量 R</source>
        <translation>servo travel R</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>failsafe</translation>
    </message>
    <message>
        <source>报警电压、摇杆模式和版本</source>
        <translation>alarm voltage, stick mode and version</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>attitude channel</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>elevon mix</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>servo delay</translation>
    </message>
    <message>
        <source>大小舵比例</source>
        <translation>dual rates</translation>
    </message>
    <message>
        <source>可编程混控比例和主控</source>
        <translation>programmable mix rates and masters</translation>
    </message>
    <message>
        <source>可编程混控被控和开关</source>
        <translation>programmable mix slaves and switches</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>auxiliary channels</translation>
    </message>
</context>
<context>
    <name>SetupSheet</name>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>舵机相位</source>
        <translation>Servo phase</translation>
    </message>
    <message>
        <source>中点微调</source>
        <translation>Sub-trim</translation>
    </message>
    <message>
        <source>舵机行程量 L</source>
        <translation>Travel L</translation>
    </message>
    <message>
        <source>舵机行程量 R</source>
        <translation>Travel R</translation>
    </message>
    <message>
        <source>失控保护</source>
        <translation>Failsafe</translation>
    </message>
    <message>
        <source>舵机延迟</source>
        <translation>Servo delay</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>辅助通道</source>
        <translation>Aux source</translation>
    </message>
    <message>
        <source>报警电压 (V)</source>
        <translation>Alarm voltage (V)</translation>
    </message>
    <message>
        <source>摇杆模式</source>
        <translation>Stick mode</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>大小舵设置</source>
        <translation>Dual rates</translation>
    </message>
    <message>
        <source>混控</source>
        <translation>Mix</translation>
    </message>
    <message>
        <source>%1 比例-UP</source>
        <translation>%1 rate UP</translation>
    </message>
    <message>
        <source>%1 比例-DOWN</source>
        <translation>%1 rate DOWN</translation>
    </message>
    <message>
        <source>高级菜单</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>姿态选择</source>
        <translation>Attitude</translation>
    </message>
    <message>
        <source>通道选择</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>姿态1 (UP-UP)</source>
        <translation>Position 1 (UP-UP)</translation>
    </message>
    <message>
        <source>姿态2 (UP-CT)</source>
        <translation>Position 2 (UP-CT)</translation>
    </message>
    <message>
        <source>姿态3 (UP-DN)</source>
        <translation>Position 3 (UP-DN)</translation>
    </message>
    <message>
        <source>姿态4 (DN-UP)</source>
        <translation>Position 4 (DN-UP)</translation>
    </message>
    <message>
        <source>姿态5 (DN-CT)</source>
        <translation>Position 5 (DN-CT)</translation>
    </message>
    <message>
        <source>姿态6 (DN-DN)</source>
        <translation>Position 6 (DN-DN)</translation>
    </message>
    <message>
        <source>升降副翼混控</source>
        <translation>Elevon mix</translation>
    </message>
    <message>
        <source>副翼一（左）</source>
        <translation>Aileron 1 (L)</translation>
    </message>
    <message>
        <source>副翼一（右）</source>
        <translation>Aileron 1 (R)</translation>
    </message>
    <message>
        <source>副翼二（左）</source>
        <translation>Aileron 2 (L)</translation>
    </message>
    <message>
        <source>副翼二（右）</source>
        <translation>Aileron 2 (R)</translation>
    </message>
    <message>
        <source>升降一</source>
        <translation>Elevator 1</translation>
    </message>
    <message>
        <source>升降二</source>
        <translation>Elevator 2</translation>
    </message>
    <message>
        <source>V型尾翼混控</source>
        <translation>V-tail mix</translation>
    </message>
    <message>
        <source>尾舵一</source>
        <translation>Rudder 1</translation>
    </message>
    <message>
        <source>尾舵二</source>
        <translation>Rudder 2</translation>
    </message>
    <message>
        <source>可编程混控</source>
        <translation>Programmable mixes</translation>
    </message>
    <message>
        <source>可编程混控一</source>
        <translation>Program mix 1</translation>
    </message>
    <message>
        <source>可编程混控二</source>
        <translation>Program mix 2</translation>
    </message>
    <message>
        <source>主控</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>被控</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>偏置</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>（只有发射机回报）</source>
        <translation>(reported by the transmitter only)</translation>
    </message>
    <message>
        <source>K6QX 参数表</source>
        <translation>K6QX setup sheet</translation>
    </message>
    <message>
        <source>zh-CN</source>
        <comment>the sheet&apos;s language tag</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>来源：</source>
        <translation>Source:</translation>
    </message>
    <message>
        <source>日期和时间：</source>
        <translation>Date and time:</translation>
    </message>
    <message>
        <source>程序版本：</source>
        <translation>Program version:</translation>
    </message>
</context>
<context>
    <name>SheetExport</name>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>HTML 文件 (*.html *.htm)</source>
        <translation>HTML files (*.html *.htm)</translation>
    </message>
    <message>
        <source>导出参数表</source>
        <translation>Export setup sheet</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>参数表没有导出：%1</source>
        <translation>The setup sheet was not exported: %1</translation>
    </message>
    <message>
        <source>参数表已导出到 %1</source>
        <translation>Setup sheet exported to %1</translation>
    </message>
    <message>
        <source>%1 已经存在。
要替换它吗？</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>SheetWriter</name>
    <message>
        <source>%1：参数表的文件名要以 .pdf 或 .html 结尾</source>
        <translation>%1: the setup sheet&apos;s file name must end in .pdf or .html</translation>
    </message>
    <message>
        <source>K6QX 参数表</source>
        <translation>K6QX setup sheet</translation>
    </message>
    <message>
        <source>不能写入文件 %1</source>
        <translation>Cannot write the file %1</translation>
    </message>
    <message>
        <source>不能写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
</context>
<context>
    <name>TransmitterFinder</name>
    <message>
        <source>发射机回报了全部参数（固件 %1）</source>
        <translation>The transmitter reported all parameters (firmware %1)</translation>
    </message>
    <message>
        <source>发射机回报了全部参数</source>
        <translation>The transmitter reported all parameters</translation>
    </message>
    <message numerus="yes">
        <source>只回报了 %n 组参数（共 %1 组），没有回报：%2</source>
        <translation>
            <numerusform>Only %n group of parameters reported (of %1); not reported: %2</numerusform>
            <numerusform>Only %n groups of parameters reported (of %1); not reported: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>没有回报</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>没有试：%1</source>
        <translation>Not tried: %1</translation>
    </message>
    <message>
        <source>不能打开：%1</source>
        <translation>Cannot open: %1</translation>
    </message>
    <message>
        <source>串口连接已断开</source>
        <translation>The serial connection was lost</translation>
    </message>
    <message>
        <source>写入串口失败，读取请求没有发出</source>
        <translation>Writing to the serial port failed; the read request was not sent</translation>
    </message>
    <message>
        <source>查找被停止，没有等到回报</source>
        <translation>Finding was stopped before an answer came</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1（进程 %2）</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>其他程序打开着这个串口：%1</source>
        <translation>Another program has this port open: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>查找已停止，没有试任何串口</source>
        <translation>Finding stopped; no port was tried</translation>
    </message>
    <message>
        <source>没有要试的串口</source>
        <translation>No port to try</translation>
    </message>
    <message numerus="yes">
        <source>；查找已停止，其余 %n 个串口没有试</source>
        <translation>
            <numerusform>; finding stopped, the remaining %n port was not tried</numerusform>
            <numerusform>; finding stopped, the remaining %n ports were not tried</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TransmitterWork</name>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message numerus="yes">
        <source>%n 项超出窗口的范围，窗口中为最接近的值：</source>
        <translation>
            <numerusform>%n value is beyond the window&apos;s range; the window holds the nearest value: </numerusform>
            <numerusform>%n values are beyond the window&apos;s range; the window holds the nearest values: </numerusform>
        </translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>串口未打开，请先打开串口</source>
        <translation>The serial port is not open; open it first</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>；参数历史中保存为文件能容纳的最接近的值：</source>
        <translation>; the parameter history keeps the nearest values a file can carry: </translation>
    </message>
    <message>
        <source>读取没有完成就开始了下一步：</source>
        <translation>The read was not finished when the next step began: </translation>
    </message>
    <message>
        <source>请检查连接后重新读取</source>
        <translation>Check the connection and read again</translation>
    </message>
    <message>
        <source>发射机在 %1 毫秒内没有回报参数</source>
        <translation>The transmitter reported no parameters within %1 ms</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>firmware version</translation>
    </message>
    <message>
        <source>回报之间不同的值：%1</source>
        <translation>Values that differed between the answers: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>串口连接已断开</source>
        <translation>The serial connection was lost</translation>
    </message>
    <message>
        <source>写入串口失败，读取请求没有发出</source>
        <translation>Writing to the serial port failed; the read request was not sent</translation>
    </message>
    <message>
        <source>读取被中断</source>
        <translation>The read was interrupted</translation>
    </message>
    <message>
        <source>以下参数超出可写入的范围，没有写入发射机：</source>
        <translation>These values are out of range; nothing was written to the transmitter:</translation>
    </message>
    <message>
        <source>参数没有写入发射机</source>
        <translation>nothing was written to the transmitter</translation>
    </message>
    <message>
        <source>请检查连接后重新写入</source>
        <translation>Check the connection and write again</translation>
    </message>
    <message>
        <source>备份没有保存：%1，没有写入发射机</source>
        <translation>The backup was not kept: %1; nothing was written to the transmitter</translation>
    </message>
    <message>
        <source>%1，写入前无法备份发射机的参数，没有写入</source>
        <translation>%1; the transmitter&apos;s parameters could not be backed up before writing, so nothing was written</translation>
    </message>
    <message>
        <source>写入串口失败，参数没有写入发射机</source>
        <translation>Writing to the serial port failed; the parameters were not written to the transmitter</translation>
    </message>
    <message>
        <source>写入串口失败，参数没有完整写入发射机</source>
        <translation>Writing to the serial port failed; the parameters were not written to the transmitter completely</translation>
    </message>
    <message>
        <source>串口连接已断开，参数没有完整写入发射机</source>
        <translation>The serial connection was lost; the parameters were not written to the transmitter completely</translation>
    </message>
    <message>
        <source>没有比较任何参数</source>
        <translation>nothing was compared</translation>
    </message>
    <message>
        <source>发射机没有回报：%1</source>
        <translation>Not reported by the transmitter: %1</translation>
    </message>
    <message>
        <source>发射机 %1 %2</source>
        <translation>Transmitter %1 %2</translation>
    </message>
    <message>
        <source>请检查连接后重新校验</source>
        <translation>Check the connection and verify again</translation>
    </message>
    <message>
        <source>程序的初始值</source>
        <translation>the program&apos;s starting values</translation>
    </message>
    <message>
        <source>发射机 %1</source>
        <translation>Transmitter %1</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>%1，窗口中已修改</source>
        <translation>%1, changed in the window</translation>
    </message>
    <message numerus="yes">
        <source>发射机在 %n 次回报中没有两次相同的完整参数（线路受到干扰？），没有采用任何一次</source>
        <translation>
            <numerusform>The transmitter gave no two alike complete answers in %n answer (a noisy line?); none was taken</numerusform>
            <numerusform>The transmitter gave no two alike complete answers in %n answers (a noisy line?); none was taken</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>参数已发送（%n 字节），发射机不回报是否收下</source>
        <translation>
            <numerusform>Parameters sent (%n byte); the transmitter does not report whether it took them</numerusform>
            <numerusform>Parameters sent (%n bytes); the transmitter does not report whether it took them</numerusform>
        </translation>
    </message>
    <message>
        <source>模型 %1</source>
        <translation>model %1</translation>
    </message>
</context>
<context>
    <name>UsbDrivers</name>
    <message>
        <source>它的驱动没有安装</source>
        <translation>its driver is not installed</translation>
    </message>
    <message>
        <source>它不能启动</source>
        <translation>it cannot start</translation>
    </message>
    <message>
        <source>Windows 因为它报告了问题而停止了它</source>
        <translation>Windows stopped it because it reported problems</translation>
    </message>
    <message>
        <source>它在设备管理器中被禁用了</source>
        <translation>it is disabled in Device Manager</translation>
    </message>
    <message>
        <source>它的驱动没有正确安装</source>
        <translation>its driver is not installed correctly</translation>
    </message>
    <message>
        <source>它的驱动需要重新安装</source>
        <translation>its driver needs to be reinstalled</translation>
    </message>
    <message>
        <source>Windows 不能加载它的驱动</source>
        <translation>Windows cannot load its driver</translation>
    </message>
    <message>
        <source>它的驱动损坏或缺失</source>
        <translation>its driver is damaged or missing</translation>
    </message>
    <message>
        <source>Windows 不能验证它的驱动的数字签名</source>
        <translation>Windows cannot verify the digital signature of its driver</translation>
    </message>
    <message>
        <source>请安装 %1 的 %2 驱动后重新插上。</source>
        <translation>Please install %1&apos;s %2 driver, then plug it in again.</translation>
    </message>
    <message>
        <source>请换一个 USB 口或数据线重新插上；仍不行时重新安装 %1 的 %2 驱动。</source>
        <translation>Please plug it into a different USB port or with a different cable; if that does not help, reinstall %1&apos;s %2 driver.</translation>
    </message>
    <message>
        <source>请在设备管理器中启用它。</source>
        <translation>Please enable it in Device Manager.</translation>
    </message>
    <message>
        <source>请安装 %1 官方签名的 %2 驱动后重新插上。</source>
        <translation>Please install %1&apos;s officially signed %2 driver, then plug it in again.</translation>
    </message>
    <message>
        <source>请在设备管理器中卸载它，重新安装 %1 的 %2 驱动后重新插上。</source>
        <translation>Please uninstall it in Device Manager, reinstall %1&apos;s %2 driver, then plug it in again.</translation>
    </message>
    <message>
        <source>检测到 USB 串口芯片 %1（%2），但它没有 COM 口。</source>
        <translation>USB serial chip %1 (%2) detected, but it has no COM port.</translation>
    </message>
    <message>
        <source>检测到 USB 串口芯片 %1（%2），但%3（设备管理器问题代码 %4）。</source>
        <translation>USB serial chip %1 (%2) detected, but %3 (Device Manager problem code %4).</translation>
    </message>
    <message>
        <source>它有问题</source>
        <translation>it has a problem</translation>
    </message>
    <message>
        <source>USB 设备 %1，%2:%3</source>
        <translation>USB device %1, %2:%3</translation>
    </message>
    <message>
        <source>内核模块 %1 没有加载</source>
        <translation>kernel module %1 is not loaded</translation>
    </message>
    <message>
        <source>一个程序通过 usbfs 接管了它（常见的是 brltty）</source>
        <translation>a program has taken it over through usbfs (commonly brltty)</translation>
    </message>
    <message>
        <source>brltty（进程 %1）接管了它，把它当作盲文显示器</source>
        <translation>brltty (process %1) has taken it over as a braille display</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>它绑定在驱动 %1 上，而不是 %2</source>
        <translation>it is bound to driver %1 instead of %2</translation>
    </message>
    <message>
        <source>内核模块 %1 已经加载，却没有接管它</source>
        <translation>kernel module %1 is loaded but has not taken it over</translation>
    </message>
    <message>
        <source>检测到 USB 串口芯片 %1（%2），但没有串口设备：%3。</source>
        <translation>USB serial chip %1 (%2) detected, but there is no serial device: %3.</translation>
    </message>
    <message>
        <source>请运行 sudo modprobe %1，然后重新插上。</source>
        <translation>Please run sudo modprobe %1, then plug it in again.</translation>
    </message>
    <message>
        <source>不用盲文显示器时：sudo apt-get remove brltty，然后重新插上。</source>
        <translation>If you do not use a braille display: sudo apt-get remove brltty, then plug it in again.</translation>
    </message>
    <message>
        <source>请拔下后重新插上；仍不行时查看 sudo dmesg 中这个设备的消息。</source>
        <translation>Please unplug it and plug it in again; if that does not help, look at this device&apos;s messages in sudo dmesg.</translation>
    </message>
    <message numerus="yes">
        <source>（另有 %n 个 USB 串口芯片也没有串口）</source>
        <translation>
            <numerusform>(%n more USB serial chip also has no port)</numerusform>
            <numerusform>(%n more USB serial chips also have no port)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ValueSources</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>不能读取历史记录，没有比较任何参数：
%1</source>
        <translation>Cannot read the history entry; nothing was compared:
%1</translation>
    </message>
    <message>
        <source>不能读取历史记录，没有加载任何参数：
%1</source>
        <translation>Cannot read the history entry; nothing was loaded:
%1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>已载入 %1（尚未写入发射机）</source>
        <translation>Loaded %1 (not yet written to the transmitter)</translation>
    </message>
</context>
<context>
    <name>WizardPictures</name>
    <message>
        <source>升降</source>
        <translation>Elevator</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Rudder</translation>
    </message>
    <message>
        <source>油门</source>
        <translation>Throttle</translation>
    </message>
    <message>
        <source>副翼</source>
        <translation>Aileron</translation>
    </message>
    <message>
        <source>%1 S：%2 V 时报警</source>
        <translation>%1S: alarm at %2 V</translation>
    </message>
    <message>
        <source>油门最高 100</source>
        <translation>Throttle full 100</translation>
    </message>
    <message>
        <source>油门最低 0</source>
        <translation>Throttle closed 0</translation>
    </message>
    <message>
        <source>失控时 %1</source>
        <translation>Failsafe %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Korvan K6QX 八通道遥控发射机调参软件</source>
        <translation>Tuning software for the Korvan K6QX 8-channel RC transmitter</translation>
    </message>
    <message>
        <source>界面语言：zh（简体中文，默认）或 en（英文）。也可以用环境变量 K6QX_LANG 设置。</source>
        <translation>Interface language: zh (Simplified Chinese, the default) or en (English). The K6QX_LANG environment variable sets it too.</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>language</translation>
    </message>
    <message>
        <source>显示窗口后立即退出</source>
        <translation>Quit as soon as the window is shown</translation>
    </message>
    <message>
        <source>k6qx：不认识的语言 &quot;%1&quot;，可用的是 zh 和 en</source>
        <translation>k6qx: unknown language &quot;%1&quot;; zh and en are available</translation>
    </message>
    <message>
        <source>k6qx：语言目录没有加载，界面文字可能不全</source>
        <translation>k6qx: the language catalogue did not load; some texts may be missing</translation>
    </message>
    <message>
        <source>不认识的语言 &quot;%1&quot;，可用的是 zh 和 en</source>
        <translation>unknown language &quot;%1&quot;; the choices are zh and en</translation>
    </message>
</context>
</TS>
