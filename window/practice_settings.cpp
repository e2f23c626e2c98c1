// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_settings.h"

#include "practice/result.h"
#include "practice/wording.h"
#include "window/practice_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace pelagor {

namespace {

using practice::Kind;

QLineEdit *field(QWidget *parent, QFormLayout *form, const QString &label)
{
    auto *made = new QLineEdit(parent);
    made->setMinimumHeight(28);
    auto *named = new QLabel(label, parent);
    named->setBuddy(made);
    form->addRow(named, made);
    return made;
}

} // namespace

SettingsPage::SettingsPage(QWidget *parent) : QWidget(parent), kinds_(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);

    auto *kindBox = new QGroupBox(QStringLiteral("Въпроси"), this);
    auto *kindLayout = new QVBoxLayout(kindBox);
    const std::array<std::pair<Kind, QString>, 3> kinds{{
        {Kind::Ocean, QStringLiteral("&Към кой океан принадлежи морето")},
        {Kind::Map, QStringLiteral("&Покажи морето на картата")},
        {Kind::Mixed, QStringLiteral("&Смесени")},
    }};
    for (const auto &[kind, text] : kinds) {
        auto *option = new QRadioButton(text, kindBox);
        option->setMinimumHeight(26);
        kinds_->addButton(option, static_cast<int>(kind));
        kindLayout->addWidget(option);
    }
    kinds_->button(static_cast<int>(Kind::Mixed))->setChecked(true);
    connect(kinds_, &QButtonGroup::idToggled, this, [this] { check(); });
    layout->addWidget(kindBox);

    // Each ocean with an Alt key of its own, none of the page's others.
    const std::array<QString, catalogue::kOceanCount> oceanKeys{
        QStringLiteral("&Атлантически океан"), QStringLiteral("&Индийски океан"),
        QStringLiteral("Северен &ледовит океан"), QStringLiteral("&Тихи океан"),
        QStringLiteral("&Южен океан")};
    auto *oceanBox = new QGroupBox(QStringLiteral("Океани"), this);
    auto *oceanLayout = new QVBoxLayout(oceanBox);
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        auto *chosen = new QCheckBox(oceanKeys.at(ocean), oceanBox);
        chosen->setObjectName(QStringLiteral("PracticeOceanChosen%1").arg(ocean));
        chosen->setChecked(true);
        chosen->setMinimumHeight(26);
        connect(chosen, &QCheckBox::toggled, this, [this] { check(); });
        oceans_.at(ocean) = chosen;
        oceanLayout->addWidget(chosen);
    }
    layout->addWidget(oceanBox);

    auto *form = new QFormLayout();
    questions_ = new QSpinBox(this);
    questions_->setObjectName(QStringLiteral("PracticeCount"));
    questions_->setRange(1, practice::kMaxQuestions);
    questions_->setValue(practice::kDefaultQuestions);
    questions_->setMinimumHeight(28);
    auto *questionsLabel = new QLabel(QStringLiteral("&Брой въпроси:"), this);
    questionsLabel->setBuddy(questions_);
    form->addRow(questionsLabel, questions_);
    variant_ = field(this, form, QStringLiteral("&Вариант:"));
    variant_->setObjectName(QStringLiteral("PracticeVariant"));
    variant_->setValidator(new QIntValidator(1, practice::kMaxVariant, variant_));
    variant_->setPlaceholderText(QStringLiteral("нов"));
    variant_->setToolTip(QStringLiteral("От 1 до 9999. Един вариант дава едни и същи въпроси "
                                        "на всеки компютър; празно: нов кръг."));
    variant_->setAccessibleDescription(variant_->toolTip());
    pupil_ = field(this, form, QStringLiteral("И&ме и клас:"));
    pupil_->setObjectName(QStringLiteral("PracticePupil"));
    pupil_->setMaxLength(static_cast<int>(practice::kMaxPupilName));
    pupil_->setToolTip(QStringLiteral("По желание: за запазения резултат, например „Иван "
                                      "Петров 7-а“."));
    pupil_->setAccessibleDescription(pupil_->toolTip());
    layout->addLayout(form);

    note_ = wrappedLabel(QString(), this);
    note_->setObjectName(QStringLiteral("PracticeSettingNote"));
    layout->addWidget(note_);
    begin_ = practiceButton(QStringLiteral("&Започни"), this);
    begin_->setObjectName(QStringLiteral("PracticeBegin"));
    const auto begin = [this] {
        if (begin_->isEnabled() && onBegin) {
            onBegin();
        }
    };
    connect(begin_, &QPushButton::clicked, this, begin);
    for (QLineEdit *typed : {variant_, pupil_}) {
        connect(typed, &QLineEdit::returnPressed, this, begin);
    }
    layout->addWidget(begin_);
    layout->addStretch();
    check();
}

practice::Setting SettingsPage::setting() const
{
    practice::Setting setting;
    setting.kind = static_cast<Kind>(std::max(0, kinds_->checkedId()));
    setting.questions = questions_->value();
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        setting.oceans.at(ocean) = oceans_.at(ocean)->isChecked();
    }
    return setting;
}

std::optional<int> SettingsPage::variant() const
{
    bool number = false;
    const int variant = variant_->text().toInt(&number);
    return number ? std::optional(variant) : std::nullopt;
}

QString SettingsPage::pupil() const
{
    return practice::cleanPupilName(pupil_->text());
}

void SettingsPage::setPupil(const QString &pupil)
{
    pupil_->setText(pupil);
}

void SettingsPage::showSetting(const practice::Setting &setting)
{
    kinds_->button(static_cast<int>(setting.kind))->setChecked(true);
    questions_->setValue(setting.questions);
    for (std::size_t ocean = 0; ocean < oceans_.size(); ++ocean) {
        oceans_.at(ocean)->setChecked(setting.oceans.at(ocean));
    }
}

void SettingsPage::takeKeyboard()
{
    check();
    kinds_->checkedButton()->setFocus(Qt::OtherFocusReason);
}

void SettingsPage::check()
{
    const practice::Setting chosen = setting();
    const practice::Fault fault = practice::check(chosen, 1);
    QString note = practice::settingNote(chosen);
    if (fault == practice::Fault::NoOcean) {
        note = QStringLiteral("Избери поне един океан.");
    }
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    begin_->setEnabled(fault == practice::Fault::None);
    begin_->setAccessibleDescription(note);
}

NamePage::NamePage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *said = wrappedLabel(QStringLiteral("Напиши името и класа си и натисни Enter. "
                                             "Резултатът ще бъде записан с тях."),
                              this);
    layout->addWidget(said);
    auto *form = new QFormLayout();
    name_ = field(this, form, QStringLiteral("&Име и клас:"));
    name_->setObjectName(QStringLiteral("PracticeName"));
    name_->setMaxLength(static_cast<int>(practice::kMaxPupilName));
    intro_ = said->text();
    name_->setAccessibleDescription(intro_);
    layout->addLayout(form);
    note_ = wrappedLabel(QString(), this);
    layout->addWidget(note_);
    begin_ = practiceButton(QStringLiteral("&Започни"), this);
    begin_->setObjectName(QStringLiteral("PracticeNameBegin"));
    connect(begin_, &QPushButton::clicked, this, [this] { take(); });
    connect(name_, &QLineEdit::returnPressed, this, [this] { take(); });
    layout->addWidget(begin_);
    layout->addStretch();
}

void NamePage::ask()
{
    note_->clear();
    name_->setAccessibleDescription(intro_);
    name_->setFocus(Qt::OtherFocusReason);
}

void NamePage::take()
{
    const QString name = practice::cleanPupilName(name_->text());
    if (name.isEmpty()) {
        note_->setText(QStringLiteral("Без име резултатът не може да бъде записан."));
        name_->setAccessibleDescription(note_->text());
        return;
    }
    note_->clear();
    if (onName) {
        onName(name);
    }
}

} // namespace pelagor
