#include "options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "option_fields.h"
#include "scoped_flag.h"

namespace fractions {

namespace {

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

QString Utf8(const std::string& text) {
  return QString::fromStdString(text);
}

QComboBox* ListOf(const OptionField& field, QWidget* parent) {
  auto* list = new QComboBox(parent);
  for (const char* choice : field.choices) {
    list->addItem(Utf8(choice));
  }
  return list;
}

}  // namespace

OptionsDialog::OptionsDialog(const ExerciseOptions& options, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Options des exercices"));
  setModal(true);
  auto* form = new QFormLayout(this);
  form->setSizeConstraint(QLayout::SetFixedSize);  // nothing to gain from a larger box

  const OptionField& level = LevelField();
  level_ = ListOf(level, this);
  level_->setObjectName(Utf8(std::string(level.key)));
  level_->setCurrentIndex(static_cast<int>(level.get(options)));
  level_->setToolTip(Utf8(OptionHint(level)));
  form->addRow(Utf8(level.label), level_);
  for (const OptionField& field : OptionFields()) {
    AddField(*form, field, options);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(level_, &QComboBox::activated, this, &OptionsDialog::LevelChosen);
}

void OptionsDialog::AddField(QFormLayout& form, const OptionField& field,
                             const ExerciseOptions& options) {
  Field shown{&field, nullptr, nullptr};
  QWidget* widget = nullptr;
  if (field.choices.empty()) {
    shown.check = new QCheckBox(Utf8(field.label), this);
    widget = shown.check;
  } else {
    shown.list = ListOf(field, this);
    widget = shown.list;
  }
  widget->setObjectName(Utf8(std::string(field.key)));
  widget->setToolTip(Utf8(OptionHint(field)));
  Show(shown, field.get(options));
  if (shown.list != nullptr) {
    auto* label = new QLabel(Utf8(field.label), this);
    label->setToolTip(widget->toolTip());
    form.addRow(label, widget);
    connect(shown.list, &QComboBox::currentIndexChanged, this,
            [this, &field] { FieldChanged(field); });
  } else {
    form.addRow(widget);
    connect(shown.check, &QCheckBox::toggled, this, [this, &field] { FieldChanged(field); });
  }
  fields_.push_back(shown);
}

size_t OptionsDialog::Value(const Field& field) const {
  return field.list != nullptr ? static_cast<size_t>(field.list->currentIndex())
                               : (field.check->isChecked() ? 1 : 0);
}

void OptionsDialog::Show(const Field& field, size_t value) {
  if (field.list != nullptr) {
    field.list->setCurrentIndex(static_cast<int>(value));
  } else {
    field.check->setChecked(value != 0);
  }
}

ExerciseOptions OptionsDialog::Options() const {
  ExerciseOptions options;
  LevelField().set(options, static_cast<size_t>(level_->currentIndex()));
  for (const Field& field : fields_) {
    field.field->set(options, Value(field));
  }
  return options;
}

std::optional<int32_t> OptionsDialog::ChosenLargestTerm() const {
  const LevelPreset* preset = FindLevelPreset(Options().level);
  if (!level_chosen_ || preset == nullptr) {
    return std::nullopt;
  }
  return preset->largest_term;
}

void OptionsDialog::LevelChosen(int index) {
  const ExerciseOptions filled = OptionsOfLevel(Options(), static_cast<Level>(index));
  {
    const ScopedFlag filling(filling_);
    for (const Field& field : fields_) {
      Show(field, field.field->get(filled));
    }
  }
  level_chosen_ = FindLevelPreset(filled.level) != nullptr;
}

void OptionsDialog::FieldChanged(const OptionField& field) {
  if (filling_ || !field.set_by_level) {
    return;
  }
  level_->setCurrentIndex(static_cast<int>(Level::kFree));
  level_chosen_ = false;
}

}  // namespace fractions
