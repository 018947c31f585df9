// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "setupsheet.h"

#include "formlimits.h"
#include "paramcompare.h"
#include "recordcodec.h"

#include <QList>

#include <algorithm>

#include <cmath>

namespace {

// A row's cells name values by the transmitter's names (Records::Field::param);
// the firmware version, which no record carries, by this one.
constexpr char kFirmware[] = "firmware";

// Items shown for a spin box's value where the form explains the numbers
// beside the box, in the form's translation context.
const char *const kPhaseItems[] = {QT_TRANSLATE_NOOP("MainWindow", "正0"), QT_TRANSLATE_NOOP("MainWindow", "反1")};
const char *const kAuxItems[] = {"0:SwA", "1:SwB", "2:VrA", "3:VrB", "4:NULL"};

struct Column
{
    const char *heading = nullptr; // none: the section has one unnamed value column
    const char *const *items = nullptr;
    int itemCount = 0;
};

struct Row
{
    // "%1" in the label stands for the channel the dual rates belong to.
    const char *label;
    QList<const char *> params; // one per column
};

struct Section
{
    const char *title;
    QList<Column> columns;
    QList<Row> rows;
    // Beside the section before it rather than below; a page starts with
    // the first section of each page title.
    bool beside = false;
    const char *page = nullptr;
};

const Column kValue{};

// The window's two pages, section by section as the form arranges them.
const QList<Section> kSections = {
    {QT_TRANSLATE_NOOP("SetupSheet", "通道"),
     {{QT_TRANSLATE_NOOP("SetupSheet", "舵机相位"), kPhaseItems, int(std::size(kPhaseItems))},
      {QT_TRANSLATE_NOOP("SetupSheet", "中点微调")},
      {QT_TRANSLATE_NOOP("SetupSheet", "舵机行程量 L")},
      {QT_TRANSLATE_NOOP("SetupSheet", "舵机行程量 R")},
      {QT_TRANSLATE_NOOP("SetupSheet", "失控保护")},
      {QT_TRANSLATE_NOOP("SetupSheet", "舵机延迟")}},
     {{"CH1", {"Rev1", "SUB1", "EPA_L1", "EPA_R1", "FS1", "BCdelay0"}},
      {"CH2", {"Rev2", "SUB2", "EPA_L2", "EPA_R2", "FS2", "BCdelay1"}},
      {"CH3", {"Rev3", "SUB3", "EPA_L3", "EPA_R3", "FS3", "BCdelay2"}},
      {"CH4", {"Rev4", "SUB4", "EPA_L4", "EPA_R4", "FS4", "BCdelay3"}},
      {"CH5", {"Rev5", "SUB5", "EPA_L5", "EPA_R5", "FS5", "BCdelay4"}},
      {"CH6", {"Rev6", "SUB6", "EPA_L6", "EPA_R6", "FS6", "BCdelay5"}},
      {"CH7", {"Rev7", "SUB7", "EPA_L7", "EPA_R7", "FS7", "BCdelay6"}},
      {"CH8", {"Rev8", "SUB8", "EPA_L8", "EPA_R8", "FS8", "BCdelay7"}}},
     false, QT_TRANSLATE_NOOP("SetupSheet", "参数设置")},
    {QT_TRANSLATE_NOOP("SetupSheet", "辅助通道"),
     {{nullptr, kAuxItems, int(std::size(kAuxItems))}},
     {{"CH5", {"AUX5"}}, {"CH6", {"AUX6"}}, {"CH7", {"AUX7"}}, {"CH8", {"AUX8"}}}},
    {QT_TRANSLATE_NOOP("SetupSheet", "参数设置"),
     {kValue},
     {{QT_TRANSLATE_NOOP("SetupSheet", "报警电压 (V)"), {"LB"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "摇杆模式"), {"STmode"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "固件版本"), {kFirmware}}},
     true},
    {QT_TRANSLATE_NOOP("SetupSheet", "大小舵设置"),
     {kValue},
     {{QT_TRANSLATE_NOOP("SetupSheet", "混控"), {"DRMix"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "通道"), {"DRCH"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "%1 比例-UP"), {"DR_L_UP"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "%1 比例-DOWN"), {"DR_L_DN"}}},
     false, QT_TRANSLATE_NOOP("SetupSheet", "高级菜单")},
    {QT_TRANSLATE_NOOP("SetupSheet", "姿态选择"),
     {kValue},
     {{QT_TRANSLATE_NOOP("SetupSheet", "通道选择"), {"CraftCH"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态1 (UP-UP)"), {"CraftRate0"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态2 (UP-CT)"), {"CraftRate1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态3 (UP-DN)"), {"CraftRate2"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态4 (DN-UP)"), {"CraftRate3"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态5 (DN-CT)"), {"CraftRate4"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "姿态6 (DN-DN)"), {"CraftRate5"}}},
     true},
    {QT_TRANSLATE_NOOP("SetupSheet", "升降副翼混控"),
     {kValue},
     {{QT_TRANSLATE_NOOP("SetupSheet", "混控"), {"ElevonMix"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "副翼一（左）"), {"ElevonAil1_L"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "副翼一（右）"), {"ElevonAil1_R"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "副翼二（左）"), {"ElevonAil2_L"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "副翼二（右）"), {"ElevonAil2_R"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "升降一"), {"ElevonEle1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "升降二"), {"ElevonEle2"}}}},
    {QT_TRANSLATE_NOOP("SetupSheet", "V型尾翼混控"),
     {kValue},
     {{QT_TRANSLATE_NOOP("SetupSheet", "混控"), {"VTailMix"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "升降一"), {"VTailEle1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "升降二"), {"VTailEle2"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "尾舵一"), {"VTailRud1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "尾舵二"), {"VTailRud2"}}},
     true},
    {QT_TRANSLATE_NOOP("SetupSheet", "可编程混控"),
     {{QT_TRANSLATE_NOOP("SetupSheet", "可编程混控一")}, {QT_TRANSLATE_NOOP("SetupSheet", "可编程混控二")}},
     {{QT_TRANSLATE_NOOP("SetupSheet", "混控"), {"ProgMix14Mix0", "ProgMix14Mix1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "主控"), {"ProgMix14Master0", "ProgMix14Master1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "被控"), {"ProgMix14Slave0", "ProgMix14Slave1"}},
      {QT_TRANSLATE_NOOP("SetupSheet", "偏置"), {"ProgMix14Offset0", "ProgMix14Offset1"}},
      {"UP", {"ProgMix14Rate_U0", "ProgMix14Rate_U1"}},
      {"DOWN", {"ProgMix14Rate_D0", "ProgMix14Rate_D1"}}}},
};

const Records::Field *fieldOf(const char *param)
{
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &f : *format) {
            if (qstrcmp(f.param, param) == 0)
                return &f;
        }
    }
    return nullptr;
}

QString tr(const char *text)
{
    return SetupSheet::tr(text);
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// A value as the window shows it: a combo box by its item, a spin box the
// form explains by the explanation, any other by its number.
QString cellText(const char *param, const Column &column, const SetupSheet::Input &input)
{
    if (qstrcmp(param, kFirmware) == 0)
        return input.firmware ? QString::number(*input.firmware) : SetupSheet::tr("（只有发射机回报）");
    const Records::Field *field = fieldOf(param);
    if (!field)
        return QString();
    const double value = input.values->value(QLatin1String(field->control));
    if (column.items && value == std::floor(value) && value >= 0 && value < column.itemCount)
        return QCoreApplication::translate("MainWindow", column.items[int(value)]);
    const QString choice = FormLimits::choice(QLatin1String(field->control), value);
    if (!choice.isEmpty())
        return choice;
    // As the comparison shows it: "11.15（写入为 11.1）" where the record
    // carries less than the window holds.
    const double carried = Records::carriedValue(*field, value);
    return ParamCompare::valueTextA({field, carried, carried, false, value});
}

QString sectionHtml(const Section &section, const SetupSheet::Input &input)
{
    const QString channel = cellText("DRCH", kValue, input);
    QString html = QStringLiteral("<h3>%1</h3>\n<table class=\"values\" width=\"96%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n")
                       .arg(escaped(tr(section.title)));
    const bool headed = std::any_of(section.columns.cbegin(), section.columns.cend(),
                                    [](const Column &c) { return c.heading != nullptr; });
    if (headed) {
        html += QStringLiteral("<tr><th></th>");
        for (const Column &c : section.columns)
            html += QStringLiteral("<th>%1</th>").arg(escaped(tr(c.heading)));
        html += QStringLiteral("</tr>\n");
    }
    for (const Row &row : section.rows) {
        QString label = tr(row.label);
        if (label.contains(QLatin1String("%1")))
            label = label.arg(channel);
        html += QStringLiteral("<tr><th align=\"left\">%1</th>").arg(escaped(label));
        for (int i = 0; i < row.params.size(); ++i) {
            const QString text = escaped(cellText(row.params.at(i), section.columns.at(i), input));
            const Records::Field *field = fieldOf(row.params.at(i));
            if (field && input.unreported.contains(QLatin1String(field->control))) {
                html += QStringLiteral("<td align=\"right\" title=\"%1\"><font color=\"#888888\">%2 %3</font></td>")
                            .arg(QLatin1String(row.params.at(i)), text, escaped(tr("（未读取）")));
            } else {
                html += QStringLiteral("<td align=\"right\" title=\"%1\">%2</td>")
                            .arg(QLatin1String(row.params.at(i)), text);
            }
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

} // namespace

QStringList SetupSheet::fontFamilies()
{
    // The CJK face the program draws its Chinese with, and the ones Windows has.
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")};
}

QString SetupSheet::html(const Input &input)
{
    QStringList families;
    for (const QString &family : fontFamilies())
        families << QLatin1Char('\'') + family + QLatin1Char('\'');
    families << QStringLiteral("sans-serif");

    const QString title = tr("K6QX 参数表");
    QString html = QStringLiteral(
                       "<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n<title>%2</title>\n"
                       "<style>\nbody { font-family: %3; font-size: 10pt; }\n"
                       "h1 { font-size: 15pt; margin: 0 0 4pt 0; }\nh2 { font-size: 13pt; margin: 10pt 0 2pt 0; }\n"
                       "h3 { font-size: 11pt; margin: 8pt 0 2pt 0; }\n"
                       "table.values { border-collapse: collapse; border-color: #808080; }\n"
                       "th, td { white-space: nowrap; }\n"
                       "th { font-weight: normal; background-color: #eeeeee; }\n"
                       "td.band { vertical-align: top; }\n</style>\n</head>\n<body>\n"
                       "<h1>%2</h1>\n")
                       .arg(SetupSheet::tr("zh-CN", "the sheet's language tag"), escaped(title), families.join(QStringLiteral(", ")));

    const QString version = QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                        QCoreApplication::applicationVersion());
    const QString time = input.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QList<std::pair<QString, QString>> header = {
        {tr("来源："), input.source},
        {tr("日期和时间："), time},
        {tr("程序版本："), version},
    };
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">\n");
    for (const auto &[name, value] : header)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(escaped(name), escaped(value));
    html += QStringLiteral("</table>\n");

    // Sections beside each other share a band: one row of an outer table.
    bool firstPage = true;
    for (qsizetype i = 0; i < kSections.size();) {
        const Section &first = kSections.at(i);
        if (first.page) {
            const QString style = firstPage ? QString() : QStringLiteral(" style=\"page-break-before: always\"");
            html += QStringLiteral("<h2%1>%2</h2>\n").arg(style, escaped(tr(first.page)));
            // A page printed on its own still says whose it is.
            if (!firstPage)
                html += QStringLiteral("<p>%1 · %2 · %3</p>\n").arg(escaped(title), escaped(input.source), escaped(time));
            firstPage = false;
        }
        qsizetype end = i + 1;
        while (end < kSections.size() && kSections.at(end).beside)
            ++end;
        html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\"><tr>\n");
        const QString width = QString::number(100 / (end - i));
        for (; i < end; ++i) {
            html += QStringLiteral("<td class=\"band\" width=\"%1%\">\n%2</td>\n")
                        .arg(width, sectionHtml(kSections.at(i), input));
        }
        html += QStringLiteral("</tr></table>\n");
    }
    return html + QStringLiteral("</body>\n</html>\n");
}
