#include "ui/dialogs/file_type_dialog.h"

#include "core/res/string_ids.h"
#include "ui/dialogs/dialog_units.h"
#include "ui/text/qt_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBackgroundRed = 0;
constexpr int kBackgroundGreen = 120;
constexpr int kBackgroundBlue = 120;
constexpr QSize kSizeInDialogUnits(204, 95);

} // namespace

CDlgFileTypeSel::CDlgFileTypeSel(Language language, QWidget* parent)
    : QDialog(parent), combo_(new QComboBox), ok_(new QPushButton(qtMessage(msg::kOkButton, language))),
      cancel_(new QPushButton(qtMessage(msg::kCancelButton, language)))
{
    setWindowTitle(qtMessage(msg::kFileTypeTitle, language));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kBackgroundRed, kBackgroundGreen, kBackgroundBlue));
    // The label stands on the dark teal, whatever the visual style's text.
    background.setColor(QPalette::WindowText, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);

    combo_->setObjectName(QString::number(kComboId));
    combo_->setProperty("controlId", kComboId);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    // The items read the same in both languages.
    combo_->addItems({QStringLiteral("General Sate File(*.gnr)"), QStringLiteral("Q24 Sate File"),
                      QStringLiteral("Q9100 Sate File(s)")});
    combo_->setCurrentIndex(0);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CDlgFileTypeSel::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(qtMessage(msg::kFileTypeLabel, language)));
    choice->addWidget(combo_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* column = new QVBoxLayout(this);
    column->addLayout(choice);
    column->addStretch(1);
    column->addLayout(buttons);
    resize(dialogUnitsToPixels(font(), kSizeInDialogUnits).expandedTo(minimumSizeHint()));
}

void CDlgFileTypeSel::onOk()
{
    // The selected item is the one whose text the edit field shows; a text
    // typed over it selects nothing, which counts as the first type.
    const int selected = combo_->findText(combo_->currentText(), Qt::MatchExactly);
    fileType_ = selected < 0 ? 0 : selected;
    accept();
}

std::optional<int> runFileTypeSelect(QWidget* owner, Language language)
{
    CDlgFileTypeSel dialog(language, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.fileType();
}
