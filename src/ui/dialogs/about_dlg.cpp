#include "ui/dialogs/about_dlg.h"

#include "core/res/app_version.h"
#include "core/res/string_ids.h"
#include "ui/text/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

} // namespace

CAboutDlg::CAboutDlg(Language language, QWidget* parent)
    : QDialog(parent), version_(new QLabel(qtMessage(msg::kAboutVersion, language, {std::string(kFileVersion)}))),
      productVersion_(new QLabel(qtMessage(msg::kAboutProductVersion, language, {std::string(kProductVersion)}))),
      // The About box reads the same in both languages, its button included.
      ok_(new QPushButton(QStringLiteral("OK")))
{
    setWindowTitle(qtMessage(msg::kAboutTitle, language));
    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version_);
    texts->addWidget(productVersion_);
    texts->addStretch(1);

    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->addWidget(icon);
    row->addLayout(texts, 1);
    row->addWidget(ok_, 0, Qt::AlignTop);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::versionText() const
{
    return version_->text();
}

QString CAboutDlg::productVersionText() const
{
    return productVersion_->text();
}
