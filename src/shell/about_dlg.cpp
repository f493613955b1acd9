#include "shell/about_dlg.h"

#include "res/string_ids.h"
#include "shell/app_version.h"
#include "shell/prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kIconSize = 32;

QString filled(int id, Language language, std::string_view value)
{
    const std::array args{std::string(value)};
    return qtText(formatMessage(id, language, args));
}

} // namespace

CAboutDlg::CAboutDlg(Language language, QWidget* parent)
    : QDialog(parent), version_(new QLabel(filled(msg::kAboutVersion, language, kFileVersion))),
      productVersion_(new QLabel(filled(msg::kAboutProductVersion, language, kProductVersion))),
      // The About box reads the same in both languages, its button included.
      ok_(new QPushButton(QStringLiteral("OK")))
{
    setWindowTitle(qtText(std::string(messageText(msg::kAboutTitle, language))));
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
