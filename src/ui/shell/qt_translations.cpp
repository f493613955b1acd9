#include "ui/shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <iostream>

namespace {

// qtbase holds the texts of every widget the editor uses.
const QString kChineseCatalog = QStringLiteral("qtbase_zh_CN");

} // namespace

QtTranslations::QtTranslations(Language language)
    : QtTranslations(language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
{
}

QtTranslations::QtTranslations(Language language, const QString& folder)
{
    if (language != Language::Chinese)
        return;
    if (!translator_.load(kChineseCatalog, folder)) {
        std::cerr << "orbitune: Qt's Chinese texts (" << kChineseCatalog.toStdString() << ".qm) are not in "
                  << folder.toStdString() << "; Qt's dialogs stay English\n";
        return;
    }
    installed_ = QCoreApplication::installTranslator(&translator_);
}

QtTranslations::~QtTranslations()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}
