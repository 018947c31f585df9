// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modelwizard.h"

#include "wizardpictures.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using Aircraft = AircraftSetup::Aircraft;

QLabel *wrapped(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// A page of choices: the buttons in a column beside the picture.
QWizardPage *choicePage(const QString &title, const QString &subTitle, QButtonGroup *group,
                        const QStringList &texts, int checked, PictureBox *picture, QLabel *note = nullptr)
{
    auto *page = new QWizardPage;
    page->setTitle(title);
    page->setSubTitle(subTitle);
    auto *buttons = new QVBoxLayout;
    for (int i = 0; i < texts.size(); ++i) {
        auto *button = new QRadioButton(texts[i]);
        group->addButton(button, i);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    group->button(checked)->setChecked(true);
    auto *row = new QHBoxLayout;
    row->addLayout(buttons);
    row->addWidget(picture, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row, 1);
    if (note)
        layout->addWidget(note);
    QObject::connect(group, &QButtonGroup::idToggled, picture, [picture] { picture->update(); });
    return page;
}

// The last page: complete once the model has a name.
class NamedPage final : public QWizardPage
{
public:
    explicit NamedPage(QLineEdit *name) : m_name(name)
    {
        connect(name, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
    }
    bool isComplete() const override { return !m_name->text().trimmed().isEmpty(); }

private:
    QLineEdit *m_name;
};

} // namespace

ModelWizard::ModelWizard(QWidget *parent) : QWizard(parent)
{
    setObjectName(QStringLiteral("modelWizard"));
    setWindowTitle(tr("新建模型向导"));
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    addPage(aircraftPage());
    addPage(sticksPage());
    addPage(batteryPage());
    addPage(failsafePage());
    addPage(summaryPage());
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (id == 4)
            refreshSummary();
    });
}

QWizardPage *ModelWizard::aircraftPage()
{
    m_aircraft = new QButtonGroup(this);
    QStringList names;
    for (Aircraft a : AircraftSetup::kAircraft)
        names << AircraftSetup::name(a);
    auto *picture = new PictureBox([this](QPainter &p, const QRectF &r) {
        WizardPictures::aircraft(p, r, Aircraft(m_aircraft->checkedId()));
    });
    auto *note = wrapped(AircraftSetup::explanation(Aircraft::Conventional));
    note->setObjectName(QStringLiteral("labelAircraftNote"));
    QWizardPage *page = choicePage(tr("飞机类型"), tr("机型决定要打开哪种混控。"), m_aircraft, names, 0, picture, note);
    connect(m_aircraft, &QButtonGroup::idToggled, note, [this, note](int, bool on) {
        if (on)
            note->setText(AircraftSetup::explanation(Aircraft(m_aircraft->checkedId())));
    });
    return page;
}

QWizardPage *ModelWizard::sticksPage()
{
    m_mode = new QButtonGroup(this);
    const QStringList modes = {tr("模式 1（右手油门，日本手）"), tr("模式 2（左手油门，美国手）"),
                               tr("模式 3（右手油门）"), tr("模式 4（左手油门）")};
    auto *picture = new PictureBox([this](QPainter &p, const QRectF &r) {
        WizardPictures::sticks(p, r, m_mode->checkedId() + 1);
    });
    return choicePage(tr("摇杆模式"), tr("哪个摇杆管油门，哪个管升降。发射机按这里的模式解读摇杆。"), m_mode, modes, 1,
                      picture);
}

QWizardPage *ModelWizard::batteryPage()
{
    auto *page = new QWizardPage;
    page->setTitle(tr("电池"));
    page->setSubTitle(tr("电压低于报警电压时发射机报警。报警电压 = 节数 × 每节电压。"));
    m_cells = new QSpinBox;
    m_cells->setObjectName(QStringLiteral("spinBoxCells"));
    m_cells->setRange(AircraftSetup::kMinCells, AircraftSetup::kMaxCells);
    m_cells->setValue(3);
    m_cells->setSuffix(tr(" 节"));
    m_perCell = new QDoubleSpinBox;
    m_perCell->setObjectName(QStringLiteral("spinBoxVoltsPerCell"));
    m_perCell->setRange(AircraftSetup::kMinVoltsPerCell, AircraftSetup::kMaxVoltsPerCell);
    m_perCell->setSingleStep(0.05);
    m_perCell->setValue(AircraftSetup::kVoltsPerCell);
    m_perCell->setSuffix(QStringLiteral(" V"));
    m_alarm = new QLabel;
    m_alarm->setObjectName(QStringLiteral("labelAlarm"));
    auto *picture = new PictureBox([this](QPainter &p, const QRectF &r) {
        WizardPictures::battery(p, r, m_cells->value(), AircraftSetup::alarmVoltage(choices()));
    });
    const auto show = [this, picture] {
        m_alarm->setText(tr("报警电压：%1 V").arg(AircraftSetup::alarmVoltage(choices()), 0, 'f', 1));
        picture->update();
    };
    connect(m_cells, &QSpinBox::valueChanged, this, show);
    connect(m_perCell, &QDoubleSpinBox::valueChanged, this, show);
    show();
    auto *form = new QFormLayout;
    form->addRow(tr("锂电池节数："), m_cells);
    form->addRow(tr("每节报警电压："), m_perCell);
    form->addRow(m_alarm);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(picture, 1);
    layout->addWidget(wrapped(tr("每节 %1 V 是建议值：锂电池在负载下约 3.5 V 时电量将尽，%1 V 报警留出降落的时间。"
                                 "可以按自己的电池修改。")
                                  .arg(AircraftSetup::kVoltsPerCell, 0, 'f', 1)));
    return page;
}

QWizardPage *ModelWizard::failsafePage()
{
    auto *page = new QWizardPage;
    page->setTitle(tr("油门失控保护"));
    page->setSubTitle(tr("接收机收不到信号时，油门通道（CH%1）输出的位置。").arg(AircraftSetup::kThrottleChannel));
    m_failsafe = new QSpinBox;
    m_failsafe->setObjectName(QStringLiteral("spinBoxThrottleFailsafe"));
    m_failsafe->setRange(0, 100);
    m_failsafe->setValue(0);
    auto *picture = new PictureBox([this](QPainter &p, const QRectF &r) {
        WizardPictures::throttle(p, r, m_failsafe->value());
    });
    connect(m_failsafe, &QSpinBox::valueChanged, picture, [picture] { picture->update(); });
    auto *form = new QFormLayout;
    form->addRow(tr("失控时的油门："), m_failsafe);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(picture, 1);
    layout->addWidget(wrapped(tr("0 是油门最低：信号丢失时电机停转，这是安全的设置。")));
    return page;
}

QWizardPage *ModelWizard::summaryPage()
{
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("lineEditModelName"));
    connect(m_name, &QLineEdit::textEdited, this, [this] { m_nameTyped = true; });
    auto *page = new NamedPage(m_name);
    page->setTitle(tr("确认"));
    page->setSubTitle(tr("向导设置下面这些参数，其他参数都用初始值。"));
    m_summary = new QTreeWidget;
    m_summary->setObjectName(QStringLiteral("treeSummary"));
    m_summary->setHeaderLabels({tr("参数"), tr("值")});
    m_summary->setRootIsDecorated(false);
    m_summary->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *form = new QFormLayout;
    form->addRow(tr("模型名称："), m_name);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(m_summary, 1);
    layout->addWidget(wrapped(tr("向导不会写入发射机：新模型在窗口中打开，检查后再用“写入数据”写入。"
                                 "程序看不到舵机，第一次飞行前请在地面上检查每个舵面的方向。")));
    return page;
}

void ModelWizard::refreshSummary()
{
    const AircraftSetup::Choices c = choices();
    if (!m_nameTyped)
        m_name->setText(AircraftSetup::name(c.aircraft));
    m_summary->clear();
    for (const AircraftSetup::Setting &s : AircraftSetup::settings(c))
        m_summary->addTopLevelItem(new QTreeWidgetItem({s.title, s.text}));
}

AircraftSetup::Choices ModelWizard::choices() const
{
    AircraftSetup::Choices c;
    c.aircraft = Aircraft(qMax(0, m_aircraft->checkedId()));
    c.stickMode = m_mode->checkedId() + 1;
    c.cells = m_cells->value();
    c.voltsPerCell = m_perCell->value();
    c.throttleFailsafe = m_failsafe ? m_failsafe->value() : 0; // the pages are built in order
    return c;
}

QString ModelWizard::name() const
{
    return m_name->text().trimmed();
}
