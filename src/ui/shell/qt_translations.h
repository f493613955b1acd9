#pragma once

#include "core/res/string_table.h"

#include <QString>
#include <QTranslator>

// Qt's own texts (the file dialogs' labels, the edit boxes' context menus, the
// standard buttons) in the interface language, from the catalogs Qt installs
// in its translations folder. Installed into the application for the
// object's lifetime; English needs none.
class QtTranslations {
public:
    explicit QtTranslations(Language language);
    // For tests: the catalogs are looked for in `folder`.
    QtTranslations(Language language, const QString& folder);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    bool installed() const { return installed_; }

private:
    QTranslator translator_;
    bool installed_ = false;
};
